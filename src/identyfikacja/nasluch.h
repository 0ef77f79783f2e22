#pragma once

#include "identyfikacja/ocena_linii.h"
#include "identyfikacja/podzial_ramek.h"

#include <QElapsedTimer>
#include <QObject>
#include <QStringList>
#include <QTimer>

#include <chrono>
#include <optional>

class Lacze;

// Listening to a scale on the program's one port: under the stored line
// settings, or trying one line setting after another until one gives the
// frames of a scale. Settings tried are set on the closed port for the time of
// the try only (a pseudo-terminal takes 7 data bits only before it opens); the
// stored ones are back on the port when the listening ends, and the port is
// closed. Runs from the event loop and never blocks it.
class Nasluch : public QObject
{
    Q_OBJECT

public:
    // How often the port is read.
    static constexpr std::chrono::milliseconds kTakt{10};
    // A scale silent for this long, or for this many periods if that is
    // longer, has stopped sending.
    static constexpr std::chrono::milliseconds kCisza{1000};
    static constexpr int kOkresowCiszy = 5;

    enum class Koniec { Czas, Zatrzymano, PortNiedostepny, PortUtracony };

    // The settings a search tries, in this order: `zapisana` (the stored one)
    // when it is a usual one, then 9600, 4800, 19200, 2400 and 1200 baud, each
    // with 8N1, 7E1, 7O1, 8E1, 8O1 and 7N1, the more common first.
    static QStringList linieDoSprawdzenia(const QString &zapisana);

    // A window that goes with the program goes after the port object, so the
    // listening leaves the port alone when destroyed: the port closes itself.
    explicit Nasluch(Lacze &lacze, QObject *parent = nullptr);

    // Listens under the stored settings for `czas`, or until zatrzymaj() when
    // `czas` is zero. False when the port cannot be opened (the user has been
    // told why) or a listening is under way.
    bool sluchaj(std::chrono::milliseconds czas);
    // Tries each setting for `czasProby` and takes the first clean one, or the
    // best of the possible ones when none is clean. Under the one chosen it
    // listens on until zatrzymaj() when `dalej`, otherwise it ends there.
    bool szukaj(std::chrono::milliseconds czasProby, bool dalej);
    void zatrzymaj();

    bool trwa() const { return m_takt.isActive(); }
    bool szuka() const { return trwa() && m_szuka; }
    // The settings the port is listened to under now, or was last.
    QString linia() const { return m_linia; }
    std::optional<double> okresMs() const { return m_podzial.okresMs(); }
    qint64 bajtow() const { return m_podzial.bajtow(); }
    qint64 pozaRamkami() const { return m_podzial.pozaRamkami(); }

signals:
    void zajmujeLacze(bool zajmuje);
    // A frame as it arrived; `proba` while the setting is only being tried.
    void ramka(const PodzialRamek::Ramka &ramka, bool proba);
    // One setting has been tried.
    void sprobowano(const OcenaLinii &ocena);
    // The search took `ocena`; `ramki` are the frames that setting gave.
    void wybrano(const OcenaLinii &ocena, const QVector<PodzialRamek::Ramka> &ramki);
    // No setting gave the frames of a scale.
    void nieZnaleziono();
    // Nothing has come for `ms`; told once per silence.
    void cisza(qint64 ms);
    void zakonczono(Nasluch::Koniec koniec);

private:
    bool zacznij(const QStringList &linie, std::chrono::milliseconds czasProby, bool szuka, bool dalej);
    bool otworz(const QString &linia);
    void tyknij();
    void koniecProby();
    void wybierz(const OcenaLinii &ocena, const QVector<PodzialRamek::Ramka> &ramki);
    void zakoncz(Koniec koniec);

    Lacze &m_lacze;
    QTimer m_takt;
    QElapsedTimer m_zegar;
    QStringList m_linie;
    int m_indeks = 0;
    qint64 m_czasProbyMs = 0;
    qint64 m_poczatekProbyMs = 0;
    bool m_szuka = false;
    bool m_dalej = false;
    bool m_ciszaZgloszona = false;
    QString m_linia;
    PodzialRamek m_podzial;
    QVector<PodzialRamek::Ramka> m_ramkiProby;
    std::optional<OcenaLinii> m_najlepsza;
    QVector<PodzialRamek::Ramka> m_ramkiNajlepszej;
};
