#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// The converter's frames: SOH, one command character, a payload, EOT, one byte
// per character. Building and checking them needs no port, so the checks can
// be tested and fuzzed on their own.
namespace RamkaKonwertera {

inline constexpr char SOH = '\x01';
inline constexpr char EOT = '\x04';

enum class Polecenie : char {
    Tryb = '0',
    Ramka = '1',
    Max = '2',
    Wersja = '3',
};

// SOH, the command character, "?", EOT.
QByteArray zapytanie(Polecenie p);

// SOH, the command character, the value, EOT. The mode and the frame type are
// written as whole numbers ("2"), the maximum with at least six digits
// ("001500"); a value that is not a number goes out as it stands.
QByteArray ustawienie(Polecenie p, const QString &wartosc);

// The value the answer carries when it is valid for the query; otherwise
// nothing. Only the length (where fixed), the first two characters and the
// last one are checked: the value need not be digits.
std::optional<QByteArray> wartosc(Polecenie p, const QByteArray &odpowiedz);

} // namespace RamkaKonwertera
