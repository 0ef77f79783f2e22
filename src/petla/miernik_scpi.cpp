#include "petla/miernik_scpi.h"

#include "petla/kanal_szeregowy.h"
#include "petla/teksty_miernika.h"
#ifdef Q_OS_LINUX
#include "petla/kanal_usbtmc.h"
#endif

#include <QRegularExpression>

#include <algorithm>
#include <cmath>

namespace {

const QByteArray kIdentyfikacja = QByteArrayLiteral("*IDN?");
const QByteArray kKonfiguracja = QByteArrayLiteral("CONF:CURR:DC");
const QByteArray kOdczyt = QByteArrayLiteral("READ?");

// What a meter answers for a reading beyond its range (9.9E37) and for "not a
// number" (9.91E37).
constexpr double kPrzeciazenie = 9.9e37;
// How much of a faulty answer a message shows.
constexpr qsizetype kPokazywanaOdpowiedz = 60;

// A SCPI decimal number (NR1, NR2 or NR3), blanks around it allowed.
bool liczbaScpi(const QByteArray &tresc, double &wartosc)
{
    static const QRegularExpression kLiczba(
        QStringLiteral("^\\s*[+-]?(\\d+\\.?\\d*|\\.\\d+)([eE][+-]?\\d+)?\\s*$"));
    const QString t = QString::fromLatin1(tresc);
    if (!kLiczba.match(t).hasMatch())
        return false;
    bool ok = false;
    wartosc = t.trimmed().toDouble(&ok);
    return ok && std::isfinite(wartosc);
}

bool drukowalna(const QByteArray &tresc)
{
    return std::all_of(tresc.begin(), tresc.end(),
                       [](char c) { return static_cast<unsigned char>(c) >= 0x20 && c != 0x7F; });
}

// The answer as a message can show it: quoted, control characters as \xHH,
// long ones cut.
QString pokaz(const QByteArray &tresc)
{
    QString t;
    for (const char c : tresc.left(kPokazywanaOdpowiedz)) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x20 || b == 0x7F)
            t += QStringLiteral("\\x") + QString::number(b, 16).rightJustified(2, QLatin1Char('0')).toUpper();
        else
            t += QChar(b);
    }
    if (tresc.size() > kPokazywanaOdpowiedz)
        t += QStringLiteral("…");
    return QLatin1Char('"') + t + QLatin1Char('"');
}

} // namespace

MiernikScpi::MiernikScpi(const UstawieniaMiernika &ustawienia, const Jezyk *jezyk, QObject *parent)
    : Miernik(parent), m_ustawienia(ustawienia), m_jezyk(jezyk)
{
    m_zegar.setSingleShot(true);
    // A coarse timer may fire up to 5 % early: never give up on a meter before
    // its time.
    m_zegar.setTimerType(Qt::PreciseTimer);
    m_zegar.setInterval(kCzasOdpowiedzi);
    connect(&m_zegar, &QTimer::timeout, this, &MiernikScpi::przekroczonyCzas);
}

MiernikScpi::~MiernikScpi()
{
    zamknij();
}

void MiernikScpi::otworz()
{
    zamknij();
    if (m_ustawienia.urzadzenie.isEmpty()) {
        zglosPozniej(komunikat("MiernikNieWybrany", QStringLiteral("Nie wybrano miernika")));
        return;
    }
    if (m_ustawienia.usbtmc()) {
#ifdef Q_OS_LINUX
        m_kanal = new KanalUsbtmc(m_ustawienia.urzadzenie, kCzasOdpowiedzi, m_jezyk, this);
#else
        zglosPozniej(komunikat("MiernikUsbtmc",
                               QStringLiteral("Miernik %1: urządzenia USBTMC działają tylko w systemie Linux"))
                         .arg(m_ustawienia.urzadzenie));
        return;
#endif
    } else {
        m_kanal = new KanalSzeregowy(m_ustawienia, m_jezyk, this);
    }
    connect(m_kanal, &KanalScpi::odpowiedz, this, &MiernikScpi::odpowiedz);
    connect(m_kanal, &KanalScpi::utracony, this, &MiernikScpi::utracony);
    QString powod;
    if (!m_kanal->otworz(powod)) {
        zamknij();
        zglosPozniej(komunikat("MiernikNieOtwarty", QStringLiteral("Nie można otworzyć miernika %1: %2"))
                         .arg(m_ustawienia.urzadzenie, powod));
        return;
    }
    m_stan = Stan::Otwieranie;
    m_kanal->zapytaj({kIdentyfikacja});
    m_zegar.start();
}

void MiernikScpi::zmierz()
{
    if (m_stan == Stan::Pomiar)
        return;
    if (m_stan != Stan::Gotowy) {
        zglosPozniej(komunikat("MiernikZamkniety", QStringLiteral("Miernik %1 nie jest otwarty"))
                         .arg(m_ustawienia.urzadzenie));
        return;
    }
    m_stan = Stan::Pomiar;
    m_kanal->zapytaj({kKonfiguracja, kOdczyt});
    m_zegar.start();
}

void MiernikScpi::zamknij()
{
    m_zegar.stop();
    m_stan = Stan::Zamkniety;
    if (!m_kanal)
        return;
    m_kanal->disconnect(this);
    m_kanal->zamknij();
    m_kanal->deleteLater();
    m_kanal = nullptr;
}

void MiernikScpi::odpowiedz(const QByteArray &tresc)
{
    // Nobody asked: a late answer to a question already given up.
    if (m_stan != Stan::Otwieranie && m_stan != Stan::Pomiar)
        return;
    const bool identyfikacja = m_stan == Stan::Otwieranie;
    const QByteArray pytanie = identyfikacja ? kIdentyfikacja : kOdczyt;
    // A serial meter or adapter set to echo sends our own commands back first.
    const QByteArray echo = tresc.trimmed();
    if (echo == pytanie || (!identyfikacja && echo == kKonfiguracja))
        return;
    m_zegar.stop();
    const QString zla = komunikat("MiernikZlaOdpowiedz",
                                  QStringLiteral("Miernik %1 odpowiedział na %2 niezrozumiale: %3"))
                            .arg(m_ustawienia.urzadzenie, QString::fromLatin1(pytanie), pokaz(tresc));
    if (identyfikacja) {
        const QByteArray t = tresc.trimmed();
        if (t.isEmpty() || !drukowalna(t) || tresc.size() >= KanalScpi::kNajdluzszaOdpowiedz) {
            // Not the instrument we expect: no reading from it can be trusted.
            zamknij();
            emit blad(zla);
            return;
        }
        m_stan = Stan::Gotowy;
        emit gotowy(QString::fromLatin1(t));
        return;
    }
    m_stan = Stan::Gotowy;
    double ampery = 0.0;
    if (!liczbaScpi(tresc, ampery)) {
        emit blad(zla);
        return;
    }
    if (std::fabs(ampery) >= kPrzeciazenie) {
        emit blad(komunikat("MiernikPozaZakresem", QStringLiteral("Miernik %1: prąd poza zakresem pomiaru (%2)"))
                  .arg(m_ustawienia.urzadzenie, pokaz(tresc)));
        return;
    }
    emit odczyt(ampery * 1000.0);
}

void MiernikScpi::przekroczonyCzas()
{
    const bool identyfikacja = m_stan == Stan::Otwieranie;
    const QString opis = komunikat("MiernikMilczy",
                                   QStringLiteral("Miernik %1 nie odpowiedział na %2 w ciągu %3 s"))
                             .arg(m_ustawienia.urzadzenie,
                                  QString::fromLatin1(identyfikacja ? kIdentyfikacja : kOdczyt),
                                  QString::number(std::chrono::duration<double>(kCzasOdpowiedzi).count()));
    // A meter silent from the start is not a meter; one that misses a reading
    // stays open, and its late answer is dropped.
    if (identyfikacja)
        zamknij();
    else
        m_stan = Stan::Gotowy;
    emit blad(opis);
}

void MiernikScpi::utracony(const QString &powod)
{
    zamknij();
    emit blad(komunikat("MiernikUtracony", QStringLiteral("Utracono połączenie z miernikiem %1: %2"))
              .arg(m_ustawienia.urzadzenie, powod));
}

void MiernikScpi::zglosPozniej(const QString &opis)
{
    // Never from inside the caller's own request.
    QMetaObject::invokeMethod(this, [this, opis] { emit blad(opis); }, Qt::QueuedConnection);
}

QString MiernikScpi::komunikat(const char *klucz, const QString &polski) const
{
    return TekstyMiernika::komunikat(m_jezyk, QLatin1String(klucz), polski);
}
