#include "simulator/panel_symulator.h"

#include "app/key.h"
#include "app/twipy.h"
#include "config/komunikaty.h"
#include "config/liczby.h"
#include "controls/textxp.h"
#include "converter/panel_parametry.h"
#include "simulator/nadajnik.h"
#include "simulator/wartosci.h"

#include <QCheckBox>
#include <QFontDatabase>
#include <QLabel>
#include <QLineEdit>
#include <QSlider>

PanelSymulator::PanelSymulator(KEY &okno) : QObject(&okno), m_okno(okno)
{
    m_picTransmisja = okno.nowyPanel(QStringLiteral("picTransmisja"), 2340, QStringLiteral("Label9"),
                                     QStringLiteral("TRANSMISJA"), QStringLiteral("transmition"));

    m_slider1 = okno.dodaj<QSlider>(m_picTransmisja, QStringLiteral("Slider1"), QString(), Qt::Horizontal);
    m_slider1->setGeometry(tw(120, 450, 4380, 420));
    m_slider1->setRange(-9999, 9999);
    m_slider1->setSingleStep(1);
    m_slider1->setPageStep(5);

    auto etykieta = [&](const QString &nazwa, int lewy, Qt::Alignment wyrownanie) {
        auto *l = okno.dodaj<QLabel>(m_picTransmisja, nazwa);
        l->setGeometry(tw(lewy, 870, 1440, 270));
        l->setAlignment(wyrownanie | Qt::AlignVCenter);
        l->setText(QStringLiteral("000000"));
        return l;
    };
    m_lblMinus = etykieta(QStringLiteral("lblMinus"), 120, Qt::AlignLeft);
    etykieta(QStringLiteral("lblZero"), 1590, Qt::AlignHCenter)->setText(QStringLiteral("0"));
    m_lblPlus = etykieta(QStringLiteral("lblPlus"), 3060, Qt::AlignRight);

    m_text1 = okno.dodaj<QLineEdit>(m_picTransmisja, QStringLiteral("Text1"));
    m_text1->setGeometry(tw(120, 1230, 4380, 360));
    m_text1->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    // It shows what goes out; the frame itself comes from the slider.
    m_text1->setReadOnly(true);

    m_chNasluch = okno.dodaj<QCheckBox>(m_picTransmisja, QStringLiteral("chNasluch"), QStringLiteral("print"));
    m_chNasluch->setText(QStringLiteral("Nasłuch ciągły"));
    m_chNasluch->setGeometry(tw(120, 1770, 4380, 360));

    TextXP *txtMaxVal = okno.parametry().txtMaxVal();
    connect(txtMaxVal, &TextXP::Change, this, &PanelSymulator::txtMaxVal_Change);
    connect(txtMaxVal, &TextXP::KeyPress, this, &PanelSymulator::txtMaxVal_KeyPress, Qt::DirectConnection);
    connect(m_slider1, &QSlider::valueChanged, this, &PanelSymulator::Slider1_Change);
    connect(m_chNasluch, &QCheckBox::toggled, this, &PanelSymulator::chNasluch_Click);
    connect(&okno.nadajnik(), &Nadajnik::przerwano, this, &PanelSymulator::wysylaniePrzerwane);
}

void PanelSymulator::txtMaxVal_Change()
{
    // Each step is tried on its own: a maximum that does not fit leaves its
    // end of the range as it was.
    const double v = Liczby::Val(m_okno.parametry().txtMaxVal()->Text());
    if (const auto max = Liczby::DoInt32(v))
        m_slider1->setMaximum(*max);
    if (const auto min = Liczby::DoInt32(-1 * v))
        m_slider1->setMinimum(*min);
    m_lblMinus->setText(QString::number(m_slider1->minimum()));
    m_lblPlus->setText(QString::number(m_slider1->maximum()));
}

void PanelSymulator::txtMaxVal_KeyPress(short &KeyAscii)
{
    const bool sterujacy = KeyAscii < 28;
    const bool cyfra = KeyAscii >= '0' && KeyAscii <= '9';
    if (!sterujacy && !cyfra)
        KeyAscii = 0;
}

void PanelSymulator::Slider1_Change()
{
    m_text1->setText(m_okno.wartosci().BudujRamke(m_slider1->value()));
}

void PanelSymulator::chNasluch_Click()
{
    Nadajnik &nadajnik = m_okno.nadajnik();
    if (m_chNasluch->isChecked()) {
        m_okno.OtworzPort();
        if (m_okno.MSComm1().PortOpen()) {
            m_text1->setText(m_okno.wartosci().BudujRamke(m_slider1->value()));
            nadajnik.wlacz();
            m_okno.WlaczZakladki(false);
        } else {
            // Clearing the box runs this handler again, down the other path.
            m_chNasluch->setChecked(false);
        }
        return;
    }
    m_okno.ZamknijPort();
    nadajnik.wylacz();
    m_okno.WlaczZakladki(true);
}

void PanelSymulator::wysylaniePrzerwane()
{
    m_chNasluch->setChecked(false);
    m_okno.komunikaty().krytyczny(m_okno.lacze().komunikatPortu(
        QStringLiteral("PortUtracony"), QStringLiteral("Port %1 przestał odpowiadać - wysyłanie zatrzymane")));
}
