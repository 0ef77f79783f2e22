// Building scale frames. The input is a template, the plus, minus and zero
// signs, the unit, one per line, then weights, one per line. Every frame is as
// long as its template and carries each part where the template puts it.

#include "cel.h"
#include "typ_ramki_z_wejscia.h"

#include "config/kodowanie.h"
#include "simulator/wartosci.h"

#include <limits>

namespace {

void sprawdz(Wartosci &w, qint32 waga)
{
    const QString ramka = w.BudujRamke(waga);
    const QString wzor = w.WzorRamki.isEmpty() ? Wartosci::kDomyslnyWzor : w.WzorRamki;
    const QString jednostka = w.Jednostka.isEmpty() ? Wartosci::kDomyslnaJednostka : w.Jednostka;
    Fuzz::wymagaj(ramka.size() == wzor.size(), "a frame is as long as its template");
    Fuzz::wymagaj(Kodowanie::doAnsi(ramka).size() == wzor.size(), "on the line too");
    Fuzz::wymagaj(w.BiezacaRamka == ramka, "the frame built last is kept");

    const QString cyfry = QString::number(waga < 0 ? -qint64(waga) : qint64(waga));
    const QChar znakWagi = waga < 0 ? w.ZnakMinus : waga == 0 ? w.ZnakZero : w.ZnakPlus;
    qsizetype cyfra = 0;
    qsizetype litera = 0;
    for (qsizetype i = wzor.size() - 1; i >= 0; --i) {
        const QChar c = wzor.at(i);
        const QChar z = ramka.at(i);
        if (c == QLatin1Char('z')) {
            Fuzz::wymagaj(z == znakWagi, "the sign where the template has z");
        } else if (c == QLatin1Char('m') || c == QLatin1Char('0')) {
            // Six digits at most, counted from the right.
            const bool jest = cyfra < 6 && cyfra < cyfry.size();
            const QChar oczekiwana = jest ? cyfry.at(cyfry.size() - 1 - cyfra) : c == QLatin1Char('0') ? QLatin1Char('0') : QLatin1Char(' ');
            Fuzz::wymagaj(z == oczekiwana, "the digits from the right where the template has m or 0");
            ++cyfra;
        } else if (c == QLatin1Char('k')) {
            Fuzz::wymagaj(z == QLatin1Char('.'), "the point where the template has k");
        } else if (c == QLatin1Char('j')) {
            const QChar oczekiwana = litera < jednostka.size() ? jednostka.at(jednostka.size() - 1 - litera) : QLatin1Char(' ');
            Fuzz::wymagaj(z == oczekiwana, "the unit from the right where the template has j");
            ++litera;
        } else {
            Fuzz::wymagaj(z == QLatin1Char(' '), "a space for any other template character");
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *dane, std::size_t rozmiar)
{
    const Fuzz::Podzial p = Fuzz::podziel(dane, rozmiar, 5);
    Wartosci w = Fuzz::typRamki(p);

    for (const qint32 waga : {0, 1, -1, std::numeric_limits<qint32>::min(), std::numeric_limits<qint32>::max()})
        sprawdz(w, waga);
    for (const QByteArray &linia : p.reszta.split('\n')) {
        bool ok = false;
        const qint32 waga = linia.trimmed().toInt(&ok);
        if (ok)
            sprawdz(w, waga);
    }
    return 0;
}
