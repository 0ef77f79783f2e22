#include "cli/sprawdzenie.h"

#include <QRegularExpression>

#include <cmath>

namespace {

// Digits only, as many as `najwiecej`: no sign, point, exponent or blank.
bool cyfry(const QString &tekst, int najwiecej)
{
    static const QRegularExpression wzor(QStringLiteral("^[0-9]+$"));
    return tekst.size() <= najwiecej && wzor.match(tekst).hasMatch();
}

} // namespace

namespace Sprawdzenie {

QString nrPortu(const QString &tekst)
{
    if (cyfry(tekst, 4) && tekst.toInt() >= 1)
        return QString();
    return QStringLiteral("--port: %1 is not a port number from 1 to 9999").arg(tekst);
}

QString maksimum(const QString &tekst)
{
    if (cyfry(tekst, 6))
        return QString();
    return QStringLiteral("set max: %1 is not a whole number from 0 to 999999").arg(tekst);
}

QString tryb(const QString &tekst)
{
    if (tekst == QLatin1String("0") || tekst == QLatin1String("1") || tekst == QLatin1String("2"))
        return QString();
    return QStringLiteral("set mode: %1 is not 0, 1 or 2").arg(tekst);
}

QString sekundy(const QString &tekst)
{
    bool ok = false;
    const double s = tekst.toDouble(&ok);
    if (ok && std::isfinite(s) && s > 0)
        return QString();
    return QStringLiteral("--seconds: %1 is not a number of seconds above zero").arg(tekst);
}

} // namespace Sprawdzenie
