#pragma once

#include <QString>

// The five serial-line parameters kept in section USTAWIENIA of the settings
// file, as texts: what the file holds is shown and applied unchanged.
struct UstawieniaPortu
{
    QString NrPortu = QStringLiteral("1");
    QString Predkosc = QStringLiteral("9600");
    QString Parzystosc = QStringLiteral("N");
    QString BityDanych = QStringLiteral("8");
    QString BityStopu = QStringLiteral("1");

    // Speed, parity, data bits and stop bits joined by commas: "9600,N,8,1".
    QString tekstLinii() const;
};

namespace Ustawienia {

enum class Parametr { NrPortu, Predkosc, Parzystosc, BityDanych, BityStopu };

inline const QString kSekcja = QStringLiteral("USTAWIENIA");

QString klucz(Parametr p);
QString domyslna(Parametr p);
QString &pole(UstawieniaPortu &u, Parametr p);

// The port number as the program uses it: the numeric value of the stored text
// ("0012" gives "12", "3x" gives "3", text without a leading number gives "0").
QString NormalizujNrPortu(const QString &tekst);

// Reads the five keys of `plikUstawien`, each with its default.
UstawieniaPortu WczytajUstawienia(const QString &plikUstawien);

// Writes one key exactly as given; false when the file could not be written.
bool Zapisz(const QString &plikUstawien, Parametr p, const QString &wartosc);

} // namespace Ustawienia
