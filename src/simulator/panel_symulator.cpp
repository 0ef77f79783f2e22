#include "simulator/panel_symulator.h"

#include "config/jezyk.h"
#include "config/komunikaty.h"
#include "config/liczby.h"
#include "okna/budowa.h"
#include "okna/formatka.h"
#include "okna/twipy.h"
#include "okna/uslugi.h"
#include "serial/lacze.h"
#include "serial/mscomm.h"
#include "simulator/nadajnik.h"
#include "simulator/prad_oczekiwany.h"
#include "simulator/wartosci.h"

#include <QCheckBox>
#include <QFontDatabase>
#include <QLabel>
#include <QLineEdit>
#include <QSlider>

PanelSymulator::PanelSymulator(Formatka &okno, Uslugi &uslugi) : QObject(&okno), m_uslugi(uslugi)
{
    m_picTransmisja = nowyPanel(okno, QStringLiteral("picTransmisja"), 2340, QStringLiteral("Label9"),
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
    m_chNasluch->setGeometry(tw(120, 1770, 2700, 360));

    // The current the converter should drive for the frame shown, from the
    // frame as the converter reads it.
    m_lblPrad = okno.dodaj<QLabel>(m_picTransmisja, QStringLiteral("lblPradOczekiwany"));
    m_lblPrad->setGeometry(tw(2880, 1770, 1620, 360));
    m_lblPrad->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    connect(m_slider1, &QSlider::valueChanged, this, &PanelSymulator::Slider1_Change);
    connect(m_chNasluch, &QCheckBox::toggled, this, &PanelSymulator::chNasluch_Click);
    connect(&uslugi.nadajnik, &Nadajnik::przerwano, this, &PanelSymulator::wysylaniePrzerwane);
}

void PanelSymulator::txtMaxVal_Change(const QString &max)
{
    // Each step is tried on its own: a maximum that does not fit leaves its
    // end of the range as it was.
    const double v = Liczby::Val(max);
    if (const auto max = Liczby::DoInt32(v))
        m_slider1->setMaximum(*max);
    if (const auto min = Liczby::DoInt32(-1 * v))
        m_slider1->setMinimum(*min);
    m_lblMinus->setText(QString::number(m_slider1->minimum()));
    m_lblPlus->setText(QString::number(m_slider1->maximum()));
    m_max = v >= 0 && v < 1e15 ? qint64(v) : 0;
    pokazPrad();
}

void PanelSymulator::trybZmieniony(int tryb)
{
    m_tryb = tryb;
    pokazPrad();
}

void PanelSymulator::Slider1_Change()
{
    m_text1->setText(m_uslugi.wartosci.BudujRamke(m_slider1->value()));
    pokazPrad();
}

void PanelSymulator::pokazPrad()
{
    // The frame for the slider's weight, as sending would build it, without
    // touching the frame last built.
    Wartosci wartosci = m_uslugi.wartosci;
    const auto mA = PradOczekiwany::zRamki(wartosci.BudujRamke(m_slider1->value()), wartosci, m_max, m_tryb);
    m_lblPrad->setText(mA ? PradOczekiwany::tekst(*mA) : QString());
}

void PanelSymulator::chNasluch_Click()
{
    Nadajnik &nadajnik = m_uslugi.nadajnik;
    if (m_chNasluch->isChecked()) {
        m_uslugi.lacze.OtworzPort();
        if (m_uslugi.lacze.port().PortOpen()) {
            m_text1->setText(m_uslugi.wartosci.BudujRamke(m_slider1->value()));
            pokazPrad();
            nadajnik.wlacz();
            emit zajmujeLacze(true);
        } else {
            // Clearing the box runs this handler again, down the other path.
            m_chNasluch->setChecked(false);
        }
        return;
    }
    m_uslugi.lacze.ZamknijPort();
    nadajnik.wylacz();
    emit zajmujeLacze(false);
}

void PanelSymulator::wysylaniePrzerwane()
{
    m_chNasluch->setChecked(false);
    m_uslugi.komunikaty.krytyczny(m_uslugi.lacze.komunikatPortu(
        QStringLiteral("PortUtracony"), QStringLiteral("Port %1 przestał odpowiadać - wysyłanie zatrzymane")));
}
