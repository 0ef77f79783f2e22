#pragma once

#include <QString>

// Which device a port number names. On Windows port n is "COMn". Elsewhere the
// key n of section "porty" of the settings file may name any device (a path
// under /dev/serial/by-id/ survives re-plugging); without it port n is
// /dev/ttyUSB(n-1), the usual USB adapter. A device given for the whole run
// (--device, demo mode) overrides both.
class MapaPortow
{
public:
    MapaPortow() = default;
    explicit MapaPortow(QString plikUstawien, QString urzadzenieDlaWszystkich = QString())
        : m_plikUstawien(std::move(plikUstawien)), m_wszystkie(std::move(urzadzenieDlaWszystkich))
    {
    }

    QString urzadzenie(int nrPortu) const;

    static inline const QString kSekcja = QStringLiteral("porty");

private:
    QString m_plikUstawien;
    QString m_wszystkie;
};
