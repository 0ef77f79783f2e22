#pragma once

class QWidget;

// Panels are shown and hidden by moving them between containers, never through
// their own visibility: a panel moved into the off-screen holder disappears with
// everything in it, and comes back with its children as they were.

// Makes `Kontrolka` a child of `Kontener`; its Left and Top now count inside
// the new container.
void UstawKontener(QWidget *Kontrolka, QWidget *Kontener);

enum class Tryb { Ponizej = 0, Powyzej = 1 };

// Places `Kontrolka` directly below or above `Wzorzec` (same container), with the
// same Left, and gives it the keyboard focus.
void UmiescPrzy(QWidget *Kontrolka, const QWidget *Wzorzec, Tryb tryb);
