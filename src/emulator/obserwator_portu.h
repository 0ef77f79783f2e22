#pragma once

#include <QObject>
#include <QString>

class QSocketNotifier;

// Whether a client has the port open, told by the open and close events of the
// slave device. A real port that is closed takes in nothing: what the
// converter sends then is lost, and what the client left unread goes with the
// closing. Our own slave descriptor was opened before the watch and is not
// counted.
class ObserwatorPortu : public QObject
{
    Q_OBJECT

public:
    ObserwatorPortu(const QString &slave, int slaveFd, QObject *parent = nullptr);
    ~ObserwatorPortu() override;

    // False with the reason in `blad` when the device cannot be watched.
    bool uruchom(QString &blad);
    // Takes in the events that have happened so far first, so that a command
    // from a client that has just opened the port is never answered into the
    // void.
    bool otwarty();

signals:
    void otwarto();
    void zamknieto();

private:
    void czytaj();

    QString m_slave;
    int m_slaveFd;
    int m_fd = -1;
    int m_otwarc = 0;
    QSocketNotifier *m_powiadamiacz = nullptr;
};
