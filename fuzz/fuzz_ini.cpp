// The INI reader on arbitrary file bytes. The input is a section name, a key
// name, one per line, then the bytes of the file.

#include "cel.h"

#include "config/ini.h"
#include "config/kodowanie.h"

#include <QDir>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *dane, std::size_t rozmiar)
{
    const Fuzz::Podzial p = Fuzz::podziel(dane, rozmiar, 2);
    const QString sekcja = Kodowanie::zAnsi(p.linie[0]);
    const QString klucz = Kodowanie::zAnsi(p.linie[1]);
    const QString plik = Fuzz::zapisz(QStringLiteral("Settings.ini"), p.reszta);

    // Two different defaults tell a value read from the file from a default.
    const QString a = modNI::CzytajIni(plik, sekcja, klucz, QStringLiteral("\x01" "a"));
    const QString b = modNI::CzytajIni(plik, sekcja, klucz, QStringLiteral("\x01" "b"));
    const bool znaleziony = a != QStringLiteral("\x01" "a");
    Fuzz::wymagaj(znaleziony == (b != QStringLiteral("\x01" "b")), "a value does not depend on the default");
    if (znaleziony) {
        Fuzz::wymagaj(a == b, "one value for one key");
        Fuzz::wymagaj(a.size() < modNI::kBuforWartosci - 1, "a value fits the buffer");
        Fuzz::wymagaj(!a.contains(QLatin1Char('\n')) && !a.contains(QChar(0)), "a value is one line");
    }
    // The file name is matched without regard to case.
    Fuzz::wymagaj(modNI::CzytajIni(QDir(Fuzz::folder()).filePath(QStringLiteral("SETTINGS.INI")),
                                   sekcja, klucz, QStringLiteral("\x01" "a")) == a,
                  "the same file under another case");
    Fuzz::wymagaj(modNI::OdczytIni(plik).CzytajIni(sekcja, klucz, QStringLiteral("\x01" "a")) == a,
                  "one read for many lookups reads what a lookup reads");

    const QVector<Wpis> wpisy = modNI::SekcjaOdczyt(sekcja, plik);
    qsizetype znaki = 0;
    for (const Wpis &w : wpisy) {
        Fuzz::wymagaj(!w.Klucz.contains(QLatin1Char('=')) && !w.Wartosc.contains(QLatin1Char('=')),
                      "an entry is cut at its equals signs");
        znaki += w.Klucz.size() + w.Wartosc.size() + 2;
    }
    Fuzz::wymagaj(znaki <= modNI::kBuforSekcji, "a section fits its buffer");
    return 0;
}
