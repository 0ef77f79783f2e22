#include "okna/etykieta_skrocona.h"

#include "okna/wyglad.h"

#include <QPainter>
#include <QStyle>

QString EtykietaSkrocona::widocznyTekst() const
{
    const int miejsce = contentsRect().width() - 2 * margin() - qMax(indent(), 0);
    return fontMetrics().elidedText(text(), Qt::ElideRight, miejsce);
}

void EtykietaSkrocona::ustawRamke(const QColor &kolor)
{
    m_ramka = kolor;
    setContentsMargins(1, 1, 1, 1);
    wcieciePodpisu(this);
    update();
}

void EtykietaSkrocona::paintEvent(QPaintEvent *e)
{
    rysujTekst(e);
    if (m_ramka.isValid()) {
        QPainter p(this);
        p.setPen(m_ramka);
        p.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

void EtykietaSkrocona::rysujTekst(QPaintEvent *e)
{
    // The tooltip follows the text at every paint, whoever set the text.
    const QString widoczny = widocznyTekst();
    const bool skrocony = widoczny != text();
    setToolTip(skrocony ? text() : QString());
    if (!skrocony) {
        QLabel::paintEvent(e);
        return;
    }
    QFrame::paintEvent(e);
    QPainter p(this);
    const QRect r = contentsRect().adjusted(margin(), margin(), -margin(), -margin());
    style()->drawItemText(&p, r, QStyle::visualAlignment(layoutDirection(), alignment()), palette(), isEnabled(),
                          widoczny, foregroundRole());
}
