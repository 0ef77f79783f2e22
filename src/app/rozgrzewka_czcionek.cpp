#include "app/rozgrzewka_czcionek.h"

#include <QtGlobal>

#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
#include <dlfcn.h>

namespace {

// Qt is linked with fontconfig, so the library is already in the process; if it
// is not, the platform does without it and there is nothing to read.
void wczytajKonfiguracje()
{
    void *biblioteka = dlopen("libfontconfig.so.1", RTLD_NOW | RTLD_NOLOAD);
    if (!biblioteka)
        return;
    using FcInit = int (*)();
    if (auto init = reinterpret_cast<FcInit>(dlsym(biblioteka, "FcInit")))
        init();
    dlclose(biblioteka);
}

} // namespace

RozgrzewkaCzcionek::RozgrzewkaCzcionek() : m_watek(wczytajKonfiguracje) {}
#else
RozgrzewkaCzcionek::RozgrzewkaCzcionek() = default;
#endif

RozgrzewkaCzcionek::~RozgrzewkaCzcionek()
{
    zaczekaj();
}

void RozgrzewkaCzcionek::zaczekaj()
{
    if (m_watek.joinable())
        m_watek.join();
}
