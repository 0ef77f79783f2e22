#pragma once

#include <QString>

class Jezyk;

// The loop check's texts, from section "kontrola_petli" of the language file,
// the Polish text being the default (and what a missing key is filled with).
namespace TekstyKontroli {

inline const QString kSekcja = QStringLiteral("kontrola_petli");

// The text under `klucz`; an unknown key gives the key itself.
QString tekst(const Jezyk &jezyk, const QString &klucz);

} // namespace TekstyKontroli
