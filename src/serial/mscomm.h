#pragma once

#include "monitor/podsluch.h"
#include "serial/mapa_portow.h"

#include <QByteArray>
#include <QObject>
#include <QSerialPort>

// The program's one serial port object. It keeps the small set of members the
// rest of the program relies on: the port number, the line settings text, the
// open state, queued output and non-blocking input. The port number and the
// line settings are only stored until the port opens, because a pseudo-terminal
// refuses some settings (7 data bits, a second parity change) once it is open.
class MSComm : public QObject
{
    Q_OBJECT

public:
    // Why opening failed.
    enum Blad {
        BrakBledu = 0,
        BrakPortu = 8002,     // the device does not exist
        PortZajety = 8005,    // another program holds the device
        BrakUprawnien = -2,   // the user may not open the device
        InnyBlad = -1,        // anything else: opisBledu() says what
    };

    explicit MSComm(MapaPortow mapa = MapaPortow(), QObject *parent = nullptr);
    ~MSComm() override;

    int CommPort() const { return m_commPort; }
    // Refused (false, the previous number kept) while the port is open and for
    // numbers below 1.
    bool setCommPort(int numer);

    QString Settings() const;
    // "9600,N,8,1": a standard speed (110 to 256000), parity N/O/E/M/S, data
    // bits 5-8, stop bits 1, 1.5 or 2. Anything else is refused and the
    // previous settings are kept.
    bool setSettings(const QString &tekst);

    bool PortOpen() const { return m_port.isOpen(); }
    // Opening reports why it failed; closing always succeeds.
    Blad setPortOpen(bool otworz);
    // The system's own words for the last failure to open.
    QString opisBledu() const { return m_opisBledu; }
    QString urzadzenie() const { return m_mapa.urzadzenie(m_commPort); }

    // Queues the bytes and returns at once; false when the port is not open.
    bool Output(const QByteArray &bajty);
    // Bytes queued and not yet on the line.
    qint64 doWyslania() const { return m_port.isOpen() ? m_port.bytesToWrite() : 0; }
    // Blocks until the queued bytes have left or `ms` has passed.
    bool doczekajWyslania(int ms);
    // Everything received and not read yet; never blocks.
    QByteArray Input();
    // Sleeps until bytes are waiting or `ms` has passed; false at once when the
    // port is closed.
    bool czekajNaDane(int ms);

    // Whoever watches the traffic, or nullptr. Every byte written and read and
    // every opening, closing and failure reaches it with its time.
    void ustawPodsluch(Podsluch *p) { m_podsluch = p; }
    Podsluch *podsluch() const { return m_podsluch; }

signals:
    // The device went away (adapter pulled, the other end closed) and the port
    // closed itself. Delivered from the event loop, never from inside a call.
    void liniaUtracona();

private:
    void bladPortu(QSerialPort::SerialPortError blad);
    void zglos(ZdarzenieLinii::Rodzaj r, const QByteArray &bajty = {}, const QString &tekst = {});

    struct Linia
    {
        qint32 predkosc = 9600;
        QSerialPort::Parity parzystosc = QSerialPort::NoParity;
        QSerialPort::DataBits bityDanych = QSerialPort::Data8;
        QSerialPort::StopBits bityStopu = QSerialPort::OneStop;
        QString tekst = QStringLiteral("9600,N,8,1");
    };

    QSerialPort m_port;
    MapaPortow m_mapa;
    int m_commPort = 1;
    Linia m_linia;
    QString m_opisBledu;
    Podsluch *m_podsluch = nullptr;
};
