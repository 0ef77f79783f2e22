// Figures for the serial link against the converter emulator: the exchange
// time of a query, the CPU a silent converter's time-out costs, memory while a
// broken device floods the line, and ten seconds of continuous sending.
#include "config/jezyk.h"
#include "config/komunikaty.h"
#include "config/ustawienia.h"
#include "serial/lacze.h"
#include "serial/mscomm.h"
#include "serial/protokol.h"
#include "simulator/nadajnik.h"
#include "simulator/wartosci.h"
#include "wspolne/emulator.h"

#include "pomiary_procesu.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

#include <sys/resource.h>

namespace {

class BezKomunikatow : public Komunikaty
{
public:
    void pokaz(Ikona, const QString &tekst) override { std::fprintf(stderr, "%s\n", qPrintable(tekst)); }
};

struct Lacznosc
{
    explicit Lacznosc(const QString &urzadzenie, const QString &folder)
        : jezyk(folder + QStringLiteral("/set.lng")), port(MapaPortow(QString(), urzadzenie)),
          lacze(port, ustawienia, jezyk, komunikaty), protokol(lacze)
    {
        lacze.UstawPort();
    }
    Jezyk jezyk;
    UstawieniaPortu ustawienia;
    BezKomunikatow komunikaty;
    MSComm port;
    Lacze lacze;
    Protokol protokol;
};

std::unique_ptr<EmulatorTestowy> emulator(QStringList argumenty, const QString &folder = {})
{
    auto e = std::make_unique<EmulatorTestowy>();
    if (!e->uruchom(argumenty << QStringLiteral("--quiet-frames"), folder))
        qFatal("konwerter-emu did not start");
    return e;
}

void wymiany(const QString &folder)
{
    auto e = emulator({});
    Lacznosc l(e->urzadzenie(), folder);
    std::vector<double> czasy;
    for (int i = 0; i < 200; ++i) {
        QElapsedTimer t;
        t.start();
        l.protokol.PobierzMax();
        czasy.push_back(t.nsecsElapsed() / 1e6 - double(Protokol::kPauza.count()));
    }
    std::sort(czasy.begin(), czasy.end());
    std::printf("query to an answering converter, minus the 20 ms pause:  p50 %.2f ms, p99 %.2f ms, worst %.2f ms\n",
                czasy[czasy.size() / 2], czasy[czasy.size() * 99 / 100], czasy.back());
}

void milczenie(const QString &folder)
{
    auto e = emulator({QStringLiteral("--silent")});
    Lacznosc l(e->urzadzenie(), folder);
    QElapsedTimer t;
    t.start();
    const double cpu = czasProcesora();
    l.protokol.PobierzTryb();
    std::printf("silent converter: time-out after %lld ms, CPU used %.4f s\n",
                static_cast<long long>(t.elapsed()), czasProcesora() - cpu);
}

void zalew(const QString &folder)
{
    auto e = emulator({QStringLiteral("--flood"), QStringLiteral("3")});
    Lacznosc l(e->urzadzenie(), folder);
    const long przed = pamiecKB("VmRSS:");
    long najwiecej = przed;
    for (int i = 0; i < 3; ++i) {
        l.protokol.PobierzMax();
        najwiecej = std::max(najwiecej, pamiecKB("VmRSS:"));
    }
    std::printf("flooded line, 3 exchanges: resident memory %ld kB before, %ld kB at most\n", przed, najwiecej);
}

void wysylanie(const QString &folder)
{
    auto e = emulator({}, folder);
    Lacznosc l(e->urzadzenie(), folder);
    Wartosci wartosci;
    wartosci.BudujRamke(1234);
    Nadajnik nadajnik(l.port, wartosci);
    if (!l.lacze.OtworzPort())
        qFatal("cannot open the emulator's port");
    const double cpu = czasProcesora();
    QElapsedTimer t;
    t.start();
    nadajnik.wlacz();
    QTimer::singleShot(10000, [] { QCoreApplication::quit(); });
    QCoreApplication::exec();
    nadajnik.wylacz();
    const double sekundy = t.elapsed() / 1000.0;
    const double uzyte = czasProcesora() - cpu;
    l.port.doczekajWyslania(1000);
    l.lacze.ZamknijPort();
    QThread::msleep(200);
    const auto s = e->statystyka();
    std::printf("10 s of continuous sending: %lld frames sent, %d received, period mean %.3f ms, "
                "p99 deviation %.3f ms, largest deviation %.3f ms, sender CPU %.2f%%\n",
                static_cast<long long>(nadajnik.wyslane()), s.ramki, s.srednia, s.p99, s.maks,
                100.0 * uzyte / sekundy);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTemporaryDir folder;
    QFile::copy(QStringLiteral(KONWERTER_DANE "/settings.ini"), folder.filePath(QStringLiteral("settings.ini")));
    wymiany(folder.path());
    milczenie(folder.path());
    zalew(folder.path());
    wysylanie(folder.path());
    return 0;
}
