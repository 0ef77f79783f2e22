#pragma once

#include "emulator/opcje.h"
#include "emulator/rozdzielacz.h"
#include "emulator/statystyka.h"
#include "emulator/typ_ramki.h"

#include <QElapsedTimer>
#include <QObject>

class Nadajnik;
class ObserwatorPortu;
class QSocketNotifier;

// The converter on the master side of the pseudo-terminal: answers commands,
// reads scale frames and reports both.
class Emulator : public QObject
{
    Q_OBJECT

public:
    // `port` tells whether a client has the port open.
    Emulator(const Opcje &opcje, int master, ObserwatorPortu &port, QObject *parent = nullptr);

    void wypiszStatystyke() const;
    // The loop current the converter drives now, in mA: 4 mA, as with no
    // data, until the first frame it can read.
    double prad() const { return m_prad; }

signals:
    // A frame changed the loop current to `mA`.
    void pradPetli(double mA);
    // The master side failed; nothing more can be read.
    void awaria();

private:
    void czytaj();
    void polecenie(const QByteArray &ramka);
    void ramkaWagi(const QByteArray &ramka, qint64 czasNs);
    void wczytajTypRamki();

    Opcje m_opcje;
    int m_master;
    QSocketNotifier *m_odczyt = nullptr;
    Nadajnik *m_nadajnik = nullptr;
    Rozdzielacz m_rozdzielacz;
    TypRamki m_typ;
    StatystykaRamek m_statystyka;
    QElapsedTimer m_zegar;
    double m_prad;
};
