#include "config/blokada_zapisu.h"

#include <QDeadlineTimer>
#include <QThread>

namespace {

constexpr int kCzekanieMs = 1000;
// How often a waiting save looks again; a save takes a few milliseconds.
constexpr unsigned long kPrzerwaMs = 2;

bool wez(QLockFile &blokada, const QDeadlineTimer &termin)
{
    while (!blokada.tryLock(0)) {
        if (blokada.error() != QLockFile::LockFailedError || termin.hasExpired())
            return false;
        QThread::msleep(kPrzerwaMs);
    }
    return true;
}

} // namespace

BlokadaZapisu::BlokadaZapisu(const QString &plik)
    : m_kolejka(plik + QStringLiteral(".kolejka")), m_blokada(plik + QStringLiteral(".lock"))
{
    const QDeadlineTimer termin(kCzekanieMs);
    const bool wKolejce = wez(m_kolejka, termin);
    wez(m_blokada, termin);
    if (wKolejce)
        m_kolejka.unlock();
}
