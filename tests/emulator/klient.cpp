#include "klient.h"

#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QtDebug>

#include <algorithm>

namespace {

// Reads until `koniec` says the answer is complete or the deadline passes.
template <typename Koniec>
Klient::Odbior odbieraj(QSerialPort &port, const QElapsedTimer &zegar, int czasMs, Koniec koniec)
{
    Klient::Odbior o;
    const QDeadlineTimer termin(czasMs);
    for (;;) {
        // Bytes can come in while the write is being waited for.
        if (port.bytesAvailable() > 0) {
            o.bajty += port.readAll();
            o.chwile.append(zegar.elapsed());
            continue;
        }
        if (termin.hasExpired())
            break;
        int czekaj = static_cast<int>(termin.remainingTime());
        if (o.bajty.contains('\x04'))
            czekaj = std::min(czekaj, Klient::kCiszaPoEot);
        if (!port.waitForReadyRead(czekaj) && (koniec(o) || port.error() == QSerialPort::ReadError))
            break;
    }
    return o;
}

} // namespace

namespace Klient {

std::unique_ptr<QSerialPort> otworz(const QString &urzadzenie)
{
    auto port = std::make_unique<QSerialPort>();
    port->setPortName(urzadzenie);
    port->setBaudRate(QSerialPort::Baud9600);
    port->setDataBits(QSerialPort::Data8);
    port->setParity(QSerialPort::NoParity);
    port->setStopBits(QSerialPort::OneStop);
    port->setFlowControl(QSerialPort::NoFlowControl);
    if (!port->open(QIODevice::ReadWrite)) {
        qWarning() << "cannot open" << urzadzenie << port->error() << port->errorString();
        return nullptr;
    }
    return port;
}

Odbior wymiana(QSerialPort &port, const QByteArray &polecenie, int czasMs)
{
    QElapsedTimer zegar;
    zegar.start();
    port.write(polecenie);
    port.waitForBytesWritten(czasMs);
    return odbieraj(port, zegar, czasMs,
                    [](const Odbior &o) { return o.bajty.contains('\x04'); });
}

Odbior wymiana(const QString &urzadzenie, const QByteArray &polecenie, int czasMs)
{
    const auto port = otworz(urzadzenie);
    if (!port)
        return {};
    return wymiana(*port, polecenie, czasMs);
}

Odbior zbieraj(QSerialPort &port, int czasMs)
{
    QElapsedTimer zegar;
    zegar.start();
    return odbieraj(port, zegar, czasMs, [](const Odbior &) { return false; });
}

QByteArray ramka(const QByteArray &tresc)
{
    return '\x01' + tresc + '\x04';
}

} // namespace Klient
