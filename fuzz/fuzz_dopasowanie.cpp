// Reading frames back against a template. The input is a template, the plus,
// minus and zero signs and the unit, one per line, then lines that are each
// tried as a weight and as a frame. Every frame built for a weight whose
// digits all fit is read back as a weight that builds it again; whatever is read from any frame
// builds that very frame. The whole input, cut into frames at CR/LF, loses no
// byte and keeps no line end inside a frame.

#include "cel.h"
#include "typ_ramki_z_wejscia.h"

#include "config/kodowanie.h"
#include "identyfikacja/dopasowanie.h"
#include "identyfikacja/podzial_ramek.h"

#include <algorithm>

namespace {

void czytaj(Wartosci &w, const QString &ramka)
{
    Wartosci budowa = w;
    if (const auto waga = Dopasowanie::waga(w, ramka))
        Fuzz::wymagaj(budowa.BudujRamke(*waga) == ramka, "a weight read from a frame builds that frame");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *dane, std::size_t rozmiar)
{
    const Fuzz::Podzial p = Fuzz::podziel(dane, rozmiar, 5);
    Wartosci w = Fuzz::typRamki(p);
    const QString wzor = w.WzorRamki.isEmpty() ? Wartosci::kDomyslnyWzor : w.WzorRamki;
    const qsizetype miejsc = wzor.count(u'm') + wzor.count(u'0');

    for (const QByteArray &linia : p.reszta.split('\n')) {
        bool ok = false;
        const qint32 waga = linia.trimmed().toInt(&ok);
        // A weight whose digits do not all fit (the template's places, six at
        // most) shows only its last ones, leading zeros or just a sign: that
        // is not the weight the frame shows.
        const qsizetype cyfr = QString::number(waga < 0 ? -qint64(waga) : qint64(waga)).size();
        if (ok && cyfr <= std::min<qsizetype>(miejsc, 6)) {
            Wartosci budowa = w;
            const QString ramka = budowa.BudujRamke(waga);
            Fuzz::wymagaj(Dopasowanie::waga(w, ramka).has_value(), "every frame built is read back");
            czytaj(w, ramka);
        }
        czytaj(w, Kodowanie::zAnsi(linia));
    }

    PodzialRamek podzial;
    const QByteArrayView v(reinterpret_cast<const char *>(dane), qsizetype(rozmiar));
    qint64 wRamkach = 0;
    for (qsizetype i = 0; i < v.size(); i += 7)
        for (const auto &r : podzial.dodaj(v.sliced(i, std::min<qsizetype>(7, v.size() - i)), i)) {
            Fuzz::wymagaj(!r.bajty.contains('\r') && !r.bajty.contains('\n'), "no line end inside a frame");
            Fuzz::wymagaj(r.bajty.size() <= PodzialRamek::kNajdluzszaRamka, "no frame longer than the longest");
            wRamkach += r.bajty.size() + r.koniec.size();
        }
    Fuzz::wymagaj(podzial.bajtow() == qint64(rozmiar), "every byte counted");
    Fuzz::wymagaj(wRamkach + podzial.pozaRamkami() <= podzial.bajtow(), "no byte counted twice");
    return 0;
}
