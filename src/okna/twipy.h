#pragma once

#include <QRect>
#include <QtMath>

// Positions and sizes of the windows are kept in twips, as they were designed;
// on the screen 15 twips make one pixel.
inline constexpr int kTwipowNaPiksel = 15;

inline int px(int twipy)
{
    return qRound(twipy / double(kTwipowNaPiksel));
}

inline QRect tw(int left, int top, int width, int height)
{
    return QRect(px(left), px(top), px(width), px(height));
}
