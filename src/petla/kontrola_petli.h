#pragma once

#include "petla/punkty.h"
#include "simulator/nadajnik.h"
#include "simulator/wartosci.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QTimer>

class Jezyk;
class Lacze;
class Miernik;
class Protokol;

// A loop check: the converter's parameters are read from the converter, then
// each point's frame goes out continuously while the meter is read until the
// readings settle, and the point is judged against the tolerance. Every step
// answers through the event loop; nothing blocks but the converter's own
// exchanges at the start.
class KontrolaPetli : public QObject
{
    Q_OBJECT

public:
    enum class Koniec {
        Zgodny,      // every point settled within the tolerance
        Niezgodny,   // a point beyond the tolerance or unstable
        Utracono,    // the converter or the meter cannot be used or went away
        Przerwano,   // stopped by the user
    };
    Q_ENUM(Koniec)

    // A meter that does not answer a request in this time is taken as lost;
    // a meter's own time limit, with its more telling message, comes first.
    static constexpr std::chrono::milliseconds kCzasMiernika{5000};

    KontrolaPetli(Lacze &lacze, Protokol &protokol, const Jezyk &jezyk, QString plikKatalogu,
                  QObject *parent = nullptr);
    ~KontrolaPetli() override;

    // Starts a run from the event loop; the meter must outlive it. Settings
    // that cannot be used end the run at once with the reason.
    void start(const UstawieniaKontroli &ustawienia, Miernik &miernik);
    // Ends the run at any moment: sending stops, the port and the meter close.
    void stop();
    bool trwa() const { return m_trwa; }

    // The run so far, or the last one.
    const PrzebiegKontroli &przebieg() const { return m_p; }
    const ParametryKonwertera &konwerter() const { return m_p.konwerter; }
    const QVector<PunktKontroli> &punkty() const { return m_p.punkty; }
    QString miernik() const { return m_p.miernik; }

signals:
    // The converter has been read and the points planned.
    void rozpoczeto();
    // Point `i`'s frame is on the line and its readings are being taken.
    void punktRozpoczety(int i);
    void odczytano(int i, double mA);
    void punktZmierzony(int i);
    void zakonczono(KontrolaPetli::Koniec koniec, const QString &opis);

private:
    void czytajKonwerter();
    void miernikGotowy(const QString &identyfikacja);
    void rozpocznijPunkt(int i);
    void popros();
    void odczyt(double mA);
    void zakoncz(Koniec koniec, const QString &opis);
    QString tekst(const QString &klucz) const;

    Lacze &m_lacze;
    Protokol &m_protokol;
    const Jezyk &m_jezyk;
    QString m_plikKatalogu;
    Wartosci m_wartosci;
    Nadajnik m_nadajnik;
    QPointer<Miernik> m_miernik;
    QList<QMetaObject::Connection> m_polaczenia;

    PrzebiegKontroli m_p;
    bool m_trwa = false;

    int m_biezacy = -1;
    qint64 m_wyslaneNaPoczatku = 0;
    std::optional<Ustalanie> m_ustalanie;
    bool m_czekaNaOdczyt = false;
    QElapsedTimer m_zegarPunktu;
    QElapsedTimer m_zegarProsby;
    QTimer m_odstep;
    QTimer m_strazMiernika;
};
