#include "simulator/nadajnik.h"

#include "config/kodowanie.h"
#include "serial/mscomm.h"
#include "simulator/wartosci.h"

namespace {
// A slow line that cannot carry a long frame 20 times a second would queue it
// without end; past this much waiting output a tick sends nothing.
constexpr qint64 kNajwiecejWKolejce = 4096;
} // namespace

Nadajnik::Nadajnik(MSComm &port, const Wartosci &wartosci, QObject *parent)
    : QObject(parent), m_port(port), m_wartosci(wartosci), m_timer(this)
{
    m_timer.setObjectName(QStringLiteral("Timer3"));
    m_timer.setTimerType(Qt::PreciseTimer);
    m_timer.setInterval(kOkres);
    connect(&m_timer, &QTimer::timeout, this, &Nadajnik::Timer3_Timer);
    connect(&m_port, &MSComm::liniaUtracona, this, [this] {
        if (wlaczony())
            przerwij();
    });
}

void Nadajnik::wlacz()
{
    m_timer.start();
}

void Nadajnik::wylacz()
{
    m_timer.stop();
}

void Nadajnik::Timer3_Timer()
{
    if (m_port.doWyslania() > kNajwiecejWKolejce)
        return;
    if (Podsluch *p = m_port.podsluch())
        p->zdarzenie(ZdarzenieLinii::teraz({Znaczenie::Co::RamkaWagi, 0, {}, -1}));
    if (!m_port.Output(Kodowanie::doAnsi(m_wartosci.BiezacaRamka) + "\r\n")) {
        przerwij();
        return;
    }
    ++m_wyslane;
}

void Nadajnik::przerwij()
{
    m_timer.stop();
    emit przerwano();
}
