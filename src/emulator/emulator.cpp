#include "emulator/emulator.h"

#include "emulator/dziennik.h"
#include "emulator/nadajnik.h"
#include "emulator/obserwator_portu.h"
#include "emulator/odczyt_ramki.h"
#include "emulator/prad.h"

#include "config/kodowanie.h"

#include <QDir>
#include <QSocketNotifier>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <unistd.h>

Emulator::Emulator(const Opcje &opcje, int master, ObserwatorPortu &port, QObject *parent)
    : QObject(parent), m_opcje(opcje), m_master(master),
      m_prad(opcje.wyjscie.prad(Prad::kNajmniejszy))
{
    m_zegar.start();
    m_nadajnik = new Nadajnik(m_master, m_opcje.rozmiarKawalka, [&port] { return port.otwarty(); },
                              this);
    connect(m_nadajnik, &Nadajnik::wyslano, this,
            [](const QByteArray &naLinii, const QByteArray &utracone) {
                if (!naLinii.isEmpty())
                    Dziennik::wypisz("TX " + Dziennik::szesnastkowo(naLinii));
                if (!utracone.isEmpty())
                    Dziennik::wypisz("LOST " + Dziennik::szesnastkowo(utracone));
            });
    connect(&port, &ObserwatorPortu::otwarto, this, [] { Dziennik::wypisz("PORT open"); });
    connect(&port, &ObserwatorPortu::zamknieto, this, [] { Dziennik::wypisz("PORT closed"); });
    connect(m_nadajnik, &Nadajnik::zalewSkonczony, this, [](qint64 bajtow) {
        Dziennik::wypisz("FLOOD end " + QByteArray::number(bajtow) + " bytes");
    });
    m_odczyt = new QSocketNotifier(m_master, QSocketNotifier::Read, this);
    connect(m_odczyt, &QSocketNotifier::activated, this, &Emulator::czytaj);
    wczytajTypRamki();
}

void Emulator::wypiszStatystyke() const
{
    Dziennik::wypisz(m_statystyka.wiersz());
}

void Emulator::czytaj()
{
    char bufor[4096];
    for (;;) {
        const ssize_t n = ::read(m_master, bufor, sizeof bufor);
        if (n > 0) {
            const qint64 czas = m_zegar.nsecsElapsed();
            for (const auto &k : m_rozdzielacz.dodaj(QByteArrayView(bufor, n))) {
                if (k.rodzaj == Rozdzielacz::Kawalek::Rodzaj::Polecenie)
                    polecenie(k.bajty);
                else
                    ramkaWagi(k.bajty, czas);
            }
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno == EAGAIN)
            return;
        // Our own slave descriptor keeps the master from a hang-up, so this is
        // a real failure; reading on would only spin.
        std::fprintf(stderr, "konwerter-emu: read: %s\n", n < 0 ? std::strerror(errno) : "end of data");
        m_odczyt->setEnabled(false);
        emit awaria();
        return;
    }
}

void Emulator::polecenie(const QByteArray &ramka)
{
    Dziennik::wypisz("RX " + Dziennik::szesnastkowo(ramka));
    const char typ = m_opcje.stan.typRamki;
    const auto odpowiedz = Polecenia::odpowiedz(m_opcje.stan, ramka, m_opcje.usterkiPolecen);
    if (m_opcje.stan.typRamki != typ)
        wczytajTypRamki();
    if (!odpowiedz || m_opcje.milczy)
        return;
    if (m_opcje.zalew.count() > 0) {
        Dziennik::wypisz("FLOOD start " + QByteArray::number(m_opcje.zalew.count()) + " ms");
        m_nadajnik->zalewaj(m_opcje.zalew, m_opcje.zalewNaSekunde);
        return;
    }
    m_nadajnik->wyslij(m_opcje.szum + *odpowiedz + m_opcje.dopisek, m_opcje.opoznienie);
}

void Emulator::ramkaWagi(const QByteArray &ramka, qint64 czasNs)
{
    m_statystyka.ramka(czasNs);
    const OdczytRamki odczyt = OdczytyRamek::odczytaj(ramka, m_typ, m_opcje.stan);
    if (!m_opcje.bezRamek)
        Dziennik::wypisz(OdczytyRamek::wiersz(odczyt));
    // A frame it cannot read leaves the loop as it was.
    if (odczyt.waga) {
        m_prad = m_opcje.wyjscie.prad(odczyt.prad);
        emit pradPetli(m_prad);
    }
}

void Emulator::wczytajTypRamki()
{
    const QString kod = Kodowanie::zAnsi(QByteArrayView(&m_opcje.stan.typRamki, 1));
    m_typ = TypyRamek::wczytaj(QDir(m_opcje.folder).filePath(QStringLiteral("settings.ini")), kod);
    Dziennik::wypisz("TYPE " + Dziennik::wCudzyslowie(kod)
                     + " template=" + Dziennik::wCudzyslowie(m_typ.wzor)
                     + " unit=" + Dziennik::wCudzyslowie(m_typ.jednostka)
                     + " plus=" + Dziennik::wCudzyslowie(m_typ.plus)
                     + " minus=" + Dziennik::wCudzyslowie(m_typ.minus)
                     + " zero=" + Dziennik::wCudzyslowie(m_typ.zero));
}
