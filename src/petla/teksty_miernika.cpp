#include "petla/teksty_miernika.h"

#include "config/jezyk.h"

namespace TekstyMiernika {

QString komunikat(const Jezyk *jezyk, const QString &klucz, const QString &polski)
{
    return jezyk ? jezyk->TekstJezyka(QStringLiteral("miernik"), klucz, polski) : polski;
}

} // namespace TekstyMiernika
