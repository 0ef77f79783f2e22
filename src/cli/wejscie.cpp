#include "cli/wejscie.h"

#include <QMetaObject>

#include <functional>

#include <cstdio>
#include <mutex>
#include <string>
#include <thread>

namespace {

std::mutex g_straz;
Wejscie *g_odbiorca = nullptr;
bool g_czyta = false;

void przekaz(const std::function<void(Wejscie *)> &co)
{
    const std::lock_guard<std::mutex> blokada(g_straz);
    if (Wejscie *w = g_odbiorca)
        QMetaObject::invokeMethod(w, [w, co] { co(w); }, Qt::QueuedConnection);
}

void czytaj()
{
    std::string linia;
    int c = 0;
    while ((c = std::getchar()) != EOF) {
        if (c != '\n') {
            linia.push_back(char(c));
            continue;
        }
        QString tekst = QString::fromLocal8Bit(linia.data(), qsizetype(linia.size()));
        if (tekst.endsWith(QLatin1Char('\r')))
            tekst.chop(1);
        linia.clear();
        przekaz([tekst](Wejscie *w) { emit w->linia(tekst); });
    }
    przekaz([](Wejscie *w) { emit w->koniec(); });
}

} // namespace

Wejscie::Wejscie(QObject *parent) : QObject(parent)
{
    const std::lock_guard<std::mutex> blokada(g_straz);
    g_odbiorca = this;
    // One reader for the life of the process: standard input has one position.
    if (!g_czyta) {
        g_czyta = true;
        std::thread(czytaj).detach();
    }
}

Wejscie::~Wejscie()
{
    const std::lock_guard<std::mutex> blokada(g_straz);
    if (g_odbiorca == this)
        g_odbiorca = nullptr;
}
