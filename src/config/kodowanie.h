#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// Conversion between the program's Unicode texts and the Windows-1250 bytes of
// the INI files and the serial line. The table is our own so that the result
// does not depend on which ICU (if any) the Qt build carries.
namespace Kodowanie {

// Characters that Windows-1250 cannot hold become 0x1A (SUB).
QByteArray doAnsi(const QString &tekst);
QString zAnsi(QByteArrayView bajty);

} // namespace Kodowanie
