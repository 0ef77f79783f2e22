#include "config/kodowanie_pliku.h"

#include "config/kodowanie.h"

#include <QStringDecoder>

#include <algorithm>

KodowaniePliku KodowaniePliku::rozpoznaj(QByteArrayView dane)
{
    if (dane.startsWith("\xEF\xBB\xBF"))
        return KodowaniePliku(true);
    const bool tylkoAscii = std::all_of(dane.begin(), dane.end(), [](char c) { return uchar(c) < 0x80; });
    if (tylkoAscii)
        return KodowaniePliku(false);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    // The decoding runs when its result is taken.
    const QString tekst = utf8.decode(dane);
    return KodowaniePliku(!utf8.hasError());
}

QString KodowaniePliku::tekst(QByteArrayView bajty) const
{
    return m_utf8 ? QString::fromUtf8(bajty) : Kodowanie::zAnsi(bajty);
}

QByteArray KodowaniePliku::bajty(const QString &tekst) const
{
    return m_utf8 ? tekst.toUtf8() : Kodowanie::doAnsi(tekst);
}
