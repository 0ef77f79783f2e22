#pragma once

#include "emulator/multimetr.h"
#include "emulator/polecenia.h"
#include "emulator/wyjscie_pradowe.h"
#include "emulator/waga.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <chrono>
#include <optional>

// Everything the command line decides.
struct Opcje
{
    QString folder;
    QString dowiazanie;
    StanKonwertera stan;
    UsterkiPolecen usterkiPolecen;
    bool milczy = false;
    std::chrono::milliseconds opoznienie{0};
    int rozmiarKawalka = 0;
    QByteArray szum;
    QByteArray dopisek;
    std::chrono::milliseconds zalew{0};
    qint64 zalewNaSekunde = 1000;
    bool bezRamek = false;
    bool doKoncaWejscia = false;
    WyjsciePradowe wyjscie;
    OpcjeMultimetru multimetr;
    std::optional<OpcjeWagi> waga;
};

namespace OpcjeEmulatora {

// `argumenty` with the program name first. Nothing, with the message in
// `komunikat`, when the command line is wrong or help was asked for (then
// `pomoc` is set and the message is the help text). `folderProgramu` is the
// default of --folder.
std::optional<Opcje> czytaj(const QStringList &argumenty, const QString &folderProgramu,
                            QString &komunikat, bool &pomoc);

} // namespace OpcjeEmulatora
