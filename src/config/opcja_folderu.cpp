#include "config/opcja_folderu.h"

#include <QFileInfo>

QString bladFolderu(const QString &sciezka)
{
    const QFileInfo f(sciezka);
    if (!f.exists())
        return QStringLiteral("--folder: %1 does not exist").arg(sciezka);
    if (!f.isDir())
        return QStringLiteral("--folder: %1 is not a folder").arg(sciezka);
    return QString();
}
