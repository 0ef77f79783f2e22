#include "okna/wyglad.h"

#include <QWidget>

void ustawKolory(QWidget *w, const QColor &tekst, const QColor &tlo)
{
    QPalette p = w->palette();
    p.setColor(QPalette::WindowText, tekst);
    if (tlo.isValid()) {
        p.setColor(QPalette::Window, tlo);
        w->setAutoFillBackground(true);
    }
    w->setPalette(p);
}

void pogrub(QWidget *w, int punkty)
{
    QFont f = w->font();
    f.setBold(true);
    if (punkty > 0)
        f.setPointSize(punkty);
    w->setFont(f);
}
