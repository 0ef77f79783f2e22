#include "config/liczby.h"

#include <cmath>
#include <limits>

namespace {

bool pusty(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\n')
           || c == QLatin1Char('\r');
}

bool cyfra(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// Reads a number starting at `i`, skipping blanks between its characters the way
// the converter tool always has ("1 500" is 1500). Returns the characters that
// form the number, or an empty text when there is no digit.
QString czytajLiczbe(const QString &t, qsizetype &i)
{
    QString liczba;
    auto pominPuste = [&] {
        while (i < t.size() && pusty(t.at(i)))
            ++i;
    };
    pominPuste();
    if (i < t.size() && (t.at(i) == QLatin1Char('-') || t.at(i) == QLatin1Char('+')))
        liczba += t.at(i++);
    bool cyfry = false;
    bool kropka = false;
    for (;;) {
        pominPuste();
        if (i >= t.size())
            break;
        const QChar c = t.at(i);
        if (cyfra(c)) {
            liczba += c;
            cyfry = true;
        } else if (c == QLatin1Char('.') && !kropka) {
            liczba += c;
            kropka = true;
        } else {
            break;
        }
        ++i;
    }
    if (!cyfry)
        return {};
    // An exponent counts only when digits follow it: "2e" is 2, "2e3" is 2000.
    if (i < t.size() && (t.at(i) == QLatin1Char('e') || t.at(i) == QLatin1Char('E'))) {
        qsizetype j = i + 1;
        QString wykladnik = QStringLiteral("e");
        if (j < t.size() && (t.at(j) == QLatin1Char('-') || t.at(j) == QLatin1Char('+')))
            wykladnik += t.at(j++);
        const qsizetype poczatekCyfr = j;
        while (j < t.size() && cyfra(t.at(j)))
            wykladnik += t.at(j++);
        if (j > poczatekCyfr) {
            liczba += wykladnik;
            i = j;
        }
    }
    return liczba;
}

} // namespace

namespace Liczby {

double Val(const QString &tekst)
{
    qsizetype i = 0;
    const QString liczba = czytajLiczbe(tekst, i);
    if (liczba.isEmpty())
        return 0;
    bool ok = false;
    const double v = liczba.toDouble(&ok);
    return ok && std::isfinite(v) ? v : 0;
}

bool CzyLiczba(const QString &tekst)
{
    // Blanks only around the number: "1 500" reads as 1500 but is not a number
    // in the answer of a converter.
    qsizetype i = 0;
    const auto pominPuste = [&] {
        while (i < tekst.size() && pusty(tekst.at(i)))
            ++i;
    };
    const auto cyfry = [&] {
        const qsizetype poczatek = i;
        while (i < tekst.size() && cyfra(tekst.at(i)))
            ++i;
        return i - poczatek;
    };
    pominPuste();
    if (i < tekst.size() && (tekst.at(i) == QLatin1Char('-') || tekst.at(i) == QLatin1Char('+')))
        ++i;
    qsizetype liczbaCyfr = cyfry();
    if (i < tekst.size() && tekst.at(i) == QLatin1Char('.')) {
        ++i;
        liczbaCyfr += cyfry();
    }
    if (liczbaCyfr == 0)
        return false;
    if (i < tekst.size() && (tekst.at(i) == QLatin1Char('e') || tekst.at(i) == QLatin1Char('E'))) {
        ++i;
        if (i < tekst.size() && (tekst.at(i) == QLatin1Char('-') || tekst.at(i) == QLatin1Char('+')))
            ++i;
        if (cyfry() == 0)
            return false;
    }
    pominPuste();
    return i == tekst.size();
}

double Zaokraglij(double v)
{
    // The default rounding mode rounds halves to even.
    return std::nearbyint(v);
}

std::optional<qint32> DoInt32(double v)
{
    const double r = Zaokraglij(v);
    if (!std::isfinite(r) || r < std::numeric_limits<qint32>::min()
        || r > std::numeric_limits<qint32>::max())
        return std::nullopt;
    return static_cast<qint32>(r);
}

std::optional<qint16> DoInt16(double v)
{
    const double r = Zaokraglij(v);
    if (!std::isfinite(r) || r < std::numeric_limits<qint16>::min()
        || r > std::numeric_limits<qint16>::max())
        return std::nullopt;
    return static_cast<qint16>(r);
}

QString Format6(double v)
{
    const double r = std::round(v);
    QString cyfry = QString::number(std::fabs(r), 'f', 0);
    if (cyfry.size() < 6)
        cyfry.prepend(QString(6 - cyfry.size(), QLatin1Char('0')));
    return r < 0 ? QLatin1Char('-') + cyfry : cyfry;
}

QString Format0(double v)
{
    const double r = std::round(v);
    return QString::number(r == 0 ? 0.0 : r, 'f', 0);
}

QString Tekst(double v)
{
    return QString::number(v, 'g', 15);
}

} // namespace Liczby
