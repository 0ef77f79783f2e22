#pragma once

#include <QIcon>

// The program's icon, a scale with a current loop over it: the same picture
// as the desktop entry's, drawn here so the window needs no image files.
QIcon ikonaProgramu();
