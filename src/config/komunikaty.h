#pragma once

#include <QString>

// The one way the program tells the user something: a message with an OK button
// and an empty title. The window shows message boxes, the command-line tool
// prints, the tests collect the texts.
class Komunikaty
{
public:
    enum class Ikona { Krytyczna, Informacja };

    virtual ~Komunikaty() = default;
    virtual void pokaz(Ikona ikona, const QString &tekst) = 0;

    void krytyczny(const QString &tekst) { pokaz(Ikona::Krytyczna, tekst); }
    void informacja(const QString &tekst) { pokaz(Ikona::Informacja, tekst); }
};
