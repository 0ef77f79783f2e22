#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QVector>

#include <optional>

// The bytes of a scale's line cut into frames at CR and/or LF. The piece before
// the first line end is not a frame: it began before anyone listened. A piece
// that grows past any sensible frame length without a line end is noise; it is
// dropped, and the next piece waits for a line end again.
class PodzialRamek
{
public:
    static constexpr qsizetype kNajdluzszaRamka = 256;
    // How many intervals between frames the period is measured over.
    static constexpr int kOdstepow = 50;

    struct Ramka
    {
        QByteArray bajty;   // without the line end
        QByteArray koniec;  // the CR and LF bytes that ended it, as far as they came with it
        qint64 czasMs = 0;  // when its line end arrived
    };

    // `czasMs` is when the bytes arrived, on any clock that does not go back.
    QVector<Ramka> dodaj(QByteArrayView bajty, qint64 czasMs);
    void wyczysc();

    qint64 bajtow() const { return m_bajtow; }
    // Bytes that are in no frame: the first piece and the noise dropped.
    qint64 pozaRamkami() const { return m_poza; }
    // The median interval between line ends; nothing before two frames.
    std::optional<double> okresMs() const;
    // When the last byte came; nothing before the first.
    std::optional<qint64> ostatniBajtMs() const { return m_ostatni; }

private:
    QByteArray m_kawalek;
    bool m_przedPierwszym = true;
    bool m_wKoncu = false;
    qint64 m_bajtow = 0;
    qint64 m_poza = 0;
    std::optional<qint64> m_ostatni;
    std::optional<qint64> m_ostatniKoniec;
    QVector<qint64> m_odstepy;
};
