#include "app/rozmieszczenie.h"

#include <QWidget>

void UstawKontener(QWidget *Kontrolka, QWidget *Kontener)
{
    // A widget given a new parent turns invisible; one that was not hidden on
    // purpose shows again in its new container.
    const bool ukryta = Kontrolka->isHidden() && Kontrolka->testAttribute(Qt::WA_WState_ExplicitShowHide);
    const QPoint pozycja = Kontrolka->pos();
    Kontrolka->setParent(Kontener);
    Kontrolka->move(pozycja);
    if (!ukryta)
        Kontrolka->show();
}

void UmiescPrzy(QWidget *Kontrolka, const QWidget *Wzorzec, Tryb tryb)
{
    const int top = tryb == Tryb::Ponizej ? Wzorzec->y() + Wzorzec->height()
                                          : Wzorzec->y() - Kontrolka->height();
    Kontrolka->move(Wzorzec->x(), top);
    Kontrolka->setFocus();
}
