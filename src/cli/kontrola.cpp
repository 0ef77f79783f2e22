// loopcheck: the loop check from a shell, readings typed or piped in.
#include "cli/narzedzie.h"
#include "cli/wejscie.h"

#include "petla/kontrola_petli.h"
#include "petla/miernik_reczny.h"
#include "petla/miernik_scpi.h"
#include "petla/raport_pdf.h"
#include "petla/teksty.h"
#include "petla/zapis_kontroli.h"
#include "simulator/prad_oczekiwany.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QTimer>

#include <atomic>
#include <csignal>
#include <cstdio>
#include <memory>

namespace {

std::atomic<bool> g_stop{false};

extern "C" void naStop(int)
{
    g_stop = true;
}

void wypiszLinie(FILE *strumien, const QString &tekst)
{
    const QByteArray b = (tekst + QLatin1Char('\n')).toLocal8Bit();
    std::fwrite(b.constData(), 1, size_t(b.size()), strumien);
    std::fflush(strumien);
}

QString tabela(const PrzebiegKontroli &p)
{
    QStringList linie{QStringLiteral(" #  dir     weight  frame             expected mA  measured mA  error mA  error %span  result")};
    for (int i = 0; i < p.punkty.size(); ++i) {
        const PunktKontroli &k = p.punkty.at(i);
        const bool z = k.zmierzony.has_value();
        const QString wynik = !z ? QStringLiteral("not measured")
                              : !k.stabilny ? QStringLiteral("unstable")
                              : k.zgodny(p.ustawienia.tolerancja) ? QStringLiteral("pass")
                                                                  : QStringLiteral("fail");
        linie << QStringLiteral("%1  %2  %3  %4  %5  %6  %7  %8  %9")
                     .arg(i + 1, 2)
                     .arg(k.wDol ? QStringLiteral("down") : QStringLiteral("up  "))
                     .arg(k.waga, 7)
                     .arg((QLatin1Char('"') + k.ramka + QLatin1Char('"')).leftJustified(16))
                     .arg(ZapisKontroli::mA(k.oczekiwany), 11)
                     .arg(z ? ZapisKontroli::mA(*k.zmierzony) : QString(), 11)
                     .arg(z ? ZapisKontroli::zeZnakiem(k.bladMA()) : QString(), 8)
                     .arg(z ? ZapisKontroli::zeZnakiem(k.bladProcent()) : QString(), 11)
                     .arg(wynik);
    }
    return linie.join(QLatin1Char('\n'));
}

QJsonObject jakoJson(const PrzebiegKontroli &p)
{
    QJsonArray punkty;
    for (const PunktKontroli &k : p.punkty) {
        QJsonObject o{{QStringLiteral("weight"), k.waga},
                      {QStringLiteral("direction"), k.wDol ? QStringLiteral("down") : QStringLiteral("up")},
                      {QStringLiteral("frame"), k.ramka},
                      {QStringLiteral("expected_mA"), k.oczekiwany}};
        if (k.zmierzony) {
            o.insert(QStringLiteral("measured_mA"), *k.zmierzony);
            o.insert(QStringLiteral("error_mA"), k.bladMA());
            o.insert(QStringLiteral("error_pct_span"), k.bladProcent());
            o.insert(QStringLiteral("stable"), k.stabilny);
            o.insert(QStringLiteral("pass"), k.zgodny(p.ustawienia.tolerancja));
        }
        punkty.append(o);
    }
    const ParametryKonwertera &k = p.konwerter;
    QJsonObject o{{QStringLiteral("points"), punkty},
                  {QStringLiteral("tolerance_pct_span"), p.ustawienia.tolerancja},
                  {QStringLiteral("converter"), QJsonObject{{QStringLiteral("version"), k.wersja},
                                                            {QStringLiteral("max"), double(k.maksimum)},
                                                            {QStringLiteral("frame_type"), k.typRamki},
                                                            {QStringLiteral("mode"), k.tryb}}},
                  {QStringLiteral("meter"), p.miernik},
                  {QStringLiteral("operator"), p.ustawienia.operatorNazwa},
                  {QStringLiteral("serial"), p.ustawienia.numerSeryjny},
                  {QStringLiteral("started"), p.poczatek.toString(Qt::ISODate)}};
    if (const auto b = Punkty::najwiekszyBlad(p.punkty))
        o.insert(QStringLiteral("largest_error_pct_span"), *b);
    return o;
}

} // namespace

Wynik Narzedzie::kontrola(const OpcjeKontroli &opcje)
{
    UstawieniaKontroli u = opcje.ustawienia;
    if (const auto blad = u.blad())
        return Wynik::porazka(Wynik::Uzycie, QStringLiteral("loopcheck: ") + *blad);
    FILE *podpowiedzi = opcje.json ? stderr : stdout;

    std::unique_ptr<Miernik> miernik;
    std::unique_ptr<Wejscie> wejscie;
    if (!opcje.dmm.isEmpty()) {
        QString blad;
        auto ustawienia = UstawieniaMiernikow::czytaj(m_folder.plikUstawien(), blad, &m_jezyk);
        if (!ustawienia)
            return Wynik::porazka(Wynik::Port, blad);
        using UstawieniaMiernikow::Parametr;
        if (!UstawieniaMiernikow::ustaw(*ustawienia, Parametr::Urzadzenie, opcje.dmm, blad, &m_jezyk)
            || (!opcje.dmmBaud.isEmpty()
                && !UstawieniaMiernikow::ustaw(*ustawienia, Parametr::Predkosc, opcje.dmmBaud, blad, &m_jezyk)))
            return Wynik::porazka(Wynik::Uzycie, QStringLiteral("loopcheck: ") + blad);
        miernik = std::make_unique<MiernikScpi>(*ustawienia, &m_jezyk);
    } else {
            // Each typed value is a settled reading: the person waits for the
        // display to settle before typing it.
        u.zgodnychOdczytow = 1;
        u.limitUstalania = std::chrono::milliseconds(0);
        auto reczny = std::make_unique<MiernikReczny>();
        reczny->ustawOpis(TekstyKontroli::tekst(m_jezyk, QStringLiteral("odczyt_reczny")));
        wejscie = std::make_unique<Wejscie>();
        // Lines piped in arrive before the run asks for them: they wait their turn.
        MiernikReczny *r = reczny.get();
        const auto kolejka = std::make_shared<QStringList>();
        const auto zakonczone = std::make_shared<bool>(false);
        const auto podaj = [r, kolejka, zakonczone, podpowiedzi] {
            while (r->czeka() && !kolejka->isEmpty()) {
                const QString tekst = kolejka->takeFirst();
                if (!r->podaj(tekst))
                    wypiszLinie(podpowiedzi, QStringLiteral("\"%1\" is not a current in mA; type it again").arg(tekst));
            }
            if (r->czeka() && *zakonczone)
                emit r->blad(QStringLiteral("standard input ended before the last reading"));
        };
        QObject::connect(wejscie.get(), &Wejscie::linia, r, [kolejka, podaj](const QString &tekst) {
            kolejka->append(tekst);
            podaj();
        });
        QObject::connect(wejscie.get(), &Wejscie::koniec, r, [zakonczone, podaj] {
            *zakonczone = true;
            podaj();
        });
        QObject::connect(r, &MiernikReczny::potrzebnyOdczyt, r, podaj, Qt::QueuedConnection);
        miernik = std::move(reczny);
    }

    KontrolaPetli kontrola(m_lacze, m_protokol, m_jezyk, m_folder.plikKatalogu());
    QObject::connect(&kontrola, &KontrolaPetli::punktRozpoczety, [&](int i) {
        if (!qobject_cast<MiernikReczny *>(miernik.get()))
            return;
        const PunktKontroli &k = kontrola.punkty().at(i);
        wypiszLinie(podpowiedzi, QStringLiteral("point %1/%2  weight %3  expected %4  measured mA?")
                                     .arg(i + 1).arg(kontrola.punkty().size()).arg(k.waga)
                                     .arg(PradOczekiwany::tekst(k.oczekiwany)));
    });
    QObject::connect(&kontrola, &KontrolaPetli::rozpoczeto, [&] {
        const ParametryKonwertera &k = kontrola.konwerter();
        wypiszLinie(podpowiedzi, QStringLiteral("converter %1, max %2, frame type %3, mode %4")
                                     .arg(k.wersja).arg(k.maksimum).arg(k.typRamki).arg(k.tryb));
    });
    KontrolaPetli::Koniec koniec = KontrolaPetli::Koniec::Przerwano;
    QString opis;
    QObject::connect(&kontrola, &KontrolaPetli::zakonczono, [&](KontrolaPetli::Koniec k, const QString &o) {
        koniec = k;
        opis = o;
        QCoreApplication::quit();
    });

    g_stop = false;
    std::signal(SIGINT, naStop);
    std::signal(SIGTERM, naStop);
    QTimer straz;
    straz.setInterval(100);
    QObject::connect(&straz, &QTimer::timeout, [&] {
        if (g_stop)
            kontrola.stop();
    });
    straz.start();
    kontrola.start(u, *miernik);
    QCoreApplication::exec();
    std::signal(SIGINT, SIG_DFL);
    std::signal(SIGTERM, SIG_DFL);

    const PrzebiegKontroli &p = kontrola.przebieg();
    Wynik wynik;
    QStringList bledy;
    const bool zmierzono = std::any_of(p.punkty.begin(), p.punkty.end(), [](const PunktKontroli &k) { return k.zmierzony.has_value(); });
    if (zmierzono) {
        const auto zapisz = [&](const QString &sciezka, const QByteArray &dane, const char *klucz) {
            if (sciezka.isEmpty())
                return;
            if (const auto blad = ZapisKontroli::zapisz(sciezka, dane))
                bledy << *blad;
            else
                wynik.dodatki.insert(QLatin1String(klucz), sciezka);
        };
        zapisz(opcje.csv, ZapisKontroli::csv(p), "csv");
        if (!opcje.pdf.isEmpty())
            zapisz(opcje.pdf, RaportPdf::utworz(p, m_jezyk), "pdf");
    }

    switch (koniec) {
    case KontrolaPetli::Koniec::Zgodny:
        wynik.kod = Wynik::Sukces;
        break;
    case KontrolaPetli::Koniec::Utracono:
        wynik.kod = Wynik::Port;
        break;
    default:
        wynik.kod = Wynik::Konwerter;
        break;
    }
    const QString werdykt = koniec == KontrolaPetli::Koniec::Zgodny     ? QStringLiteral("pass")
                            : koniec == KontrolaPetli::Koniec::Niezgodny ? QStringLiteral("fail")
                            : koniec == KontrolaPetli::Koniec::Utracono  ? QStringLiteral("lost")
                                                                         : QStringLiteral("stopped");
    wynik.wartosc = werdykt;
    const QJsonObject o = jakoJson(p);
    for (auto i = o.begin(); i != o.end(); ++i)
        wynik.dodatki.insert(i.key(), i.value());
    if (!opis.isEmpty())
        bledy.prepend(opis);
    if (koniec == KontrolaPetli::Koniec::Utracono && !m_komunikaty.teksty.isEmpty())
        bledy << m_komunikaty.teksty;
    wynik.blad = bledy.join(QLatin1Char('\n'));

    QStringList tekst;
    if (zmierzono)
        tekst << tabela(p);
    if (const auto b = Punkty::najwiekszyBlad(p.punkty))
        tekst << QStringLiteral("largest error %1 %span (tolerance ±%2 %span)")
                     .arg(ZapisKontroli::zeZnakiem(*b), QString::number(p.ustawienia.tolerancja, 'f', 3));
    tekst << QStringLiteral("verdict: ") + werdykt.toUpper();
    wynik.tekst = tekst.join(QLatin1Char('\n'));
    return wynik;
}
