#pragma once

#include "config/ini.h"

#include <QStringList>
#include <QVector>

// The catalogue of compatible scales and frame types kept in the settings file.
// Both lists are read once at start; their order is the file's order.
struct Katalog
{
    // Frame-type key that stands for every scale when the scale list is filtered,
    // and the one a scale without an entry of its own is looked up as.
    static inline const QString kWszystkie = QStringLiteral("ALL");

    QVector<Wpis> Wagi;       // scale name = key of its frame type
    QVector<Wpis> TypyRamek;  // frame-type key = description

    void wczytaj(const QString &plikKatalogu);

    // The names of the scales of frame type `typ` ("ALL": every scale), in file
    // order. Comparisons are exact.
    QStringList FiltrujWagi(const QString &typ) const;
    // Positions of the frame types with key `klucz`; a key may stand twice.
    QVector<int> pozycjeTypu(const QString &klucz) const;
};

// The converter parameters stored in section "parametry", read once at start.
struct ParametryZapisane
{
    QString waga;
    QString ramka;
    int tryb = 0;          // 0, 1 or 2
    QString max;           // six digits at least

    static ParametryZapisane wczytaj(const QString &plikKatalogu);
    // The key of the frame type restored at start: the stored scale's, or the
    // stored frame type when no scale is stored.
    QString kluczTypuRamki(const QString &plikKatalogu) const;
    // Any stored mode outside 0-2 counts as 0; halves round to even.
    static int trybZTekstu(const QString &tekst);
};
