// Faults of the line: a converter that comes and goes, answers slowly, in
// pieces, malformed or not at all, a device that floods the line, a converter
// that dies mid-exchange or mid-sending, and a port another process holds.

#include "pomiary.h"
#include "serial/odbior_odpowiedzi.h"
#include "serial/polaczenie.h"
#include "simulator/nadajnik.h"
#include "simulator/wartosci.h"
#include "wspolne/okno.h"
#include "wspolne/pliki.h"

#include <QCheckBox>
#include <QElapsedTimer>
#include <QProcess>
#include <QRegularExpression>
#include <QtTest>

#include <atomic>
#include <csignal>
#include <thread>

#include <fcntl.h>
#include <pty.h>
#include <sys/file.h>
#include <termios.h>

using RamkaKonwertera::Polecenie;

namespace {

// A broken device on a pseudo-terminal of the test's own: it sends 'U' as fast
// as the line takes it, never an EOT, and drops what it is sent.
struct Zalew
{
    Zalew()
    {
        termios t{};
        if (::openpty(&master, &slave, nullptr, nullptr, nullptr) != 0 || tcgetattr(slave, &t) != 0)
            return;
        cfmakeraw(&t);
        tcsetattr(slave, TCSANOW, &t);
        sciezka = QString::fromLocal8Bit(::ttyname(slave));
        ::fcntl(master, F_SETFL, O_NONBLOCK);
        watek = std::thread([this] {
            const QByteArray blok(4096, 'U');
            char smieci[256];
            while (!koniec) {
                const ssize_t n = ::write(master, blok.constData(), size_t(blok.size()));
                wyslane += qMax<ssize_t>(n, 0);
                while (::read(master, smieci, sizeof smieci) > 0) {
                }
                if (n <= 0)
                    std::this_thread::sleep_for(std::chrono::milliseconds(1));
            }
        });
    }
    ~Zalew()
    {
        koniec = true;
        if (watek.joinable())
            watek.join();
        ::close(master);
        ::close(slave);
    }

    int master = -1;
    int slave = -1;
    QString sciezka;
    std::atomic<bool> koniec{false};
    std::atomic<qint64> wyslane{0};
    std::thread watek;
};

// The CPU time the process takes in one second of running its event loop.
double czasProcesoraWSpoczynku()
{
    const double cpu = Pomiary::czasProcesora();
    QTest::qWait(1000);
    return Pomiary::czasProcesora() - cpu;
}

} // namespace

class TestLinia : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
    }

    void konwerterZawodnyWieleWymian()
    {
        struct Etap { bool podlaczony; QStringList argumenty; int wymian; Polecenie polecenie; QString wynik; };
        const Etap etapy[] = {
            {true, {}, 10, Polecenie::Max, "001500"},
            // Unplugged: each exchange says so once and goes on.
            {false, {}, 3, Polecenie::Max, ""},
            {true, {"--delay", "100", "--split", "1"}, 10, Polecenie::Tryb, "0"},
            // Each exchange gets its own answer whole, and nothing of one reaches the next.
            {true, {"--noise", "~", "--trailing", "#"}, 5, Polecenie::Wersja, "~\x01" "3KCI 1.07\x04#"},
            // Malformed answers come back whole.
            {true, {"--wrong-length"}, 1, Polecenie::Max, "\x01" "20015000\x04"},
            {true, {"--wrong-length"}, 1, Polecenie::Tryb, "\x01" "000\x04"},
            {true, {"--max", "00150"}, 1, Polecenie::Max, "\x01" "200150\x04"},
            {true, {"--version", ""}, 1, Polecenie::Wersja, ""},
            {true, {"--silent"}, 1, Polecenie::Tryb, kCzas},
            {true, {}, 5, Polecenie::Max, "001500"},
        };
        // One device name through every restart, as a by-id name survives
        // re-plugging the adapter.
        const QString nazwa = m_dir->filePath("konwerter");
        Polaczenie p(nazwa, m_dir->path());
        qsizetype deskryptory = 0;
        long pamiec = 0;
        for (const Etap &etap : etapy) {
            auto e = etap.podlaczony ? emulator(QStringList{"--link", nazwa} + etap.argumenty) : nullptr;
            for (int i = 0; i < etap.wymian; ++i) {
                QCOMPARE(p.protokol.zapytaj(etap.polecenie).tekst, etap.wynik);
                QVERIFY(!p.port.PortOpen());
            }
            if (e) {
                QCOMPARE(e->rx(), QList<QByteArray>(etap.wymian, RamkaKonwertera::zapytanie(etap.polecenie)));
                QVERIFY(e->zatrzymaj());
                e.reset();
            }
            if (&etap == etapy) {
                deskryptory = Pomiary::deskryptory().size();
                pamiec = Pomiary::pamiecProgramuKB();
            }
        }
        QCOMPARE(p.komunikaty.teksty(), QStringList(3, "Port com1 nie jest zainstalowany"));
        QCOMPARE(Pomiary::deskryptory().size(), deskryptory);
        const long przyrost = Pomiary::pamiecProgramuKB() - pamiec;
        QVERIFY2(przyrost < 4096, qPrintable(QString("%1 kB more").arg(przyrost)));
    }

    void zalewOgraniczaPamiec()
    {
        Zalew zalew;
        Polaczenie p(zalew.sciezka, m_dir->path());
        QElapsedTimer t;
        SzczytPamieci szczyt;
        t.start();
        QCOMPARE(p.protokol.PobierzMax(), kCzas);
        const qint64 czas = t.elapsed();
        const long przyrost = szczyt.przyrostKB();
        // The exchange ends by the time limit, however much keeps coming.
        QVERIFY2(czas >= 2000 && czas < 2400, qPrintable(QString::number(czas)));
        QVERIFY(!p.port.PortOpen());
        QVERIFY2(zalew.wyslane > 50 * OdbiorOdpowiedzi::kNajdluzsza,
                 qPrintable(QString("%1 bytes").arg(zalew.wyslane)));
        // Far less than what came: the answer is cut, the rest is dropped.
        QVERIFY2(przyrost < 8192, qPrintable(QString("%1 kB more for %2 bytes").arg(przyrost).arg(zalew.wyslane)));
    }

    void zalewGdyNicNieOczekiwane_data()
    {
        QTest::addColumn<bool>("wysylanie");
        QTest::newRow("wysylanie ciagle") << true;
        QTest::newRow("port otwarty") << false;
    }

    void zalewGdyNicNieOczekiwane()
    {
        // While no answer is awaited the port stays open for seconds on end:
        // what the line brings then is dropped, not kept.
        QFETCH(bool, wysylanie);
        Zalew zalew;
        Polaczenie p(zalew.sciezka, m_dir->path());
        Wartosci wartosci;
        wartosci.BudujRamke(100);
        Nadajnik nadajnik(p.port, wartosci);
        QVERIFY(p.lacze.OtworzPort());
        if (wysylanie)
            nadajnik.wlacz();
        SzczytPamieci szczyt;
        QTest::qWait(2000);
        const long przyrost = szczyt.przyrostKB();
        QVERIFY(p.port.PortOpen());
        QCOMPARE(nadajnik.wyslane() > 20, wysylanie);
        QVERIFY2(zalew.wyslane > 1024 * 1024, qPrintable(QString("%1 bytes").arg(zalew.wyslane)));
        QVERIFY2(przyrost < 1024, qPrintable(QString("%1 kB more for %2 bytes").arg(przyrost).arg(zalew.wyslane)));
    }

    void konwerterZnikaWTrakcieWymiany()
    {
        const QString nazwa = m_dir->filePath("konwerter");
        auto e = emulator({"--link", nazwa, "--silent"});
        const QString pty = QFile::symLinkTarget(nazwa);
        UruchomioneOkno o(m_dir->path(), nazwa);
        o.klik("lblPlik");
        // From a thread of its own, since the exchange blocks this one.
        std::thread zabojca([pid = e->pid()] {
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
            ::kill(pid_t(pid), SIGKILL);
        });
        QElapsedTimer t;
        t.start();
        const double cpu = Pomiary::czasProcesora();
        o.klik("cmdOdbierzMax");
        zabojca.join();
        // The exchange ends when the line dies, not at the time limit, and
        // sleeps until then.
        QVERIFY2(t.elapsed() < 1500, qPrintable(QString::number(t.elapsed())));
        QVERIFY(Pomiary::czasProcesora() - cpu < 0.3);
        QVERIFY(!o.okno->MSComm1().PortOpen());
        QCOMPARE(o.komunikaty.teksty(), QStringList{kCzas});
        QCOMPARE(o.komunikaty.lista[0].first, Komunikaty::Ikona::Informacja);

        // Nothing follows by itself: no second message, no spinning.
        QVERIFY(czasProcesoraWSpoczynku() < 0.1);
        QCOMPARE(o.komunikaty.lista.size(), 1);
        QCOMPARE(Pomiary::deskryptory().count(pty), 0);
    }

    void konwerterZnikaPodczasWysylania()
    {
        const QString nazwa = m_dir->filePath("konwerter");
        auto e = emulator({"--link", nazwa, "--quiet-frames"});
        const QString pty = QFile::symLinkTarget(nazwa);
        UruchomioneOkno o(m_dir->path(), nazwa);
        o.klik("lblTransmisja");
        auto *nasluch = o.w<QCheckBox>("chNasluch");
        nasluch->click();
        QVERIFY(o.okno->nadajnik().wlaczony());
        QCOMPARE(Pomiary::deskryptory().count(pty), 1);
        QTRY_VERIFY(o.okno->nadajnik().wyslane() > 5);
        e->zabij();
        QTRY_VERIFY(!nasluch->isChecked());
        const qint64 wyslane = o.okno->nadajnik().wyslane();
        QVERIFY(czasProcesoraWSpoczynku() < 0.1);
        QCOMPARE(o.komunikaty.teksty(), QStringList{"Port com1 przestał odpowiadać - wysyłanie zatrzymane"});
        QVERIFY(!o.okno->MSComm1().PortOpen());
        QCOMPARE(o.okno->nadajnik().wyslane(), wyslane);
        QCOMPARE(Pomiary::deskryptory().count(pty), 0);
        QVERIFY(o.w("lblPlik")->isEnabled());

        // Plugged in again, sending starts again from the same box.
        e = emulator({"--link", nazwa});
        nasluch->click();
        QVERIFY(nasluch->isChecked());
        // The frames leave from the event loop, so wait with it running.
        QTRY_VERIFY(!e->linie().filter(QRegularExpression("^FRAME")).isEmpty());
        nasluch->click();
        QCOMPARE(o.komunikaty.lista.size(), 1);
    }

    void portTrzymanyPrzezInnyProces()
    {
        auto e = emulator({"--quiet-frames"});
        QVERIFY(zapiszBajty(m_dir->filePath("settings.ini"), "[parametry]\r\nramka=1\r\n"));
        // Another program on the same port: the command-line tool sending frames.
        QProcess inny;
        inny.start(KONWERTER_CLI, {"--folder", m_dir->path(), "--device", e->urzadzenie(), "simulate", "100",
                                   "--seconds", "60"});
        QVERIFY(inny.waitForStarted());
        QVERIFY(!e->czekajNaLinie("PORT open", 5000).isNull());

        Polaczenie p(e->urzadzenie(), m_dir->path());
        QCOMPARE(p.protokol.PobierzMax(), QString(""));
        QCOMPARE(p.protokol.WyslijTryb("2"), QString(""));
        QCOMPARE(p.komunikaty.teksty(), QStringList(2, "Port com1 jest już otwarty przez inną aplikację"));
        QCOMPARE(p.komunikaty.lista[0].first, Komunikaty::Ikona::Krytyczna);
        QVERIFY(e->rx().isEmpty());

        // It dies without letting go of its lock; the port is free all the same.
        inny.kill();
        QVERIFY(inny.waitForFinished());
        QVERIFY(!e->czekajNaLinie("PORT closed", 5000).isNull());
        QCOMPARE(p.protokol.PobierzMax(), QString("001500"));
        QCOMPARE(p.komunikaty.lista.size(), 2);
        QCOMPARE(e->rx(), QList<QByteArray>{"\x01" "2?\x04"});
    }

    void portZablokowanyFlock()
    {
        // Another program that locks the device itself instead of leaving a
        // lock file; a lock belongs to an open of the device, so one of this
        // process holds the port against it as well.
        auto e = emulator();
        const int fd = ::open(QFile::encodeName(e->urzadzenie()).constData(), O_RDWR | O_NOCTTY);
        QVERIFY(fd >= 0);
        QCOMPARE(::flock(fd, LOCK_EX | LOCK_NB), 0);
        Polaczenie p(e->urzadzenie(), m_dir->path());
        QCOMPARE(p.protokol.PobierzMax(), QString(""));
        QCOMPARE(p.komunikaty.teksty(), QStringList{"Port com1 jest już otwarty przez inną aplikację"});
        QVERIFY(!p.port.PortOpen());
        ::close(fd);
        QCOMPARE(p.protokol.PobierzMax(), QString("001500"));
        QCOMPARE(e->rx(), QList<QByteArray>{"\x01" "2?\x04"});
    }
};

QTEST_MAIN(TestLinia)
#include "test_linia.moc"
