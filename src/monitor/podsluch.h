#pragma once

#include <QByteArray>
#include <QString>

#include <chrono>

// What happened on the converter's line, as the port object and the protocol
// report it to whoever watches (the traffic monitor, the command-line trace).
// The port reports bytes and its own state; the protocol, which knows what the
// bytes are for, adds their meaning.
struct Znaczenie
{
    enum class Co : quint8 {
        Zapytanie,          // a query goes out
        Ustawienie,         // a set command goes out, with `wartosc`
        RamkaWagi,          // a simulated scale frame goes out
        Wartosc,            // a valid answer carried `wartosc`
        Niepoprawna,        // an answer came but is not what the query expects
        OdpowiedzUstawienia,// the answer to a set command, which is never examined
        CzasMinal,          // no EOT within the limit
    };
    Co co = Co::Zapytanie;
    char polecenie = 0;     // the command character, '0' to '3'
    QString wartosc;
    qint64 ms = -1;         // from the frame being on the line to the answer's EOT
};

struct ZdarzenieLinii
{
    enum class Rodzaj : quint8 { Otwarcie, Zamkniecie, Blad, Zapis, Odczyt, Znaczenie };
    using Zegar = std::chrono::steady_clock;

    Rodzaj rodzaj = Rodzaj::Zapis;
    Zegar::time_point czas;
    QByteArray bajty;       // Zapis, Odczyt
    QString tekst;          // Otwarcie: the device and the line settings; Blad: why
    ::Znaczenie znaczenie;  // Znaczenie

    static ZdarzenieLinii teraz(::Znaczenie z)
    {
        ZdarzenieLinii e;
        e.rodzaj = Rodzaj::Znaczenie;
        e.czas = Zegar::now();
        e.znaczenie = std::move(z);
        return e;
    }
};

// The one watcher of the line. The port holds a plain pointer to it, so while
// nobody watches, the line pays one pointer check per operation.
class Podsluch
{
public:
    virtual ~Podsluch() = default;
    virtual void zdarzenie(const ZdarzenieLinii &z) = 0;
};
