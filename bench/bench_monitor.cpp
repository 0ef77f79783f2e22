// The traffic monitor open during continuous sending, in the real main window
// rendered offscreen, against the converter emulator: CPU of the program and
// its memory over the run. By default the weight changes on every tick, as
// when the slider is dragged without pause, so every frame is a line of its
// own; and the history starts full, so each new line pushes the oldest out.
// That is the monitor's heaviest steady state. --same-frame sends one frame
// throughout, which the monitor counts on one line.
#include "monitor/frm_monitor.h"
#include "simulator/nadajnik.h"
#include "simulator/wartosci.h"
#include "wspolne/okno.h"

#include "czekanie.h"
#include "pomiary_procesu.h"

#include <QApplication>
#include <QCheckBox>
#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTableView>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <cstdio>

#include <csignal>
#include <malloc.h>
#include <sys/resource.h>
#include <unistd.h>

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QCommandLineParser opcje;
    opcje.setApplicationDescription(QStringLiteral("The traffic monitor open during continuous sending."));
    opcje.addHelpOption();
    const QCommandLineOption minuty(QStringLiteral("minutes"), QStringLiteral("How long (default 10)."),
                                    QStringLiteral("M"), QStringLiteral("10"));
    const QCommandLineOption taSama(QStringLiteral("same-frame"), QStringLiteral("Send one frame throughout."));
    opcje.addOptions({minuty, taSama});
    opcje.process(app);
    bool ok = false;
    const double ileMinut = opcje.value(minuty).toDouble(&ok);
    if (!ok || ileMinut <= 0) {
        std::fprintf(stderr, "--minutes: a number of minutes\n");
        return 64;
    }
    const qint64 calosc = qint64(ileMinut * 60'000);
    const bool zmienna = !opcje.isSet(taSama);

    QTemporaryDir folder;
    QFile::copy(QStringLiteral(KONWERTER_DANE "/settings.ini"), folder.filePath(QStringLiteral("settings.ini")));
    QFile::copy(QStringLiteral(KONWERTER_DANE "/set.lng"), folder.filePath(QStringLiteral("set.lng")));
    const QString dziennik = folder.filePath(QStringLiteral("emu.log"));
    QProcess emulator;
    emulator.setStandardOutputFile(dziennik);
    emulator.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    emulator.start(QStringLiteral(KONWERTER_EMU), {QStringLiteral("--stdin"), QStringLiteral("--quiet-frames"),
                                                   QStringLiteral("--folder"), folder.path()});
    const QString urzadzenie = czekajNaLinie(dziennik, QString());
    if (urzadzenie.isEmpty())
        qFatal("konwerter-emu did not start");

    UruchomioneOkno o(folder.path(), urzadzenie);
    o.klik(QStringLiteral("lblMonitor"));
    auto *monitor = o.okno->findChild<FrmMonitor *>(QStringLiteral("frmMonitor"));
    if (!monitor || !monitor->isVisible())
        qFatal("the monitor did not open");
    ModelMonitora &model = monitor->model();
    // A monitor that has been open a long while: its history is full.
    const auto t0 = ZdarzenieLinii::Zegar::now();
    for (qsizetype i = 0; i < ModelMonitora::kNajwiecejLinii; ++i) {
        ZdarzenieLinii z;
        z.rodzaj = ZdarzenieLinii::Rodzaj::Zapis;
        z.czas = t0;
        z.bajty = QByteArray::number(i).rightJustified(8) + "\r\n";
        model.zdarzenie(z);
    }

    Nadajnik &nadajnik = o.okno->nadajnik();
    qint32 waga = 0;
    if (zmienna)
        QObject::connect(&nadajnik.Timer3(), &QTimer::timeout, [&] {
            waga = (waga + 7) % 3000;
            o.okno->wartosci().BudujRamke(waga - 1500);
        });
    o.klik(QStringLiteral("lblTransmisja"));
    o.w<QCheckBox>(QStringLiteral("chNasluch"))->click();
    if (!nadajnik.wlaczony())
        qFatal("continuous sending did not start");

    std::printf("monitor: %.1f min of continuous sending against %s, %s, history full (%lld lines)\n", ileMinut,
                qPrintable(urzadzenie), zmienna ? "a new frame every tick" : "one frame throughout",
                static_cast<long long>(model.liczbaLinii()));
    std::fflush(stdout);
    // Let the first second settle before counting.
    czekaj(1000);
    const long pamiecStart = pamiecKB("VmRSS:");
    const long anonimowaStart = pamiecKB("RssAnon:");
    const long stertaStart = stertaKB();
    const double cpuStart = czasProcesora();
    const double cpuEmulatoraStart = czasProcesora(emulator.processId());
    const qint64 wyslaneStart = nadajnik.wyslane();
    QElapsedTimer zegar;
    zegar.start();
    const qint64 krok = std::max<qint64>(calosc / 10, 1000);
    long pamiecMax = pamiecStart;
    long pamiecMin = pamiecStart;
    for (qint64 nastepny = krok; zegar.elapsed() < calosc; nastepny += krok) {
        czekaj(std::min(nastepny, calosc) - zegar.elapsed());
        const long rss = pamiecKB("VmRSS:");
        pamiecMax = std::max(pamiecMax, rss);
        pamiecMin = std::min(pamiecMin, rss);
        std::printf("  %6.1f s: %lld frames sent, %lld lines held, resident %ld kB (anonymous %ld kB), heap %ld kB "
                    "in use of %ld kB held\n",
                    double(zegar.elapsed()) / 1000.0, static_cast<long long>(nadajnik.wyslane()),
                    static_cast<long long>(model.liczbaLinii()), rss, pamiecKB("RssAnon:"), stertaKB(), stertaCalaKB());
        std::fflush(stdout);
    }
    const double sekundy = double(zegar.elapsed()) / 1000.0;
    const double cpu = czasProcesora() - cpuStart;
    const double cpuEmulatora = czasProcesora(emulator.processId()) - cpuEmulatoraStart;
    const qint64 wyslane = nadajnik.wyslane() - wyslaneStart;
    o.w<QCheckBox>(QStringLiteral("chNasluch"))->click();
    QThread::msleep(200);
    ::kill(pid_t(emulator.processId()), SIGUSR1);
    const QString statystyka = czekajNaLinie(dziennik, QStringLiteral("STATS "));

    std::printf("ran %.1f s: %lld frames sent (%.2f a second), %lld lines held, view %d rows\n", sekundy,
                static_cast<long long>(wyslane), double(wyslane) / sekundy,
                static_cast<long long>(model.liczbaLinii()), monitor->findChild<QTableView *>()->model()->rowCount());
    std::printf("emulator: %s\n", qPrintable(statystyka));
    std::printf("memory after the first second / at the end: resident %ld / %ld kB (lowest %ld, highest %ld kB over "
                "the run), anonymous %ld / %ld kB, heap in use %ld / %ld kB\n",
                pamiecStart, pamiecKB("VmRSS:"), pamiecMin, pamiecMax, anonimowaStart, pamiecKB("RssAnon:"),
                stertaStart, stertaKB());
    std::printf("CPU: program %.2f%% of a core (%.2f s), emulator %.2f%% (%.2f s)\n", 100.0 * cpu / sekundy, cpu,
                100.0 * cpuEmulatora / sekundy, cpuEmulatora);
    emulator.closeWriteChannel();
    emulator.waitForFinished();
    return 0;
}
