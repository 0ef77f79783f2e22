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
    // True when the port is open afterwards. Every failure is reported to the
    // user: a missing port, a port held by another program, a device the user
    // may not open, and any other with the system's reason.
    bool OtworzPort();
    void ZamknijPort();

    MSComm &port() { return m_port; }
    const Jezyk &jezyk() const { return m_jezyk; }
    // "Port com" and the port number, as the user knows the port.
    QString nazwaPortu() const;
    // The port message under `klucz` of the language file, `wzor` when it has
    // none. Its "%1" is the port ("com7"), with the device in brackets when
    // the messages name it. The file keeps the placeholder, so one stored text
    // serves every port.
    QString komunikatPortu(const QString &klucz, const QString &wzor) const;
    // Whether the port messages name the device behind the port number, as a
    // script's output must: "com7 (/dev/ttyUSB6)".
    void nazywajUrzadzenie(bool tak) { m_nazywajUrzadzenie = tak; }

private:
    // "%1" the port, with the device when `zUrzadzeniem`; "%2" the reason.
    QString wypelnij(const QString &klucz, const QString &wzor, bool zUrzadzeniem, const QString &powod) const;

    MSComm &m_port;
    const UstawieniaPortu &m_ustawienia;
    const Jezyk &m_jezyk;
    Komunikaty &m_komunikaty;
    bool m_nazywajUrzadzenie = false;
};
