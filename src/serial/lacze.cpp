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
    if (blad == MSComm::BrakPortu)
        m_komunikaty.krytyczny(m_jezyk.Komunikat(QStringLiteral("BrakPortu"),
                                                 nazwaPortu() + QStringLiteral(" nie jest zainstalowany")));
    else if (blad == MSComm::PortZajety)
        m_komunikaty.krytyczny(m_jezyk.Komunikat(
            QStringLiteral("PortOtwarty"),
            nazwaPortu() + QStringLiteral(" jest już otwarty przez inną aplikację")));
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
