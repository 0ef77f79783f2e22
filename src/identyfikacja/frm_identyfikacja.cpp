#include "identyfikacja/frm_identyfikacja.h"

#include "config/folder.h"
#include "config/kodowanie.h"
#include "config/komunikaty.h"
#include "config/liczby.h"
#include "controls/buttonxp.h"
#include "converter/operacje.h"
#include "identyfikacja/opisy.h"
#include "identyfikacja/zapis_typu.h"
#include "monitor/widoczne.h"
#include "okna/budowa.h"
#include "okna/tlumaczenie.h"
#include "okna/twipy.h"
#include "okna/uslugi.h"
#include "serial/lacze.h"
#include "serial/mscomm.h"
#include "serial/protokol.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFontDatabase>
#include <QLabel>
#include <QListWidget>

#include <algorithm>

FrmIdentyfikacja::FrmIdentyfikacja(Uslugi &uslugi, QWidget *parent)
    : OknoNarzedzia(QStringLiteral("frmIdentyfikacja"), OpisyIdentyfikacji::kSekcja, parent, Qt::Window),
      m_uslugi(uslugi),
      m_nasluch(uslugi.lacze)
{
    setWindowTitle(QStringLiteral("Identyfikacja wagi"));
    setFixedSize(px(9000), px(6720));

    m_cmdSluchaj = nowyPrzycisk(*this, this, QStringLiteral("cmdSluchaj"), QStringLiteral("Słuchaj"),
                                QStringLiteral("sluchaj"), QRect(120, 120, 1500, 390));
    m_cmdSzukaj = nowyPrzycisk(*this, this, QStringLiteral("cmdSzukajLinii"), QStringLiteral("Szukaj ustawień łącza"),
                               QStringLiteral("szukaj"), QRect(1740, 120, 2600, 390));
    m_cmdZatrzymaj = nowyPrzycisk(*this, this, QStringLiteral("cmdZatrzymaj"), QStringLiteral("Zatrzymaj"),
                                  QStringLiteral("zatrzymaj"), QRect(4460, 120, 1500, 390));
    m_cmdZatrzymaj->setEnabled(false);

    etykieta(QStringLiteral("lblLiniaCap"), QStringLiteral("linia"), QStringLiteral("Łącze:"), QRect(120, 600, 900, 300));
    m_lblLinia = etykieta(QStringLiteral("lblLinia"), {}, m_uslugi.lacze.port().Settings(), QRect(1020, 600, 2400, 300));
    etykieta(QStringLiteral("lblOkresCap"), QStringLiteral("okres"), QStringLiteral("Okres:"), QRect(3600, 600, 900, 300));
    m_lblOkres = etykieta(QStringLiteral("lblOkres"), {}, QStringLiteral("-"), QRect(4500, 600, 1500, 300));

    etykieta(QStringLiteral("lblRamkiCap"), QStringLiteral("ramki"), QStringLiteral("Ramki z wagi"), QRect(120, 960, 4300, 300));
    m_lstRamki = lista(QStringLiteral("lstRamki"), QRect(120, 1260, 4300, 2400));
    etykieta(QStringLiteral("lblProbyCap"), QStringLiteral("proby"), QStringLiteral("Sprawdzone ustawienia łącza"),
             QRect(4580, 960, 4300, 300));
    m_lstProby = lista(QStringLiteral("lstProby"), QRect(4580, 1260, 4300, 2400));
    etykieta(QStringLiteral("lblTypyCap"), QStringLiteral("typy"), QStringLiteral("Pasujące typy ramki (najlepszy pierwszy)"),
             QRect(120, 3780, 8760, 300));
    m_lstTypy = lista(QStringLiteral("lstTypy"), QRect(120, 4080, 8760, 1300));
    m_lblUwagi = etykieta(QStringLiteral("lblUwagi"), {}, QString(), QRect(120, 5440, 8760, 660));
    m_lblUwagi->setWordWrap(true);
    m_lblUwagi->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    auto *zapisz = nowyPrzycisk(*this, this, QStringLiteral("cmdZapiszTyp"), QStringLiteral("Zapisz wybrany typ"),
                                QStringLiteral("zapisz"), QRect(120, 6180, 2600, 390));
    m_chUstawWKonwerterze = dodaj<QCheckBox>(this, QStringLiteral("chUstawWKonwerterze"), QStringLiteral("wKonwerterze"));
    m_chUstawWKonwerterze->setText(QStringLiteral("i ustaw w konwerterze"));
    m_chUstawWKonwerterze->setGeometry(tw(2880, 6210, 4000, 330));

    TlumaczKontrolki(m_uslugi.jezyk, Tag(), *this);
    TlumaczFormatke(m_uslugi.jezyk, *this);

    connect(m_cmdSluchaj, &ButtonXP::Click, this, [this] { zacznij(false); });
    connect(m_cmdSzukaj, &ButtonXP::Click, this, [this] { zacznij(true); });
    connect(m_cmdZatrzymaj, &ButtonXP::Click, &m_nasluch, &Nasluch::zatrzymaj);
    connect(zapisz, &ButtonXP::Click, this, &FrmIdentyfikacja::cmdZapiszTyp_Click);
    connect(&m_nasluch, &Nasluch::zajmujeLacze, this, &OknoNarzedzia::zajmujeLacze);
    connect(&m_nasluch, &Nasluch::ramka, this, &FrmIdentyfikacja::ramka);
    connect(&m_nasluch, &Nasluch::sprobowano, this, [this](const OcenaLinii &o) {
        m_lstProby->addItem(OpisyIdentyfikacji::proba(m_uslugi.jezyk, o));
        m_lstProby->scrollToBottom();
    });
    connect(&m_nasluch, &Nasluch::wybrano, this, &FrmIdentyfikacja::wybrano);
    connect(&m_nasluch, &Nasluch::nieZnaleziono, this, [this] { m_liniaNieZnaleziona = true; });
    connect(&m_nasluch, &Nasluch::cisza, this, [this] {
        m_cisza = true;
        odswiez();
    });
    connect(&m_nasluch, &Nasluch::zakonczono, this, &FrmIdentyfikacja::zakonczono);
}

QLabel *FrmIdentyfikacja::etykieta(const QString &nazwa, const QString &tag, const QString &tekst, const QRect &twipy)
{
    auto *l = dodaj<QLabel>(this, nazwa, tag);
    l->setText(tekst);
    l->setGeometry(tw(twipy.x(), twipy.y(), twipy.width(), twipy.height()));
    return l;
}

QListWidget *FrmIdentyfikacja::lista(const QString &nazwa, const QRect &twipy)
{
    auto *l = dodaj<QListWidget>(this, nazwa);
    l->setGeometry(tw(twipy.x(), twipy.y(), twipy.width(), twipy.height()));
    l->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    return l;
}

QString FrmIdentyfikacja::tekst(const QString &klucz, const QString &domyslny) const
{
    return OpisyIdentyfikacji::tekst(m_uslugi.jezyk, klucz, domyslny);
}

void FrmIdentyfikacja::zacznij(bool szukaj)
{
    if (m_nasluch.trwa())
        return;
    // Continuous sending holds the port open: listening would take it away.
    if (m_uslugi.lacze.port().PortOpen()) {
        m_uslugi.komunikaty.informacja(tekst(QStringLiteral("portZajety"),
                                             QStringLiteral("%1 jest zajęty: zatrzymaj najpierw wysyłanie ciągłe."))
                                           .arg(m_uslugi.lacze.nazwaPortu()));
        return;
    }
    m_dopasowanie.wczytaj(m_uslugi.folder.plikKatalogu());
    m_lstRamki->clear();
    m_lstProby->clear();
    m_cisza = m_liniaNieZnaleziona = m_portUtracony = false;
    m_przebiegl = true;
    m_zapisano.clear();
    m_lblOkres->setText(QStringLiteral("-"));
    const bool zaczete = szukaj ? m_nasluch.szukaj(kCzasProby, true) : m_nasluch.sluchaj(std::chrono::milliseconds(0));
    if (!zaczete)
        return;
    m_lblLinia->setText(szukaj ? QStringLiteral("?") : m_nasluch.linia());
    m_cmdSluchaj->setEnabled(false);
    m_cmdSzukaj->setEnabled(false);
    m_cmdZatrzymaj->setEnabled(true);
    odswiez();
}

void FrmIdentyfikacja::ramka(const PodzialRamek::Ramka &r, bool proba)
{
    const QString widoczna = widoczneBajty(r.bajty + r.koniec);
    m_lstRamki->addItem(proba ? QStringLiteral("%1  %2").arg(m_nasluch.linia(), widoczna) : widoczna);
    while (m_lstRamki->count() > kNajwiecejRamek)
        delete m_lstRamki->takeItem(0);
    m_lstRamki->scrollToBottom();
    if (const auto okres = m_nasluch.okresMs())
        m_lblOkres->setText(QStringLiteral("%1 ms").arg(qRound(*okres)));
    if (proba)
        return;
    m_cisza = false;
    m_dopasowanie.dodaj(Kodowanie::zAnsi(r.bajty));
    odswiez();
}

void FrmIdentyfikacja::wybrano(const OcenaLinii &ocena, const QVector<PodzialRamek::Ramka> &ramki)
{
    m_lstProby->addItem(OpisyIdentyfikacji::wybor(m_uslugi.jezyk, ocena));
    m_lstProby->scrollToBottom();
    m_lblLinia->setText(ocena.linia);
    m_dopasowanie.wyczysc();
    for (const auto &r : ramki)
        m_dopasowanie.dodaj(Kodowanie::zAnsi(r.bajty));
    odswiez();
}

void FrmIdentyfikacja::zakonczono(Nasluch::Koniec koniec)
{
    m_portUtracony = koniec == Nasluch::Koniec::PortUtracony;
    m_cmdSluchaj->setEnabled(true);
    m_cmdSzukaj->setEnabled(true);
    m_cmdZatrzymaj->setEnabled(false);
    odswiez();
}

void FrmIdentyfikacja::odswiez()
{
    const QListWidgetItem *wybrany = m_lstTypy->currentItem();
    const QString klucz = wybrany ? wybrany->data(Qt::UserRole).toString() : QString();
    m_lstTypy->clear();
    for (const auto &t : m_dopasowanie.pasujace()) {
        QStringList wagi;
        for (const qint32 w : t.wagi)
            wagi.append(QString::number(w));
        auto *i = new QListWidgetItem(QStringLiteral("%1  %2  [%3]  %4").arg(t.klucz, t.opis, t.wzor, wagi.join(u' ')),
                                      m_lstTypy);
        i->setData(Qt::UserRole, t.klucz);
        if (t.klucz == klucz || !m_lstTypy->currentItem())
            m_lstTypy->setCurrentItem(i);
    }

    // Before the first frame, silence is news only once it has lasted.
    QStringList uwagi;
    if (m_przebiegl && (m_dopasowanie.ramek() > 0 || m_cisza || !m_nasluch.trwa())) {
        OpisyIdentyfikacji::Przebieg p;
        // Frames chosen by the line search came before the port was reopened.
        p.bajtow = std::max<qint64>(m_nasluch.bajtow(), m_dopasowanie.ramek());
        p.liniaNieZnaleziona = m_liniaNieZnaleziona;
        p.ucichla = m_cisza && m_dopasowanie.ramek() > 0;
        p.portUtracony = m_portUtracony;
        p.nazwaPortu = m_uslugi.lacze.nazwaPortu();
        uwagi = OpisyIdentyfikacji::uwagi(m_uslugi.jezyk, p, m_dopasowanie);
    }
    if (!m_zapisano.isEmpty())
        uwagi.prepend(m_zapisano);
    m_lblUwagi->setText(uwagi.join(u'\n'));
}

void FrmIdentyfikacja::cmdZapiszTyp_Click()
{
    const QListWidgetItem *wybrany = m_lstTypy->currentItem();
    if (!wybrany)
        return;
    const QString typ = wybrany->data(Qt::UserRole).toString();
    if (!ZapisTypu::zapisz(m_uslugi.folder.plikKatalogu(), typ)) {
        m_uslugi.komunikaty.informacja(tekst(QStringLiteral("bladZapisu"), QStringLiteral("Nie udało się zapisać pliku %1."))
                                           .arg(m_uslugi.folder.plikKatalogu()));
        return;
    }
    m_zapisano = tekst(QStringLiteral("zapisano"), QStringLiteral("Typ ramki %1 zapisany: program wybierze go przy starcie."))
                     .arg(typ);
    odswiez();
    if (!m_chUstawWKonwerterze->isChecked())
        return;
    // The converter answers on the same port, under the stored line settings.
    m_nasluch.zatrzymaj();
    if (!Liczby::CzyLiczba(typ)) {
        m_uslugi.komunikaty.informacja(
            tekst(QStringLiteral("kodNieliczbowy"), QStringLiteral("Typu %1 nie można ustawić w konwerterze: jego kod nie jest liczbą."))
                .arg(typ));
        return;
    }
    for (const QString &k : Operacje::UstawRamke(typ, m_uslugi.protokol.WyslijRamke(typ)))
        m_uslugi.komunikaty.informacja(k);
}

void FrmIdentyfikacja::closeEvent(QCloseEvent *e)
{
    m_nasluch.zatrzymaj();
    OknoNarzedzia::closeEvent(e);
}
