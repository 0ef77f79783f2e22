#include "serial/ramka_konwertera.h"

#include "config/kodowanie.h"
#include "config/liczby.h"

namespace RamkaKonwertera {

namespace {

QByteArray ramka(Polecenie p, const QByteArray &tresc)
{
    return SOH + QByteArray(1, static_cast<char>(p)) + tresc + EOT;
}

} // namespace

QByteArray zapytanie(Polecenie p)
{
    return ramka(p, "?");
}

QByteArray ustawienie(Polecenie p, const QString &wartosc)
{
    QString tekst = wartosc;
    if (Liczby::CzyLiczba(wartosc)) {
        const double v = Liczby::Val(wartosc);
        tekst = p == Polecenie::Max ? Liczby::Format6(v) : Liczby::Format0(v);
    }
    return ramka(p, Kodowanie::doAnsi(tekst));
}

std::optional<QByteArray> wartosc(Polecenie p, const QByteArray &odpowiedz)
{
    const qsizetype n = odpowiedz.size();
    if (n < 3 || odpowiedz.at(0) != SOH || odpowiedz.at(1) != static_cast<char>(p)
        || odpowiedz.at(n - 1) != EOT)
        return std::nullopt;
    switch (p) {
    case Polecenie::Tryb:
    case Polecenie::Ramka:
        if (n != 4)
            return std::nullopt;
        break;
    case Polecenie::Max:
        if (n != 9)
            return std::nullopt;
        break;
    case Polecenie::Wersja:
        break;
    }
    return odpowiedz.sliced(2, n - 3);
}

} // namespace RamkaKonwertera
