#include "config/ustawienia.h"

#include "config/ini.h"
#include "config/liczby.h"

QString UstawieniaPortu::tekstLinii() const
{
    return Predkosc + QLatin1Char(',') + Parzystosc + QLatin1Char(',') + BityDanych
           + QLatin1Char(',') + BityStopu;
}

namespace Ustawienia {

QString klucz(Parametr p)
{
    switch (p) {
    case Parametr::NrPortu: return QStringLiteral("NR PORTU");
    case Parametr::Predkosc: return QStringLiteral("PRĘDKOŚĆ");
    case Parametr::Parzystosc: return QStringLiteral("PARZYSTOŚĆ");
    case Parametr::BityDanych: return QStringLiteral("BITY DANYCH");
    case Parametr::BityStopu: return QStringLiteral("BITY STOPU");
    }
    return {};
}

QString domyslna(Parametr p)
{
    UstawieniaPortu d;
    return pole(d, p);
}

QString &pole(UstawieniaPortu &u, Parametr p)
{
    switch (p) {
    case Parametr::NrPortu: return u.NrPortu;
    case Parametr::Predkosc: return u.Predkosc;
    case Parametr::Parzystosc: return u.Parzystosc;
    case Parametr::BityDanych: return u.BityDanych;
    case Parametr::BityStopu: break;
    }
    return u.BityStopu;
}

QString NormalizujNrPortu(const QString &tekst)
{
    return Liczby::Tekst(Liczby::Val(tekst));
}

UstawieniaPortu WczytajUstawienia(const QString &plikUstawien)
{
    UstawieniaPortu u;
    for (Parametr p : {Parametr::NrPortu, Parametr::Predkosc, Parametr::Parzystosc,
                       Parametr::BityDanych, Parametr::BityStopu})
        pole(u, p) = modNI::CzytajIni(plikUstawien, kSekcja, klucz(p), domyslna(p));
    u.NrPortu = NormalizujNrPortu(u.NrPortu);
    return u;
}

bool Zapisz(const QString &plikUstawien, Parametr p, const QString &wartosc)
{
    return modNI::ZapiszIni(plikUstawien, kSekcja, klucz(p), wartosc);
}

} // namespace Ustawienia
