#pragma once

#include "config/jezyk.h"
#include "serial/lacze.h"
#include "serial/mscomm.h"
#include "serial/protokol.h"
#include "wspolne/emulator.h"
#include "wspolne/komunikaty.h"

#include <QDir>

#include <memory>

// The time-out message while the language file has no translation of it.
inline const QString kCzas = QStringLiteral("Przekroczony czas oczekiwania!");

// The protocol over a port that names `urzadzenie`, wired as the window wires
// it; `czekanie` records each show (true) and hide (false) of the waiting sign.
struct Polaczenie
{
    Polaczenie(const QString &urzadzenie, const QString &folder)
        : jezyk(QDir(folder).filePath("set.lng")), port(MapaPortow(QString(), urzadzenie)),
          lacze(port, ustawienia, jezyk, komunikaty), protokol(lacze, [this](bool w) { czekanie.append(w); })
    {
        lacze.UstawPort();
    }

    Jezyk jezyk;
    UstawieniaPortu ustawienia;
    ZebraneKomunikaty komunikaty;
    MSComm port;
    Lacze lacze;
    Protokol protokol;
    QList<bool> czekanie;
};

inline std::unique_ptr<EmulatorTestowy> emulator(const QStringList &argumenty = {})
{
    auto e = std::make_unique<EmulatorTestowy>();
    if (!e->uruchom(argumenty))
        qFatal("the emulator did not start");
    return e;
}
