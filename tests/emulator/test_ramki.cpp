// Scale frames sent through the port: decoded with the template of the current
// frame type, the current of the current mode and maximum, and their timing.
#include "klient.h"
#include "wspolne/emulator.h"

#include <QtTest>

using Klient::ramka;

namespace {

// Frame types 1 (sign, decimal point, unit) and 2 (zero-padded digits), in
// Windows-1250 and under a name whose case differs from the one looked for.
void zapiszUstawienia(const QString &folder)
{
    QFile f(QDir(folder).filePath("Settings.INI"));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("[1]\r\nramka=zmm0k00msjj\r\n"
            "[2]\r\nramka=000000sj\r\n"
            "[parametry]\r\njm=\xb3" "b\r\n");
}

} // namespace

class TestRamki : public QObject
{
    Q_OBJECT

private slots:
    void dekodowanie();
    void czestotliwosc();
};

void TestRamki::dekodowanie()
{
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    zapiszUstawienia(folder.path());
    EmulatorTestowy emu;
    QVERIFY(emu.uruchom({"--max", "002000"}, folder.path()));
    QCOMPARE(emu.czekajNaLinie("TYPE"),
             QString::fromUtf8("TYPE \"1\" template=\"zmm0k00msjj\" unit=\"łb\" plus=\"+\" minus=\"_\" zero=\" \""));
    const auto port = Klient::otworz(emu.urzadzenie());
    QVERIFY(port);

    const auto wyslij = [&](const QByteArray &r) {
        port->write(r + "\r\n");
        return port->waitForBytesWritten(1000);
    };
    QVERIFY(wyslij("+  1.000 \xb3" "b"));
    QCOMPARE(emu.czekajNaLinie("FRAME"),
             QString::fromUtf8("FRAME \"+  1.000 łb\" weight=1000 current=16.00 mA"));
    QVERIFY(wyslij("_  0.500 \xb3" "b"));
    QCOMPARE(emu.czekajNaLinie("FRAME"),
             QString::fromUtf8("FRAME \"_  0.500 łb\" weight=-500 current=10.00 mA"));
    QVERIFY(wyslij("   0.000 \xb3" "b"));
    QCOMPARE(emu.czekajNaLinie("FRAME"),
             QString::fromUtf8("FRAME \"   0.000 łb\" weight=0 current=12.00 mA"));
    QVERIFY(wyslij("+  1.000 kg"));
    QCOMPARE(emu.czekajNaLinie("FRAME"), QString("FRAME \"+  1.000 kg\" undecodable"));

    // The mode, the maximum and the frame type set over the line take effect
    // from the next frame on.
    QCOMPARE(Klient::wymiana(*port, ramka("01")).bajty, ramka("01"));
    QVERIFY(wyslij("_  2.000 \xb3" "b"));
    QCOMPARE(emu.czekajNaLinie("FRAME"),
             QString::fromUtf8("FRAME \"_  2.000 łb\" weight=-2000 current=20.00 mA"));
    QCOMPARE(Klient::wymiana(*port, ramka("12")).bajty, ramka("12"));
    QCOMPARE(emu.czekajNaLinie("TYPE"),
             QString::fromUtf8("TYPE \"2\" template=\"000000sj\" unit=\"łb\" plus=\"+\" minus=\"_\" zero=\" \""));
    QVERIFY(wyslij("000500 b"));
    QCOMPARE(emu.czekajNaLinie("FRAME"), QString("FRAME \"000500 b\" weight=500 current=8.00 mA"));
    QCOMPARE(Klient::wymiana(*port, ramka("2000250")).bajty, ramka("2000250"));
    QCOMPARE(Klient::wymiana(*port, ramka("02")).bajty, ramka("02"));
    QVERIFY(wyslij("000125 b"));
    QCOMPARE(emu.czekajNaLinie("FRAME"), QString("FRAME \"000125 b\" weight=125 current=12.00 mA"));
    QVERIFY(wyslij("000500 b"));
    QCOMPARE(emu.czekajNaLinie("FRAME"), QString("FRAME \"000500 b\" weight=500 current=20.00 mA"));
    // A frame type the file does not describe takes the defaults.
    QCOMPARE(Klient::wymiana(*port, ramka("17")).bajty, ramka("17"));
    QVERIFY(wyslij("   125"));
    QCOMPARE(emu.czekajNaLinie("FRAME"), QString("FRAME \"   125\" weight=125 current=12.00 mA"));
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
    zegar.setInterval(50);
    QEventLoop petla;
    QObject::connect(&zegar, &QTimer::timeout, &petla, [&] {
        port->write("  1234\r\n");
        port->flush();
        if (++wyslane == 21)
            petla.quit();
    });
    zegar.start();
    petla.exec();
    zegar.stop();
    QTest::qWait(100);

    const EmulatorTestowy::Statystyka s = emu.statystyka();
    QVERIFY(s.wazna());
    QVERIFY2(s.ramki >= 19 && s.ramki <= 23, qPrintable(QString::number(s.ramki)));
    QVERIFY2(s.srednia >= 45.0 && s.srednia <= 55.0, qPrintable(QString::number(s.srednia)));
    QVERIFY(s.maks >= s.p99);
    QVERIFY(emu.linie().filter("FRAME").isEmpty());

    // The report at the end counts the same frames.
    QVERIFY(emu.zatrzymaj());
    const QStringList linie = emu.linie();
    const auto ostatnia = EmulatorTestowy::rozbierzStatystyke(linie.constLast());
    QCOMPARE(ostatnia.ramki, s.ramki);
    QCOMPARE(ostatnia.srednia, s.srednia);
}

QTEST_GUILESS_MAIN(TestRamki)
#include "test_ramki.moc"
