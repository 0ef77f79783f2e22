// Splitting what arrives on the line into command frames and scale frames.
#include "emulator/rozdzielacz.h"

#include <QtTest>

namespace {

using Rodzaj = Rozdzielacz::Kawalek::Rodzaj;

// "P:<bytes>" for a command, "L:<bytes>" for a line, in order.
QStringList opis(const QList<Rozdzielacz::Kawalek> &kawalki)
{
    QStringList wynik;
    for (const auto &k : kawalki)
        wynik << (k.rodzaj == Rodzaj::Polecenie ? "P:" : "L:") + QString::fromLatin1(k.bajty.toHex(' '));
    return wynik;
}

} // namespace

class TestRozdzielacz : public QObject
{
    Q_OBJECT

private slots:
    void jednymKawalkiem_data();
    void jednymKawalkiem();
    void poBajcie();
    void zaDlugie();
};

void TestRozdzielacz::jednymKawalkiem_data()
{
    QTest::addColumn<QByteArray>("dane");
    QTest::addColumn<QStringList>("kawalki");

    QTest::newRow("query") << QByteArray("\x01" "2?\x04") << QStringList{"P:01 32 3f 04"};
    QTest::newRow("line") << QByteArray("  12\r\n") << QStringList{"L:20 20 31 32"};
    QTest::newRow("bare LF line") << QByteArray("12\n") << QStringList{"L:31 32"};
    QTest::newRow("CR kept inside") << QByteArray("1\r2\r\n") << QStringList{"L:31 0d 32"};
    QTest::newRow("empty lines") << QByteArray("\r\n\n") << QStringList{};
    QTest::newRow("noise before SOH") << QByteArray("xy\x01" "0?\x04")
                                      << QStringList{"P:01 30 3f 04"};
    QTest::newRow("SOH restarts") << QByteArray("\x01" "2\x01" "1?\x04")
                                  << QStringList{"P:01 31 3f 04"};
    QTest::newRow("LF cancels command") << QByteArray("\x01" "2\n  12\r\n")
                                        << QStringList{"L:20 20 31 32"};
    QTest::newRow("EOT outside is line text") << QByteArray("\x04" "5\r\n")
                                              << QStringList{"L:04 35"};
    QTest::newRow("mixed") << QByteArray("  1\r\n\x01" "0?\x04  2\r\n")
                           << QStringList{"L:20 20 31", "P:01 30 3f 04", "L:20 20 32"};
    QTest::newRow("unfinished") << QByteArray("\x01" "0?  12") << QStringList{};
}

void TestRozdzielacz::jednymKawalkiem()
{
    QFETCH(QByteArray, dane);
    QFETCH(QStringList, kawalki);
    Rozdzielacz r;
    QCOMPARE(opis(r.dodaj(dane)), kawalki);
}

void TestRozdzielacz::poBajcie()
{
    const QByteArray dane("+  1.234 kg\r\n\x01" "2001500\x04" "_  0.001 kg\r\n");
    Rozdzielacz r;
    QList<Rozdzielacz::Kawalek> wszystkie;
    for (const char c : dane)
        wszystkie += r.dodaj(QByteArrayView(&c, 1));
    QCOMPARE(opis(wszystkie), (QStringList{"L:" + QString::fromLatin1(QByteArray("+  1.234 kg").toHex(' ')),
                                           "P:01 32 30 30 31 35 30 30 04",
                                           "L:" + QString::fromLatin1(QByteArray("_  0.001 kg").toHex(' '))}));
}

void TestRozdzielacz::zaDlugie()
{
    Rozdzielacz r;
    // A command that never ends is dropped; what follows is read as usual.
    QByteArray dane = "\x01" "3" + QByteArray(Rozdzielacz::kNajdluzszePolecenie, 'x') + "\x04";
    QCOMPARE(opis(r.dodaj(dane)), QStringList{});
    QCOMPARE(opis(r.dodaj("\x01" "3?\x04")), QStringList{"P:01 33 3f 04"});
    // A line that never ends is cut, the rest of it becomes the next line.
    dane = QByteArray(Rozdzielacz::kNajdluzszaLinia, 'a') + "b\r\n";
    QCOMPARE(opis(r.dodaj(dane)), QStringList{"L:62"});
}

QTEST_GUILESS_MAIN(TestRozdzielacz)
#include "test_rozdzielacz.moc"
