#include "emulator/odczyt_ramki.h"

#include "config/kodowanie.h"
#include "emulator/dekoder.h"
#include "emulator/dziennik.h"
#include "emulator/prad.h"

namespace OdczytyRamek {

OdczytRamki odczytaj(QByteArrayView bajty, const TypRamki &typ, const StanKonwertera &stan)
{
    OdczytRamki o;
    o.tekst = Kodowanie::zAnsi(bajty);
    o.waga = Dekoder::waga(o.tekst, typ);
    if (o.waga)
        o.prad = Prad::wMiliamperach(stan.tryb - '0', *o.waga, Polecenia::maksimum(stan));
    return o;
}

QByteArray wiersz(const OdczytRamki &odczyt)
{
    QByteArray w = "FRAME " + Dziennik::wCudzyslowie(odczyt.tekst);
    if (!odczyt.waga)
        return w + " undecodable";
    return w + " weight=" + QByteArray::number(*odczyt.waga)
           + " current=" + QByteArray::number(odczyt.prad, 'f', 2) + " mA";
}

} // namespace OdczytyRamek
