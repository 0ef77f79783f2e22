#pragma once

#include "petla/kanal_scpi.h"

#include <chrono>
#include <memory>

class Jezyk;

// A meter on a USBTMC device file (Linux): one write() per command, one read()
// per answer. Both block in the kernel driver, so each exchange runs on a
// thread of its own and reports back through the event loop. The driver's
// time-out is set a little shorter than the caller's `czasOdpowiedzi`, so by
// the time the caller gives up on a silent meter its exchange has ended, and
// cannot take the answer meant for the next one.
class KanalUsbtmc : public KanalScpi
{
    Q_OBJECT

public:
    KanalUsbtmc(QString urzadzenie, std::chrono::milliseconds czasOdpowiedzi, const Jezyk *jezyk,
                QObject *parent = nullptr);
    ~KanalUsbtmc() override;

    bool otworz(QString &powod) override;
    void zamknij() override;
    void zapytaj(const QByteArrayList &polecenia) override;

    struct Wspolne;

private:
    void wynik(quint64 numer, const QByteArray &tresc, int bladSystemu);

    QString m_urzadzenie;
    std::chrono::milliseconds m_czasOdpowiedzi;
    const Jezyk *m_jezyk;
    std::shared_ptr<Wspolne> m_wspolne;
    quint64 m_numer = 0;
};
