#pragma once

// What the fault tests measure of their own process: CPU time, resident
// memory, open descriptors, and the files that appear in a folder.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QList>
#include <QString>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstddef>
#include <thread>

#if defined(__SANITIZE_ADDRESS__)
#define KONWERTER_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define KONWERTER_ASAN 1
#endif
#endif
#ifdef KONWERTER_ASAN
// From the sanitizer runtime; GCC ships no header that declares it.
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
#endif

#include <sys/inotify.h>
#include <sys/resource.h>
#include <unistd.h>

namespace Pomiary {

inline double czasProcesora()
{
    rusage r{};
    getrusage(RUSAGE_SELF, &r);
    return double(r.ru_utime.tv_sec + r.ru_stime.tv_sec) + double(r.ru_utime.tv_usec + r.ru_stime.tv_usec) / 1e6;
}

// A "kB" line of /proc/self/status: "VmRSS:" now, "VmHWM:" at its peak.
inline long pamiecKB(const char *pole = "VmRSS:")
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &l : f.readAll().split('\n'))
        if (l.startsWith(pole))
            return l.mid(qsizetype(qstrlen(pole))).trimmed().split(' ').first().toLong();
    return -1;
}

// The memory the program holds: its resident memory, or under
// AddressSanitizer, whose quarantine keeps freed memory resident for a while,
// the heap bytes in use.
inline long pamiecProgramuKB()
{
#ifdef KONWERTER_ASAN
    return long(__sanitizer_get_current_allocated_bytes() / 1024);
#else
    return pamiecKB();
#endif
}

inline int deskryptory()
{
    return int(QDir(QStringLiteral("/proc/self/fd")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).size());
}

// How many of the process's descriptors refer to `sciezka`.
inline int deskryptoryPliku(const QString &sciezka)
{
    const QDir fd(QStringLiteral("/proc/self/fd"));
    int ile = 0;
    for (const QString &n : fd.entryList(QDir::AllEntries | QDir::NoDotAndDotDot))
        if (QFile::symLinkTarget(fd.filePath(n)) == sciezka)
            ++ile;
    return ile;
}

} // namespace Pomiary

// The program's memory at its highest while the object lives, sampled every
// 5 ms by a thread of its own, so a peak inside a blocking call is seen.
class SzczytPamieci
{
public:
    SzczytPamieci() : m_start(Pomiary::pamiecProgramuKB()), m_szczyt(m_start)
    {
        m_watek = std::thread([this] {
            while (!m_koniec) {
                m_szczyt = std::max(m_szczyt.load(), Pomiary::pamiecProgramuKB());
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
            }
        });
    }
    ~SzczytPamieci() { zatrzymaj(); }
    SzczytPamieci(const SzczytPamieci &) = delete;
    SzczytPamieci &operator=(const SzczytPamieci &) = delete;

    // How far above the start the memory went, in kB.
    long przyrostKB()
    {
        zatrzymaj();
        return m_szczyt - m_start;
    }

private:
    void zatrzymaj()
    {
        m_koniec = true;
        if (m_watek.joinable())
            m_watek.join();
    }

    long m_start;
    std::atomic<long> m_szczyt;
    std::atomic<bool> m_koniec{false};
    std::thread m_watek;
};

// Names created, removed and renamed in one folder while the object lives.
class ObserwatorFolderu
{
public:
    struct Zdarzenie
    {
        enum Rodzaj { Utworzony, Usuniety, Wyniesiony, Wniesiony };
        Rodzaj rodzaj;
        QString nazwa;
        bool operator==(const Zdarzenie &z) const { return rodzaj == z.rodzaj && nazwa == z.nazwa; }
    };

    explicit ObserwatorFolderu(const QString &folder)
        : m_fd(inotify_init1(IN_NONBLOCK | IN_CLOEXEC))
    {
        if (m_fd >= 0)
            inotify_add_watch(m_fd, QFile::encodeName(folder).constData(),
                              IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO);
    }
    ~ObserwatorFolderu()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    ObserwatorFolderu(const ObserwatorFolderu &) = delete;
    ObserwatorFolderu &operator=(const ObserwatorFolderu &) = delete;

    bool dziala() const { return m_fd >= 0; }

    // Everything seen so far, in order.
    QList<Zdarzenie> zdarzenia()
    {
        alignas(inotify_event) char bufor[16 * 1024];
        for (;;) {
            const ssize_t n = ::read(m_fd, bufor, sizeof bufor);
            if (n <= 0)
                break;
            for (ssize_t i = 0; i < n;) {
                const auto *e = reinterpret_cast<const inotify_event *>(bufor + i);
                const QString nazwa = e->len ? QFile::decodeName(e->name) : QString();
                if (e->mask & IN_CREATE)
                    m_zdarzenia.append({Zdarzenie::Utworzony, nazwa});
                if (e->mask & IN_DELETE)
                    m_zdarzenia.append({Zdarzenie::Usuniety, nazwa});
                if (e->mask & IN_MOVED_FROM)
                    m_zdarzenia.append({Zdarzenie::Wyniesiony, nazwa});
                if (e->mask & IN_MOVED_TO)
                    m_zdarzenia.append({Zdarzenie::Wniesiony, nazwa});
                i += ssize_t(sizeof(inotify_event) + e->len);
            }
        }
        return m_zdarzenia;
    }

private:
    int m_fd;
    QList<Zdarzenie> m_zdarzenia;
};
