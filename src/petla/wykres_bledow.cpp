#include "petla/wykres_bledow.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace WykresBledow {

void rysuj(QPainter &p, const QRectF &obszar, const PrzebiegKontroli &przebieg)
{
    const double tolerancja = przebieg.ustawienia.tolerancja;
    const QVector<PunktKontroli> &punkty = przebieg.punkty;
    // The vertical scale shows the band and every error, with room around them.
    double zasieg = tolerancja * 1.5;
    for (const PunktKontroli &k : punkty) {
        if (k.zmierzony)
            zasieg = std::max(zasieg, std::fabs(k.bladProcent()) * 1.15);
    }
    double odWagi = 0.0;
    double doWagi = 1.0;
    if (!punkty.isEmpty()) {
        const auto [a, b] = std::minmax_element(punkty.begin(), punkty.end(),
                                                [](const PunktKontroli &x, const PunktKontroli &y) { return x.waga < y.waga; });
        odWagi = a->waga;
        doWagi = b->waga > a->waga ? b->waga : a->waga + 1.0;
    }

    const QFontMetricsF miara = p.fontMetrics();
    const double lewy = miara.horizontalAdvance(QStringLiteral("-0.000 %")) + miara.height() * 0.5;
    const QRectF pole = obszar.adjusted(lewy, miara.height() * 0.5, -miara.height() * 0.5, -miara.height() * 1.5);
    const auto x = [&](double waga) { return pole.left() + (waga - odWagi) / (doWagi - odWagi) * pole.width(); };
    const auto y = [&](double proc) { return pole.center().y() - proc / zasieg * pole.height() / 2.0; };

    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.fillRect(QRectF(QPointF(pole.left(), y(tolerancja)), QPointF(pole.right(), y(-tolerancja))), QColor(200, 235, 200));
    p.setPen(QPen(Qt::gray, 0));
    p.drawRect(pole);
    p.drawLine(QPointF(pole.left(), y(0)), QPointF(pole.right(), y(0)));
    p.setPen(Qt::black);
    for (double proc : {tolerancja, 0.0, -tolerancja}) {
        const QString t = QString::number(proc, 'f', 3) + QStringLiteral(" %");
        p.drawText(QRectF(obszar.left(), y(proc) - miara.height() / 2, lewy - miara.height() * 0.25, miara.height()),
                   Qt::AlignRight | Qt::AlignVCenter, t);
    }
    for (double waga : {odWagi, doWagi}) {
        p.drawText(QRectF(x(waga) - lewy, pole.bottom(), 2 * lewy, miara.height() * 1.5), Qt::AlignCenter,
                   QString::number(qint64(waga)));
    }

    QPainterPath linia;
    const double r = std::max(2.0, miara.height() * 0.22);
    for (const PunktKontroli &k : punkty) {
        if (!k.zmierzony)
            continue;
        const QPointF pt(x(k.waga), y(k.bladProcent()));
        if (linia.elementCount() == 0)
            linia.moveTo(pt);
        else
            linia.lineTo(pt);
    }
    p.setPen(QPen(QColor(60, 60, 160), r * 0.4));
    p.drawPath(linia);
    for (const PunktKontroli &k : punkty) {
        if (!k.zmierzony)
            continue;
        const bool dobry = k.zgodny(tolerancja);
        p.setPen(Qt::NoPen);
        p.setBrush(dobry ? QColor(0, 130, 0) : QColor(200, 0, 0));
        p.drawEllipse(QPointF(x(k.waga), y(k.bladProcent())), r, r);
    }
    p.restore();
}

} // namespace WykresBledow
