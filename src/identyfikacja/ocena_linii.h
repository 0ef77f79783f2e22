#pragma once

#include "identyfikacja/podzial_ramek.h"

#include <QString>
#include <QVector>

#include <optional>

// What one line setting gave: a scale read with the right speed, parity and
// data bits gives repeating frames of printable characters, all of one length
// and ending alike; read with the wrong ones it gives bytes with the high bit
// set, characters the receiver could not make out, or no line ends at all.
// Qt's serial port reports no framing or parity errors, and a pseudo-terminal
// has none, so the bytes alone decide.
struct OcenaLinii
{
    // Frames of one length needed before a setting can be chosen.
    static constexpr int kNajmniejRamek = 3;

    QString linia;        // "4800,E,7,1"
    qint64 bajtow = 0;
    int ramek = 0;
    int czytelnych = 0;   // frames of printable characters only
    int zgodnych = 0;     // printable frames of the most common length
    int dlugosc = 0;      // that length
    QByteArray koniec;    // the line end most frames came with
    std::optional<double> okresMs;

    // Every frame but at most one (the one a start in mid-line can spoil) is
    // printable and of one length.
    bool czysta() const { return zgodnych >= kNajmniejRamek && zgodnych + 1 >= ramek; }
    // Most frames are.
    bool mozliwa() const { return zgodnych >= kNajmniejRamek && zgodnych * 2 > ramek; }

    static OcenaLinii ocen(const QString &linia, const QVector<PodzialRamek::Ramka> &ramki,
                           const PodzialRamek &podzial);
    // More printable frames of one length, then fewer others.
    bool lepszaNiz(const OcenaLinii &inna) const;
    // A frame a scale could have sent: printable ASCII, or letters of
    // Windows-1250 (a unit may be written in Polish).
    static bool czytelna(const QByteArray &ramka);
};
