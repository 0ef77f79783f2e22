#pragma once

#include "okna/formatka.h"

// A window of its own opened from the side bar of the main window, beside it
// and not modal. While it holds the converter's port it says so, and the main
// window keeps its hands off the port as during continuous sending.
class OknoNarzedzia : public Formatka
{
    Q_OBJECT

public:
    using Formatka::Formatka;

signals:
    void zajmujeLacze(bool zajete);
};
