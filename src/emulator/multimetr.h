#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QString>

#include <chrono>

class QSocketNotifier;

// The meter's side of the command line: how it behaves.
struct OpcjeMultimetru
{
    bool wlaczony = false;
    QString dowiazanie;
    // Peak of the noise on each reading, in mA, evenly spread.
    double szum = 0.0;
    // The reading approaches a new loop current exponentially with this time
    // constant; 0 follows at once.
    std::chrono::milliseconds stalaCzasowa{0};
    // Never answers.
    bool milczy = false;
};

// A SCPI bench multimeter in series with the loop, on the master side of its
// own pseudo-terminal. It takes "*IDN?", "CONF:CURR:DC" (short or long forms,
// any case) and "READ?", which answers the loop current in amperes, or 0 V
// while it is still set to measure voltage, as it is at power-on. Each
// command and answer is reported as a "DMM RX" / "DMM TX" line; a command it
// does not know as "DMM UNKNOWN", and it answers nothing to it.
class Multimetr : public QObject
{
    Q_OBJECT

public:
    Multimetr(const OpcjeMultimetru &opcje, int master, double pradPoczatkowy,
              QObject *parent = nullptr);

    static inline const QByteArray kIdentyfikacja = QByteArrayLiteral("KONWERTER-EMU,DMM-1,0001,1.0");

    // The loop current from now on, in mA.
    void ustawPrad(double mA);

signals:
    // The master side failed; nothing more can be read.
    void awaria();

private:
    void czytaj();
    void polecenie(const QByteArray &linia);
    // The reading now, noise included, in mA.
    double wskazanie();

    OpcjeMultimetru m_opcje;
    int m_master;
    QSocketNotifier *m_odczyt = nullptr;
    QByteArray m_bufor;
    bool m_prad = false;
    double m_cel;
    double m_wskazanie;
    qint64 m_chwila = 0;
    QElapsedTimer m_zegar;
};
