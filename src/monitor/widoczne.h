#pragma once

#include <QByteArrayView>
#include <QString>

// Control characters made visible: SOH, EOT, CR, LF by name, the other control
// characters (C0, DEL and C1, which is where the bytes Windows-1250 leaves
// undefined end up) as <0xNN>.
QString widoczne(const QString &tekst);

// Bytes of the line as the program reads them (Windows-1250), made visible.
QString widoczneBajty(QByteArrayView bajty);

// "01 32 3F 04"
QString szesnastkowo(QByteArrayView bajty);
