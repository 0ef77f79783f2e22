// The loop check's speed against the emulator's multimeter with a 200 ms
// settling time constant: five points judged by settling, beside the same five
// points with a fixed 2 s wait before a single reading, as done by hand.
#include "config/jezyk.h"
#include "config/komunikaty.h"
#include "config/ustawienia.h"
#include "petla/kontrola_petli.h"
#include "petla/miernik_scpi.h"
#include "serial/lacze.h"
#include "serial/mscomm.h"
#include "serial/protokol.h"
#include "wspolne/emulator.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include <cmath>
#include <cstdio>

namespace {

constexpr int kTauMs = 200;
constexpr int kStalyCzasMs = 2000;

class BezKomunikatow : public Komunikaty
{
public:
    void pokaz(Ikona, const QString &tekst) override { std::fprintf(stderr, "%s\n", qPrintable(tekst)); }
};

// Waits a fixed time before each reading of the meter it wraps.
class MiernikZeStalymCzasem : public Miernik
{
public:
    explicit MiernikZeStalymCzasem(Miernik &m) : m_m(m)
    {
        connect(&m_m, &Miernik::gotowy, this, &Miernik::gotowy);
        connect(&m_m, &Miernik::odczyt, this, &Miernik::odczyt);
        connect(&m_m, &Miernik::blad, this, &Miernik::blad);
    }
    void otworz() override { m_m.otworz(); }
    void zmierz() override { QTimer::singleShot(kStalyCzasMs, &m_m, [this] { m_m.zmierz(); }); }
    void zamknij() override { m_m.zamknij(); }

private:
    Miernik &m_m;
};

struct Wynik
{
    double sekundy = 0;
    int odczytow = 0;
    bool zgodny = false;
    double najwiekszy = 0;
};

Wynik przebieg(const QString &folder, const EmulatorTestowy &e, bool staly)
{
    Jezyk jezyk(folder + QStringLiteral("/set.lng"));
    UstawieniaPortu ustawienia;
    BezKomunikatow komunikaty;
    MSComm port(MapaPortow(QString(), e.urzadzenie()));
    Lacze lacze(port, ustawienia, jezyk, komunikaty);
    lacze.UstawPort();
    Protokol protokol(lacze);
    KontrolaPetli k(lacze, protokol, jezyk, folder + QStringLiteral("/settings.ini"));
    UstawieniaMiernika um;
    um.urzadzenie = e.miernik();
    MiernikScpi scpi(um, &jezyk);
    MiernikZeStalymCzasem zeStalym(scpi);
    UstawieniaKontroli u;
    if (staly) {
        u.zgodnychOdczytow = 1;
        u.limitUstalania = std::chrono::milliseconds(0);
    }
    Wynik w;
    QObject::connect(&k, &KontrolaPetli::odczytano, [&] { ++w.odczytow; });
    QObject::connect(&k, &KontrolaPetli::zakonczono, [&](KontrolaPetli::Koniec, const QString &opis) {
        if (!opis.isEmpty())
            std::fprintf(stderr, "%s\n", qPrintable(opis));
        QCoreApplication::quit();
    });
    QElapsedTimer zegar;
    zegar.start();
    k.start(u, staly ? static_cast<Miernik &>(zeStalym) : static_cast<Miernik &>(scpi));
    QCoreApplication::exec();
    w.sekundy = zegar.elapsed() / 1000.0;
    w.zgodny = k.przebieg().zgodny();
    w.najwiekszy = Punkty::najwiekszyBlad(k.punkty()).value_or(0);
    return w;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    if (!QFile::copy(QStringLiteral(KONWERTER_DANE "/settings.ini"), dir.filePath(QStringLiteral("settings.ini"))))
        return 1;
    EmulatorTestowy e;
    if (!e.uruchom({QStringLiteral("--dmm"), QStringLiteral("--dmm-tau"), QString::number(kTauMs),
                    QStringLiteral("--quiet-frames")},
                   dir.path())) {
        std::fprintf(stderr, "the emulator did not start\n");
        return 1;
    }

    const Wynik ustalony = przebieg(dir.path(), e, false);
    const Wynik staly = przebieg(dir.path(), e, true);

    // Each point of mode 0 steps by a quarter of the span, 4 mA; it settles
    // within 0.02 % of span (3.2 µA) after tau·ln(4 / 0.0032).
    const UstawieniaKontroli u;
    const double ustalanie = kTauMs / 1000.0 * std::log(4.0 / (0.02 / 100 * 16));
    const double trzyOdczyty = 3 * u.odstepOdczytow.count() / 1000.0;
    const double granica = 5 * (ustalanie + trzyOdczyty) + 1.0;
    std::printf("loop check, 5 points of mode 0, meter time constant %d ms\n", kTauMs);
    std::printf("  settled:           %6.2f s  (%d readings, %s, largest error %+.4f %% of span)\n", ustalony.sekundy,
                ustalony.odczytow, ustalony.zgodny ? "pass" : "FAIL", ustalony.najwiekszy);
    std::printf("  fixed %d s wait:    %6.2f s  (%d readings, %s, largest error %+.4f %% of span)\n", kStalyCzasMs / 1000,
                staly.sekundy, staly.odczytow, staly.zgodny ? "pass" : "FAIL", staly.najwiekszy);
    std::printf("  bound 5 x (settling %.2f s + 3 readings %.2f s) + 1 s = %.2f s: %s\n", ustalanie, trzyOdczyty, granica,
                ustalony.sekundy <= granica ? "met" : "NOT MET");
    e.zatrzymaj();
    return ustalony.sekundy <= granica ? 0 : 1;
}
