// Each fault option of the emulator, seen from the port.
#include "klient.h"
#include "wspolne/emulator.h"

#include <QtTest>

using Klient::ramka;

class TestUsterki : public QObject
{
    Q_OBJECT

private slots:
    void milczenie();
    void opoznienie();
    void kawalki();
    void dopisek();
    void szumPrzedOdpowiedzia();
    void zlaDlugosc_data();
    void zlaDlugosc();
    void zalew();
    void spoznionaOdpowiedzPrzepada();
    void nieodczytanePrzepada();
    void zleOpcje_data();
    void zleOpcje();
};

void TestUsterki::milczenie()
{
    EmulatorTestowy emu;
    QVERIFY(emu.uruchom({"--silent"}));
    const auto port = Klient::otworz(emu.urzadzenie());
    QVERIFY(port);
    QCOMPARE(Klient::wymiana(*port, ramka("0?"), 500).bajty, QByteArray());
    // A set command still takes effect; it only is not answered.
    QCOMPARE(Klient::wymiana(*port, ramka("02"), 300).bajty, QByteArray());
    QVERIFY(!emu.czekajNaLinie("RX 01 30 32 04").isNull());
    QVERIFY(emu.tx().isEmpty());
    QVERIFY(emu.zatrzymaj());
    EmulatorTestowy drugi;
    QVERIFY(drugi.uruchom({"--mode", "2"}));
    QCOMPARE(Klient::wymiana(drugi.urzadzenie(), ramka("0?")).bajty, ramka("02"));
}

void TestUsterki::opoznienie()
{
    EmulatorTestowy emu;
    QVERIFY(emu.uruchom({"--delay", "300"}));
    const auto port = Klient::otworz(emu.urzadzenie());
    QVERIFY(port);
    const Klient::Odbior o = Klient::wymiana(*port, ramka("2?"));
    QCOMPARE(o.bajty, ramka("2001500"));
    QVERIFY2(o.chwile.constFirst() >= 295, qPrintable(QString::number(o.chwile.constFirst())));
    QVERIFY2(o.chwile.constFirst() < 800, qPrintable(QString::number(o.chwile.constFirst())));
}

void TestUsterki::kawalki()
{
    EmulatorTestowy emu;
    QVERIFY(emu.uruchom({"--split", "2"}));
    const auto port = Klient::otworz(emu.urzadzenie());
    QVERIFY(port);
    // Nine bytes in five pieces: four pauses of 5 ms between the first byte and
    // the EOT.
    const Klient::Odbior o = Klient::wymiana(*port, ramka("2?"));
    QCOMPARE(o.bajty, ramka("2001500"));
    QVERIFY2(o.chwile.size() >= 3, qPrintable(QString::number(o.chwile.size())));
    const qint64 rozpietosc = o.chwile.constLast() - o.chwile.constFirst();
    QVERIFY2(rozpietosc >= 15, qPrintable(QString::number(rozpietosc)));
    QVERIFY(!emu.czekajNaLinie("TX").isNull());
    QCOMPARE(emu.tx(), QList<QByteArray>{ramka("2001500")});
}

void TestUsterki::dopisek()
{
    EmulatorTestowy emu;
    QVERIFY(emu.uruchom({"--trailing", "\r\nOK"}));
    const auto port = Klient::otworz(emu.urzadzenie());
    QVERIFY(port);
    QCOMPARE(Klient::wymiana(*port, ramka("0?")).bajty, ramka("00") + "\r\nOK");
    QCOMPARE(Klient::wymiana(*port, ramka("01")).bajty, ramka("01") + "\r\nOK");
    QVERIFY(!emu.czekajNaLinie("TX 01 30 31 04 0D 0A 4F 4B").isNull());
}

void TestUsterki::szumPrzedOdpowiedzia()
{
    EmulatorTestowy emu;
    QVERIFY(emu.uruchom({"--noise", "~#"}));
    const auto port = Klient::otworz(emu.urzadzenie());
    QVERIFY(port);
    QCOMPARE(Klient::wymiana(*port, ramka("3?")).bajty, "~#" + ramka("3KCI 1.07"));
    QVERIFY(!emu.czekajNaLinie("TX 7E 23 01 33").isNull());
}

void TestUsterki::zlaDlugosc_data()
{
    QTest::addColumn<QByteArray>("polecenie");
    QTest::addColumn<QByteArray>("odpowiedz");
    QTest::newRow("mode") << ramka("0?") << ramka("000");
    QTest::newRow("frame") << ramka("1?") << ramka("110");
    QTest::newRow("max") << ramka("2?") << ramka("20015000");
    QTest::newRow("version") << ramka("3?") << ramka("3KCI 1.070");
    // Set answers are not query answers.
    QTest::newRow("set mode") << ramka("01") << ramka("01");
}

void TestUsterki::zlaDlugosc()
{
    QFETCH(QByteArray, polecenie);
    QFETCH(QByteArray, odpowiedz);
    EmulatorTestowy emu;
    QVERIFY(emu.uruchom({"--wrong-length"}));
    QCOMPARE(Klient::wymiana(emu.urzadzenie(), polecenie).bajty, odpowiedz);
}

void TestUsterki::zalew()
{
    EmulatorTestowy emu;
    QVERIFY(emu.uruchom({"--flood", "1"}));
    const auto port = Klient::otworz(emu.urzadzenie());
    QVERIFY(port);
    // The program's wait for an EOT must end by its time-out, not by silence.
    const Klient::Odbior o = Klient::wymiana(*port, ramka("0?"), 1500);
    QVERIFY(!o.bajty.contains('\x04'));
    QVERIFY2(o.bajty.size() > 500, qPrintable(QString::number(o.bajty.size())));
    QCOMPARE(o.bajty.count('U'), o.bajty.size());
    QVERIFY2(o.chwile.constLast() > 900, qPrintable(QString::number(o.chwile.constLast())));
    QVERIFY2(o.chwile.constLast() < 1300, qPrintable(QString::number(o.chwile.constLast())));
    // Then the line goes quiet.
    QVERIFY(!emu.czekajNaLinie("FLOOD end").isNull());
    QCOMPARE(Klient::zbieraj(*port, 300).bajty, QByteArray());
    QVERIFY(emu.tx().isEmpty());
}

void TestUsterki::spoznionaOdpowiedzPrzepada()
{
    EmulatorTestowy emu;
    QVERIFY(emu.uruchom({"--delay", "400"}));
    {
        const auto port = Klient::otworz(emu.urzadzenie());
        QVERIFY(port);
        QCOMPARE(Klient::wymiana(*port, ramka("2?"), 150).bajty, QByteArray());
    }
    // The port was closed when the answer came: it never reaches the next
    // opening.
    QCOMPARE(emu.czekajNaLinie("LOST"), QString("LOST 01 32 30 30 31 35 30 30 04"));
    const auto port = Klient::otworz(emu.urzadzenie());
    QVERIFY(port);
    QCOMPARE(Klient::zbieraj(*port, 200).bajty, QByteArray());
    QCOMPARE(Klient::wymiana(*port, ramka("0?")).bajty, ramka("00"));
    QCOMPARE(emu.tx(), QList<QByteArray>{ramka("00")});
}

void TestUsterki::nieodczytanePrzepada()
{
    EmulatorTestowy emu;
    QVERIFY(emu.uruchom());
    {
        const auto port = Klient::otworz(emu.urzadzenie());
        QVERIFY(port);
        port->write(ramka("3?"));
        QVERIFY(port->waitForBytesWritten(1000));
        QVERIFY(!emu.czekajNaLinie("TX").isNull());
    }
    QVERIFY(!emu.czekajNaLinie("PORT closed").isNull());
    const auto port = Klient::otworz(emu.urzadzenie());
    QVERIFY(port);
    QCOMPARE(Klient::zbieraj(*port, 200).bajty, QByteArray());
}

void TestUsterki::zleOpcje_data()
{
    QTest::addColumn<QStringList>("argumenty");
    QTest::newRow("mode 2 chars") << QStringList{"--mode", "12"};
    QTest::newRow("max 10 digits") << QStringList{"--max", "1234567890"};
    QTest::newRow("max letter") << QStringList{"--max", "12345a"};
    QTest::newRow("frame 2 chars") << QStringList{"--frame", "12"};
    QTest::newRow("split 0") << QStringList{"--split", "0"};
    QTest::newRow("delay negative") << QStringList{"--delay", "-1"};
    QTest::newRow("flood 0") << QStringList{"--flood", "0"};
    QTest::newRow("unknown option") << QStringList{"--fast"};
}

void TestUsterki::zleOpcje()
{
    QFETCH(QStringList, argumenty);
    QProcess p;
    p.start(KONWERTER_EMU, argumenty);
    QVERIFY(p.waitForFinished(5000));
    QCOMPARE(p.exitCode(), 2);
    QVERIFY(p.readAllStandardOutput().isEmpty());
    QVERIFY(!p.readAllStandardError().isEmpty());
}

QTEST_GUILESS_MAIN(TestUsterki)
#include "test_usterki.moc"
