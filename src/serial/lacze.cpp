#include "serial/lacze.h"

#include "config/jezyk.h"
#include "config/komunikaty.h"
#include "config/liczby.h"
#include "serial/mscomm.h"

void Lacze::UstawPort()
{
    const bool bylOtwarty = m_port.PortOpen();
    if (bylOtwarty)
        m_port.setPortOpen(false);
    if (const auto numer = Liczby::DoInt16(Liczby::Val(m_ustawienia.NrPortu)))
        m_port.setCommPort(*numer);
    m_port.setSettings(m_ustawienia.tekstLinii());
    if (bylOtwarty)
        m_port.setPortOpen(true);
}

bool Lacze::OtworzPort()
{
    MSComm::Blad blad = MSComm::BrakBledu;
    if (!m_port.PortOpen())
        blad = m_port.setPortOpen(true);
    if (m_port.PortOpen())
        return true;
    switch (blad) {
    case MSComm::BrakPortu:
        m_komunikaty.krytyczny(komunikatPortu(QStringLiteral("BrakPortu"), QStringLiteral("Port %1 nie jest zainstalowany")));
        break;
    case MSComm::PortZajety:
        m_komunikaty.krytyczny(komunikatPortu(QStringLiteral("PortOtwarty"),
                                              QStringLiteral("Port %1 jest już otwarty przez inną aplikację")));
        break;
    // These two name the device wherever they are shown: it is the device
    // that the user or the system refuses.
    case MSComm::BrakUprawnien:
        m_komunikaty.krytyczny(wypelnij(QStringLiteral("BrakUprawnien"),
                                        QStringLiteral("Brak uprawnień do portu %1: dodaj użytkownika do grupy dialout "
                                                       "i zaloguj się ponownie."),
                                        true, QString()));
        break;
    default:
        m_komunikaty.krytyczny(wypelnij(QStringLiteral("BladPortu"), QStringLiteral("Nie można otworzyć portu %1: %2"),
                                        true, m_port.opisBledu()));
        break;
    }
    return false;
}

void Lacze::ZamknijPort()
{
    if (m_port.PortOpen())
        m_port.setPortOpen(false);
}

QString Lacze::nazwaPortu() const
{
    return QStringLiteral("Port com") + m_ustawienia.NrPortu;
}

QString Lacze::komunikatPortu(const QString &klucz, const QString &wzor) const
{
    return wypelnij(klucz, wzor, m_nazywajUrzadzenie, QString());
}

QString Lacze::wypelnij(const QString &klucz, const QString &wzor, bool zUrzadzeniem, const QString &powod) const
{
    QString port = QStringLiteral("com") + m_ustawienia.NrPortu;
    if (zUrzadzeniem || m_nazywajUrzadzenie)
        port += QStringLiteral(" (%1)").arg(m_port.urzadzenie());
    // One pass, so a "%2" inside a device path stays as it is; a stored text
    // without placeholders is shown as it stands.
    const QString tekst = m_jezyk.Komunikat(klucz, wzor);
    QString wynik;
    for (qsizetype i = 0; i < tekst.size(); ++i) {
        const QChar c = tekst.at(i);
        const QChar n = i + 1 < tekst.size() ? tekst.at(i + 1) : QChar();
        if (c == QLatin1Char('%') && (n == QLatin1Char('1') || n == QLatin1Char('2'))) {
            wynik += n == QLatin1Char('1') ? port : powod;
            ++i;
        } else {
            wynik += c;
        }
    }
    return wynik;
}
