#include "config/ini.h"
#include "odpornosc/pomiary.h"
#include "serial/polaczenie.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QtTest>

class TestProtokol : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

private slots:
    void ustawieniaPortu()
    {
        MSComm port;
        QCOMPARE(port.CommPort(), 1);
        QCOMPARE(port.Settings(), QString("9600,N,8,1"));
        for (const char *zle : {"12345,N,8,1", "9600,X,8,1", "9600,N,9,1", "9600,N,8,3", "9600,N,8", "", "x,N,8,1"}) {
            QVERIFY2(!port.setSettings(zle), zle);
            QCOMPARE(port.Settings(), QString("9600,N,8,1"));
        }
        QVERIFY(!port.setCommPort(0));
        QVERIFY(port.setCommPort(12));
        QCOMPARE(port.CommPort(), 12);

        // Applied while open: closed, changed and opened again; while closed: kept for the next opening.
        auto e = emulator();
        Polaczenie p(e->urzadzenie(), m_dir.path());
        QVERIFY(p.lacze.OtworzPort());
        p.ustawienia.Predkosc = "19200";
        p.ustawienia.BityDanych = "7";
        p.ustawienia.Parzystosc = "E";
        p.lacze.UstawPort();
        QVERIFY(p.port.PortOpen());
        QCOMPARE(p.port.Settings(), QString("19200,E,7,1"));
        p.lacze.ZamknijPort();
        p.ustawienia.Predkosc = "4800";
        p.ustawienia.BityStopu = "2";
        p.lacze.UstawPort();
        QVERIFY(!p.port.PortOpen());
        QCOMPARE(p.port.Settings(), QString("4800,E,7,2"));
        QCOMPARE(p.protokol.PobierzTryb(), QString("0"));
    }

    void zapytaniaIUstawienia()
    {
        auto e = emulator({"--mode", "1", "--frame", "3", "--max", "001500", "--version", "KCI 1.07"});
        Polaczenie p(e->urzadzenie(), m_dir.path());
        QCOMPARE(p.protokol.PobierzTryb(), QString("1"));
        QCOMPARE(p.protokol.PobierzRamke(), QString("3"));
        QCOMPARE(p.protokol.PobierzMax(), QString("001500"));
        QCOMPARE(p.protokol.PobierzWersje(), QString("KCI 1.07"));
        QCOMPARE(p.czekanie, (QList<bool>{true, false, true, false, true, false, true, false}));

        QCOMPARE(p.protokol.WyslijMax("1500.4"), QString("001500"));
        QCOMPARE(p.protokol.WyslijTryb("2"), QString("2"));
        QCOMPARE(p.protokol.WyslijRamke("4"), QString("4"));
        QVERIFY(!p.port.PortOpen());
        QCOMPARE(e->rx(), (QList<QByteArray>{
                              "\x01" "0?\x04", "\x01" "1?\x04", "\x01" "2?\x04", "\x01" "3?\x04",
                              "\x01" "2001500\x04", "\x01" "2?\x04",
                              "\x01" "02\x04", "\x01" "0?\x04",
                              "\x01" "14\x04", "\x01" "1?\x04"}));
        QVERIFY(p.komunikaty.lista.isEmpty());
    }

    void milczacyKonwerter()
    {
        auto e = emulator({"--silent"});
        Polaczenie p(e->urzadzenie(), m_dir.path());
        QElapsedTimer t;
        t.start();
        const double cpu = Pomiary::czasProcesora();
        QCOMPARE(p.protokol.PobierzTryb(), kCzas);
        const qint64 zapytanie = t.restart();
        QVERIFY2(zapytanie >= 2000 && zapytanie < 2300, qPrintable(QString::number(zapytanie)));
        // The wait sleeps on the port: it burns next to no CPU.
        QVERIFY(Pomiary::czasProcesora() - cpu < 0.3);
        QCOMPARE(p.protokol.WyslijTryb("1"), kCzas);
        const qint64 ustawienie = t.elapsed();
        QVERIFY2(ustawienie >= 4000 && ustawienie < 4500, qPrintable(QString::number(ustawienie)));
        QVERIFY(!p.port.PortOpen());
        // The message came from the language file, and is there now.
        QCOMPARE(modNI::CzytajIni(QDir(m_dir.path()).filePath("set.lng"), "komunikatyProste", kCzas, ""), kCzas);
        QCOMPARE(e->rx(), (QList<QByteArray>{"\x01" "0?\x04", "\x01" "01\x04", "\x01" "0?\x04"}));
    }

    void brakujacyPort()
    {
        Polaczenie p("/dev/nie-ma-takiego-portu", m_dir.path());
        p.ustawienia.NrPortu = "7";
        p.lacze.UstawPort();
        // Choosing the port says nothing; the first exchange does.
        QVERIFY(p.komunikaty.lista.isEmpty());
        QCOMPARE(p.protokol.PobierzMax(), QString(""));
        QCOMPARE(p.komunikaty.teksty(), QStringList{"Port com7 nie jest zainstalowany"});
        QCOMPARE(p.komunikaty.lista[0].first, Komunikaty::Ikona::Krytyczna);
        QVERIFY(p.czekanie.isEmpty());
        // The language file keeps the text with its placeholder, so the next
        // failing port is named as itself, in the translator's words too.
        const QString lng = QDir(m_dir.path()).filePath("set.lng");
        QCOMPARE(modNI::CzytajIni(lng, "komunikaty", "BrakPortu", ""), QString("Port %1 nie jest zainstalowany"));
        p.ustawienia.NrPortu = "9";
        p.lacze.UstawPort();
        QCOMPARE(p.protokol.WyslijTryb("1"), QString(""));
        QCOMPARE(p.komunikaty.teksty().last(), QString("Port com9 nie jest zainstalowany"));
        QVERIFY(modNI::ZapiszIni(lng, "komunikaty", "BrakPortu", "Serial port %1 (100%) is not installed"));
        p.lacze.nazywajUrzadzenie(true);
        QCOMPARE(p.protokol.PobierzTryb(), QString(""));
        QCOMPARE(p.komunikaty.teksty().last(), QString("Serial port com9 (/dev/nie-ma-takiego-portu) (100%) is not installed"));
    }

};

QTEST_GUILESS_MAIN(TestProtokol)
#include "test_protokol.moc"
