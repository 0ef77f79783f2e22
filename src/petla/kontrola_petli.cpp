#include "petla/kontrola_petli.h"

#include "config/jezyk.h"
#include "config/liczby.h"
#include "converter/katalog.h"
#include "monitor/widoczne.h"
#include "petla/miernik.h"
#include "petla/teksty.h"
#include "serial/lacze.h"
#include "serial/mscomm.h"
#include "serial/protokol.h"
#include "simulator/prad_oczekiwany.h"

using RamkaKonwertera::Polecenie;
using Stan = Protokol::Wymiana::Stan;

namespace {

// How long the frames still queued may take to leave before the port closes.
constexpr int kDoslanieMs = 500;
constexpr std::chrono::milliseconds kCzekanieNaRamke{5};

} // namespace

KontrolaPetli::KontrolaPetli(Lacze &lacze, Protokol &protokol, const Jezyk &jezyk, QString plikKatalogu,
                             QObject *parent)
    : QObject(parent),
      m_lacze(lacze),
      m_protokol(protokol),
      m_jezyk(jezyk),
      m_plikKatalogu(std::move(plikKatalogu)),
      m_nadajnik(lacze.port(), m_wartosci)
{
    m_odstep.setSingleShot(true);
    m_odstep.setTimerType(Qt::PreciseTimer);
    connect(&m_odstep, &QTimer::timeout, this, &KontrolaPetli::popros);
    m_strazMiernika.setSingleShot(true);
    m_strazMiernika.setInterval(kCzasMiernika);
    connect(&m_strazMiernika, &QTimer::timeout, this, [this] {
        zakoncz(Koniec::Utracono, tekst(QStringLiteral("miernik_milczy")));
    });
    connect(&m_nadajnik, &Nadajnik::przerwano, this, [this] {
        zakoncz(Koniec::Utracono,
                m_jezyk.Komunikat(QStringLiteral("PortUtracony"),
                                  m_lacze.nazwaPortu() + QStringLiteral(" przestał odpowiadać - wysyłanie zatrzymane")));
    });
}

KontrolaPetli::~KontrolaPetli()
{
    if (m_trwa) {
        m_nadajnik.wylacz();
        m_lacze.ZamknijPort();
    }
}

QString KontrolaPetli::tekst(const QString &klucz) const
{
    return TekstyKontroli::tekst(m_jezyk, klucz);
}

void KontrolaPetli::start(const UstawieniaKontroli &ustawienia, Miernik &miernik)
{
    if (m_trwa)
        return;
    m_p = {};
    m_p.ustawienia = ustawienia;
    m_p.poczatek = QDateTime::currentDateTime();
    m_miernik = &miernik;
    m_biezacy = -1;
    m_czekaNaOdczyt = false;
    m_trwa = true;
    QTimer::singleShot(0, this, [this] {
        if (!m_trwa)
            return;
        if (const auto blad = m_p.ustawienia.blad()) {
            zakoncz(Koniec::Utracono, *blad);
            return;
        }
        czytajKonwerter();
    });
}

void KontrolaPetli::stop()
{
    if (m_trwa)
        zakoncz(Koniec::Przerwano, tekst(QStringLiteral("przerwano")));
}

void KontrolaPetli::czytajKonwerter()
{
    const auto zapytaj = [this](Polecenie p, QString &wartosc) {
        const Protokol::Wymiana w = m_protokol.zapytaj(p);
        if (w.stan == Stan::Poprawna) {
            wartosc = w.tekst;
            return true;
        }
        const QString opis = w.stan == Stan::PortNiedostepny
                                 ? m_lacze.nazwaPortu() + QStringLiteral(": ")
                                       + tekst(QStringLiteral("port_niedostepny"))
                                 : tekst(QStringLiteral("konwerter_nie_odpowiada"))
                                       + QStringLiteral(": ") + widoczne(w.tekst);
        zakoncz(Koniec::Utracono, opis);
        return false;
    };
    QString wersja, max, ramka, tryb;
    if (!zapytaj(Polecenie::Wersja, wersja) || !zapytaj(Polecenie::Max, max) || !zapytaj(Polecenie::Ramka, ramka)
        || !zapytaj(Polecenie::Tryb, tryb))
        return;

    const QString niemozliwa = tekst(QStringLiteral("niemozliwa"));
    const double m = Liczby::Val(max);
    if (!Liczby::CzyLiczba(max) || m <= 0) {
        zakoncz(Koniec::Utracono, tekst(QStringLiteral("zly_max"))
                                      + QStringLiteral(" \"%1\": ").arg(max) + niemozliwa);
        return;
    }
    const int t = int(Liczby::Val(tryb));
    if (!Liczby::CzyLiczba(tryb) || t < 0 || t > 2 || QString::number(t) != tryb.trimmed()) {
        zakoncz(Koniec::Utracono, tekst(QStringLiteral("zly_tryb"))
                                      + QStringLiteral(" \"%1\": ").arg(tryb) + niemozliwa);
        return;
    }
    Katalog katalog;
    katalog.wczytaj(m_plikKatalogu);
    const QVector<int> pozycje = katalog.pozycjeTypu(ramka);
    if (pozycje.isEmpty()) {
        zakoncz(Koniec::Utracono, tekst(QStringLiteral("zly_typ"))
                                      + QStringLiteral(" \"%1\": ").arg(ramka) + niemozliwa);
        return;
    }
    m_p.konwerter = {wersja, qint64(m), ramka, katalog.TypyRamek.at(pozycje.last()).Wartosc, t};

    m_wartosci.WczytajTypRamki(m_plikKatalogu, ramka);
    m_p.punkty = Punkty::plan(t, m_p.konwerter.maksimum, m_p.ustawienia.punkty, m_p.ustawienia.goraDol);
    for (PunktKontroli &p : m_p.punkty) {
        p.ramka = m_wartosci.BudujRamke(p.waga);
        p.oczekiwany = PradOczekiwany::zRamki(p.ramka, m_wartosci, m_p.konwerter.maksimum, t).value_or(PradOczekiwany::kNajmniejszy);
    }
    emit rozpoczeto();

    m_polaczenia << connect(m_miernik, &Miernik::gotowy, this, &KontrolaPetli::miernikGotowy);
    m_polaczenia << connect(m_miernik, &Miernik::odczyt, this, &KontrolaPetli::odczyt);
    // The meter's own messages name it.
    m_polaczenia << connect(m_miernik, &Miernik::blad, this, [this](const QString &opis) {
        zakoncz(Koniec::Utracono, opis);
    });
    m_polaczenia << connect(m_miernik, &QObject::destroyed, this, [this] {
        zakoncz(Koniec::Utracono, tekst(QStringLiteral("miernik_milczy")));
    });
    if (m_p.ustawienia.limitUstalania.count() > 0)
        m_strazMiernika.start();
    m_miernik->otworz();
}

void KontrolaPetli::miernikGotowy(const QString &identyfikacja)
{
    if (!m_trwa || m_biezacy >= 0)
        return;
    m_strazMiernika.stop();
    m_p.miernik = identyfikacja;
    if (!m_lacze.OtworzPort()) {
        zakoncz(Koniec::Utracono, m_lacze.nazwaPortu() + QStringLiteral(": ")
                                      + tekst(QStringLiteral("port_niedostepny")));
        return;
    }
    rozpocznijPunkt(0);
    m_nadajnik.wlacz();
}

void KontrolaPetli::rozpocznijPunkt(int i)
{
    m_biezacy = i;
    m_wartosci.BiezacaRamka = m_p.punkty.at(i).ramka;
    m_ustalanie.emplace(m_p.ustawienia);
    m_wyslaneNaPoczatku = m_nadajnik.wyslane();
    m_zegarPunktu.start();
    emit punktRozpoczety(i);
    if (m_trwa)
        popros();
}

void KontrolaPetli::popros()
{
    if (!m_trwa)
        return;
    // A reading taken before the point's frame has gone out would show the
    // previous point, and agree with itself.
    if (m_nadajnik.wyslane() <= m_wyslaneNaPoczatku) {
        m_odstep.start(int(kCzekanieNaRamke.count()));
        return;
    }
    m_czekaNaOdczyt = true;
    m_zegarProsby.start();
    if (m_p.ustawienia.limitUstalania.count() > 0)
        m_strazMiernika.start();
    m_miernik->zmierz();
}

void KontrolaPetli::odczyt(double mA)
{
    if (!m_trwa || !m_czekaNaOdczyt || m_biezacy < 0)
        return;
    m_czekaNaOdczyt = false;
    m_strazMiernika.stop();
    const int i = m_biezacy;
    emit odczytano(i, mA);
    if (!m_trwa)
        return;
    const auto stan = m_ustalanie->dodaj(mA, std::chrono::milliseconds(m_zegarPunktu.elapsed()));
    if (stan == Ustalanie::Stan::Czeka) {
        const qint64 zostalo = m_p.ustawienia.odstepOdczytow.count() - m_zegarProsby.elapsed();
        m_odstep.start(int(std::max<qint64>(zostalo, 0)));
        return;
    }
    PunktKontroli &p = m_p.punkty[i];
    p.zmierzony = m_ustalanie->wynik();
    p.stabilny = stan == Ustalanie::Stan::Ustalony;
    emit punktZmierzony(i);
    if (!m_trwa)
        return;
    if (i + 1 < m_p.punkty.size()) {
        rozpocznijPunkt(i + 1);
        return;
    }
    zakoncz(m_p.zgodny() ? Koniec::Zgodny : Koniec::Niezgodny, QString());
}

void KontrolaPetli::zakoncz(Koniec koniec, const QString &opis)
{
    if (!m_trwa)
        return;
    m_trwa = false;
    m_odstep.stop();
    m_strazMiernika.stop();
    if (m_nadajnik.wlaczony()) {
        m_nadajnik.wylacz();
        m_lacze.port().doczekajWyslania(kDoslanieMs);
    }
    m_lacze.ZamknijPort();
    for (const QMetaObject::Connection &c : std::as_const(m_polaczenia))
        disconnect(c);
    m_polaczenia.clear();
    if (m_miernik)
        m_miernik->zamknij();
    m_biezacy = -1;
    emit zakonczono(koniec, opis);
}
