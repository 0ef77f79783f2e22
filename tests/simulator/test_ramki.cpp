#include "simulator/prad_oczekiwany.h"
#include "simulator/wartosci.h"
#include "wspolne/pliki.h"

#include <QTemporaryDir>
#include <QtTest>

class TestRamki : public QObject
{
    Q_OBJECT

private slots:
    void budowa_data()
    {
        QTest::addColumn<QString>("wzor");
        QTest::addColumn<int>("waga");
        QTest::addColumn<QString>("ramka");
        QTest::newRow("przyklad 1234") << "mm0k00msjj" << 1234 << "  1.234 kg";
        QTest::newRow("przyklad 0") << "mm0k00msjj" << 0 << "  0.000 kg";
        QTest::newRow("przyklad -56") << "mm0k00msjj" << -56 << "  0.056 kg";
        QTest::newRow("przyklad mmmmmm") << "mmmmmm" << 1234 << "  1234";
        QTest::newRow("za malo pozycji") << "mmm" << 1234 << "234";
        QTest::newRow("trzy j") << "jjj" << 5 << " kg";
        QTest::newRow("jedno j") << "mj" << 5 << "5g";
        QTest::newRow("znak plus") << "zmmm" << 12 << "+ 12";
        QTest::newRow("znak minus") << "zmmm" << -12 << "_ 12";
        QTest::newRow("znak zero") << "zmmm" << 0 << "   0";
        QTest::newRow("wielkie litery") << "ZMKJ0" << 7 << "    7";
        QTest::newRow("inne znaki") << "m-m/s" << 42 << "4 2  ";
        QTest::newRow("zera z przodu") << "00000000" << 1234 << "00001234";
        QTest::newRow("ponad szesc cyfr") << "mmmmmmmm" << 12345678 << "  345678";
        QTest::newRow("najmniejsza") << "zmmmmmm" << std::numeric_limits<qint32>::min() << "_483648";
        QTest::newRow("pusty wzor") << "" << 1234 << "  1.234 kg";
    }

    void budowa()
    {
        QFETCH(QString, wzor);
        QFETCH(int, waga);
        Wartosci w;
        w.WzorRamki = wzor;
        w.ZnakPlus = '+';
        w.ZnakMinus = '_';
        const QString wynik = w.BudujRamke(waga);
        QTEST(wynik, "ramka");
        // The defaults stay once used, and the last frame is kept.
        QCOMPARE(w.WzorRamki, wzor.isEmpty() ? Wartosci::kDomyslnyWzor : wzor);
        QCOMPARE(w.Jednostka, QString("kg"));
        QCOMPARE(w.BiezacaRamka, wynik);
        // A weight and its negative differ only where the sign goes.
        const QString przeciwna = w.BudujRamke(waga == std::numeric_limits<qint32>::min() ? waga : -waga);
        for (qsizetype i = 0; i < wzor.size(); ++i)
            QVERIFY(wzor.at(i) == 'z' || przeciwna.at(i) == wynik.at(i));
    }

    void wczytanieTypu()
    {
        QTemporaryDir dir;
        const QString plik = dir.filePath("settings.ini");
        QVERIFY(zapiszBajty(plik, "[parametry]\r\njm=\xB3\xF3t\r\n"
                                  "[7]\r\nplus=PLUS\r\nminus=\r\nzero=Z\r\nramka=zm0k0sjjj\r\n"
                                  "[8]\r\nramka=" + QByteArray(120, 'm') + "\r\n"));
        Wartosci w;
        w.WczytajTypRamki(plik, "7");
        QCOMPARE(QString(w.ZnakPlus) + w.ZnakMinus + w.ZnakZero, QString("P Z"));
        QCOMPARE(w.Jednostka, QString::fromUtf8("łót"));
        QVERIFY(w.BiezacaRamka.isEmpty());
        QCOMPARE(w.BudujRamke(15), QString::fromUtf8("P 1.5 łót"));
        QCOMPARE(QString(w.Cyfry.data(), 6), QString("    15"));

        // A section that is not there, or a template too long to read, gives
        // the defaults.
        w.WczytajTypRamki(plik, "8");
        QCOMPARE(w.WzorRamki, QString("mmmmmm"));
        QCOMPARE(QString(w.ZnakPlus) + w.ZnakMinus + w.ZnakZero, QString("+_ "));
        w.WczytajTypRamki(dir.filePath("brak.ini"), "1");
        QCOMPARE(w.Jednostka, QString("kg"));
        QCOMPARE(w.BudujRamke(1234), QString("  1234"));
    }

    // The current is worked out from the frame the converter receives, so
    // what the template loses is lost in the current too.
    void pradOczekiwany_data()
    {
        QTest::addColumn<QString>("wzor");
        QTest::addColumn<int>("waga");
        QTest::addColumn<int>("max");
        QTest::addColumn<int>("tryb");
        QTest::addColumn<double>("mA");
        QTest::newRow("tryb 0, zero") << "zmmmmmm" << 0 << 1500 << 0 << 12.0;
        QTest::newRow("tryb 0, +max") << "zmmmmmm" << 1500 << 1500 << 0 << 20.0;
        QTest::newRow("tryb 0, -max") << "zmmmmmm" << -1500 << 1500 << 0 << 4.0;
        QTest::newRow("tryb 0, polowa") << "zmm0k00" << 750 << 1500 << 0 << 16.0;
        QTest::newRow("tryb 1, -max") << "zmmmmmm" << -1500 << 1500 << 1 << 20.0;
        QTest::newRow("tryb 1, -polowa") << "zmmmmmm" << -750 << 1500 << 1 << 12.0;
        QTest::newRow("tryb 2, ujemna") << "zmmmmmm" << -750 << 1500 << 2 << 4.0;
        QTest::newRow("tryb 2, cwierc") << "zmmmmmm" << 375 << 1500 << 2 << 8.0;
        QTest::newRow("ponad max") << "zmmmmmm" << 3000 << 1500 << 0 << 20.0;
        QTest::newRow("ponizej -max") << "zmmmmmm" << -3000 << 1500 << 0 << 4.0;
        QTest::newRow("bez znaku ujemna") << "mm0k00msjj" << -750 << 1500 << 0 << 16.0;
        QTest::newRow("obciete cyfry") << "zmmm" << 1250 << 1500 << 2 << 4.0 + 16.0 * 250 / 1500;
        QTest::newRow("max 0") << "zmmmmmm" << 5 << 0 << 0 << 20.0;
        QTest::newRow("max 0, zero") << "zmmmmmm" << 0 << 0 << 0 << 12.0;
        QTest::newRow("zly tryb") << "zmmmmmm" << 0 << 1500 << 3 << -1.0;
    }

    void pradOczekiwany()
    {
        QFETCH(QString, wzor);
        QFETCH(int, waga);
        QFETCH(int, max);
        QFETCH(int, tryb);
        QFETCH(double, mA);
        Wartosci w;
        w.WzorRamki = wzor;
        w.ZnakPlus = '+';
        w.ZnakMinus = '_';
        const auto prad = PradOczekiwany::zRamki(w.BudujRamke(waga), w, max, tryb);
        QCOMPARE(prad.has_value(), mA >= 0);
        if (prad)
            QVERIFY2(qAbs(*prad - mA) < 1e-9, qPrintable(QString::number(*prad, 'g', 12)));
        QCOMPARE(PradOczekiwany::tekst(12.0), QString("12.000 mA"));
    }

    void wagaZRamki_data()
    {
        QTest::addColumn<QString>("ramka");
        QTest::addColumn<QString>("wzor");
        QTest::addColumn<qint64>("waga");   // -1 for a frame that does not fit
        QTest::newRow("przyklad") << "  1.234 kg" << "mm0k00msjj" << qint64(1234);
        QTest::newRow("znak minus") << "_   12" << "zmmmmm" << qint64(-12);
        QTest::newRow("inny znak") << "#   12" << "zmmmmm" << qint64(12);
        QTest::newRow("inna dlugosc") << "  12" << "zmmmmm" << qint64(-1);
        QTest::newRow("litera w cyfrach") << "+  1x2" << "zmmmmm" << qint64(-1);
        QTest::newRow("bez cyfr") << "+     " << "zmmmmm" << qint64(-1);
        QTest::newRow("siedem cyfr") << "1234567" << "mmmmmmm" << qint64(234567);
        QTest::newRow("cyfra arabska") << "\u0661" << "m" << qint64(-1);
    }

    void wagaZRamki()
    {
        QFETCH(QString, ramka);
        QFETCH(QString, wzor);
        QFETCH(qint64, waga);
        const auto w = PradOczekiwany::waga(ramka, wzor, '_');
        QCOMPARE(w.value_or(-1), waga);
    }
};

QTEST_GUILESS_MAIN(TestRamki)
#include "test_ramki.moc"
