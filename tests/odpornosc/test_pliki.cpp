// Faults of the files, on real files: a full disk under the settings file, a
// settings file edited by another program, a language file replaced while the
// program runs, enormous files and files that are not files, the permissions
// of the files the program creates and where its temporary files go.

#include "config/ini.h"
#include "config/jezyk.h"
#include "obserwator_folderu.h"
#include "pomiary.h"
#include "wspolne/okno.h"
#include "wspolne/pliki.h"

#include <QLabel>
#include <QStorageInfo>
#include <QtTest>

#include <atomic>
#include <csignal>
#include <future>
#include <optional>

#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>

namespace {

const QString kBrakPortu = QStringLiteral("Port com1 nie jest zainstalowany");
const QString kBrak = QStringLiteral("/dev/nie-ma-takiego-portu");

QByteArray dane(const char *nazwa)
{
    return czytajBajty(QStringLiteral(KONWERTER_DANE "/") + QLatin1String(nazwa));
}

int prawa(const QString &plik)
{
    struct stat s{};
    return ::stat(QFile::encodeName(plik).constData(), &s) == 0 ? int(s.st_mode & 07777) : -1;
}

QStringList pliki(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                                  QDir::Name);
}

// Replaces the file the way most editors save: a new file renamed over it.
bool podmien(const QString &plik, const QByteArray &tresc)
{
    const QString nowy = plik + QStringLiteral(".edytor");
    return zapiszBajty(nowy, tresc) && ::rename(QFile::encodeName(nowy).constData(), QFile::encodeName(plik).constData()) == 0;
}

// A 64 kB tmpfs over `folder` for the life of the object, in a mount
// namespace of this test's own, so that it goes with the process however that
// ends. Root only.
class MalyTmpfs
{
public:
    explicit MalyTmpfs(const QString &folder) : m_folder(QFile::encodeName(folder))
    {
        static const bool wlasnaPrzestrzen = ::unshare(CLONE_NEWNS) == 0
                                             && ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
        m_zamontowany = wlasnaPrzestrzen
                        && ::mount("tmpfs", m_folder.constData(), "tmpfs", MS_NOSUID | MS_NODEV,
                                   "size=64k,mode=0755") == 0;
    }
    ~MalyTmpfs()
    {
        if (m_zamontowany)
            ::umount2(m_folder.constData(), MNT_DETACH);
    }
    MalyTmpfs(const MalyTmpfs &) = delete;
    MalyTmpfs &operator=(const MalyTmpfs &) = delete;

    bool zamontowany() const { return m_zamontowany; }

private:
    QByteArray m_folder;
    bool m_zamontowany = false;
};

// Fills the file system of `plik`'s folder to the last byte.
void zapelnij(const QString &plik)
{
    QFile f(plik);
    if (!f.open(QIODevice::WriteOnly))
        return;
    const QByteArray blok(4096, 'x');
    while (f.write(blok) > 0 && f.flush()) {
    }
    while (f.write("x", 1) == 1 && f.flush()) {
    }
}

// Where mounting is not allowed, writes past `bajty` fail for this process
// instead, as on a full disk, for the life of the object.
class LimitRozmiaruPliku
{
public:
    explicit LimitRozmiaruPliku(rlim_t bajty)
    {
        getrlimit(RLIMIT_FSIZE, &m_przed);
        // Past the limit the kernel sends SIGXFSZ, which would end the test.
        m_sygnal = std::signal(SIGXFSZ, SIG_IGN);
        rlimit r = m_przed;
        r.rlim_cur = bajty;
        setrlimit(RLIMIT_FSIZE, &r);
    }
    ~LimitRozmiaruPliku()
    {
        setrlimit(RLIMIT_FSIZE, &m_przed);
        std::signal(SIGXFSZ, m_sygnal);
    }
    LimitRozmiaruPliku(const LimitRozmiaruPliku &) = delete;
    LimitRozmiaruPliku &operator=(const LimitRozmiaruPliku &) = delete;

private:
    rlimit m_przed{};
    void (*m_sygnal)(int) = nullptr;
};

} // namespace

class TestPliki : public QObject
{
    Q_OBJECT

    // The test's folders live apart from the shared temporary folder, which
    // for this test is a folder it watches.
    QTemporaryDir m_baza;
    QTemporaryDir m_wspolny;
    QString m_folder;

    QString plik(const QString &nazwa) const { return QDir(m_folder).filePath(nazwa); }

private slots:
    void initTestCase()
    {
        QVERIFY(m_baza.isValid());
        QVERIFY(m_wspolny.isValid());
        // An ordinary user reaches the test's folders, as the program's users
        // reach its folder.
        QVERIFY(QFile::setPermissions(m_baza.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner
                                                         | QFile::ExeGroup | QFile::ExeOther));
        qputenv("TMPDIR", QFile::encodeName(m_wspolny.path()));
    }

    void init()
    {
        static int n = 0;
        m_folder = m_baza.filePath(QString::number(++n));
        QVERIFY(QDir().mkpath(m_folder));
    }

    void cleanup()
    {
        // Whatever happened, nothing was left in the shared temporary folder.
        QCOMPARE(pliki(m_wspolny.path()), QStringList());
    }

    void pelnyDysk()
    {
        const MalyTmpfs dysk(m_folder);
        const bool tmpfs = dysk.zamontowany();
        const QByteArray ustawienia = dane("settings.ini");
        QVERIFY(zapiszBajty(plik("settings.ini"), ustawienia));
        QVERIFY(zapiszBajty(plik("set.lng"), dane("set.lng")));
        std::optional<LimitRozmiaruPliku> limit;
        if (tmpfs) {
            qInfo("the settings file on a full 64 kB tmpfs");
            zapelnij(plik("wypelnienie"));
            QCOMPARE(QStorageInfo(m_folder).bytesAvailable(), 0);
        } else {
            qInfo("no tmpfs here: writing past 1 kB fails instead");
        }
        const QStringList przed = pliki(m_folder);
        {
            UruchomioneOkno o(m_folder);
            if (!tmpfs)
                limit.emplace(1024);
            o.klik("LblUstawieniaPortu");
            o.klik("lblSpeedCap");
            o.klik("ButtonXP6");
            limit.reset();
            // The write fails quietly and the value is used all the same.
            QCOMPARE(o.w<QLabel>("lblSpeedVal")->text(), QString("19200"));
            QCOMPARE(o.okno->MSComm1().Settings(), QString("19200,N,8,1"));
            QVERIFY(o.komunikaty.lista.isEmpty());
        }
        // The old file whole, and no trace of the attempt.
        QCOMPARE(czytajBajty(plik("settings.ini")), ustawienia);
        QCOMPARE(pliki(m_folder), przed);

        // With room again the next change is written, into the file as it was.
        QFile::remove(plik("wypelnienie"));
        UruchomioneOkno o(m_folder);
        o.klik("LblUstawieniaPortu");
        o.klik("lblPariteCap");
        o.klik("ButtonXP9");
        QByteArray oczekiwane = ustawienia;
        oczekiwane.replace("PARZYSTO\x8C\xC6=N", "PARZYSTO\x8C\xC6=E");
        QCOMPARE(czytajBajty(plik("settings.ini")), oczekiwane);
    }

    void ustawieniaZmienionePrzezInnyProgram()
    {
        const QString s = plik("settings.ini");
        QVERIFY(zapiszBajty(s, dane("settings.ini")));
        UruchomioneOkno o(m_folder);
        o.klik("LblUstawieniaPortu");
        o.klik("lblSpeedCap");
        o.klik("ButtonXP6");

        // Another program rewrites the file its own way: a key of the same
        // section, a section of its own, other line ends, a new file.
        QByteArray inny = czytajBajty(s);
        QVERIFY(inny.contains("PR\xCA" "DKO\x8C\xC6=19200\r\n"));
        inny.replace("BITY STOPU=1", "BITY STOPU=2").replace("\r\n", "\n");
        inny += "[porty]\n1=/dev/ttyS0\n";
        QVERIFY(podmien(s, inny));

        o.klik("lblPariteCap");
        o.klik("ButtonXP9");
        QByteArray oczekiwane = inny;
        oczekiwane.replace("PARZYSTO\x8C\xC6=N\n", "PARZYSTO\x8C\xC6=E\n");
        QCOMPARE(czytajBajty(s), oczekiwane);

        // And once more, edited in place this time.
        inny = oczekiwane + "; dopisek\n";
        QVERIFY(zapiszBajty(s, inny));
        o.klik("lblBitsDataCap");
        o.klik("ButtonXP13");
        oczekiwane = inny;
        oczekiwane.replace("BITY DANYCH=8\n", "BITY DANYCH=7\n");
        QCOMPARE(czytajBajty(s), oczekiwane);
        QVERIFY(o.komunikaty.lista.isEmpty());
    }

    void jezykPodmienionyWTrakcie()
    {
        const QString lng = plik("set.lng");
        QVERIFY(zapiszBajty(lng, dane("set.lng")));
        UruchomioneOkno o(m_folder, kBrak);
        o.klik("lblzdarzenia");
        o.klik("cmdOdbierzMod");
        QCOMPARE(o.komunikaty.teksty(), (QStringList{kBrakPortu, ""}));

        QVERIFY(podmien(lng, dane("lang/en/set.lng")));
        o.komunikaty.lista.clear();
        o.klik("cmdOdbierzMod");
        QCOMPARE(o.komunikaty.teksty(), (QStringList{"The selected serial port is not installed", ""}));

        QVERIFY(zapiszBajty(lng, "[komunikaty]\r\nBrakPortu=Nie ma portu\r\n"));
        o.komunikaty.lista.clear();
        o.klik("cmdOdbierzMod");
        QCOMPARE(o.komunikaty.teksty(), (QStringList{"Nie ma portu", ""}));
    }

    void ogromnePliki_data()
    {
        QTest::addColumn<QString>("nazwa");
        QTest::newRow("ustawienia") << "settings.ini";
        QTest::newRow("jezyk") << "set.lng";
    }

    void ogromnePliki()
    {
        // Past 32 MB a file is taken as damaged: neither read nor rewritten.
        QFETCH(QString, nazwa);
        const QByteArray tresc = "[USTAWIENIA]\r\nPR\xCA" "DKO\x8C\xC6=19200\r\n[glowna]\r\ntransmition=DUZY\r\n;"
                                 + QByteArray(33 * 1024 * 1024, 'x') + "\r\n";
        QVERIFY(zapiszBajty(plik(nazwa), tresc));
        QElapsedTimer t;
        t.start();
        UruchomioneOkno o(m_folder);
        QVERIFY2(t.elapsed() < 5000, qPrintable(QString::number(t.elapsed())));
        QCOMPARE(o.w<QLabel>("lblSpeedVal")->text(), QString("9600"));
        QVERIFY(o.w<QLabel>("lblTransmisja")->text() != QString("DUZY"));
        o.klik("LblUstawieniaPortu");
        o.klik("lblSpeedCap");
        o.klik("ButtonXP4");
        QCOMPARE(o.okno->MSComm1().Settings(), QString("4800,N,8,1"));
        QVERIFY(o.komunikaty.lista.isEmpty());
        QVERIFY(czytajBajty(plik(nazwa)) == tresc);
    }

    void plikiKtoreNieSaPlikami()
    {
        // A FIFO in place of the settings file, and the language file a link
        // to a device that never ends. Should the program wait on the one or
        // read the other without end, the watchdog ends the test: it holds
        // the FIFO's other end and after 5 s takes the FIFO away and lets go,
        // and it stops a memory that runs away.
        const QString s = plik("Settings.ini");
        QVERIFY(::mkfifo(QFile::encodeName(s).constData(), 0664) == 0);
        std::atomic<int> drugiKoniec{::open(QFile::encodeName(s).constData(), O_RDWR | O_NONBLOCK)};
        QVERIFY(drugiKoniec >= 0);
        QVERIFY(QFile::link("/dev/zero", plik("set.lng")));
        std::promise<void> koniec;
        std::thread straz([&drugiKoniec, s, f = koniec.get_future(), pamiec = Pomiary::pamiecProgramuKB()] {
            QDeadlineTimer termin(5000);
            while (f.wait_for(std::chrono::milliseconds(20)) == std::future_status::timeout) {
                if (Pomiary::pamiecProgramuKB() - pamiec > 512 * 1024)
                    qFatal("the memory ran away while the program read its files");
                if (termin.hasExpired() && drugiKoniec >= 0) {
                    QFile::remove(s);
                    ::close(drugiKoniec.exchange(-1));
                }
            }
        });
        QElapsedTimer t;
        t.start();
        SzczytPamieci szczyt;
        {
            UruchomioneOkno o(m_folder);
            o.klik("LblUstawieniaPortu");
            o.klik("lblSpeedCap");
            o.klik("ButtonXP6");
            QCOMPARE(o.okno->MSComm1().Settings(), QString("19200,N,8,1"));
            QCOMPARE(o.w<QLabel>("lblTransmisja")->text(), QString("SYMULATOR"));
            QVERIFY(o.komunikaty.lista.isEmpty());
        }
        const qint64 czas = t.elapsed();
        const long przyrost = szczyt.przyrostKB();
        koniec.set_value();
        straz.join();
        if (drugiKoniec >= 0)
            ::close(drugiKoniec.exchange(-1));
        QVERIFY2(czas < 4000, qPrintable(QString::number(czas)));
        QVERIFY2(przyrost < 65536, qPrintable(QString("%1 kB more").arg(przyrost)));
        QVERIFY(QFileInfo(s).exists() && !QFileInfo(s).isFile());
        QCOMPARE(QFile::symLinkTarget(plik("set.lng")), QString("/dev/zero"));
        QCOMPARE(pliki(m_folder), (QStringList{"Settings.ini", "set.lng"}));
    }

    void prawaNowychPlikow()
    {
        for (const mode_t maska : {mode_t(022), mode_t(077), mode_t(0)}) {
            const mode_t przed = ::umask(maska);
            const QString folder = QDir(m_folder).filePath(QString::number(maska, 8));
            QVERIFY(QDir().mkpath(folder));
            {
                UruchomioneOkno o(folder);
                o.klik("LblUstawieniaPortu");
                o.klik("lblSpeedCap");
                o.klik("ButtonXP6");
            }
            ::umask(przed);
            // Readable by others, writable only by the owner and the group,
            // whatever the umask.
            QCOMPARE(pliki(folder), (QStringList{"Settings.ini", "set.lng"}));
            QCOMPARE(prawa(QDir(folder).filePath("Settings.ini")), 0664);
            QCOMPARE(prawa(QDir(folder).filePath("set.lng")), 0664);
        }
        // A file that exists keeps the permissions it has.
        const QString s = plik("s.ini");
        QVERIFY(zapiszBajty(s, "[A]\r\nk=1\r\n"));
        QVERIFY(QFile::setPermissions(s, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup));
        QVERIFY(modNI::ZapiszIni(s, "A", "k", "2"));
        QCOMPARE(prawa(s), 0640);
    }

    void plikiTymczasoweObokCelu()
    {
        const QString s = plik("Settings.ini");
        ObserwatorFolderu folder(m_folder);
        ObserwatorFolderu wspolny(m_wspolny.path());
        QVERIFY(folder.dziala() && wspolny.dziala());
        QVERIFY(modNI::ZapiszIni(s, "USTAWIENIA", "NR PORTU", "2"));
        QVERIFY(modNI::ZapiszIni(s, "USTAWIENIA", "NR PORTU", "3"));
        const Jezyk jezyk(plik("set.lng"));
        QCOMPARE(jezyk.TekstJezyka("glowna", "end", "Zamknij"), QString("Zamknij"));

        // Each write goes through a file beside its target, one with a name
        // of its own for a moment or one without (O_TMPFILE), and puts it in
        // place in one step: the target is never removed.
        using Z = ObserwatorFolderu::Zdarzenie;
        const auto z = folder.zdarzenia();
        for (const Z &e : z) {
            QVERIFY2(e.nazwa.startsWith("Settings.ini") || e.nazwa.startsWith("set.lng"), qPrintable(e.nazwa));
            QVERIFY(e.rodzaj != Z::Usuniety || (e.nazwa != "Settings.ini" && e.nazwa != "set.lng"));
        }
        QVERIFY(z.contains(Z{Z::Wniesiony, "Settings.ini"}));
        QCOMPARE(wspolny.zdarzenia().size(), 0);
        QCOMPARE(pliki(m_folder), (QStringList{"Settings.ini", "set.lng"}));

        // A folder that cannot take a new file gets none, and neither does
        // any other folder.
        const QByteArray przed = czytajBajty(s);
        QFile::setPermissions(m_folder, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup
                                            | QFile::ReadOther | QFile::ExeOther);
        {
            BezUprawnien bez;
            QVERIFY(!modNI::ZapiszIni(s, "USTAWIENIA", "NR PORTU", "4"));
            QCOMPARE(jezyk.TekstJezyka("glowna", "conect", "POŁĄCZENIE"), QString("POŁĄCZENIE"));
            QCOMPARE(modNI::CzytajIni(s, "USTAWIENIA", "NR PORTU", ""), QString("3"));
        }
        QFile::setPermissions(m_folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QCOMPARE(folder.zdarzenia().size(), z.size());
        QCOMPARE(wspolny.zdarzenia().size(), 0);
        QCOMPARE(czytajBajty(s), przed);
    }
};

QTEST_MAIN(TestPliki)
#include "test_pliki.moc"
