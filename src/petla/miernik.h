#pragma once

#include <QObject>
#include <QString>

// A source of the measured loop current. It never blocks its caller: every
// request is answered by a signal.
class Miernik : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

    // Starts using the meter: gotowy() with its identity, or blad().
    virtual void otworz() = 0;
    // Asks for one reading: odczyt() in mA, or blad().
    virtual void zmierz() = 0;
    virtual void zamknij() = 0;

signals:
    void gotowy(const QString &identyfikacja);
    void odczyt(double mA);
    void blad(const QString &opis);
};
