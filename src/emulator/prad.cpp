#include "emulator/prad.h"

#include <algorithm>
#include <cmath>

namespace {

// The weight as a part of the maximum, -1 to 1.
double ulamek(qint64 waga, qint64 maksimum)
{
    if (maksimum <= 0)
        return waga > 0 ? 1.0 : (waga < 0 ? -1.0 : 0.0);
    return std::clamp(static_cast<double>(waga) / static_cast<double>(maksimum), -1.0, 1.0);
}

} // namespace

namespace Prad {

double wMiliamperach(int tryb, qint64 waga, qint64 maksimum)
{
    const double f = ulamek(waga, maksimum);
    const double rozpietosc = kNajwiekszy - kNajmniejszy;
    switch (tryb) {
    case 0:
        return kNajmniejszy + rozpietosc * (f + 1.0) / 2.0;
    case 1:
        return kNajmniejszy + rozpietosc * std::fabs(f);
    case 2:
        return kNajmniejszy + rozpietosc * std::max(f, 0.0);
    default:
        return kNajmniejszy;
    }
}

} // namespace Prad
