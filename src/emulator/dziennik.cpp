#include "emulator/dziennik.h"

#include <cstdio>

namespace Dziennik {

void wypisz(QByteArrayView wiersz)
{
    std::fwrite(wiersz.data(), 1, static_cast<size_t>(wiersz.size()), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

QByteArray szesnastkowo(QByteArrayView bajty)
{
    return bajty.toByteArray().toHex(' ').toUpper();
}

QByteArray wCudzyslowie(const QString &tekst)
{
    QByteArray wynik("\"");
    for (const QChar c : tekst) {
        const char16_t u = c.unicode();
        if (u == u'"' || u == u'\\')
            wynik.append('\\').append(static_cast<char>(u));
        else if (u < 0x20 || u == 0x7F)
            wynik.append("\\x").append(QByteArray::number(u, 16).rightJustified(2, '0').toUpper());
        else
            wynik.append(QString(c).toUtf8());
    }
    return wynik.append('"');
}

} // namespace Dziennik
