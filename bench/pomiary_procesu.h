#pragma once

// What the benchmarks read of a process: CPU time, resident memory, heap.
// Linux only, like the benchmarks that use it.
#include <QByteArray>
#include <QFile>
#include <QList>
#include <QString>

#include <malloc.h>
#include <sys/resource.h>
#include <unistd.h>

// CPU seconds this process has used, user and system.
inline double czasProcesora()
{
    rusage r{};
    getrusage(RUSAGE_SELF, &r);
    return double(r.ru_utime.tv_sec + r.ru_stime.tv_sec) + double(r.ru_utime.tv_usec + r.ru_stime.tv_usec) / 1e6;
}

// CPU seconds another process has used, from /proc/<pid>/stat.
inline double czasProcesora(qint64 pid)
{
    QFile f(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray s = f.readAll();
    // The fields after the command name, which ends with the last ")".
    const QList<QByteArray> pola = s.mid(s.lastIndexOf(')') + 2).split(' ');
    if (pola.size() < 13)
        return 0;
    return double(pola[11].toLongLong() + pola[12].toLongLong()) / double(sysconf(_SC_CLK_TCK));
}

// A figure in kB of /proc/self/status, e.g. "VmRSS:".
inline long pamiecKB(const char *pole)
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &l : f.readAll().split('\n'))
        if (l.startsWith(pole))
            return l.mid(qsizetype(qstrlen(pole))).trimmed().split(' ').first().toLong();
    return 0;
}

// Bytes the heap has handed out and not taken back.
inline long stertaKB()
{
    return long(mallinfo2().uordblks / 1024);
}

// Bytes the heap holds from the system, in use or free.
inline long stertaCalaKB()
{
    const auto m = mallinfo2();
    return long((m.arena + m.hblkhd) / 1024);
}
