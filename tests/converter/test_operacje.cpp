#include "converter/operacje.h"

#include <QtTest>

using namespace Operacje;

// The judgments on answers the emulator cannot give; the window tests drive
// the rest through it.
class TestOperacje : public QObject
{
    Q_OBJECT

private slots:
    void oceny()
    {
        QCOMPARE(OdbierzMax("001500").wartosc, std::optional<QString>("001500"));
        QCOMPARE(OdbierzMax(" 1500 ").wartosc, std::optional<QString>("001500"));
        QCOMPARE(OdbierzMax("\x01" "200150" "\x04").komunikaty, QStringList{"\x01" "200150" "\x04"});
        QVERIFY(!OdbierzMax("").wartosc);
        QCOMPARE(OdbierzMax("").komunikaty, QStringList{""});
        QVERIFY(UstawMax(1500, "001500").isEmpty());
        QCOMPARE(UstawMax(1500.4, "001500"), QStringList{kBladZapisu});
        QCOMPARE(UstawMax(0, ""), QStringList{""});

        QCOMPARE(OdbierzRamke("3").wartosc, std::optional<QString>("3"));
        QCOMPARE(OdbierzRamke("x").komunikaty, QStringList{"x"});
        QCOMPARE(UstawRamke("3", "4"), QStringList{kBladZapisu});
        QCOMPARE(UstawRamke("3", ""), QStringList{""});

        // Below 0 the previous mode stays as above 2 does.
        QCOMPARE(OdbierzTryb(2, "-1").tryb, 2);
        QCOMPARE(OdbierzTryb(2, "-1").komunikaty, QStringList{"-1"});
        // A result that is not a number counts as 0 against the mode set.
        QCOMPARE(UstawTryb(2, ""), (QStringList{"", kBladZapisu}));
    }
};

QTEST_GUILESS_MAIN(TestOperacje)
#include "test_operacje.moc"
