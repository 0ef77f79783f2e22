#include "config/kodowanie.h"
#include "config/liczby.h"
#include "config/ustawienia.h"

#include <QStringDecoder>
#include <QtTest>

class TestLiczbyKodowanie : public QObject
{
    Q_OBJECT

private slots:
    void kodowanie()
    {
        QCOMPARE(Kodowanie::doAnsi(QStringLiteral("PRĘDKOŚĆ € 漢")), QByteArray("PR\xCA""DKO\x8C\xC6 \x80 \x1A"));
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

    void wartoscLiczbowa()
    {
        // A text, its leading number, whether the whole text is a number, and
        // the port number it gives when read from the settings file.
        const std::tuple<QString, double, bool, QString> wiersze[] = {
            {"0012", 12, true, "12"}, {"007", 7, true, "7"}, {"3x", 3, false, "3"}, {"abc", 0, false, "0"},
            {"", 0, false, "0"}, {"  150  ", 150, true, "150"}, {"1 500", 1500, false, "1500"},
            {"- 5", -5, false, "-5"}, {" +.5e1 ", 5, true, "5"},
            {"-1", -1, true, "-1"}, {"2.5", 2.5, true, "2.5"}, {"2e3", 2000, true, "2000"},
            {"2e", 2, false, "2"}, {".", 0, false, "0"}, {"\x01" "2" "\x04", 0, false, "0"},
        };
        for (const auto &[tekst, val, liczba, nrPortu] : wiersze) {
            QCOMPARE(Liczby::Val(tekst), val);
            QCOMPARE(Liczby::CzyLiczba(tekst), liczba);
            QCOMPARE(Ustawienia::NormalizujNrPortu(tekst), nrPortu);
        }
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
    }
};

QTEST_GUILESS_MAIN(TestLiczbyKodowanie)
#include "test_liczby_kodowanie.moc"
