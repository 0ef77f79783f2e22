// The converter's reasoning without a line: splitting what arrives, reading
// weights back out of scale frames, the templates, the loop current of each
// mode and the frame timing figures.
#include "emulator/dekoder.h"
#include "emulator/odczyt_ramki.h"
#include "emulator/prad.h"
#include "emulator/rozdzielacz.h"
#include "emulator/statystyka.h"
#include "emulator/typ_ramki.h"
#include "wspolne/pliki.h"

#include <QtTest>

#include <climits>

namespace {

constexpr qint64 kNie = LLONG_MIN;

// "P:<hex>" for a command, "L:<hex>" for a line, in order.
QStringList opis(const QList<Rozdzielacz::Kawalek> &kawalki)
{
    QStringList wynik;
    for (const auto &k : kawalki)
        wynik << (k.rodzaj == Rozdzielacz::Kawalek::Rodzaj::Polecenie ? "P:" : "L:")
                     + QString::fromLatin1(k.bajty.toHex(' '));
    return wynik;
}

} // namespace

class TestModel : public QObject
{
    Q_OBJECT

private slots:
    void rozdzielacz_data();
    void rozdzielacz();
    void waga_data();
    void waga();
    void typZPliku();
    void wierszRamki_data();
    void wierszRamki();
    void prad_data();
    void prad();
    void statystyka();
};

void TestModel::rozdzielacz_data()
{
    QTest::addColumn<QByteArray>("dane");
    QTest::addColumn<QStringList>("kawalki");

    QTest::newRow("query") << QByteArray("\x01" "2?\x04") << QStringList{"P:01 32 3f 04"};
    QTest::newRow("line") << QByteArray("  12\r\n") << QStringList{"L:20 20 31 32"};
    QTest::newRow("bare LF line") << QByteArray("12\n") << QStringList{"L:31 32"};
    QTest::newRow("CR kept inside") << QByteArray("1\r2\r\n") << QStringList{"L:31 0d 32"};
    QTest::newRow("empty lines") << QByteArray("\r\n\n") << QStringList{};
    QTest::newRow("noise before SOH") << QByteArray("xy\x01" "0?\x04") << QStringList{"P:01 30 3f 04"};
    QTest::newRow("SOH restarts") << QByteArray("\x01" "2\x01" "1?\x04") << QStringList{"P:01 31 3f 04"};
    QTest::newRow("LF cancels command") << QByteArray("\x01" "2\n  12\r\n") << QStringList{"L:20 20 31 32"};
    QTest::newRow("EOT outside is line text") << QByteArray("\x04" "5\r\n") << QStringList{"L:04 35"};
    QTest::newRow("mixed") << QByteArray("  1\r\n\x01" "2001500\x04  2\r\n")
                           << QStringList{"L:20 20 31", "P:01 32 30 30 31 35 30 30 04", "L:20 20 32"};
    QTest::newRow("unfinished") << QByteArray("\x01" "0?  12") << QStringList{};
    // A command that never ends is dropped; a line that never ends is cut and
    // the rest of it becomes the next line.
    QTest::newRow("endless command") << "\x01" "3" + QByteArray(Rozdzielacz::kNajdluzszePolecenie, 'x') + "\x04\x01" "3?\x04"
                                     << QStringList{"P:01 33 3f 04"};
    QTest::newRow("endless line") << QByteArray(Rozdzielacz::kNajdluzszaLinia, 'a') + "b\r\n" << QStringList{"L:62"};
}

void TestModel::rozdzielacz()
{
    QFETCH(QByteArray, dane);
    QFETCH(QStringList, kawalki);
    Rozdzielacz razem;
    QCOMPARE(opis(razem.dodaj(dane)), kawalki);
    // A read can end after any byte.
    Rozdzielacz poBajcie;
    QList<Rozdzielacz::Kawalek> wszystkie;
    for (const char c : dane)
        wszystkie += poBajcie.dodaj(QByteArrayView(&c, 1));
    QCOMPARE(opis(wszystkie), kawalki);
}

void TestModel::waga_data()
{
    QTest::addColumn<QString>("wzor");
    QTest::addColumn<QString>("ramka");
    QTest::addColumn<QString>("jednostka");
    QTest::addColumn<QString>("znaki");
    QTest::addColumn<qint64>("waga");

    struct Wiersz { const char *wzor, *ramka; qint64 waga; const char *jm = "kg", *znaki = "+_ "; };
    const Wiersz wiersze[] = {
        {"mm0k00msjj", "  1.234 kg", 1234}, {"mm0k00msjj", "  0.000 kg", 0},
        {"mm0k00msjj", "  0.056 kg", 56}, {"mm0k00msjj", "123.456 kg", 123456},
        {"mm0k00msjj", "  1,234 kg", kNie}, {"mm0k00msjj", "  1.234 lb", kNie},
        {"mm0k00msjj", "  1.234Xkg", kNie}, {"mm0k00msjj", "  1.234 k", kNie},
        {"mmmmmm", "  1234", 1234}, {"mmmmmm", "     0", 0}, {"mmmmmm", "001234", 1234},
        {"mmmmmm", "      ", kNie}, {"mmmmmm", " 12 34", kNie}, {"mmmmmm", "  12a4", kNie},
        {"mmmmmm", "   1234", kNie},
        {"000000", "001234", 1234}, {"000000", "000000", 0}, {"000000", " 01234", kNie},
        {"m0m", " 05", 5}, {"m0m", "105", 105}, {"m0m", "  5", kNie}, {"m0m", "1 5", kNie},
        {"zmmmmmm", "+  1234", 1234}, {"zmmmmmm", "_  1234", -1234}, {"zmmmmmm", "      0", 0},
        {"zmmmmmm", "-  1234", kNie}, {"zmmmmmm", "   1234", kNie},
        // Fewer digit positions than digits: 1000 under "zmmm" shows "+000".
        {"zmmm", "+000", 0}, {"zmmm", "_234", -234},
        {"zmmz", "_12_", -12}, {"zmmz", "+12_", kNie},
        {"zmmm", "P 12", 12, "kg", "PMZ"}, {"zmmm", "M 12", -12, "kg", "PMZ"},
        {"zmmm", "Z  0", 0, "kg", "PMZ"}, {"zmmm", "+ 12", kNie, "kg", "PMZ"},
        {"jmmmm", "g1234", 1234}, {"jjjmmm", " kg123", 123}, {"zmmmsjj", "+123 łb", 123, "łb"},
        // Upper-case and unknown letters stand for spaces.
        {"ZmmM", " 12 ", 12}, {"Zmm", "+12", kNie}, {"mmxs", "12  ", 12}, {"zsjj", "  kg", 0},
        {"mmmmmmmmmmmmmmmmmmmm", "  123456789012345678", 123456789012345678},
        {"mmmmmmmmmmmmmmmmmmmm", " 1234567890123456789", kNie},
    };
    for (const Wiersz &w : wiersze)
        QTest::addRow("%s \"%s\" %s", w.wzor, w.ramka, w.znaki)
            << QString(w.wzor) << QString::fromUtf8(w.ramka) << QString::fromUtf8(w.jm)
            << QString(w.znaki) << w.waga;
}

void TestModel::waga()
{
    QFETCH(QString, wzor);
    QFETCH(QString, ramka);
    QFETCH(QString, jednostka);
    QFETCH(QString, znaki);
    QFETCH(qint64, waga);
    const TypRamki typ{znaki.at(0), znaki.at(1), znaki.at(2), wzor, jednostka};
    const std::optional<qint64> oczekiwana = waga == kNie ? std::nullopt : std::optional(waga);
    QCOMPARE(Dekoder::waga(ramka, typ), oczekiwana);
}

void TestModel::typZPliku()
{
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QString plik = folder.filePath("settings.ini");
    // Without a file every value is the default.
    TypRamki t = TypyRamek::wczytaj(plik, "1");
    QCOMPARE(t.wzor, QString("mmmmmm"));
    QCOMPARE(QString(t.plus) + t.minus + t.zero, QString("+_ "));
    QCOMPARE(t.jednostka, QString("kg"));

    // Windows-1250, and a file name in another case than the one asked for.
    QVERIFY(zapiszBajty(folder.filePath("SETTINGS.INI"),
                        "[1]\r\nramka=zmm0k00msjj\r\nplus=PLUS\r\nminus=\r\nzero=0\r\n"
                        "[2]\r\nramka=\r\n"
                        "[3]\r\nramka=" + QByteArray(99, 'm') + "\r\n"
                        "[parametry]\r\njm=\xb3" "b\r\n"));
    t = TypyRamek::wczytaj(plik, "1");
    QCOMPARE(t.wzor, QString("zmm0k00msjj"));
    QCOMPARE(QString(t.plus) + t.minus + t.zero, QString("P 0"));
    QCOMPARE(t.jednostka, QString::fromUtf8("łb"));
    t = TypyRamek::wczytaj(plik, "2");
    QCOMPARE(t.wzor, QString("mm0k00msjj"));
    QCOMPARE(QString(t.plus) + t.minus + t.zero, QString("+_ "));
    QCOMPARE(TypyRamek::wczytaj(plik, "3").wzor, QString("mmmmmm"));
    QCOMPARE(TypyRamek::wczytaj(plik, "9").wzor, QString("mmmmmm"));

    QVERIFY(zapiszBajty(folder.filePath("SETTINGS.INI"), "[parametry]\njm=\n"));
    QCOMPARE(TypyRamek::wczytaj(plik, "1").jednostka, QString("kg"));
}

void TestModel::wierszRamki_data()
{
    QTest::addColumn<QByteArray>("bajty");
    QTest::addColumn<char>("tryb");
    QTest::addColumn<QByteArray>("maksimum");
    QTest::addColumn<QString>("wiersz");

    struct Wiersz { const char *bajty; char tryb; const char *maksimum, *wiersz; };
    const Wiersz wiersze[] = {
        {"+  1.234 kg", '0', "001500", "FRAME \"+  1.234 kg\" weight=1234 current=18.58 mA"},
        {"+  1.234 lb", '0', "001500", "FRAME \"+  1.234 lb\" undecodable"},
        {"a\"b\\c\x01", '0', "001500", "FRAME \"a\\\"b\\\\c\\x01\" undecodable"},
        {"\xb3\xb9", '0', "001500", "FRAME \"łą\" undecodable"},
    };
    for (const Wiersz &w : wiersze)
        QTest::newRow(w.wiersz) << QByteArray(w.bajty) << w.tryb << QByteArray(w.maksimum)
                                << QString::fromUtf8(w.wiersz);
}

void TestModel::wierszRamki()
{
    QFETCH(QByteArray, bajty);
    QFETCH(char, tryb);
    QFETCH(QByteArray, maksimum);
    QFETCH(QString, wiersz);
    StanKonwertera stan;
    stan.tryb = tryb;
    stan.maksimum = maksimum;
    TypRamki t;
    t.wzor = "zmm0k00msjj";
    QCOMPARE(QString::fromUtf8(OdczytyRamek::wiersz(OdczytyRamek::odczytaj(bajty, t, stan))), wiersz);
}

void TestModel::prad_data()
{
    QTest::addColumn<int>("tryb");
    QTest::addColumn<qint64>("maksimum");
    QTest::addColumn<qint64>("waga");
    QTest::addColumn<double>("mA");

    struct Wiersz { qint64 maksimum, waga; double mA[3]; };
    const Wiersz wiersze[] = {
        {1500, -3000, {4, 20, 4}}, {1500, -1500, {4, 20, 4}}, {1500, -750, {8, 12, 4}},
        {1500, 0, {12, 4, 4}}, {1500, 300, {13.6, 7.2, 7.2}}, {1500, 750, {16, 12, 12}},
        {1500, 1500, {20, 20, 20}}, {1500, 3000, {20, 20, 20}},
        // A maximum of 0 puts every other weight beyond the end.
        {0, -5, {4, 20, 4}}, {0, 0, {12, 4, 4}}, {0, 5, {20, 20, 20}},
    };
    for (int tryb = 0; tryb < 3; ++tryb)
        for (const Wiersz &w : wiersze)
            QTest::addRow("mode %d max %lld weight %lld", tryb, w.maksimum, w.waga)
                << tryb << w.maksimum << w.waga << w.mA[tryb];
    QTest::newRow("mode 7 drives nothing") << 7 << qint64(1500) << qint64(750) << 4.0;
}

void TestModel::prad()
{
    QFETCH(int, tryb);
    QFETCH(qint64, maksimum);
    QFETCH(qint64, waga);
    QFETCH(double, mA);
    QCOMPARE(Prad::wMiliamperach(tryb, waga, maksimum), mA);
}

void TestModel::statystyka()
{
    StatystykaRamek s;
    QCOMPARE(s.wiersz(), QByteArray("STATS frames=0 mean=0.000 p99dev=0.000 maxdev=0.000"));
    s.ramka(123);
    QCOMPARE(s.wiersz(), QByteArray("STATS frames=1 mean=0.000 p99dev=0.000 maxdev=0.000"));

    // 200 periods: two 10 ms late, one 10 ms early, one 25 ms early. With the
    // nearest rank the 99th percentile is the 198th smallest deviation.
    qint64 t = 123;
    for (int i = 0; i < 200; ++i) {
        t += i == 10 || i == 100 ? 60'000'000 : i == 50 ? 40'000'000 : i == 150 ? 25'000'000 : 50'000'000;
        s.ramka(t);
    }
    QCOMPARE(s.liczbaRamek(), 201);
    QCOMPARE(s.odchylenieP99(), 10.0);
    QCOMPARE(s.odchylenieMaks(), 25.0);
    QCOMPARE(s.wiersz(), QByteArray("STATS frames=201 mean=49.925 p99dev=10.000 maxdev=25.000"));
}

QTEST_GUILESS_MAIN(TestModel)
#include "test_model.moc"
