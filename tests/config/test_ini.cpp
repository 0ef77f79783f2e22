#include "config/ini.h"
#include "config/kodowanie.h"
#include "wspolne/pliki.h"

#include <QDir>
#include <QFile>
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

    void dlugoscWartosci()
    {
        const QString plik = sciezka("a.ini");
        const QByteArray v98(98, 'x'), v99(99, 'y');
        QVERIFY(zapiszBajty(plik, "[s]\nk98=" + v98 + "\nk99=" + v99 + "\nkq=\"" + v98 + "\"\n"));
        QCOMPARE(CzytajIni(plik, "s", "k98", "d"), QString::fromLatin1(v98));
        QCOMPARE(CzytajIni(plik, "s", "k99", "d"), QString("d"));
        // The quotes are not part of the value, so 98 characters between them fit.
        QCOMPARE(CzytajIni(plik, "s", "kq", "d"), QString::fromLatin1(v98));
        // A default too long for the buffer comes back whole.
        const QString dlugaDomyslna(150, 'z');
        QCOMPARE(CzytajIni(plik, "s", "brak", dlugaDomyslna), dlugaDomyslna);
        QCOMPARE(CzytajIni(sciezka("nie-ma.ini"), "s", "k98", "d"), QString("d"));
    }

    void dopasowanieNazw()
    {
        const QString plik = sciezka("Settings.ini");
        QVERIFY(zapiszBajty(plik, "  [ USTAWIENIA ]  \r\n NR PORTU = 7 \r\nPR\xCA""DKO\x8C\xC6=\t19200\t\r\n"
                                  "pusty=\r\nspacja=\" \"\r\njedno=' x '\r\nniedomkniete=\"abc\r\n"
                                  ";kom=1\r\n#hash=2\r\n"));
        QCOMPARE(CzytajIni(plik, "ustawienia", "nr portu", "1"), QString("7"));
        QCOMPARE(CzytajIni(plik, "Ustawienia", QString::fromUtf8("prędkość"), "9600"), QString("19200"));
        QCOMPARE(CzytajIni(plik, "USTAWIENIA", "pusty", "d"), QString(""));
        QCOMPARE(CzytajIni(plik, "USTAWIENIA", "spacja", "d"), QString(" "));
        QCOMPARE(CzytajIni(plik, "USTAWIENIA", "jedno", "d"), QString(" x "));
        QCOMPARE(CzytajIni(plik, "USTAWIENIA", "niedomkniete", "d"), QString("\"abc"));
        // Only ";" makes a comment.
        QCOMPARE(CzytajIni(plik, "USTAWIENIA", ";kom", "d"), QString("d"));
        QCOMPARE(CzytajIni(plik, "USTAWIENIA", "#hash", "d"), QString("2"));
        QCOMPARE(CzytajIni(plik, "inna", "nr portu", "1"), QString("1"));
        // The file name is matched without regard to case as well.
        QCOMPARE(CzytajIni(sciezka("settings.INI"), "USTAWIENIA", "NR PORTU", "1"), QString("7"));
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

    void zapisNowegoPliku()
    {
        const QString plik = sciezka("Settings.ini");
        QVERIFY(ZapiszIni(plik, "USTAWIENIA", QString::fromUtf8("PRĘDKOŚĆ"), "19200"));
        QCOMPARE(czytajBajty(plik), QByteArray("[USTAWIENIA]\r\nPR\xCA""DKO\x8C\xC6=19200\r\n"));
        QCOMPARE(CzytajIni(plik, "USTAWIENIA", QString::fromUtf8("PRĘDKOŚĆ"), "9600"), QString("19200"));
        QCOMPARE(QFile::permissions(plik) & (QFile::WriteOther | QFile::ReadOther | QFile::WriteGroup),
                 QFile::ReadOther | QFile::WriteGroup);
        // No temporary file is left beside it.
        QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), QStringList{"Settings.ini"});
    }

    void zapisZachowujeResztePliku()
    {
        const QString plik = sciezka("s.ini");
        const QByteArray przed = "; komentarz\r\n"
                                 "[A]\n"
                                 "x = 1   \r\n"
                                 "\xFF\x81 nieznane bajty\n"
                                 "\n"
                                 "[B]\r\n"
                                 "y=2\r\n"
                                 "\r\n"
                                 "; o sekcji C\r\n"
                                 "[C]\r\n"
                                 "z=3";
        QVERIFY(zapiszBajty(plik, przed));

        QVERIFY(ZapiszIni(plik, "a", "X", "nowa"));
        QByteArray oczekiwane = przed;
        oczekiwane.replace("x = 1   \r\n", "x = nowa\r\n");
        QCOMPARE(czytajBajty(plik), oczekiwane);

        // A new key goes after the last key of its section, before blank lines
        // and the comments that belong to the next section.
        QVERIFY(ZapiszIni(plik, "B", "w", "5"));
        oczekiwane.replace("y=2\r\n", "y=2\r\nw=5\r\n");
        QCOMPARE(czytajBajty(plik), oczekiwane);

        // The last line has no line end; the file keeps ending without one.
        QVERIFY(ZapiszIni(plik, "C", "v", "6"));
        oczekiwane.append("\r\nv=6");
        QCOMPARE(czytajBajty(plik), oczekiwane);

        QVERIFY(ZapiszIni(plik, "D", "u", "7"));
        oczekiwane.append("\r\n[D]\r\nu=7\r\n");
        QCOMPARE(czytajBajty(plik), oczekiwane);

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

        // A value never breaks the line structure.
        QVERIFY(ZapiszIni(plik, "D", "u", "a\r\nb"));
        QCOMPARE(CzytajIni(plik, "D", "u", ""), QString("a  b"));
    }

    void pierwszaZPowtorzonych()
    {
        // The first of two keys counts, and only the first section of a name.
        const QString plik = sciezka("p.ini");
        QVERIFY(zapiszBajty(plik, "[S]\nk=1\nk=2\n[S]\nm=3\n"));
        QCOMPARE(CzytajIni(plik, "S", "k", ""), QString("1"));
        QCOMPARE(CzytajIni(plik, "S", "m", "d"), QString("d"));
        QCOMPARE(SekcjaOdczyt("S", plik).size(), 2);
        QVERIFY(ZapiszIni(plik, "S", "m", "4"));
        QCOMPARE(czytajBajty(plik), QByteArray("[S]\nk=1\nk=2\nm=4\n[S]\nm=3\n"));
    }

    void folderTylkoDoOdczytu()
    {
        const QString plik = sciezka("Settings.ini");
        const QByteArray przed = "[USTAWIENIA]\r\nNR PORTU=3\r\n";
        QVERIFY(zapiszBajty(plik, przed));
        QFile::setPermissions(m_dir->path(), QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther
                                                 | QFile::ExeOther | QFile::ReadGroup | QFile::ExeGroup);
        {
            BezUprawnien bez;
            QVERIFY(!ZapiszIni(plik, "USTAWIENIA", "NR PORTU", "4"));
            QVERIFY(!ZapiszIni(sciezka("set.lng"), "glowna", "end", "Zamknij"));
            QCOMPARE(CzytajIni(plik, "USTAWIENIA", "NR PORTU", "1"), QString("3"));
        }
        QFile::setPermissions(m_dir->path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QCOMPARE(czytajBajty(plik), przed);
        QVERIFY(!QFile::exists(sciezka("set.lng")));

        // A file that is itself read-only is not replaced behind its back.
        QFile::setPermissions(plik, QFile::ReadOwner | QFile::ReadOther | QFile::ReadGroup);
        {
            BezUprawnien bez;
            QVERIFY(!ZapiszIni(plik, "USTAWIENIA", "NR PORTU", "4"));
        }
        QCOMPARE(czytajBajty(plik), przed);
    }

    void calaSekcja()
    {
        const QString plik = sciezka("settings.ini");
        QVERIFY(zapiszBajty(plik, "[wagi]\r\nWaga A=1\r\n bez rownosci \r\n; komentarz\r\n"
                                  "Waga B = 2=reszta\r\n=pusty klucz\r\nWaga \xA3=ALL\r\n[typy ramek]\r\n"));
        const QVector<Wpis> wagi = SekcjaOdczyt("WAGI", plik);
        QCOMPARE(wagi.size(), 4);
        QCOMPARE(wagi[0].Klucz, QString("Waga A"));
        QCOMPARE(wagi[0].Wartosc, QString("1"));
        QCOMPARE(wagi[1].Klucz, QString("Waga B"));
        QCOMPARE(wagi[1].Wartosc, QString("2"));
        QCOMPARE(wagi[2].Klucz, QString(""));
        QCOMPARE(wagi[3].Klucz, QString::fromUtf8("Waga Ł"));
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
