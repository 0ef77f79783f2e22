#include "emulator/sygnaly.h"

#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {

int g_rura[2] = {-1, -1};

extern "C" void obsluga(int sygnal)
{
    const int zachowany = errno;
    const char numer = static_cast<char>(sygnal);
    [[maybe_unused]] const ssize_t n = ::write(g_rura[1], &numer, 1);
    errno = zachowany;
}

} // namespace

Sygnaly::Sygnaly(std::initializer_list<int> sygnaly, QObject *parent)
    : QObject(parent), m_sygnaly(sygnaly)
{
    if (::pipe(g_rura) != 0)
        qFatal("pipe: %s", std::strerror(errno));
    for (const int fd : g_rura) {
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
        ::fcntl(fd, F_SETFD, FD_CLOEXEC);
    }
    m_powiadamiacz = new QSocketNotifier(g_rura[0], QSocketNotifier::Read, this);
    connect(m_powiadamiacz, &QSocketNotifier::activated, this, &Sygnaly::czytaj);

    struct sigaction sa{};
    sa.sa_handler = obsluga;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    for (const int s : m_sygnaly)
        ::sigaction(s, &sa, nullptr);
}

Sygnaly::~Sygnaly()
{
    for (const int s : m_sygnaly)
        std::signal(s, SIG_DFL);
    ::close(g_rura[0]);
    ::close(g_rura[1]);
}

void Sygnaly::czytaj()
{
    char numer = 0;
    while (::read(g_rura[0], &numer, 1) == 1)
        emit odebrano(numer);
}
