#pragma once

#include <QDir>
#include <QString>

// The program folder and the files the program keeps in it. The settings file
// carries two spellings, as the program always has: both name one file, since
// file names are matched without regard to case.
class FolderProgramu
{
public:
    // Beside the executable of an installed program, this file names the
    // folder of its settings and language file.
    static constexpr const char *kZnacznikInstalacji = "folder-danych";

    explicit FolderProgramu(QString folder) : m_folder(std::move(folder)) {}

    // The folder used without --folder. A build, or a folder copied anywhere,
    // keeps its files beside the executable. An installed program, whose
    // folder holds `kZnacznikInstalacji`, keeps them where the file's first
    // line says, or, when that line is empty, in the machine's folder for
    // program data (/var/lib/konwerter; on Windows Konwerter in ProgramData),
    // so that nobody who only uses the program may change the programs. There
    // the shipped `*.default` files beside the executable fill in what is
    // missing.
    static FolderProgramu domyslny(const QString &folderPliku);

    QString folder() const { return m_folder; }
    // Where the serial parameters are kept.
    QString plikUstawien() const { return QDir(m_folder).filePath(QStringLiteral("Settings.ini")); }
    // Where the catalogue and the stored converter parameters are read.
    QString plikKatalogu() const { return QDir(m_folder).filePath(QStringLiteral("settings.ini")); }
    QString plikJezyka() const { return QDir(m_folder).filePath(QStringLiteral("set.lng")); }

    // At start: fills in the settings and language file from the shipped
    // defaults where they are missing (installed program only), and removes
    // what saves interrupted by a crash left beside them.
    void przygotuj() const;

private:
    QString m_folder;
    // Where the shipped defaults lie; empty when the files live beside them.
    QString m_wzorce;
};
