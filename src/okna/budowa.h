#pragma once

#include <QRect>
#include <QString>

class ButtonXP;
class Formatka;
class QWidget;

// A panel of the main window: a box 4620 twips wide, placed in the working
// area, with a header label that carries the same Tag as its navigation label.
QWidget *nowyPanel(Formatka &okno, const QString &nazwa, int wysokoscTwipy, const QString &naglowekNazwa,
                   const QString &naglowek, const QString &tag);

// A button of the window inside `rodzic`, placed at `twipy`.
ButtonXP *nowyPrzycisk(Formatka &okno, QWidget *rodzic, const QString &nazwa, const QString &caption,
                       const QString &tag, const QRect &twipy);
