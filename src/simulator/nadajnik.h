#pragma once

#include <QObject>
#include <QTimer>

#include <chrono>

class MSComm;
class Wartosci;

// Continuous sending: every 50 ms the frame built last goes to the port with CR
// LF, in one write. The window and the command-line tool share it. When the
// line dies the sending stops by itself and says so once.
class Nadajnik : public QObject
{
    Q_OBJECT

public:
    static constexpr std::chrono::milliseconds kOkres{50};

    Nadajnik(MSComm &port, const Wartosci &wartosci, QObject *parent = nullptr);

    // The sending timer; a coarse timer would drift by several per cent.
    QTimer &Timer3() { return m_timer; }

    void wlacz();
    void wylacz();
    bool wlaczony() const { return m_timer.isActive(); }
    qint64 wyslane() const { return m_wyslane; }

signals:
    // Sending stopped because the port went away or a write failed.
    void przerwano();

private:
    void Timer3_Timer();
    void przerwij();

    MSComm &m_port;
    const Wartosci &m_wartosci;
    QTimer m_timer;
    qint64 m_wyslane = 0;
};
