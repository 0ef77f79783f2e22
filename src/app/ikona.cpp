#include "app/ikona.h"

#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

constexpr int kRozmiar = 32;

// Drawn on a 64-unit square, scaled to the size asked for.
QPixmap obraz(int rozmiar)
{
    QPixmap p(rozmiar, rozmiar);
    p.fill(Qt::transparent);
    QPainter r(&p);
    r.setRenderHint(QPainter::Antialiasing);
    r.scale(rozmiar / 64.0, rozmiar / 64.0);
    r.setPen(Qt::NoPen);

    const QColor tlo(0x1d, 0x4f, 0x7a), petla(0xf5, 0xa6, 0x23), jasny(0xe8, 0xee, 0xf3);
    r.setBrush(tlo);
    r.drawRoundedRect(QRectF(2, 2, 60, 60), 11, 11);

    QPainterPath luk;
    luk.moveTo(14, 33);
    luk.lineTo(14, 16);
    luk.arcTo(QRectF(14, 10, 12, 12), 180, -90);
    luk.lineTo(44, 10);
    luk.arcTo(QRectF(38, 10, 12, 12), 90, -90);
    luk.lineTo(50, 33);
    r.strokePath(luk, QPen(petla, 4, Qt::SolidLine, Qt::RoundCap));
    r.setBrush(petla);
    r.drawPolygon(QPolygonF({QPointF(27, 4.5), QPointF(36, 10), QPointF(27, 15.5)}));
    r.drawRoundedRect(QRectF(10, 30, 8, 7), 1.5, 1.5);
    r.drawRoundedRect(QRectF(46, 30, 8, 7), 1.5, 1.5);

    r.setPen(QPen(jasny, 1.5));
    r.setBrush(QColor(0x0d, 0x2a, 0x40));
    r.drawRoundedRect(QRectF(23, 19, 18, 13), 2, 2);
    r.setPen(Qt::NoPen);
    r.setBrush(QColor(0x7f, 0xd3, 0x6b));
    r.drawRect(QRectF(26, 26, 3, 3));
    r.drawRect(QRectF(30.5, 23.5, 3, 5.5));
    r.drawRect(QRectF(35, 21.5, 3, 7.5));

    r.setBrush(jasny);
    r.drawRect(QRectF(29, 32, 6, 8));
    r.drawRoundedRect(QRectF(7, 40, 50, 7), 2.5, 2.5);
    r.setBrush(QColor(0xb9, 0xc7, 0xd3));
    r.drawRoundedRect(QRectF(11, 47, 5, 9), 1, 1);
    r.drawRoundedRect(QRectF(48, 47, 5, 9), 1, 1);
    return p;
}

// The picture is drawn when something first shows it, not when the window is
// built: with no window manager to show it, it is never drawn at all.
class SilnikIkony : public QIconEngine
{
public:
    QIconEngine *clone() const override { return new SilnikIkony(*this); }

    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override { return {QSize(kRozmiar, kRozmiar)}; }

    // One 32 x 32 picture; a smaller size is scaled from it, a larger one gets
    // it as it is.
    QPixmap pixmap(const QSize &rozmiar, QIcon::Mode, QIcon::State) override
    {
        if (m_obraz.isNull())
            m_obraz = obraz(kRozmiar);
        const QSize cel = m_obraz.size().boundedTo(rozmiar);
        return cel == m_obraz.size() ? m_obraz : m_obraz.scaled(cel, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    }

    void paint(QPainter *painter, const QRect &prostokat, QIcon::Mode tryb, QIcon::State stan) override
    {
        painter->drawPixmap(prostokat, pixmap(prostokat.size(), tryb, stan));
    }

private:
    QPixmap m_obraz;
};

} // namespace

QIcon ikonaProgramu()
{
    return QIcon(new SilnikIkony);
}
