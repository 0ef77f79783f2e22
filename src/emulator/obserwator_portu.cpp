#include "emulator/obserwator_portu.h"

#include <QSocketNotifier>

#include <cerrno>
#include <cstring>
#include <sys/inotify.h>
#include <termios.h>
#include <unistd.h>

ObserwatorPortu::ObserwatorPortu(const QString &slave, int slaveFd, QObject *parent)
    : QObject(parent), m_slave(slave), m_slaveFd(slaveFd)
{
}

ObserwatorPortu::~ObserwatorPortu()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

bool ObserwatorPortu::uruchom(QString &blad)
{
    m_fd = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (m_fd < 0
        || ::inotify_add_watch(m_fd, m_slave.toLocal8Bit().constData(),
                               IN_OPEN | IN_CLOSE_WRITE | IN_CLOSE_NOWRITE) < 0) {
        blad = QStringLiteral("inotify: %1").arg(QString::fromLocal8Bit(std::strerror(errno)));
        return false;
    }
    m_powiadamiacz = new QSocketNotifier(m_fd, QSocketNotifier::Read, this);
    connect(m_powiadamiacz, &QSocketNotifier::activated, this, &ObserwatorPortu::czytaj);
    return true;
}

bool ObserwatorPortu::otwarty()
{
    czytaj();
    return m_otwarc > 0;
}

void ObserwatorPortu::czytaj()
{
    alignas(inotify_event) char bufor[4096];
    for (;;) {
        const ssize_t n = ::read(m_fd, bufor, sizeof bufor);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return;
        for (ssize_t i = 0; i < n;) {
            inotify_event zdarzenie;
            std::memcpy(&zdarzenie, bufor + i, sizeof zdarzenie);
            i += static_cast<ssize_t>(sizeof zdarzenie + zdarzenie.len);
            if (zdarzenie.mask & IN_OPEN) {
                if (m_otwarc++ == 0)
                    emit otwarto();
            } else if ((zdarzenie.mask & (IN_CLOSE_WRITE | IN_CLOSE_NOWRITE)) && m_otwarc > 0) {
                if (--m_otwarc == 0) {
                    ::tcflush(m_slaveFd, TCIFLUSH);
                    emit zamknieto();
                }
            }
        }
    }
}
