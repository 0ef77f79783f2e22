#include "converter/panel_tryb.h"

#include "chart/frm_wykresy.h"
#include "config/komunikaty.h"
#include "controls/buttonxp.h"
#include "converter/operacje.h"
#include "okna/budowa.h"
#include "okna/etykieta_skrocona.h"
#include "okna/formatka.h"
#include "okna/obrazy_trybow.h"
#include "okna/twipy.h"
#include "okna/uslugi.h"
#include "okna/wyglad.h"
#include "serial/protokol.h"

#include <QLabel>
#include <QRadioButton>

PanelTryb::PanelTryb(Formatka &okno, Uslugi &uslugi) : QObject(&okno), m_okno(okno), m_uslugi(uslugi)
{
    m_picZdarzenia = nowyPanel(okno, QStringLiteral("picZdarzenia"), 3780, QStringLiteral("Label24"),
                                    QStringLiteral("TRYB PRACY"), QStringLiteral("tryb_pracy"));
    const char *const opisy[] = {
        "- max[4mA] >> 0[12mA] << + max[20mA]",
        "- max[20mA] >> 0[4mA] << + max[20mA]",
        "- max[4mA] >> 0[4mA] << + max[20mA]",
    };
    for (int i = 0; i < 3; ++i) {
        auto *op = okno.dodaj<QRadioButton>(m_picZdarzenia, QStringLiteral("opModPracy_%1").arg(i),
                                             QStringLiteral("opModPracy%1").arg(i));
        op->setText(QLatin1String(opisy[i]));
        op->setGeometry(tw(180, 450 + i * 315, 4320, 300));
        connect(op, &QRadioButton::toggled, this, [this, i](bool zaznaczony) {
            if (zaznaczony) {
                opModPracy_Click(i);
                emit trybZmieniony(i);
            }
        });
        m_opModPracy.append(op);
    }

    m_image5 = okno.dodaj<ObrazTrybu>(m_picZdarzenia, QStringLiteral("Image5"));
    m_image5->setGeometry(tw(120, 1455, 2640, 1320));
    auto *odbierz = nowyPrzycisk(okno, m_picZdarzenia, QStringLiteral("cmdOdbierzMod"), QString(),
                                      QStringLiteral("odbierz"), QRect(2880, 1455, 1620, 390));
    auto *ustaw = nowyPrzycisk(okno, m_picZdarzenia, QStringLiteral("cmdUstawMod"), QString(),
                                    QStringLiteral("ustaw"), QRect(2880, 1920, 1620, 390));
    auto *wykres = nowyPrzycisk(okno, m_picZdarzenia, QStringLiteral("ButtonXP2"), QString(),
                                     QStringLiteral("pokaz_wykres"), QRect(2880, 2385, 1620, 390));
    auto *wersja = nowyPrzycisk(okno, m_picZdarzenia, QStringLiteral("cmdWersja"), QString(),
                                     QStringLiteral("wersja"), QRect(120, 3180, 1500, 390));
    m_lblWersja = okno.dodaj<EtykietaSkrocona>(m_picZdarzenia, QStringLiteral("lblWersja"));
    m_lblWersja->setGeometry(tw(1740, 3180, 2760, 390));
    ustawTlo(m_lblWersja, Qt::white);
    m_lblWersja->ustawRamke(QColor(0x7f9db9));
    m_lblWersja->setTextFormat(Qt::PlainText);

    connect(odbierz, &ButtonXP::Click, this, &PanelTryb::cmdOdbierzMod_Click);
    connect(ustaw, &ButtonXP::Click, this, &PanelTryb::cmdUstawMod_Click);
    connect(wykres, &ButtonXP::Click, this, &PanelTryb::ButtonXP2_Click);
    connect(wersja, &ButtonXP::Click, this, &PanelTryb::cmdWersja_Click);
}

FrmWykresy &PanelTryb::frmWykresy()
{
    if (!m_frmWykresy)
        m_frmWykresy = new FrmWykresy(m_uslugi.jezyk, &m_okno);
    return *m_frmWykresy;
}

void PanelTryb::WybierzTryb(int tryb)
{
    m_opModPracy.at(tryb)->setChecked(true);
    m_image5->setPicture(tryb + 1);
}

int PanelTryb::zaznaczonyTryb() const
{
    for (int i = 0; i < m_opModPracy.size(); ++i)
        if (m_opModPracy.at(i)->isChecked())
            return i;
    return -1;
}

void PanelTryb::opModPracy_Click(int Index)
{
    m_image5->setPicture(Index + 1);
}

void PanelTryb::cmdOdbierzMod_Click()
{
    const int p = qMax(0, zaznaczonyTryb());
    const Operacje::WynikTrybu w = Operacje::OdbierzTryb(p, m_uslugi.protokol.PobierzTryb());
    for (const QString &k : w.komunikaty)
        m_uslugi.komunikaty.informacja(k);
    WybierzTryb(w.tryb);
}

void PanelTryb::cmdUstawMod_Click()
{
    const int s = qMax(0, zaznaczonyTryb());
    const QStringList komunikaty =
        Operacje::UstawTryb(s, m_uslugi.protokol.WyslijTryb(QString::number(s)));
    for (const QString &k : komunikaty)
        m_uslugi.komunikaty.informacja(k);
}

void PanelTryb::cmdWersja_Click()
{
    m_lblWersja->setText(m_uslugi.protokol.PobierzWersje());
}

void PanelTryb::ButtonXP2_Click()
{
    FrmWykresy &okno = frmWykresy();
    const int tryb = zaznaczonyTryb();
    if (tryb >= 0)
        okno.setWykresId(tryb + 1);
    okno.Show();
}
