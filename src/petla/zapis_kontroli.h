#pragma once

#include "petla/punkty.h"

#include <QByteArray>
#include <QString>

#include <optional>

class FolderProgramu;

// The record of a run as files.
namespace ZapisKontroli {

// One header row, then one row per point: dot decimals, UTF-8, CRLF line ends,
// the frame quoted.
QByteArray csv(const PrzebiegKontroli &p);

// Writes the whole file or leaves what was there untouched, making its folder
// when needed. Nothing on success, else the reason naming the file.
std::optional<QString> zapisz(const QString &sciezka, const QByteArray &dane);

// "<reports folder>/kontrola_<yyyy-MM-dd_HHmmss>_<serial>.<rozszerzenie>", the
// reports folder being "raporty" beside the settings file. Characters a file
// name cannot hold are left out of the serial number.
QString domyslnaSciezka(const FolderProgramu &folder, const PrzebiegKontroli &p, const QString &rozszerzenie);

// Numbers as the records and the tool print them: "12.004", "+0.025".
QString mA(double v);
QString zeZnakiem(double v);

} // namespace ZapisKontroli
