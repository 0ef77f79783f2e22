#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <chrono>
#include <deque>

// Writes the answers to the master side of the pseudo-terminal, one after the
// other, each when its time has come, in pieces when asked to. Bytes that the
// pseudo-terminal cannot take (nobody reads the port) are lost, as on a line
// with nobody listening.
class Nadajnik : public QObject
{
    Q_OBJECT

public:
    // Pause between the pieces of a split answer.
    static constexpr std::chrono::milliseconds kPrzerwaKawalkow{5};
    // A flood goes out like a line at 9600 baud: about 1000 bytes a second.
    static constexpr std::chrono::milliseconds kTaktZalewu{10};
    static constexpr int kBajtowNaTakt = 10;
    static constexpr char kBajtZalewu = 'U';

    // `rozmiarKawalka` 0 sends every answer in one write.
    Nadajnik(int fd, int rozmiarKawalka, QObject *parent = nullptr);

    // Sends `odpowiedz` `opoznienie` from now, but not before the answers
    // queued earlier are out.
    void wyslij(const QByteArray &odpowiedz, std::chrono::milliseconds opoznienie);
    // Sends bytes other than EOT without a break for `czas` from now; a flood
    // under way is lengthened.
    void zalewaj(std::chrono::milliseconds czas);

signals:
    // The whole answer is out; `naLinii` is what the pseudo-terminal took.
    void wyslano(const QByteArray &naLinii);
    void zalewSkonczony(qint64 bajtow);

private:
    struct Odpowiedz
    {
        QByteArray bajty;
        qint64 terminNs = 0;
        qsizetype wyslane = 0;
        QByteArray naLinii;
    };

    void nadawaj();
    void taktZalewu();
    // What of `bajty` the pseudo-terminal took.
    QByteArray zapisz(const QByteArray &bajty);
    qint64 terazNs() const { return m_zegar.nsecsElapsed(); }

    int m_fd;
    int m_rozmiarKawalka;
    QElapsedTimer m_zegar;
    std::deque<Odpowiedz> m_kolejka;
    QTimer m_budzik;
    QTimer m_zalew;
    qint64 m_zalewDoNs = 0;
    qint64 m_zalanych = 0;
};
