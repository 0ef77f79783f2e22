#pragma once

#include <QString>

// The values a script gives on the command line, checked before anything is
// sent. Each function says why the text is refused, or gives the empty text
// when it is fine. A value is taken only as written: nothing is rounded, cut or
// read up to its first non-digit, so a typing slip never reaches a converter.
namespace Sprawdzenie {

// --port: a whole number from 1 to 9999.
QString nrPortu(const QString &tekst);
// set max: a whole number from 0 to 999999, the six digits of the command.
QString maksimum(const QString &tekst);
// set mode: 0, 1 or 2.
QString tryb(const QString &tekst);
// --seconds: a number of seconds above zero.
QString sekundy(const QString &tekst);

} // namespace Sprawdzenie
