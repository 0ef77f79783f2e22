#pragma once

#include <QProcess>
#include <QString>

// Demo mode: the converter emulator runs as a child process on a
// pseudo-terminal and every port number names its device for this run. What the
// emulator reports (frames, weights, loop current) goes to standard output.
class Demo
{
public:
    Demo() = default;
    ~Demo();

    // Starts the emulator found beside the program; false (with the reason in
    // `blad`) when it cannot be started or does not name its device in time.
    bool uruchom(const QString &folderProgramu, QString &blad);
    QString urzadzenie() const { return m_urzadzenie; }

private:
    QProcess m_emulator;
    QString m_urzadzenie;
};
