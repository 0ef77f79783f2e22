#include "serial/mapa_portow.h"

#include "config/ini.h"

QString MapaPortow::urzadzenie(int nrPortu) const
{
    if (!m_wszystkie.isEmpty())
        return m_wszystkie;
#ifdef Q_OS_WIN
    return QStringLiteral("COM%1").arg(nrPortu);
#else
    if (!m_plikUstawien.isEmpty()) {
        const QString wpis = modNI::CzytajIni(m_plikUstawien, kSekcja, QString::number(nrPortu), QString());
        if (!wpis.isEmpty())
            return wpis;
    }
    return QStringLiteral("/dev/ttyUSB%1").arg(nrPortu - 1);
#endif
}
