#pragma once

#include <QByteArray>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QList>
#include <QSerialPort>
#include <QtDebug>

#include <algorithm>
#include <memory>

// The program's side of the line, as plainly as a test can have it: a
// QSerialPort opened by path, its line settings made before opening.
namespace Klient {

struct Odbior
{
    QByteArray bajty;
    // Milliseconds after the write at which each read brought bytes.
    QList<qint64> chwile;
};

// SOH, the text, EOT.
inline QByteArray ramka(const QByteArray &tresc)
{
    return '\x01' + tresc + '\x04';
}

// An open port, or nothing (with the failure reported to the test log).
inline std::unique_ptr<QSerialPort> otworz(const QString &urzadzenie)
{
    auto port = std::make_unique<QSerialPort>();
    port->setPortName(urzadzenie);
    port->setBaudRate(QSerialPort::Baud9600);
    port->setDataBits(QSerialPort::Data8);
    port->setParity(QSerialPort::NoParity);
    port->setStopBits(QSerialPort::OneStop);
    if (port->open(QIODevice::ReadWrite))
        return port;
    qWarning() << "cannot open" << urzadzenie << port->error() << port->errorString();
    return nullptr;
}

// Writes `polecenie`, then collects until an EOT has come and the line has
// stayed quiet for 100 ms (so that bytes after the EOT are caught too), or
// until `czasMs` has passed. An empty `polecenie` only collects, for `czasMs`.
inline Odbior wymiana(QSerialPort &port, const QByteArray &polecenie, int czasMs = 2000)
{
    QElapsedTimer zegar;
    zegar.start();
    port.write(polecenie);
    port.waitForBytesWritten(czasMs);
    Odbior o;
    const QDeadlineTimer termin(czasMs);
    for (;;) {
        // Bytes can come in while the write is being waited for.
        if (port.bytesAvailable() > 0) {
            o.bajty += port.readAll();
            o.chwile.append(zegar.elapsed());
            continue;
        }
        const bool eot = !polecenie.isEmpty() && o.bajty.contains('\x04');
        const int czekaj = static_cast<int>(termin.remainingTime());
        if (termin.hasExpired() || (!port.waitForReadyRead(eot ? std::min(czekaj, 100) : czekaj)
                                    && (eot || port.error() == QSerialPort::ReadError)))
            return o;
    }
}

// The same on a port opened for this one exchange and closed after it.
inline Odbior wymiana(const QString &urzadzenie, const QByteArray &polecenie, int czasMs = 2000)
{
    const auto port = otworz(urzadzenie);
    return port ? wymiana(*port, polecenie, czasMs) : Odbior{};
}

} // namespace Klient
