// Commands and answers over a real pseudo-terminal, byte for byte, with each
// fault the emulator offers.
#include "klient.h"
#include "wspolne/emulator.h"

#include <QtTest>

using Klient::ramka;

class TestPolecenia : public QObject
{
    Q_OBJECT

private slots:
    void rozmowa_data();
    void rozmowa();
    void czasOdpowiedzi();
    void zalew();
    void zamknietyPortGubi();
    void szumMiedzyPoleceniami();
    void ponowneOtwieranie();
    void zleOpcje();
};

void TestPolecenia::rozmowa_data()
{
    QTest::addColumn<QStringList>("argumenty");
    // Command, answer, command, answer...; an empty answer is none at all.
    QTest::addColumn<QList<QByteArray>>("rozmowa");

    QTest::newRow("state at start")
        << QStringList{"--mode", "2", "--frame", "B", "--max", "004000", "--version", "KCI 2.00b"}
        << QList<QByteArray>{ramka("0?"), ramka("02"), ramka("1?"), ramka("1B"), ramka("2?"),
                             ramka("2004000"), ramka("3?"), ramka("3KCI 2.00b")};
    QTest::newRow("faulty state at start")
        << QStringList{"--mode", "7", "--max", "12345", "--version", ""}
        << QList<QByteArray>{ramka("0?"), ramka("07"), ramka("2?"), ramka("212345"), ramka("3?"), ramka("3")};
    // A set command is answered like the query; a value the converter does not
    // take leaves the old one.
    QTest::newRow("set") << QStringList{} << QList<QByteArray>{
        ramka("01"), ramka("01"), ramka("0?"), ramka("01"), ramka("02"), ramka("02"),
        ramka("00"), ramka("00"), ramka("03"), ramka("00"), ramka("012"), ramka("00"),
        ramka("0"), ramka("00"), ramka("0?"), ramka("00"),
        ramka("17"), ramka("17"), ramka("1x"), ramka("1x"), ramka("123"), ramka("1x"),
        ramka("1?"), ramka("1x"),
        ramka("2012345"), ramka("2012345"), ramka("2?"), ramka("2012345"),
        ramka("2999999"), ramka("2999999"), ramka("212345"), ramka("2999999"),
        ramka("21234567"), ramka("2999999"), ramka("212a456"), ramka("2999999"),
        ramka("2-01500"), ramka("2999999"), ramka("2?"), ramka("2999999")};
    QTest::newRow("unknown commands") << QStringList{} << QList<QByteArray>{
        ramka("4?"), {}, ramka("3x"), {}, ramka(""), {}, ramka("?"), {}, ramka("0?"), ramka("00")};
    QTest::newRow("set ignored") << QStringList{"--ignore-set", "--mode", "1"} << QList<QByteArray>{
        ramka("02"), ramka("01"), ramka("0?"), ramka("01"), ramka("1Z"), ramka("11"),
        ramka("1?"), ramka("11"), ramka("2000100"), ramka("2001500"), ramka("2?"), ramka("2001500")};
    QTest::newRow("silent") << QStringList{"--silent"}
                            << QList<QByteArray>{ramka("0?"), {}, ramka("02"), {}, ramka("3?"), {}};
    QTest::newRow("bytes after EOT") << QStringList{"--trailing", "\r\nOK"} << QList<QByteArray>{
        ramka("0?"), ramka("00") + "\r\nOK", ramka("01"), ramka("01") + "\r\nOK"};
    QTest::newRow("noise before SOH") << QStringList{"--noise", "~#"}
                                      << QList<QByteArray>{ramka("3?"), "~#" + ramka("3KCI 1.07")};
    // Only query answers are too long.
    QTest::newRow("wrong length") << QStringList{"--wrong-length"} << QList<QByteArray>{
        ramka("0?"), ramka("000"), ramka("1?"), ramka("110"), ramka("2?"), ramka("20015000"),
        ramka("3?"), ramka("3KCI 1.070"), ramka("01"), ramka("01")};
}

void TestPolecenia::rozmowa()
{
    QFETCH(QStringList, argumenty);
    QFETCH(QList<QByteArray>, rozmowa);

    EmulatorTestowy emu;
    QVERIFY(emu.uruchom(argumenty));
    QList<QByteArray> polecenia;
    QList<QByteArray> odpowiedzi;
    for (qsizetype i = 0; i < rozmowa.size(); i += 2) {
        // Each exchange on its own opening of the port, as the program does it.
        const QByteArray &odpowiedz = rozmowa.at(i + 1);
        QCOMPARE(Klient::wymiana(emu.urzadzenie(), rozmowa.at(i), odpowiedz.isEmpty() ? 300 : 2000).bajty,
                 odpowiedz);
        polecenia << rozmowa.at(i);
        if (!odpowiedz.isEmpty())
            odpowiedzi << odpowiedz;
    }
    QTRY_COMPARE(emu.rx(), polecenia);
    QTRY_COMPARE(emu.tx(), odpowiedzi);
}

void TestPolecenia::czasOdpowiedzi()
{
    EmulatorTestowy opozniony;
    QVERIFY(opozniony.uruchom({"--delay", "300"}));
    Klient::Odbior o = Klient::wymiana(opozniony.urzadzenie(), ramka("2?"));
    QCOMPARE(o.bajty, ramka("2001500"));
    QVERIFY2(o.chwile.constFirst() >= 295 && o.chwile.constFirst() < 800,
             qPrintable(QString::number(o.chwile.constFirst())));

    // Nine bytes in pieces of two: four pauses of 5 ms between the first byte
    // and the EOT.
    EmulatorTestowy kawalki;
    QVERIFY(kawalki.uruchom({"--split", "2"}));
    o = Klient::wymiana(kawalki.urzadzenie(), ramka("2?"));
    QCOMPARE(o.bajty, ramka("2001500"));
    QVERIFY2(o.chwile.size() >= 3, qPrintable(QString::number(o.chwile.size())));
    QVERIFY2(o.chwile.constLast() - o.chwile.constFirst() >= 15,
             qPrintable(QString::number(o.chwile.constLast() - o.chwile.constFirst())));
}

void TestPolecenia::zalew()
{
    EmulatorTestowy emu;
    QVERIFY(emu.uruchom({"--flood", "1"}));
    const auto port = Klient::otworz(emu.urzadzenie());
    QVERIFY(port);
    // The program's wait for an EOT must end by its time-out, not by silence.
    const Klient::Odbior o = Klient::wymiana(*port, ramka("0?"), 1500);
    QVERIFY2(o.bajty.size() > 500, qPrintable(QString::number(o.bajty.size())));
    QCOMPARE(o.bajty.count('U'), o.bajty.size());
    QVERIFY2(o.chwile.constLast() > 900 && o.chwile.constLast() < 1300,
             qPrintable(QString::number(o.chwile.constLast())));
    // Then the line goes quiet.
    QVERIFY(!emu.czekajNaLinie("FLOOD end").isNull());
    QCOMPARE(Klient::wymiana(*port, {}, 300).bajty, QByteArray());
    QVERIFY(emu.tx().isEmpty());
}

void TestPolecenia::zamknietyPortGubi()
{
    EmulatorTestowy emu;
    QVERIFY(emu.uruchom({"--delay", "400"}));
    // The port is closed when the answer comes: it never reaches the next
    // opening.
    QCOMPARE(Klient::wymiana(emu.urzadzenie(), ramka("2?"), 150).bajty, QByteArray());
    QCOMPARE(emu.czekajNaLinie("LOST"), QString("LOST 01 32 30 30 31 35 30 30 04"));
    QCOMPARE(Klient::wymiana(emu.urzadzenie(), ramka("0?")).bajty, ramka("00"));
    QCOMPARE(emu.tx(), QList<QByteArray>{ramka("00")});

    // An answer the client left unread goes with the closing.
    EmulatorTestowy szybki;
    QVERIFY(szybki.uruchom());
    {
        const auto port = Klient::otworz(szybki.urzadzenie());
        QVERIFY(port);
        port->write(ramka("3?"));
        QVERIFY(port->waitForBytesWritten(1000));
        QVERIFY(!szybki.czekajNaLinie("TX").isNull());
    }
    QVERIFY(!szybki.czekajNaLinie("PORT closed").isNull());
    QCOMPARE(Klient::wymiana(szybki.urzadzenie(), {}, 200).bajty, QByteArray());
}

void TestPolecenia::szumMiedzyPoleceniami()
{
    EmulatorTestowy emu;
    QVERIFY(emu.uruchom());
    const auto port = Klient::otworz(emu.urzadzenie());
    QVERIFY(port);
    // Noise before a frame and a frame cut off by a new SOH are dropped.
    QCOMPARE(Klient::wymiana(*port, "xyz\x04\x01" "2" + ramka("1?")).bajty, ramka("11"));
    QCOMPARE(emu.rx(), QList<QByteArray>{ramka("1?")});
    // A frame split over two writes is joined.
    port->write("\x01" "0");
    QVERIFY(port->waitForBytesWritten(1000));
    QTest::qWait(50);
    QCOMPARE(Klient::wymiana(*port, "?\x04").bajty, ramka("00"));
}

void TestPolecenia::ponowneOtwieranie()
{
    EmulatorTestowy emu;
    QVERIFY(emu.uruchom());
    for (int i = 0; i < 20; ++i) {
        const auto port = Klient::otworz(emu.urzadzenie());
        QVERIFY2(port, qPrintable(QString::number(i)));
        if (i % 2 == 0)
            QCOMPARE(Klient::wymiana(*port, ramka("2?")).bajty, ramka("2001500"));
    }
    QCOMPARE(emu.rx().size(), 10);
    QVERIFY(emu.zatrzymaj());
}

void TestPolecenia::zleOpcje()
{
    const QList<QStringList> przypadki{{"--mode", "12"}, {"--frame", "12"}, {"--max", "1234567890"},
                                       {"--max", "12345a"}, {"--split", "0"}, {"--delay", "-1"},
                                       {"--flood", "0"}, {"--flood-rate", "0"}, {"--fast"}, {"--gain", "0.5"},
                                       {"--dmm-silent"}, {"--dmm", "--gain", "0,5"},
                                       {"--dmm", "--offset", "25"}, {"--dmm", "--nonlinearity", "nan"},
                                       {"--dmm", "--dmm-noise", "-1"}, {"--dmm", "--dmm-tau", "-5"},
                                       {"--link", "/tmp/k", "--dmm-link", "/tmp/k"}};
    for (const QStringList &argumenty : przypadki) {
        QProcess p;
        p.start(KONWERTER_EMU, argumenty);
        QVERIFY(p.waitForFinished(5000));
        QCOMPARE(p.exitCode(), 2);
        QVERIFY(p.readAllStandardOutput().isEmpty());
        QVERIFY2(!p.readAllStandardError().isEmpty(), qPrintable(argumenty.join(' ')));
    }
}

QTEST_GUILESS_MAIN(TestPolecenia)
#include "test_polecenia.moc"
