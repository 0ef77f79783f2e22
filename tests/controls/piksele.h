#pragma once

// Reading a control's picture in logical pixels, and a window to host it.

#include <QColor>
#include <QCursor>
#include <QImage>
#include <QWidget>
#include <QtTest>

#include <functional>

inline QImage Obraz(QWidget *w)
{
    return w->grab().toImage();
}

// Colour of logical pixel (x, y); on a 200% screen every device pixel of it
// must agree, otherwise the result says so.
inline QString Piksel(const QImage &obraz, int x, int y)
{
    const int d = qRound(obraz.devicePixelRatio());
    const QColor c = obraz.pixelColor(x * d, y * d);
    for (int dy = 0; dy < d; ++dy)
        for (int dx = 0; dx < d; ++dx)
            if (obraz.pixelColor(x * d + dx, y * d + dy) != c)
                return QStringLiteral("(%1,%2) not uniform").arg(x).arg(y);
    return QStringLiteral("(%1,%2)=%3,%4,%5").arg(x).arg(y).arg(c.red()).arg(c.green()).arg(c.blue());
}

inline QString Oczekiwany(int x, int y, const QColor &c)
{
    return QStringLiteral("(%1,%2)=%3,%4,%5").arg(x).arg(y).arg(c.red()).arg(c.green()).arg(c.blue());
}

#define PIKSEL(obraz, x, y, kolor) QCOMPARE(Piksel((obraz), (x), (y)), Oczekiwany((x), (y), (kolor)))

// Number of logical pixels inside `obszar` for which `warunek` holds.
inline int Policz(const QImage &obraz, const QRect &obszar, const std::function<bool(QColor)> &warunek)
{
    const int d = qRound(obraz.devicePixelRatio());
    int n = 0;
    for (int y = obszar.top(); y <= obszar.bottom(); ++y)
        for (int x = obszar.left(); x <= obszar.right(); ++x)
            if (warunek(obraz.pixelColor(x * d, y * d)))
                ++n;
    return n;
}

// A shown, active top-level window away from the pointer, which is parked in
// a corner of the screen where no window lies.
struct Okno
{
    QWidget widget;

    Okno()
    {
        QCursor::setPos(790, 790);
        widget.setGeometry(100, 100, 260, 180);
        widget.show();
        widget.activateWindow();
    }

    bool gotowe() { return QTest::qWaitForWindowActive(&widget); }
};
