#include "config/kodowanie.h"
#include "config/liczby.h"

#include <QStringDecoder>
#include <QtTest>

class TestLiczbyKodowanie : public QObject
{
    Q_OBJECT

private slots:
    void kodowanieZgodneZSystemowym()
    {
        QStringDecoder systemowy("windows-1250");
        if (!systemowy.isValid())
            QSKIP("Qt without ICU has no Windows-1250 to compare with");
        for (int b = 0; b < 256; ++b) {
            const char bajt = char(b);
            const QString nasz = Kodowanie::zAnsi(QByteArrayView(&bajt, 1));
            QCOMPARE(nasz, systemowy.decode(QByteArrayView(&bajt, 1)));
            QCOMPARE(Kodowanie::doAnsi(nasz), QByteArray(1, bajt));
        }
    }

    void polskieLitery()
    {
        QCOMPARE(Kodowanie::doAnsi(QString::fromUtf8("PRĘDKOŚĆ")), QByteArray("PR\xCA""DKO\x8C\xC6"));
        QCOMPARE(Kodowanie::doAnsi(QString::fromUtf8("ąćęłńóśźż")),
                 QByteArray("\xB9\xE6\xEA\xB3\xF1\xF3\x9C\x9F\xBF"));
        QCOMPARE(Kodowanie::doAnsi(QString::fromUtf8("€ 漢")), QByteArray("\x80 \x1A"));
    }

    void wartoscLiczbowa_data()
    {
        QTest::addColumn<QString>("tekst");
        QTest::addColumn<double>("val");
        QTest::addColumn<bool>("liczba");
        QTest::newRow("zera") << "0012" << 12.0 << true;
        QTest::newRow("ogon") << "3x" << 3.0 << false;
        QTest::newRow("litery") << "abc" << 0.0 << false;
        QTest::newRow("pusty") << "" << 0.0 << false;
        QTest::newRow("odstepy") << "  150  " << 150.0 << true;
        QTest::newRow("w srodku") << "1 500" << 1500.0 << true;
        QTest::newRow("minus") << "-1" << -1.0 << true;
        QTest::newRow("ulamek") << "2.5" << 2.5 << true;
        QTest::newRow("wykladnik") << "2e3" << 2000.0 << true;
        QTest::newRow("sam wykladnik") << "2e" << 2.0 << false;
        QTest::newRow("sama kropka") << "." << 0.0 << false;
        QTest::newRow("sterujace") << QString("\x01" "2" "\x04") << 0.0 << false;
    }

    void wartoscLiczbowa()
    {
        QFETCH(QString, tekst);
        QFETCH(double, val);
        QFETCH(bool, liczba);
        QCOMPARE(Liczby::Val(tekst), val);
        QCOMPARE(Liczby::CzyLiczba(tekst), liczba);
    }

    void zaokraglanieIFormaty()
    {
        QCOMPARE(Liczby::Zaokraglij(2.5), 2.0);
        QCOMPARE(Liczby::Zaokraglij(3.5), 4.0);
        QCOMPARE(Liczby::Zaokraglij(-0.5), 0.0);
        QCOMPARE(Liczby::DoInt32(2147483647.0), std::optional<qint32>(2147483647));
        QCOMPARE(Liczby::DoInt32(2147483648.0), std::nullopt);
        QCOMPARE(Liczby::DoInt16(32767.4), std::optional<qint16>(32767));
        QCOMPARE(Liczby::DoInt16(40000), std::nullopt);
        QCOMPARE(Liczby::Format6(1500), QString("001500"));
        QCOMPARE(Liczby::Format6(0), QString("000000"));
        QCOMPARE(Liczby::Format6(-5), QString("-000005"));
        QCOMPARE(Liczby::Format6(12345678), QString("12345678"));
        QCOMPARE(Liczby::Format6(2.5), QString("000003"));
        QCOMPARE(Liczby::Format0(2), QString("2"));
        QCOMPARE(Liczby::Tekst(7), QString("7"));
        QCOMPARE(Liczby::Tekst(3.5), QString("3.5"));
    }
};

QTEST_GUILESS_MAIN(TestLiczbyKodowanie)
#include "test_liczby_kodowanie.moc"
