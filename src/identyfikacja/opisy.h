#pragma once

#include "identyfikacja/dopasowanie.h"
#include "identyfikacja/ocena_linii.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

class Jezyk;

// The words in which the identification of a scale speaks to the user, from
// section "identyfikacja" of the language file; the window and the
// command-line tool say the same.
namespace OpisyIdentyfikacji {

inline const QString kSekcja = QStringLiteral("identyfikacja");

QString tekst(const Jezyk &jezyk, const QString &klucz, const QString &domyslny);

// What one line setting gave, in one line.
QString proba(const Jezyk &jezyk, const OcenaLinii &ocena);
// Why the search took `ocena`.
QString wybor(const Jezyk &jezyk, const OcenaLinii &ocena);

// How a listening ended, as far as the user needs telling.
struct Przebieg
{
    qint64 bajtow = 0;
    bool liniaNieZnaleziona = false;
    bool ucichla = false;            // the scale sent frames, then stopped
    bool portUtracony = false;
    QString nazwaPortu;
};

// The messages for the user, most important first; none when exactly one type
// fits and nothing went wrong.
QStringList uwagi(const Jezyk &jezyk, const Przebieg &przebieg, const Dopasowanie &dopasowanie);

} // namespace OpisyIdentyfikacji
