#pragma once

#include <QByteArray>
#include <QtGlobal>

#include <vector>

// How regularly the scale frames arrive: the sender is meant to send one every
// 50 ms, and a technician or a soak test wants to see how far it strays.
class StatystykaRamek
{
public:
    static constexpr double kOkresMs = 50.0;

    // A complete frame arrived at `czasNs` on a monotonic clock.
    void ramka(qint64 czasNs);

    int liczbaRamek() const { return m_ramki; }
    // The mean period in ms; 0 before the second frame.
    double sredniOkres() const;
    // The 99th percentile (nearest rank) and the largest of the absolute
    // deviations of the periods from 50 ms; 0 before the second frame.
    double odchylenieP99() const;
    double odchylenieMaks() const;

    // "STATS frames=N mean=X.XXX p99dev=Y.YYY maxdev=Z.ZZZ"
    QByteArray wiersz() const;

private:
    int m_ramki = 0;
    qint64 m_pierwsza = 0;
    qint64 m_ostatnia = 0;
    double m_maks = 0.0;
    // Every deviation is kept for the percentile: a day of frames is a few
    // megabytes.
    std::vector<double> m_odchylenia;
};
