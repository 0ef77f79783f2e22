// Scale frames through the port, decoded with the template of the current
// frame type into the current of the current mode and maximum; their timing;
// and the emulator as a process: its device, its ending, its rest.
#include "klient.h"
#include "wspolne/emulator.h"
#include "wspolne/pliki.h"

#include <QtTest>

#include <csignal>

using Klient::ramka;

namespace {

// CPU time used by the process so far, in clock ticks: utime and stime are the
// 12th and 13th fields after the command name, which may hold spaces.
qint64 czasProcesora(qint64 pid)
{
    QFile f(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray stat = f.readAll();
    const QList<QByteArray> pola = stat.mid(stat.lastIndexOf(')') + 2).split(' ');
    return pola.value(11).toLongLong() + pola.value(12).toLongLong();
}

} // namespace

class TestRamki : public QObject
{
    Q_OBJECT

private slots:
    void dekodowanie();
    void czestotliwosc();
    void sygnalKonczy();
    void spoczynek();
};

void TestRamki::dekodowanie()
{
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    // Windows-1250, and a name whose case differs from the one looked for.
    QVERIFY(zapiszBajty(folder.filePath("Settings.INI"),
                        "[1]\r\nramka=zmm0k00msjj\r\n[2]\r\nramka=000000sj\r\n[parametry]\r\njm=\xb3" "b\r\n"));
    EmulatorTestowy emu;
    QVERIFY(emu.uruchom({"--max", "002000"}, folder.path()));
    QCOMPARE(emu.czekajNaLinie("TYPE"),
             QString::fromUtf8("TYPE \"1\" template=\"zmm0k00msjj\" unit=\"łb\" plus=\"+\" minus=\"_\" zero=\" \""));
    const auto port = Klient::otworz(emu.urzadzenie());
    QVERIFY(port);

    // A frame and the line it gives, or a command and its answer; the mode, the
    // maximum and the frame type set over the line count from the next frame on.
    const QList<QPair<QByteArray, QString>> przebieg{
        {"+  1.000 \xb3" "b", "FRAME \"+  1.000 łb\" weight=1000 current=16.00 mA"},
        {"_  0.500 \xb3" "b", "FRAME \"_  0.500 łb\" weight=-500 current=10.00 mA"},
        {"   0.000 \xb3" "b", "FRAME \"   0.000 łb\" weight=0 current=12.00 mA"},
        {"+  1.000 kg", "FRAME \"+  1.000 kg\" undecodable"},
        {ramka("01"), ramka("01")},
        {"_  2.000 \xb3" "b", "FRAME \"_  2.000 łb\" weight=-2000 current=20.00 mA"},
        {ramka("12"), ramka("12")},
        {"000500 b", "FRAME \"000500 b\" weight=500 current=8.00 mA"},
        {ramka("2000250"), ramka("2000250")},
        {ramka("02"), ramka("02")},
        {"000125 b", "FRAME \"000125 b\" weight=125 current=12.00 mA"},
        {"000500 b", "FRAME \"000500 b\" weight=500 current=20.00 mA"},
        // A frame type the file does not describe takes the defaults.
        {ramka("17"), ramka("17")},
        {"   125", "FRAME \"   125\" weight=125 current=12.00 mA"},
    };
    for (const auto &[wysylane, oczekiwane] : przebieg) {
        if (wysylane.startsWith('\x01')) {
            QCOMPARE(Klient::wymiana(*port, wysylane).bajty, oczekiwane.toLatin1());
            continue;
        }
        port->write(wysylane + "\r\n");
        QVERIFY(port->waitForBytesWritten(1000));
        QCOMPARE(emu.czekajNaLinie("FRAME"), oczekiwane);
    }
}

void TestRamki::czestotliwosc()
{
    EmulatorTestowy emu;
    QVERIFY(emu.uruchom({"--quiet-frames"}));
    const auto port = Klient::otworz(emu.urzadzenie());
    QVERIFY(port);

    // About one second of frames at the program's pace: 21 frames, 20 periods.
    int wyslane = 0;
    QTimer zegar;
    zegar.setTimerType(Qt::PreciseTimer);
    QEventLoop petla;
    QObject::connect(&zegar, &QTimer::timeout, &petla, [&] {
        port->write("  1234\r\n");
        port->flush();
        if (++wyslane == 21)
            petla.quit();
    });
    zegar.start(50);
    petla.exec();
    zegar.stop();
    QTest::qWait(100);

    // On request, any number of times, and once more at the end.
    const EmulatorTestowy::Statystyka s = emu.statystyka();
    QVERIFY2(s.ramki >= 19 && s.ramki <= 23, qPrintable(QString::number(s.ramki)));
    QVERIFY2(s.srednia >= 45.0 && s.srednia <= 55.0, qPrintable(QString::number(s.srednia)));
    QVERIFY(s.maks >= s.p99);
    QCOMPARE(emu.statystyka().ramki, s.ramki);
    QVERIFY(emu.linie().filter("FRAME").isEmpty());
    QVERIFY(emu.zatrzymaj());
    const auto ostatnia = EmulatorTestowy::rozbierzStatystyke(emu.linie().constLast());
    QCOMPARE(ostatnia.ramki, s.ramki);
    QCOMPARE(ostatnia.srednia, s.srednia);
    QCOMPARE(emu.linie().filter("STATS").size(), 3);
}

void TestRamki::sygnalKonczy()
{
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QString link = folder.filePath("port");
    for (const int sygnal : {SIGTERM, SIGINT}) {
        // Started the way the program's demo mode does it, without --stdin.
        QProcess p;
        p.start(KONWERTER_EMU, {"--link", link});
        QVERIFY(p.waitForStarted());
        while (!p.canReadLine())
            QVERIFY(p.waitForReadyRead(5000));
        QCOMPARE(QString::fromLocal8Bit(p.readLine()).trimmed(), link);
        QVERIFY(QFileInfo(link).symLinkTarget().startsWith("/dev/pts/"));
        QCOMPARE(Klient::wymiana(link, ramka("3?")).bajty, ramka("3KCI 1.07"));
        QCOMPARE(::kill(static_cast<pid_t>(p.processId()), sygnal), 0);
        QVERIFY(p.waitForFinished(5000));
        QCOMPARE(p.exitStatus(), QProcess::NormalExit);
        QCOMPARE(p.exitCode(), 0);
        const QList<QByteArray> linie = p.readAllStandardOutput().trimmed().split('\n');
        QCOMPARE(linie.constLast(), QByteArray("STATS frames=0 mean=0.000 p99dev=0.000 maxdev=0.000"));
        QVERIFY(!QFileInfo(link).isSymLink());
    }
}

void TestRamki::spoczynek()
{
    EmulatorTestowy emu;
    QVERIFY(emu.uruchom());
    QTest::qWait(200);
    const qint64 przed = czasProcesora(emu.pid());
    QVERIFY(przed >= 0);
    QTest::qWait(2000);
    const qint64 po = czasProcesora(emu.pid());
    // Two seconds idle: at most 2 ticks (20 ms at 100 Hz), 1% of a core.
    QVERIFY2(po - przed <= 2, qPrintable(QString::number(po - przed)));
}

QTEST_GUILESS_MAIN(TestRamki)
#include "test_ramki.moc"
