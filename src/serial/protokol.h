#pragma once

#include "monitor/podsluch.h"
#include "serial/ramka_konwertera.h"

#include <QElapsedTimer>
#include <QString>

#include <chrono>
#include <functional>

class Lacze;

// The converter's command/answer exchanges. Each opens the port, writes one
// frame, pauses, waits for the answer up to its EOT or the time limit, and
// closes the port again; a set command is two exchanges, the second reading the
// value back. Every outcome is a text: the value of a valid answer, the whole
// text of any other answer, the time-out message, or the empty text when the
// port cannot be opened.
//
// An exchange blocks the caller: no window event and no timer runs during it.
class Protokol
{
public:
    static constexpr std::chrono::milliseconds kPauza{20};
    static constexpr std::chrono::milliseconds kLimitOdpowiedzi{2000};

    // `pokazCzekanie` shows (true) and hides (false) the waiting sign.
    explicit Protokol(Lacze &lacze, std::function<void(bool)> pokazCzekanie = {})
        : m_lacze(lacze), m_pokazCzekanie(std::move(pokazCzekanie))
    {
    }

    QString PobierzTryb();
    QString PobierzRamke();
    QString PobierzMax();
    QString PobierzWersje();

    QString WyslijTryb(const QString &wartosc);
    QString WyslijRamke(const QString &wartosc);
    QString WyslijMax(const QString &wartosc);

    // Everything received up to and including the read that brought an EOT, or
    // the time-out message. Closes the port.
    QString CzekajNaOdpowiedz();

    // One query, or one set command with its read-back, with the outcome told
    // apart for callers that act on it (the command-line tool's exit status).
    struct Wymiana
    {
        enum class Stan { PortNiedostepny, Poprawna, Niepoprawna, CzasMinal };
        Stan stan = Stan::PortNiedostepny;
        QString tekst;   // what the text procedures above return
    };
    Wymiana zapytaj(RamkaKonwertera::Polecenie p);
    Wymiana ustaw(RamkaKonwertera::Polecenie p, const QString &wartosc);

private:
    bool wyslij(const QByteArray &ramka, Znaczenie znaczenie);
    // Waits for the answer; the port stays open, so that the watcher hears
    // what the answer meant before the port closes.
    Wymiana odbierz();
    void oglos(Znaczenie::Co co, RamkaKonwertera::Polecenie p, const Wymiana &w);

    Lacze &m_lacze;
    std::function<void(bool)> m_pokazCzekanie;
    // From the frame being on the line to the read that brought the EOT.
    QElapsedTimer m_odWyslania;
    qint64 m_czasOdpowiedzi = -1;
};
