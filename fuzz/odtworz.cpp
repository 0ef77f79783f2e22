// Replay of a corpus with the ordinary compiler: every file named, and every
// file of every folder named, goes through the target once, as libFuzzer would
// hand it over. CTest runs the seeds and the inputs that once broke the code.

#include "cel.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include <cstdio>

namespace {

bool odtworz(const QString &sciezka)
{
    QFile plik(sciezka);
    if (!plik.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot read %s\n", qPrintable(sciezka));
        return false;
    }
    const QByteArray dane = plik.readAll();
    std::fprintf(stderr, "%s\n", qPrintable(sciezka));
    LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t *>(dane.constData()),
                           std::size_t(dane.size()));
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    int ile = 0;
    for (int i = 1; i < argc; ++i) {
        const QString sciezka = QString::fromLocal8Bit(argv[i]);
        if (!QFileInfo(sciezka).isDir()) {
            if (!odtworz(sciezka))
                return 1;
            ++ile;
            continue;
        }
        QDirIterator it(sciezka, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            if (!odtworz(it.next()))
                return 1;
            ++ile;
        }
    }
    std::printf("%d inputs replayed\n", ile);
    // A corpus that went missing would pass without testing anything.
    return ile > 0 ? 0 : 1;
}
