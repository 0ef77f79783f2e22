#pragma once

#include <QChar>
#include <QString>

#include <optional>

class Wartosci;

// The loop current the converter should drive for a scale frame, worked out
// from the frame as the converter reads it rather than from the weight the
// frame was built for: a template without a sign place or with fewer digit
// places than the weight has gives the current the converter really drives.
namespace PradOczekiwany {

inline constexpr double kNajmniejszy = 4.0;
inline constexpr double kNajwiekszy = 20.0;
inline constexpr double kRozpietosc = kNajwiekszy - kNajmniejszy;

// The weight the converter reads from `ramka` of template `wzor`: the digits at
// the digit places ("m", "0"), negative when a sign place ("z") holds
// `znakMinus`; no sign place means positive. Nothing when the frame does not
// fit the template (another length, a character other than a digit or a blank
// at a digit place, no digit at all).
std::optional<qint64> waga(const QString &ramka, const QString &wzor, QChar znakMinus);

// Mode 0: 12 + 8·w/max; mode 1: 4 + 16·|w|/max; mode 2: 4 up to w = 0, then
// 4 + 16·w/max; always within 4…20 mA. A maximum of 0 puts every weight other
// than 0 at the end. Nothing for a mode other than 0, 1 or 2.
std::optional<double> zWagi(qint64 waga, qint64 maksimum, int tryb);

// The two above for a frame of the frame type loaded in `wartosci`.
std::optional<double> zRamki(const QString &ramka, const Wartosci &wartosci, qint64 maksimum, int tryb);

// "12.000 mA".
QString tekst(double mA);

} // namespace PradOczekiwany
