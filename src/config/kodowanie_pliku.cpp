#include "config/kodowanie_pliku.h"

#include "config/kodowanie.h"

namespace {

// Whether the bytes are well-formed UTF-8 holding at least one multi-byte
// sequence. Stops at the first fault, which in a Windows-1250 file is mostly
// its first Polish letter, so that telling the encoding costs next to nothing.
bool utf8ZWielobajtowymi(QByteArrayView dane)
{
    bool wielobajtowe = false;
    const qsizetype n = dane.size();
    for (qsizetype i = 0; i < n;) {
        const auto b = uchar(dane[i]);
        if (b < 0x80) {
            ++i;
            continue;
        }
        // The length of the sequence and the range of its second byte, which
        // shuts out overlong forms, surrogates and code points past U+10FFFF.
        int dlugosc = 0;
        uchar od = 0x80;
        uchar doBajtu = 0xBF;
        if (b >= 0xC2 && b <= 0xDF) {
            dlugosc = 2;
        } else if (b >= 0xE0 && b <= 0xEF) {
            dlugosc = 3;
            od = b == 0xE0 ? 0xA0 : 0x80;
            doBajtu = b == 0xED ? 0x9F : 0xBF;
        } else if (b >= 0xF0 && b <= 0xF4) {
            dlugosc = 4;
            od = b == 0xF0 ? 0x90 : 0x80;
            doBajtu = b == 0xF4 ? 0x8F : 0xBF;
        } else {
            return false;
        }
        if (i + dlugosc > n)
            return false;
        const auto drugi = uchar(dane[i + 1]);
        if (drugi < od || drugi > doBajtu)
            return false;
        for (int j = 2; j < dlugosc; ++j)
            if ((uchar(dane[i + j]) & 0xC0) != 0x80)
                return false;
        wielobajtowe = true;
        i += dlugosc;
    }
    return wielobajtowe;
}

} // namespace

KodowaniePliku KodowaniePliku::rozpoznaj(QByteArrayView dane)
{
    return KodowaniePliku(dane.startsWith("\xEF\xBB\xBF") || utf8ZWielobajtowymi(dane));
}

QString KodowaniePliku::tekst(QByteArrayView bajty) const
{
    return m_utf8 ? QString::fromUtf8(bajty) : Kodowanie::zAnsi(bajty);
}

QByteArray KodowaniePliku::bajty(const QString &tekst) const
{
    return m_utf8 ? tekst.toUtf8() : Kodowanie::doAnsi(tekst);
}
