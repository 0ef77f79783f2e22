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

bool Protokol::wyslij(const QByteArray &ramka, Znaczenie znaczenie)
{
    if (!m_lacze.OtworzPort())
        return false;
    MSComm &port = m_lacze.port();
    if (Podsluch *p = port.podsluch())
        p->zdarzenie(ZdarzenieLinii::teraz(std::move(znaczenie)));
    port.Output(ramka);
    // The pause counts from the moment the frame is on the line.
    port.doczekajWyslania(static_cast<int>(kLimitOdpowiedzi.count()));
    m_odWyslania.start();
    QThread::msleep(static_cast<unsigned long>(kPauza.count()));
    return true;
}

Protokol::Wymiana Protokol::zapytaj(Polecenie p)
{
    if (!wyslij(RamkaKonwertera::zapytanie(p), {Znaczenie::Co::Zapytanie, char(p), {}, -1}))
        return {};
    Wymiana w = odbierz();
    if (w.stan != Wymiana::Stan::CzasMinal) {
        if (const auto v = RamkaKonwertera::wartosc(p, Kodowanie::doAnsi(w.tekst)))
            w = {Wymiana::Stan::Poprawna, Kodowanie::zAnsi(*v)};
    }
    oglos(w.stan == Wymiana::Stan::Poprawna ? Znaczenie::Co::Wartosc : Znaczenie::Co::Niepoprawna, p, w);
    m_lacze.ZamknijPort();
    return w;
}

Protokol::Wymiana Protokol::ustaw(Polecenie p, const QString &wartosc)
{
    const QByteArray ramka = RamkaKonwertera::ustawienie(p, wartosc);
    // The value as it goes out: between the command character and the EOT.
    const QString wysylana = Kodowanie::zAnsi(QByteArrayView(ramka).sliced(2, ramka.size() - 3));
    if (!wyslij(ramka, {Znaczenie::Co::Ustawienie, char(p), wysylana, -1}))
        return {};
    oglos(Znaczenie::Co::OdpowiedzUstawienia, p, odbierz());
    m_lacze.ZamknijPort();
    return zapytaj(p);
}

QString Protokol::CzekajNaOdpowiedz()
{
    const QString tekst = odbierz().tekst;
    m_lacze.ZamknijPort();
    return tekst;
}

void Protokol::oglos(Znaczenie::Co co, Polecenie p, const Wymiana &w)
{
    Podsluch *podsluch = m_lacze.port().podsluch();
    if (!podsluch)
        return;
    if (w.stan == Wymiana::Stan::CzasMinal)
        podsluch->zdarzenie(ZdarzenieLinii::teraz({Znaczenie::Co::CzasMinal, char(p), {}, m_odWyslania.elapsed()}));
    else
        podsluch->zdarzenie(ZdarzenieLinii::teraz({co, char(p), co == Znaczenie::Co::Wartosc ? w.tekst : QString(),
                                                   m_czasOdpowiedzi}));
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
    m_czasOdpowiedzi = -1;
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
        if (eot)
            m_czasOdpowiedzi = m_odWyslania.elapsed();
    }

    if (m_pokazCzekanie)
        m_pokazCzekanie(false);
    if (czasMinal)
        return {Wymiana::Stan::CzasMinal,
                m_lacze.jezyk().Komunikat(QStringLiteral("Przekroczony czas oczekiwania!"))};
    return {Wymiana::Stan::Niepoprawna, Kodowanie::zAnsi(odebrane.bajty())};
}
