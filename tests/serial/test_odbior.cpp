#include "serial/odbior_odpowiedzi.h"

#include <QtTest>

class TestOdbior : public QObject
{
    Q_OBJECT

private slots:
    void skladanie_data()
    {
        QTest::addColumn<QList<QByteArray>>("kawalki");
        QTest::addColumn<QByteArray>("odpowiedz");
        QTest::addColumn<bool>("kompletna");
        QTest::addColumn<int>("przyjete");

        QTest::newRow("jednym kawalkiem") << QList<QByteArray>{"\x01" "2001500\x04"}
                                          << QByteArray("\x01" "2001500\x04") << true << 1;
        QList<QByteArray> poBajcie;
        for (const char b : QByteArray("\x01" "00\x04"))
            poBajcie.append(QByteArray(1, b));
        QTest::newRow("bajt po bajcie") << poBajcie << QByteArray("\x01" "00\x04") << true << 4;
        QTest::newRow("puste kawalki") << QList<QByteArray>{"", "\x01", "", "1", "2\x04"}
                                       << QByteArray("\x01" "12\x04") << true << 5;
        // The rest of the chunk with the EOT stays, the next chunk does not.
        QTest::newRow("bajty po EOT") << QList<QByteArray>{"\x01" "00\x04" "XY", "Z"}
                                      << QByteArray("\x01" "00\x04" "XY") << true << 1;
        QTest::newRow("bez EOT") << QList<QByteArray>{"~~", "\x01" "0"} << QByteArray("~~\x01" "0")
                                 << false << 2;
        QTest::newRow("zalew") << QList<QByteArray>(10, QByteArray(1000, 'A'))
                               << QByteArray(OdbiorOdpowiedzi::kNajdluzsza, 'A') << false << 10;
        // An EOT past the limit still ends the answer, which stays cut.
        QTest::newRow("EOT za limitem") << QList<QByteArray>{QByteArray(4000, 'A'), QByteArray(200, 'B') + "\x04"}
                                        << QByteArray(4000, 'A') + QByteArray(96, 'B') << true << 2;
    }

    void skladanie()
    {
        QFETCH(QList<QByteArray>, kawalki);
        QFETCH(QByteArray, odpowiedz);
        QFETCH(bool, kompletna);
        QFETCH(int, przyjete);
        OdbiorOdpowiedzi o;
        int ile = 0;
        for (const QByteArray &k : kawalki) {
            if (o.kompletna())
                break;
            o.dodaj(k);
            ++ile;
        }
        QCOMPARE(o.bajty(), odpowiedz);
        QCOMPARE(o.kompletna(), kompletna);
        QCOMPARE(ile, przyjete);
    }

    void kompletnaNieRosnie()
    {
        OdbiorOdpowiedzi o;
        QVERIFY(!o.dodaj("\x01" "3KCI"));
        QVERIFY(o.dodaj(" 1.07\x04"));
        QVERIFY(o.dodaj("\x01" "00\x04"));
        QCOMPARE(o.bajty(), QByteArray("\x01" "3KCI 1.07\x04"));
    }
};

QTEST_GUILESS_MAIN(TestOdbior)
#include "test_odbior.moc"
