#include "controls/buttonxp.h"

#include <QMouseEvent>
#include <QPainter>

ButtonXP::ButtonXP(QWidget *parent) : QWidget(parent)
{
    setFocusPolicy(Qt::StrongFocus);
}

void ButtonXP::setCaption(const QString &caption)
{
    m_caption = caption;
    update();
}

void ButtonXP::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), palette().button());
    p.setPen(QColor(0, 60, 116));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    p.setPen(palette().buttonText().color());
    p.drawText(rect(), Qt::AlignCenter | Qt::TextWordWrap | Qt::TextShowMnemonic, m_caption);
}

void ButtonXP::mouseReleaseEvent(QMouseEvent *e)
{
    if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint()))
        emit Click();
}
