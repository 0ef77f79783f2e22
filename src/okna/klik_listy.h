#pragma once

#include <QObject>

#include <functional>

class QListWidget;

// A list box's Click as the user makes it: every mouse click on an item, the
// item already selected included, and every change of the selection from the
// keyboard. A selection the program makes while the focus is elsewhere is no
// click.
class KlikListy : public QObject
{
public:
    KlikListy(QListWidget *lista, std::function<void()> klik);

protected:
    bool eventFilter(QObject *obiekt, QEvent *e) override;

private:
    bool maFokus() const;

    QListWidget *m_lista;
    std::function<void()> m_klik;
    // Between a press on an item and its release the selection follows the
    // mouse; the click is told once, at the release.
    bool m_wcisnieta = false;
};
