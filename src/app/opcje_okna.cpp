#include "app/opcje_okna.h"

#include "config/komunikaty.h"
#include "config/opcja_folderu.h"

#include <cstdio>

int sprawdzFolder(const QString &folder, Komunikaty &komunikaty)
{
    const QString blad = bladFolderu(folder);
    if (blad.isEmpty())
        return 0;
    std::fprintf(stderr, "konwerter: %s\n", qPrintable(blad));
    komunikaty.krytyczny(blad);
    return kZleUzycie;
}
