// One of the processes that save into one file at the same time: writes keys
// PREFIXnnn = PREFIXnnn, n from 000 to COUNT-1, to section USTAWIENIA of FILE,
// one save each.
//
// pisarz_ini FILE PREFIX COUNT
#include "config/ini.h"

#include <QCoreApplication>
#include <QStringList>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList a = app.arguments();
    if (a.size() != 4)
        return 64;
    const int ile = a[3].toInt();
    for (int i = 0; i < ile; ++i) {
        const QString klucz = a[2] + QString::number(i).rightJustified(3, QLatin1Char('0'));
        if (!modNI::ZapiszIni(a[1], QStringLiteral("USTAWIENIA"), klucz, klucz))
            return 1;
    }
    return 0;
}
