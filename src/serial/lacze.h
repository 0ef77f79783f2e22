#pragma once

#include "config/ustawienia.h"

class Jezyk;
class Komunikaty;
class MSComm;

// Applying the stored serial parameters to the port object, and opening and
// closing the port on demand. Between exchanges the port stays closed, so
// another program may use it.
class Lacze
{
public:
    Lacze(MSComm &port, const UstawieniaPortu &ustawienia, const Jezyk &jezyk,
          Komunikaty &komunikaty)
        : m_port(port), m_ustawienia(ustawienia), m_jezyk(jezyk), m_komunikaty(komunikaty)
    {
    }

    // Applies the port number and line settings, reopening the port only when it
    // was open. Refused values leave the previous ones; nothing is reported.
    void UstawPort();
    // True when the port is open afterwards. A missing or busy port is reported
    // to the user; other failures only give false.
    bool OtworzPort();
    void ZamknijPort();

    MSComm &port() { return m_port; }
    const Jezyk &jezyk() const { return m_jezyk; }
    // "Port com" and the port number, as the user knows the port.
    QString nazwaPortu() const;

private:
    MSComm &m_port;
    const UstawieniaPortu &m_ustawienia;
    const Jezyk &m_jezyk;
    Komunikaty &m_komunikaty;
};
