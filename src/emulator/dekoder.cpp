#include "emulator/dekoder.h"

namespace {

bool cyfra(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// The digits of the magnitude, read from the right. Where the magnitude has no
// more digits an "m" shows a space and a "0" shows a zero; the units digit is
// always written.
class Modul
{
public:
    bool dodaj(QChar wzor, QChar znak)
    {
        const bool pierwsza = m_pozycja == 0;
        ++m_pozycja;
        if (m_dopelnienie)
            return znak == (wzor == u'0' ? QChar(u'0') : QChar(u' '));
        if (wzor == u'm' && znak == u' ' && !pierwsza) {
            m_dopelnienie = true;
            return true;
        }
        if (!cyfra(znak))
            return false;
        const int c = znak.unicode() - u'0';
        if (m_pozycja > Dekoder::kNajwiecejCyfr)
            return c == 0;
        m_wartosc += c * m_waga;
        m_waga *= 10;
        return true;
    }

    qint64 wartosc() const { return m_wartosc; }

private:
    int m_pozycja = 0;
    bool m_dopelnienie = false;
    qint64 m_wartosc = 0;
    qint64 m_waga = 1;
};

} // namespace

namespace Dekoder {

std::optional<qint64> waga(const QString &ramka, const TypRamki &typ)
{
    const QString &wzor = typ.wzor;
    if (ramka.size() != wzor.size())
        return std::nullopt;

    Modul modul;
    QString znaki;
    qsizetype jednostka = typ.jednostka.size() - 1;
    for (qsizetype i = wzor.size() - 1; i >= 0; --i) {
        const QChar w = wzor.at(i);
        const QChar z = ramka.at(i);
        bool pasuje = true;
        switch (w.unicode()) {
        case u'z':
            znaki.append(z);
            break;
        case u'm':
        case u'0':
            pasuje = modul.dodaj(w, z);
            break;
        case u'k':
            pasuje = z == u'.';
            break;
        case u'j':
            pasuje = z == (jednostka >= 0 ? typ.jednostka.at(jednostka) : QChar(u' '));
            --jednostka;
            break;
        default:
            pasuje = z == u' ';
            break;
        }
        if (!pasuje)
            return std::nullopt;
    }

    const qint64 wartosc = modul.wartosc();
    if (znaki.isEmpty())
        return wartosc;
    const QChar znak = znaki.front();
    if (znaki.count(znak) != znaki.size())
        return std::nullopt;
    // A template with fewer digit positions than the weight has digits can show
    // a zero magnitude under a plus or minus sign.
    if (znak == typ.plus)
        return wartosc;
    if (znak == typ.minus)
        return -wartosc;
    if (znak == typ.zero && wartosc == 0)
        return 0;
    return std::nullopt;
}

} // namespace Dekoder
