#pragma once

#include <QString>

// A pseudo-terminal pair in raw mode, standing in for a serial port. The
// emulator keeps its own descriptor of the slave side open for its whole life:
// the client opening and closing the port again and again then never makes the
// master side see a hang-up.
class Pseudoterminal
{
public:
    Pseudoterminal() = default;
    ~Pseudoterminal();
    Pseudoterminal(const Pseudoterminal &) = delete;
    Pseudoterminal &operator=(const Pseudoterminal &) = delete;

    // False with the reason in `blad` when the pair cannot be made.
    bool otworz(QString &blad);
    // Makes `sciezka` a symbolic link to the slave; an old link there is
    // replaced, anything else is left alone and the call fails. The link is
    // removed with the object.
    bool dowiaz(const QString &sciezka, QString &blad);

    // Non-blocking descriptor of the master side.
    int master() const { return m_master; }
    int slaveFd() const { return m_slave; }
    QString slave() const { return m_sciezkaSlave; }
    // The link when one was made, otherwise the slave.
    QString urzadzenie() const;

private:
    int m_master = -1;
    int m_slave = -1;
    QString m_sciezkaSlave;
    QString m_dowiazanie;
};
