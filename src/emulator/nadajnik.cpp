#include "emulator/nadajnik.h"

#include <algorithm>
#include <cerrno>
#include <unistd.h>

using namespace std::chrono;

Nadajnik::Nadajnik(int fd, int rozmiarKawalka, std::function<bool()> portOtwarty,
                   QObject *parent)
    : QObject(parent), m_fd(fd), m_rozmiarKawalka(rozmiarKawalka),
      m_portOtwarty(std::move(portOtwarty))
{
    m_zegar.start();
    m_budzik.setSingleShot(true);
    m_budzik.setTimerType(Qt::PreciseTimer);
    connect(&m_budzik, &QTimer::timeout, this, &Nadajnik::nadawaj);
    m_zalew.setInterval(kTaktZalewu);
    m_zalew.setTimerType(Qt::PreciseTimer);
    connect(&m_zalew, &QTimer::timeout, this, &Nadajnik::taktZalewu);
}

void Nadajnik::wyslij(const QByteArray &odpowiedz, milliseconds opoznienie)
{
    Odpowiedz o;
    o.bajty = odpowiedz;
    o.terminNs = terazNs() + duration_cast<nanoseconds>(opoznienie).count();
    m_kolejka.push_back(o);
    if (!m_budzik.isActive())
        nadawaj();
}

void Nadajnik::nadawaj()
{
    while (!m_kolejka.empty()) {
        Odpowiedz &o = m_kolejka.front();
        const qint64 teraz = terazNs();
        if (o.terminNs > teraz) {
            const qint64 ms = (o.terminNs - teraz + 999'999) / 1'000'000;
            m_budzik.start(milliseconds(ms));
            return;
        }
        const qsizetype reszta = o.bajty.size() - o.wyslane;
        const qsizetype n = m_rozmiarKawalka > 0 ? std::min<qsizetype>(m_rozmiarKawalka, reszta) : reszta;
        const QByteArray kawalek = o.bajty.mid(o.wyslane, n);
        const qsizetype zapisane = zapisz(kawalek);
        o.naLinii += kawalek.first(zapisane);
        o.utracone += kawalek.sliced(zapisane);
        o.wyslane += n;
        if (o.wyslane < o.bajty.size()) {
            o.terminNs = teraz + duration_cast<nanoseconds>(kPrzerwaKawalkow).count();
            continue;
        }
        const Odpowiedz wyslana = o;
        m_kolejka.pop_front();
        emit wyslano(wyslana.naLinii, wyslana.utracone);
    }
}

void Nadajnik::zalewaj(milliseconds czas, qint64 bajtowNaSekunde)
{
    m_zalewDoNs = terazNs() + duration_cast<nanoseconds>(czas).count();
    m_zalewNaSekunde = bajtowNaSekunde;
    if (!m_zalew.isActive()) {
        m_zalanych = 0;
        m_zalewRozliczone = 0;
        m_zalewOdNs = terazNs();
        m_zalew.start();
        taktZalewu();
    }
}

void Nadajnik::taktZalewu()
{
    if (terazNs() >= m_zalewDoNs) {
        m_zalew.stop();
        emit zalewSkonczony(m_zalanych);
        return;
    }
    // Each tick sends what is due by the end of its period; what the
    // pseudo-terminal could not take waits for the next tick, up to a tenth of
    // a second's worth, and beyond that is lost, as on a line nobody reads.
    const qint64 takt = std::max<qint64>(1, m_zalewNaSekunde * kTaktZalewu.count() / 1000);
    const qint64 zapas = m_zalewNaSekunde / 10 + takt;
    const auto nalezne = takt + qint64(double(m_zalewNaSekunde) * double(terazNs() - m_zalewOdNs) / 1e9);
    const qint64 teraz = std::min(nalezne - m_zalewRozliczone, zapas);
    if (teraz <= 0)
        return;
    if (m_blokZalewu.size() < teraz)
        m_blokZalewu = QByteArray(qsizetype(zapas), kBajtZalewu);
    const qsizetype zapisane = zapisz(QByteArray::fromRawData(m_blokZalewu.constData(), qsizetype(teraz)));
    m_zalanych += zapisane;
    m_zalewRozliczone = std::max(m_zalewRozliczone + zapisane, nalezne - zapas);
}

qsizetype Nadajnik::zapisz(const QByteArray &bajty)
{
    if (!m_portOtwarty())
        return 0;
    qsizetype zapisane = 0;
    while (zapisane < bajty.size()) {
        const ssize_t n = ::write(m_fd, bajty.constData() + zapisane,
                                  static_cast<size_t>(bajty.size() - zapisane));
        if (n > 0)
            zapisane += n;
        else if (n < 0 && errno == EINTR)
            continue;
        else
            break;
    }
    return zapisane;
}
