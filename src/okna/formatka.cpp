#include "okna/formatka.h"

namespace {
const char *const kTag = "Tag";
}

Formatka::Formatka(const QString &nazwa, const QString &tag, QWidget *parent, Qt::WindowFlags flagi)
    : QWidget(parent, flagi)
{
    setObjectName(nazwa);
    setProperty(kTag, tag);
}

QString Formatka::Tag() const
{
    return tagKontrolki(this);
}

void Formatka::zarejestruj(QWidget *w, const QString &nazwa, const QString &tag)
{
    w->setObjectName(nazwa);
    if (!tag.isEmpty())
        w->setProperty(kTag, tag);
    m_kontrolki.append(w);
}

QString tagKontrolki(const QObject *kontrolka)
{
    return kontrolka->property(kTag).toString();
}
