#include "app/panel_polaczenie.h"

#include "app/rozmieszczenie.h"
#include "config/folder.h"
#include "controls/buttonxp.h"
#include "okna/budowa.h"
#include "okna/etykieta.h"
#include "okna/etykieta_skrocona.h"
#include "okna/formatka.h"
#include "okna/twipy.h"
#include "okna/uslugi.h"
#include "okna/wyglad.h"
#include "serial/lacze.h"

#include <QFrame>
#include <QKeyEvent>
#include <QLabel>

using Ustawienia::Parametr;

namespace {

constexpr int kNajwiecejCyfr = 4;

} // namespace

PanelPolaczenie::PanelPolaczenie(Formatka &okno, QWidget *smietnik, Uslugi &uslugi)
    : QObject(&okno), m_okno(okno), m_smietnik(smietnik), m_uslugi(uslugi)
{
    m_picPoloczenie = nowyPanel(okno, QStringLiteral("picPoloczenie"), 2340, QStringLiteral("Label14"),
                                     QStringLiteral("POŁĄCZENIE"), QStringLiteral("conect"));
    m_nrPortu = budujWiersz(QStringLiteral("Picture4"), QStringLiteral("LblNrPortuCap"),
                            QStringLiteral("numer portu"), QStringLiteral("comm"),
                            QStringLiteral("lblNrPortuVal"), 420);
    m_predkosc = budujWiersz(QStringLiteral("Picture10"), QStringLiteral("lblSpeedCap"),
                             QStringLiteral("prędkość transmisji"), QStringLiteral("speed"),
                             QStringLiteral("lblSpeedVal"), 795);
    m_parzystosc = budujWiersz(QStringLiteral("Picture7"), QStringLiteral("lblPariteCap"),
                               QStringLiteral("parzystość"), QStringLiteral("parity"),
                               QStringLiteral("lblPariteVal"), 1170);
    m_bityDanych = budujWiersz(QStringLiteral("Picture9"), QStringLiteral("lblBitsDataCap"),
                               QStringLiteral("bity danych"), QStringLiteral("bits data"),
                               QStringLiteral("lblBitsDataVal"), 1545);
    m_bityStopu = budujWiersz(QStringLiteral("Picture8"), QStringLiteral("lblBitsStopCap"),
                              QStringLiteral("bity stopu"), QStringLiteral("bits stop"),
                              QStringLiteral("lblBitsStopVal"), 1920);

    m_picNrPort = budujKlawiature();
    m_picSpeed = budujWybor(QStringLiteral("picSpeed"), 2175, 375,
                            {{"ButtonXP4", "4800", 30}, {"ButtonXP5", "9600", 735}, {"ButtonXP6", "19200", 1455}},
                            &PanelPolaczenie::UstawPredkosc);
    m_picParite = budujWybor(QStringLiteral("picParite"), 2145, 390,
                             {{"ButtonXP7", "N", 30}, {"ButtonXP8", "O", 735}, {"ButtonXP9", "E", 1425}},
                             &PanelPolaczenie::UstawParzystosc);
    m_picData = budujWybor(QStringLiteral("picData"), 1470, 375,
                           {{"ButtonXP13", "7", 45}, {"ButtonXP10", "8", 765}},
                           &PanelPolaczenie::UstawBityDanych);
    m_picStop = budujWybor(QStringLiteral("picStop"), 1470, 390,
                           {{"ButtonXP12", "1", 30}, {"ButtonXP11", "2", 750}},
                           &PanelPolaczenie::UstawBityStopu);

    connect(m_nrPortu.podpis, &Etykieta::Click, this, [this] {
        otworz(m_picNrPort, m_nrPortu, true, true);
        zmienTabulacje();
        m_nrPortu.wartosc->clear();
    });
    connect(m_predkosc.podpis, &Etykieta::Click, this, [this] {
        otworz(m_picSpeed, m_predkosc, true, true);
        zmienTabulacje();
    });
    connect(m_parzystosc.podpis, &Etykieta::Click, this, [this] {
        otworz(m_picParite, m_parzystosc, true, false);
        zmienTabulacje();
    });
    connect(m_bityDanych.podpis, &Etykieta::Click, this,
            [this] { otworz(m_picData, m_bityDanych, true, true); });
    // The bottom row opens its panel above itself.
    connect(m_bityStopu.podpis, &Etykieta::Click, this,
            [this] { otworz(m_picStop, m_bityStopu, false, true); });
}

PanelPolaczenie::Wiersz PanelPolaczenie::budujWiersz(const QString &ramka, const QString &podpis,
                                                     const QString &tekst, const QString &tag,
                                                     const QString &wartosc, int top)
{
    Wiersz w;
    w.ramka = m_okno.dodaj<QWidget>(m_picPoloczenie, ramka);
    w.ramka->setGeometry(tw(120, top, 4380, 345));
    w.podpis = m_okno.dodaj<Etykieta>(w.ramka, podpis, tag);
    w.podpis->setText(tekst);
    w.podpis->setGeometry(tw(0, 0, 2700, 345));
    w.podpis->setCursor(Qt::PointingHandCursor);
    w.podpis->ustawPodswietlenie(QColor(0xc05800), true);
    auto *pole = m_okno.dodaj<EtykietaSkrocona>(w.ramka, wartosc);
    pole->setGeometry(tw(2760, 15, 1560, 315));
    pole->setAlignment(Qt::AlignCenter);
    ustawTlo(pole, Qt::white);
    pole->ustawRamke(QColor(0x7f9db9));
    pogrub(pole);
    w.wartosc = pole;
    return w;
}

QWidget *PanelPolaczenie::budujKlawiature()
{
    auto *panel = m_okno.dodaj<QFrame>(&m_okno, QStringLiteral("picNrPort"));
    panel->setFrameShape(QFrame::Box);
    panel->setAutoFillBackground(true);
    panel->setGeometry(tw(0, 0, 3420, 1350));
    panel->installEventFilter(this);
    const int lewe[] = {180, 813, 1446, 2080, 2715};
    for (int d = 0; d <= 9; ++d) {
        // 1 to 5 in the upper row, 6 to 9 and 0 in the lower one.
        const int miejsce = d == 0 ? 9 : d - 1;
        auto *b = nowyPrzycisk(m_okno, panel, QStringLiteral("ButtonXP1_%1").arg(d), QString::number(d),
                                      QString(), QRect(lewe[miejsce % 5], miejsce < 5 ? 90 : 435, 555, 285));
        connect(b, &ButtonXP::Click, this, [this, d] { cyfra(d); });
        m_cyfry.append(b);
    }
    auto *ok = nowyPrzycisk(m_okno, panel, QStringLiteral("cmdOkNrPortu"), QStringLiteral("Zastosuj"),
                                   QStringLiteral("set"), QRect(165, 780, 900, 390));
    auto *nie = nowyPrzycisk(m_okno, panel, QStringLiteral("cmdNoNrPortu"), QStringLiteral("Anuluj"),
                                    QStringLiteral("cancel"), QRect(1230, 780, 900, 390));
    auto *clr = nowyPrzycisk(m_okno, panel, QStringLiteral("cmdCLRNrPortu"), QStringLiteral("CLR"),
                                    QStringLiteral("clr"), QRect(2265, 780, 975, 390));
    connect(ok, &ButtonXP::Click, this, &PanelPolaczenie::cmdOkNrPortu_Click);
    connect(nie, &ButtonXP::Click, this, &PanelPolaczenie::cmdNoNrPortu_Click);
    connect(clr, &ButtonXP::Click, this, &PanelPolaczenie::cmdCLRNrPortu_Click);
    UstawKontener(panel, m_smietnik);
    return panel;
}

QWidget *PanelPolaczenie::budujWybor(
    const QString &nazwa, int szerokosc, int wysokosc,
    std::initializer_list<std::tuple<const char *, const char *, int>> przyciski,
    void (PanelPolaczenie::*ustaw)(const QString &))
{
    auto *panel = m_okno.dodaj<QFrame>(&m_okno, nazwa);
    panel->setFrameShape(QFrame::Box);
    panel->setAutoFillBackground(true);
    panel->setGeometry(tw(0, 0, szerokosc, wysokosc));
    for (const auto &[przycisk, wartosc, lewy] : przyciski) {
        const QString v = QLatin1String(wartosc);
        auto *b = nowyPrzycisk(m_okno, panel, QLatin1String(przycisk), v, QString(),
                                      QRect(lewy, 30, 645, 270));
        connect(b, &ButtonXP::Click, this, [this, ustaw, v] { (this->*ustaw)(v); });
    }
    UstawKontener(panel, m_smietnik);
    return panel;
}

void PanelPolaczenie::WczytajUstawienia()
{
    UstawieniaPortu &u = m_uslugi.ustawienia;
    u = Ustawienia::WczytajUstawienia(m_uslugi.folder.plikUstawien());
    m_nrPortu.wartosc->setText(u.NrPortu);
    m_predkosc.wartosc->setText(u.Predkosc);
    m_parzystosc.wartosc->setText(u.Parzystosc);
    m_bityDanych.wartosc->setText(u.BityDanych);
    m_bityStopu.wartosc->setText(u.BityStopu);
}

void PanelPolaczenie::otworz(QWidget *panel, const Wiersz &wiersz, bool ponizej, bool focus)
{
    UstawKontener(panel, m_picPoloczenie);
    panel->raise();
    if (focus) {
        UmiescPrzy(panel, wiersz.ramka, ponizej ? Tryb::Ponizej : Tryb::Powyzej);
    } else {
        panel->move(wiersz.ramka->x(), wiersz.ramka->y() + wiersz.ramka->height());
    }
}

void PanelPolaczenie::zmienTabulacje()
{
    // From now on Tab walks only the keypad digits, in the order of the digits.
    const auto wszystkie = m_okno.findChildren<QWidget *>();
    for (QWidget *w : wszystkie)
        w->setFocusPolicy(static_cast<Qt::FocusPolicy>(w->focusPolicy() & ~Qt::TabFocus));
    for (ButtonXP *b : std::as_const(m_cyfry))
        b->setFocusPolicy(Qt::StrongFocus);
    for (int d = 0; d < 9; ++d)
        QWidget::setTabOrder(m_cyfry[d], m_cyfry[d + 1]);
}

void PanelPolaczenie::ustaw(Parametr p, QWidget *panel, QLabel *etykieta, const QString &Wartosc)
{
    UstawKontener(panel, m_smietnik);
    etykieta->setText(Wartosc);
    Ustawienia::pole(m_uslugi.ustawienia, p) = Wartosc;
    Ustawienia::Zapisz(m_uslugi.folder.plikUstawien(), p, etykieta->text());
    m_uslugi.lacze.UstawPort();
}

void PanelPolaczenie::UstawNrPortu(const QString &Wartosc)
{
    ustaw(Parametr::NrPortu, m_picNrPort, m_nrPortu.wartosc, Wartosc);
}

void PanelPolaczenie::UstawPredkosc(const QString &Wartosc)
{
    ustaw(Parametr::Predkosc, m_picSpeed, m_predkosc.wartosc, Wartosc);
}

void PanelPolaczenie::UstawParzystosc(const QString &Wartosc)
{
    ustaw(Parametr::Parzystosc, m_picParite, m_parzystosc.wartosc, Wartosc);
}

void PanelPolaczenie::UstawBityDanych(const QString &Wartosc)
{
    ustaw(Parametr::BityDanych, m_picData, m_bityDanych.wartosc, Wartosc);
}

void PanelPolaczenie::UstawBityStopu(const QString &Wartosc)
{
    ustaw(Parametr::BityStopu, m_picStop, m_bityStopu.wartosc, Wartosc);
}

void PanelPolaczenie::cyfra(int d)
{
    QLabel *wpis = m_nrPortu.wartosc;
    if (wpis->text().size() < kNajwiecejCyfr)
        wpis->setText(wpis->text() + QString::number(d));
}

void PanelPolaczenie::cmdOkNrPortu_Click()
{
    const QString wpis = m_nrPortu.wartosc->text();
    UstawNrPortu(wpis.isEmpty() ? m_uslugi.ustawienia.NrPortu : wpis);
}

void PanelPolaczenie::cmdNoNrPortu_Click()
{
    UstawNrPortu(m_uslugi.ustawienia.NrPortu);
}

void PanelPolaczenie::cmdCLRNrPortu_Click()
{
    m_nrPortu.wartosc->clear();
}

bool PanelPolaczenie::eventFilter(QObject *obiekt, QEvent *zdarzenie)
{
    // The keypad also takes the keyboard: digits, Enter to apply, Escape to
    // cancel, Backspace to take back the last digit.
    if (obiekt == m_picNrPort && zdarzenie->type() == QEvent::KeyPress) {
        const auto *k = static_cast<QKeyEvent *>(zdarzenie);
        if (k->key() >= Qt::Key_0 && k->key() <= Qt::Key_9) {
            cyfra(k->key() - Qt::Key_0);
            return true;
        }
        switch (k->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            cmdOkNrPortu_Click();
            return true;
        case Qt::Key_Escape:
            cmdNoNrPortu_Click();
            return true;
        case Qt::Key_Backspace:
            m_nrPortu.wartosc->setText(m_nrPortu.wartosc->text().chopped(
                m_nrPortu.wartosc->text().isEmpty() ? 0 : 1));
            return true;
        default:
            break;
        }
    }
    return QObject::eventFilter(obiekt, zdarzenie);
}
