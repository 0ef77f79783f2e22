#include "config/ini.h"
#include "wspolne/pliki.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace modNI;

class TestIni : public QObject
{
    Q_OBJECT

    QString sciezka(const QString &nazwa) const { return m_dir->filePath(nazwa); }
    std::unique_ptr<QTemporaryDir> m_dir;

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
    }

    void odczyt()
    {
        const QString plik = sciezka("Settings.ini");
        const QByteArray v98(98, 'x');
        QVERIFY(zapiszBajty(plik, "  [ USTAWIENIA ]  \r\n NR PORTU = 7 \r\nPR\xCA""DKO\x8C\xC6=\t19200\t\r\n"
                                  "pusty=\r\nspacja=\" \"\r\njedno=' x '\r\nniedomkniete=\"abc\r\n"
                                  ";kom=1\r\n#hash=2\r\nsrednik=a ;b\r\nk=1\r\nk=2\r\nk98=" + v98 + "\r\nk99="
                                  + QByteArray(99, 'y') + "\r\nkq=\"" + v98 + "\"\r\n[inna]\r\n[ustawienia]\r\nm=3\r\n"));
        QCOMPARE(CzytajIni(plik, "ustawienia", "nr portu", "1"), QString("7"));
        QCOMPARE(CzytajIni(plik, "Ustawienia", QStringLiteral("prędkość"), "9600"), QString("19200"));
        // The file name is matched without regard to case as well.
        QCOMPARE(CzytajIni(sciezka("settings.INI"), "USTAWIENIA", "NR PORTU", "1"), QString("7"));
        QCOMPARE(CzytajIni(plik, "inna", "nr portu", "d"), QString("d"));
        QCOMPARE(CzytajIni(sciezka("nie-ma.ini"), "USTAWIENIA", "NR PORTU", "d"), QString("d"));
        const std::pair<QString, QString> klucze[] = {
            {"pusty", ""}, {"spacja", " "}, {"jedno", " x "}, {"niedomkniete", "\"abc"},
            // Only ";" makes a comment, and only at the start of a line.
            {";kom", "d"}, {"#hash", "2"}, {"srednik", "a ;b"},
            // The first of two keys counts, and only the first section of a name.
            {"k", "1"}, {"m", "d"},
            // 99 characters and more fill the 100-character buffer: too long.
            // The quotes are not part of the value, so 98 between them fit.
            {"k98", v98}, {"k99", "d"}, {"kq", v98},
        };
        for (const auto &[klucz, wartosc] : klucze)
            QCOMPARE(CzytajIni(plik, "USTAWIENIA", klucz, "d"), wartosc);
        // A default too long for the buffer comes back whole.
        const QString dlugaDomyslna(150, 'z');
        QCOMPARE(CzytajIni(plik, "USTAWIENIA", "brak", dlugaDomyslna), dlugaDomyslna);
    }

    void nazwyJakWPliku()
    {
        // Spaces and tabs around a name are not part of it, for a write as for
        // a read; any other blank is, as it is in the file.
        const QString plik = sciezka("n.ini");
        QVERIFY(zapiszBajty(plik, "[S]\r\nk=1\r\n"));
        QVERIFY(ZapiszIni(plik, " S\t", "\tk ", "2"));
        QCOMPARE(czytajBajty(plik), QByteArray("[S]\r\nk=2\r\n"));
        QCOMPARE(CzytajIni(plik, " S ", " k", ""), QString("2"));
        QVERIFY(ZapiszIni(plik, "S", "\v[", "3"));
        QCOMPARE(CzytajIni(plik, "S", "\v[", ""), QString("3"));
        QCOMPARE(CzytajIni(plik, "S", "[", "brak"), QString("brak"));
        QCOMPARE(SekcjaOdczyt("\tS", plik).size(), 2);
    }

    void zapis()
    {
        // A new file: one section, one key, the key name in Windows-1250.
        const QString nowy = sciezka("Settings.ini");
        QVERIFY(ZapiszIni(nowy, "USTAWIENIA", QStringLiteral("PRĘDKOŚĆ"), "19200"));
        QCOMPARE(czytajBajty(nowy), QByteArray("[USTAWIENIA]\r\nPR\xCA""DKO\x8C\xC6=19200\r\n"));

        // In a file that exists only the value changes; every other byte stays.
        const QString plik = sciezka("s.ini");
        QByteArray oczekiwane = "; komentarz\r\n[A]\n#x=0\nx = 1   \r\n\xFF\x81 nieznane bajty\n\n[B]\r\ny=2\r\n"
                                "\r\n; o sekcji C\r\n[C]\r\nz=3";
        QVERIFY(zapiszBajty(plik, oczekiwane));
        QVERIFY(ZapiszIni(plik, "a", "X", "nowa"));
        QCOMPARE(czytajBajty(plik), oczekiwane.replace("x = 1   \r\n", "x = nowa\r\n"));
        // A new key goes after the last key of its section, before blank lines
        // and the comments that belong to the next section.
        QVERIFY(ZapiszIni(plik, "B", "w", "5"));
        QCOMPARE(czytajBajty(plik), oczekiwane.replace("y=2\r\n", "y=2\r\nw=5\r\n"));
        // The last line has no line end; the file keeps ending without one.
        QVERIFY(ZapiszIni(plik, "C", "v", "6"));
        QCOMPARE(czytajBajty(plik), oczekiwane.append("\r\nv=6"));
        QVERIFY(ZapiszIni(plik, "D", "u", "7"));
        QCOMPARE(czytajBajty(plik), oczekiwane.append("\r\n[D]\r\nu=7\r\n"));
        // A value never breaks the line structure.
        QVERIFY(ZapiszIni(plik, "D", "u", "a\r\nb"));
        QCOMPARE(CzytajIni(plik, "D", "u", ""), QString("a  b"));

        // A section named twice is written in its first occurrence only.
        const QString dwie = sciezka("p.ini");
        QVERIFY(zapiszBajty(dwie, "[S]\nk=1\n[S]\nm=3\n"));
        QVERIFY(ZapiszIni(dwie, "S", "m", "4"));
        QCOMPARE(czytajBajty(dwie), QByteArray("[S]\nk=1\nm=4\n[S]\nm=3\n"));

        // A lone CR at the very end does not end the line: the new key gets a
        // line of its own and the last value stays as it was.
        const QString cr = sciezka("cr.ini");
        QVERIFY(zapiszBajty(cr, "[E]\r\nend=Anuluj\r"));
        QVERIFY(ZapiszIni(cr, "E", "conect", "x"));
        QCOMPARE(CzytajIni(cr, "E", "conect", ""), QString("x"));
        QCOMPARE(CzytajIni(cr, "E", "end", ""), QString("Anuluj"));
        QVERIFY(zapiszBajty(cr, "[\r"));
        QVERIFY(ZapiszIni(cr, "", "", "y"));
        QCOMPARE(CzytajIni(cr, "", "", ""), QString("y"));
    }

    void calaSekcja()
    {
        const QString plik = sciezka("settings.ini");
        QVERIFY(zapiszBajty(plik, "[wagi]\r\nWaga A=1\r\n bez rownosci \r\n; komentarz\r\n#W=ALL\r\n"
                                  "Waga B = \"2\"=reszta\r\n=pusty klucz\r\nWaga \xA3=ALL\r\n[typy ramek]\r\n"
                                  "[WAGI]\r\nWaga C=3\r\n"));
        const QVector<Wpis> wagi = SekcjaOdczyt("WAGI", plik);
        const QList<std::pair<QString, QString>> oczekiwane = {
            {"Waga A", "1"}, {"#W", "ALL"}, {"Waga B", "\"2\""}, {"", "pusty klucz"}, {"Waga Ł", "ALL"}};
        QCOMPARE(wagi.size(), oczekiwane.size());
        for (qsizetype i = 0; i < wagi.size(); ++i)
            QCOMPARE(std::make_pair(wagi[i].Klucz, wagi[i].Wartosc), oczekiwane[i]);
        QVERIFY(SekcjaOdczyt("typy ramek", plik).isEmpty());
        QVERIFY(SekcjaOdczyt("brak", plik).isEmpty());
        QVERIFY(SekcjaOdczyt("wagi", sciezka("brak.ini")).isEmpty());
    }

    void sekcjaUcietaBuforem()
    {
        // 600 entries "kNNN=" + 10 value characters: 16 characters each with
        // the NUL, 9,600 in all: they fit. 700 of them do not.
        for (const int ile : {600, 700}) {
            QByteArray tresc = "[duza]\n";
            for (int i = 0; i < ile; ++i)
                tresc += QByteArray("k") + QByteArray::number(i).rightJustified(3, '0') + "=0123456789\n";
            const QString plik = sciezka(QString("d%1.ini").arg(ile));
            QVERIFY(zapiszBajty(plik, tresc));
            const QVector<Wpis> wpisy = SekcjaOdczyt("duza", plik);
            // 9,998 characters reach the buffer: 624 whole entries, the rest cut.
            QCOMPARE(wpisy.size(), ile == 600 ? 600 : 624);
            QCOMPARE(wpisy.last().Wartosc, QString("0123456789"));
        }
    }

    void zepsutePliki_data()
    {
        QTest::addColumn<QByteArray>("tresc");
        QByteArray smieci(4096, '\0');
        for (int i = 0; i < smieci.size(); ++i)
            smieci[i] = char((i * 7919 + 13) & 0xFF);
        QTest::newRow("binarne") << smieci;
        QTest::newRow("bez sekcji") << QByteArray("k=1\nNR PORTU=5\n");
        QTest::newRow("NUL") << QByteArray("[USTAWIENIA]\nNR\0PORTU=5\nX=a\0b\n", 28);
        QTest::newRow("BOM") << QByteArray("\xEF\xBB\xBF[USTAWIENIA]\r\nNR PORTU=5\r\n");
        QTest::newRow("dluga linia") << (QByteArray("[USTAWIENIA]\n") + QByteArray(100000, 'a') + "\nNR PORTU=5\n");
        QTest::newRow("10 MB") << (QByteArray(10 * 1024 * 1024, '\n') + "[USTAWIENIA]\nNR PORTU=5\n");
        QTest::newRow("tylko nawias") << QByteArray("[\n]\n[[[\n=\n==\n");
    }

    void zepsutePliki()
    {
        QFETCH(QByteArray, tresc);
        const QString plik = sciezka("z.ini");
        QVERIFY(zapiszBajty(plik, tresc));
        const QString odczyt = CzytajIni(plik, "USTAWIENIA", "NR PORTU", "1");
        QVERIFY(odczyt == "1" || odczyt == "5");
        SekcjaOdczyt("USTAWIENIA", plik);

        QVERIFY(ZapiszIni(plik, "USTAWIENIA", "BITY STOPU", "2"));
        QCOMPARE(CzytajIni(plik, "USTAWIENIA", "BITY STOPU", "1"), QString("2"));
        const QByteArray po = czytajBajty(plik);
        // Everything that was there is still there, in order.
        QVERIFY(po.size() > tresc.size());
        QCOMPARE(po.indexOf(tresc.left(100)), 0);
        QVERIFY(po.contains(tresc.right(100)));
    }
};

QTEST_GUILESS_MAIN(TestIni)
#include "test_ini.moc"
