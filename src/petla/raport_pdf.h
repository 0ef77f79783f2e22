#pragma once

#include "petla/punkty.h"

#include <QByteArray>

class Jezyk;

// The one-page calibration record of a run: date and time, operator, serial
// number, the converter's version and parameters, the meter, the table, the
// error plot with the tolerance band and the verdict in large letters. Texts
// come from the language file.
namespace RaportPdf {

QByteArray utworz(const PrzebiegKontroli &p, const Jezyk &jezyk);

} // namespace RaportPdf
