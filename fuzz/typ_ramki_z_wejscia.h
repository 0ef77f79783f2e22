#pragma once

#include "cel.h"
#include "config/kodowanie.h"
#include "simulator/wartosci.h"

namespace Fuzz {

// A frame type from the first five lines of the input: template, plus, minus
// and zero sign, unit, as a settings file would give them (Windows-1250).
inline Wartosci typRamki(const Podzial &p)
{
    const auto znak = [](const QByteArray &linia) {
        return linia.isEmpty() ? QChar(QLatin1Char(' ')) : Kodowanie::zAnsi(linia).at(0);
    };
    Wartosci w;
    w.WzorRamki = Kodowanie::zAnsi(p.linie[0]);
    w.ZnakPlus = znak(p.linie[1]);
    w.ZnakMinus = znak(p.linie[2]);
    w.ZnakZero = znak(p.linie[3]);
    w.Jednostka = Kodowanie::zAnsi(p.linie[4]);
    return w;
}

} // namespace Fuzz
