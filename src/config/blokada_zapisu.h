#pragma once

#include <QLockFile>
#include <QString>

// Saves of several processes to one file take turns: a save holds the lock
// `<file>.lock` while it reads, changes and replaces the file. To take the
// lock a save first takes its place in line, `<file>.kolejka`, so that a
// process saving key after key cannot take the lock again and again while
// another waits for it. A lock whose process died is taken over; after about
// a second of waiting the save goes on without the lock rather than lose the
// change.
class BlokadaZapisu
{
public:
    explicit BlokadaZapisu(const QString &plik);

private:
    QLockFile m_kolejka;
    QLockFile m_blokada;
};
