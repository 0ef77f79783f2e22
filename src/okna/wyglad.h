#pragma once

#include <QColor>

class QLabel;
class QWidget;

// Colours and weight of a control, set through its palette and font. A style
// sheet would do the same in one line, but every control under a style sheet
// goes through a style pass of its own, and at start that is most of them.

// Text colour, and the background when tlo is valid.
void ustawKolory(QWidget *w, const QColor &tekst, const QColor &tlo = QColor());

// A background the control fills itself.
void ustawTlo(QWidget *w, const QColor &tlo);

// Bold text, at the given size in points when punkty is above zero.
void pogrub(QWidget *w, int punkty = 0);

// The text set in as a framed label sets it: half an "x" from the edge.
void wcieciePodpisu(QLabel *l);
