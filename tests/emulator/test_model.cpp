// The loop current of each mode, and the frame timing figures.
#include "emulator/prad.h"
#include "emulator/statystyka.h"

#include <QtTest>

class TestModel : public QObject
{
    Q_OBJECT

private slots:
    void prad_data();
    void prad();
    void okresRowny();
    void odchylenia();
    void zaMaloRamek();
};

void TestModel::prad_data()
{
    QTest::addColumn<int>("tryb");
    QTest::addColumn<qint64>("maksimum");
    QTest::addColumn<qint64>("waga");
    QTest::addColumn<double>("mA");

    struct Wiersz { qint64 waga; double mA[3]; };
    const Wiersz wiersze[] = {
        {-3000, {4, 20, 4}},   {-1500, {4, 20, 4}}, {-750, {8, 12, 4}}, {0, {12, 4, 4}},
        {750, {16, 12, 12}},  {1500, {20, 20, 20}}, {3000, {20, 20, 20}}, {300, {13.6, 7.2, 7.2}},
    };
    for (int tryb = 0; tryb < 3; ++tryb)
        for (const Wiersz &w : wiersze)
            QTest::addRow("mode %d weight %lld", tryb, w.waga)
                << tryb << qint64(1500) << w.waga << w.mA[tryb];

    const Wiersz przyZerze[] = {{-5, {4, 20, 4}}, {0, {12, 4, 4}}, {5, {20, 20, 20}}};
    for (int tryb = 0; tryb < 3; ++tryb)
        for (const Wiersz &w : przyZerze)
            QTest::addRow("mode %d max 0 weight %lld", tryb, w.waga)
                << tryb << qint64(0) << w.waga << w.mA[tryb];
}

void TestModel::prad()
{
    QFETCH(int, tryb);
    QFETCH(qint64, maksimum);
    QFETCH(qint64, waga);
    QFETCH(double, mA);
    QCOMPARE(Prad::wMiliamperach(tryb, waga, maksimum), mA);
}

void TestModel::okresRowny()
{
    StatystykaRamek s;
    for (int i = 0; i < 21; ++i)
        s.ramka(1'000'000'000LL + i * 50'000'000LL);
    QCOMPARE(s.liczbaRamek(), 21);
    QCOMPARE(s.sredniOkres(), 50.0);
    QCOMPARE(s.odchylenieP99(), 0.0);
    QCOMPARE(s.odchylenieMaks(), 0.0);
    QCOMPARE(s.wiersz(), QByteArray("STATS frames=21 mean=50.000 p99dev=0.000 maxdev=0.000"));
}

void TestModel::odchylenia()
{
    // 200 periods: two 10 ms late, one 10 ms early, one 25 ms early.
    // With the nearest rank the 99th percentile is the 198th smallest.
    StatystykaRamek s;
    qint64 t = 0;
    s.ramka(t);
    for (int i = 0; i < 200; ++i) {
        qint64 okres = 50'000'000;
        if (i == 10 || i == 100)
            okres = 60'000'000;
        else if (i == 50)
            okres = 40'000'000;
        else if (i == 150)
            okres = 25'000'000;
        t += okres;
        s.ramka(t);
    }
    QCOMPARE(s.liczbaRamek(), 201);
    QCOMPARE(s.odchylenieP99(), 10.0);
    QCOMPARE(s.odchylenieMaks(), 25.0);
    QCOMPARE(s.wiersz(), QByteArray("STATS frames=201 mean=49.925 p99dev=10.000 maxdev=25.000"));
}

void TestModel::zaMaloRamek()
{
    StatystykaRamek s;
    QCOMPARE(s.wiersz(), QByteArray("STATS frames=0 mean=0.000 p99dev=0.000 maxdev=0.000"));
    s.ramka(123);
    QCOMPARE(s.wiersz(), QByteArray("STATS frames=1 mean=0.000 p99dev=0.000 maxdev=0.000"));
}

QTEST_GUILESS_MAIN(TestModel)
#include "test_model.moc"
