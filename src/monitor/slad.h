#pragma once

#include "monitor/linia_monitora.h"
#include "monitor/podsluch.h"

#include <functional>
#include <optional>

// The monitor's lines written out one by one as they are complete, for the
// command-line trace. A line is complete when the next one starts, since
// repeats and the outcome of an exchange still go onto it; the last one goes
// out with dokoncz() or at the end.
class SladLinii : public Podsluch
{
public:
    SladLinii(TekstyMonitora teksty, std::function<void(const QString &)> wypisz);
    ~SladLinii() override;

    void zdarzenie(const ZdarzenieLinii &z) override;
    void dokoncz();

private:
    SkladanieLinii m_skladanie;
    std::function<void(const QString &)> m_wypisz;
    std::optional<LiniaMonitora> m_biezaca;
};
