// The bytes of a scale's line cut into frames, and the judgment of a line
// setting from the frames it gave.
#include "identyfikacja/ocena_linii.h"
#include "identyfikacja/podzial_ramek.h"

#include <QtTest>

class TestPodzial : public QObject
{
    Q_OBJECT

private slots:
    void podzial_data()
    {
        QTest::addColumn<QByteArrayList>("odczyty");
        QTest::addColumn<QByteArrayList>("ramki");
        QTest::addColumn<QByteArrayList>("konce");
        QTest::addColumn<int>("poza");
        QTest::newRow("pierwszy kawalek to nie ramka") << QByteArrayList{"234 kg\r\n+ 1234 kg\r\n"}
                                                      << QByteArrayList{"+ 1234 kg"} << QByteArrayList{"\r\n"} << 6;
        QTest::newRow("same CR") << QByteArrayList{"\rA\rB\r"} << QByteArrayList{"A", "B"} << QByteArrayList{"\r", "\r"} << 0;
        QTest::newRow("LF CR") << QByteArrayList{"\n\rA\n\r"} << QByteArrayList{"A"} << QByteArrayList{"\n\r"} << 0;
        QTest::newRow("ramka w kawalkach") << QByteArrayList{"x\r\n+ 12", "34 k", "g\r", "\n"} << QByteArrayList{"+ 1234 kg"}
                                           << QByteArrayList{"\r"} << 1;
        QTest::newRow("pusta ramka") << QByteArrayList{"\r\n\r\n"} << QByteArrayList{} << QByteArrayList{} << 0;
        QTest::newRow("szum bez konca linii") << QByteArrayList{"\n" + QByteArray(300, 'x') + "ab\nC\n"}
                                              << QByteArrayList{"C"} << QByteArrayList{"\n"} << 302;
    }

    void podzial()
    {
        QFETCH(QByteArrayList, odczyty);
        PodzialRamek p;
        QByteArrayList ramki, konce;
        qint64 czas = 0;
        for (const QByteArray &o : odczyty)
            for (const auto &r : p.dodaj(o, czas += 10)) {
                ramki.append(r.bajty);
                konce.append(r.koniec);
            }
        QTEST(ramki, "ramki");
        QTEST(konce, "konce");
        QTEST(int(p.pozaRamkami()), "poza");
    }

    void okres()
    {
        PodzialRamek p;
        QVERIFY(!p.okresMs());
        for (const qint64 t : {0, 100, 199, 300, 420, 500})
            p.dodaj("1234\r\n", t);
        QCOMPARE(*p.okresMs(), 100.0);
    }

    void ocena_data()
    {
        QTest::addColumn<QByteArrayList>("ramki");
        QTest::addColumn<bool>("czysta");
        QTest::addColumn<bool>("mozliwa");
        QTest::addColumn<int>("dlugosc");
        const QByteArray r = "+  1234 kg";
        QTest::newRow("czyste") << QByteArrayList{r, r, r} << true << true << 10;
        QTest::newRow("jedna zepsuta") << QByteArrayList{"\xB1\x00", r, r, r} << true << true << 10;
        QTest::newRow("polska jednostka") << QByteArrayList{"12 \xB3" "b", "13 \xB3" "b", "14 \xB3" "b"} << true << true << 5;
        QTest::newRow("dwie zepsute") << QByteArrayList{"ab", r, "\x8D", r, r} << false << true << 10;
        QTest::newRow("za malo") << QByteArrayList{r, r} << false << false << 10;
        QTest::newRow("bit parzystosci") << QByteArrayList{"+\xA0\xA0\xB1\xB2\xB3\xB4", "+\xA0\xA0\xB1\xB2\xB3\xB4",
                                                           "+\xA0\xA0\xB1\xB2\xB3\xB4"}
                                         << false << false << 0;
    }

    void ocena()
    {
        QFETCH(QByteArrayList, ramki);
        QVector<PodzialRamek::Ramka> r;
        for (const QByteArray &b : ramki)
            r.append({b, "\r\n", 0});
        const OcenaLinii o = OcenaLinii::ocen("9600,N,8,1", r, PodzialRamek());
        QTEST(o.czysta(), "czysta");
        QTEST(o.mozliwa(), "mozliwa");
        QTEST(o.dlugosc, "dlugosc");
    }
};

QTEST_GUILESS_MAIN(TestPodzial)
#include "test_podzial.moc"
