#include "okna/budowa.h"

#include "controls/buttonxp.h"
#include "controls/propertybag.h"
#include "okna/etykieta_skrocona.h"
#include "okna/formatka.h"
#include "okna/twipy.h"
#include "okna/wyglad.h"

#include <QFrame>
#include <QLabel>

namespace {

constexpr int kSzerokoscPanelu = 4620;
constexpr int kPolozeniePanelu = 50;
// The system colour reference for button text, stored by every button.
constexpr quint32 kTekstPrzycisku = 0x80000012u;

} // namespace

QWidget *nowyPanel(Formatka &okno, const QString &nazwa, int wysokoscTwipy, const QString &naglowekNazwa,
                   const QString &naglowek, const QString &tag)
{
    auto *panel = okno.dodaj<QFrame>(&okno, nazwa);
    panel->setFrameShape(QFrame::Box);
    // A panel covers what lies under it, the information labels included.
    panel->setAutoFillBackground(true);
    panel->setGeometry(tw(kPolozeniePanelu, kPolozeniePanelu, kSzerokoscPanelu, wysokoscTwipy));
    auto *l = okno.dodaj<EtykietaSkrocona>(panel, naglowekNazwa, tag);
    l->setText(naglowek);
    l->setGeometry(1, 1, panel->width() - 2, px(330));
    l->setAlignment(Qt::AlignCenter);
    ustawKolory(l, Qt::white, QColor(0x1f4e8c));
    pogrub(l);
    return panel;
}

ButtonXP *nowyPrzycisk(Formatka &okno, QWidget *rodzic, const QString &nazwa, const QString &caption,
                       const QString &tag, const QRect &twipy)
{
    // Every button of the window is described as stored design-time
    // properties: its caption, and the system colour for button text.
    PropertyBag opis;
    opis.WriteProperty(QStringLiteral("Caption"), caption);
    opis.WriteProperty(QStringLiteral("ForeColor"), kTekstPrzycisku);
    ButtonXP *b = ButtonXP::utworz(rodzic, nazwa, opis);
    okno.zarejestruj(b, nazwa, tag);
    b->setGeometry(tw(twipy.x(), twipy.y(), twipy.width(), twipy.height()));
    return b;
}
