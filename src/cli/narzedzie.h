#pragma once

#include "cli/wynik.h"
#include "config/folder.h"
#include "config/jezyk.h"
#include "config/komunikaty.h"
#include "config/ustawienia.h"
#include "petla/punkty.h"
#include "serial/lacze.h"
#include "serial/mscomm.h"
#include "serial/protokol.h"

#include <QStringList>

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
    Wynik ustaw(const QString &co, const QString &wartosc);
    Wynik ramka(const QString &waga, const QString &typ);
    Wynik symuluj(const QString &waga, const QString &typ, const QString &sekundy);
    Wynik porty();

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
};
