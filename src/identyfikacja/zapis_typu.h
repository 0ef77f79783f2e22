#pragma once

#include <QString>

// Storing the frame type found as the one the main window restores at start.
namespace ZapisTypu {

// Sets "ramka" of section "parametry" to `typ` and empties "waga", since a
// stored scale would be restored in its place. Every other byte of the file
// stays as it was. False when the file could not be written.
bool zapisz(const QString &plikKatalogu, const QString &typ);

} // namespace ZapisTypu
