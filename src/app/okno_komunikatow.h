#pragma once

#include "config/komunikaty.h"

// Messages as message boxes: an OK button, an empty title, the critical or the
// information icon.
class OknoKomunikatow : public Komunikaty
{
public:
    void pokaz(Ikona ikona, const QString &tekst) override;
};
