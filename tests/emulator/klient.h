#pragma once

#include <QByteArray>
#include <QList>
#include <QSerialPort>
#include <QString>

#include <memory>

// The program's side of the line, as plainly as a test can have it: a
// QSerialPort opened by path, its line settings made before opening.
namespace Klient {

// Time the line must stay quiet after an EOT before the answer counts as
// complete, so that bytes sent after the EOT are caught too.
inline constexpr int kCiszaPoEot = 100;

struct Odbior
{
    QByteArray bajty;
    // Milliseconds after the write at which each read brought bytes.
    QList<qint64> chwile;
};

// An open port, or nothing (with the failure reported to the test log).
std::unique_ptr<QSerialPort> otworz(const QString &urzadzenie);

// Writes `polecenie`, then collects until an EOT has come and the line has
// been quiet for kCiszaPoEot, or until `czasMs` has passed.
Odbior wymiana(QSerialPort &port, const QByteArray &polecenie, int czasMs = 2000);
// The same on a port opened for this one exchange and closed after it.
Odbior wymiana(const QString &urzadzenie, const QByteArray &polecenie, int czasMs = 2000);

// Everything that arrives within `czasMs`.
Odbior zbieraj(QSerialPort &port, int czasMs);

// SOH, the text, EOT.
QByteArray ramka(const QByteArray &tresc);

} // namespace Klient
