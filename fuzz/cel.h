#pragma once

// What every fuzz target shares: the entry point libFuzzer calls, a breach of
// an invariant that stops the run like a crash would, and the files a target
// reads and writes in a folder of its own.

#include <QByteArray>
#include <QByteArrayView>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QString>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *dane, std::size_t rozmiar);

namespace Fuzz {

// Stops the run when an invariant does not hold; libFuzzer saves the input,
// the replay reports the file.
inline void wymagaj(bool warunek, const char *co)
{
    if (warunek)
        return;
    std::fprintf(stderr, "invariant broken: %s\n", co);
    std::abort();
}

// The input split at its first `ile` line ends: `ile` lines (without "\n"),
// then the rest. Missing lines are empty. Keeps the seeds plain text files.
struct Podzial
{
    QList<QByteArray> linie;
    QByteArray reszta;
};

inline Podzial podziel(const std::uint8_t *dane, std::size_t rozmiar, int ile)
{
    QByteArrayView v(reinterpret_cast<const char *>(dane), qsizetype(rozmiar));
    Podzial p;
    for (int i = 0; i < ile; ++i) {
        const qsizetype nl = v.indexOf('\n');
        if (nl < 0) {
            p.linie.append(v.toByteArray());
            v = {};
            continue;
        }
        p.linie.append(v.first(nl).toByteArray());
        v = v.sliced(nl + 1);
    }
    p.reszta = v.toByteArray();
    return p;
}

// A folder for the target's files, for the life of the process. Writes go
// through QSaveFile, which syncs each file to disk; in memory that costs
// nothing, and the targets that write run a hundred times faster.
inline QString folder()
{
    static const QString baza = QFileInfo(QStringLiteral("/dev/shm")).isWritable()
                                    ? QStringLiteral("/dev/shm")
                                    : QDir::tempPath();
    static QTemporaryDir dir(baza + QStringLiteral("/konwerter-fuzz-XXXXXX"));
    if (!dir.isValid()) {
        std::fprintf(stderr, "no temporary folder\n");
        std::abort();
    }
    return dir.path();
}

// Puts the input's bytes into `nazwa` in the target's folder; returns its path.
inline QString zapisz(const QString &nazwa, const QByteArray &bajty)
{
    const QString plik = QDir(folder()).filePath(nazwa);
    QFile f(plik);
    wymagaj(f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bajty) == bajty.size(),
            "the input file is written");
    return plik;
}

inline QByteArray czytaj(const QString &sciezka)
{
    QFile f(sciezka);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace Fuzz
