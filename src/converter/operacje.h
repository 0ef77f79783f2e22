#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// What the converter's answers mean to the user: the judgment behind the read
// and set buttons, shared by the window and the command-line tool. Each
// function takes the result text of a converter command and says what to show:
// a value for the control, and the information messages, in order.
namespace Operacje {

// Shown as they stand, without a language lookup.
inline const QString kBladZapisu = QStringLiteral("Błąd zapisu");
inline const QString kNieznanaWartosc = QStringLiteral("Wartość niezefiniowana");

struct Wynik
{
    std::optional<QString> wartosc;
    QStringList komunikaty;
};

// Reading the maximum: a number goes into the field with six digits.
Wynik OdbierzMax(const QString &r);
// Setting the maximum `v`: a read-back that is not a number is shown as it
// came; another number is a failed write.
QStringList UstawMax(double v, const QString &r);

// Reading the frame type: a number is the code to select.
Wynik OdbierzRamke(const QString &r);
// The message when no frame type of the catalogue has the code read.
inline QStringList RamkaNieznana() { return {kNieznanaWartosc}; }
// Setting frame type `c` (only numeric codes are ever sent).
QStringList UstawRamke(const QString &c, const QString &r);

struct WynikTrybu
{
    int tryb = 0;
    QStringList komunikaty;
};
// Reading the mode with `poprzedni` selected: a bad answer is shown and the
// previous mode stays.
WynikTrybu OdbierzTryb(int poprzedni, const QString &r);
// Setting mode `s`: an answer outside 0-2 is shown, and independently of that
// any value other than `s` is a failed write, numeric or not.
QStringList UstawTryb(int s, const QString &r);

} // namespace Operacje
