// Figures for identifying a scale: how long one frame takes to be judged
// against every frame type of the shipped catalogue (the window judges each
// frame as it comes, 10 to 20 a second), and how fast the line is cut into
// frames.
#include "identyfikacja/dopasowanie.h"
#include "identyfikacja/podzial_ramek.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    Dopasowanie d;
    d.wczytaj(QStringLiteral(KONWERTER_DANE "/settings.ini"));
    Wartosci w;
    w.WczytajTypRamki(QStringLiteral(KONWERTER_DANE "/settings.ini"), QStringLiteral("1"));

    constexpr int kRamek = 100000;
    QStringList ramki;
    for (int i = 0; i < 1000; ++i)
        ramki.append(w.BudujRamke(i * 37 - 18000));
    QElapsedTimer t;
    t.start();
    for (int i = 0; i < kRamek; ++i)
        d.dodaj(ramki.at(i % ramki.size()));
    const double naRamke = double(t.nsecsElapsed()) / 1000.0 / kRamek;
    std::printf("matching: %.2f us per frame against %lld frame types (%lld fit)\n", naRamke,
                static_cast<long long>(d.typy().size()), static_cast<long long>(d.pasujace().size()));

    QByteArray linia;
    for (const QString &r : ramki)
        linia += r.toLatin1() + "\r\n";
    PodzialRamek p;
    qint64 ramek = 0;
    t.restart();
    for (int i = 0; i < 100; ++i)
        for (qsizetype o = 0; o < linia.size(); o += 64)
            ramek += p.dodaj(QByteArrayView(linia).sliced(o, std::min<qsizetype>(64, linia.size() - o)), i).size();
    const double mb = 100.0 * double(linia.size()) / 1e6;
    std::printf("splitting: %.1f MB/s in 64-byte reads (%lld frames)\n", mb / (double(t.nsecsElapsed()) / 1e9),
                static_cast<long long>(ramek));
    return 0;
}
