#pragma once

#include "petla/punkty.h"

#include <QRectF>

class QPainter;

// The error of each measured point against its weight, with the tolerance band
// shaded: the same picture in the window, growing as points are measured, and
// in the printed record.
namespace WykresBledow {

void rysuj(QPainter &p, const QRectF &obszar, const PrzebiegKontroli &przebieg);

} // namespace WykresBledow
