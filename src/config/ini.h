#pragma once

#include <QByteArray>
#include <QString>
#include <QVector>

#include <optional>

// Key access to the program's INI files (the settings file and the language
// file), in Windows-1250 or, for a file saved as UTF-8, in UTF-8. Every call goes to the file itself: nothing is cached, so a change made
// by another program is seen at once. File names are matched without regard to
// case, as on the desktop the files come from.

// One entry of a section: the text before the first "=" and the text between
// the first and the second "=".
struct Wpis
{
    QString Klucz;
    QString Wartosc;
};

namespace modNI {

// The buffer the value of one key is read into, terminating NUL included; a
// value that fills it (99 characters or more) counts as too long.
inline constexpr int kBuforWartosci = 100;
// The buffer a whole section is read into.
inline constexpr int kBuforSekcji = 10000;

// The value of `Klucz` in `Sekcja` of `Plik`, or `Domyslna` when the file, the
// section or the key is missing or the value is too long.
QString CzytajIni(QString Plik, QString Sekcja, QString Klucz, QString Domyslna);

// One read of a file for many lookups in a row, such as the translation of
// a window's controls. Each lookup gives what `CzytajIni` gives for the file
// as it was when it was read.
class OdczytIni
{
public:
    explicit OdczytIni(const QString &plik);
    QString CzytajIni(const QString &Sekcja, const QString &Klucz, const QString &Domyslna) const;

private:
    std::optional<QByteArray> m_dane;
};

// True when the key is there with a value too long to be read (99 characters
// or more), which `CzytajIni` gives as the default.
bool ZaDlugaWartosc(const QString &Plik, const QString &Sekcja, const QString &Klucz);

// Sets the key, creating the file, the section and the key as needed. Every
// other byte of the file stays as it was; the file is replaced in one step, so a
// failure leaves the old file whole. Saves of several processes to one file
// take turns. False when the file could not be written.
bool ZapiszIni(QString Plik, QString Sekcja, QString Klucz, QString Wartosc);

// Every entry of the section, in file order, as far as it fits the 10,000
// character buffer; entries without "=" are left out.
QVector<Wpis> SekcjaOdczyt(const QString &sekcja, const QString &plik);

// Removes the temporary files that saves of `plik` interrupted by a crash left
// beside it, once they are a minute old.
void UsunPozostalosciZapisu(const QString &plik);

// The existing file whose name matches `plik` without regard to case, or
// `plik` itself when there is none.
QString ZnajdzPlik(const QString &plik);

} // namespace modNI
