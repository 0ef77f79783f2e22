#include "emulator/polecenia.h"

#include <algorithm>

namespace {

bool cyfry(QByteArrayView t)
{
    return std::all_of(t.begin(), t.end(), [](char c) { return c >= '0' && c <= '9'; });
}

} // namespace

namespace Polecenia {

std::optional<QByteArray> odpowiedz(StanKonwertera &stan, QByteArrayView ramka,
                                    const UsterkiPolecen &usterki)
{
    if (ramka.size() < 3 || ramka.front() != kSoh || ramka.back() != kEot)
        return std::nullopt;
    const char polecenie = ramka.at(1);
    const QByteArrayView dane = ramka.sliced(2, ramka.size() - 3);
    const bool zapytanie = dane == "?";
    const bool ustaw = !zapytanie && !usterki.ignorujUstawienia;

    QByteArray wartosc;
    switch (polecenie) {
    case '0':
        if (ustaw && dane.size() == 1 && dane.front() >= '0' && dane.front() <= '2')
            stan.tryb = dane.front();
        wartosc = QByteArray(1, stan.tryb);
        break;
    case '1':
        if (ustaw && dane.size() == 1)
            stan.typRamki = dane.front();
        wartosc = QByteArray(1, stan.typRamki);
        break;
    case '2':
        if (ustaw && dane.size() == 6 && cyfry(dane))
            stan.maksimum = dane.toByteArray();
        wartosc = stan.maksimum;
        break;
    case '3':
        // The version cannot be set.
        if (!zapytanie)
            return std::nullopt;
        wartosc = stan.wersja;
        break;
    default:
        return std::nullopt;
    }
    if (zapytanie && usterki.zlaDlugosc)
        wartosc.append('0');
    return kSoh + QByteArray(1, polecenie) + wartosc + kEot;
}

qint64 maksimum(const StanKonwertera &stan)
{
    return stan.maksimum.toLongLong();
}

} // namespace Polecenia
