#pragma once

#include <QChar>
#include <QString>
#include <QVector>

#include <array>

// The frame format of the selected frame type and the building of a scale frame
// from a weight. A template is a short text in which every character stands for
// one character of the frame:
//   z  the sign         m  a digit, or a space where the number has no more
//   0  a digit, or "0"  k  the decimal point "."
//   j  a unit character s  a space (as is any other character)
// Digits and unit characters are taken from the right. The weight is a whole
// number: "k" only places the point, so "mm0k00msjj" with 1234 gives
// "  1.234 kg".
class Wartosci
{
public:
    static inline const QString kDomyslnyWzor = QStringLiteral("mm0k00msjj");
    static inline const QString kDomyslnaJednostka = QStringLiteral("kg");

    // Loads the definition of frame type `typ` from the catalogue file: its own
    // section (keys "plus", "minus", "zero", "ramka") and the unit "jm" of
    // section "parametry". Does not rebuild the frame.
    void WczytajTypRamki(const QString &plikKatalogu, const QString &typ);

    // Builds the frame for the weight, keeps it as BiezacaRamka and returns it.
    // The frame is exactly as long as the template and carries no line end.
    QString BudujRamke(qint32 waga);

    // What a frame of the loaded template can carry: how many digits (at most
    // the six cells below), and whether it has a place for the sign, without
    // which a weight below zero looks like the same weight above it.
    int MiejscaNaCyfry() const;
    bool MaZnak() const;

    void RozbijCyfry(qint64 wielkosc);
    void RozbijJednostke(QString jednostka);

    QChar ZnakPlus = QLatin1Char(' ');
    QChar ZnakMinus = QLatin1Char(' ');
    QChar ZnakZero = QLatin1Char(' ');
    QString WzorRamki;
    QString Jednostka;
    // The magnitude right-aligned in six cells, the units digit last; larger
    // numbers keep their last six digits.
    std::array<QChar, 6> Cyfry{};
    QVector<QChar> ZnakiJednostki;
    QString BiezacaRamka;
};
