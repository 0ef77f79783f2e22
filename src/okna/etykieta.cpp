#include "okna/etykieta.h"

#include <QMouseEvent>

void Etykieta::mouseReleaseEvent(QMouseEvent *e)
{
    if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint()))
        emit Click();
    QLabel::mouseReleaseEvent(e);
}
