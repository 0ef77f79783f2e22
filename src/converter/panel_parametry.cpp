#include "converter/panel_parametry.h"

#include "config/folder.h"
#include "config/ini.h"
#include "config/komunikaty.h"
#include "config/liczby.h"
#include "controls/buttonxp.h"
#include "controls/textxp.h"
#include "converter/katalog.h"
#include "converter/operacje.h"
#include "okna/budowa.h"
#include "okna/formatka.h"
#include "okna/klik_listy.h"
#include "okna/twipy.h"
#include "okna/uslugi.h"
#include "serial/protokol.h"
#include "simulator/wartosci.h"

#include <QGroupBox>
#include <QLabel>
#include <QListWidget>

PanelParametry::PanelParametry(Formatka &okno, Uslugi &uslugi) : QObject(&okno), m_uslugi(uslugi)
{
    m_picPlik = nowyPanel(okno, QStringLiteral("picPlik"), 3780, QStringLiteral("Label33"),
                               QStringLiteral("PARAMETRY WAGI"), QStringLiteral("param_wagi"));

    auto *cap = okno.dodaj<QLabel>(m_picPlik, QStringLiteral("lblMaxCap"), QStringLiteral("max_wagi"));
    cap->setText(QStringLiteral("Max wagi"));
    cap->setGeometry(tw(120, 465, 1200, 360));
    // The field inside the frame is 280 twips lower than the frame: a frame of
    // 600 leaves one line of text.
    m_txtMaxVal = okno.dodaj<TextXP>(m_picPlik, QStringLiteral("txtMaxVal"));
    m_txtMaxVal->setGeometry(tw(1320, 345, 1320, 600));
    // The converter takes six digits; a seventh would not be sent as typed.
    m_txtMaxVal->setMaxLength(6);
    auto *odbierzMax = nowyPrzycisk(okno, m_picPlik, QStringLiteral("cmdOdbierzMax"), QString(),
                                         QStringLiteral("odbierz"), QRect(2760, 465, 840, 360));
    auto *ustawMax = nowyPrzycisk(okno, m_picPlik, QStringLiteral("cmdUstawMax"), QString(),
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
    auto *odbierzRamke = nowyPrzycisk(okno, m_picPlik, QStringLiteral("cmdOdbierzRamke"), QString(),
                                           QStringLiteral("odbierz"), QRect(2340, 3300, 1050, 360));
    auto *ustawRamke = nowyPrzycisk(okno, m_picPlik, QStringLiteral("cmdUstawRamke"), QString(),
                                         QStringLiteral("ustaw"), QRect(3450, 3300, 1050, 360));

    // Only the user's own choice acts: a selection made by the program only shows.
    new KlikListy(m_lstTypRamki, [this] { lstTypRamki_Click(); });
    new KlikListy(m_lstWagiZgodne, [this] { lstWagiZgodne_Click(); });
    connect(odbierzMax, &ButtonXP::Click, this, &PanelParametry::cmdOdbierzMax_Click);
    connect(ustawMax, &ButtonXP::Click, this, &PanelParametry::cmdUstawMax_Click);
    connect(odbierzRamke, &ButtonXP::Click, this, &PanelParametry::cmdOdbierzRamke_Click);
    connect(ustawRamke, &ButtonXP::Click, this, &PanelParametry::cmdUstawRamke_Click);
    connect(m_txtMaxVal, &TextXP::Change, this, [this] { emit maxZmieniony(m_txtMaxVal->Text()); });
    connect(m_txtMaxVal, &TextXP::KeyPress, this, &PanelParametry::txtMaxVal_KeyPress, Qt::DirectConnection);
}

void PanelParametry::txtMaxVal_KeyPress(short &KeyAscii)
{
    const bool sterujacy = KeyAscii < 28;
    const bool cyfra = KeyAscii >= '0' && KeyAscii <= '9';
    if (!sterujacy && !cyfra)
        KeyAscii = 0;
}

void PanelParametry::ZaladujKatalog()
{
    Katalog &k = m_uslugi.katalog;
    k.wczytaj(m_uslugi.folder.plikKatalogu());
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
    m_lstWagiZgodne->addItems(m_uslugi.katalog.FiltrujWagi(typ));
}

bool PanelParametry::WybierzTypRamki(const QString &klucz)
{
    const QVector<int> pozycje = m_uslugi.katalog.pozycjeTypu(klucz);
    for (const int i : pozycje) {
        m_lstTypRamki->setCurrentRow(i);
        m_uslugi.wartosci.WczytajTypRamki(m_uslugi.folder.plikKatalogu(), klucz);
    }
    return !pozycje.isEmpty();
}

void PanelParametry::WybierzWage(const QString &nazwa)
{
    WybierzTypRamki(modNI::CzytajIni(m_uslugi.folder.plikKatalogu(), QStringLiteral("wagi"), nazwa,
                                     Katalog::kWszystkie));
}

void PanelParametry::OdtworzParametry(const ParametryZapisane &p)
{
    if (!p.waga.isEmpty()) {
        WybierzWage(p.waga);
        // A stored scale the list does not hold leaves no scale selected.
        const auto znalezione = m_lstWagiZgodne->findItems(p.waga, Qt::MatchExactly | Qt::MatchCaseSensitive);
        m_lstWagiZgodne->setCurrentRow(znalezione.isEmpty() ? -1 : m_lstWagiZgodne->row(znalezione.first()));
    } else {
        WybierzTypRamki(p.ramka);
        FiltrujWagi(p.ramka);
    }
    emit trybOdtworzony(p.tryb);
    m_txtMaxVal->setText(p.max);
}

void PanelParametry::lstTypRamki_Click()
{
    const int i = m_lstTypRamki->currentRow();
    if (i < 0 || i >= m_uslugi.katalog.TypyRamek.size())
        return;
    const QString typ = m_uslugi.katalog.TypyRamek.at(i).Klucz;
    FiltrujWagi(typ);
    m_uslugi.wartosci.WczytajTypRamki(m_uslugi.folder.plikKatalogu(), typ);
}

void PanelParametry::lstWagiZgodne_Click()
{
    if (const QListWidgetItem *w = m_lstWagiZgodne->currentItem())
        WybierzWage(w->text());
}

void PanelParametry::pokaz(const QStringList &komunikaty)
{
    for (const QString &k : komunikaty)
        m_uslugi.komunikaty.informacja(k);
}

void PanelParametry::cmdOdbierzMax_Click()
{
    const Operacje::Wynik w = Operacje::OdbierzMax(m_uslugi.protokol.PobierzMax());
    if (w.wartosc)
        m_txtMaxVal->setText(*w.wartosc);
    pokaz(w.komunikaty);
}

void PanelParametry::cmdUstawMax_Click()
{
    const double v = Liczby::Val(m_txtMaxVal->Text());
    pokaz(Operacje::UstawMax(v, m_uslugi.protokol.WyslijMax(Liczby::Format6(v))));
}

void PanelParametry::cmdOdbierzRamke_Click()
{
    const Operacje::Wynik w = Operacje::OdbierzRamke(m_uslugi.protokol.PobierzRamke());
    if (w.wartosc && !WybierzTypRamki(*w.wartosc))
        pokaz(Operacje::RamkaNieznana());
    pokaz(w.komunikaty);
}

void PanelParametry::cmdUstawRamke_Click()
{
    // With no frame type selected there is nothing to send.
    const int i = m_lstTypRamki->currentRow();
    if (i < 0 || i >= m_uslugi.katalog.TypyRamek.size())
        return;
    const QString c = m_uslugi.katalog.TypyRamek.at(i).Klucz;
    if (!Liczby::CzyLiczba(c))
        return;
    pokaz(Operacje::UstawRamke(c, m_uslugi.protokol.WyslijRamke(c)));
}
