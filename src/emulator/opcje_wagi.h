#pragma once

#include "emulator/waga.h"

#include <QString>

#include <optional>

class QCommandLineParser;

// The options that make the emulator play a scale instead of only the converter.
namespace OpcjeWagiEmulatora {

void dodaj(QCommandLineParser &parser);
// False with the message in `komunikat` when a scale option is wrong; `wynik`
// stays empty without --scale.
bool czytaj(const QCommandLineParser &parser, std::optional<OpcjeWagi> &wynik, QString &komunikat);
// False with the message when `typ` is not a frame type of the catalogue in
// `plikUstawien`.
bool sprawdzTyp(const QString &plikUstawien, const QString &typ, QString &komunikat);

} // namespace OpcjeWagiEmulatora
