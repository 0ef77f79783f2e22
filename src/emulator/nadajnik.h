#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <chrono>
#include <deque>
#include <functional>

// Writes the answers to the master side of the pseudo-terminal, one after the
// other, each when its time has come, in pieces when asked to. Bytes sent
// while no client has the port open, or that the pseudo-terminal cannot take,
// are lost, as on a line with nobody listening.
class Nadajnik : public QObject
{
    Q_OBJECT

public:
    // Pause between the pieces of a split answer.
    static constexpr std::chrono::milliseconds kPrzerwaKawalkow{5};
    // A flood goes out every millisecond, in pieces the pseudo-terminal takes
    // whole; unless told otherwise like a line at 9600 baud: about 1000 bytes
    // a second.
    static constexpr std::chrono::milliseconds kTaktZalewu{1};
    static constexpr qint64 kZalewNaSekunde = 1000;
    static constexpr char kBajtZalewu = 'U';

    // `rozmiarKawalka` 0 sends every answer in one write; `portOtwarty` tells
    // whether anyone listens.
    Nadajnik(int fd, int rozmiarKawalka, std::function<bool()> portOtwarty,
             QObject *parent = nullptr);

    // Sends `odpowiedz` `opoznienie` from now, but not before the answers
    // queued earlier are out.
    void wyslij(const QByteArray &odpowiedz, std::chrono::milliseconds opoznienie);
    // Sends bytes other than EOT without a break for `czas` from now, at
    // `bajtowNaSekunde` on average however late the timer ticks; a flood
    // under way is lengthened.
    void zalewaj(std::chrono::milliseconds czas, qint64 bajtowNaSekunde = kZalewNaSekunde);

signals:
    // The whole answer is out: `naLinii` reached the line, `utracone` did not.
    void wyslano(const QByteArray &naLinii, const QByteArray &utracone);
    void zalewSkonczony(qint64 bajtow);

private:
    struct Odpowiedz
    {
        QByteArray bajty;
        qint64 terminNs = 0;
        qsizetype wyslane = 0;
        QByteArray naLinii;
        QByteArray utracone;
    };

    void nadawaj();
    void taktZalewu();
    // How many bytes from the start of `bajty` reached the line.
    qsizetype zapisz(const QByteArray &bajty);
    qint64 terazNs() const { return m_zegar.nsecsElapsed(); }

    int m_fd;
    int m_rozmiarKawalka;
    std::function<bool()> m_portOtwarty;
    QElapsedTimer m_zegar;
    std::deque<Odpowiedz> m_kolejka;
    QTimer m_budzik;
    QTimer m_zalew;
    qint64 m_zalewOdNs = 0;
    qint64 m_zalewDoNs = 0;
    qint64 m_zalewNaSekunde = kZalewNaSekunde;
    qint64 m_zalewRozliczone = 0; // due so far, on the line or lost
    qint64 m_zalanych = 0;        // on the line
    QByteArray m_blokZalewu;
};
