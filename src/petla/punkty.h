#pragma once

#include <QDateTime>
#include <QString>
#include <QVector>

#include <chrono>
#include <optional>

// What a loop check is run with. Errors and limits are in per cent of the
// 16 mA span, as a calibration certificate states them.
struct UstawieniaKontroli
{
    static constexpr int kNajmniejPunktow = 2;
    static constexpr int kNajwiecejPunktow = 51;

    int punkty = 5;
    bool goraDol = false;            // up, then down again: shows hysteresis
    double tolerancja = 0.1;         // ± % of span
    int zgodnychOdczytow = 3;        // readings that must agree for a point to count
    double zgodnosc = 0.02;          // % of span those readings may spread over
    std::chrono::milliseconds limitUstalania{5000};   // 0: no limit (readings typed in)
    std::chrono::milliseconds odstepOdczytow{100};    // from one request to the next
    QString operatorNazwa;
    QString numerSeryjny;

    // Nothing when the settings can be used, else the reason, naming the value.
    std::optional<QString> blad() const;
};

// One point of the sweep, filled in as it is measured.
struct PunktKontroli
{
    qint32 waga = 0;
    bool wDol = false;               // on the way down of an up-then-down run
    QString ramka;
    double oczekiwany = 0.0;         // mA
    std::optional<double> zmierzony; // mA; the last reading of an unstable point
    bool stabilny = false;

    bool zmierzonyPunkt() const { return zmierzony.has_value(); }
    double bladMA() const { return zmierzony.value_or(oczekiwany) - oczekiwany; }
    double bladProcent() const;
    // Settled and within the tolerance.
    bool zgodny(double tolerancja) const;
};

// The converter's parameters as read from the converter at the start of a run.
struct ParametryKonwertera
{
    QString wersja;
    qint64 maksimum = 0;
    QString typRamki;     // the code the converter answered
    QString opisTypu;     // its description in the catalogue
    int tryb = 0;
};

// Everything a record of a run holds.
struct PrzebiegKontroli
{
    QDateTime poczatek;
    UstawieniaKontroli ustawienia;
    ParametryKonwertera konwerter;
    QString miernik;      // the meter's identity
    QVector<PunktKontroli> punkty;

    bool zgodny() const;
};

namespace Punkty {

// The weights of a sweep over the characteristic of mode `tryb`: `n` points
// spread evenly over it, both ends and, for an odd count, the middle. Modes 0
// and 1 run from -max to +max; mode 2 from 0 to +max, since below zero it
// drives 4 mA just as zero does. On the way down the points come back,
// without the top one twice.
QVector<PunktKontroli> plan(int tryb, qint64 maksimum, int n, bool goraDol);

// The largest error of the measured points, in % of span, with its sign.
std::optional<double> najwiekszyBlad(const QVector<PunktKontroli> &punkty);

// Every point measured, settled and within the tolerance.
bool zgodne(const QVector<PunktKontroli> &punkty, double tolerancja);

} // namespace Punkty

// The settling rule: a point counts when the last few readings agree within a
// band; past the time limit it is unstable.
class Ustalanie
{
public:
    enum class Stan { Czeka, Ustalony, Niestabilny };

    explicit Ustalanie(const UstawieniaKontroli &u) : m_u(u) {}

    Stan dodaj(double mA, std::chrono::milliseconds odPoczatku);
    // The reading recorded for the point: the last one.
    double wynik() const { return m_odczyty.isEmpty() ? 0.0 : m_odczyty.last(); }
    int odczytow() const { return int(m_odczyty.size()); }

private:
    UstawieniaKontroli m_u;
    QVector<double> m_odczyty;
};
