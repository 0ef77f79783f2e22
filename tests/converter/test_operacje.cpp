#include "converter/operacje.h"

#include <QtTest>

using namespace Operacje;

class TestOperacje : public QObject
{
    Q_OBJECT

private slots:
    void maksimum()
    {
        QCOMPARE(OdbierzMax("001500").wartosc, std::optional<QString>("001500"));
        QCOMPARE(OdbierzMax("1500").wartosc, std::optional<QString>("001500"));
        QCOMPARE(OdbierzMax("\x01" "200150" "\x04").komunikaty, QStringList{"\x01" "200150" "\x04"});
        QVERIFY(!OdbierzMax("").wartosc);
        QCOMPARE(OdbierzMax("").komunikaty, QStringList{""});

        QVERIFY(UstawMax(1500, "001500").isEmpty());
        QCOMPARE(UstawMax(1500, "001400"), QStringList{kBladZapisu});
        QCOMPARE(UstawMax(1500, "Przekroczony czas oczekiwania!"), QStringList{"Przekroczony czas oczekiwania!"});
        QCOMPARE(UstawMax(0, ""), QStringList{""});
    }

    void ramka()
    {
        QCOMPARE(OdbierzRamke("3").wartosc, std::optional<QString>("3"));
        QCOMPARE(OdbierzRamke("x").komunikaty, QStringList{"x"});
        QCOMPARE(RamkaNieznana(), QStringList{kNieznanaWartosc});
        QVERIFY(UstawRamke("3", "3").isEmpty());
        QCOMPARE(UstawRamke("3", "4"), QStringList{kBladZapisu});
        QCOMPARE(UstawRamke("3", ""), QStringList{""});
    }

    void tryb()
    {
        QCOMPARE(OdbierzTryb(1, "2").tryb, 2);
        QVERIFY(OdbierzTryb(1, "2").komunikaty.isEmpty());
        // Outside 0-2 or not a number: shown, and the previous mode stays.
        const WynikTrybu siedem = OdbierzTryb(1, "7");
        QCOMPARE(siedem.tryb, 1);
        QCOMPARE(siedem.komunikaty, QStringList{"7"});
        QCOMPARE(OdbierzTryb(2, "-1").tryb, 2);
        QCOMPARE(OdbierzTryb(0, "").komunikaty, QStringList{""});

        QVERIFY(UstawTryb(1, "1").isEmpty());
        QCOMPARE(UstawTryb(1, "2"), QStringList{kBladZapisu});
        QCOMPARE(UstawTryb(1, "5"), (QStringList{"5", kBladZapisu}));
        // A result that is not a number counts as 0: setting mode 0 shows only it.
        QCOMPARE(UstawTryb(1, "czas"), (QStringList{"czas", kBladZapisu}));
        QCOMPARE(UstawTryb(0, "czas"), QStringList{"czas"});
        QCOMPARE(UstawTryb(2, ""), (QStringList{"", kBladZapisu}));
        QCOMPARE(UstawTryb(0, ""), QStringList{""});
    }
};

QTEST_GUILESS_MAIN(TestOperacje)
#include "test_operacje.moc"
