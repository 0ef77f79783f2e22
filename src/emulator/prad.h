#pragma once

#include <QtGlobal>

// The loop current the converter drives for a weight. The end values of the
// loop are 4 and 20 mA; a weight beyond the maximum holds the end value.
namespace Prad {

inline constexpr double kNajmniejszy = 4.0;
inline constexpr double kNajwiekszy = 20.0;

// `tryb` 0: straight line, 4 mA at -max, 12 mA at 0, 20 mA at +max.
// `tryb` 1: a V, 20 mA at -max and +max, 4 mA at 0.
// `tryb` 2: 4 mA from -max to 0, then straight up to 20 mA at +max.
// A maximum of 0 puts every weight other than 0 beyond the end. Any other mode
// gives 4 mA, the current of a converter that drives nothing useful.
double wMiliamperach(int tryb, qint64 waga, qint64 maksimum);

} // namespace Prad
