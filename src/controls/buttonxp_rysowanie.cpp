// The looks of ButtonXP. Everything is drawn in logical pixels into a persistent
// image kept at the screen's pixel ratio, so a 200% screen doubles every pixel
// instead of blurring it. Lines are filled rectangles: exact, and never
// antialiased.

#include "controls/buttonxp.h"

#include "config/liczby.h"
#include "controls/kodyxp.h"

#include <QPainter>
#include <QPaintEvent>
#include <QRegion>

#include <algorithm>
#include <cmath>

namespace {

void Pas(QPainter &p, const QRect &r, const QColor &c)
{
    if (r.width() > 0 && r.height() > 0)
        p.fillRect(r, c);
}

// Row y from x0 to x1, both included.
void Wiersz(QPainter &p, int y, int x0, int x1, const QColor &c)
{
    Pas(p, QRect(x0, y, x1 - x0 + 1, 1), c);
}

void Piksel(QPainter &p, int x, int y, const QColor &c)
{
    Pas(p, QRect(x, y, 1, 1), c);
}

// A one-pixel border along the inside of the rectangle (0, 0, w, h).
void Obwodka(QPainter &p, int w, int h, const QColor &c)
{
    Wiersz(p, 0, 0, w - 1, c);
    Wiersz(p, h - 1, 0, w - 1, c);
    Pas(p, QRect(0, 0, 1, h), c);
    Pas(p, QRect(w - 1, 0, 1, h), c);
}

// A wide pen is a band of its width centred on the line, the end point left
// out as with a one-pixel line: a stroke at x covers x - width/2 ... x + width/2 - 1.
void PionowaKreska(QPainter &p, int x, int y0, int y1, int szerokosc, const QColor &c)
{
    Pas(p, QRect(x - szerokosc / 2, y0, szerokosc, y1 - y0), c);
}

void PoziomaKreska(QPainter &p, int x0, int x1, int y, int szerokosc, const QColor &c)
{
    Pas(p, QRect(x0, y - szerokosc / 2, x1 - x0, szerokosc), c);
}

// Ramps hold their last colour once the step limit is reached; a ramp that
// drew no row still holds its first colour.
int Krok(int k, int limit)
{
    return std::clamp(k, 0, limit);
}

} // namespace

void ButtonXP::Redraw(int press)
{
    Render(press);
    ApplyRegion();
    update();
}

void ButtonXP::Render(int press)
{
    m_lastPress = press;
    if (W <= 0 || H <= 0) {
        m_image = QImage();
        return;
    }
    const qreal dpr = devicePixelRatio();
    const QSize rozmiar(int(std::ceil(W * dpr)), int(std::ceil(H * dpr)));
    if (m_image.size() != rozmiar || m_image.devicePixelRatio() != dpr) {
        m_image = QImage(rozmiar, QImage::Format_RGB32);
        m_image.setDevicePixelRatio(dpr);
        // The caption is measured and drawn at the widget's own resolution.
        m_image.setDotsPerMeterX(qRound(logicalDpiX() / 0.0254));
        m_image.setDotsPerMeterY(qRound(logicalDpiY() / 0.0254));
    }

    QPainter p(&m_image);
    if (!m_enabled) {
        DrawDisabled(p);
    } else if (press == 1 && LastButton == 1) {
        DrawPressedFace(p);
        DrawBorder(p);
    } else {
        DrawFace(p);
        if (Hovering)
            DrawHoverFrame(p);
        else if (HasFocus)
            DrawFocusFrame(p);
        DrawBorder(p);
    }
    DrawCaption(p);
}

void ButtonXP::paintEvent(QPaintEvent *)
{
    // Disabled while its container was, the button heard nothing of it; the
    // container's return repaints it, and the grey look comes now.
    if (m_enabled != Enabled()) {
        m_enabled = Enabled();
        Render(m_lastPress);
        emit PropertyChanged(QStringLiteral("Enabled"));
    }
    // Moved to a screen with another pixel ratio: same look, new pixels.
    if (!m_image.isNull() && m_image.devicePixelRatio() != devicePixelRatio())
        Render(m_lastPress);
    if (m_image.isNull())
        return;
    QPainter p(this);
    p.drawImage(QPoint(0, 0), m_image);
}

void ButtonXP::Clear(QPainter &p) const
{
    p.fillRect(QRect(0, 0, W, H), palette().color(QPalette::Button));
}

void ButtonXP::DrawFace(QPainter &p) const
{
    Clear(p);
    for (int y = 3, k = 0; y <= H - 3; ++y, ++k) {
        const int m = Krok(k, 24);
        Wiersz(p, y, 0, W - 2, QColor(255 - m, 255 - m, 253 - m));
    }
    Wiersz(p, H - 2, 0, W - 2, QColor(214, 208, 197));
    Wiersz(p, H - 3, 0, W - 2, QColor(226, 223, 214));
    Wiersz(p, H - 4, 0, W - 2, QColor(236, 235, 230));
}

void ButtonXP::DrawHoverFrame(QPainter &p) const
{
    Wiersz(p, 1, 2, W - 3, QColor(255, 240, 207));
    Wiersz(p, 2, 1, W - 2, QColor(253, 216, 137));
    for (int y = 2, k = 0; y <= H - 3; ++y, ++k) {
        const int m = Krok(k, 16);
        const QColor c(254 - m, 223 - 3 * m, 154 - 7 * m);
        Piksel(p, 1, y, c);
        Piksel(p, W - 2, y, c);
    }
    auto wewnetrzny = [](int m) { return QColor(252 - m, 210 - 4 * m, 121 - 8 * m); };
    for (int y = 3, k = 0; y <= H - 3; ++y, ++k) {
        const QColor c = wewnetrzny(Krok(k, 9));
        Piksel(p, 2, y, c);
        Piksel(p, W - 3, y, c);
    }
    Wiersz(p, H - 3, 3, W - 2, wewnetrzny(Krok(H - 5, 9)));
    Wiersz(p, H - 2, 2, W - 3, QColor(229, 151, 0));
}

void ButtonXP::DrawFocusFrame(QPainter &p) const
{
    Wiersz(p, 1, 2, W - 3, QColor(206, 231, 251));
    Wiersz(p, 2, 1, W - 2, QColor(188, 212, 246));
    auto boczny = [](int m) { return QColor(186 - 4 * m, 211 - 3 * m, 246 - m); };
    for (int y = 3, k = 0; y <= H - 4; ++y, ++k) {
        const QColor c = boczny(Krok(k, 19));
        PionowaKreska(p, 2, y, y + 1, 2, c);
        PionowaKreska(p, W - 2, y, y + 1, 2, c);
    }
    Wiersz(p, H - 3, 1, W - 3, boczny(Krok(H - 6, 19)));
    Piksel(p, 2, H - 2, QColor(77, 125, 193));
    Wiersz(p, H - 2, 3, W - 4, QColor(97, 125, 229));
    Piksel(p, W - 3, H - 2, QColor(77, 125, 193));
}

void ButtonXP::DrawPressedFace(QPainter &p) const
{
    Clear(p);
    for (int y = 3; y <= H - 2; y += 4) {
        const QColor c = y == 3 ? QColor(226, 225, 218) : QColor(225, 224, 217);
        PoziomaKreska(p, 0, W - 1, y, 4, c);
    }
    Wiersz(p, 1, 0, W - 2, QColor(209, 204, 192));
    Wiersz(p, 2, 0, W - 2, QColor(220, 216, 207));
    Wiersz(p, H - 3, 0, W - 2, QColor(234, 233, 227));
    Wiersz(p, H - 2, 0, W - 2, QColor(242, 241, 238));
}

void ButtonXP::DrawDisabled(QPainter &p) const
{
    Clear(p);
    Pas(p, QRect(0, 0, W, H), QColor(245, 244, 234));
    Obwodka(p, W, H, QColor(201, 199, 186));

    const QColor rog(216, 213, 199);
    for (const QPoint &pt : {QPoint(0, 1), QPoint(1, 1), QPoint(1, 0), QPoint(W - 2, 0),
                             QPoint(W - 2, 1), QPoint(W - 1, 1), QPoint(0, H - 2), QPoint(1, H - 2),
                             QPoint(1, H - 1), QPoint(W - 1, H - 2), QPoint(W - 2, H - 2),
                             QPoint(W - 2, H - 1)})
        Piksel(p, pt.x(), pt.y(), rog);

    const QColor przejscie(234, 233, 222);
    for (const QPoint &pt : {QPoint(1, 2), QPoint(2, 1), QPoint(W - 3, 1), QPoint(W - 2, 2),
                             QPoint(1, H - 3), QPoint(2, H - 2), QPoint(W - 2, H - 3),
                             QPoint(W - 3, H - 2)})
        Piksel(p, pt.x(), pt.y(), przejscie);
}

void ButtonXP::DrawBorder(QPainter &p) const
{
    Obwodka(p, W, H, QColor(0, 60, 116));

    const QColor zaokraglenie(122, 149, 168);
    for (const QPoint &pt : {QPoint(0, 1), QPoint(1, 0), QPoint(W - 2, 0), QPoint(W - 1, 1),
                             QPoint(0, H - 2), QPoint(1, H - 1), QPoint(W - 1, H - 2),
                             QPoint(W - 2, H - 1)})
        Piksel(p, pt.x(), pt.y(), zaokraglenie);

    const QColor wewnatrz(37, 87, 131);
    for (const QPoint &pt : {QPoint(1, 1), QPoint(W - 2, 1), QPoint(1, H - 2), QPoint(W - 2, H - 2)})
        Piksel(p, pt.x(), pt.y(), wewnatrz);
}

void ButtonXP::DrawCaption(QPainter &p) const
{
    QColor kolor(161, 161, 146);
    if (m_enabled)
        kolor = KodyXP::Kolor(Hovering ? m_foreHover : m_foreColor, palette());
    p.setPen(kolor);
    p.setFont(font());

    constexpr int flagi = Qt::TextWordWrap | Qt::AlignHCenter | Qt::AlignTop | Qt::TextShowMnemonic;
    const int h = p.boundingRect(QRect(0, 0, W, H), flagi, m_caption).height();
    const int gora = int(Liczby::Zaokraglij(H / 2.0 - h / 2.0));
    const int dol = int(Liczby::Zaokraglij(H / 2.0 + h / 2.0));
    p.drawText(QRect(0, gora, W, dol - gora), flagi, m_caption);
}

void ButtonXP::ApplyRegion()
{
    QRegion ksztalt(0, 0, W, H);
    for (const QPoint &rog : {QPoint(0, 0), QPoint(W - 1, 0), QPoint(0, H - 1), QPoint(W - 1, H - 1)})
        ksztalt -= QRegion(rog.x(), rog.y(), 1, 1);
    // Qt reads an empty mask as no mask at all; a region off the widget keeps
    // a button made only of corners invisible.
    if (ksztalt.isEmpty())
        ksztalt = QRegion(-1, -1, 1, 1);
    setMask(ksztalt);
}
