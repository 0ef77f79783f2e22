#pragma once

#include <QString>

class Jezyk;

// The meter's messages: looked up in section "miernik" of the language file
// under `klucz` when there is one, otherwise the Polish text. "%1" and the like
// are filled in after the lookup, so a translation carries them too.
namespace TekstyMiernika {

QString komunikat(const Jezyk *jezyk, const QString &klucz, const QString &polski);

} // namespace TekstyMiernika
