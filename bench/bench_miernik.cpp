// Figures for the SCPI meter against the emulator's multimeter: the time one
// reading takes (CONF:CURR:DC, READ?, the answer) on a serial port and through
// the USBTMC path, and the CPU a silent meter's time limit costs.
#include "petla/miernik_scpi.h"
#include "wspolne/emulator.h"

#include "pomiary_procesu.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

#include <sys/resource.h>

namespace {

constexpr int kOdczytow = 300;

// Runs `zadanie` and waits for the meter's answer; false on blad().
template <typename Zadanie>
bool czekaj(Miernik &m, Zadanie zadanie)
{
    QEventLoop petla;
    bool ok = false;
    const auto a = QObject::connect(&m, &Miernik::gotowy, &petla, [&] { ok = true; petla.quit(); });
    const auto b = QObject::connect(&m, &Miernik::odczyt, &petla, [&] { ok = true; petla.quit(); });
    const auto c = QObject::connect(&m, &Miernik::blad, &petla, [&](const QString &t) {
        std::fprintf(stderr, "%s\n", qPrintable(t));
        petla.quit();
    });
    zadanie();
    petla.exec();
    QObject::disconnect(a);
    QObject::disconnect(b);
    QObject::disconnect(c);
    return ok;
}

void odczyty(const char *nazwa, const QString &urzadzenie)
{
    UstawieniaMiernika u;
    u.urzadzenie = urzadzenie;
    MiernikScpi m(u);
    if (!czekaj(m, [&] { m.otworz(); }))
        return;
    std::vector<double> czasy;
    QElapsedTimer zegar;
    for (int i = 0; i < kOdczytow; ++i) {
        zegar.start();
        if (!czekaj(m, [&] { m.zmierz(); }))
            return;
        czasy.push_back(zegar.nsecsElapsed() / 1e6);
    }
    std::sort(czasy.begin(), czasy.end());
    std::printf("%s: one reading p50 %.2f ms, p99 %.2f ms, worst %.2f ms (%d readings)\n", nazwa,
                czasy[czasy.size() / 2], czasy[czasy.size() * 99 / 100], czasy.back(), kOdczytow);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    // The figures in order with the messages on standard error.
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    QTemporaryDir folder;

    EmulatorTestowy emu;
    if (!emu.uruchom({QStringLiteral("--dmm"), QStringLiteral("--quiet-frames")}, folder.path()))
        return 1;
    odczyty("serial meter", emu.miernik());
    const QString usbtmc = folder.filePath(QStringLiteral("usbtmc0"));
    if (QFile::link(emu.miernik(), usbtmc))
        odczyty("USBTMC path (pseudo-terminal stand-in)", usbtmc);

    EmulatorTestowy cichy;
    if (!cichy.uruchom({QStringLiteral("--dmm"), QStringLiteral("--dmm-silent")}, folder.path()))
        return 1;
    UstawieniaMiernika u;
    u.urzadzenie = cichy.miernik();
    MiernikScpi m(u);
    const double cpu = czasProcesora();
    QElapsedTimer zegar;
    zegar.start();
    czekaj(m, [&] { m.otworz(); });
    std::printf("silent meter: given up after %lld ms, CPU used %.4f s\n",
                static_cast<long long>(zegar.elapsed()), czasProcesora() - cpu);
    return 0;
}
