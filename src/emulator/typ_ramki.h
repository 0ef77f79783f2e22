#pragma once

#include <QChar>
#include <QString>

// How a scale of one frame type writes its weight: the template and the
// characters it fills in. The defaults are those of a frame type the settings
// file does not describe.
struct TypRamki
{
    QChar plus = u'+';
    QChar minus = u'_';
    QChar zero = u' ';
    QString wzor = QStringLiteral("mmmmmm");
    QString jednostka = QStringLiteral("kg");
};

namespace TypyRamek {

// The template and unit a scale uses when the settings leave them empty.
inline constexpr QStringView kWzorZastepczy = u"mm0k00msjj";
inline constexpr QStringView kJednostkaZastepcza = u"kg";

// The frame type `kod` as the program loads it from its settings file: the
// section named by the code, and the unit of section "parametry". The file is
// looked for without regard to the case of its name.
TypRamki wczytaj(const QString &plikUstawien, const QString &kod);

} // namespace TypyRamek
