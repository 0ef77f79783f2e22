#include "emulator/waga.h"

#include "emulator/dziennik.h"
#include "emulator/ramka_wagi.h"

#include "config/kodowanie.h"

#include <unistd.h>

Waga::Waga(const OpcjeWagi &opcje, const TypRamki &typ, int master, std::function<bool()> portOtwarty,
           bool raportuj, QObject *parent)
    : QObject(parent), m_opcje(opcje), m_typ(typ), m_master(master), m_portOtwarty(std::move(portOtwarty)),
      m_raportuj(raportuj)
{
    m_takt.setTimerType(Qt::PreciseTimer);
    m_takt.setInterval(m_opcje.okres);
    connect(&m_takt, &QTimer::timeout, this, &Waga::nadaj);
    m_takt.start();
}

QByteArray Waga::szum()
{
    QByteArray bajty;
    while (bajty.size() < kBajtowSzumu) {
        m_losowa = m_losowa * 1103515245u + 12345u;
        const char b = char(m_losowa >> 16);
        if (b != '\r' && b != '\n')
            bajty.append(b);
    }
    return bajty;
}

void Waga::nadaj()
{
    if (!m_portOtwarty())
        return;
    ++m_ramek;
    const qint32 waga = m_opcje.wagi.at((m_ramek - 1) / m_opcje.ramekNaWage % m_opcje.wagi.size());
    const QString ramka = RamkaWagi::zbuduj(m_typ, waga);
    QByteArray bajty = Kodowanie::doAnsi(ramka);
    if (m_opcje.coKtoraUcieta > 0 && m_ramek % m_opcje.coKtoraUcieta == 0)
        bajty.truncate(bajty.size() / 2);
    if (m_opcje.coKtoraZSzumem > 0 && m_ramek % m_opcje.coKtoraZSzumem == 0)
        bajty.prepend(szum());
    bajty.append("\r\n");

    const UstawieniaUart klient = UstawieniaUart::zTerminala(m_master).value_or(m_opcje.linia);
    const QByteArray naLinii = Uart::przez(bajty, m_opcje.linia, klient);
    // A pseudo-terminal that cannot take more loses the rest, as a line does.
    if (::write(m_master, naLinii.constData(), size_t(naLinii.size())) < 0)
        Dziennik::wypisz("SCALE write failed");
    if (m_raportuj)
        Dziennik::wypisz("SCALE " + Dziennik::wCudzyslowie(Kodowanie::zAnsi(bajty.chopped(2))) + " weight="
                         + QByteArray::number(waga) + " client=" + klient.tekst().toLatin1());
    if (m_opcje.milkniePo > 0 && m_ramek >= m_opcje.milkniePo) {
        m_takt.stop();
        Dziennik::wypisz("SCALE stopped");
    }
}
