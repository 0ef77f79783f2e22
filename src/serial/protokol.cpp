#include "serial/protokol.h"

#include "config/jezyk.h"
#include "config/kodowanie.h"
#include "serial/lacze.h"
#include "serial/mscomm.h"
#include "serial/odbior_odpowiedzi.h"

#include <QElapsedTimer>
#include <QThread>

using RamkaKonwertera::Polecenie;

QString Protokol::PobierzTryb() { return zapytaj(Polecenie::Tryb).tekst; }
QString Protokol::PobierzRamke() { return zapytaj(Polecenie::Ramka).tekst; }
QString Protokol::PobierzMax() { return zapytaj(Polecenie::Max).tekst; }
QString Protokol::PobierzWersje() { return zapytaj(Polecenie::Wersja).tekst; }

QString Protokol::WyslijTryb(const QString &wartosc) { return ustaw(Polecenie::Tryb, wartosc).tekst; }
QString Protokol::WyslijRamke(const QString &wartosc) { return ustaw(Polecenie::Ramka, wartosc).tekst; }
QString Protokol::WyslijMax(const QString &wartosc) { return ustaw(Polecenie::Max, wartosc).tekst; }

bool Protokol::wyslij(const QByteArray &ramka)
{
    if (!m_lacze.OtworzPort())
        return false;
    MSComm &port = m_lacze.port();
    // The answer may start while the frame is still going out.
    port.oczekujOdpowiedzi(true);
    port.Output(ramka);
    // The pause counts from the moment the frame is on the line.
    port.doczekajWyslania(static_cast<int>(kLimitOdpowiedzi.count()));
    QThread::msleep(static_cast<unsigned long>(kPauza.count()));
    return true;
}

Protokol::Wymiana Protokol::zapytaj(Polecenie p)
{
    if (!wyslij(RamkaKonwertera::zapytanie(p)))
        return {};
    Wymiana w = odbierz();
    if (w.stan == Wymiana::Stan::CzasMinal)
        return w;
    if (const auto v = RamkaKonwertera::wartosc(p, Kodowanie::doAnsi(w.tekst)))
        return {Wymiana::Stan::Poprawna, Kodowanie::zAnsi(*v)};
    return w;
}

Protokol::Wymiana Protokol::ustaw(Polecenie p, const QString &wartosc)
{
    if (!wyslij(RamkaKonwertera::ustawienie(p, wartosc)))
        return {};
    CzekajNaOdpowiedz();
    return zapytaj(p);
}

QString Protokol::CzekajNaOdpowiedz()
{
    return odbierz().tekst;
}

Protokol::Wymiana Protokol::odbierz()
{
    if (m_pokazCzekanie)
        m_pokazCzekanie(true);

    MSComm &port = m_lacze.port();
    QElapsedTimer zegar;
    zegar.start();
    const qint64 limit = kLimitOdpowiedzi.count();
    OdbiorOdpowiedzi odebrane;
    bool czasMinal = false;
    while (!odebrane.kompletna()) {
        // Sleep on the port until bytes arrive or the limit is just past; the
        // limit is checked after each read, so an EOT that comes in later than
        // that still ends as a time-out.
        port.czekajNaDane(static_cast<int>(qMax<qint64>(0, limit - zegar.elapsed()) + 1));
        const bool eot = odebrane.dodaj(port.Input());
        // A port that closed itself (the device went away) will not answer.
        if (zegar.elapsed() > limit || (!eot && !port.PortOpen())) {
            czasMinal = true;
            break;
        }
    }

    if (m_pokazCzekanie)
        m_pokazCzekanie(false);
    port.oczekujOdpowiedzi(false);
    m_lacze.ZamknijPort();
    if (czasMinal)
        return {Wymiana::Stan::CzasMinal,
                m_lacze.jezyk().Komunikat(QStringLiteral("Przekroczony czas oczekiwania!"))};
    return {Wymiana::Stan::Niepoprawna, Kodowanie::zAnsi(odebrane.bajty())};
}
