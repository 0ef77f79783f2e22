// The emulator as a process: how it ends, its reports on request and at the
// end, and that it rests while nothing happens.
#include "wspolne/emulator.h"

#include <QtTest>

#include <csignal>

namespace {

// CPU time used by the process so far, in clock ticks.
qint64 czasProcesora(qint64 pid)
{
    QFile f(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray stat = f.readAll();
    // Fields after the command name, which is in parentheses and may hold
    // spaces; utime and stime are the 14th and 15th fields.
    const QList<QByteArray> pola = stat.mid(stat.lastIndexOf(')') + 2).split(' ');
    return pola.value(11).toLongLong() + pola.value(12).toLongLong();
}

} // namespace

class TestProces : public QObject
{
    Q_OBJECT

private slots:
    void pierwszaLinia();
    void sygnalKonczy_data();
    void sygnalKonczy();
    void koniecWejscia();
    void statystykaNaZadanie();
    void spoczynek();
};

void TestProces::pierwszaLinia()
{
    EmulatorTestowy emu;
    QVERIFY(emu.uruchom());
    QVERIFY(emu.urzadzenie().startsWith("/dev/pts/"));
    QVERIFY(QFileInfo(emu.urzadzenie()).exists());
    // The device line is not one of the log lines.
    QVERIFY(!emu.linie().contains(emu.urzadzenie()));
}

void TestProces::sygnalKonczy_data()
{
    QTest::addColumn<int>("sygnal");
    QTest::newRow("SIGTERM") << int(SIGTERM);
    QTest::newRow("SIGINT") << int(SIGINT);
}

void TestProces::sygnalKonczy()
{
    QFETCH(int, sygnal);
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QString link = folder.filePath("port");
    // Started the way the program's demo mode does it, without --stdin.
    QProcess p;
    p.start(KONWERTER_EMU, {"--link", link});
    QVERIFY(p.waitForStarted());
    while (!p.canReadLine())
        QVERIFY(p.waitForReadyRead(5000));
    QCOMPARE(QString::fromLocal8Bit(p.readLine()).trimmed(), link);
    QVERIFY(QFileInfo(link).isSymLink());
    QCOMPARE(::kill(static_cast<pid_t>(p.processId()), sygnal), 0);
    QVERIFY(p.waitForFinished(5000));
    QCOMPARE(p.exitStatus(), QProcess::NormalExit);
    QCOMPARE(p.exitCode(), 0);
    const QList<QByteArray> linie = p.readAllStandardOutput().trimmed().split('\n');
    QCOMPARE(linie.constLast(), QByteArray("STATS frames=0 mean=0.000 p99dev=0.000 maxdev=0.000"));
    QVERIFY(!QFileInfo(link).isSymLink());
}

void TestProces::koniecWejscia()
{
    EmulatorTestowy emu;
    QVERIFY(emu.uruchom());
    QVERIFY(emu.zatrzymaj());
    QVERIFY(!emu.dziala());
    QVERIFY(emu.linie().constLast().startsWith("STATS frames=0 "));
}

void TestProces::statystykaNaZadanie()
{
    EmulatorTestowy emu;
    QVERIFY(emu.uruchom());
    for (int i = 0; i < 2; ++i) {
        const EmulatorTestowy::Statystyka s = emu.statystyka();
        QVERIFY(s.wazna());
        QCOMPARE(s.ramki, 0);
    }
    QCOMPARE(emu.linie().filter("STATS").size(), 2);
    QVERIFY(emu.dziala());
}

void TestProces::spoczynek()
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

QTEST_GUILESS_MAIN(TestProces)
#include "test_proces.moc"
