#include "emulator/pseudoterminal.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

namespace {

QString opisBledu(const char *co)
{
    return QStringLiteral("%1: %2").arg(QLatin1String(co), QString::fromLocal8Bit(std::strerror(errno)));
}

bool surowy(int fd)
{
    termios t{};
    if (tcgetattr(fd, &t) != 0)
        return false;
    cfmakeraw(&t);
    cfsetispeed(&t, B9600);
    cfsetospeed(&t, B9600);
    return tcsetattr(fd, TCSANOW, &t) == 0;
}

} // namespace

Pseudoterminal::~Pseudoterminal()
{
    if (!m_dowiazanie.isEmpty() && QFileInfo(m_dowiazanie).symLinkTarget() == m_sciezkaSlave)
        QFile::remove(m_dowiazanie);
    if (m_slave >= 0)
        ::close(m_slave);
    if (m_master >= 0)
        ::close(m_master);
}

bool Pseudoterminal::otworz(QString &blad)
{
    m_master = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (m_master < 0) {
        blad = opisBledu("posix_openpt");
        return false;
    }
    if (::grantpt(m_master) != 0 || ::unlockpt(m_master) != 0) {
        blad = opisBledu("unlockpt");
        return false;
    }
    const char *nazwa = ::ptsname(m_master);
    if (!nazwa) {
        blad = opisBledu("ptsname");
        return false;
    }
    m_sciezkaSlave = QString::fromLocal8Bit(nazwa);
    m_slave = ::open(nazwa, O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (m_slave < 0) {
        blad = opisBledu("open slave");
        return false;
    }
    if (!surowy(m_slave)) {
        blad = opisBledu("tcsetattr");
        return false;
    }
    const int flagi = ::fcntl(m_master, F_GETFL);
    if (flagi < 0 || ::fcntl(m_master, F_SETFL, flagi | O_NONBLOCK) != 0
        || ::fcntl(m_master, F_SETFD, FD_CLOEXEC) != 0) {
        blad = opisBledu("fcntl");
        return false;
    }
    return true;
}

bool Pseudoterminal::dowiaz(const QString &sciezka, QString &blad)
{
    const QFileInfo info(sciezka);
    if (info.isSymLink()) {
        if (!QFile::remove(sciezka)) {
            blad = QStringLiteral("cannot replace the link %1").arg(sciezka);
            return false;
        }
    } else if (info.exists()) {
        blad = QStringLiteral("%1 exists and is not a link").arg(sciezka);
        return false;
    }
    if (::symlink(m_sciezkaSlave.toLocal8Bit().constData(), sciezka.toLocal8Bit().constData()) != 0) {
        blad = opisBledu("symlink");
        return false;
    }
    m_dowiazanie = sciezka;
    return true;
}

QString Pseudoterminal::urzadzenie() const
{
    return m_dowiazanie.isEmpty() ? m_sciezkaSlave : m_dowiazanie;
}
