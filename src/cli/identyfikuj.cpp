#include "cli/narzedzie.h"

#include "config/kodowanie.h"
#include "identyfikacja/dopasowanie.h"
#include "identyfikacja/nasluch.h"
#include "identyfikacja/opisy.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QTimer>

#include <atomic>
#include <csignal>
#include <cstdio>

namespace {

std::atomic<bool> g_przerwij{false};

extern "C" void naPrzerwanieNasluchu(int)
{
    g_przerwij = true;
}

QJsonArray wagi(const QVector<qint32> &w)
{
    QJsonArray a;
    for (const qint32 v : w)
        a.append(v);
    return a;
}

QString wagiTekstem(const QVector<qint32> &w)
{
    QStringList t;
    for (const qint32 v : w)
        t.append(QString::number(v));
    return t.join(u' ');
}

} // namespace

Wynik Narzedzie::identyfikuj(const QString &sekundy, bool autoLinia)
{
    bool ok = sekundy.isEmpty();
    const double s = ok ? kSekundyIdentyfikacji : sekundy.toDouble(&ok);
    if (!ok || s <= 0 || s > 3600)
        return Wynik::porazka(Wynik::Uzycie, QStringLiteral("--seconds: a number of seconds, more than 0"));
    const std::chrono::milliseconds czas(qint64(s * 1000));

    Dopasowanie dopasowanie;
    dopasowanie.wczytaj(m_folder.plikKatalogu());
    Nasluch nasluch(m_lacze);
    OpisyIdentyfikacji::Przebieg przebieg;
    przebieg.nazwaPortu = m_lacze.nazwaPortu();
    std::optional<OcenaLinii> wybrana;
    QJsonArray proby;
    QStringList opisyProb;
    bool cisza = false;

    QObject::connect(&nasluch, &Nasluch::ramka, [&](const PodzialRamek::Ramka &r, bool proba) {
        cisza = false;
        if (!proba)
            dopasowanie.dodaj(Kodowanie::zAnsi(r.bajty));
    });
    QObject::connect(&nasluch, &Nasluch::sprobowano, [&](const OcenaLinii &o) {
        const QString opis = OpisyIdentyfikacji::proba(m_jezyk, o);
        opisyProb.append(opis);
        proby.append(QJsonObject{{QStringLiteral("line"), o.linia},
                                 {QStringLiteral("bytes"), double(o.bajtow)},
                                 {QStringLiteral("frames"), o.ramek},
                                 {QStringLiteral("printable"), o.czytelnych},
                                 {QStringLiteral("same_length"), o.zgodnych}});
        const QByteArray b = opis.toLocal8Bit();
        std::fprintf(stderr, "%s\n", b.constData());
    });
    QObject::connect(&nasluch, &Nasluch::wybrano, [&](const OcenaLinii &o, const QVector<PodzialRamek::Ramka> &ramki) {
        wybrana = o;
        dopasowanie.wyczysc();
        for (const auto &r : ramki)
            dopasowanie.dodaj(Kodowanie::zAnsi(r.bajty));
    });
    QObject::connect(&nasluch, &Nasluch::nieZnaleziono, [&] { przebieg.liniaNieZnaleziona = true; });
    QObject::connect(&nasluch, &Nasluch::cisza, [&] { cisza = true; });
    QObject::connect(&nasluch, &Nasluch::zakonczono, [&](Nasluch::Koniec k) {
        przebieg.portUtracony = k == Nasluch::Koniec::PortUtracony;
        QCoreApplication::quit();
    });

    g_przerwij = false;
    std::signal(SIGINT, naPrzerwanieNasluchu);
    std::signal(SIGTERM, naPrzerwanieNasluchu);
    QTimer straz;
    straz.setInterval(100);
    QObject::connect(&straz, &QTimer::timeout, [&] {
        if (g_przerwij)
            nasluch.zatrzymaj();
    });
    const bool zaczete = autoLinia ? nasluch.szukaj(czas, false) : nasluch.sluchaj(czas);
    if (zaczete) {
        straz.start();
        QCoreApplication::exec();
    }
    std::signal(SIGINT, SIG_DFL);
    std::signal(SIGTERM, SIG_DFL);
    if (!zaczete)
        return bladPortu();

    // A silence before any frame is told as "nothing came".
    przebieg.ucichla = cisza && dopasowanie.ramek() > 0;
    przebieg.bajtow = wybrana ? wybrana->bajtow : nasluch.bajtow();
    const QString linia = wybrana ? wybrana->linia : nasluch.linia();
    const std::optional<double> okres = wybrana ? wybrana->okresMs : nasluch.okresMs();
    const QVector<Dopasowanie::Typ> pasujace = dopasowanie.pasujace();
    QStringList uwagi = OpisyIdentyfikacji::uwagi(m_jezyk, przebieg, dopasowanie);
    if (wybrana)
        uwagi.prepend(OpisyIdentyfikacji::wybor(m_jezyk, *wybrana));

    QStringList linie;
    linie.append(QStringLiteral("line: %1").arg(przebieg.liniaNieZnaleziona ? QStringLiteral("-") : linia));
    linie.append(QStringLiteral("period: %1").arg(okres ? QStringLiteral("%1 ms").arg(qRound(*okres)) : QStringLiteral("-")));
    linie.append(QStringLiteral("frames: %1, fitting no type: %2").arg(dopasowanie.ramek()).arg(dopasowanie.odrzuconych()));
    QJsonArray typy;
    for (const auto &t : pasujace) {
        linie.append(QStringLiteral("type %1  %2  [%3]  weights: %4").arg(t.klucz, t.opis, t.wzor, wagiTekstem(t.wagi)));
        typy.append(QJsonObject{{QStringLiteral("type"), t.klucz},
                                {QStringLiteral("description"), t.opis},
                                {QStringLiteral("template"), t.wzor},
                                {QStringLiteral("weights"), wagi(t.wagi)}});
    }

    const int kod = przebieg.portUtracony ? int(Wynik::Port) : pasujace.size() == 1 ? int(Wynik::Sukces) : int(Wynik::Konwerter);
    Wynik wynik = kod == Wynik::Sukces ? Wynik::ok(pasujace.constFirst().klucz) : Wynik::porazka(kod, QString());
    wynik.blad = uwagi.join(u'\n');
    wynik.tekst = linie.join(u'\n');
    wynik.dodatki.insert(QStringLiteral("line"), przebieg.liniaNieZnaleziona ? QJsonValue() : QJsonValue(linia));
    wynik.dodatki.insert(QStringLiteral("period_ms"), okres ? QJsonValue(qRound(*okres)) : QJsonValue());
    wynik.dodatki.insert(QStringLiteral("frames"), dopasowanie.ramek());
    wynik.dodatki.insert(QStringLiteral("fitting_no_type"), dopasowanie.odrzuconych());
    wynik.dodatki.insert(QStringLiteral("types"), typy);
    if (autoLinia)
        wynik.dodatki.insert(QStringLiteral("tried"), proby);
    wynik.dodatki.insert(QStringLiteral("messages"), QJsonArray::fromStringList(uwagi));
    return wynik;
}
