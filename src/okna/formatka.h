#pragma once

#include <QList>
#include <QPointer>
#include <QWidget>

// A window that knows its controls in the order they were created and the Tag
// of each: the Tag is the control's key in the language file, the window's own
// Tag names the section.
class Formatka : public QWidget
{
    Q_OBJECT

public:
    explicit Formatka(const QString &nazwa, const QString &tag, QWidget *parent = nullptr,
                      Qt::WindowFlags flagi = {});

    QString Tag() const;
    const QList<QPointer<QWidget>> &Controls() const { return m_kontrolki; }

    // Creates a control of the window inside `rodzic` (a panel or the window).
    template<class T, class... Argumenty>
    T *dodaj(QWidget *rodzic, const QString &nazwa, const QString &tag = QString(),
             Argumenty &&...argumenty)
    {
        T *w = new T(std::forward<Argumenty>(argumenty)..., rodzic);
        zarejestruj(w, nazwa, tag);
        return w;
    }

    void zarejestruj(QWidget *w, const QString &nazwa, const QString &tag = QString());

private:
    QList<QPointer<QWidget>> m_kontrolki;
};

// The Tag a control carries ("" when it has none).
QString tagKontrolki(const QObject *kontrolka);
