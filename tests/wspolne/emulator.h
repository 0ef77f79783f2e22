#pragma once

#include <QByteArray>
#include <QList>
#include <QProcess>
#include <QString>
#include <QStringList>

// konwerter-emu as a child of a test: it plays the converter on a
// pseudo-terminal whose path `urzadzenie()` gives, and reports every command it
// receives, every answer and every scale frame as a line of its output.
//
// Add ${CMAKE_CURRENT_SOURCE_DIR}/../wspolne/emulator.cpp to the test's
// SOURCES and include "wspolne/emulator.h". The emulator runs with --stdin, so
// it ends with the test process however that ends.
class EmulatorTestowy
{
public:
    static constexpr int kCzasStartu = 5000;
    static constexpr int kCzasOczekiwania = 2000;

    // One "STATS frames=N mean=X p99dev=Y maxdev=Z" line; frames is -1 when
    // no such line came.
    struct Statystyka
    {
        int ramki = -1;
        double srednia = 0.0;
        double p99 = 0.0;
        double maks = 0.0;
        bool wazna() const { return ramki >= 0; }
    };

    EmulatorTestowy() = default;
    ~EmulatorTestowy();
    EmulatorTestowy(const EmulatorTestowy &) = delete;
    EmulatorTestowy &operator=(const EmulatorTestowy &) = delete;

    // Starts the emulator with `argumenty`, and with --folder `folder` when it
    // is not empty (otherwise it reads the settings beside itself). True once
    // it has named its device, and with --dmm or --dmm-link the meter's too.
    bool uruchom(const QStringList &argumenty = {}, const QString &folder = {});

    QString urzadzenie() const { return m_urzadzenie; }
    // The meter's device, with --dmm or --dmm-link.
    QString miernik() const { return m_miernik; }
    bool dziala() const { return m_proces.state() == QProcess::Running; }
    qint64 pid() const { return m_proces.processId(); }

    // Every line after the device line, so far.
    QStringList linie();
    // The first line beginning with `przedrostek` after the line the previous
    // call found (from the start at first), waiting up to `czasMs` for it; a
    // null text when none came.
    QString czekajNaLinie(const QString &przedrostek, int czasMs = kCzasOczekiwania);
    // The command frames received so far, from the "RX" lines.
    QList<QByteArray> rx();
    // The answers sent so far, from the "TX" lines.
    QList<QByteArray> tx();

    // Asks for the frame timing (SIGUSR1) and waits for the answer.
    Statystyka statystyka(int czasMs = kCzasOczekiwania);
    static Statystyka rozbierzStatystyke(const QString &linia);

    // Ends the emulator the orderly way (end of its input), which prints its
    // last STATS line and removes its link; true when it ended so with code 0.
    bool zatrzymaj(int czasMs = kCzasStartu);
    // Ends it at once, as a crash would.
    void zabij();

private:
    void odbierz();
    // Index of the first line from `od` on beginning with `przedrostek`, -1
    // when none came within `czasMs`.
    qsizetype czekaj(const QString &przedrostek, qsizetype od, int czasMs);
    QList<QByteArray> ramki(const QString &przedrostek);

    QProcess m_proces;
    QString m_urzadzenie;
    QString m_miernik;
    QStringList m_linie;
    QByteArray m_reszta;
    qsizetype m_kursor = 0;
};
