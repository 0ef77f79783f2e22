#include "petla/miernik_reczny.h"

#include <QRegularExpression>

#include <cmath>

void MiernikReczny::otworz()
{
    m_czeka = false;
    emit gotowy(m_opis);
}

void MiernikReczny::zmierz()
{
    m_czeka = true;
    emit potrzebnyOdczyt();
}

void MiernikReczny::zamknij()
{
    m_czeka = false;
}

std::optional<double> MiernikReczny::wartosc(const QString &tekst)
{
    // Plain decimal notation only: a loop current is typed as "12,004", never
    // as "1.2e1", and a thousands separator has no place below 1000 mA.
    static const QRegularExpression liczba(QStringLiteral("^\\s*[-+]?[0-9]+([.,][0-9]*)?\\s*$"));
    if (!liczba.match(tekst).hasMatch())
        return std::nullopt;
    bool ok = false;
    const double v = tekst.trimmed().replace(QLatin1Char(','), QLatin1Char('.')).toDouble(&ok);
    if (!ok || !std::isfinite(v))
        return std::nullopt;
    return v;
}

bool MiernikReczny::podaj(const QString &tekst)
{
    const auto v = wartosc(tekst);
    if (!m_czeka || !v)
        return false;
    m_czeka = false;
    emit odczyt(*v);
    return true;
}
