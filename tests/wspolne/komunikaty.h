#pragma once

#include "config/komunikaty.h"

#include <QList>
#include <QPair>
#include <QStringList>

// Messages the program would have shown, collected instead.
class ZebraneKomunikaty : public Komunikaty
{
public:
    void pokaz(Ikona ikona, const QString &tekst) override { lista.append({ikona, tekst}); }
    QStringList teksty() const
    {
        QStringList t;
        for (const auto &k : lista)
            t.append(k.second);
        return t;
    }
    QList<QPair<Ikona, QString>> lista;
};
