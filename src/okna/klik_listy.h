#pragma once

#include <QObject>

#include <functional>

class QListWidget;

// A list box's Click as the user makes it: every mouse click on an item, the
// item already selected included, and every change of the selection from the
// keyboard. A selection the program makes while the focus is elsewhere is no
// click, and neither is the focus arriving: Qt makes the first item current
// when a list without one gains the focus by Tab, and the user chose nothing.
class KlikListy : public QObject
{
public:
    KlikListy(QListWidget *lista, std::function<void()> klik);

protected:
    bool eventFilter(QObject *obiekt, QEvent *e) override;

private:
    bool maFokus() const;
    // The list's own focus handling, with the current item it had kept.
    void wejscieFokusu(QEvent *e);

    QListWidget *m_lista;
    std::function<void()> m_klik;
    // Between a press on an item and its release the selection follows the
    // mouse; the click is told once, at the release.
    bool m_wcisnieta = false;
    // Set while the list handles the arrival of the focus.
    bool m_fokusWchodzi = false;
};
