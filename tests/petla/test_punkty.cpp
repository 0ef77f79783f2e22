#include "petla/miernik_reczny.h"
#include "petla/punkty.h"

#include <QSignalSpy>
#include <QtTest>

using namespace std::chrono_literals;

class TestPunkty : public QObject
{
    Q_OBJECT

private slots:
    void plan_data()
    {
        QTest::addColumn<int>("tryb");
        QTest::addColumn<int>("n");
        QTest::addColumn<bool>("goraDol");
        QTest::addColumn<QList<int>>("wagi");
        QTest::newRow("tryb 0") << 0 << 5 << false << QList<int>{-1500, -750, 0, 750, 1500};
        QTest::newRow("tryb 1") << 1 << 5 << false << QList<int>{-1500, -750, 0, 750, 1500};
        QTest::newRow("tryb 2") << 2 << 5 << false << QList<int>{0, 375, 750, 1125, 1500};
        QTest::newRow("dwa") << 0 << 2 << false << QList<int>{-1500, 1500};
        QTest::newRow("cztery, zaokraglone") << 2 << 4 << false << QList<int>{0, 500, 1000, 1500};
        QTest::newRow("siedem") << 0 << 7 << false << QList<int>{-1500, -1000, -500, 0, 500, 1000, 1500};
        QTest::newRow("gora i dol") << 2 << 3 << true << QList<int>{0, 750, 1500, 750, 0};
    }

    void plan()
    {
        QFETCH(int, tryb);
        QFETCH(int, n);
        QFETCH(bool, goraDol);
        QFETCH(QList<int>, wagi);
        const auto punkty = Punkty::plan(tryb, 1500, n, goraDol);
        QList<int> wynik;
        for (const PunktKontroli &p : punkty) {
            wynik << p.waga;
            QCOMPARE(p.wDol, wynik.size() > n);
        }
        QCOMPARE(wynik, wagi);
    }

    // Judgement of the points and of the run; errors in % of the 16 mA span.
    void ocena_data()
    {
        QTest::addColumn<QList<double>>("bledyMA");   // NaN: not measured; 100 + e: unstable with error e
        QTest::addColumn<double>("tolerancja");
        QTest::addColumn<QList<bool>>("zgodne");
        QTest::addColumn<double>("najwiekszy");
        QTest::addColumn<bool>("calosc");
        QTest::newRow("wszystkie w tolerancji") << QList<double>{0.0, 0.008, -0.016} << 0.1
                                                << QList<bool>{true, true, true} << -0.1 << true;
        QTest::newRow("jeden poza") << QList<double>{0.0, 0.0161, 0.0} << 0.1
                                    << QList<bool>{true, false, true} << 0.100625 << false;
        QTest::newRow("szersza tolerancja") << QList<double>{0.0, 0.0161, -0.08} << 0.5
                                            << QList<bool>{true, true, true} << -0.5 << true;
        QTest::newRow("niestabilny") << QList<double>{0.0, 100.0} << 0.1 << QList<bool>{true, false} << 0.0 << false;
        QTest::newRow("niezmierzony") << QList<double>{0.004, qQNaN()} << 0.1 << QList<bool>{true, false} << 0.025 << false;
    }

    void ocena()
    {
        QFETCH(QList<double>, bledyMA);
        QFETCH(double, tolerancja);
        QVector<PunktKontroli> punkty;
        QList<bool> zgodne;
        for (double b : bledyMA) {
            PunktKontroli p;
            p.oczekiwany = 12.0;
            if (!qIsNaN(b)) {
                p.stabilny = b < 50;
                p.zmierzony = 12.0 + (p.stabilny ? b : b - 100);
            }
            zgodne << p.zgodny(tolerancja);
            punkty << p;
        }
        QTEST(zgodne, "zgodne");
        QFETCH(double, najwiekszy);
        QVERIFY(qAbs(Punkty::najwiekszyBlad(punkty).value_or(99) - najwiekszy) < 1e-9);
        QTEST(Punkty::zgodne(punkty, tolerancja), "calosc");
    }

    void ustalanie_data()
    {
        QTest::addColumn<QList<double>>("odczyty");     // one every 100 ms
        QTest::addColumn<int>("zgodnych");
        QTest::addColumn<int>("ileDoKonca");            // readings taken when it ended
        QTest::addColumn<bool>("ustalony");
        QTest::newRow("od razu") << QList<double>{12.0, 12.001, 12.0} << 3 << 3 << true;
        QTest::newRow("po dojsciu") << QList<double>{4.0, 10.0, 11.9, 11.999, 12.001, 12.002} << 3 << 6 << true;
        // 0.02 % of 16 mA is 3.2 µA.
        QTest::newRow("rozrzut 3.3 uA") << QList<double>{12.0, 12.0033, 12.0, 12.0033, 12.0, 12.0033} << 3 << 6 << false;
        QTest::newRow("jeden odczyt") << QList<double>{7.5} << 1 << 1 << true;
        QTest::newRow("piec zgodnych") << QList<double>{12.0, 12.0, 12.0, 12.0, 12.1, 12.0} << 5 << 6 << false;
    }

    void ustalanie()
    {
        QFETCH(QList<double>, odczyty);
        QFETCH(int, zgodnych);
        UstawieniaKontroli u;
        u.zgodnychOdczytow = zgodnych;
        u.limitUstalania = 500ms;
        Ustalanie ustalanie(u);
        auto stan = Ustalanie::Stan::Czeka;
        int i = 0;
        while (stan == Ustalanie::Stan::Czeka && i < odczyty.size()) {
            stan = ustalanie.dodaj(odczyty.at(i), std::chrono::milliseconds(100 * i));
            ++i;
        }
        QTEST(i, "ileDoKonca");
        QTEST(stan == Ustalanie::Stan::Ustalony, "ustalony");
        QCOMPARE(ustalanie.wynik(), odczyty.at(i - 1));
    }

    void wpisanyOdczyt_data()
    {
        QTest::addColumn<QString>("tekst");
        QTest::addColumn<double>("mA");   // NaN: refused
        QTest::newRow("przecinek") << "12,004" << 12.004;
        QTest::newRow("kropka") << " 4.5 " << 4.5;
        QTest::newRow("calkowita") << "20" << 20.0;
        QTest::newRow("ujemna") << "-0,5" << -0.5;
        QTest::newRow("pusta") << "" << qQNaN();
        QTest::newRow("litery") << "12mA" << qQNaN();
        QTest::newRow("dwa przecinki") << "1,2,3" << qQNaN();
        QTest::newRow("wykladnik") << "1.2e1" << qQNaN();
        QTest::newRow("tysiace") << "1 200" << qQNaN();
    }

    void wpisanyOdczyt()
    {
        QFETCH(QString, tekst);
        QFETCH(double, mA);
        MiernikReczny m;
        QSignalSpy gotowy(&m, &Miernik::gotowy);
        QSignalSpy odczyty(&m, &Miernik::odczyt);
        m.otworz();
        QCOMPARE(gotowy.size(), 1);
        // Nothing is taken before it is asked for.
        QVERIFY(!m.podaj("12"));
        m.zmierz();
        QCOMPARE(m.podaj(tekst), !qIsNaN(mA));
        QCOMPARE(m.czeka(), qIsNaN(mA));
        if (!qIsNaN(mA))
            QCOMPARE(odczyty.value(0).value(0).toDouble(), mA);
        else
            QCOMPARE(odczyty.size(), 0);
    }
};

QTEST_GUILESS_MAIN(TestPunkty)
#include "test_punkty.moc"
