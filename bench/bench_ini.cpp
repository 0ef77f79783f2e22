// Figures for the file access behind every lookup: single keys on the shipped
// settings file and on a large one, a whole 500-entry section, and the frame
// the simulator builds 20 times a second.
#include "config/ini.h"
#include "simulator/wartosci.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>

namespace {

template<class F>
double mikrosekundNaWywolanie(int ile, F &&f)
{
    QElapsedTimer t;
    t.start();
    for (int i = 0; i < ile; ++i)
        f(i);
    return double(t.nsecsElapsed()) / 1000.0 / ile;
}

QString zapisz(const QTemporaryDir &dir, const char *nazwa, const QByteArray &tresc)
{
    const QString sciezka = dir.filePath(QLatin1String(nazwa));
    QFile f(sciezka);
    if (!f.open(QIODevice::WriteOnly) || f.write(tresc) != tresc.size())
        std::fprintf(stderr, "cannot write %s\n", qPrintable(sciezka));
    return sciezka;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString dostarczony = QStringLiteral(KONWERTER_DANE "/settings.ini");

    QByteArray duzy;
    for (int s = 0; s < 50; ++s) {
        duzy += "[sekcja" + QByteArray::number(s) + "]\r\n";
        for (int k = 0; k < 99; ++k)
            duzy += "klucz" + QByteArray::number(k) + "=wartosc " + QByteArray::number(s * 100 + k) + "\r\n";
    }
    const QString duzyPlik = zapisz(dir, "duzy.ini", duzy);

    QByteArray sekcja = "[wagi]\r\n";
    for (int i = 0; i < 500; ++i)
        sekcja += "Waga " + QByteArray::number(i) + "=" + QByteArray::number(i % 4 + 1) + "\r\n";
    const QString plikSekcji = zapisz(dir, "sekcja.ini", sekcja);

    const double dostarczonyUs = mikrosekundNaWywolanie(20000, [&](int) {
        modNI::CzytajIni(dostarczony, QStringLiteral("USTAWIENIA"), QStringLiteral("BITY STOPU"), QStringLiteral("1"));
    });
    const double duzyUs = mikrosekundNaWywolanie(500, [&](int) {
        modNI::CzytajIni(duzyPlik, QStringLiteral("sekcja49"), QStringLiteral("klucz98"), QString());
    });
    const double sekcjaUs = mikrosekundNaWywolanie(2000, [&](int) {
        modNI::SekcjaOdczyt(QStringLiteral("wagi"), plikSekcji);
    });
    const double zapisUs = mikrosekundNaWywolanie(500, [&](int i) {
        modNI::ZapiszIni(plikSekcji, QStringLiteral("USTAWIENIA"), QStringLiteral("NR PORTU"), QString::number(i));
    });
    Wartosci w;
    w.WczytajTypRamki(dostarczony, QStringLiteral("1"));
    const double ramkaUs = mikrosekundNaWywolanie(200000, [&](int i) { w.BudujRamke(i - 100000); });

    std::printf("CzytajIni, shipped settings.ini:          %8.2f us/call\n", dostarczonyUs);
    std::printf("CzytajIni, 5,000-line file (last key):    %8.2f us/call\n", duzyUs);
    std::printf("SekcjaOdczyt, 500-entry section:          %8.2f us/call\n", sekcjaUs);
    std::printf("ZapiszIni, 500-entry file, atomic:        %8.2f us/call\n", zapisUs);
    std::printf("BudujRamke, shipped frame type 1:         %8.3f us/call\n", ramkaUs);
    return 0;
}
