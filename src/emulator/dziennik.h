#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// The emulator's report on standard output, one line per event. Whoever reads
// it through a pipe sees each line the moment it happens.
namespace Dziennik {

void wypisz(QByteArrayView wiersz);

// "01 32 3F 04"
QByteArray szesnastkowo(QByteArrayView bajty);

// The text in double quotes, in UTF-8; a quote and a backslash are escaped with
// a backslash, control characters are written \xHH.
QByteArray wCudzyslowie(const QString &tekst);

} // namespace Dziennik
