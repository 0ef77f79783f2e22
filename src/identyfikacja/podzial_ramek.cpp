#include "identyfikacja/podzial_ramek.h"

#include <algorithm>

QVector<PodzialRamek::Ramka> PodzialRamek::dodaj(QByteArrayView bajty, qint64 czasMs)
{
    QVector<Ramka> ramki;
    if (bajty.isEmpty())
        return ramki;
    m_bajtow += bajty.size();
    m_ostatni = czasMs;
    // A line end that continues into a later read still ends the same frame.
    bool koniecTejRamki = false;
    for (const char b : bajty) {
        if (b == '\r' || b == '\n') {
            if (!m_wKoncu) {
                m_wKoncu = true;
                if (m_przedPierwszym) {
                    m_poza += m_kawalek.size();
                    m_przedPierwszym = false;
                } else {
                    ramki.append({m_kawalek, {}, czasMs});
                    koniecTejRamki = true;
                    if (m_ostatniKoniec) {
                        m_odstepy.append(czasMs - *m_ostatniKoniec);
                        if (m_odstepy.size() > kOdstepow)
                            m_odstepy.removeFirst();
                    }
                    m_ostatniKoniec = czasMs;
                }
                m_kawalek.clear();
            }
            if (koniecTejRamki)
                ramki.last().koniec.append(b);
            continue;
        }
        m_wKoncu = false;
        koniecTejRamki = false;
        m_kawalek.append(b);
        if (m_kawalek.size() > kNajdluzszaRamka) {
            m_poza += m_kawalek.size();
            m_kawalek.clear();
            m_przedPierwszym = true;
        }
    }
    return ramki;
}

void PodzialRamek::wyczysc()
{
    *this = PodzialRamek();
}

std::optional<double> PodzialRamek::okresMs() const
{
    if (m_odstepy.isEmpty())
        return std::nullopt;
    QVector<qint64> s = m_odstepy;
    std::sort(s.begin(), s.end());
    const qsizetype n = s.size();
    return n % 2 ? double(s.at(n / 2)) : (s.at(n / 2 - 1) + s.at(n / 2)) / 2.0;
}
