// Faults of the line, against the real emulator or a real pseudo-terminal: a
// converter that comes and goes, answers slowly, a byte at a time, with noise
// and junk around them, a device that floods the line, a converter that dies in
// the middle of an exchange or of continuous sending, and a port another
// process holds.

#include "config/jezyk.h"
#include "controls/textxp.h"
#include "pomiary.h"
#include "serial/lacze.h"
#include "serial/mscomm.h"
#include "serial/odbior_odpowiedzi.h"
#include "serial/protokol.h"
#include "simulator/nadajnik.h"
#include "wspolne/emulator.h"
#include "wspolne/komunikaty.h"
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
#include <poll.h>
#include <pty.h>
#include <termios.h>

namespace {

const QString kCzas = QStringLiteral("Przekroczony czas oczekiwania!");
const QString kBrakPortu = QStringLiteral("Port com1 nie jest zainstalowany");
const QString kPortZajety = QStringLiteral("Port com1 jest już otwarty przez inną aplikację");
const QString kPortUtracony = QStringLiteral("Port com1 przestał odpowiadać - wysyłanie zatrzymane");

// The protocol over a port that names `urzadzenie`, as the window has it.
struct Polaczenie
{
    Polaczenie(const QString &urzadzenie, const QString &folder)
        : jezyk(QDir(folder).filePath("set.lng")),
          port(MapaPortow(QString(), urzadzenie)),
          lacze(port, ustawienia, jezyk, komunikaty),
          protokol(lacze)
    {
        lacze.UstawPort();
    }

    Jezyk jezyk;
    UstawieniaPortu ustawienia;
    ZebraneKomunikaty komunikaty;
    MSComm port;
    Lacze lacze;
    Protokol protokol;
};

std::unique_ptr<EmulatorTestowy> emulator(const QStringList &argumenty)
{
    auto e = std::make_unique<EmulatorTestowy>();
    if (!e->uruchom(argumenty))
        qFatal("the emulator did not start");
    return e;
}

// Kills a process after `ms`, from a thread of its own, since an exchange
// blocks the thread that runs it.
std::thread zabijPo(qint64 pid, int ms)
{
    return std::thread([pid, ms] {
        std::this_thread::sleep_for(std::chrono::milliseconds(ms));
        ::kill(pid_t(pid), SIGKILL);
    });
}

// A broken device on a pseudo-terminal of the test's own: it sends 'U' as fast
// as the line takes it, never an EOT, until it is destroyed.
class Zalew
{
public:
    Zalew()
    {
        if (::openpty(&m_master, &m_slave, nullptr, nullptr, nullptr) != 0)
            return;
        termios t{};
        tcgetattr(m_slave, &t);
        cfmakeraw(&t);
        tcsetattr(m_slave, TCSANOW, &t);
        m_sciezka = QString::fromLocal8Bit(::ttyname(m_slave));
        ::fcntl(m_master, F_SETFL, ::fcntl(m_master, F_GETFL) | O_NONBLOCK);
        m_watek = std::thread([this] {
            const QByteArray blok(4096, 'U');
            pollfd p{m_master, POLLOUT, 0};
            while (!m_koniec) {
                if (::poll(&p, 1, 10) <= 0)
                    continue;
                const ssize_t n = ::write(m_master, blok.constData(), size_t(blok.size()));
                if (n > 0)
                    m_wyslane += n;
                // What the device is sent goes nowhere.
                char smieci[256];
                while (::read(m_master, smieci, sizeof smieci) > 0) {
                }
            }
        });
    }
    ~Zalew()
    {
        m_koniec = true;
        if (m_watek.joinable())
            m_watek.join();
        if (m_master >= 0)
            ::close(m_master);
        if (m_slave >= 0)
            ::close(m_slave);
    }
    Zalew(const Zalew &) = delete;
    Zalew &operator=(const Zalew &) = delete;

    QString sciezka() const { return m_sciezka; }
    qint64 wyslane() const { return m_wyslane; }

private:
    int m_master = -1;
    int m_slave = -1;
    QString m_sciezka;
    std::atomic<bool> m_koniec{false};
    std::atomic<qint64> m_wyslane{0};
    std::thread m_watek;
};

// The box reacts to a click on its square, not on the empty space beside its text.
void klikPola(QWidget *pole)
{
    const QPoint kwadrat(8, pole->height() / 2);
    QTest::mouseMove(pole, kwadrat);
    QTest::mouseClick(pole, Qt::LeftButton, {}, kwadrat);
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
        QVERIFY(m_dir->isValid());
    }

    void konwerterZawodnyWieleWymian()
    {
        // One device name through every restart, as a by-id name survives
        // re-plugging the adapter.
        const QString nazwa = m_dir->filePath("konwerter");
        Polaczenie p(nazwa, m_dir->path());
        auto e = emulator({"--link", nazwa});
        for (int i = 0; i < 10; ++i) {
            QCOMPARE(p.protokol.PobierzMax(), QString("001500"));
            QVERIFY(!p.port.PortOpen());
        }
        QVERIFY(e->zatrzymaj());
        e.reset();
        const int deskryptory = Pomiary::deskryptory();
        const long pamiec = Pomiary::pamiecProgramuKB();

        // Unplugged: each exchange says so once and goes on.
        for (int i = 0; i < 3; ++i)
            QCOMPARE(p.protokol.PobierzMax(), QString(""));
        QCOMPARE(p.komunikaty.teksty(), QStringList(3, kBrakPortu));

        // Back, answering late and a byte at a time.
        e = emulator({"--link", nazwa, "--delay", "100", "--split", "1"});
        for (int i = 0; i < 10; ++i)
            QCOMPARE(p.protokol.PobierzTryb(), QString("0"));
        QVERIFY(e->zatrzymaj());

        // Noise before each answer and junk after it: each exchange gets its
        // own answer whole, and nothing of one reaches the next.
        e = emulator({"--link", nazwa, "--noise", "~", "--trailing", "#"});
        for (int i = 0; i < 5; ++i)
            QCOMPARE(p.protokol.PobierzWersje(), QString("~\x01" "3KCI 1.07\x04#"));
        QVERIFY(e->zatrzymaj());

        // Silent once, then answering again.
        e = emulator({"--link", nazwa, "--silent"});
        QCOMPARE(p.protokol.PobierzTryb(), kCzas);
        QVERIFY(e->zatrzymaj());
        e = emulator({"--link", nazwa});
        for (int i = 0; i < 5; ++i)
            QCOMPARE(p.protokol.PobierzMax(), QString("001500"));
        QCOMPARE(e->rx(), QList<QByteArray>(5, "\x01" "2?\x04"));
        QVERIFY(e->zatrzymaj());
        e.reset();

        QVERIFY(!p.port.PortOpen());
        QCOMPARE(p.komunikaty.lista.size(), 3);
        QCOMPARE(Pomiary::deskryptory(), deskryptory);
        const long przyrost = Pomiary::pamiecProgramuKB() - pamiec;
        QVERIFY2(przyrost < 4096, qPrintable(QString("%1 kB more").arg(przyrost)));
    }

    void zalewOgraniczaPamiec()
    {
        Zalew zalew;
        QVERIFY(!zalew.sciezka().isEmpty());
        Polaczenie p(zalew.sciezka(), m_dir->path());
        QElapsedTimer t;
        SzczytPamieci szczyt;
        t.start();
        QCOMPARE(p.protokol.PobierzMax(), kCzas);
        const qint64 czas = t.elapsed();
        const long przyrost = szczyt.przyrostKB();
        // The exchange ends by the time limit, however much keeps coming.
        QVERIFY2(czas >= 2000 && czas < 2400, qPrintable(QString::number(czas)));
        QVERIFY(!p.port.PortOpen());
        QVERIFY2(zalew.wyslane() > 50 * OdbiorOdpowiedzi::kNajdluzsza,
                 qPrintable(QString("%1 bytes").arg(zalew.wyslane())));
        // Far less than what came: the answer is cut, the rest is dropped.
        QVERIFY2(przyrost < 8192, qPrintable(QString("%1 kB more for %2 bytes").arg(przyrost).arg(zalew.wyslane())));
        qInfo("flood: %lld bytes in %lld ms, memory peak %ld kB above the start",
              static_cast<long long>(zalew.wyslane()), static_cast<long long>(czas), przyrost);
    }

    void konwerterZnikaWTrakcieWymiany()
    {
        const QString nazwa = m_dir->filePath("konwerter");
        auto e = emulator({"--link", nazwa, "--silent"});
        const QString pty = QFile::symLinkTarget(nazwa);
        UruchomioneOkno o(m_dir->path(), nazwa);
        o.klik("lblPlik");
        std::thread zabojca = zabijPo(e->pid(), 300);
        QElapsedTimer t;
        t.start();
        double cpu = Pomiary::czasProcesora();
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
        cpu = Pomiary::czasProcesora();
        QTest::qWait(1000);
        QVERIFY2(Pomiary::czasProcesora() - cpu < 0.1, qPrintable(QString::number(Pomiary::czasProcesora() - cpu)));
        QCOMPARE(o.komunikaty.lista.size(), 1);
        QCOMPARE(Pomiary::deskryptoryPliku(pty), 0);

        // The adapter's name goes with it; the next exchange says the port is missing.
        QFile::remove(nazwa);
        o.komunikaty.lista.clear();
        const QString maks = o.w<TextXP>("txtMaxVal")->Text();
        o.klik("cmdOdbierzMax");
        QCOMPARE(o.komunikaty.teksty(), (QStringList{kBrakPortu, ""}));
        QCOMPARE(o.w<TextXP>("txtMaxVal")->Text(), maks);
    }

    void konwerterZnikaPodczasWysylania()
    {
        const QString nazwa = m_dir->filePath("konwerter");
        auto e = emulator({"--link", nazwa, "--quiet-frames"});
        const QString pty = QFile::symLinkTarget(nazwa);
        UruchomioneOkno o(m_dir->path(), nazwa);
        o.klik("lblTransmisja");
        auto *nasluch = o.w<QCheckBox>("chNasluch");
        klikPola(nasluch);
        QVERIFY(o.okno->nadajnik().wlaczony());
        QCOMPARE(Pomiary::deskryptoryPliku(pty), 1);
        QTRY_VERIFY(o.okno->nadajnik().wyslane() > 5);
        e->zabij();
        QTRY_VERIFY(!nasluch->isChecked());
        const qint64 wyslane = o.okno->nadajnik().wyslane();

        const double cpu = Pomiary::czasProcesora();
        QTest::qWait(1000);
        QVERIFY2(Pomiary::czasProcesora() - cpu < 0.1, qPrintable(QString::number(Pomiary::czasProcesora() - cpu)));
        QCOMPARE(o.komunikaty.teksty(), QStringList{kPortUtracony});
        QVERIFY(!o.okno->MSComm1().PortOpen());
        QCOMPARE(o.okno->nadajnik().wyslane(), wyslane);
        QCOMPARE(Pomiary::deskryptoryPliku(pty), 0);
        QVERIFY(o.w("lblPlik")->isEnabled());

        // Plugged in again, sending starts again from the same box.
        e = emulator({"--link", nazwa});
        klikPola(nasluch);
        QVERIFY(nasluch->isChecked());
        // The frames leave from the event loop, so wait with it running.
        QTRY_VERIFY(!e->linie().filter(QRegularExpression("^FRAME")).isEmpty());
        klikPola(nasluch);
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
        QCOMPARE(p.komunikaty.teksty(), QStringList(2, kPortZajety));
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
};

QTEST_MAIN(TestLinia)
#include "test_linia.moc"
