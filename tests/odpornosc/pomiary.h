#pragma once

// What the fault tests measure of their own process: CPU time, memory and open
// descriptors.

#include <QDir>
#include <QFile>

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

#include <sys/resource.h>

namespace Pomiary {

inline double czasProcesora()
{
    rusage r{};
    getrusage(RUSAGE_SELF, &r);
    return double(r.ru_utime.tv_sec + r.ru_stime.tv_sec) + double(r.ru_utime.tv_usec + r.ru_stime.tv_usec) / 1e6;
}

// The memory the program holds: its resident memory, or under
// AddressSanitizer, whose quarantine keeps freed memory resident for a while,
// the heap bytes in use.
inline long pamiecProgramuKB()
{
#ifdef KONWERTER_ASAN
    return long(__sanitizer_get_current_allocated_bytes() / 1024);
#else
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &l : f.readAll().split('\n'))
        if (l.startsWith("VmRSS:"))
            return l.mid(6).trimmed().split(' ').first().toLong();
    return -1;
#endif
}

// The process's open descriptors, the links under /proc/self/fd.
inline QStringList deskryptory()
{
    const QDir fd(QStringLiteral("/proc/self/fd"));
    QStringList cele;
    for (const QString &n : fd.entryList(QDir::AllEntries | QDir::NoDotAndDotDot))
        cele.append(QFile::symLinkTarget(fd.filePath(n)));
    return cele;
}

} // namespace Pomiary

// The program's memory at its highest while the object lives, sampled every
// 5 ms by a thread of its own, so a peak inside a blocking call is seen.
class SzczytPamieci
{
public:
    SzczytPamieci()
        : m_start(Pomiary::pamiecProgramuKB()), m_szczyt(m_start), m_watek([this] {
              while (!m_koniec) {
                  m_szczyt = std::max(m_szczyt.load(), Pomiary::pamiecProgramuKB());
                  std::this_thread::sleep_for(std::chrono::milliseconds(5));
              }
          })
    {
    }
    ~SzczytPamieci() { przyrostKB(); }

    // How far above the start the memory went, in kB; sampling stops here.
    long przyrostKB()
    {
        m_koniec = true;
        if (m_watek.joinable())
            m_watek.join();
        return m_szczyt - m_start;
    }

private:
    long m_start;
    std::atomic<long> m_szczyt;
    std::atomic<bool> m_koniec{false};
    std::thread m_watek;
};
