#pragma once

#include <QString>

// Why `sciezka`, given on the command line as the program folder, cannot be
// one: "--folder: PATH does not exist" or "... is not a folder". Empty when it
// can. The program never makes the folder itself: a mistyped path would
// otherwise start on fresh defaults and leave files where nobody looks.
QString bladFolderu(const QString &sciezka);
