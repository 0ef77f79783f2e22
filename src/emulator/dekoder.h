#pragma once

#include "emulator/typ_ramki.h"

#include <QString>

#include <optional>

// Reading the weight back out of a scale frame, the way the converter must:
// every character of the frame has to be what the template allows at its place.
namespace Dekoder {

// Digit positions beyond this many may hold only zeros, so the weight always
// fits in 64 bits.
inline constexpr int kNajwiecejCyfr = 18;

// The weight the frame carries, or nothing when the frame does not fit the
// template of `typ`. Without a sign position in the template the weight is
// never negative; the decimal point does not scale the number.
std::optional<qint64> waga(const QString &ramka, const TypRamki &typ);

} // namespace Dekoder
