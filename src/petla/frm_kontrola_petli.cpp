#include "petla/frm_kontrola_petli.h"

#include "config/folder.h"
#include "config/jezyk.h"
#include "config/komunikaty.h"
#include "controls/buttonxp.h"
#include "okna/budowa.h"
#include "okna/twipy.h"
#include "okna/uslugi.h"
#include "okna/wyglad.h"
#include "petla/kontrola_petli.h"
#include "petla/miernik_reczny.h"
#include "petla/miernik_scpi.h"
#include "petla/raport_pdf.h"
#include "petla/teksty.h"
#include "petla/wykres_bledow.h"
#include "petla/zapis_kontroli.h"
#include "simulator/nadajnik.h"
#include "simulator/prad_oczekiwany.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QProgressBar>
#include <QSpinBox>
#include <QTableWidget>

#include <utility>

namespace {

constexpr int kSzerokosc = 9600;
constexpr int kWysokosc = 7800;
constexpr int kKolumn = 7;

// The error plot, drawn again as each point is measured.
class Wykres : public QWidget
{
public:
    Wykres(const KontrolaPetli &kontrola, QWidget *rodzic) : QWidget(rodzic), m_kontrola(kontrola) {}

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.fillRect(rect(), Qt::white);
        WykresBledow::rysuj(p, QRectF(rect()).adjusted(2, 2, -2, -2), m_kontrola.przebieg());
    }

private:
    const KontrolaPetli &m_kontrola;
};

} // namespace

FrmKontrolaPetli::FrmKontrolaPetli(Uslugi &uslugi, QWidget *parent)
    : OknoNarzedzia(QStringLiteral("frmKontrolaPetli"), TekstyKontroli::kSekcja, parent, Qt::Window),
      m_uslugi(uslugi)
{
    setWindowTitle(t("okno"));
    resize(px(kSzerokosc), px(kWysokosc));
    m_kontrola = new KontrolaPetli(uslugi.lacze, uslugi.protokol, uslugi.jezyk, uslugi.folder.plikKatalogu(), this);

    // The run's settings, label beside field, in two columns.
    int wiersz = 0;
    const auto pole = [&](int kolumna, const char *klucz, const QString &nazwaEtykiety, QWidget *w) {
        const int lewy = 120 + kolumna * 4800;
        const int gora = 120 + (wiersz % 4) * 420;
        auto *l = dodaj<QLabel>(this, nazwaEtykiety, QString::fromLatin1(klucz));
        l->setText(t(klucz));
        l->setGeometry(tw(lewy, gora, 2400, 360));
        w->setGeometry(tw(lewy + 2460, gora, 2160, 360));
        ++wiersz;
    };
    m_txtPunkty = dodaj<QSpinBox>(this, QStringLiteral("txtPunkty"));
    m_txtPunkty->setRange(UstawieniaKontroli::kNajmniejPunktow, UstawieniaKontroli::kNajwiecejPunktow);
    m_txtPunkty->setValue(UstawieniaKontroli{}.punkty);
    pole(0, "punkty", QStringLiteral("lblPunkty"), m_txtPunkty);
    m_txtTolerancja = dodaj<QDoubleSpinBox>(this, QStringLiteral("txtTolerancja"));
    m_txtTolerancja->setDecimals(3);
    m_txtTolerancja->setRange(0.001, 100);
    m_txtTolerancja->setSingleStep(0.05);
    m_txtTolerancja->setValue(UstawieniaKontroli{}.tolerancja);
    pole(0, "tolerancja_proc", QStringLiteral("lblTolerancja"), m_txtTolerancja);
    m_txtOdczytow = dodaj<QSpinBox>(this, QStringLiteral("txtOdczytow"));
    m_txtOdczytow->setRange(1, 20);
    m_txtOdczytow->setValue(UstawieniaKontroli{}.zgodnychOdczytow);
    pole(0, "odczytow", QStringLiteral("lblOdczytow"), m_txtOdczytow);
    m_txtZgodnosc = dodaj<QDoubleSpinBox>(this, QStringLiteral("txtZgodnosc"));
    m_txtZgodnosc->setDecimals(3);
    m_txtZgodnosc->setRange(0.001, 10);
    m_txtZgodnosc->setSingleStep(0.01);
    m_txtZgodnosc->setValue(UstawieniaKontroli{}.zgodnosc);
    pole(0, "zgodnosc", QStringLiteral("lblZgodnosc"), m_txtZgodnosc);
    m_txtLimit = dodaj<QSpinBox>(this, QStringLiteral("txtLimit"));
    m_txtLimit->setRange(100, 600000);
    m_txtLimit->setSingleStep(500);
    m_txtLimit->setValue(int(UstawieniaKontroli{}.limitUstalania.count()));
    pole(1, "limit", QStringLiteral("lblLimit"), m_txtLimit);
    m_txtOperator = dodaj<QLineEdit>(this, QStringLiteral("txtOperator"));
    pole(1, "operator", QStringLiteral("lblOperator"), m_txtOperator);
    m_txtNumer = dodaj<QLineEdit>(this, QStringLiteral("txtNumer"));
    pole(1, "numer", QStringLiteral("lblNumer"), m_txtNumer);
    m_txtMiernik = dodaj<QLineEdit>(this, QStringLiteral("txtMiernik"));
    m_txtMiernik->setPlaceholderText(t("odczyt_reczny"));
    pole(1, "urzadzenie_miernika", QStringLiteral("lblMiernik"), m_txtMiernik);
    m_chGoraDol = dodaj<QCheckBox>(this, QStringLiteral("chGoraDol"), QStringLiteral("gora_dol"));
    m_chGoraDol->setText(t("gora_dol"));
    m_chGoraDol->setGeometry(tw(120, 1800, 4620, 360));
    QString blad;
    if (const auto u = UstawieniaMiernikow::czytaj(uslugi.folder.plikUstawien(), blad, &uslugi.jezyk))
        m_txtMiernik->setText(u->urzadzenie);

    m_cmdStart = nowyPrzycisk(*this, this, QStringLiteral("cmdStart"), t("start"), QStringLiteral("start"),
                              QRect(4920, 1800, 1440, 390));
    m_cmdStop = nowyPrzycisk(*this, this, QStringLiteral("cmdStop"), t("stop"), QStringLiteral("stop"),
                             QRect(6480, 1800, 1440, 390));
    m_cmdZapisz = nowyPrzycisk(*this, this, QStringLiteral("cmdZapisz"), t("zapisz"), QStringLiteral("zapisz"),
                               QRect(8040, 1800, 1440, 390));

    m_picPostep = dodaj<QProgressBar>(this, QStringLiteral("picPostep"));
    m_picPostep->setGeometry(tw(120, 2340, kSzerokosc - 240, 300));
    m_picPostep->setFormat(QStringLiteral("%v / %m"));
    m_picPostep->setValue(0);

    m_lblOdczyt = dodaj<QLabel>(this, QStringLiteral("lblOdczyt"));
    m_lblOdczyt->setGeometry(tw(120, 2760, 6900, 360));
    m_txtOdczyt = dodaj<QLineEdit>(this, QStringLiteral("txtOdczyt"));
    m_txtOdczyt->setGeometry(tw(7080, 2760, 2400, 360));

    m_lstPunkty = dodaj<QTableWidget>(this, QStringLiteral("lstPunkty"));
    m_lstPunkty->setGeometry(tw(120, 3240, 5400, 3960));
    m_lstPunkty->setColumnCount(kKolumn);
    m_lstPunkty->setHorizontalHeaderLabels({t("kol_waga"), t("kol_ramka"), t("kol_oczekiwany"), t("kol_zmierzony"),
                                            t("kol_blad_ma"), t("kol_blad_proc"), t("kol_wynik")});
    m_lstPunkty->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_lstPunkty->verticalHeader()->setDefaultSectionSize(px(300));
    m_lstPunkty->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);

    m_picWykres = new Wykres(*m_kontrola, this);
    zarejestruj(m_picWykres, QStringLiteral("picWykres"));
    m_picWykres->setGeometry(tw(5640, 3240, kSzerokosc - 5760, 3960));

    m_lblStan = dodaj<QLabel>(this, QStringLiteral("lblStan"));
    m_lblStan->setGeometry(tw(120, 7260, kSzerokosc - 240, 420));
    m_lblStan->setWordWrap(true);

    connect(m_cmdStart, &ButtonXP::Click, this, &FrmKontrolaPetli::cmdStart_Click);
    connect(m_cmdStop, &ButtonXP::Click, this, &FrmKontrolaPetli::cmdStop_Click);
    connect(m_cmdZapisz, &ButtonXP::Click, this, &FrmKontrolaPetli::cmdZapisz_Click);
    connect(m_txtOdczyt, &QLineEdit::returnPressed, this, &FrmKontrolaPetli::txtOdczyt_Enter);
    connect(m_kontrola, &KontrolaPetli::rozpoczeto, this, [this] {
        m_lstPunkty->setRowCount(int(m_kontrola->punkty().size()));
        for (int i = 0; i < m_kontrola->punkty().size(); ++i)
            wierszTabeli(i);
        m_picPostep->setRange(0, int(m_kontrola->punkty().size()));
        m_picWykres->update();
    });
    connect(m_kontrola, &KontrolaPetli::punktRozpoczety, this, &FrmKontrolaPetli::punktRozpoczety);
    connect(m_kontrola, &KontrolaPetli::punktZmierzony, this, &FrmKontrolaPetli::punktZmierzony);
    connect(m_kontrola, &KontrolaPetli::zakonczono, this,
            [this](KontrolaPetli::Koniec k, const QString &opis) { zakonczono(int(k), opis); });
    ustawTrwanie(false);
    m_cmdZapisz->setEnabled(false);
}

FrmKontrolaPetli::~FrmKontrolaPetli()
{
    m_kontrola->stop();
}

QString FrmKontrolaPetli::t(const char *klucz) const
{
    return TekstyKontroli::tekst(m_uslugi.jezyk, QString::fromLatin1(klucz));
}

void FrmKontrolaPetli::closeEvent(QCloseEvent *e)
{
    // Closing the window ends the run: nothing may keep the port behind it.
    m_kontrola->stop();
    OknoNarzedzia::closeEvent(e);
}

void FrmKontrolaPetli::ustawTrwanie(bool trwa)
{
    for (QWidget *w : std::initializer_list<QWidget *>{m_txtPunkty, m_chGoraDol, m_txtTolerancja, m_txtOdczytow,
                                                       m_txtZgodnosc, m_txtLimit, m_txtOperator, m_txtNumer,
                                                       m_txtMiernik, m_cmdStart})
        w->setEnabled(!trwa);
    m_cmdStop->setEnabled(trwa);
    m_lblOdczyt->setVisible(trwa && m_reczny);
    m_txtOdczyt->setVisible(trwa && m_reczny);
}

void FrmKontrolaPetli::cmdStart_Click()
{
    if (m_kontrola->trwa())
        return;
    if (m_uslugi.nadajnik.wlaczony()) {
        m_uslugi.komunikaty.informacja(t("nasluch"));
        return;
    }
    UstawieniaKontroli u;
    u.punkty = m_txtPunkty->value();
    u.goraDol = m_chGoraDol->isChecked();
    u.tolerancja = m_txtTolerancja->value();
    u.zgodnychOdczytow = m_txtOdczytow->value();
    u.zgodnosc = m_txtZgodnosc->value();
    u.limitUstalania = std::chrono::milliseconds(m_txtLimit->value());
    u.operatorNazwa = m_txtOperator->text().trimmed();
    u.numerSeryjny = m_txtNumer->text().trimmed();

    m_miernik.reset();
    m_reczny = nullptr;
    const QString urzadzenie = m_txtMiernik->text().trimmed();
    if (urzadzenie.isEmpty()) {
        // The technician types a reading once the display has settled.
        auto reczny = std::make_unique<MiernikReczny>();
        reczny->ustawOpis(t("odczyt_reczny"));
        m_reczny = reczny.get();
        connect(m_reczny, &MiernikReczny::potrzebnyOdczyt, this, [this] {
            if (!m_wpisany.isEmpty())
                m_reczny->podaj(std::exchange(m_wpisany, QString()));
        }, Qt::QueuedConnection);
        m_miernik = std::move(reczny);
        u.zgodnychOdczytow = 1;
        u.limitUstalania = std::chrono::milliseconds(0);
    } else {
        QString blad;
        auto ustawienia = UstawieniaMiernikow::czytaj(m_uslugi.folder.plikUstawien(), blad, &m_uslugi.jezyk);
        if (!ustawienia
            || !UstawieniaMiernikow::ustaw(*ustawienia, UstawieniaMiernikow::Parametr::Urzadzenie, urzadzenie, blad,
                                           &m_uslugi.jezyk)) {
            m_uslugi.komunikaty.krytyczny(blad);
            return;
        }
        UstawieniaMiernikow::zapisz(m_uslugi.folder.plikUstawien(), *ustawienia);
        m_miernik = std::make_unique<MiernikScpi>(*ustawienia, &m_uslugi.jezyk);
    }
    m_wpisany.clear();
    m_lstPunkty->setRowCount(0);
    m_picPostep->setValue(0);
    m_lblStan->clear();
    m_cmdZapisz->setEnabled(false);
    ustawTrwanie(true);
    emit zajmujeLacze(true);
    m_kontrola->start(u, *m_miernik);
}

void FrmKontrolaPetli::cmdStop_Click()
{
    m_kontrola->stop();
}

void FrmKontrolaPetli::txtOdczyt_Enter()
{
    if (!m_reczny)
        return;
    const QString tekst = m_txtOdczyt->text();
    if (!MiernikReczny::wartosc(tekst)) {
        m_lblStan->setText(t("zly_odczyt").arg(tekst));
        m_txtOdczyt->selectAll();
        return;
    }
    m_lblStan->clear();
    m_txtOdczyt->clear();
    // A value typed before the point's frame has gone out waits for the request.
    if (!m_reczny->podaj(tekst))
        m_wpisany = tekst;
}

void FrmKontrolaPetli::punktRozpoczety(int i)
{
    const PunktKontroli &p = m_kontrola->punkty().at(i);
    const QString opis = t("punkt").arg(i + 1).arg(m_kontrola->punkty().size()).arg(p.waga)
                             .arg(PradOczekiwany::tekst(p.oczekiwany));
    m_lblOdczyt->setText(opis);
    m_lstPunkty->selectRow(i);
    if (m_reczny)
        m_txtOdczyt->setFocus();
}

void FrmKontrolaPetli::punktZmierzony(int i)
{
    wierszTabeli(i);
    m_picPostep->setValue(i + 1);
    m_picWykres->update();
}

void FrmKontrolaPetli::wierszTabeli(int i)
{
    const PunktKontroli &p = m_kontrola->punkty().at(i);
    const bool z = p.zmierzony.has_value();
    const double tolerancja = m_kontrola->przebieg().ustawienia.tolerancja;
    const QString wynik = !z ? QString() : !p.stabilny ? t("niestabilny") : p.zgodny(tolerancja) ? t("punkt_ok") : t("punkt_zle");
    const QStringList komorki{QString::number(p.waga) + (p.wDol ? QStringLiteral(" ↓") : QString()),
                              QLatin1Char('"') + p.ramka + QLatin1Char('"'),
                              ZapisKontroli::mA(p.oczekiwany),
                              z ? ZapisKontroli::mA(*p.zmierzony) : QString(),
                              z ? ZapisKontroli::zeZnakiem(p.bladMA()) : QString(),
                              z ? ZapisKontroli::zeZnakiem(p.bladProcent()) : QString(),
                              wynik};
    for (int k = 0; k < kKolumn; ++k) {
        auto *c = new QTableWidgetItem(komorki.at(k));
        c->setTextAlignment(Qt::AlignVCenter | (k == 1 ? Qt::AlignLeft : Qt::AlignRight));
        if (k == kKolumn - 1 && z)
            c->setForeground(p.zgodny(tolerancja) ? QColor(0, 120, 0) : QColor(190, 0, 0));
        m_lstPunkty->setItem(i, k, c);
    }
}

void FrmKontrolaPetli::zakonczono(int koniec, const QString &opis)
{
    const auto k = KontrolaPetli::Koniec(koniec);
    ustawTrwanie(false);
    emit zajmujeLacze(false);
    QString stan = opis;
    if (k == KontrolaPetli::Koniec::Zgodny || k == KontrolaPetli::Koniec::Niezgodny) {
        const auto najwiekszy = Punkty::najwiekszyBlad(m_kontrola->punkty());
        stan = (k == KontrolaPetli::Koniec::Zgodny ? t("zgodny") : t("niezgodny"))
               + (najwiekszy ? QStringLiteral(" - ") + t("najwiekszy") + QStringLiteral(": ")
                                   + ZapisKontroli::zeZnakiem(*najwiekszy) + QLatin1Char(' ') + t("zakresu")
                             : QString());
    }
    m_lblStan->setText(stan);
    ustawKolory(m_lblStan, k == KontrolaPetli::Koniec::Zgodny ? QColor(0x007800) : QColor(0xbe0000));
    pogrub(m_lblStan);
    const auto &punkty = m_kontrola->punkty();
    m_cmdZapisz->setEnabled(std::any_of(punkty.begin(), punkty.end(), [](const PunktKontroli &p) { return p.zmierzony.has_value(); }));
    if (k == KontrolaPetli::Koniec::Utracono)
        m_uslugi.komunikaty.krytyczny(opis);
}

void FrmKontrolaPetli::cmdZapisz_Click()
{
    const PrzebiegKontroli &p = m_kontrola->przebieg();
    const QString csv = ZapisKontroli::domyslnaSciezka(m_uslugi.folder, p, QStringLiteral("csv"));
    const QString pdf = ZapisKontroli::domyslnaSciezka(m_uslugi.folder, p, QStringLiteral("pdf"));
    for (const auto &[sciezka, dane] : {std::pair{csv, ZapisKontroli::csv(p)}, std::pair{pdf, RaportPdf::utworz(p, m_uslugi.jezyk)}}) {
        if (const auto blad = ZapisKontroli::zapisz(sciezka, dane)) {
            m_uslugi.komunikaty.krytyczny(t("zapis_nieudany") + QStringLiteral(": ") + *blad);
            return;
        }
    }
    m_lblStan->setText(t("zapisano").arg(QDir::toNativeSeparators(csv), QDir::toNativeSeparators(pdf)));
}
