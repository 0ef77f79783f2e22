#pragma once

#include <QString>

#include <optional>

// The number rules the program applies to texts typed by the user, read from the
// settings file or answered by the converter.
namespace Liczby {

// The leading decimal number of the text; blanks are skipped, 0 when the text
// does not begin with a number ("3x" gives 3, "  12" gives 12, "x3" gives 0).
double Val(const QString &tekst);

// True when the whole text, blanks around it allowed, reads as a decimal number.
// The empty text is not numeric.
bool CzyLiczba(const QString &tekst);

// Rounds to a whole number, halves to the even neighbour (2.5 gives 2).
double Zaokraglij(double v);

// The value as a 32- or 16-bit whole number, halves to even; nothing when it
// does not fit.
std::optional<qint32> DoInt32(double v);
std::optional<qint16> DoInt16(double v);

// The whole number with at least six digits, zeros on the left: 1500 gives
// "001500", -5 gives "-000005"; longer numbers are written in full. Formatting
// rounds halves away from zero (2.5 gives 3), unlike the conversions above.
QString Format6(double v);

// The whole number without leading zeros: 2 gives "2".
QString Format0(double v);

// A number written the short way: 7 gives "7", 3.5 gives "3.5".
QString Tekst(double v);

} // namespace Liczby
