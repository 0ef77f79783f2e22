// Start-up of the program, from process start to the main window shown with
// the catalogue loaded, with the shipped catalogue and with a big one, beside
// the floor: a Qt Widgets program showing one empty window. A second reference,
// the same window with one label and one text box, shows what text alone adds.
// Offscreen always, and on a real X server when Xvfb is there. The runs of the
// program and of the references alternate, so a busy machine weighs on all alike.
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <optional>
#include <vector>

#include <sys/resource.h>

namespace {

constexpr int kPowtorzenia = 25;

struct Ekran
{
    const char *nazwa;
    QProcessEnvironment env;
};

double jedenStart(const QString &program, const QStringList &argumenty, const QProcessEnvironment &env)
{
    QProcess p;
    p.setProcessEnvironment(env);
    QElapsedTimer t;
    t.start();
    p.start(program, argumenty);
    while (!p.readAllStandardOutput().contains("ready"))
        if (!p.waitForReadyRead(10000))
            return -1;
    const double ms = t.nsecsElapsed() / 1e6;
    p.waitForFinished(5000);
    return ms;
}

double mediana(std::vector<double> &czasy)
{
    std::sort(czasy.begin(), czasy.end());
    return czasy[czasy.size() / 2];
}

void zmierz(const char *opis, const QString &program, const QString &folder, const QString &podloga,
            const Ekran &ekran)
{
    std::vector<double> czasy, czasyPodlogi, czasyTekstu;
    for (int i = 0; i < kPowtorzenia; ++i) {
        czasy.push_back(jedenStart(program, {QStringLiteral("--folder"), folder}, ekran.env));
        czasyPodlogi.push_back(jedenStart(podloga, {}, ekran.env));
        czasyTekstu.push_back(jedenStart(podloga, {QStringLiteral("--tekst")}, ekran.env));
    }
    const double m = mediana(czasy);
    const double mp = mediana(czasyPodlogi);
    const double mt = mediana(czasyTekstu);
    std::printf("%-9s %-31s median %6.1f ms (best %6.1f, worst %6.1f); empty window %6.1f ms; ratio %.2f\n",
                ekran.nazwa, opis, m, czasy.front(), czasy.back(), mp, m / mp);
    std::printf("%-9s %-31s label and text box %6.1f ms (ratio to empty %.2f); program to it %.2f\n",
                ekran.nazwa, "", mt, mt / mp, m / mt);
}

// An X server of our own for the run; it names its display once it is ready.
std::optional<QString> uruchomXvfb(QProcess &xvfb)
{
    const QString program = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
    if (program.isEmpty()) {
        std::printf("Xvfb is not installed: offscreen only\n");
        return std::nullopt;
    }
    xvfb.start(program, {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                         QStringLiteral("0"), QStringLiteral("1024x768x24"), QStringLiteral("-nolisten"),
                         QStringLiteral("tcp")});
    QByteArray numer;
    while (!numer.endsWith('\n') && xvfb.waitForReadyRead(20000))
        numer += xvfb.readAllStandardOutput();
    if (numer.trimmed().isEmpty()) {
        std::printf("Xvfb did not start: offscreen only\n");
        xvfb.kill();
        xvfb.waitForFinished();
        return std::nullopt;
    }
    return QStringLiteral(":") + QString::fromLatin1(numer.trimmed());
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QDir bin(QCoreApplication::applicationDirPath());
    const QString program = bin.filePath(QStringLiteral("konwerter"));
    const QString podloga = bin.filePath(QStringLiteral("okno_minimalne"));

    QTemporaryDir dostarczony;
    for (const char *plik : {"settings.ini", "set.lng"})
        QFile::copy(QStringLiteral(KONWERTER_DANE "/") + QLatin1String(plik),
                    dostarczony.filePath(QLatin1String(plik)));

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

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("KONWERTER_POMIAR_STARTU"), QStringLiteral("1"));
    std::vector<Ekran> ekrany;
    Ekran offscreen{"offscreen", env};
    offscreen.env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    ekrany.push_back(offscreen);

    // The program's peak memory, before any other child can be the largest.
    jedenStart(program, {QStringLiteral("--folder"), dostarczony.path()}, offscreen.env);
    rusage r{};
    getrusage(RUSAGE_CHILDREN, &r);
    std::printf("peak resident memory of the program, shipped files, offscreen: %.1f MB\n", r.ru_maxrss / 1024.0);

    QProcess xvfb;
    if (const auto ekran = uruchomXvfb(xvfb)) {
        Ekran x{"Xvfb", env};
        x.env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        x.env.insert(QStringLiteral("DISPLAY"), *ekran);
        ekrany.push_back(x);
    }

    for (const Ekran &e : ekrany) {
        zmierz("shipped files:", program, dostarczony.path(), podloga, e);
        zmierz("1,000 scales, 100 frame types:", program, duzy.path(), podloga, e);
    }
    if (xvfb.state() == QProcess::Running) {
        xvfb.terminate();
        xvfb.waitForFinished(3000);
    }
    return 0;
}
