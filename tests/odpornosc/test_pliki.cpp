// Faults of the files, on real files: a full disk under the settings file, a
// file edited or replaced by another program between two calls, enormous files
// and files that are not files, permissions, and where a write's temporary
// files go.

#include "config/folder.h"
#include "config/ini.h"
#include "obserwator_folderu.h"
#include "pomiary.h"
#include "wspolne/pliki.h"

#include <QProcess>
#include <QStorageInfo>
#include <QtTest>

#include <atomic>
#include <csignal>
#include <future>

#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>

using namespace modNI;

namespace {

const QString kSekcja = QStringLiteral("USTAWIENIA");
const QString kPredkosc = QStringLiteral("PRĘDKOŚĆ");

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

// A 64 kB disk under the folder while the object lives: a tmpfs, mounted in a
// mount namespace of this test's own so that it goes with the process however
// that ends. Root only.
class MalyDysk
{
public:
    explicit MalyDysk(const QString &folder) : m_folder(QFile::encodeName(folder))
    {
        static const bool wlasnaPrzestrzen = ::unshare(CLONE_NEWNS) == 0
                                             && ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
        m_zamontowany = wlasnaPrzestrzen && ::mount("tmpfs", m_folder.constData(), "tmpfs", MS_NOSUID | MS_NODEV,
                                                    "size=64k,mode=0755") == 0;
    }
    ~MalyDysk()
    {
        if (m_zamontowany)
            ::umount2(m_folder.constData(), MNT_DETACH);
    }
    Q_DISABLE_COPY(MalyDysk)

    bool zamontowany() const { return m_zamontowany; }

private:
    QByteArray m_folder;
    bool m_zamontowany = false;
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
        const MalyDysk dysk(m_folder);
        if (!dysk.zamontowany())
            QSKIP("no tmpfs without root");
        const QString s = plik("settings.ini");
        const QByteArray ustawienia = czytajBajty(KONWERTER_DANE "/settings.ini");
        QVERIFY(zapiszBajty(s, ustawienia));
        QFile wypelnienie(plik("wypelnienie"));
        QVERIFY(wypelnienie.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
        for (int n = 4096; n > 0; n /= 2)
            while (wypelnienie.write(QByteArray(n, 'x')) == n) {
            }
        QCOMPARE(QStorageInfo(m_folder).bytesAvailable(), 0);

        // The write fails; the old file stays whole, with no trace of the attempt.
        QVERIFY(!ZapiszIni(s, kSekcja, kPredkosc, "19200"));
        QCOMPARE(czytajBajty(s), ustawienia);
        QCOMPARE(pliki(m_folder), (QStringList{"settings.ini", "wypelnienie"}));

        // With room again the next change goes into the file as it was.
        wypelnienie.remove();
        QVERIFY(ZapiszIni(s, kSekcja, QStringLiteral("PARZYSTOŚĆ"), "E"));
        QCOMPARE(czytajBajty(s), QByteArray(ustawienia).replace("PARZYSTO\x8C\xC6=N", "PARZYSTO\x8C\xC6=E"));
    }

    void zmianyInnegoProgramu()
    {
        // Nothing is kept between two calls: what another program wrote in
        // the meantime, as a new file or in place, stays as it wrote it.
        const QString s = plik("settings.ini");
        QVERIFY(zapiszBajty(s, czytajBajty(KONWERTER_DANE "/settings.ini")));
        QVERIFY(ZapiszIni(s, kSekcja, kPredkosc, "19200"));
        QByteArray inny = czytajBajty(s);
        QVERIFY(inny.contains("PR\xCA" "DKO\x8C\xC6=19200\r\n"));
        inny.replace("BITY STOPU=1", "BITY STOPU=2").replace("\r\n", "\n");
        inny += "[porty]\n1=/dev/ttyS0\n";
        // Saved the way most editors save: a new file renamed over the old one.
        QVERIFY(zapiszBajty(s + ".nowy", inny) && ::rename(QFile::encodeName(s + ".nowy"), QFile::encodeName(s)) == 0);
        QCOMPARE(CzytajIni(s, kSekcja, "bity stopu", "1"), QString("2"));
        QVERIFY(ZapiszIni(s, kSekcja, QStringLiteral("PARZYSTOŚĆ"), "E"));
        QCOMPARE(czytajBajty(s), inny.replace("PARZYSTO\x8C\xC6=N\n", "PARZYSTO\x8C\xC6=E\n"));

        inny += "; dopisek\n";
        QVERIFY(zapiszBajty(s, inny));
        QVERIFY(ZapiszIni(s, kSekcja, "BITY DANYCH", "7"));
        QCOMPARE(czytajBajty(s), inny.replace("BITY DANYCH=8\n", "BITY DANYCH=7\n"));
    }

    void plikiNieDoCzytania()
    {
        // A file past 32 MB (damaged), a FIFO in place of the settings file
        // and a link to a device that never ends are neither read nor
        // rewritten, and that is known at once. Should a call wait on the FIFO
        // or read the device without end, the watchdog ends the test: it holds
        // the FIFO's other end and after 5 s takes the FIFO away and lets go,
        // and it stops a memory that runs away.
        const QString duzy = plik("duzy.ini");
        const QString fifo = plik("Settings.ini");
        const QString lng = plik("set.lng");
        const QByteArray tresc = "[USTAWIENIA]\r\nPR\xCA" "DKO\x8C\xC6=19200\r\n;"
                                 + QByteArray(33 * 1024 * 1024, 'x') + "\r\n";
        QVERIFY(zapiszBajty(duzy, tresc));
        QVERIFY(::mkfifo(QFile::encodeName(fifo).constData(), 0664) == 0);
        std::atomic<int> drugiKoniec{::open(QFile::encodeName(fifo).constData(), O_RDWR | O_NONBLOCK)};
        QVERIFY(drugiKoniec >= 0);
        QVERIFY(QFile::link("/dev/zero", lng));
        std::promise<void> koniec;
        std::thread straz([&drugiKoniec, fifo, f = koniec.get_future(), pamiec = Pomiary::pamiecProgramuKB()] {
            QDeadlineTimer termin(5000);
            while (f.wait_for(std::chrono::milliseconds(20)) == std::future_status::timeout) {
                if (Pomiary::pamiecProgramuKB() - pamiec > 512 * 1024)
                    qFatal("the memory ran away while reading a file");
                if (termin.hasExpired() && drugiKoniec >= 0) {
                    QFile::remove(fifo);
                    ::close(drugiKoniec.exchange(-1));
                }
            }
        });
        QElapsedTimer t;
        t.start();
        QStringList wyniki;
        for (const QString &p : {duzy, fifo, lng})
            wyniki << CzytajIni(p, kSekcja, kPredkosc, "9600") << QString::number(SekcjaOdczyt(kSekcja, p).size())
                   << QString::number(ZapiszIni(p, kSekcja, kPredkosc, "4800"));
        const qint64 czas = t.elapsed();
        koniec.set_value();
        straz.join();
        if (drugiKoniec >= 0)
            ::close(drugiKoniec.exchange(-1));
        QCOMPARE(wyniki, (QStringList{"9600", "0", "0", "9600", "0", "0", "9600", "0", "0"}));
        QVERIFY2(czas < 2000, qPrintable(QString::number(czas)));
        QVERIFY(czytajBajty(duzy) == tresc);
        QVERIFY(QFileInfo(fifo).exists() && !QFileInfo(fifo).isFile());
        QCOMPARE(QFile::symLinkTarget(lng), QString("/dev/zero"));
        QCOMPARE(pliki(m_folder), (QStringList{"Settings.ini", "duzy.ini", "set.lng"}));
    }

    void prawaPlikow()
    {
        // A new file is readable by others and writable by the owner and the
        // group, whatever the umask; one that exists keeps its permissions,
        // and a read-only one is not replaced behind its back.
        for (const mode_t maska : {mode_t(022), mode_t(077), mode_t(0)}) {
            const mode_t przed = ::umask(maska);
            const QString nowy = plik(QString("%1.ini").arg(maska, 3, 8, QChar('0')));
            const bool zapisany = ZapiszIni(nowy, kSekcja, "NR PORTU", "2");
            ::umask(przed);
            QVERIFY(zapisany);
            QCOMPARE(prawa(nowy), 0664);
        }
        const QString s = plik("s.ini");
        QVERIFY(zapiszBajty(s, "[A]\r\nk=1\r\n"));
        QVERIFY(QFile::setPermissions(s, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup));
        QVERIFY(ZapiszIni(s, "A", "k", "2"));
        QCOMPARE(prawa(s), 0640);
        QVERIFY(QFile::setPermissions(s, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
        BezUprawnien bez;
        QVERIFY(!ZapiszIni(s, "A", "k", "3"));
        QCOMPARE(czytajBajty(s), QByteArray("[A]\r\nk=2\r\n"));
    }

    void plikiTymczasoweObokCelu()
    {
        // Each write goes through a file beside its target, one with a name
        // of its own for a moment or one without (O_TMPFILE), and puts it in
        // place in one step: the target is never removed.
        const QString s = plik("Settings.ini");
        ObserwatorFolderu folder(m_folder);
        QVERIFY(folder.dziala());
        QVERIFY(ZapiszIni(s, kSekcja, "NR PORTU", "2"));
        QVERIFY(ZapiszIni(s, kSekcja, "NR PORTU", "3"));
        using Z = ObserwatorFolderu::Zdarzenie;
        const auto z = folder.zdarzenia();
        for (const Z &e : z)
            QVERIFY2(e.nazwa.startsWith("Settings.ini") && !(e == Z{Z::Usuniety, "Settings.ini"}), qPrintable(e.nazwa));
        QVERIFY(z.contains(Z{Z::Wniesiony, "Settings.ini"}));
        QCOMPARE(pliki(m_folder), QStringList{"Settings.ini"});

        // A folder that cannot take a new file gets none, and neither does
        // any other folder; reading goes on.
        const QByteArray przed = czytajBajty(s);
        QFile::setPermissions(m_folder, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup
                                            | QFile::ReadOther | QFile::ExeOther);
        {
            BezUprawnien bez;
            QVERIFY(!ZapiszIni(s, kSekcja, "NR PORTU", "4"));
            QVERIFY(!ZapiszIni(plik("set.lng"), "glowna", "end", "Zamknij"));
            QCOMPARE(CzytajIni(s, kSekcja, "NR PORTU", ""), QString("3"));
        }
        QFile::setPermissions(m_folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QCOMPARE(folder.zdarzenia().size(), z.size());
        QCOMPARE(czytajBajty(s), przed);
    }

    void zapisyRownoczesne()
    {
        // Two processes save 300 keys each into one file at the same time:
        // every key arrives, and every byte that was there stays.
        const QString s = plik("Settings.ini");
        const QByteArray przed = "; ustawienia\r\n[USTAWIENIA]\r\nNR PORTU=1\r\nPR\xCA" "DKO\x8C\xC6=9600\r\n\r\n"
                                 "[parametry]\r\nramka=1\r\n";
        QVERIFY(zapiszBajty(s, przed));
        QProcess a;
        QProcess b;
        a.start(KONWERTER_PISARZ, {s, "a", "300"});
        b.start(KONWERTER_PISARZ, {s, "b", "300"});
        QVERIFY(a.waitForFinished(60000) && b.waitForFinished(60000));
        QCOMPARE(a.exitCode(), 0);
        QCOMPARE(b.exitCode(), 0);
        QByteArray po = czytajBajty(s);
        for (const char *przedrostek : {"a", "b"})
            for (int i = 0; i < 300; ++i) {
                const QByteArray klucz = przedrostek + QByteArray::number(i).rightJustified(3, '0');
                const QByteArray linia = klucz + '=' + klucz + "\r\n";
                QVERIFY2(po.count(linia) == 1, klucz.constData());
                po.replace(linia, "");
            }
        QCOMPARE(po, przed);
        QCOMPARE(pliki(m_folder), QStringList{"Settings.ini"});

        // A writer killed while it holds the lock leaves it behind; the next
        // save takes it over rather than wait it out, and leaves no lock.
        const QString blokada = s + ".lock";
        for (int proba = 0; proba < 20 && !QFile::exists(blokada); ++proba) {
            QProcess zabity;
            zabity.start(KONWERTER_PISARZ, {s, "c", "100000"});
            QTRY_VERIFY(QFile::exists(blokada));
            ::kill(pid_t(zabity.processId()), SIGKILL);
            QVERIFY(zabity.waitForFinished());
        }
        QVERIFY(QFile::exists(blokada));
        QVERIFY(ZapiszIni(s, kSekcja, "NR PORTU", "2"));
        QVERIFY(!QFile::exists(blokada));
        QVERIFY(!QFile::exists(s + ".kolejka"));
    }

    void pozostalosciZapisu()
    {
        // What a save cut short by a crash left beside the program's files
        // goes at the next start, once it is a minute old; nothing else goes.
        struct Plik { QString nazwa; int wiek; bool zostaje; };
        const Plik przypadki[] = {
            {"settings.ini.Ab12Cd", 120, false}, {"Settings.ini.x1Y2z3", 3600, false},
            {"SET.LNG.qwerty", 86400, false},    {"settings.ini.AAAAAA", 10, true},
            {"settings.ini.bak", 3600, true},    {"settings.ini.lock", 3600, true},
            {"settings.ini.Ab12Cd7", 3600, true}, {"inny.ini.Ab12Cd", 3600, true},
            {"Settings.ini", 3600, true},        {"set.lng", 3600, true},
        };
        QStringList zostaja;
        for (const Plik &p : przypadki) {
            QFile f(plik(p.nazwa));
            QVERIFY(f.open(QIODevice::WriteOnly));
            QVERIFY(f.setFileTime(QDateTime::currentDateTime().addSecs(-p.wiek), QFileDevice::FileModificationTime));
            if (p.zostaje)
                zostaja.append(p.nazwa);
        }
        FolderProgramu(m_folder).przygotuj();
        QStringList sa = pliki(m_folder);
        sa.sort();
        zostaja.sort();
        QCOMPARE(sa, zostaja);
    }
};

QTEST_GUILESS_MAIN(TestPliki)
#include "test_pliki.moc"
