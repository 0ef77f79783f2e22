#include "config/ini.h"
#include "config/jezyk.h"
#include "serial/lacze.h"
#include "serial/mscomm.h"
#include "serial/protokol.h"
#include "wspolne/emulator.h"
#include "wspolne/komunikaty.h"

#include <QDir>
#include <QTemporaryDir>

#include <QElapsedTimer>
#include <QSerialPort>
#include <QtTest>

#include <csignal>
#include <thread>

#include <sys/resource.h>

namespace {

const QString kCzas = QStringLiteral("Przekroczony czas oczekiwania!");

double czasProcesora()
{
    rusage r{};
    getrusage(RUSAGE_SELF, &r);
    return r.ru_utime.tv_sec + r.ru_stime.tv_sec + (r.ru_utime.tv_usec + r.ru_stime.tv_usec) / 1e6;
}

// The protocol over a port that names the emulator's device, as the window has it.
struct Polaczenie
{
    explicit Polaczenie(const QString &urzadzenie, const QString &folder)
        : jezyk(QDir(folder).filePath("set.lng")),
          port(MapaPortow(QString(), urzadzenie)),
          lacze(port, ustawienia, jezyk, komunikaty),
          protokol(lacze, [this](bool w) { czekanie.append(w); })
    {
        lacze.UstawPort();
    }

    Jezyk jezyk;
    UstawieniaPortu ustawienia;
    ZebraneKomunikaty komunikaty;
    MSComm port;
    Lacze lacze;
    Protokol protokol;
    QList<bool> czekanie;
};

} // namespace

class TestProtokol : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    std::unique_ptr<EmulatorTestowy> emulator(const QStringList &argumenty = {})
    {
        auto e = std::make_unique<EmulatorTestowy>();
        if (!e->uruchom(argumenty))
            qFatal("the emulator did not start");
        return e;
    }

private slots:
    void odrzuconeUstawieniaPortu()
    {
        MSComm port;
        QCOMPARE(port.CommPort(), 1);
        QCOMPARE(port.Settings(), QString("9600,N,8,1"));
        for (const char *zle : {"12345,N,8,1", "9600,X,8,1", "9600,N,9,1", "9600,N,8,3", "9600,N,8", "", "x,N,8,1"}) {
            QVERIFY2(!port.setSettings(zle), zle);
            QCOMPARE(port.Settings(), QString("9600,N,8,1"));
        }
        QVERIFY(port.setSettings("19200,e,7,1.5"));
        QCOMPARE(port.Settings(), QString("19200,e,7,1.5"));
        QVERIFY(!port.setCommPort(0));
        QVERIFY(port.setCommPort(12));
        QCOMPARE(port.CommPort(), 12);
    }

    void zapytaniaIUstawienia()
    {
        auto e = emulator({"--mode", "1", "--frame", "3", "--max", "001500", "--version", "KCI 1.07"});
        Polaczenie p(e->urzadzenie(), m_dir.path());
        QCOMPARE(p.protokol.PobierzTryb(), QString("1"));
        QVERIFY(!p.port.PortOpen());
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

    void odpowiedziNiepoprawne()
    {
        {
            auto e = emulator({"--split", "1"});
            Polaczenie p(e->urzadzenie(), m_dir.path());
            QCOMPARE(p.protokol.PobierzMax(), QString("001500"));
        }
        {
            auto e = emulator({"--trailing", "X"});
            Polaczenie p(e->urzadzenie(), m_dir.path());
            QCOMPARE(p.protokol.PobierzMax(), QString("\x01" "2001500\x04" "X"));
        }
        {
            auto e = emulator({"--noise", "~~"});
            Polaczenie p(e->urzadzenie(), m_dir.path());
            QCOMPARE(p.protokol.PobierzTryb(), QString("~~\x01" "00\x04"));
        }
        {
            auto e = emulator({"--wrong-length"});
            Polaczenie p(e->urzadzenie(), m_dir.path());
            QCOMPARE(p.protokol.PobierzMax().size(), 10);
        }
        {
            auto e = emulator({"--max", "00150", "--version", ""});
            Polaczenie p(e->urzadzenie(), m_dir.path());
            QCOMPARE(p.protokol.PobierzMax(), QString("\x01" "200150\x04"));
            QCOMPARE(p.protokol.PobierzWersje(), QString(""));
        }
    }

    void milczacyKonwerter()
    {
        auto e = emulator({"--silent"});
        Polaczenie p(e->urzadzenie(), m_dir.path());
        QElapsedTimer t;
        t.start();
        const double cpu = czasProcesora();
        QCOMPARE(p.protokol.PobierzTryb(), kCzas);
        const qint64 zapytanie = t.restart();
        QVERIFY2(zapytanie >= 2000 && zapytanie < 2300, qPrintable(QString::number(zapytanie)));
        // The wait sleeps on the port: it burns next to no CPU.
        QVERIFY(czasProcesora() - cpu < 0.3);
        QCOMPARE(p.protokol.WyslijTryb("1"), kCzas);
        const qint64 ustawienie = t.elapsed();
        QVERIFY2(ustawienie >= 4000 && ustawienie < 4500, qPrintable(QString::number(ustawienie)));
        QVERIFY(!p.port.PortOpen());
        // The message came from the language file, and is there now.
        QCOMPARE(modNI::CzytajIni(QDir(m_dir.path()).filePath("set.lng"), "komunikatyProste", kCzas, ""), kCzas);
        QCOMPARE(e->rx(), (QList<QByteArray>{"\x01" "0?\x04", "\x01" "01\x04", "\x01" "0?\x04"}));
    }

    void brakujacyIZajetyPort()
    {
        Polaczenie brak("/dev/nie-ma-takiego-portu", m_dir.path());
        brak.ustawienia.NrPortu = "7";
        brak.lacze.UstawPort();
        // Choosing the port says nothing; the first exchange does.
        QVERIFY(brak.komunikaty.lista.isEmpty());
        QCOMPARE(brak.protokol.PobierzMax(), QString(""));
        QCOMPARE(brak.komunikaty.lista.size(), 1);
        QCOMPARE(brak.komunikaty.lista[0].first, Komunikaty::Ikona::Krytyczna);
        QCOMPARE(brak.komunikaty.lista[0].second, QString("Port com7 nie jest zainstalowany"));
        QVERIFY(brak.czekanie.isEmpty());
        // From then on the stored text is shown, whichever port failed.
        brak.ustawienia.NrPortu = "9";
        brak.lacze.UstawPort();
        QCOMPARE(brak.protokol.WyslijTryb("1"), QString(""));
        QCOMPARE(brak.komunikaty.teksty().last(), QString("Port com7 nie jest zainstalowany"));

        auto e = emulator();
        QSerialPort inny(e->urzadzenie());
        QVERIFY(inny.open(QIODevice::ReadWrite));
        Polaczenie zajety(e->urzadzenie(), m_dir.path());
        QCOMPARE(zajety.protokol.PobierzTryb(), QString(""));
        QCOMPARE(zajety.komunikaty.teksty(),
                 QStringList{QString::fromUtf8("Port com1 jest już otwarty przez inną aplikację")});
        inny.close();
        QVERIFY(e->rx().isEmpty());
    }

    void parametryPrzyOtwartymPorcie()
    {
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
        p.lacze.UstawPort();
        QVERIFY(!p.port.PortOpen());
        QCOMPARE(p.protokol.PobierzTryb(), QString("0"));
        QCOMPARE(p.port.Settings(), QString("4800,E,7,1"));
    }

    void zerwanieIZalew()
    {
        // The converter vanishes in the middle of an exchange: no hang, no spin.
        auto e = emulator({"--silent"});
        Polaczenie p(e->urzadzenie(), m_dir.path());
        const qint64 pid = e->pid();
        std::thread zabojca([pid] {
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
            ::kill(pid_t(pid), SIGKILL);
        });
        QElapsedTimer t;
        t.start();
        const double cpu = czasProcesora();
        QCOMPARE(p.protokol.PobierzMax(), kCzas);
        zabojca.join();
        QVERIFY2(t.elapsed() < 1500, qPrintable(QString::number(t.elapsed())));
        QVERIFY(czasProcesora() - cpu < 0.3);
        QVERIFY(!p.port.PortOpen());

        // A device that floods the line without an EOT ends by the time limit.
        auto zalew = emulator({"--flood", "4"});
        Polaczenie z(zalew->urzadzenie(), m_dir.path());
        t.restart();
        QCOMPARE(z.protokol.PobierzMax(), kCzas);
        QVERIFY(t.elapsed() < 2500);
        QVERIFY(!z.port.PortOpen());
    }
};

QTEST_GUILESS_MAIN(TestProtokol)
#include "test_protokol.moc"
