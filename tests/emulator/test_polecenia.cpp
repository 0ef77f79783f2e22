// Commands and answers over a real pseudo-terminal, byte for byte.
#include "klient.h"
#include "wspolne/emulator.h"

#include <QtTest>

using Klient::ramka;

class TestPolecenia : public QObject
{
    Q_OBJECT

private slots:
    void zapytania_data();
    void zapytania();
    void ustawienia_data();
    void ustawienia();
    void ignorowaneUstawienia();
    void nieznanePolecenia();
    void szumMiedzyPoleceniami();
    void ponowneOtwieranie();
    void dowiazanie();
};

void TestPolecenia::zapytania_data()
{
    QTest::addColumn<QStringList>("argumenty");
    QTest::addColumn<QByteArray>("zapytanie");
    QTest::addColumn<QByteArray>("odpowiedz");

    QTest::newRow("mode default") << QStringList{} << ramka("0?") << ramka("00");
    QTest::newRow("frame default") << QStringList{} << ramka("1?") << ramka("11");
    QTest::newRow("max default") << QStringList{} << ramka("2?") << ramka("2001500");
    QTest::newRow("version default") << QStringList{} << ramka("3?") << ramka("3KCI 1.07");
    const QStringList ustawione{"--mode", "2", "--frame", "B", "--max", "004000",
                                "--version", "KCI 2.00b"};
    QTest::newRow("mode set") << ustawione << ramka("0?") << ramka("02");
    QTest::newRow("frame set") << ustawione << ramka("1?") << ramka("1B");
    QTest::newRow("max set") << ustawione << ramka("2?") << ramka("2004000");
    QTest::newRow("version set") << ustawione << ramka("3?") << ramka("3KCI 2.00b");
    QTest::newRow("empty version") << QStringList{"--version", ""} << ramka("3?") << ramka("3");
}

void TestPolecenia::zapytania()
{
    QFETCH(QStringList, argumenty);
    QFETCH(QByteArray, zapytanie);
    QFETCH(QByteArray, odpowiedz);

    EmulatorTestowy emu;
    QVERIFY(emu.uruchom(argumenty));
    QCOMPARE(Klient::wymiana(emu.urzadzenie(), zapytanie).bajty, odpowiedz);
    QVERIFY(!emu.czekajNaLinie("TX").isNull());
    QCOMPARE(emu.rx(), QList<QByteArray>{zapytanie});
    QCOMPARE(emu.tx(), QList<QByteArray>{odpowiedz});
}

void TestPolecenia::ustawienia_data()
{
    QTest::addColumn<QByteArray>("ustaw");
    QTest::addColumn<QByteArray>("odpowiedz");
    QTest::addColumn<QByteArray>("zapytanie");

    QTest::newRow("mode 1") << ramka("01") << ramka("01") << ramka("0?");
    QTest::newRow("mode 2") << ramka("02") << ramka("02") << ramka("0?");
    QTest::newRow("mode 0 again") << ramka("00") << ramka("00") << ramka("0?");
    QTest::newRow("mode 3 refused") << ramka("03") << ramka("00") << ramka("0?");
    QTest::newRow("mode 12 refused") << ramka("012") << ramka("00") << ramka("0?");
    QTest::newRow("mode empty refused") << ramka("0") << ramka("00") << ramka("0?");
    QTest::newRow("frame 7") << ramka("17") << ramka("17") << ramka("1?");
    QTest::newRow("frame letter") << ramka("1x") << ramka("1x") << ramka("1?");
    QTest::newRow("frame two chars refused") << ramka("123") << ramka("11") << ramka("1?");
    QTest::newRow("max 012345") << ramka("2012345") << ramka("2012345") << ramka("2?");
    QTest::newRow("max 999999") << ramka("2999999") << ramka("2999999") << ramka("2?");
    QTest::newRow("max 5 digits refused") << ramka("212345") << ramka("2001500") << ramka("2?");
    QTest::newRow("max 7 digits refused") << ramka("21234567") << ramka("2001500") << ramka("2?");
    QTest::newRow("max letter refused") << ramka("212a456") << ramka("2001500") << ramka("2?");
    QTest::newRow("max minus refused") << ramka("2-01500") << ramka("2001500") << ramka("2?");
}

void TestPolecenia::ustawienia()
{
    QFETCH(QByteArray, ustaw);
    QFETCH(QByteArray, odpowiedz);
    QFETCH(QByteArray, zapytanie);

    EmulatorTestowy emu;
    QVERIFY(emu.uruchom());
    // Set and read back in two exchanges, each on its own opening of the port,
    // the way the program does it.
    QCOMPARE(Klient::wymiana(emu.urzadzenie(), ustaw).bajty, odpowiedz);
    QCOMPARE(Klient::wymiana(emu.urzadzenie(), zapytanie).bajty, odpowiedz);
    QVERIFY(!emu.czekajNaLinie("TX").isNull());
    QVERIFY(!emu.czekajNaLinie("TX").isNull());
    QCOMPARE(emu.rx(), (QList<QByteArray>{ustaw, zapytanie}));
    QCOMPARE(emu.tx(), (QList<QByteArray>{odpowiedz, odpowiedz}));
}

void TestPolecenia::ignorowaneUstawienia()
{
    EmulatorTestowy emu;
    QVERIFY(emu.uruchom({"--ignore-set", "--mode", "1"}));
    const auto port = Klient::otworz(emu.urzadzenie());
    QVERIFY(port);
    // Still answered, with the unchanged value.
    QCOMPARE(Klient::wymiana(*port, ramka("02")).bajty, ramka("01"));
    QCOMPARE(Klient::wymiana(*port, ramka("0?")).bajty, ramka("01"));
    QCOMPARE(Klient::wymiana(*port, ramka("1Z")).bajty, ramka("11"));
    QCOMPARE(Klient::wymiana(*port, ramka("1?")).bajty, ramka("11"));
    QCOMPARE(Klient::wymiana(*port, ramka("2000100")).bajty, ramka("2001500"));
    QCOMPARE(Klient::wymiana(*port, ramka("2?")).bajty, ramka("2001500"));
}

void TestPolecenia::nieznanePolecenia()
{
    EmulatorTestowy emu;
    QVERIFY(emu.uruchom());
    const auto port = Klient::otworz(emu.urzadzenie());
    QVERIFY(port);
    for (const QByteArray &p : {ramka("4?"), ramka("3x"), ramka(""), ramka("?")})
        QCOMPARE(Klient::wymiana(*port, p, 300).bajty, QByteArray());
    // Received and logged all the same, and the converter still answers.
    QCOMPARE(Klient::wymiana(*port, ramka("0?")).bajty, ramka("00"));
    QCOMPARE(emu.rx(), (QList<QByteArray>{ramka("4?"), ramka("3x"), ramka(""), ramka("?"),
                                          ramka("0?")}));
}

void TestPolecenia::szumMiedzyPoleceniami()
{
    EmulatorTestowy emu;
    QVERIFY(emu.uruchom());
    const auto port = Klient::otworz(emu.urzadzenie());
    QVERIFY(port);
    // Noise before a frame and a frame cut off by a new SOH are dropped.
    QCOMPARE(Klient::wymiana(*port, "xyz\x04" + QByteArray("\x01" "2") + ramka("1?")).bajty,
             ramka("11"));
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
    QVERIFY(emu.dziala());
    QCOMPARE(Klient::wymiana(emu.urzadzenie(), ramka("01")).bajty, ramka("01"));
    QCOMPARE(Klient::wymiana(emu.urzadzenie(), ramka("0?")).bajty, ramka("01"));
    QCOMPARE(emu.rx().size(), 12);
    QVERIFY(emu.zatrzymaj());
}

void TestPolecenia::dowiazanie()
{
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QString link = folder.filePath("ttyKonwerter");
    {
        EmulatorTestowy emu;
        QVERIFY(emu.uruchom({"--link", link}));
        QCOMPARE(emu.urzadzenie(), link);
        QVERIFY(QFileInfo(link).isSymLink());
        QVERIFY(QFileInfo(link).symLinkTarget().startsWith("/dev/pts/"));
        QCOMPARE(Klient::wymiana(link, ramka("3?")).bajty, ramka("3KCI 1.07"));
        QVERIFY(emu.zatrzymaj());
    }
    QVERIFY(!QFileInfo(link).isSymLink());
}

QTEST_GUILESS_MAIN(TestPolecenia)
#include "test_polecenia.moc"
