#include "converter/katalog.h"

#include "config/liczby.h"

namespace {
const QString kParametry = QStringLiteral("parametry");
}

void Katalog::wczytaj(const QString &plikKatalogu)
{
    Wagi = modNI::SekcjaOdczyt(QStringLiteral("wagi"), plikKatalogu);
    TypyRamek = modNI::SekcjaOdczyt(QStringLiteral("typy ramek"), plikKatalogu);
}

QStringList Katalog::FiltrujWagi(const QString &typ) const
{
    QStringList nazwy;
    for (const Wpis &w : Wagi)
        if (typ == w.Wartosc || typ == kWszystkie)
            nazwy.append(w.Klucz);
    return nazwy;
}

QVector<int> Katalog::pozycjeTypu(const QString &klucz) const
{
    QVector<int> pozycje;
    for (int i = 0; i < TypyRamek.size(); ++i)
        if (TypyRamek.at(i).Klucz == klucz)
            pozycje.append(i);
    return pozycje;
}

ParametryZapisane ParametryZapisane::wczytaj(const QString &plikKatalogu)
{
    ParametryZapisane p;
    p.waga = modNI::CzytajIni(plikKatalogu, kParametry, QStringLiteral("waga"), QString());
    p.ramka = modNI::CzytajIni(plikKatalogu, kParametry, QStringLiteral("ramka"), QString());
    p.tryb = trybZTekstu(modNI::CzytajIni(plikKatalogu, kParametry, QStringLiteral("mode"), QString()));
    p.max = Liczby::Format6(
        Liczby::Val(modNI::CzytajIni(plikKatalogu, kParametry, QStringLiteral("max"), QString())));
    return p;
}

QString ParametryZapisane::kluczTypuRamki(const QString &plikKatalogu) const
{
    if (waga.isEmpty())
        return ramka;
    return modNI::CzytajIni(plikKatalogu, QStringLiteral("wagi"), waga, Katalog::kWszystkie);
}

int ParametryZapisane::trybZTekstu(const QString &tekst)
{
    const double v = Liczby::Val(tekst);
    if (v < 0 || v > 2)
        return 0;
    return int(Liczby::Zaokraglij(v));
}
