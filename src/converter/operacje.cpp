#include "converter/operacje.h"

#include "config/liczby.h"

namespace Operacje {

Wynik OdbierzMax(const QString &r)
{
    if (Liczby::CzyLiczba(r))
        return {Liczby::Format6(Liczby::Val(r)), {}};
    return {std::nullopt, {r}};
}

QStringList UstawMax(double v, const QString &r)
{
    if (!Liczby::CzyLiczba(r))
        return {r};
    if (Liczby::Val(r) != v)
        return {kBladZapisu};
    return {};
}

Wynik OdbierzRamke(const QString &r)
{
    if (Liczby::CzyLiczba(r))
        return {r, {}};
    return {std::nullopt, {r}};
}

QStringList UstawRamke(const QString &c, const QString &r)
{
    if (!Liczby::CzyLiczba(r))
        return {r};
    if (Liczby::Val(r) != Liczby::Val(c))
        return {kBladZapisu};
    return {};
}

WynikTrybu OdbierzTryb(int poprzedni, const QString &r)
{
    const double v = Liczby::Val(r);
    if (!Liczby::CzyLiczba(r) || v < 0 || v > 2)
        return {poprzedni, {r}};
    return {int(Liczby::Zaokraglij(v)), {}};
}

QStringList UstawTryb(int s, const QString &r)
{
    QStringList komunikaty;
    const double v = Liczby::Val(r);
    if (!Liczby::CzyLiczba(r) || v < 0 || v > 2)
        komunikaty.append(r);
    if (v != s)
        komunikaty.append(kBladZapisu);
    return komunikaty;
}

} // namespace Operacje
