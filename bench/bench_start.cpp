// Start-up of the program, from process start to the main window shown with
// the catalogue loaded (offscreen), with the shipped catalogue and with a big
// one, and the largest resident memory of those runs.
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

#include <sys/resource.h>

namespace {

constexpr int kPowtorzenia = 15;

double jedenStart(const QString &program, const QString &folder)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("KONWERTER_POMIAR_STARTU"), QStringLiteral("1"));
    p.setProcessEnvironment(env);
    QElapsedTimer t;
    t.start();
    p.start(program, {QStringLiteral("--folder"), folder});
    while (!p.readAllStandardOutput().contains("ready"))
        if (!p.waitForReadyRead(10000))
            return -1;
    const double ms = t.nsecsElapsed() / 1e6;
    p.waitForFinished(5000);
    return ms;
}

void zmierz(const char *opis, const QString &program, const QString &folder)
{
    std::vector<double> czasy;
    for (int i = 0; i < kPowtorzenia; ++i)
        czasy.push_back(jedenStart(program, folder));
    std::sort(czasy.begin(), czasy.end());
    std::printf("start to window ready, %-32s median %6.1f ms, best %6.1f ms, worst %6.1f ms\n", opis,
                czasy[czasy.size() / 2], czasy.front(), czasy.back());
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QString program = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("konwerter"));

    QTemporaryDir dostarczony;
    for (const char *plik : {"settings.ini", "set.lng"})
        QFile::copy(QStringLiteral(KONWERTER_DANE "/") + QLatin1String(plik),
                    dostarczony.filePath(QLatin1String(plik)));
    zmierz("shipped catalogue:", program, dostarczony.path());

    QTemporaryDir duzy;
    QFile::copy(QStringLiteral(KONWERTER_DANE "/set.lng"), duzy.filePath(QStringLiteral("set.lng")));
    QByteArray katalog = "[parametry]\r\nramka=1\r\nmode=1\r\nmax=3000\r\n[typy ramek]\r\n";
    for (int t = 1; t <= 100; ++t)
        katalog += QByteArray::number(t) + "=Typ ramki " + QByteArray::number(t) + "\r\n";
    katalog += "[wagi]\r\n";
    for (int w = 0; w < 1000; ++w)
        katalog += "Waga " + QByteArray::number(w) + "=" + QByteArray::number(w % 100 + 1) + "\r\n";
    for (int t = 1; t <= 100; ++t)
        katalog += "[" + QByteArray::number(t) + "]\r\nramka=zmm0k00sjj\r\n";
    QFile f(duzy.filePath(QStringLiteral("settings.ini")));
    if (f.open(QIODevice::WriteOnly))
        f.write(katalog);
    f.close();
    zmierz("1,000 scales, 100 frame types:", program, duzy.path());

    rusage r{};
    getrusage(RUSAGE_CHILDREN, &r);
    std::printf("peak resident memory of the program:       %6.1f MB\n", r.ru_maxrss / 1024.0);
    return 0;
}
