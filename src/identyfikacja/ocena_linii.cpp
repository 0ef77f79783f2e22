#include "identyfikacja/ocena_linii.h"

#include "config/kodowanie.h"

#include <QHash>

#include <algorithm>

bool OcenaLinii::czytelna(const QByteArray &ramka)
{
    if (ramka.isEmpty())
        return false;
    return std::all_of(ramka.cbegin(), ramka.cend(), [](char c) {
        const auto b = static_cast<unsigned char>(c);
        if (b >= 0x20 && b < 0x7F)
            return true;
        return b >= 0x80 && Kodowanie::zAnsi(QByteArrayView(&c, 1)).front().isLetter();
    });
}

bool OcenaLinii::lepszaNiz(const OcenaLinii &inna) const
{
    if (zgodnych != inna.zgodnych)
        return zgodnych > inna.zgodnych;
    return ramek - zgodnych < inna.ramek - inna.zgodnych;
}

OcenaLinii OcenaLinii::ocen(const QString &linia, const QVector<PodzialRamek::Ramka> &ramki,
                            const PodzialRamek &podzial)
{
    OcenaLinii o;
    o.linia = linia;
    o.bajtow = podzial.bajtow();
    o.okresMs = podzial.okresMs();
    o.ramek = int(ramki.size());
    QHash<int, int> dlugosci;
    QHash<QByteArray, int> konce;
    for (const auto &r : ramki) {
        ++konce[r.koniec];
        if (!czytelna(r.bajty))
            continue;
        ++o.czytelnych;
        ++dlugosci[int(r.bajty.size())];
    }
    for (auto i = dlugosci.cbegin(); i != dlugosci.cend(); ++i)
        if (i.value() > o.zgodnych || (i.value() == o.zgodnych && i.key() < o.dlugosc)) {
            o.zgodnych = i.value();
            o.dlugosc = i.key();
        }
    int najczestszy = 0;
    for (auto i = konce.cbegin(); i != konce.cend(); ++i)
        if (i.value() > najczestszy || (i.value() == najczestszy && i.key() < o.koniec)) {
            najczestszy = i.value();
            o.koniec = i.key();
        }
    return o;
}
