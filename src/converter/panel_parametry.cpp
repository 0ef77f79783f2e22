#include "converter/panel_parametry.h"

#include "app/key.h"
#include "app/twipy.h"
#include "config/ini.h"
#include "config/komunikaty.h"
#include "config/liczby.h"
#include "controls/buttonxp.h"
#include "controls/textxp.h"
#include "converter/katalog.h"
#include "converter/klik_listy.h"
#include "converter/operacje.h"
#include "converter/panel_tryb.h"

#include <QGroupBox>
#include <QLabel>
#include <QListWidget>

PanelParametry::PanelParametry(KEY &okno) : QObject(&okno), m_okno(okno)
{
    m_picPlik = okno.nowyPanel(QStringLiteral("picPlik"), 3780, QStringLiteral("Label33"),
                               QStringLiteral("PARAMETRY WAGI"), QStringLiteral("param_wagi"));

    auto *cap = okno.dodaj<QLabel>(m_picPlik, QStringLiteral("lblMaxCap"), QStringLiteral("max_wagi"));
    cap->setText(QStringLiteral("Max wagi"));
    cap->setGeometry(tw(120, 465, 1200, 360));
    // The field inside the frame is 280 twips lower than the frame: a frame of
    // 600 leaves one line of text.
    m_txtMaxVal = okno.dodaj<TextXP>(m_picPlik, QStringLiteral("txtMaxVal"));
    m_txtMaxVal->setGeometry(tw(1320, 345, 1320, 600));
    auto *odbierzMax = okno.nowyPrzycisk(m_picPlik, QStringLiteral("cmdOdbierzMax"), QString(),
                                         QStringLiteral("odbierz"), QRect(2760, 465, 840, 360));
    auto *ustawMax = okno.nowyPrzycisk(m_picPlik, QStringLiteral("cmdUstawMax"), QString(),
                                       QStringLiteral("ustaw"), QRect(3660, 465, 840, 360));

    // Scale names are short, frame-type descriptions long: the second list is wider.
    auto lista = [&](const QString &ramka, const QString &tag, const QString &tytul,
                     const QString &nazwa, int lewy, int szerokosc) {
        auto *g = okno.dodaj<QGroupBox>(m_picPlik, ramka, tag);
        g->setTitle(tytul);
        g->setGeometry(tw(lewy, 1005, szerokosc, 2205));
        auto *l = okno.dodaj<QListWidget>(g, nazwa);
        l->setGeometry(tw(90, 270, szerokosc - 180, 1845));
        return l;
    };
    m_lstWagiZgodne = lista(QStringLiteral("Frame2"), QStringLiteral("wagi_zgodne"),
                            QStringLiteral("Wzagi zgodne"), QStringLiteral("lstWagiZgodne"), 120, 1620);
    m_lstTypRamki = lista(QStringLiteral("Frame3"), QStringLiteral("typ_ramki"), QStringLiteral("Typ ramki"),
                          QStringLiteral("lstTypRamki"), 1800, 2700);
    auto *odbierzRamke = okno.nowyPrzycisk(m_picPlik, QStringLiteral("cmdOdbierzRamke"), QString(),
                                           QStringLiteral("odbierz"), QRect(2340, 3300, 1050, 360));
    auto *ustawRamke = okno.nowyPrzycisk(m_picPlik, QStringLiteral("cmdUstawRamke"), QString(),
                                         QStringLiteral("ustaw"), QRect(3450, 3300, 1050, 360));

    // Only the user's own choice acts: a selection made by the program only shows.
    new KlikListy(m_lstTypRamki, [this] { lstTypRamki_Click(); });
    new KlikListy(m_lstWagiZgodne, [this] { lstWagiZgodne_Click(); });
    connect(odbierzMax, &ButtonXP::Click, this, &PanelParametry::cmdOdbierzMax_Click);
    connect(ustawMax, &ButtonXP::Click, this, &PanelParametry::cmdUstawMax_Click);
    connect(odbierzRamke, &ButtonXP::Click, this, &PanelParametry::cmdOdbierzRamke_Click);
    connect(ustawRamke, &ButtonXP::Click, this, &PanelParametry::cmdUstawRamke_Click);
}

void PanelParametry::ZaladujKatalog()
{
    Katalog &k = m_okno.katalog();
    k.wczytaj(m_okno.folder().plikKatalogu());
    m_lstWagiZgodne->clear();
    m_lstTypRamki->clear();
    for (const Wpis &w : std::as_const(k.Wagi))
        m_lstWagiZgodne->addItem(w.Klucz);
    for (const Wpis &t : std::as_const(k.TypyRamek))
        m_lstTypRamki->addItem(t.Wartosc);
}

void PanelParametry::FiltrujWagi(const QString &typ)
{
    m_lstWagiZgodne->clear();
    m_lstWagiZgodne->addItems(m_okno.katalog().FiltrujWagi(typ));
}

bool PanelParametry::WybierzTypRamki(const QString &klucz)
{
    const QVector<int> pozycje = m_okno.katalog().pozycjeTypu(klucz);
    for (const int i : pozycje) {
        m_lstTypRamki->setCurrentRow(i);
        m_okno.wartosci().WczytajTypRamki(m_okno.folder().plikKatalogu(), klucz);
    }
    return !pozycje.isEmpty();
}

void PanelParametry::WybierzWage(const QString &nazwa)
{
    WybierzTypRamki(modNI::CzytajIni(m_okno.folder().plikKatalogu(), QStringLiteral("wagi"), nazwa,
                                     Katalog::kWszystkie));
}

void PanelParametry::OdtworzParametry()
{
    const ParametryZapisane p = ParametryZapisane::wczytaj(m_okno.folder().plikKatalogu());
    if (!p.waga.isEmpty()) {
        WybierzWage(p.waga);
        // A stored scale the list does not hold leaves no scale selected.
        const auto znalezione = m_lstWagiZgodne->findItems(p.waga, Qt::MatchExactly | Qt::MatchCaseSensitive);
        m_lstWagiZgodne->setCurrentRow(znalezione.isEmpty() ? -1 : m_lstWagiZgodne->row(znalezione.first()));
    } else {
        WybierzTypRamki(p.ramka);
        FiltrujWagi(p.ramka);
    }
    m_okno.tryb().WybierzTryb(p.tryb);
    m_txtMaxVal->setText(p.max);
}

void PanelParametry::lstTypRamki_Click()
{
    const int i = m_lstTypRamki->currentRow();
    if (i < 0 || i >= m_okno.katalog().TypyRamek.size())
        return;
    const QString typ = m_okno.katalog().TypyRamek.at(i).Klucz;
    FiltrujWagi(typ);
    m_okno.wartosci().WczytajTypRamki(m_okno.folder().plikKatalogu(), typ);
}

void PanelParametry::lstWagiZgodne_Click()
{
    if (const QListWidgetItem *w = m_lstWagiZgodne->currentItem())
        WybierzWage(w->text());
}

void PanelParametry::pokaz(const QStringList &komunikaty)
{
    for (const QString &k : komunikaty)
        m_okno.komunikaty().informacja(k);
}

void PanelParametry::cmdOdbierzMax_Click()
{
    const Operacje::Wynik w = Operacje::OdbierzMax(m_okno.protokol().PobierzMax());
    if (w.wartosc)
        m_txtMaxVal->setText(*w.wartosc);
    pokaz(w.komunikaty);
}

void PanelParametry::cmdUstawMax_Click()
{
    const double v = Liczby::Val(m_txtMaxVal->Text());
    pokaz(Operacje::UstawMax(v, m_okno.protokol().WyslijMax(Liczby::Format6(v))));
}

void PanelParametry::cmdOdbierzRamke_Click()
{
    const Operacje::Wynik w = Operacje::OdbierzRamke(m_okno.protokol().PobierzRamke());
    if (w.wartosc && !WybierzTypRamki(*w.wartosc))
        pokaz(Operacje::RamkaNieznana());
    pokaz(w.komunikaty);
}

void PanelParametry::cmdUstawRamke_Click()
{
    // With no frame type selected there is nothing to send.
    const int i = m_lstTypRamki->currentRow();
    if (i < 0 || i >= m_okno.katalog().TypyRamek.size())
        return;
    const QString c = m_okno.katalog().TypyRamek.at(i).Klucz;
    if (!Liczby::CzyLiczba(c))
        return;
    pokaz(Operacje::UstawRamke(c, m_okno.protokol().WyslijRamke(c)));
}
