#pragma once

#include "emulator/typ_ramki.h"

#include <QString>

// The frame a scale of one frame type sends for a weight: each template
// character gives one frame character; digits and unit characters are filled
// in from the right.
namespace RamkaWagi {

// The scale shows at most six digits.
inline constexpr qint32 kNajwiekszaWaga = 999999;

// `waga` from -kNajwiekszaWaga to kNajwiekszaWaga; the frame carries no line end.
QString zbuduj(const TypRamki &typ, qint32 waga);

} // namespace RamkaWagi
