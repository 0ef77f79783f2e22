#include "emulator/statystyka.h"

#include <algorithm>
#include <cmath>

void StatystykaRamek::ramka(qint64 czasNs)
{
    if (m_ramki == 0) {
        m_pierwsza = czasNs;
    } else {
        const double okres = static_cast<double>(czasNs - m_ostatnia) / 1e6;
        const double odchylenie = std::fabs(okres - kOkresMs);
        m_odchylenia.push_back(odchylenie);
        m_maks = std::max(m_maks, odchylenie);
    }
    m_ostatnia = czasNs;
    ++m_ramki;
}

double StatystykaRamek::sredniOkres() const
{
    if (m_ramki < 2)
        return 0.0;
    return static_cast<double>(m_ostatnia - m_pierwsza) / 1e6 / (m_ramki - 1);
}

double StatystykaRamek::odchylenieP99() const
{
    if (m_odchylenia.empty())
        return 0.0;
    std::vector<double> kopia = m_odchylenia;
    const auto ranga = static_cast<size_t>(std::ceil(0.99 * static_cast<double>(kopia.size())));
    const auto n = kopia.begin() + static_cast<std::ptrdiff_t>(ranga - 1);
    std::nth_element(kopia.begin(), n, kopia.end());
    return *n;
}

double StatystykaRamek::odchylenieMaks() const
{
    return m_maks;
}

QByteArray StatystykaRamek::wiersz() const
{
    return QByteArrayLiteral("STATS frames=") + QByteArray::number(m_ramki)
           + " mean=" + QByteArray::number(sredniOkres(), 'f', 3)
           + " p99dev=" + QByteArray::number(odchylenieP99(), 'f', 3)
           + " maxdev=" + QByteArray::number(odchylenieMaks(), 'f', 3);
}
