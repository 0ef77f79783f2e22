#pragma once

// Reading a control's picture in logical pixels, and a window to host it.

#include <QCursor>
#include <QImage>
#include <QWidget>
#include <QtTest>

#include <functional>
#include <initializer_list>

// "(x,y)=r,g,b" of logical pixel (x, y), or a note that the device pixels of
// it differ (on a 200% screen each logical pixel must be a uniform block).
inline QString Piksel(const QImage &o, int x, int y)
{
    const int d = qRound(o.devicePixelRatio());
    const QColor c = o.pixelColor(x * d, y * d);
    for (int i = 0; i < d * d; ++i)
        if (o.pixelColor(x * d + i % d, y * d + i / d) != c)
            return QStringLiteral("(%1,%2) not uniform").arg(x).arg(y);
    return QStringLiteral("(%1,%2)=%3,%4,%5").arg(x).arg(y).arg(c.red()).arg(c.green()).arg(c.blue());
}

inline QString Oczekiwany(QPoint p, const QColor &c)
{
    return QStringLiteral("(%1,%2)=%3,%4,%5").arg(p.x()).arg(p.y()).arg(c.red()).arg(c.green()).arg(c.blue());
}

#define PIKSEL(o, x, y, kolor) QCOMPARE(Piksel((o), (x), (y)), Oczekiwany(QPoint((x), (y)), (kolor)))

inline void Sprawdz(const QImage &o, std::initializer_list<QPoint> punkty, const QColor &kolor)
{
    for (QPoint p : punkty)
        PIKSEL(o, p.x(), p.y(), kolor);
}

// Logical pixels inside `obszar` for which `warunek` holds.
inline int Policz(const QImage &o, const QRect &obszar, const std::function<bool(QColor)> &warunek)
{
    const int d = qRound(o.devicePixelRatio());
    int n = 0;
    for (int y = obszar.top(); y <= obszar.bottom(); ++y)
        for (int x = obszar.left(); x <= obszar.right(); ++x)
            n += warunek(o.pixelColor(x * d, y * d)) ? 1 : 0;
    return n;
}

// A shown, active window; the pointer is parked where no window lies.
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

inline QImage Obraz(QWidget *w)
{
    return w->grab().toImage();
}
