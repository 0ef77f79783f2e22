#include "simulator/prad_oczekiwany.h"

#include "simulator/wartosci.h"

#include <algorithm>
#include <cmath>

namespace PradOczekiwany {

std::optional<qint64> waga(const QString &ramka, const QString &wzor, QChar znakMinus)
{
    if (ramka.size() != wzor.size())
        return std::nullopt;
    // The converter keeps six digits, as many as a frame is built with.
    constexpr int kCyfr = 6;
    qint64 wielkosc = 0;
    qint64 mnoznik = 1;
    int cyfr = 0;
    bool ujemna = false;
    for (qsizetype i = wzor.size() - 1; i >= 0; --i) {
        const QChar w = wzor.at(i);
        const QChar z = ramka.at(i);
        if (w == QLatin1Char('z')) {
            ujemna = ujemna || z == znakMinus;
        } else if (w == QLatin1Char('m') || w == QLatin1Char('0')) {
            if (z == QLatin1Char(' '))
                continue;
            if (!z.isDigit() || z.unicode() > 0x7F)
                return std::nullopt;
            if (cyfr < kCyfr) {
                wielkosc += (z.unicode() - '0') * mnoznik;
                mnoznik *= 10;
            }
            ++cyfr;
        }
    }
    if (cyfr == 0)
        return std::nullopt;
    return ujemna ? -wielkosc : wielkosc;
}

std::optional<double> zWagi(qint64 waga, qint64 maksimum, int tryb)
{
    double f = 0.0;
    if (maksimum > 0)
        f = std::clamp(double(waga) / double(maksimum), -1.0, 1.0);
    else
        f = waga > 0 ? 1.0 : waga < 0 ? -1.0 : 0.0;
    switch (tryb) {
    case 0:
        return kNajmniejszy + kRozpietosc * (f + 1.0) / 2.0;
    case 1:
        return kNajmniejszy + kRozpietosc * std::fabs(f);
    case 2:
        return kNajmniejszy + kRozpietosc * std::max(f, 0.0);
    default:
        return std::nullopt;
    }
}

std::optional<double> zRamki(const QString &ramka, const Wartosci &wartosci, qint64 maksimum, int tryb)
{
    const QString wzor = wartosci.WzorRamki.isEmpty() ? Wartosci::kDomyslnyWzor : wartosci.WzorRamki;
    const auto w = waga(ramka, wzor, wartosci.ZnakMinus);
    if (!w)
        return std::nullopt;
    return zWagi(*w, maksimum, tryb);
}

QString tekst(double mA)
{
    return QString::number(mA, 'f', 3) + QStringLiteral(" mA");
}

} // namespace PradOczekiwany
