#include "cli/narzedzie.h"

#include "cli/sprawdzenie.h"
#include "config/ini.h"
#include "config/liczby.h"
#include "converter/katalog.h"
#include "converter/operacje.h"
#include "simulator/nadajnik.h"
#include "simulator/prad_oczekiwany.h"
#include "simulator/wartosci.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QJsonArray>
#include <QRegularExpression>
#include <QSerialPortInfo>
#include <QTimer>

#include <atomic>
#include <cmath>
#include <csignal>
#include <cstdio>

#ifdef Q_OS_WIN
#include <io.h>
#define isatty _isatty
#define fileno _fileno
#else
#include <unistd.h>
#endif

using RamkaKonwertera::Polecenie;
using Stan = Protokol::Wymiana::Stan;

namespace {

std::atomic<bool> g_przerwij{false};

extern "C" void naPrzerwanie(int)
{
    g_przerwij = true;
}

std::optional<Polecenie> polecenie(const QString &co)
{
    if (co == QLatin1String("max")) return Polecenie::Max;
    if (co == QLatin1String("frame")) return Polecenie::Ramka;
    if (co == QLatin1String("mode")) return Polecenie::Tryb;
    if (co == QLatin1String("version")) return Polecenie::Wersja;
    return std::nullopt;
}

std::optional<qint32> waga(const QString &tekst)
{
    bool ok = false;
    const qint32 w = tekst.toInt(&ok);
    return ok ? std::optional<qint32>(w) : std::nullopt;
}

// A failure still shows a value the converter gave in a well-formed answer (a
// differing read-back); never a time-out message or a malformed answer, which
// belong on standard error only.
Wynik zKomunikatow(const QStringList &komunikaty, const Protokol::Wymiana &w)
{
    if (komunikaty.isEmpty())
        return Wynik::ok(w.tekst);
    QStringList widoczne_;
    for (const QString &k : komunikaty)
        widoczne_.append(widoczne(k));
    Wynik wynik = Wynik::porazka(Wynik::Konwerter, widoczne_.join(QLatin1Char('\n')));
    if (w.stan == Stan::Poprawna)
        wynik.wartosc = w.tekst;
    return wynik;
}

} // namespace

Narzedzie::Narzedzie(const QString &folder, const QString &nrPortu, const QString &urzadzenie)
    : m_folder(folder),
      m_urzadzenie(urzadzenie),
      m_jezyk(m_folder.plikJezyka()),
      m_ustawienia(Ustawienia::WczytajUstawienia(m_folder.plikUstawien())),
      m_port(MapaPortow(m_folder.plikUstawien(), urzadzenie)),
      m_lacze(m_port, m_ustawienia, m_jezyk, m_komunikaty),
      m_protokol(m_lacze)
{
    if (!nrPortu.isEmpty())
        m_ustawienia.NrPortu = nrPortu;
    // A script's log must say which device failed, not just which number.
    m_lacze.nazywajUrzadzenie(true);
    m_lacze.UstawPort();
}

void Narzedzie::sledz()
{
    m_slad = std::make_unique<SladLinii>(TekstyMonitora::wczytaj(m_jezyk), [](const QString &linia) {
        const QByteArray b = linia.toLocal8Bit();
        std::fwrite(b.constData(), 1, size_t(b.size()), stderr);
        std::fputc('\n', stderr);
        std::fflush(stderr);
    });
    m_port.ustawPodsluch(m_slad.get());
}

void Narzedzie::dokonczSlad()
{
    if (m_slad)
        m_slad->dokoncz();
}

Wynik Narzedzie::bladPortu()
{
    return Wynik::porazka(Wynik::Port, m_komunikaty.teksty.join(QLatin1Char('\n')));
}

Wynik Narzedzie::bladWymiany(const Protokol::Wymiana &w)
{
    if (w.stan == Stan::PortNiedostepny)
        return bladPortu();
    return Wynik::porazka(Wynik::Konwerter, widoczne(w.tekst));
}

Wynik Narzedzie::pobierz(const QString &co)
{
    const auto p = polecenie(co);
    if (!p)
        return Wynik::porazka(Wynik::Uzycie, QStringLiteral("get: max, frame, mode or version"));
    const Protokol::Wymiana w = m_protokol.zapytaj(*p);
    if (w.stan != Stan::Poprawna)
        return bladWymiany(w);

    switch (*p) {
    case Polecenie::Max:
        return zKomunikatow(Operacje::OdbierzMax(w.tekst).komunikaty, w);
    case Polecenie::Tryb:
        return zKomunikatow(Operacje::OdbierzTryb(0, w.tekst).komunikaty, w);
    case Polecenie::Wersja:
        return Wynik::ok(w.tekst);
    case Polecenie::Ramka:
        break;
    }
    const Operacje::Wynik r = Operacje::OdbierzRamke(w.tekst);
    if (!r.wartosc)
        return zKomunikatow(r.komunikaty, w);
    Katalog katalog;
    katalog.wczytaj(m_folder.plikKatalogu());
    const QVector<int> pozycje = katalog.pozycjeTypu(*r.wartosc);
    if (pozycje.isEmpty())
        return zKomunikatow(Operacje::RamkaNieznana(), w);
    Wynik wynik = Wynik::ok(w.tekst);
    wynik.dodatki.insert(QStringLiteral("description"), katalog.TypyRamek.at(pozycje.last()).Wartosc);
    return wynik;
}

Wynik Narzedzie::ustaw(const QString &co, const QString &wartosc, bool wymus)
{
    const auto p = polecenie(co);
    if (!p || *p == Polecenie::Wersja)
        return Wynik::porazka(Wynik::Uzycie, QStringLiteral("set: max, frame or mode"));
    QString blad;
    switch (*p) {
    case Polecenie::Max:
        blad = Sprawdzenie::maksimum(wartosc);
        break;
    case Polecenie::Tryb:
        blad = Sprawdzenie::tryb(wartosc);
        break;
    default:
        blad = kodRamki(wartosc, wymus);
        break;
    }
    if (!blad.isEmpty())
        return Wynik::porazka(Wynik::Uzycie, blad);

    const double v = Liczby::Val(wartosc);
    const QString wysylane = *p == Polecenie::Max ? Liczby::Format6(v) : wartosc;
    const Protokol::Wymiana w = m_protokol.ustaw(*p, wysylane);
    if (w.stan == Stan::PortNiedostepny)
        return bladPortu();
    switch (*p) {
    case Polecenie::Max:
        return zKomunikatow(Operacje::UstawMax(v, w.tekst), w);
    case Polecenie::Ramka:
        return zKomunikatow(Operacje::UstawRamke(wartosc, w.tekst), w);
    default:
        return zKomunikatow(Operacje::UstawTryb(int(v), w.tekst), w);
    }
}

QString Narzedzie::kodRamki(const QString &kod, bool wymus) const
{
    static const QRegularExpression cyfry(QStringLiteral("^[0-9]+$"));
    if (!cyfry.match(kod).hasMatch())
        return QStringLiteral("set frame: %1 is not a frame-type code (a whole number)").arg(kod);
    Katalog katalog;
    katalog.wczytaj(m_folder.plikKatalogu());
    if (!wymus && katalog.pozycjeTypu(kod).isEmpty())
        return QStringLiteral("set frame: %1 is not a frame type of the catalogue (--force sends it all the same)")
            .arg(kod);
    return QString();
}

std::optional<QString> Narzedzie::typRamki(const QString &typ) const
{
    Katalog katalog;
    katalog.wczytaj(m_folder.plikKatalogu());
    const QString klucz = typ.isEmpty()
                              ? ParametryZapisane::wczytaj(m_folder.plikKatalogu()).kluczTypuRamki(m_folder.plikKatalogu())
                              : typ;
    if (katalog.pozycjeTypu(klucz).isEmpty())
        return std::nullopt;
    return klucz;
}

Wynik Narzedzie::ramka(const QString &tekstWagi, const QString &typ, const QString &nazwa)
{
    const auto w = waga(tekstWagi);
    if (!w)
        return Wynik::porazka(Wynik::Uzycie, QStringLiteral("%1: %2 is not a whole number").arg(nazwa, tekstWagi));
    const auto klucz = typRamki(typ);
    if (!klucz && !typ.isEmpty())
        return Wynik::porazka(Wynik::Uzycie, QStringLiteral("frame type %1 is not in the catalogue").arg(typ));
    Wartosci wartosci;
    if (klucz)
        wartosci.WczytajTypRamki(m_folder.plikKatalogu(), *klucz);
    // A weight the frame cannot carry would reach the converter as another
    // weight: cut to the digits the template has, or without its sign.
    const QString ktory = klucz ? QStringLiteral("frame type ") + *klucz : QStringLiteral("the default frame");
    const auto cyfry = QString::number(qAbs(qint64(*w))).size();
    if (cyfry > wartosci.MiejscaNaCyfry())
        return Wynik::porazka(Wynik::Uzycie, QStringLiteral("%1: %2 has %3 digits, %4 has room for %5")
                                                 .arg(nazwa, tekstWagi).arg(cyfry).arg(ktory)
                                                 .arg(wartosci.MiejscaNaCyfry()));
    if (*w < 0 && !wartosci.MaZnak())
        return Wynik::porazka(Wynik::Uzycie, QStringLiteral("%1: %2 is below zero, %3 has no place for the sign")
                                                 .arg(nazwa, tekstWagi, ktory));
    Wynik wynik = Wynik::ok(wartosci.BudujRamke(*w));
    if (klucz)
        wynik.dodatki.insert(QStringLiteral("type"), *klucz);
    // The current for the maximum and mode the window starts with.
    const ParametryZapisane p = ParametryZapisane::wczytaj(m_folder.plikKatalogu());
    const auto mA = PradOczekiwany::zRamki(wartosci.BiezacaRamka, wartosci, qint64(Liczby::Val(p.max)), p.tryb);
    if (mA) {
        wynik.dodatki.insert(QStringLiteral("expected_mA"), std::round(*mA * 1000) / 1000);
        wynik.uwaga = PradOczekiwany::tekst(*mA);
    }
    return wynik;
}

Wynik Narzedzie::symuluj(const QString &tekstWagi, const QString &typ, const QString &sekundy)
{
    Wynik r = ramka(tekstWagi, typ, QStringLiteral("simulate"));
    if (r.kod != Wynik::Sukces)
        return r;
    if (!sekundy.isEmpty() && !Sprawdzenie::sekundy(sekundy).isEmpty())
        return Wynik::porazka(Wynik::Uzycie, Sprawdzenie::sekundy(sekundy));
    const double s = sekundy.isEmpty() ? 0 : sekundy.toDouble();
    if (!m_lacze.OtworzPort())
        return bladPortu();

    Wartosci wartosci;
    wartosci.BiezacaRamka = r.wartosc.toString();
    Nadajnik nadajnik(m_port, wartosci);
    bool przerwane = false;
    QObject::connect(&nadajnik, &Nadajnik::przerwano, [&] {
        przerwane = true;
        QCoreApplication::quit();
    });

    g_przerwij = false;
    std::signal(SIGINT, naPrzerwanie);
    std::signal(SIGTERM, naPrzerwanie);
    // The count would tear the trace's lines apart.
    const bool terminal = isatty(fileno(stderr)) && !m_slad;
    QElapsedTimer zegar;
    zegar.start();
    QTimer straz;
    straz.setInterval(100);
    QObject::connect(&straz, &QTimer::timeout, [&] {
        if (terminal)
            std::fprintf(stderr, "\rframes sent: %lld", static_cast<long long>(nadajnik.wyslane()));
        if (g_przerwij || (s > 0 && zegar.elapsed() >= s * 1000))
            QCoreApplication::quit();
    });
    nadajnik.wlacz();
    straz.start();
    QCoreApplication::exec();
    nadajnik.wylacz();
    m_port.doczekajWyslania(1000);
    m_lacze.ZamknijPort();
    std::signal(SIGINT, SIG_DFL);
    std::signal(SIGTERM, SIG_DFL);
    if (terminal)
        std::fputc('\n', stderr);

    if (przerwane)
        return Wynik::porazka(Wynik::Port, m_lacze.komunikatPortu(
            QStringLiteral("PortUtracony"), QStringLiteral("Port %1 przestał odpowiadać - wysyłanie zatrzymane")));
    Wynik wynik = Wynik::ok(double(nadajnik.wyslane()));
    wynik.dodatki = r.dodatki;
    wynik.uwaga = r.uwaga;
    wynik.dodatki.insert(QStringLiteral("frame"), r.wartosc);
    return wynik;
}

Wynik Narzedzie::porty()
{
    const MapaPortow mapa(m_folder.plikUstawien(), m_urzadzenie);
    QJsonArray numery;
    QStringList linie;
    QStringList nazwane;
    for (int n = 1; n <= 16; ++n) {
        const QString urzadzenie = mapa.urzadzenie(n);
        nazwane.append(urzadzenie);
#ifdef Q_OS_WIN
        bool jest = false;
        for (const QSerialPortInfo &i : QSerialPortInfo::availablePorts())
            jest = jest || i.portName().compare(urzadzenie, Qt::CaseInsensitive) == 0;
#else
        const bool jest = QFileInfo::exists(urzadzenie);
#endif
        numery.append(QJsonObject{{QStringLiteral("port"), n},
                                  {QStringLiteral("device"), urzadzenie},
                                  {QStringLiteral("exists"), jest}});
        linie.append(QStringLiteral("%1  %2%3").arg(n, 2).arg(urzadzenie, jest ? QString() : QStringLiteral("  (missing)")));
    }
    QJsonArray inne;
    for (const QSerialPortInfo &i : QSerialPortInfo::availablePorts()) {
        const QString sciezka = i.systemLocation();
        if (nazwane.contains(sciezka) || nazwane.contains(i.portName()))
            continue;
        inne.append(sciezka);
        linie.append(QStringLiteral("--  %1  (no port number%2)")
                         .arg(sciezka, i.description().isEmpty() ? QString() : QStringLiteral(": ") + i.description()));
    }
    Wynik w = Wynik::ok(numery);
    w.dodatki.insert(QStringLiteral("unnumbered"), inne);
    w.tekst = linie.join(QLatin1Char('\n'));
    return w;
}
