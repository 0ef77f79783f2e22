#pragma once

#include "emulator/typ_ramki.h"
#include "emulator/uart.h"

#include <QObject>
#include <QTimer>
#include <QVector>

#include <chrono>
#include <functional>

// How the scale behaves: what it sends, how often, at which line settings,
// and the faults it shows.
struct OpcjeWagi
{
    QString typ;
    UstawieniaUart linia;
    QVector<qint32> wagi{1234};   // shown in turn, over and over
    int ramekNaWage = 5;
    std::chrono::milliseconds okres{100};
    int coKtoraUcieta = 0;        // every Nth frame is cut in the middle (0: none)
    int coKtoraZSzumem = 0;       // every Nth frame comes after a burst of noise
    int milkniePo = 0;            // the scale stops after this many frames heard (0: never)
};

// A scale on the master side of the pseudo-terminal: sends a frame of its type
// every period, followed by CR LF. Frames go out only while a client has the
// port open (a closed port takes nothing in), and only those count: the
// weights, the faults and the stop follow the frames a client gets. A client
// whose line settings differ from the scale's gets them as its UART would make
// them out.
class Waga : public QObject
{
    Q_OBJECT

public:
    static constexpr int kBajtowSzumu = 8;

    Waga(const OpcjeWagi &opcje, const TypRamki &typ, int master, std::function<bool()> portOtwarty,
         bool raportuj, QObject *parent = nullptr);

private:
    void nadaj();
    QByteArray szum();

    OpcjeWagi m_opcje;
    TypRamki m_typ;
    int m_master;
    std::function<bool()> m_portOtwarty;
    bool m_raportuj;
    QTimer m_takt;
    int m_ramek = 0;
    quint32 m_losowa = 12345;
};
