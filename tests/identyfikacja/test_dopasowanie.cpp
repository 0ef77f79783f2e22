// Which frame types a scale's frames fit: a frame fits when the type's own
// frame building gives it back for the weight the frame shows.
#include "config/kodowanie.h"
#include "identyfikacja/dopasowanie.h"
#include "wspolne/pliki.h"

#include <QTemporaryDir>
#include <QtTest>

#include <optional>

Q_DECLARE_METATYPE(std::optional<qint32>)

namespace {

// The types of the shipped catalogue, and two that a constant weight cannot
// tell apart ("A" and "B" differ only where "  1234" has blanks).
const char *const kKatalog =
    "[parametry]\r\njm=kg\r\n"
    "[typy ramek]\r\n1=Znak i 6 cyfr\r\n2=Kropka\r\n3=Zera\r\n4=Dwie po kropce\r\nA=Sześć cyfr\r\n"
    "B=Cztery cyfry\r\nALL=Wszystkie wagi\r\n1=Ten sam klucz drugi raz\r\n"
    "[1]\r\nplus=+\r\nminus=-\r\nzero=\" \"\r\nramka=zmmmmmmsjj\r\n"
    "[2]\r\nplus=+\r\nminus=-\r\nramka=mm0k000sjj\r\n"
    "[3]\r\nramka=000000\r\n"
    "[4]\r\nplus=\" \"\r\nminus=-\r\nzero=\" \"\r\nramka=zmmm0k00\r\n"
    "[A]\r\nramka=mmmmmm\r\n"
    "[B]\r\nramka=ssmmmm\r\n";

} // namespace

class TestDopasowanie : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString plik() const { return m_dir.filePath("settings.ini"); }

private slots:
    void initTestCase()
    {
        QVERIFY(zapiszBajty(plik(), Kodowanie::doAnsi(QString::fromUtf8(kKatalog))));
    }

    void waga_data()
    {
        QTest::addColumn<QString>("typ");
        QTest::addColumn<QString>("ramka");
        QTest::addColumn<std::optional<qint32>>("waga");
        const std::optional<qint32> zadna;
        QTest::newRow("dodatnia") << "1" << "+   123 kg" << std::optional<qint32>(123);
        QTest::newRow("ujemna") << "1" << "-   123 kg" << std::optional<qint32>(-123);
        QTest::newRow("zero ze znakiem zera") << "1" << "      0 kg" << std::optional<qint32>(0);
        QTest::newRow("zero ze znakiem plus") << "1" << "+     0 kg" << zadna;
        QTest::newRow("zero wiodace bez 0 we wzorze") << "1" << "+  0123 kg" << zadna;
        QTest::newRow("obcy znak") << "1" << "*   123 kg" << zadna;
        QTest::newRow("przerwa w liczbie") << "1" << "+  1 23 kg" << zadna;
        QTest::newRow("jednostka nie na miejscu") << "1" << "+   123kg " << zadna;
        QTest::newRow("za dluga") << "1" << "+   123 kg " << zadna;
        QTest::newRow("kropka") << "2" << "  1.234 kg" << std::optional<qint32>(1234);
        QTest::newRow("bez znaku zawsze dodatnia") << "2" << "  0.056 kg" << std::optional<qint32>(56);
        QTest::newRow("przecinek zamiast kropki") << "2" << "  1,234 kg" << zadna;
        QTest::newRow("puste miejsce zera") << "2" << "   .234 kg" << zadna;
        QTest::newRow("zera z przodu") << "3" << "000123" << std::optional<qint32>(123);
        QTest::newRow("spacje zamiast zer") << "3" << "   123" << zadna;
        QTest::newRow("znak plus to spacja") << "4" << "    1.23" << std::optional<qint32>(123);
        QTest::newRow("znak minus") << "4" << "-   1.23" << std::optional<qint32>(-123);
        QTest::newRow("szesc cyfr") << "A" << "123456" << std::optional<qint32>(123456);
    }

    void waga()
    {
        QFETCH(QString, typ);
        QFETCH(QString, ramka);
        Wartosci w;
        w.WczytajTypRamki(plik(), typ);
        QTEST(Dopasowanie::waga(w, ramka), "waga");
    }

    // The list narrows as the weight changes; frames that fit no type are set
    // aside until they are too many.
    void przebieg_data()
    {
        QTest::addColumn<QStringList>("ramki");
        QTest::addColumn<QStringList>("pasujace");
        QTest::addColumn<QString>("wagi");
        QTest::newRow("stala waga, dwa typy") << QStringList{"  1234", "  1234"} << QStringList{"B", "A"} << "1234";
        QTest::newRow("waga rosnie") << QStringList{"  1234", "  1240", " 12345"} << QStringList{"A"}
                                     << "1234 1240 12345";
        QTest::newRow("jeden typ") << QStringList{"+   120 kg", "-    20 kg", "      0 kg"} << QStringList{"1"}
                                   << "120 -20 0";
        QTest::newRow("ucieta ramka odlozona")
            << QStringList{"+   120 kg", "+   1", "+   130 kg", "+   140 kg", "+   150 kg"} << QStringList{"1"}
            << "120 130 140 150";
        QTest::newRow("za duzo odlozonych") << QStringList{"+   120 kg", "+   1", "+   1", "+   130 kg"}
                                            << QStringList{} << "120 130";
        QTest::newRow("ramka innego typu wyklucza") << QStringList{"+   120 kg", "000120"} << QStringList{} << "120";
        QTest::newRow("zadna") << QStringList{"??"} << QStringList{} << "";
    }

    void przebieg()
    {
        QFETCH(QStringList, ramki);
        Dopasowanie d;
        d.wczytaj(plik());
        QStringList klucze;
        for (const auto &t : d.typy())
            klucze.append(t.klucz);
        QCOMPARE(klucze, (QStringList{"1", "2", "3", "4", "A", "B"}));
        for (const QString &r : ramki)
            d.dodaj(r);
        QStringList pasujace;
        for (const auto &t : d.pasujace())
            pasujace.append(t.klucz);
        QTEST(pasujace, "pasujace");
        // The weights of the first type that took every frame which fit anything.
        QStringList wagi;
        for (const auto &t : d.typy())
            if (!t.wagi.isEmpty() && wagi.isEmpty())
                for (qint32 w : t.wagi)
                    wagi.append(QString::number(w));
        QTEST(wagi.join(' '), "wagi");
    }
};

QTEST_GUILESS_MAIN(TestDopasowanie)
#include "test_dopasowanie.moc"
