// Reading weights back out of scale frames, and where the templates come from.
#include "emulator/dekoder.h"
#include "emulator/odczyt_ramki.h"
#include "emulator/typ_ramki.h"

#include <QtTest>

#include <optional>

Q_DECLARE_METATYPE(std::optional<qint64>)

namespace {

TypRamki typ(const QString &wzor, const QString &jednostka = "kg", QChar plus = u'+',
             QChar minus = u'_', QChar zero = u' ')
{
    TypRamki t;
    t.wzor = wzor;
    t.jednostka = jednostka;
    t.plus = plus;
    t.minus = minus;
    t.zero = zero;
    return t;
}

const std::optional<qint64> kNie;

void zapisz(const QString &sciezka, const QByteArray &tresc)
{
    QFile f(sciezka);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(tresc), tresc.size());
}

} // namespace

class TestDekoder : public QObject
{
    Q_OBJECT

private slots:
    void waga_data();
    void waga();
    void typZPliku();
    void typBezPliku();
    void wierszRamki_data();
    void wierszRamki();
};

void TestDekoder::waga_data()
{
    QTest::addColumn<TypRamki>("typ");
    QTest::addColumn<QString>("ramka");
    QTest::addColumn<std::optional<qint64>>("waga");

    const TypRamki kropka = typ("mm0k00msjj");
    QTest::newRow("point 1234") << kropka << "  1.234 kg" << std::optional<qint64>(1234);
    QTest::newRow("point 0") << kropka << "  0.000 kg" << std::optional<qint64>(0);
    QTest::newRow("point 56") << kropka << "  0.056 kg" << std::optional<qint64>(56);
    QTest::newRow("point full") << kropka << "123.456 kg" << std::optional<qint64>(123456);
    QTest::newRow("point comma") << kropka << "  1,234 kg" << kNie;
    QTest::newRow("point wrong unit") << kropka << "  1.234 lb" << kNie;
    QTest::newRow("point no space") << kropka << "  1.234Xkg" << kNie;
    QTest::newRow("point short") << kropka << "  1.234 k" << kNie;

    const TypRamki proste = typ("mmmmmm");
    QTest::newRow("plain 1234") << proste << "  1234" << std::optional<qint64>(1234);
    QTest::newRow("plain 0") << proste << "     0" << std::optional<qint64>(0);
    QTest::newRow("plain no units digit") << proste << "      " << kNie;
    QTest::newRow("plain gap") << proste << " 12 34" << kNie;
    QTest::newRow("plain letter") << proste << "  12a4" << kNie;
    QTest::newRow("plain long") << proste << "   1234" << kNie;
    QTest::newRow("plain lead zero") << proste << "001234" << std::optional<qint64>(1234);

    const TypRamki zera = typ("000000");
    QTest::newRow("zeros 1234") << zera << "001234" << std::optional<qint64>(1234);
    QTest::newRow("zeros 0") << zera << "000000" << std::optional<qint64>(0);
    QTest::newRow("zeros space") << zera << " 01234" << kNie;
    const TypRamki mieszane = typ("m0m");
    QTest::newRow("m0m 5") << mieszane << " 05" << std::optional<qint64>(5);
    QTest::newRow("m0m 105") << mieszane << "105" << std::optional<qint64>(105);
    QTest::newRow("m0m zero as space") << mieszane << "  5" << kNie;
    QTest::newRow("m0m digit after padding") << mieszane << "1 5" << kNie;

    const TypRamki znak = typ("zmmmmmm");
    QTest::newRow("sign +") << znak << "+  1234" << std::optional<qint64>(1234);
    QTest::newRow("sign _") << znak << "_  1234" << std::optional<qint64>(-1234);
    QTest::newRow("sign zero") << znak << "      0" << std::optional<qint64>(0);
    QTest::newRow("sign - unknown") << znak << "-  1234" << kNie;
    QTest::newRow("zero sign, weight") << znak << "   1234" << kNie;
    // Fewer digit positions than digits: 1000 under "zmmm" shows "+000".
    QTest::newRow("sign lost digits") << typ("zmmm") << "+000" << std::optional<qint64>(0);
    QTest::newRow("sign cut") << typ("zmmm") << "_234" << std::optional<qint64>(-234);
    QTest::newRow("two signs") << typ("zmmz") << "_12_" << std::optional<qint64>(-12);
    QTest::newRow("two signs differ") << typ("zmmz") << "+12_" << kNie;
    const TypRamki wlasne = typ("zmmm", "kg", u'P', u'M', u'Z');
    QTest::newRow("own plus") << wlasne << "P 12" << std::optional<qint64>(12);
    QTest::newRow("own minus") << wlasne << "M 12" << std::optional<qint64>(-12);
    QTest::newRow("own zero") << wlasne << "Z  0" << std::optional<qint64>(0);
    QTest::newRow("default plus with own") << wlasne << "+ 12" << kNie;

    QTest::newRow("unit g only") << typ("jmmmm") << "g1234" << std::optional<qint64>(1234);
    QTest::newRow("unit three j") << typ("jjjmmm") << " kg123" << std::optional<qint64>(123);
    QTest::newRow("unit cp1250") << typ("zmmmsjj", QString::fromUtf8("łb"))
                                 << QString::fromUtf8("+123 łb") << std::optional<qint64>(123);
    QTest::newRow("upper case letters are spaces") << typ("ZmmM") << " 12 "
                                                    << std::optional<qint64>(12);
    QTest::newRow("upper case Z no sign") << typ("Zmm") << "+12" << kNie;
    QTest::newRow("other letter is space") << typ("mmxs") << "12  " << std::optional<qint64>(12);
    QTest::newRow("no digit positions") << typ("zsjj") << "  kg" << std::optional<qint64>(0);
    QTest::newRow("long magnitude")
        << typ("mmmmmmmmmmmmmmmmmmmm") << "  123456789012345678"
        << std::optional<qint64>(123456789012345678);
    QTest::newRow("too long magnitude")
        << typ("mmmmmmmmmmmmmmmmmmmm") << " 1234567890123456789" << kNie;
}

void TestDekoder::waga()
{
    QFETCH(TypRamki, typ);
    QFETCH(QString, ramka);
    QFETCH(std::optional<qint64>, waga);
    QCOMPARE(Dekoder::waga(ramka, typ), waga);
}

void TestDekoder::typZPliku()
{
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    // Windows-1250, and a file name in another case than the one asked for.
    zapisz(folder.filePath("SETTINGS.INI"),
           "[typy ramek]\r\n1=prosta\r\n"
           "[1]\r\nramka=zmm0k00msjj\r\nplus=PLUS\r\nminus=\r\nzero=0\r\n"
           "[2]\r\nramka=\r\n"
           "[3]\r\nramka=" + QByteArray(99, 'm') + "\r\n"
           "[parametry]\r\njm=\xb3" "b\r\n");
    const QString plik = folder.filePath("settings.ini");

    const TypRamki t1 = TypyRamek::wczytaj(plik, "1");
    QCOMPARE(t1.wzor, QString("zmm0k00msjj"));
    QCOMPARE(t1.plus, QChar(u'P'));
    QCOMPARE(t1.minus, QChar(u' '));
    QCOMPARE(t1.zero, QChar(u'0'));
    QCOMPARE(t1.jednostka, QString::fromUtf8("łb"));

    const TypRamki t2 = TypyRamek::wczytaj(plik, "2");
    QCOMPARE(t2.wzor, QString("mm0k00msjj"));
    QCOMPARE(t2.plus, QChar(u'+'));
    QCOMPARE(t2.minus, QChar(u'_'));
    QCOMPARE(t2.zero, QChar(u' '));

    QCOMPARE(TypyRamek::wczytaj(plik, "3").wzor, QString("mmmmmm"));
    QCOMPARE(TypyRamek::wczytaj(plik, "9").wzor, QString("mmmmmm"));
}

void TestDekoder::typBezPliku()
{
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const TypRamki t = TypyRamek::wczytaj(folder.filePath("settings.ini"), "1");
    QCOMPARE(t.wzor, QString("mmmmmm"));
    QCOMPARE(t.jednostka, QString("kg"));
    QCOMPARE(t.plus, QChar(u'+'));
    QCOMPARE(t.minus, QChar(u'_'));
    QCOMPARE(t.zero, QChar(u' '));

    zapisz(folder.filePath("settings.ini"), "[parametry]\njm=\n");
    QCOMPARE(TypyRamek::wczytaj(folder.filePath("settings.ini"), "1").jednostka, QString("kg"));
}

void TestDekoder::wierszRamki_data()
{
    QTest::addColumn<QByteArray>("bajty");
    QTest::addColumn<char>("tryb");
    QTest::addColumn<QByteArray>("maksimum");
    QTest::addColumn<QByteArray>("wiersz");

    QTest::newRow("mode 0") << QByteArray("+  1.234 kg") << '0' << QByteArray("001500")
                            << QByteArray("FRAME \"+  1.234 kg\" weight=1234 current=18.58 mA");
    QTest::newRow("mode 1 negative") << QByteArray("_  0.750 kg") << '1' << QByteArray("001500")
                                     << QByteArray("FRAME \"_  0.750 kg\" weight=-750 current=12.00 mA");
    QTest::newRow("mode 2 beyond") << QByteArray("+  9.999 kg") << '2' << QByteArray("000100")
                                   << QByteArray("FRAME \"+  9.999 kg\" weight=9999 current=20.00 mA");
    QTest::newRow("undecodable") << QByteArray("+  1.234 lb") << '0' << QByteArray("001500")
                                 << QByteArray("FRAME \"+  1.234 lb\" undecodable");
    QTest::newRow("escapes") << QByteArray("a\"b\\c\x01") << '0' << QByteArray("001500")
                             << QByteArray("FRAME \"a\\\"b\\\\c\\x01\" undecodable");
    QTest::newRow("cp1250 to utf-8") << QByteArray("\xb3\xb9") << '0' << QByteArray("001500")
                                     << QByteArray("FRAME \"łą\" undecodable");
}

void TestDekoder::wierszRamki()
{
    QFETCH(QByteArray, bajty);
    QFETCH(char, tryb);
    QFETCH(QByteArray, maksimum);
    QFETCH(QByteArray, wiersz);
    StanKonwertera stan;
    stan.tryb = tryb;
    stan.maksimum = maksimum;
    const TypRamki t = typ("zmm0k00msjj");
    QCOMPARE(OdczytyRamek::wiersz(OdczytyRamek::odczytaj(bajty, t, stan)), wiersz);
}

QTEST_GUILESS_MAIN(TestDekoder)
#include "test_dekoder.moc"
