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

        // The rest of the chunk with the EOT stays; a complete answer takes nothing more.
        QTest::newRow("bajty po EOT") << QList<QByteArray>{"\x01" "3KCI", " 1.07\x04" "XY", "\x01" "00\x04"}
                                      << QByteArray("\x01" "3KCI 1.07\x04" "XY") << true;
        QTest::newRow("zalew") << QList<QByteArray>(10, QByteArray(1000, 'A'))
                               << QByteArray(OdbiorOdpowiedzi::kNajdluzsza, 'A') << false;
        // An EOT past the limit still ends the answer, which stays cut.
        QTest::newRow("EOT za limitem") << QList<QByteArray>{QByteArray(4000, 'A'), QByteArray(200, 'B') + "\x04", "C"}
                                        << QByteArray(4000, 'A') + QByteArray(96, 'B') << true;
    }

    void skladanie()
    {
        QFETCH(QList<QByteArray>, kawalki);
        QFETCH(QByteArray, odpowiedz);
        QFETCH(bool, kompletna);
        OdbiorOdpowiedzi o;
        bool eot = false;
        for (const QByteArray &k : kawalki) {
            eot = eot || k.contains('\x04');
            QCOMPARE(o.dodaj(k), eot);
        }
        QCOMPARE(o.bajty(), odpowiedz);
        QCOMPARE(o.kompletna(), kompletna);
    }
};

QTEST_GUILESS_MAIN(TestOdbior)
#include "test_odbior.moc"
