// Write-then-read round trips. The input is a section name, a key name and a
// value, one per line, then the bytes of the file the key is written into.
// After the write the key reads back as written, every other key of the file
// reads as before, and only one line of the old file has changed.

#include "cel.h"
#include "model_ini.h"

#include "config/ini.h"
#include "config/kodowanie.h"
#include "config/kodowanie_pliku.h"


#include <utility>

using Fuzz::przytnij;

namespace {

// Section and key names of the file, in order, as far as a plain reading finds
// them; a name found wrongly only asks about one more key.
QList<std::pair<QString, QString>> klucze(const QByteArray &plik)
{
    const KodowaniePliku k = KodowaniePliku::rozpoznaj(plik);
    QList<std::pair<QString, QString>> wynik;
    QByteArray sekcja;
    for (const QByteArray &linia : plik.split('\n')) {
        const QByteArray t = przytnij(linia);
        if (t.startsWith('[')) {
            const qsizetype z = t.indexOf(']');
            sekcja = przytnij(t.mid(1, z < 0 ? -1 : z - 1));
        } else if (const qsizetype r = t.indexOf('='); r >= 0 && !t.startsWith(';')) {
            wynik.append({k.tekst(sekcja), k.tekst(przytnij(t.first(r)))});
        }
        if (wynik.size() >= 64)
            break;
    }
    return wynik;
}

// Names match as the reader matches them: blanks around them aside, without
// regard to case.
bool tenSam(const QString &a, const QString &b)
{
    return Kodowanie::zAnsi(przytnij(Kodowanie::doAnsi(a)))
               .compare(Kodowanie::zAnsi(przytnij(Kodowanie::doAnsi(b))), Qt::CaseInsensitive)
           == 0;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *dane, std::size_t rozmiar)
{
    const Fuzz::Podzial p = Fuzz::podziel(dane, rozmiar, 3);
    if (!Fuzz::dozwolonaNazwa(p.linie[0], true) || !Fuzz::dozwolonaNazwa(p.linie[1], false))
        return -1;
    const QString sekcja = Kodowanie::zAnsi(p.linie[0]);
    const QString klucz = Kodowanie::zAnsi(p.linie[1]);
    const QString wartosc = Kodowanie::zAnsi(p.linie[2]);
    const QString plik = Fuzz::zapisz(QStringLiteral("Settings.ini"), p.reszta);

    const QString brak = QStringLiteral("\x01");
    const auto inne = klucze(p.reszta);
    QStringList przed;
    for (const auto &[s, k] : inne)
        przed.append(modNI::CzytajIni(plik, s, k, brak));

    Fuzz::wymagaj(modNI::ZapiszIni(plik, sekcja, klucz, wartosc), "a writable file takes the key");
    const QByteArray po = Fuzz::czytaj(plik);
    // A Windows-1250 file whose new bytes happen to form UTF-8 reads as UTF-8
    // from then on: no rule can tell the two apart there.
    if (KodowaniePliku::rozpoznaj(po).utf8() != KodowaniePliku::rozpoznaj(p.reszta).utf8())
        return 0;

    const QByteArray oczekiwana = Fuzz::poOdczycie(p.linie[2]);
    const QString odczyt = modNI::CzytajIni(plik, sekcja, klucz, brak);
    if (oczekiwana.size() < modNI::kBuforWartosci - 1)
        Fuzz::wymagaj(odczyt == Kodowanie::zAnsi(oczekiwana), "the written key reads back");
    else
        Fuzz::wymagaj(odczyt == brak, "a value too long for the buffer reads as missing");

    for (qsizetype i = 0; i < inne.size(); ++i) {
        const auto &[s, k] = inne.at(i);
        if (tenSam(s, sekcja) && tenSam(k, klucz))
            continue;
        Fuzz::wymagaj(modNI::CzytajIni(plik, s, k, brak) == przed.at(i), "every other key reads as before");
    }

    // One edit in one place: what the old file had outside it is untouched,
    // and the part it replaced lies within one line.
    const QByteArray &stary = p.reszta;
    qsizetype poczatek = 0;
    while (poczatek < stary.size() && poczatek < po.size() && stary[poczatek] == po[poczatek])
        ++poczatek;
    qsizetype koniec = 0;
    while (koniec < stary.size() - poczatek && koniec < po.size() - poczatek
           && stary[stary.size() - 1 - koniec] == po[po.size() - 1 - koniec])
        ++koniec;
    Fuzz::wymagaj(!stary.sliced(poczatek, stary.size() - poczatek - koniec).contains('\n'),
                  "no other line of the file changed");
    return 0;
}
