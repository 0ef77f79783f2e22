#include "monitor/slad.h"

SladLinii::SladLinii(TekstyMonitora teksty, std::function<void(const QString &)> wypisz)
    : m_skladanie(std::move(teksty)), m_wypisz(std::move(wypisz))
{
}

SladLinii::~SladLinii()
{
    dokoncz();
}

void SladLinii::zdarzenie(const ZdarzenieLinii &z)
{
    const auto skutek = m_skladanie.dodaj(z);
    if (!skutek)
        return;
    if (*skutek == SkladanieLinii::Skutek::Nowa)
        dokoncz();
    m_biezaca = m_skladanie.ostatnia();
}

void SladLinii::dokoncz()
{
    if (m_biezaca)
        m_wypisz(m_skladanie.wiersz(*m_biezaca));
    m_biezaca.reset();
}
