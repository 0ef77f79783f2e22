#pragma once

#include <QColor>

class QWidget;

// Colours and weight of a control, set through its palette and font. A style
// sheet would do the same in one line, but every control under a style sheet
// goes through a style pass of its own, and at start that is most of them.

// Text colour, and the background when tlo is valid (the control then fills it).
void ustawKolory(QWidget *w, const QColor &tekst, const QColor &tlo = QColor());

// Bold text, at the given size in points when punkty is above zero.
void pogrub(QWidget *w, int punkty = 0);
