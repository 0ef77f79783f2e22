#include "monitor/linia_monitora.h"

#include "monitor/widoczne.h"

#include <QDateTime>

#include <chrono>

namespace {

QString ms(qint64 ns)
{
    return QString::number(double(ns) / 1e6, 'f', 1);
}

QString poleCsv(const QString &pole)
{
    if (!pole.contains(QLatin1Char(',')) && !pole.contains(QLatin1Char('"')) && !pole.contains(QLatin1Char('\n')))
        return pole;
    QString p = pole;
    p.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + p + QLatin1Char('"');
}

} // namespace

SkladanieLinii::SkladanieLinii(TekstyMonitora teksty)
    : m_teksty(std::move(teksty)),
      m_start(ZdarzenieLinii::Zegar::now()),
      m_startZegarMs(QDateTime::currentMSecsSinceEpoch())
{
}

void SkladanieLinii::zapomnij()
{
    m_ostatnia.reset();
    m_czekaNaWynik = false;
}

QString SkladanieLinii::opisz(const Znaczenie &z) const
{
    const int n = z.polecenie - '0';
    const QString co = n >= 0 && n < 4 ? m_teksty.polecenia[n] : QString();
    switch (z.co) {
    case Znaczenie::Co::Zapytanie: return m_teksty.zapytanie.arg(co);
    case Znaczenie::Co::Ustawienie: return m_teksty.ustawienie.arg(co, widoczne(z.wartosc));
    case Znaczenie::Co::RamkaWagi: return m_teksty.ramkaWagi;
    case Znaczenie::Co::Wartosc: return m_teksty.wartosc.arg(z.ms).arg(widoczne(z.wartosc));
    case Znaczenie::Co::Niepoprawna: return m_teksty.niepoprawna.arg(z.ms);
    case Znaczenie::Co::OdpowiedzUstawienia: return m_teksty.odpowiedzUstawienia.arg(z.ms);
    case Znaczenie::Co::CzasMinal: return m_teksty.czasMinal.arg(z.ms);
    }
    return {};
}

void SkladanieLinii::nowa(LiniaMonitora::Kierunek k, qint64 czasNs, QByteArray bajty, QString znaczenie)
{
    LiniaMonitora l;
    l.kierunek = k;
    l.czasNs = czasNs;
    l.zegarMs = m_startZegarMs + czasNs / 1'000'000;
    l.bajty = std::move(bajty);
    l.znaczenie = std::move(znaczenie);
    l.przedostatniNs = l.ostatniNs = czasNs;
    m_ostatnia = std::move(l);
}

std::optional<SkladanieLinii::Skutek> SkladanieLinii::dodaj(const ZdarzenieLinii &z)
{
    using R = ZdarzenieLinii::Rodzaj;
    using K = LiniaMonitora::Kierunek;
    const qint64 czasNs = std::chrono::duration_cast<std::chrono::nanoseconds>(z.czas - m_start).count();

    if (z.rodzaj == R::Znaczenie) {
        const auto co = z.znaczenie.co;
        if (co == Znaczenie::Co::Zapytanie || co == Znaczenie::Co::Ustawienie || co == Znaczenie::Co::RamkaWagi) {
            m_zapowiedz = z.znaczenie;
            return std::nullopt;
        }
        const bool naOdpowiedzi = m_czekaNaWynik && m_ostatnia->znaczenie.isEmpty();
        m_czekaNaWynik = m_wymiana = false;
        if (naOdpowiedzi) {
            m_ostatnia->znaczenie = opisz(z.znaczenie);
            return Skutek::Zmieniona;
        }
        nowa(K::Protokol, czasNs, {}, opisz(z.znaczenie));
        return Skutek::Nowa;
    }

    K kierunek = K::Port;
    QString znaczenie;
    bool prosba = false;
    switch (z.rodzaj) {
    case R::Zapis:
        kierunek = K::Nadane;
        prosba = m_zapowiedz && m_zapowiedz->co != Znaczenie::Co::RamkaWagi;
        if (m_zapowiedz)
            znaczenie = opisz(*m_zapowiedz);
        m_zapowiedz.reset();
        break;
    case R::Odczyt: kierunek = K::Odebrane; break;
    case R::Otwarcie: znaczenie = m_teksty.otwarcie.arg(z.tekst); break;
    case R::Zamkniecie: znaczenie = m_teksty.zamkniecie; break;
    case R::Blad: znaczenie = m_teksty.blad.arg(z.tekst); break;
    case R::Znaczenie: break;
    }

    if (m_ostatnia && m_ostatnia->kierunek == kierunek && m_ostatnia->bajty == z.bajty
        && m_ostatnia->znaczenie == znaczenie) {
        ++m_ostatnia->powtorzenia;
        m_ostatnia->przedostatniNs = m_ostatnia->ostatniNs;
        m_ostatnia->ostatniNs = czasNs;
        return Skutek::Zmieniona;
    }
    // An answer follows the request it answers; after the port closes or
    // fails, the outcome stands on a line of its own.
    if (kierunek == K::Nadane)
        m_wymiana = prosba;
    m_czekaNaWynik = kierunek == K::Odebrane && m_wymiana;
    nowa(kierunek, czasNs, z.bajty, znaczenie);
    return Skutek::Nowa;
}

QString SkladanieLinii::naglowek(Kolumna k) const
{
    switch (k) {
    case Kolumna::Czas: return m_teksty.naglowekCzas;
    case Kolumna::Godzina: return m_teksty.naglowekGodzina;
    case Kolumna::Kierunek: return m_teksty.naglowekKierunek;
    case Kolumna::Tekst: return m_teksty.naglowekTekst;
    case Kolumna::Hex: return m_teksty.naglowekHex;
    case Kolumna::Znaczenie: return m_teksty.naglowekZnaczenie;
    case Kolumna::Liczba: break;
    }
    return {};
}

QString SkladanieLinii::kolumna(const LiniaMonitora &l, Kolumna k) const
{
    switch (k) {
    case Kolumna::Czas: return ms(l.czasNs);
    case Kolumna::Godzina:
        return QDateTime::fromMSecsSinceEpoch(l.zegarMs).toString(QStringLiteral("HH:mm:ss.zzz"));
    case Kolumna::Kierunek:
        switch (l.kierunek) {
        case LiniaMonitora::Kierunek::Nadane: return QStringLiteral("TX");
        case LiniaMonitora::Kierunek::Odebrane: return QStringLiteral("RX");
        case LiniaMonitora::Kierunek::Port: return QStringLiteral("PORT");
        case LiniaMonitora::Kierunek::Protokol: return QStringLiteral("--");
        }
        break;
    case Kolumna::Tekst: return widoczneBajty(l.bajty);
    case Kolumna::Hex: return szesnastkowo(l.bajty);
    case Kolumna::Znaczenie: {
        if (l.powtorzenia < 2)
            return l.znaczenie;
        const QString run = m_teksty.powtorzenia.arg(l.powtorzenia)
                                .arg(ms((l.ostatniNs - l.czasNs) / (l.powtorzenia - 1)),
                                     ms(l.ostatniNs - l.przedostatniNs));
        return l.znaczenie.isEmpty() ? run : l.znaczenie + QStringLiteral(", ") + run;
    }
    case Kolumna::Liczba: break;
    }
    return {};
}

QString SkladanieLinii::wiersz(const LiniaMonitora &l) const
{
    QString w = QStringLiteral("%1  %2  %3").arg(kolumna(l, Kolumna::Czas), 10).arg(kolumna(l, Kolumna::Godzina))
                    .arg(kolumna(l, Kolumna::Kierunek), -4);
    if (!l.bajty.isEmpty())
        w += QStringLiteral("  %1  [%2]").arg(kolumna(l, Kolumna::Tekst), kolumna(l, Kolumna::Hex));
    const QString z = kolumna(l, Kolumna::Znaczenie);
    if (!z.isEmpty())
        w += QStringLiteral("  ") + z;
    return w;
}

QString SkladanieLinii::naglowekCsv() const
{
    QStringList pola;
    for (int k = 0; k < int(Kolumna::Liczba); ++k)
        pola.append(poleCsv(naglowek(Kolumna(k))));
    return pola.join(QLatin1Char(','));
}

QString SkladanieLinii::wierszCsv(const LiniaMonitora &l) const
{
    QStringList pola;
    for (int k = 0; k < int(Kolumna::Liczba); ++k)
        pola.append(poleCsv(kolumna(l, Kolumna(k))));
    return pola.join(QLatin1Char(','));
}
