// Language lookups on arbitrary language files. The input is a section, a key
// and a default text, one per line, then the bytes of the language file.

#include "cel.h"
#include "model_ini.h"

#include "config/ini.h"
#include "config/jezyk.h"
#include "config/kodowanie.h"
#include "config/kodowanie_pliku.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *dane, std::size_t rozmiar)
{
    const Fuzz::Podzial p = Fuzz::podziel(dane, rozmiar, 3);
    const QString sekcja = Kodowanie::zAnsi(p.linie[0]);
    const QString klucz = Kodowanie::zAnsi(p.linie[1]);
    const QString domyslna = Kodowanie::zAnsi(p.linie[2]);
    const QString plik = Fuzz::zapisz(QStringLiteral("set.lng"), p.reszta);

    const Jezyk jezyk(plik);
    const QString wPliku = modNI::CzytajIni(plik, sekcja, klucz, QString());
    const bool zaDluga = modNI::ZaDlugaWartosc(plik, sekcja, klucz);
    const QString tekst = jezyk.TekstJezyka(sekcja, klucz, domyslna);
    if (!wPliku.isEmpty() || zaDluga) {
        Fuzz::wymagaj(tekst == (zaDluga ? domyslna : wPliku), "a text the file has is the text shown");
        Fuzz::wymagaj(Fuzz::czytaj(plik) == p.reszta, "looking a text up leaves the file alone");
    } else if (KodowaniePliku::rozpoznaj(Fuzz::czytaj(plik)).utf8() != KodowaniePliku::rozpoznaj(p.reszta).utf8()) {
        // A Windows-1250 file whose new bytes happen to form UTF-8 reads as
        // UTF-8 from then on: no rule can tell the two apart there.
        Fuzz::wymagaj(tekst == domyslna, "a missing text is its default");
    } else {
        Fuzz::wymagaj(tekst == domyslna, "a missing text is its default");
        // The default went into the file for the translator, as far as a line
        // can carry it.
        const QByteArray zapisana = Fuzz::poOdczycie(p.linie[2]);
        if (Fuzz::dozwolonaNazwa(p.linie[0], true) && Fuzz::dozwolonaNazwa(p.linie[1], false)
            && zapisana.size() < modNI::kBuforWartosci - 1)
            Fuzz::wymagaj(modNI::CzytajIni(plik, sekcja, klucz, QStringLiteral("\x01")) == Kodowanie::zAnsi(zapisana),
                          "a default written is there to find");
    }

    // Messages go through the same lookup under sections of their own.
    Fuzz::wymagaj(!jezyk.Komunikat(klucz).isEmpty() || klucz.isEmpty(), "a simple message is never empty");
    Fuzz::wymagaj(!jezyk.Komunikat(klucz, domyslna).isEmpty() || (klucz.isEmpty() && domyslna.isEmpty()),
                  "a message with a text is never empty");
    return 0;
}
