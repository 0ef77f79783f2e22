#pragma once

#include <QObject>

class QWidget;

// The main window deaf to the user while the program waits for the converter.
// The wait blocks the event loop, so clicks and keys made meanwhile would run
// afterwards as exchanges of their own, on values the user never saw. While
// the lock is on they are dropped, and the pointer shows the wait cursor.
class BlokadaWejscia : public QObject
{
public:
    explicit BlokadaWejscia(QWidget *okno);

    void wlacz();
    // Drops what the user did during the wait, then listens again.
    void wylacz();

protected:
    bool eventFilter(QObject *obiekt, QEvent *e) override;

private:
    QWidget *m_okno;
    bool m_wlaczona = false;
};
