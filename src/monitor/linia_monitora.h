#pragma once

#include "monitor/podsluch.h"
#include "monitor/teksty_monitora.h"

#include <QByteArray>
#include <QString>

#include <optional>

// One line of the monitor: one event, or a run of identical frames in a row.
struct LiniaMonitora
{
    enum class Kierunek : quint8 { Nadane, Odebrane, Port, Protokol };

    Kierunek kierunek = Kierunek::Port;
    qint64 czasNs = 0;       // of the first event, from the moment the monitor opened
    qint64 zegarMs = 0;      // the clock time of the first event, ms since the epoch
    QByteArray bajty;
    QString znaczenie;
    qint64 powtorzenia = 1;
    qint64 przedostatniNs = 0; // the last two of the run, for its period
    qint64 ostatniNs = 0;
};

// Turns the line's events into the monitor's lines and writes them out. The
// window's model and the command-line trace both build their lines here, so
// both show the same.
//
// A meaning the protocol announces goes with the frame written next; the
// outcome of an exchange goes onto the answer's last line, or onto a line of
// its own when nothing came. A frame identical to the line before it, in the
// same direction and with the same meaning, only counts on that line.
class SkladanieLinii
{
public:
    enum class Kolumna { Czas, Godzina, Kierunek, Tekst, Hex, Znaczenie, Liczba };
    enum class Skutek { Nowa, Zmieniona };

    explicit SkladanieLinii(TekstyMonitora teksty);

    // A new line or a change of the last one; ostatnia() holds it afterwards.
    // Announcements alone give nothing.
    std::optional<Skutek> dodaj(const ZdarzenieLinii &z);
    const LiniaMonitora &ostatnia() const { return *m_ostatnia; }
    // The next event starts a line of its own.
    void zapomnij();

    QString naglowek(Kolumna k) const;
    QString kolumna(const LiniaMonitora &l, Kolumna k) const;
    // The line as text for a person: fixed columns, the bytes twice.
    QString wiersz(const LiniaMonitora &l) const;
    QString naglowekCsv() const;
    QString wierszCsv(const LiniaMonitora &l) const;

private:
    QString opisz(const Znaczenie &z) const;
    void nowa(LiniaMonitora::Kierunek k, qint64 czasNs, QByteArray bajty, QString znaczenie);

    TekstyMonitora m_teksty;
    ZdarzenieLinii::Zegar::time_point m_start;
    qint64 m_startZegarMs;
    std::optional<LiniaMonitora> m_ostatnia;
    std::optional<Znaczenie> m_zapowiedz;
    // A request is out and its outcome not yet told.
    bool m_wymiana = false;
    // The last line is an answer the outcome may still go onto.
    bool m_czekaNaWynik = false;
};
