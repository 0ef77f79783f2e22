#include "petla/punkty.h"

#include "simulator/prad_oczekiwany.h"

#include <algorithm>
#include <cmath>

namespace {

// Figures written with three decimals must not fail a point that reads exactly
// at the tolerance.
constexpr double kLuz = 1e-9;

double procentRozpietosci(double mA)
{
    return mA / PradOczekiwany::kRozpietosc * 100.0;
}

} // namespace

std::optional<QString> UstawieniaKontroli::blad() const
{
    if (punkty < kNajmniejPunktow || punkty > kNajwiecejPunktow)
        return QStringLiteral("points: %1 is not between %2 and %3").arg(punkty).arg(kNajmniejPunktow).arg(kNajwiecejPunktow);
    if (!(tolerancja > 0) || tolerancja > 100)
        return QStringLiteral("tolerance: %1 is not a per cent of span above 0").arg(tolerancja);
    if (zgodnychOdczytow < 1)
        return QStringLiteral("readings to agree: %1 is fewer than one").arg(zgodnychOdczytow);
    if (!(zgodnosc > 0))
        return QStringLiteral("agreement: %1 is not a per cent of span above 0").arg(zgodnosc);
    if (limitUstalania.count() < 0)
        return QStringLiteral("settling time: %1 ms is negative").arg(limitUstalania.count());
    return std::nullopt;
}

double PunktKontroli::bladProcent() const
{
    return procentRozpietosci(bladMA());
}

bool PunktKontroli::zgodny(double tolerancja) const
{
    return zmierzony && stabilny && std::fabs(bladProcent()) <= tolerancja + kLuz;
}

bool PrzebiegKontroli::zgodny() const
{
    return Punkty::zgodne(punkty, ustawienia.tolerancja);
}

namespace Punkty {

QVector<PunktKontroli> plan(int tryb, qint64 maksimum, int n, bool goraDol)
{
    const double od = tryb == 2 ? 0.0 : -double(maksimum);
    const double krok = (double(maksimum) - od) / double(std::max(n - 1, 1));
    QVector<PunktKontroli> punkty;
    for (int i = 0; i < n; ++i) {
        PunktKontroli p;
        p.waga = qint32(std::llround(od + krok * i));
        punkty.append(p);
    }
    if (goraDol) {
        for (int i = n - 2; i >= 0; --i) {
            PunktKontroli p = punkty.at(i);
            p.wDol = true;
            punkty.append(p);
        }
    }
    return punkty;
}

std::optional<double> najwiekszyBlad(const QVector<PunktKontroli> &punkty)
{
    std::optional<double> najwiekszy;
    for (const PunktKontroli &p : punkty) {
        if (p.zmierzony && (!najwiekszy || std::fabs(p.bladProcent()) > std::fabs(*najwiekszy)))
            najwiekszy = p.bladProcent();
    }
    return najwiekszy;
}

bool zgodne(const QVector<PunktKontroli> &punkty, double tolerancja)
{
    return !punkty.isEmpty()
           && std::all_of(punkty.begin(), punkty.end(), [&](const PunktKontroli &p) { return p.zgodny(tolerancja); });
}

} // namespace Punkty

Ustalanie::Stan Ustalanie::dodaj(double mA, std::chrono::milliseconds odPoczatku)
{
    m_odczyty.append(mA);
    const int n = m_u.zgodnychOdczytow;
    if (m_odczyty.size() >= n) {
        const auto ostatnie = m_odczyty.mid(m_odczyty.size() - n);
        const auto [najmniej, najwiecej] = std::minmax_element(ostatnie.begin(), ostatnie.end());
        if (procentRozpietosci(*najwiecej - *najmniej) <= m_u.zgodnosc + kLuz)
            return Stan::Ustalony;
    }
    if (m_u.limitUstalania.count() > 0 && odPoczatku >= m_u.limitUstalania)
        return Stan::Niestabilny;
    return Stan::Czeka;
}
