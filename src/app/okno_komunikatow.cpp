#include "app/okno_komunikatow.h"

#include <QApplication>
#include <QMessageBox>

void OknoKomunikatow::pokaz(Ikona ikona, const QString &tekst)
{
    QMessageBox okno(ikona == Ikona::Krytyczna ? QMessageBox::Critical : QMessageBox::Information,
                     QString(), tekst, QMessageBox::Ok, QApplication::activeWindow());
    okno.setObjectName(QStringLiteral("komunikat"));
    // An answer from the line is shown as it came, never read as markup.
    okno.setTextFormat(Qt::PlainText);
    okno.exec();
}
