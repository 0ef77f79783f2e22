#pragma once

#include "emulator/polecenia.h"
#include "emulator/typ_ramki.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>

// One scale frame as the converter takes it in: its text, the weight read from
// it and the loop current that weight gives.
struct OdczytRamki
{
    QString tekst;
    std::optional<qint64> waga;
    double prad = 0.0;
};

namespace OdczytyRamek {

// `bajty` is the frame without its line end, in Windows-1250 like the settings
// file the template comes from.
OdczytRamki odczytaj(QByteArrayView bajty, const TypRamki &typ, const StanKonwertera &stan);

// `FRAME "<text>" weight=<w> current=<mA> mA`, or `FRAME "<text>" undecodable`,
// the text quoted as `Dziennik::wCudzyslowie` does.
QByteArray wiersz(const OdczytRamki &odczyt);

} // namespace OdczytyRamek
