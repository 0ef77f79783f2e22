#include "config/folder.h"

#include "config/ini.h"

#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

QString folderDanychKomputera()
{
#ifdef Q_OS_WIN
    // The last of these is ProgramData, shared by every user of the machine.
    return QDir(QStandardPaths::standardLocations(QStandardPaths::GenericConfigLocation).constLast())
        .filePath(QStringLiteral("Konwerter"));
#else
    return QStringLiteral("/var/lib/konwerter");
#endif
}

} // namespace

FolderProgramu FolderProgramu::domyslny(const QString &folderPliku)
{
    QFile znacznik(QDir(folderPliku).filePath(QLatin1String(kZnacznikInstalacji)));
    if (!znacznik.open(QIODevice::ReadOnly))
        return FolderProgramu(folderPliku);
    const QString wskazany = QString::fromUtf8(znacznik.readLine(4096)).trimmed();
    FolderProgramu f(wskazany.isEmpty() ? folderDanychKomputera() : wskazany);
    f.m_wzorce = folderPliku;
    return f;
}

void FolderProgramu::przygotuj() const
{
    const QString pliki[] = {plikKatalogu(), plikJezyka()};
    for (const QString &plik : pliki) {
        if (!m_wzorce.isEmpty() && !QFileInfo::exists(modNI::ZnajdzPlik(plik)) && QDir().mkpath(m_folder)
            && QFile::copy(QDir(m_wzorce).filePath(QFileInfo(plik).fileName() + QStringLiteral(".default")), plik))
            // Every user of the program keeps settings in it, not only the first.
            QFile::setPermissions(plik, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::WriteGroup
                                            | QFile::ReadOther);
        modNI::UsunPozostalosciZapisu(plik);
    }
}
