#include "identyfikacja/nasluch.h"

#include "serial/lacze.h"
#include "serial/mscomm.h"

#include <algorithm>

namespace {

// Speed, parity and data bits of a settings text, upper case, or nothing when
// it is not one a search tries.
std::optional<QString> zwykla(const QString &linia)
{
    const QStringList c = linia.split(u',');
    if (c.size() != 4)
        return std::nullopt;
    const QString predkosc = c[0].trimmed();
    const QString parzystosc = c[1].trimmed().toUpper();
    const QString bity = c[2].trimmed();
    const QString stop = c[3].trimmed();
    static const QStringList kPredkosci{"1200", "2400", "4800", "9600", "19200"};
    if (!kPredkosci.contains(predkosc) || !QStringList{"N", "E", "O"}.contains(parzystosc)
        || !QStringList{"7", "8"}.contains(bity) || !QStringList{"1", "2"}.contains(stop))
        return std::nullopt;
    return QStringList{predkosc, parzystosc, bity, stop}.join(u',');
}

} // namespace

QStringList Nasluch::linieDoSprawdzenia(const QString &zapisana)
{
    static constexpr int kPredkosci[] = {9600, 4800, 19200, 2400, 1200};
    static constexpr const char *kFormaty[] = {"N,8", "E,7", "O,7", "E,8", "O,8", "N,7"};
    QStringList linie;
    if (const auto z = zwykla(zapisana))
        linie.append(*z);
    for (const int p : kPredkosci)
        for (const char *f : kFormaty) {
            const QString l = QStringLiteral("%1,%2,1").arg(p).arg(QLatin1String(f));
            if (!linie.contains(l))
                linie.append(l);
        }
    return linie;
}

Nasluch::Nasluch(Lacze &lacze, QObject *parent) : QObject(parent), m_lacze(lacze)
{
    m_takt.setInterval(kTakt);
    connect(&m_takt, &QTimer::timeout, this, &Nasluch::tyknij);
}

bool Nasluch::sluchaj(std::chrono::milliseconds czas)
{
    if (trwa())
        return false;
    m_lacze.UstawPort();
    return zacznij({m_lacze.port().Settings()}, czas, false, false);
}

bool Nasluch::szukaj(std::chrono::milliseconds czasProby, bool dalej)
{
    if (trwa())
        return false;
    m_lacze.UstawPort();
    return zacznij(linieDoSprawdzenia(m_lacze.port().Settings()), czasProby, true, dalej);
}

void Nasluch::zatrzymaj()
{
    if (trwa())
        zakoncz(Koniec::Zatrzymano);
}

bool Nasluch::zacznij(const QStringList &linie, std::chrono::milliseconds czasProby, bool szuka, bool dalej)
{
    m_linie = linie;
    m_indeks = 0;
    m_czasProbyMs = czasProby.count();
    m_szuka = szuka;
    m_dalej = dalej;
    m_najlepsza.reset();
    m_ramkiNajlepszej.clear();
    m_zegar.start();
    emit zajmujeLacze(true);
    if (!otworz(m_linie.constFirst())) {
        m_lacze.ZamknijPort();
        m_lacze.UstawPort();
        emit zajmujeLacze(false);
        return false;
    }
    m_takt.start();
    return true;
}

bool Nasluch::otworz(const QString &linia)
{
    MSComm &port = m_lacze.port();
    m_lacze.ZamknijPort();
    port.setSettings(linia);
    m_linia = port.Settings();
    m_podzial.wyczysc();
    m_ramkiProby.clear();
    m_ciszaZgloszona = false;
    m_poczatekProbyMs = m_zegar.elapsed();
    return m_lacze.OtworzPort();
}

void Nasluch::tyknij()
{
    MSComm &port = m_lacze.port();
    const QByteArray bajty = port.Input();
    const qint64 teraz = m_zegar.elapsed();
    if (!port.PortOpen()) {
        zakoncz(Koniec::PortUtracony);
        return;
    }
    if (!bajty.isEmpty()) {
        m_ciszaZgloszona = false;
        for (const auto &r : m_podzial.dodaj(bajty, teraz)) {
            if (m_szuka)
                m_ramkiProby.append(r);
            emit ramka(r, m_szuka);
            if (!trwa())
                return;
        }
    }
    if (!m_szuka && !m_ciszaZgloszona) {
        const qint64 od = m_podzial.ostatniBajtMs().value_or(m_poczatekProbyMs);
        qint64 prog = kCisza.count();
        if (const auto okres = m_podzial.okresMs())
            prog = std::max(prog, qint64(*okres * kOkresowCiszy));
        if (teraz - od >= prog) {
            m_ciszaZgloszona = true;
            emit cisza(teraz - od);
            if (!trwa())
                return;
        }
    }
    if (m_czasProbyMs > 0 && teraz - m_poczatekProbyMs >= m_czasProbyMs)
        koniecProby();
}

void Nasluch::koniecProby()
{
    m_lacze.ZamknijPort();
    if (!m_szuka) {
        zakoncz(Koniec::Czas);
        return;
    }
    const OcenaLinii ocena = OcenaLinii::ocen(m_linia, m_ramkiProby, m_podzial);
    emit sprobowano(ocena);
    if (!trwa())
        return;
    if (ocena.czysta()) {
        wybierz(ocena, m_ramkiProby);
        return;
    }
    if (ocena.mozliwa() && (!m_najlepsza || ocena.lepszaNiz(*m_najlepsza))) {
        m_najlepsza = ocena;
        m_ramkiNajlepszej = m_ramkiProby;
    }
    if (++m_indeks < m_linie.size()) {
        if (!otworz(m_linie.at(m_indeks)))
            zakoncz(Koniec::PortNiedostepny);
        return;
    }
    if (m_najlepsza) {
        wybierz(*m_najlepsza, m_ramkiNajlepszej);
        return;
    }
    emit nieZnaleziono();
    if (trwa())
        zakoncz(Koniec::Czas);
}

void Nasluch::wybierz(const OcenaLinii &ocena, const QVector<PodzialRamek::Ramka> &ramki)
{
    m_szuka = false;
    emit wybrano(ocena, ramki);
    if (!trwa())
        return;
    if (!m_dalej) {
        zakoncz(Koniec::Czas);
        return;
    }
    m_czasProbyMs = 0;
    if (!otworz(ocena.linia))
        zakoncz(Koniec::PortNiedostepny);
}

void Nasluch::zakoncz(Koniec koniec)
{
    m_takt.stop();
    m_lacze.ZamknijPort();
    m_lacze.UstawPort();
    emit zajmujeLacze(false);
    emit zakonczono(koniec);
}
