#include "emulator/typ_ramki.h"

#include "config/ini.h"

namespace {

// A sign is one character; the program takes the first one of the value and a
// space when the value is empty.
QChar znak(const QString &wartosc)
{
    return wartosc.isEmpty() ? QChar(u' ') : wartosc.front();
}

} // namespace

namespace TypyRamek {

TypRamki wczytaj(const QString &plikUstawien, const QString &kod)
{
    const QString plik = modNI::ZnajdzPlik(plikUstawien);
    TypRamki t;
    t.plus = znak(modNI::CzytajIni(plik, kod, QStringLiteral("plus"), QStringLiteral("+")));
    t.minus = znak(modNI::CzytajIni(plik, kod, QStringLiteral("minus"), QStringLiteral("_")));
    t.zero = znak(modNI::CzytajIni(plik, kod, QStringLiteral("zero"), QStringLiteral(" ")));
    t.wzor = modNI::CzytajIni(plik, kod, QStringLiteral("ramka"), QStringLiteral("mmmmmm"));
    t.jednostka = modNI::CzytajIni(plik, QStringLiteral("parametry"), QStringLiteral("jm"),
                                   QStringLiteral("kg"));
    // The scale builds its frames with these when the file leaves them empty.
    if (t.wzor.isEmpty())
        t.wzor = kWzorZastepczy.toString();
    if (t.jednostka.isEmpty())
        t.jednostka = kJednostkaZastepcza.toString();
    return t;
}

} // namespace TypyRamek
