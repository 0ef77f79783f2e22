#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <optional>

// What the converter remembers and reports over its command line.
struct StanKonwertera
{
    char tryb = '0';
    char typRamki = '1';
    QByteArray maksimum = QByteArrayLiteral("001500");
    QByteArray wersja = QByteArrayLiteral("KCI 1.07");
};

// Deliberate misbehaviour of the command handling, to try the program's checks.
struct UsterkiPolecen
{
    // Set commands are answered but change nothing.
    bool ignorujUstawienia = false;
    // Query answers carry one value character too many.
    bool zlaDlugosc = false;
};

namespace Polecenia {

inline constexpr char kSoh = 0x01;
inline constexpr char kEot = 0x04;

// Answers one command frame, SOH and EOT included, and applies a set command
// to `stan`. Queries are "0?" mode, "1?" frame type, "2?" maximum, "3?"
// version; "0" m, "1" c and "2" dddddd set the first three and are answered
// like the query. A value the converter does not accept (a mode other than 0-2,
// a maximum other than six digits) keeps the old one. Nothing is answered to a
// frame that is no command the converter knows.
std::optional<QByteArray> odpowiedz(StanKonwertera &stan, QByteArrayView ramka,
                                    const UsterkiPolecen &usterki = {});

// The numeric value of the six digits of the maximum.
qint64 maksimum(const StanKonwertera &stan);

} // namespace Polecenia
