#include "emulator/multimetr.h"

#include "emulator/dziennik.h"

#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSocketNotifier>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <unistd.h>

namespace {

// Longer lines are no command; they are dropped.
constexpr qsizetype kNajdluzszaLinia = 1024;

bool pasuje(const QByteArray &linia, const QRegularExpression &wzor)
{
    return wzor.match(QString::fromLatin1(linia)).hasMatch();
}

} // namespace

Multimetr::Multimetr(const OpcjeMultimetru &opcje, int master, double pradPoczatkowy, QObject *parent)
    : QObject(parent), m_opcje(opcje), m_master(master), m_cel(pradPoczatkowy),
      m_wskazanie(pradPoczatkowy)
{
    m_zegar.start();
    m_odczyt = new QSocketNotifier(m_master, QSocketNotifier::Read, this);
    connect(m_odczyt, &QSocketNotifier::activated, this, &Multimetr::czytaj);
}

void Multimetr::ustawPrad(double mA)
{
    wskazanie();
    m_cel = mA;
}

double Multimetr::wskazanie()
{
    const qint64 teraz = m_zegar.nsecsElapsed();
    const double tau = std::chrono::duration<double>(m_opcje.stalaCzasowa).count();
    if (tau <= 0.0)
        m_wskazanie = m_cel;
    else
        m_wskazanie = m_cel + (m_wskazanie - m_cel) * std::exp(-(teraz - m_chwila) * 1e-9 / tau);
    m_chwila = teraz;
    const double szum = m_opcje.szum * (2.0 * QRandomGenerator::global()->generateDouble() - 1.0);
    return m_wskazanie + szum;
}

void Multimetr::czytaj()
{
    char bufor[1024];
    for (;;) {
        const ssize_t n = ::read(m_master, bufor, sizeof bufor);
        if (n > 0) {
            m_bufor.append(bufor, n);
            qsizetype lf;
            while ((lf = m_bufor.indexOf('\n')) >= 0) {
                const QByteArray linia = m_bufor.left(lf).trimmed();
                m_bufor.remove(0, lf + 1);
                if (!linia.isEmpty())
                    polecenie(linia);
            }
            if (m_bufor.size() > kNajdluzszaLinia)
                m_bufor.clear();
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno == EAGAIN)
            return;
        std::fprintf(stderr, "konwerter-emu: meter read: %s\n",
                     n < 0 ? std::strerror(errno) : "end of data");
        m_odczyt->setEnabled(false);
        emit awaria();
        return;
    }
}

void Multimetr::polecenie(const QByteArray &linia)
{
    static const QRegularExpression kIdn(QStringLiteral("^\\*IDN\\?$"),
                                         QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression kKonfiguracja(
        QStringLiteral("^CONF(IGURE)?:CURR(ENT)?(:DC)?(\\s.*)?$"), QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression kOdczyt(QStringLiteral("^READ\\?$"),
                                            QRegularExpression::CaseInsensitiveOption);
    Dziennik::wypisz("DMM RX " + Dziennik::wCudzyslowie(QString::fromLatin1(linia)));
    QByteArray odpowiedz;
    if (pasuje(linia, kIdn)) {
        odpowiedz = kIdentyfikacja;
    } else if (pasuje(linia, kKonfiguracja)) {
        m_prad = true;
        return;
    } else if (pasuje(linia, kOdczyt)) {
        const double ampery = m_prad ? wskazanie() / 1000.0 : 0.0;
        odpowiedz = QString::asprintf("%+.6E", ampery).toLatin1();
    } else {
        Dziennik::wypisz("DMM UNKNOWN " + Dziennik::wCudzyslowie(QString::fromLatin1(linia)));
        return;
    }
    if (m_opcje.milczy)
        return;
    Dziennik::wypisz("DMM TX " + Dziennik::wCudzyslowie(QString::fromLatin1(odpowiedz)));
    odpowiedz += '\n';
    // An answer is a few dozen bytes: the pseudo-terminal takes it whole.
    if (::write(m_master, odpowiedz.constData(), static_cast<size_t>(odpowiedz.size())) != odpowiedz.size())
        std::fprintf(stderr, "konwerter-emu: meter write: %s\n", std::strerror(errno));
}
