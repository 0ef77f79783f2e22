// The converter's answers: their assembly from chunks of any size as the port
// hands them over, and their validation. The first byte picks the command; then
// each chunk is a length byte and that many bytes.

#include "cel.h"

#include "config/kodowanie.h"
#include "serial/odbior_odpowiedzi.h"
#include "serial/ramka_konwertera.h"

using RamkaKonwertera::EOT;
using RamkaKonwertera::Polecenie;
using RamkaKonwertera::SOH;

namespace {

constexpr Polecenie kPolecenia[] = {Polecenie::Tryb, Polecenie::Ramka, Polecenie::Max, Polecenie::Wersja};

void sprawdzWartosc(Polecenie p, const QByteArray &odpowiedz)
{
    const auto v = RamkaKonwertera::wartosc(p, odpowiedz);
    if (!v)
        return;
    Fuzz::wymagaj(odpowiedz == SOH + QByteArray(1, char(p)) + *v + EOT, "a valid answer is SOH, command, value, EOT");
    if (p == Polecenie::Tryb || p == Polecenie::Ramka)
        Fuzz::wymagaj(v->size() == 1, "a mode or frame type is one character");
    if (p == Polecenie::Max)
        Fuzz::wymagaj(v->size() == 6, "a maximum is six characters");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *dane, std::size_t rozmiar)
{
    if (rozmiar == 0)
        return 0;
    const Polecenie p = kPolecenia[dane[0] % 4];
    QByteArrayView reszta(reinterpret_cast<const char *>(dane) + 1, qsizetype(rozmiar - 1));

    OdbiorOdpowiedzi odbior;
    QByteArray wszystko;   // every byte handed over until the answer was complete
    bool eot = false;
    while (!reszta.isEmpty() && !odbior.kompletna()) {
        const qsizetype dlugosc = qMin<qsizetype>(static_cast<unsigned char>(reszta.front()), reszta.size() - 1);
        const QByteArrayView kawalek = reszta.sliced(1, dlugosc);
        reszta = reszta.sliced(1 + dlugosc);
        eot = kawalek.contains(EOT);
        Fuzz::wymagaj(odbior.dodaj(kawalek) == eot, "a chunk with an EOT completes the answer");
        wszystko.append(kawalek);
    }
    Fuzz::wymagaj(odbior.kompletna() == eot, "complete only with an EOT");
    Fuzz::wymagaj(odbior.bajty() == wszystko.first(qMin(wszystko.size(), OdbiorOdpowiedzi::kNajdluzsza)),
                  "the answer is what arrived, cut at the limit");
    const QByteArray przed = odbior.bajty();
    odbior.dodaj(reszta);
    if (odbior.kompletna())
        Fuzz::wymagaj(odbior.bajty() == przed, "a complete answer takes no more bytes");

    sprawdzWartosc(p, odbior.bajty());
    // The payload of the input as an answer of its own, and wrapped as a valid one.
    const QByteArray tresc(reinterpret_cast<const char *>(dane) + 1, qsizetype(rozmiar - 1));
    sprawdzWartosc(p, tresc);
    const QByteArray ramka = SOH + QByteArray(1, char(p)) + tresc + EOT;
    const bool dlugoscPasuje = p == Polecenie::Wersja || (p == Polecenie::Max ? tresc.size() == 6 : tresc.size() == 1);
    const auto v = RamkaKonwertera::wartosc(p, ramka);
    Fuzz::wymagaj(v.has_value() == dlugoscPasuje, "a well-formed answer of the right length is valid");
    if (v)
        Fuzz::wymagaj(*v == tresc, "the value of a well-formed answer is its payload");

    // A set command for any text: one frame, SOH and command first, EOT last.
    const QByteArray u = RamkaKonwertera::ustawienie(p, Kodowanie::zAnsi(tresc));
    Fuzz::wymagaj(u.size() >= 3 && u.at(0) == SOH && u.at(1) == char(p) && u.back() == EOT,
                  "a set command is one frame");
    return 0;
}
