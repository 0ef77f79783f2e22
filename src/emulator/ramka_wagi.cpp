#include "emulator/ramka_wagi.h"

namespace RamkaWagi {

QString zbuduj(const TypRamki &typ, qint32 waga)
{
    const QString cyfry = QString::number(waga < 0 ? -qint64(waga) : qint64(waga));
    const QChar znak = waga < 0 ? typ.minus : waga == 0 ? typ.zero : typ.plus;
    qsizetype cyfra = cyfry.size();
    qsizetype jednostka = typ.jednostka.size();
    QString ramka(typ.wzor.size(), u' ');
    for (qsizetype i = typ.wzor.size() - 1; i >= 0; --i) {
        switch (typ.wzor.at(i).unicode()) {
        case u'z':
            ramka[i] = znak;
            break;
        case u'm':
        case u'0':
            if (cyfra > 0)
                ramka[i] = cyfry.at(--cyfra);
            else if (typ.wzor.at(i) == u'0')
                ramka[i] = u'0';
            break;
        case u'k':
            ramka[i] = u'.';
            break;
        case u'j':
            if (jednostka > 0)
                ramka[i] = typ.jednostka.at(--jednostka);
            break;
        default:
            break;
        }
    }
    return ramka;
}

} // namespace RamkaWagi
