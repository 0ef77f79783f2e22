#include "config/folder.h"
#include "config/ini.h"
#include "config/jezyk.h"
#include "config/kodowanie.h"
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

    void kodowaniePliku_data()
    {
        // The file before, the value of PRĘDKOŚĆ read from it, and the file
        // after PRĘDKOŚĆ=4800 and PARZYSTOŚĆ=E are written.
        QTest::addColumn<QByteArray>("przed");
        QTest::addColumn<QString>("predkosc");
        QTest::addColumn<QByteArray>("po");
        const QString ustawienia = QStringLiteral("[USTAWIENIA]\r\nPRĘDKOŚĆ=19200\r\n");
        const QString zapisane = QStringLiteral("[USTAWIENIA]\r\nPRĘDKOŚĆ=4800\r\nPARZYSTOŚĆ=E\r\n");
        const QByteArray bom = "\xEF\xBB\xBF";
        QTest::newRow("windows-1250") << Kodowanie::doAnsi(ustawienia) << "19200" << Kodowanie::doAnsi(zapisane);
        QTest::newRow("utf-8") << ustawienia.toUtf8() << "19200" << zapisane.toUtf8();
        QTest::newRow("utf-8 z BOM") << bom + ustawienia.toUtf8() << "19200" << bom + zapisane.toUtf8();
        // The mark alone makes a file UTF-8, Polish letters or not.
        QTest::newRow("BOM, sam ASCII") << bom + "[USTAWIENIA]\r\n" << "9600"
                                        << bom + QStringLiteral("[USTAWIENIA]\r\nPARZYSTOŚĆ=E\r\nPRĘDKOŚĆ=4800\r\n").toUtf8();
        // Plain ASCII, or UTF-8 with one byte that breaks it, is Windows-1250.
        QTest::newRow("ASCII") << QByteArray("[USTAWIENIA]\r\n") << "9600"
                               << Kodowanie::doAnsi(QStringLiteral("[USTAWIENIA]\r\nPARZYSTOŚĆ=E\r\nPRĘDKOŚĆ=4800\r\n"));
        const QByteArray zepsute = ustawienia.toUtf8() + "x=\xB9\r\n";
        QTest::newRow("niepoprawne utf-8") << zepsute << "9600"
                                           << zepsute + Kodowanie::doAnsi(QStringLiteral("PARZYSTOŚĆ=E\r\nPRĘDKOŚĆ=4800\r\n"));
    }

    void kodowaniePliku()
    {
        QFETCH(QByteArray, przed);
        QFETCH(QString, predkosc);
        QFETCH(QByteArray, po);
        const QString plik = sciezka("Settings.ini");
        QVERIFY(zapiszBajty(plik, przed));
        QCOMPARE(CzytajIni(plik, "USTAWIENIA", QStringLiteral("PRĘDKOŚĆ"), "9600"), predkosc);
        QVERIFY(ZapiszIni(plik, "USTAWIENIA", QStringLiteral("PARZYSTOŚĆ"), "E"));
        QVERIFY(ZapiszIni(plik, "USTAWIENIA", QStringLiteral("PRĘDKOŚĆ"), "4800"));
        QCOMPARE(czytajBajty(plik), po);
        QCOMPARE(CzytajIni(plik, "ustawienia", QStringLiteral("parzystość"), ""), QString("E"));
        const QVector<Wpis> wpisy = SekcjaOdczyt("USTAWIENIA", plik);
        QVERIFY(std::any_of(wpisy.begin(), wpisy.end(), [](const Wpis &w) {
            return w.Klucz == QStringLiteral("PRĘDKOŚĆ") && w.Wartosc == "4800";
        }));
    }

    void tekstJezyka_data()
    {
        // What the language file holds under the key, what is shown, and what
        // the key holds afterwards.
        QTest::addColumn<QByteArray>("wpis");
        QTest::addColumn<QString>("pokazany");
        QTest::addColumn<QByteArray>("potem");
        const QByteArray v98(98, 'x');
        const QByteArray v99(99, 'y');
        QTest::newRow("brak") << QByteArray() << "Zamknij" << QByteArray("end=Zamknij");
        QTest::newRow("pusty") << QByteArray("end=") << "Zamknij" << QByteArray("end=Zamknij");
        QTest::newRow("98 znakow") << "end=" + v98 << QString(v98) << "end=" + v98;
        // Too long to read: the default is shown, the translation stays.
        QTest::newRow("99 znakow") << "end=" + v99 << "Zamknij" << "end=" + v99;
        QTest::newRow("300 znakow") << "end=" + QByteArray(300, 'z') << "Zamknij" << "end=" + QByteArray(300, 'z');
    }

    void tekstJezyka()
    {
        QFETCH(QByteArray, wpis);
        QFETCH(QString, pokazany);
        QFETCH(QByteArray, potem);
        const QString plik = sciezka("set.lng");
        QVERIFY(zapiszBajty(plik, "[glowna]\r\n" + (wpis.isEmpty() ? QByteArray() : wpis + "\r\n") + "x=1\r\n"));
        QCOMPARE(Jezyk(plik).TekstJezyka("glowna", "end", "Zamknij"), pokazany);
        QVERIFY(czytajBajty(plik).split('\n').contains(potem + '\r'));
    }

    void folderDanych_data()
    {
        // The marker beside the executable (none: no file) and the folder
        // the program keeps its files in.
        QTest::addColumn<QByteArray>("znacznik");
        QTest::addColumn<QString>("folder");
        QTest::newRow("budowa") << QByteArray() << "<program>";
        QTest::newRow("wskazany") << QByteArray("<dane>\n") << "<dane>";
#ifndef Q_OS_WIN
        QTest::newRow("pusty") << QByteArray("") << "/var/lib/konwerter";
#endif
    }

    void folderDanych()
    {
        QFETCH(QByteArray, znacznik);
        QFETCH(QString, folder);
        const QString program = sciezka("program");
        const QString dane = sciezka("dane");
        QVERIFY(QDir().mkpath(program));
        const QString wzor = "[parametry]\r\nramka=1\r\n";
        QVERIFY(zapiszBajty(program + "/settings.ini.default", wzor.toLatin1()));
        QVERIFY(zapiszBajty(program + "/set.lng.default", "[glowna]\r\n"));
        if (!znacznik.isNull())
            QVERIFY(zapiszBajty(program + "/folder-danych", znacznik.replace("<dane>", dane.toUtf8())));
        folder.replace("<program>", program).replace("<dane>", dane);
        const FolderProgramu f = FolderProgramu::domyslny(program);
        QCOMPARE(f.folder(), folder);
        if (folder != dane)
            return;
        // The folder of an installed program gets the shipped defaults where
        // its own files are missing, and keeps the ones it has.
        QVERIFY(QDir().mkpath(dane));
        QVERIFY(zapiszBajty(dane + "/SET.LNG", "[glowna]\r\nend=End\r\n"));
        f.przygotuj();
        QCOMPARE(czytajBajty(f.plikKatalogu()), wzor.toLatin1());
        QCOMPARE(QDir(dane).entryList(QDir::Files), (QStringList{"SET.LNG", "settings.ini"}));
        QCOMPARE(Jezyk(f.plikJezyka()).TekstJezyka("glowna", "end", "Zamknij"), QString("End"));
    }
};

QTEST_GUILESS_MAIN(TestIni)
#include "test_ini.moc"
