#include "identyfikacja/zapis_typu.h"

#include "config/ini.h"

namespace ZapisTypu {

bool zapisz(const QString &plikKatalogu, const QString &typ)
{
    const QString sekcja = QStringLiteral("parametry");
    return modNI::ZapiszIni(plikKatalogu, sekcja, QStringLiteral("ramka"), typ)
           && modNI::ZapiszIni(plikKatalogu, sekcja, QStringLiteral("waga"), QString());
}

} // namespace ZapisTypu
