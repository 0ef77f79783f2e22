#include "okna/wyglad.h"

#include <QLabel>

void ustawKolory(QWidget *w, const QColor &tekst, const QColor &tlo)
{
    QPalette p = w->palette();
    p.setColor(QPalette::WindowText, tekst);
    w->setPalette(p);
    if (tlo.isValid())
        ustawTlo(w, tlo);
}

void ustawTlo(QWidget *w, const QColor &tlo)
{
    QPalette p = w->palette();
    p.setColor(QPalette::Window, tlo);
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

void pogrub(QWidget *w, int punkty)
{
    QFont f = w->font();
    f.setBold(true);
    if (punkty > 0)
        f.setPointSize(punkty);
    w->setFont(f);
}

void wcieciePodpisu(QLabel *l)
{
    l->setIndent(l->fontMetrics().horizontalAdvance(QLatin1Char('x')) / 2);
}
