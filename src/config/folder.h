#pragma once

#include <QDir>
#include <QString>

// The program folder and the files the program keeps in it. The settings file
// carries two spellings, as the program always has: both name one file, since
// file names are matched without regard to case.
class FolderProgramu
{
public:
    explicit FolderProgramu(QString folder) : m_folder(std::move(folder)) {}

    QString folder() const { return m_folder; }
    // Where the serial parameters are kept.
    QString plikUstawien() const { return QDir(m_folder).filePath(QStringLiteral("Settings.ini")); }
    // Where the catalogue and the stored converter parameters are read.
    QString plikKatalogu() const { return QDir(m_folder).filePath(QStringLiteral("settings.ini")); }
    QString plikJezyka() const { return QDir(m_folder).filePath(QStringLiteral("set.lng")); }

private:
    QString m_folder;
};
