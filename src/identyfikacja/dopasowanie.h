#pragma once

#include "simulator/wartosci.h"

#include <QString>
#include <QVector>

#include <optional>

// Which frame types of the catalogue a scale's frames fit. A frame fits a type
// when the type's template, filled with the weight the frame shows, gives back
// that very frame: the program's own frame building is the judge, so a frame
// fits exactly the types whose frames the program would send for it.
//
// A frame that fits at least one type rules out every type it does not fit.
// A frame that fits no type at all says nothing about any one type (it was cut,
// hit by noise, or the format is not in the catalogue); it is set aside and
// counted, and when such frames are too many nothing is said to fit.
class Dopasowanie
{
public:
    // How many changes of the weight each type keeps to show.
    static constexpr int kOstatnichWag = 5;

    struct Typ
    {
        QString klucz;
        QString opis;
        QString wzor;                 // the template the frames are built from
        bool pasuje = true;
        QString pierwszaNiepasujaca;  // the first frame that ruled the type out
        QVector<qint32> wagi;         // the last weights decoded, one per change
        // Template positions the frames filled with something other than a
        // blank, and how many places the template gives meaning to.
        int pokryte = 0;
        int znaczace = 0;
    };

    // The frame types of section "typy ramek" of `plikKatalogu`, in file order;
    // "ALL" is the all-scales marker and a key standing twice is taken once.
    void wczytaj(const QString &plikKatalogu);
    // Forgets the frames, keeps the types.
    void wyczysc();

    // Judges one frame given without its line end; true when it fits a type.
    bool dodaj(const QString &ramka);

    // The types every frame that fits any type fits, best first: the type whose
    // meaningful places the frames have filled most completely, then catalogue
    // order. Empty while no frame fits, and when the frames set aside are more
    // than a quarter of all frames.
    QVector<Typ> pasujace() const;
    const QVector<Typ> &typy() const { return m_typy; }
    int ramek() const { return m_ramek; }
    int odrzuconych() const { return m_odrzuconych; }
    bool zaDuzoOdrzuconych() const { return m_odrzuconych * 4 > m_ramek; }

    // The weight `ramka` shows under the frame type loaded in `wartosci`, when
    // building the frame for that weight gives back `ramka`; a template
    // without a sign place never shows a negative weight.
    static std::optional<qint32> waga(Wartosci &wartosci, const QString &ramka);

private:
    struct Stan
    {
        Wartosci wartosci;
        QVector<bool> pokryte;
    };

    void przyjmij(int i, const QString &ramka, qint32 waga);

    QVector<Typ> m_typy;
    QVector<Stan> m_stany;
    int m_ramek = 0;
    int m_odrzuconych = 0;
};
