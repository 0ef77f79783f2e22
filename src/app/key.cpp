#include "app/key.h"

#include "app/blokada_wejscia.h"
#include "app/ikona.h"
#include "app/panel_polaczenie.h"
#include "app/rozmieszczenie.h"
#include "chart/frm_wykresy.h"
#include "controls/buttonxp.h"
#include "converter/panel_parametry.h"
#include "converter/panel_tryb.h"
#include "identyfikacja/frm_identyfikacja.h"
#include "monitor/frm_monitor.h"
#include "okna/budowa.h"
#include "okna/etykieta.h"
#include "okna/etykieta_skrocona.h"
#include "okna/okno_narzedzia.h"
#include "okna/tlumaczenie.h"
#include "okna/twipy.h"
#include "okna/wyglad.h"
#include "petla/frm_kontrola_petli.h"
#include "simulator/panel_symulator.h"

#include <QCloseEvent>
#include <QFrame>
#include <QLabel>

namespace {

constexpr int kSzerokoscOkna = 7400;
constexpr int kWysokoscOkna = 5000;
constexpr int kSzerokoscPaska = 2550;
constexpr int kSzerokoscPanelu = 4620;
constexpr int kPolozeniePanelu = 50;
// The tool windows' labels sit in the free part of the side bar, between the
// converter buttons and "Zamknij".
constexpr int kPierwszeNarzedzie = 3060;
constexpr int kOdstepNarzedzi = 390;

// A side-bar entry: a hand over it, a warm colour under the mouse, grey
// while the port is taken.
void wygladZakladki(Etykieta *l)
{
    l->setCursor(Qt::PointingHandCursor);
    l->setContentsMargins(14, 0, 0, 0);
    wcieciePodpisu(l);
    QPalette p = l->palette();
    p.setColor(QPalette::Disabled, QPalette::WindowText, QColor(0x8a8a8a));
    l->setPalette(p);
    l->ustawPodswietlenie(QColor(0xc05800), false);
}

} // namespace

KEY::KEY(const FolderProgramu &folder, Komunikaty &komunikaty, const MapaPortow &mapa,
         QWidget *parent)
    : Formatka(QStringLiteral("KEY"), QStringLiteral("glowna"), parent),
      m_folder(folder),
      m_komunikaty(komunikaty),
      m_jezyk(folder.plikJezyka()),
      m_port(mapa, this),
      m_lacze(m_port, m_ustawienia, m_jezyk, m_komunikaty),
      m_protokol(m_lacze, [this](bool widoczny) { pokazCzekanie(widoczny); }),
      m_nadajnik(m_port, m_wartosci, this),
      m_uslugi{m_folder, m_jezyk, m_komunikaty, m_ustawienia, m_lacze, m_protokol, m_katalog, m_wartosci, m_nadajnik}
{
    setWindowTitle(QStringLiteral("Konwerter - C\\I"));
    m_blokada = new BlokadaWejscia(this);
    setWindowIcon(ikonaProgramu());
    resize(px(kSzerokoscOkna), px(kWysokoscOkna));

    // Hidden panels are parked here, below the window's bottom edge; the panels
    // park their choice panels in it as they build them.
    m_smietnik = dodaj<QWidget>(this, QStringLiteral("Smietnik"));
    m_smietnik->setGeometry(tw(0, kWysokoscOkna + 600, 645, 300));
    m_smietnik->hide();

    // Panels first, the side bar last: with a missing language text the first
    // control of a shared Tag, a panel's header, gives its text to the others.
    m_polaczenie = std::make_unique<PanelPolaczenie>(*this, m_smietnik, m_uslugi);
    m_tryb = std::make_unique<PanelTryb>(*this, m_uslugi);
    m_parametry = std::make_unique<PanelParametry>(*this, m_uslugi);
    m_symulator = std::make_unique<PanelSymulator>(*this, m_uslugi);
    connect(m_parametry.get(), &PanelParametry::trybOdtworzony, m_tryb.get(), &PanelTryb::WybierzTryb);
    connect(m_parametry.get(), &PanelParametry::maxZmieniony, m_symulator.get(), &PanelSymulator::txtMaxVal_Change);
    connect(m_tryb.get(), &PanelTryb::trybZmieniony, m_symulator.get(), &PanelSymulator::trybZmieniony);
    connect(m_symulator.get(), &PanelSymulator::zajmujeLacze, this, [this](bool z) { WlaczZakladki(!z); });
    m_panele = {m_polaczenie->picPoloczenie(), m_tryb->picZdarzenia(), m_parametry->picPlik(),
                m_symulator->picTransmisja()};
    budujInformacje();
    budujPasekBoczny();
    dodajNarzedzie(0, true, QStringLiteral("lblKontrolaPetli"), QStringLiteral("kontrola_petli"),
                   QStringLiteral("KONTROLA PĘTLI"), [this] { return new FrmKontrolaPetli(m_uslugi, this); });
    dodajNarzedzie(1, false, QStringLiteral("lblMonitor"), QStringLiteral("monitor"), QStringLiteral("MONITOR ŁĄCZA"),
                   [this] { return new FrmMonitor(m_uslugi, this); });
    dodajNarzedzie(2, true, QStringLiteral("lblIdentyfikacja"), QStringLiteral("identyfikacja"),
                   QStringLiteral("IDENTYFIKACJA WAGI"), [this] { return new FrmIdentyfikacja(m_uslugi, this); });
}

KEY::~KEY()
{
    // Tool windows go before the services they were given: a run still going
    // stops and lets go of the port while the port is still there.
    qDeleteAll(findChildren<OknoNarzedzia *>(QString(), Qt::FindDirectChildrenOnly));
}

FrmWykresy &KEY::frmWykresy()
{
    return m_tryb->frmWykresy();
}

void KEY::budujInformacje()
{
    struct Informacja
    {
        const char *nazwa;
        const char *tag;
        int top;
    };
    // The tall panels cover the upper three; the lower two always show.
    const Informacja informacje[] = {
        {"lblLogo1", "logo1", 2760}, {"lblLogo2", "logo2", 3120}, {"lblLogo3", "logo3", 3390},
        {"lblLogoHandel", "logoHandel", 4020}, {"lblLogoTel", "logoTel", 4320},
    };
    for (const auto &i : informacje) {
        auto *l = dodaj<EtykietaSkrocona>(this, QLatin1String(i.nazwa), QLatin1String(i.tag));
        l->setGeometry(tw(120, i.top, kSzerokoscPanelu - 120, 300));
        // The first one names the tool.
        if (&i == informacje) {
            ustawKolory(l, QColor(0x1f4e8c));
            pogrub(l, 12);
        } else {
            ustawKolory(l, QColor(0x3a4a66));
        }
    }

    m_txtTransmisja = dodaj<EtykietaSkrocona>(this, QStringLiteral("txtTransmisja"), QStringLiteral("wait"));
    m_txtTransmisja->setText(QStringLiteral("Czekaj transmisja"));
    m_txtTransmisja->setGeometry(tw(kPolozeniePanelu, 2520, kSzerokoscPanelu, 360));
    m_txtTransmisja->setAlignment(Qt::AlignCenter);
    ustawKolory(m_txtTransmisja, QColor(0x8a1c00), QColor(0xfff3c4));
    m_txtTransmisja->ustawRamke(QColor(0xc9a400));
    pogrub(m_txtTransmisja);
    m_txtTransmisja->hide();
}

void KEY::budujPasekBoczny()
{
    m_picture3 = dodaj<QFrame>(this, QStringLiteral("Picture3"));
    ustawTlo(m_picture3, QColor(0xd6dff7));
    const int szer = kSzerokoscPaska;

    auto grupa = [&](const QString &nazwa, const QString &tag, const QString &tekst, int top) {
        auto *l = dodaj<QLabel>(m_picture3, nazwa, tag);
        l->setText(tekst);
        l->setGeometry(tw(120, top, szer - 240, 285));
        ustawKolory(l, QColor(0x1f4e8c));
        pogrub(l);
        auto *linia = new QFrame(m_picture3);
        linia->setFrameShape(QFrame::HLine);
        linia->setGeometry(tw(120, top + 285, szer - 240, 30));
    };

    grupa(QStringLiteral("Label12"), QStringLiteral("CONFIG"), QStringLiteral("Konfiguracja"), 120);

    auto *picture2 = dodaj<QWidget>(m_picture3, QStringLiteral("Picture2"));
    picture2->setGeometry(tw(120, 480, szer - 240, 1560));
    struct Zakladka
    {
        const char *nazwa;
        const char *tekst;
        const char *tag;
        QWidget *panel;
    };
    const Zakladka zakladki[] = {
        {"lblzdarzenia", "TRYB PRACY", "tryb_pracy", m_tryb->picZdarzenia()},
        {"lblPlik", "PARAMETRY WAGI", "param_wagi", m_parametry->picPlik()},
        {"LblUstawieniaPortu", "POŁACZENIE", "conect", m_polaczenie->picPoloczenie()},
        {"lblTransmisja", "SYMULATOR", "transmition", m_symulator->picTransmisja()},
    };
    int top = 0;
    for (const auto &z : zakladki) {
        auto *l = dodaj<Etykieta>(picture2, QLatin1String(z.nazwa), QLatin1String(z.tag));
        l->setText(QString::fromUtf8(z.tekst));
        l->setGeometry(tw(0, top, szer - 240, 360));
        wygladZakladki(l);
        QWidget *panel = z.panel;
        connect(l, &Etykieta::Click, this, [this, panel] { PokazPanel(panel); });
        m_zakladki.append(l);
        top += 390;
    }

    grupa(QStringLiteral("Label2"), QStringLiteral("cntkonwerter"), QStringLiteral("Konwerter"), 2160);
    m_cmdOdbierzAll = nowyPrzycisk(*this, m_picture3, QStringLiteral("cmdOdbierzAll"), QString(),
                                   QStringLiteral("odbierz"), QRect(120, 2580, 1095, 360));
    m_cmdUstawAll = nowyPrzycisk(*this, m_picture3, QStringLiteral("cmdUstawAll"), QString(),
                                 QStringLiteral("ustaw"), QRect(1335, 2580, 1095, 360));
    m_cmdOdbierzAll->setEnabled(false);
    m_cmdUstawAll->setEnabled(false);

    auto *zamknij = nowyPrzycisk(*this, m_picture3, QStringLiteral("cmdZamknij"), QStringLiteral("Zamknij"),
                                 QStringLiteral("end"), QRect(120, 4380, szer - 240, 420));
    connect(zamknij, &ButtonXP::Click, this, &KEY::cmdZamknij_Click);
}

void KEY::dodajNarzedzie(int miejsce, bool zLaczem, const QString &nazwa, const QString &tag,
                         const QString &tekst, std::function<OknoNarzedzia *()> utworz)
{
    auto *l = dodaj<Etykieta>(m_picture3, nazwa, tag);
    l->setText(tekst);
    l->setGeometry(tw(120, kPierwszeNarzedzie + miejsce * kOdstepNarzedzi, kSzerokoscPaska - 240, 360));
    wygladZakladki(l);
    if (zLaczem)
        m_zakladki.append(l);
    OknoNarzedzia *okno = nullptr;
    connect(l, &Etykieta::Click, this, [this, okno, utworz = std::move(utworz)]() mutable {
        if (!okno) {
            okno = utworz();
            connect(okno, &OknoNarzedzia::zajmujeLacze, this, &KEY::narzedzieZajmujeLacze);
        }
        okno->show();
        okno->raise();
        okno->activateWindow();
    });
}

void KEY::narzedzieZajmujeLacze(bool zajete)
{
    WlaczZakladki(!zajete);
    for (QWidget *panel : std::as_const(m_panele))
        panel->setEnabled(!zajete);
}

void KEY::resizeEvent(QResizeEvent *e)
{
    // The side bar is docked to the right edge over the full height.
    m_picture3->setGeometry(width() - px(kSzerokoscPaska), 0, px(kSzerokoscPaska), height());
    Formatka::resizeEvent(e);
}

void KEY::Form_Load()
{
    m_polaczenie->WczytajUstawienia();
    TlumaczKontrolki(m_jezyk, Tag(), *this);
    TlumaczFormatke(m_jezyk, *this);
    resize(px(kSzerokoscOkna), px(kWysokoscOkna));
    UkryjPanele();
    UstawPort();
    show();
    m_parametry->ZaladujKatalog();
    m_parametry->OdtworzParametry(ParametryZapisane::wczytaj(m_folder.plikKatalogu()));
    // With no panel shown "Zamknij" is the one control that takes the focus;
    // the window keeps it instead, so a stray Enter or Space does nothing.
    setFocus(Qt::OtherFocusReason);
}

void KEY::PokazPanel(QWidget *Panel)
{
    UkryjPanele();
    UstawKontener(Panel, this);
    Panel->move(px(kPolozeniePanelu), px(kPolozeniePanelu));
    // The tall panels cover the information labels below them.
    Panel->raise();
}

void KEY::UkryjPanele()
{
    for (QWidget *panel : std::as_const(m_panele))
        UstawKontener(panel, m_smietnik);
}

void KEY::WlaczZakladki(bool e)
{
    for (Etykieta *l : std::as_const(m_zakladki))
        l->setEnabled(e);
    m_cmdOdbierzAll->setEnabled(e);
    m_cmdUstawAll->setEnabled(e);
}

void KEY::UstawPort()
{
    m_lacze.UstawPort();
}

bool KEY::OtworzPort()
{
    return m_lacze.OtworzPort();
}

void KEY::ZamknijPort()
{
    m_lacze.ZamknijPort();
}

void KEY::pokazCzekanie(bool widoczny)
{
    if (widoczny)
        m_blokada->wlacz();
    m_txtTransmisja->setVisible(widoczny);
    if (widoczny) {
        m_txtTransmisja->raise();
        // The exchange that follows blocks the event loop: paint now or never.
        m_txtTransmisja->repaint();
    } else {
        m_blokada->wylacz();
    }
}

void KEY::cmdZamknij_Click()
{
    ZamknijPort();
    close();
}

void KEY::closeEvent(QCloseEvent *e)
{
    // Whatever asked for the close (close box, system menu, session end), the
    // window unloads; it never refuses.
    e->accept();
    Form_Unload();
}

void KEY::Form_Unload()
{
    ZamknijPort();
    // The process ends here: a sending tick still pending must not run and
    // find the port closed.
    m_nadajnik.wylacz();
    emit zakonczono();
}
