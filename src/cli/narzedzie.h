#pragma once

#include "cli/wynik.h"
#include "config/folder.h"
#include "config/jezyk.h"
#include "config/komunikaty.h"
#include "config/ustawienia.h"
#include "petla/punkty.h"
#include "monitor/slad.h"
#include "serial/lacze.h"
#include "serial/mscomm.h"
#include "serial/protokol.h"

#include <QStringList>

#include <memory>

// The commands of the command-line tool over the very code the window uses:
// the same line settings from the settings file, the same exchanges, the same
// judgment of the answers and the same frames.
class Narzedzie
{
public:
    // `nrPortu` and `urzadzenie` override the stored port number and the device
    // for this run when not empty. Nothing is written to the settings file.
    Narzedzie(const QString &folder, const QString &nrPortu, const QString &urzadzenie);

    Wynik pobierz(const QString &co);
    // `wymus` sends a frame-type code the catalogue does not hold.
    Wynik ustaw(const QString &co, const QString &wartosc, bool wymus = false);
    // `polecenie` names the command in a refusal.
    Wynik ramka(const QString &waga, const QString &typ, const QString &polecenie = QStringLiteral("frame"));
    Wynik symuluj(const QString &waga, const QString &typ, const QString &sekundy);
    Wynik porty();
    // Listens to a scale for `sekundy` (under each line setting tried, with
    // `autoLinia`) and names the frame types its frames fit: 0 when exactly one
    // fits, 1 when none or several do, 2 when the port is lost.
    Wynik identyfikuj(const QString &sekundy, bool autoLinia);

    static constexpr double kSekundyIdentyfikacji = 2.0;

    // From now on every event of the line goes to standard error, in the
    // traffic monitor's lines; dokonczSlad() writes out the line still open.
    void sledz();
    void dokonczSlad();

    struct OpcjeKontroli
    {
        UstawieniaKontroli ustawienia;
        QString dmm;          // the meter's device; empty: readings from standard input
        QString dmmBaud;
        QString csv;
        QString pdf;
        bool json = false;    // prompts go to standard error then
    };
    Wynik kontrola(const OpcjeKontroli &opcje);

private:
    // Messages the window would show in a box, kept for the error text.
    class Zebrane : public Komunikaty
    {
    public:
        void pokaz(Ikona, const QString &tekst) override { teksty.append(tekst); }
        QStringList teksty;
    };

    Wynik bladWymiany(const Protokol::Wymiana &w);
    Wynik bladPortu();
    // Why `kod` may not be sent as a frame type; empty when it may.
    QString kodRamki(const QString &kod, bool wymus) const;
    // The frame type the window would be on: --type, or the one restored at start.
    std::optional<QString> typRamki(const QString &typ) const;

    FolderProgramu m_folder;
    QString m_urzadzenie;
    Jezyk m_jezyk;
    UstawieniaPortu m_ustawienia;
    Zebrane m_komunikaty;
    MSComm m_port;
    Lacze m_lacze;
    Protokol m_protokol;
    std::unique_ptr<SladLinii> m_slad;
};
