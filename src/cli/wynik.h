#pragma once

#include "monitor/widoczne.h"

#include <QJsonObject>
#include <QJsonValue>
#include <QString>

// What one command of the command-line tool came to, and how it ends the
// process: 0 done, 1 the converter did not give what was asked, 2 the port
// cannot be opened, 64 wrong usage.
struct Wynik
{
    enum Kod { Sukces = 0, Konwerter = 1, Port = 2, Uzycie = 64 };

    int kod = Sukces;
    QJsonValue wartosc{QJsonValue::Undefined};   // printed on standard output
    QString blad;         // printed on standard error
    QJsonObject dodatki;  // extra fields of the JSON answer
    QString tekst;        // printed instead of the value when not in JSON
    QString uwaga;        // printed on standard error when not in JSON, on success too

    static Wynik ok(const QJsonValue &wartosc) { return {Sukces, wartosc, {}, {}, {}, {}}; }
    static Wynik porazka(int kod, const QString &blad)
    {
        return {kod, QJsonValue(QJsonValue::Undefined), blad, {}, {}, {}};
    }
};

// Prints the result as text or as one JSON object; returns the exit status.
int wypisz(const Wynik &w, bool json);
