#include "monitor/widoczne.h"

#include "config/kodowanie.h"

QString widoczne(const QString &tekst)
{
    QString wynik;
    wynik.reserve(tekst.size());
    for (const QChar c : tekst) {
        const char16_t u = c.unicode();
        switch (u) {
        case 0x01: wynik += QStringLiteral("<SOH>"); break;
        case 0x04: wynik += QStringLiteral("<EOT>"); break;
        case 0x0D: wynik += QStringLiteral("<CR>"); break;
        case 0x0A: wynik += QStringLiteral("<LF>"); break;
        default:
            if (u < 0x20 || (u >= 0x7F && u < 0xA0))
                wynik += QStringLiteral("<0x%1>").arg(QString::number(u, 16).toUpper().rightJustified(2, QLatin1Char('0')));
            else
                wynik += c;
        }
    }
    return wynik;
}

QString widoczneBajty(QByteArrayView bajty)
{
    return widoczne(Kodowanie::zAnsi(bajty));
}

QString szesnastkowo(QByteArrayView bajty)
{
    return QString::fromLatin1(bajty.toByteArray().toHex(' ').toUpper());
}
