// Soak: continuous sending with a query every second against the converter
// emulator, for ten minutes unless told otherwise, with the objects the window
// uses. The window allows no query while it sends, so each second goes: send
// for a second, stop and let the queue drain, close the port, ask for the
// maximum (the query opens and closes the port itself), open the port, send
// again. Reports memory at the start and the end, CPU, the timing of the
// sender, the queries, and frames sent against frames the emulator received.
// Then a minute of continuous sending while the emulator floods the line at
// 2 MB/s, as a converter that echoes or a scale on the wrong plug would:
// reports the growth of resident memory, which stays under 1 MB.
#include "config/jezyk.h"
#include "config/komunikaty.h"
#include "config/ustawienia.h"
#include "serial/lacze.h"
#include "serial/mscomm.h"
#include "serial/protokol.h"
#include "simulator/nadajnik.h"
#include "simulator/wartosci.h"
#include "wspolne/emulator.h"

#include "czekanie.h"
#include "pomiary_procesu.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

#include <csignal>

#include <malloc.h>
#include <sys/resource.h>
#include <unistd.h>

namespace {

class Wypisywane : public Komunikaty
{
public:
    void pokaz(Ikona, const QString &tekst) override
    {
        ++ile;
        std::fprintf(stderr, "message: %s\n", qPrintable(tekst));
    }
    int ile = 0;
};

int deskryptory()
{
    return int(QDir(QStringLiteral("/proc/self/fd")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).size());
}

double percentyl(std::vector<double> v, double p)
{
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    return v[std::min(v.size() - 1, size_t(std::ceil(p * double(v.size()))) - 1)];
}

void zalew(const QString &folder, const QString &katalog)
{
    constexpr int kSekundy = 60;
    constexpr qint64 kBajtowNaSekunde = 2'000'000;
    EmulatorTestowy emulator;
    // The flood outlasts the query that starts it and the minute of sending.
    if (!emulator.uruchom({QStringLiteral("--quiet-frames"), QStringLiteral("--flood"), QString::number(kSekundy + 10),
                           QStringLiteral("--flood-rate"), QString::number(kBajtowNaSekunde)},
                          folder))
        qFatal("konwerter-emu did not start");
    Jezyk jezyk(QDir(folder).filePath(QStringLiteral("set.lng")));
    UstawieniaPortu ustawienia = Ustawienia::WczytajUstawienia(katalog);
    Wypisywane komunikaty;
    MSComm port(MapaPortow(QString(), emulator.urzadzenie()));
    Lacze lacze(port, ustawienia, jezyk, komunikaty);
    Protokol protokol(lacze);
    lacze.UstawPort();
    Wartosci wartosci;
    wartosci.WczytajTypRamki(katalog, QStringLiteral("1"));
    wartosci.BudujRamke(1234);
    Nadajnik nadajnik(port, wartosci);

    QElapsedTimer zegar;
    zegar.start();
    protokol.PobierzMax();
    if (emulator.czekajNaLinie(QStringLiteral("FLOOD start")).isNull())
        qFatal("konwerter-emu did not flood");
    if (!lacze.OtworzPort())
        qFatal("cannot open the emulator's port");
    nadajnik.wlacz();
    czekaj(1000);
    const long start = pamiecKB("VmRSS:");
    const long anonimowaStart = pamiecKB("RssAnon:");
    const double cpuStart = czasProcesora();
    long szczyt = start;
    for (int s = 0; s < kSekundy; ++s) {
        czekaj(1000);
        szczyt = std::max(szczyt, pamiecKB("VmRSS:"));
    }
    const double cpu = czasProcesora() - cpuStart;
    const long koniec = pamiecKB("VmRSS:");
    const long anonimowaKoniec = pamiecKB("RssAnon:");
    nadajnik.wylacz();
    lacze.ZamknijPort();
    const double otwarty = double(zegar.elapsed()) / 1000.0;
    // "FLOOD end <n> bytes": what reached the line while the port was open.
    const QString konec = emulator.czekajNaLinie(QStringLiteral("FLOOD end"), 20'000);
    const double bajty = konec.section(QLatin1Char(' '), 2, 2).toDouble();
    std::printf("flood: %.1f MB reached the line in the %.1f s the port was open (%.2f MB/s), %lld frames sent "
                "meanwhile; CPU %.1f%%\n",
                bajty / 1e6, otwarty, bajty / 1e6 / otwarty, static_cast<long long>(nadajnik.wyslane()),
                100.0 * cpu / kSekundy);
    std::printf("flood: resident memory over %d s of sending %ld -> %ld kB, growth %ld kB (peak +%ld kB), "
                "anonymous %ld -> %ld kB; %s\n",
                kSekundy, start, koniec, koniec - start, szczyt - start, anonimowaStart, anonimowaKoniec,
                szczyt - start < 1024 ? "under 1 MB" : "OVER 1 MB");
    std::fflush(stdout);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCommandLineParser opcje;
    opcje.setApplicationDescription(QStringLiteral("Soak of continuous sending with a query every second."));
    opcje.addHelpOption();
    const QCommandLineOption minuty(QStringLiteral("minutes"), QStringLiteral("How long (default 10)."),
                                    QStringLiteral("M"), QStringLiteral("10"));
    opcje.addOption(minuty);
    opcje.process(app);
    bool ok = false;
    const double ileMinut = opcje.value(minuty).toDouble(&ok);
    if (!ok || ileMinut <= 0) {
        std::fprintf(stderr, "--minutes: a number of minutes\n");
        return 64;
    }
    const qint64 calosc = qint64(ileMinut * 60'000);

    QTemporaryDir folder;
    const QString katalog = folder.filePath(QStringLiteral("settings.ini"));
    QFile::copy(QStringLiteral(KONWERTER_DANE "/settings.ini"), katalog);
    // The emulator's log goes to a file: ten minutes of it would otherwise
    // pile up in this process and count as its memory.
    const QString dziennik = folder.filePath(QStringLiteral("emu.log"));
    QProcess emulator;
    emulator.setStandardOutputFile(dziennik);
    emulator.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    emulator.start(QStringLiteral(KONWERTER_EMU), {QStringLiteral("--stdin"), QStringLiteral("--quiet-frames"),
                                                   QStringLiteral("--folder"), folder.path()});
    const QString urzadzenie = czekajNaLinie(dziennik, QString());
    if (urzadzenie.isEmpty())
        qFatal("konwerter-emu did not start");

    Jezyk jezyk(folder.filePath(QStringLiteral("set.lng")));
    UstawieniaPortu ustawienia = Ustawienia::WczytajUstawienia(katalog);
    Wypisywane komunikaty;
    MSComm port(MapaPortow(QString(), urzadzenie));
    Lacze lacze(port, ustawienia, jezyk, komunikaty);
    Protokol protokol(lacze);
    lacze.UstawPort();
    Wartosci wartosci;
    wartosci.WczytajTypRamki(katalog, QStringLiteral("1"));
    Nadajnik nadajnik(port, wartosci);

    // The moments of the sender's ticks, to measure its period within each
    // second of sending.
    // The records of the run are written into memory touched here, before
    // memory is first measured: reserved pages filled as the run goes would
    // count as the program's growth (about 9 kB a minute).
    std::vector<double> okresy;
    okresy.assign(size_t(calosc / Nadajnik::kOkres.count()) + 100, 0.0);
    okresy.clear();
    QElapsedTimer zegar;
    qint64 poprzedni = -1;
    QObject::connect(&nadajnik.Timer3(), &QTimer::timeout, [&] {
        const qint64 teraz = zegar.nsecsElapsed();
        if (poprzedni >= 0)
            okresy.push_back(double(teraz - poprzedni) / 1e6);
        poprzedni = teraz;
    });

    int zapytania = 0;
    int niepoprawne = 0;
    std::vector<double> czasyZapytan;
    czasyZapytan.assign(size_t(calosc / 1000) + 10, 0.0);
    czasyZapytan.clear();
    long pamiecStart = 0;
    long anonimowaStart = 0;
    long stertaStart = 0;
    int deskryptoryStart = 0;
    double cpuStart = 0;
    double cpuEmulatoraStart = 0;
    qint64 odStartu = 0;
    int minuta = 0;
    std::printf("soak: %.1f min of sending with a query every second against %s\n", ileMinut,
                qPrintable(urzadzenie));
    std::fflush(stdout);
    zegar.start();
    while (zegar.elapsed() < calosc) {
        if (!lacze.OtworzPort())
            qFatal("cannot open the emulator's port");
        // The weight moves, as a technician moves the slider.
        wartosci.BudujRamke(qint32((zapytania * 37) % 3001) - 1500);
        poprzedni = -1;
        nadajnik.wlacz();
        czekaj(1000);
        nadajnik.wylacz();
        port.doczekajWyslania(1000);
        lacze.ZamknijPort();

        QElapsedTimer t;
        t.start();
        const QString max = protokol.PobierzMax();
        czasyZapytan.push_back(double(t.nsecsElapsed()) / 1e6);
        ++zapytania;
        if (max != QLatin1String("001500"))
            ++niepoprawne;

        // Memory and CPU count from the end of the first second, once
        // everything the run needs has been set up.
        if (zapytania == 1) {
            pamiecStart = pamiecKB("VmRSS:");
            anonimowaStart = pamiecKB("RssAnon:");
            stertaStart = stertaKB();
            deskryptoryStart = deskryptory();
            cpuStart = czasProcesora();
            cpuEmulatoraStart = czasProcesora(emulator.processId());
            odStartu = zegar.elapsed();
        }
        if (zegar.elapsed() / 60'000 > minuta) {
            minuta = int(zegar.elapsed() / 60'000);
            std::printf("  %d min: %lld frames sent, %d queries, resident %ld kB (anonymous %ld kB), heap %ld kB\n",
                        minuta, static_cast<long long>(nadajnik.wyslane()), zapytania, pamiecKB("VmRSS:"),
                        pamiecKB("RssAnon:"), stertaKB());
            std::fflush(stdout);
        }
    }
    const double sekundy = double(zegar.elapsed() - odStartu) / 1000.0;
    const double cpu = czasProcesora() - cpuStart;
    const double cpuEmulatora = czasProcesora(emulator.processId()) - cpuEmulatoraStart;
    const long pamiecKoniec = pamiecKB("VmRSS:");
    const long anonimowaKoniec = pamiecKB("RssAnon:");
    const long stertaKoniec = stertaKB();
    QThread::msleep(200);
    ::kill(pid_t(emulator.processId()), SIGUSR1);
    const auto s = EmulatorTestowy::rozbierzStatystyke(czekajNaLinie(dziennik, QStringLiteral("STATS ")));

    std::vector<double> odchylenia;
    for (const double o : okresy)
        odchylenia.push_back(std::fabs(o - double(Nadajnik::kOkres.count())));
    double suma = 0;
    for (const double o : okresy)
        suma += o;
    std::printf("ran %.1f s: %d queries (%d not answered with the value), %lld frames sent, %d received by the "
                "emulator, %lld lost\n",
                double(zegar.elapsed()) / 1000.0, zapytania, niepoprawne, static_cast<long long>(nadajnik.wyslane()),
                s.ramki, static_cast<long long>(nadajnik.wyslane() - s.ramki));
    std::printf("sender period within each second: mean %.3f ms, p99 deviation %.3f ms, largest %.3f ms\n",
                okresy.empty() ? 0.0 : suma / double(okresy.size()), percentyl(odchylenia, 0.99),
                odchylenia.empty() ? 0.0 : *std::max_element(odchylenia.begin(), odchylenia.end()));
    std::printf("query: p50 %.2f ms, p99 %.2f ms, worst %.2f ms\n", percentyl(czasyZapytan, 0.5),
                percentyl(czasyZapytan, 0.99), *std::max_element(czasyZapytan.begin(), czasyZapytan.end()));
    // Resident memory also counts library pages first touched late in the
    // run; the anonymous part and the heap are the program's own.
    std::printf("memory after the first second / at the end: resident %ld / %ld kB (peak %ld kB), anonymous "
                "%ld / %ld kB, heap in use %ld / %ld kB; descriptors %d / %d\n",
                pamiecStart, pamiecKoniec, pamiecKB("VmHWM:"), anonimowaStart, anonimowaKoniec, stertaStart,
                stertaKoniec, deskryptoryStart, deskryptory());
    std::printf("CPU: program %.2f%% (%.2f s), emulator %.2f%% (%.2f s); messages shown: %d\n",
                100.0 * cpu / sekundy, cpu, 100.0 * cpuEmulatora / sekundy, cpuEmulatora, komunikaty.ile);
    emulator.closeWriteChannel();
    emulator.waitForFinished();
    zalew(folder.path(), katalog);
    return 0;
}
