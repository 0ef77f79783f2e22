#pragma once

#include <QColor>
#include <QPalette>

class QKeyEvent;

// The numbers the controls hand to their hosts and keep in property bags: the
// 32-bit colours 0x00BBGGRR (with the 0x80000000 system-colour references),
// key codes, key characters, mouse-button and shift masks.
namespace KodyXP {

// Colour from its 32-bit value; a system-colour reference takes the palette's
// colour of the same purpose.
QColor Kolor(quint32 kolor, const QPalette &paleta);
quint32 Wartosc(const QColor &kolor);

// Virtual key code of a key (Space 32, Enter 13, Left 37 ... Down 40, letters
// by their capital); 0 for keys that have none.
short KodKlawisza(const QKeyEvent *zdarzenie);

// 1 Shift, 2 Ctrl, 4 Alt, summed.
short Shift(Qt::KeyboardModifiers modyfikatory);

// 1 left, 2 right, 4 middle, summed; 0 for the other buttons.
short Przyciski(Qt::MouseButtons przyciski);

// Character code of a key as the 8-bit code page of the program writes it
// ("ą" is 185); characters the code page lacks give "?".
short KodZnaku(QChar znak);
QChar Znak(short kod);

// The character code a key types, or -1 for keys that type nothing (arrows,
// Delete, Tab, which moves the focus instead).
short KodZnakuKlawisza(const QKeyEvent *zdarzenie);

} // namespace KodyXP
