#include "emulator/wyjscie_pradowe.h"

#include "emulator/prad.h"

double WyjsciePradowe::prad(double zadany) const
{
    const double rozpietosc = Prad::kNajwiekszy - Prad::kNajmniejszy;
    const double x = (zadany - Prad::kNajmniejszy) / rozpietosc;
    return zadany + (zadany - Prad::kNajmniejszy) * wzmocnienie + przesuniecie
           + nieliniowosc * rozpietosc * 4.0 * x * (1.0 - x);
}
