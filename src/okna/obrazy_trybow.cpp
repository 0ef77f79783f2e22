#include "okna/obrazy_trybow.h"

#include <QPainter>
#include <QPainterPath>

namespace {

constexpr qreal kWysokosc = 224;

void strzalka(QPainter &p, QPointF czubek, QPointF kierunek)
{
    const QPointF bok(-kierunek.y(), kierunek.x());
    QPainterPath grot;
    grot.moveTo(czubek);
    grot.lineTo(czubek - kierunek * 9 + bok * 4);
    grot.lineTo(czubek - kierunek * 9 - bok * 4);
    grot.closeSubpath();
    p.fillPath(grot, p.pen().color());
}

// The current (mA) at a weight between -1 and +1 of the maximum.
qreal prad(int numer, qreal w)
{
    switch (numer) {
    case 2: return 4 + 16 * qAbs(w);
    case 3: return w <= 0 ? 4 : 4 + 16 * w;
    default: return 12 + 8 * w;
    }
}

} // namespace

namespace ImageList1 {

QSize rozmiar(int numer)
{
    return QSize(numer == 1 ? 447 : 393, int(kWysokosc));
}

void rysuj(QPainter &p, const QRectF &obszar, int numer)
{
    const QSize projekt = rozmiar(numer);
    p.save();
    p.translate(obszar.topLeft());
    p.scale(obszar.width() / projekt.width(), obszar.height() / projekt.height());
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(QRectF(QPointF(0, 0), QSizeF(projekt)), Qt::white);

    const qreal szer = projekt.width();
    const qreal osX = kWysokosc - 34;      // the weight axis, 0 mA
    const qreal x0 = szer / 2;             // weight 0
    const qreal polowa = szer / 2 - 48;    // from 0 to max
    const qreal na_mA = (osX - 36) / 20.0;
    auto punkt = [&](qreal w, qreal mA) { return QPointF(x0 + w * polowa, osX - mA * na_mA); };

    QFont czcionka(QStringLiteral("Sans Serif"));
    czcionka.setPixelSize(12);
    p.setFont(czcionka);

    QPen kropki(QColor(120, 120, 120), 1, Qt::DotLine);
    p.setPen(kropki);
    for (const int mA : {4, 12, 20})
        p.drawLine(punkt(-1, mA), punkt(1, mA));
    p.drawLine(punkt(-1, 0), punkt(-1, 20));
    p.drawLine(punkt(1, 0), punkt(1, 20));

    const QPen osie(Qt::black, 1.5);
    p.setPen(osie);
    p.drawLine(QPointF(12, osX), QPointF(szer - 12, osX));
    strzalka(p, QPointF(szer - 12, osX), QPointF(1, 0));
    strzalka(p, QPointF(12, osX), QPointF(-1, 0));
    p.drawLine(QPointF(x0, osX), QPointF(x0, 10));
    strzalka(p, QPointF(x0, 10), QPointF(0, -1));

    p.setPen(Qt::black);
    p.drawText(QRectF(x0 + 8, 2, 80, 16), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("I [mA]"));
    // Below each guide, right of the axis: no characteristic ever passes there.
    for (const int mA : {4, 12, 20})
        p.drawText(QRectF(x0 + 5, punkt(0, mA).y() + 1, 30, 14), Qt::AlignLeft | Qt::AlignTop,
                   QString::number(mA));
    const qreal podpisy = osX + 6;
    p.drawText(QRectF(punkt(-1, 0).x() - 30, podpisy, 60, 16), Qt::AlignCenter, QStringLiteral("−max"));
    p.drawText(QRectF(x0 - 30, podpisy, 60, 16), Qt::AlignCenter, QStringLiteral("0"));
    p.drawText(QRectF(punkt(1, 0).x() - 30, podpisy, 60, 16), Qt::AlignCenter, QStringLiteral("+max"));

    QPen charakterystyka(QColor(0, 160, 0), 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(charakterystyka);
    p.drawPolyline(QPolygonF({punkt(-1, prad(numer, -1)), punkt(0, prad(numer, 0)), punkt(1, prad(numer, 1))}));
    p.restore();
}

QImage ListImage(int numer, qreal skala)
{
    const QSize r = rozmiar(numer);
    QImage obraz(r * skala, QImage::Format_RGB32);
    obraz.setDevicePixelRatio(skala);
    QPainter p(&obraz);
    rysuj(p, QRectF(QPointF(0, 0), QSizeF(r)), numer);
    return obraz;
}

} // namespace ImageList1

void ObrazTrybu::setPicture(int numer)
{
    m_numer = numer;
    update();
}

void ObrazTrybu::paintEvent(QPaintEvent *)
{
    if (m_numer < 1 || m_numer > ImageList1::kLiczbaObrazow)
        return;
    QPainter p(this);
    ImageList1::rysuj(p, QRectF(rect()), m_numer);
}
