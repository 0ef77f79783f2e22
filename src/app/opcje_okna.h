#pragma once

#include <QString>

class Komunikaty;

// The exit status for wrong usage, as the command-line tool has it.
inline constexpr int kZleUzycie = 64;

// The folder given with --folder, checked before the window is built: 0 when
// the program can use it; otherwise the user is told why not, on standard
// error and through `komunikaty`, and the result is the exit status.
int sprawdzFolder(const QString &folder, Komunikaty &komunikaty);
