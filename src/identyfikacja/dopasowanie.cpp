#include "identyfikacja/dopasowanie.h"

#include "converter/katalog.h"

#include <algorithm>
#include <limits>

namespace {

bool znaczacy(QChar c)
{
    return c == u'z' || c == u'm' || c == u'0' || c == u'k' || c == u'j';
}

} // namespace

void Dopasowanie::wczytaj(const QString &plikKatalogu)
{
    Katalog katalog;
    katalog.wczytaj(plikKatalogu);
    m_typy.clear();
    m_stany.clear();
    for (const Wpis &w : std::as_const(katalog.TypyRamek)) {
        const bool byl = std::any_of(m_typy.cbegin(), m_typy.cend(),
                                     [&](const Typ &t) { return t.klucz == w.Klucz; });
        if (w.Klucz == Katalog::kWszystkie || byl)
            continue;
        Stan s;
        s.wartosci.WczytajTypRamki(plikKatalogu, w.Klucz);
        // Building once settles the template and unit the frames are built with.
        s.wartosci.BudujRamke(0);
        s.pokryte = QVector<bool>(s.wartosci.WzorRamki.size(), false);
        Typ t;
        t.klucz = w.Klucz;
        t.opis = w.Wartosc;
        t.wzor = s.wartosci.WzorRamki;
        t.znaczace = int(std::count_if(t.wzor.cbegin(), t.wzor.cend(), znaczacy));
        m_typy.append(t);
        m_stany.append(s);
    }
    wyczysc();
}

void Dopasowanie::wyczysc()
{
    for (int i = 0; i < m_typy.size(); ++i) {
        Typ &t = m_typy[i];
        t.pasuje = true;
        t.pierwszaNiepasujaca.clear();
        t.wagi.clear();
        t.pokryte = 0;
        m_stany[i].pokryte.fill(false);
    }
    m_ramek = 0;
    m_odrzuconych = 0;
}

std::optional<qint32> Dopasowanie::waga(Wartosci &wartosci, const QString &ramka)
{
    if (wartosci.WzorRamki.isEmpty() || wartosci.Jednostka.isEmpty())
        wartosci.BudujRamke(0);
    const QString &wzor = wartosci.WzorRamki;
    if (ramka.size() != wzor.size())
        return std::nullopt;
    qint64 wielkosc = 0;
    for (qsizetype i = 0; i < wzor.size(); ++i) {
        if (wzor.at(i) != u'm' && wzor.at(i) != u'0')
            continue;
        const QChar z = ramka.at(i);
        if (z >= u'0' && z <= u'9') {
            wielkosc = wielkosc * 10 + (z.unicode() - u'0');
            if (wielkosc > std::numeric_limits<qint32>::max())
                return std::nullopt;
        } else if (z != u' ') {
            return std::nullopt;
        }
    }
    const qint32 w = qint32(wielkosc);
    for (const qint32 kandydat : {w, qint32(-w)})
        if (wartosci.BudujRamke(kandydat) == ramka)
            return kandydat;
    return std::nullopt;
}

bool Dopasowanie::dodaj(const QString &ramka)
{
    ++m_ramek;
    QVector<std::optional<qint32>> wagi(m_typy.size());
    bool jakis = false;
    for (int i = 0; i < m_typy.size(); ++i) {
        wagi[i] = waga(m_stany[i].wartosci, ramka);
        jakis = jakis || wagi[i].has_value();
    }
    if (!jakis) {
        ++m_odrzuconych;
        return false;
    }
    for (int i = 0; i < m_typy.size(); ++i) {
        Typ &t = m_typy[i];
        if (wagi[i] && t.pasuje) {
            przyjmij(i, ramka, *wagi[i]);
        } else if (t.pasuje) {
            t.pasuje = false;
            t.pierwszaNiepasujaca = ramka;
        }
    }
    return true;
}

void Dopasowanie::przyjmij(int i, const QString &ramka, qint32 waga)
{
    Typ &t = m_typy[i];
    QVector<bool> &pokryte = m_stany[i].pokryte;
    for (qsizetype p = 0; p < ramka.size(); ++p) {
        if (!pokryte.at(p) && znaczacy(t.wzor.at(p)) && ramka.at(p) != u' ') {
            pokryte[p] = true;
            ++t.pokryte;
        }
    }
    if (t.wagi.isEmpty() || t.wagi.constLast() != waga)
        t.wagi.append(waga);
    if (t.wagi.size() > kOstatnichWag)
        t.wagi.removeFirst();
}

QVector<Dopasowanie::Typ> Dopasowanie::pasujace() const
{
    QVector<Typ> wynik;
    if (m_ramek == m_odrzuconych || zaDuzoOdrzuconych())
        return wynik;
    for (const Typ &t : m_typy)
        if (t.pasuje)
            wynik.append(t);
    // Filled share compared without dividing; a template without meaningful
    // places counts as empty.
    std::stable_sort(wynik.begin(), wynik.end(), [](const Typ &a, const Typ &b) {
        return qint64(a.pokryte) * std::max(b.znaczace, 1) > qint64(b.pokryte) * std::max(a.znaczace, 1);
    });
    return wynik;
}
