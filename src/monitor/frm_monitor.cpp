#include "monitor/frm_monitor.h"

#include "config/folder.h"
#include "config/jezyk.h"
#include "config/komunikaty.h"
#include "controls/buttonxp.h"
#include "okna/budowa.h"
#include "okna/tlumaczenie.h"
#include "okna/twipy.h"
#include "okna/uslugi.h"
#include "serial/lacze.h"
#include "serial/mscomm.h"

#include <QClipboard>
#include <QFileInfo>
#include <QFileDialog>
#include <QGuiApplication>
#include <QHeaderView>
#include <QResizeEvent>
#include <QScrollBar>
#include <QTableView>

namespace {

constexpr int kSzerokosc = 18000;
constexpr int kWysokosc = 6000;
constexpr int kPrzyciskSzer = 1200;
constexpr int kPrzyciskWys = 360;
constexpr int kMargines = 90;

} // namespace

FrmMonitor::FrmMonitor(Uslugi &uslugi, QWidget *parent)
    : OknoNarzedzia(QStringLiteral("frmMonitor"), QStringLiteral("monitor"), parent, Qt::Window),
      m_uslugi(uslugi),
      m_port(&uslugi.lacze.port()),
      m_model(TekstyMonitora::wczytaj(uslugi.jezyk))
{
    setWindowTitle(QStringLiteral("Monitor łącza"));
    resize(px(kSzerokosc), px(kWysokosc));

    const auto przycisk = [this](int i, const char *nazwa, const char *tag, const QString &tekst) {
        return nowyPrzycisk(*this, this, QString::fromLatin1(nazwa), tekst, QString::fromLatin1(tag),
                            QRect(kMargines + i * (kPrzyciskSzer + kMargines), kMargines, kPrzyciskSzer,
                                  kPrzyciskWys));
    };
    m_cmdPauza = przycisk(0, "cmdPauza", "pauza", QStringLiteral("Pauza"));
    auto *wyczysc = przycisk(1, "cmdWyczysc", "wyczysc", QStringLiteral("Wyczyść"));
    auto *kopiuj = przycisk(2, "cmdKopiuj", "kopiuj", QStringLiteral("Kopiuj"));
    auto *zapisz = przycisk(3, "cmdZapisz", "zapisz", QStringLiteral("Zapisz"));
    connect(m_cmdPauza, &ButtonXP::Click, this, &FrmMonitor::cmdPauza_Click);
    connect(wyczysc, &ButtonXP::Click, &m_model, &ModelMonitora::wyczysc);
    connect(kopiuj, &ButtonXP::Click, this, &FrmMonitor::cmdKopiuj_Click);
    connect(zapisz, &ButtonXP::Click, this, &FrmMonitor::cmdZapisz_Click);

    // A view that only paints the rows in sight, each of one height, and
    // never measures its contents: twenty frames a second cost one row.
    m_lstRuch = dodaj<QTableView>(this, QStringLiteral("lstRuch"));
    m_lstRuch->setModel(&m_model);
    m_lstRuch->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_lstRuch->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_lstRuch->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_lstRuch->setWordWrap(false);
    m_lstRuch->setFont(QFont(QStringLiteral("Monospace"), 9));
    m_lstRuch->verticalHeader()->hide();
    m_lstRuch->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_lstRuch->verticalHeader()->setDefaultSectionSize(m_lstRuch->fontMetrics().height() + 4);
    m_lstRuch->horizontalHeader()->setStretchLastSection(true);
    const int szerokosci[] = {1100, 1500, 1100, 3000, 4200};
    for (int k = 0; k < int(std::size(szerokosci)); ++k)
        m_lstRuch->setColumnWidth(k, px(szerokosci[k]));

    connect(&m_model, &QAbstractItemModel::rowsAboutToBeInserted, this, [this] {
        const QScrollBar *s = m_lstRuch->verticalScrollBar();
        m_naKoncu = s->value() == s->maximum();
    });
    connect(&m_model, &QAbstractItemModel::rowsInserted, this, [this] {
        if (m_naKoncu)
            m_lstRuch->scrollToBottom();
    });

    TlumaczKontrolki(m_uslugi.jezyk, Tag(), *this);
    TlumaczFormatke(m_uslugi.jezyk, *this);
}

FrmMonitor::~FrmMonitor()
{
    odlacz();
}

void FrmMonitor::odlacz()
{
    if (m_port && m_port->podsluch() == &m_model)
        m_port->ustawPodsluch(nullptr);
}

void FrmMonitor::resizeEvent(QResizeEvent *e)
{
    const int gora = px(kMargines * 2 + kPrzyciskWys);
    m_lstRuch->setGeometry(px(kMargines), gora, width() - 2 * px(kMargines), height() - gora - px(kMargines));
    OknoNarzedzia::resizeEvent(e);
}

void FrmMonitor::showEvent(QShowEvent *e)
{
    if (m_port)
        m_port->ustawPodsluch(&m_model);
    OknoNarzedzia::showEvent(e);
}

void FrmMonitor::hideEvent(QHideEvent *e)
{
    // Nobody watches a hidden monitor, so the line is not recorded for it.
    odlacz();
    OknoNarzedzia::hideEvent(e);
}

QString FrmMonitor::tekst(const char *klucz, const QString &domyslny) const
{
    return m_uslugi.jezyk.TekstJezyka(Tag(), QString::fromLatin1(klucz), domyslny);
}

void FrmMonitor::cmdPauza_Click()
{
    m_model.wstrzymaj(!m_model.wstrzymany());
    m_cmdPauza->setCaption(m_model.wstrzymany() ? tekst("wznow", QStringLiteral("Wznów"))
                                                : tekst("pauza", QStringLiteral("Pauza")));
}

void FrmMonitor::cmdKopiuj_Click()
{
    m_model.opublikuj();
    QList<int> wiersze;
    for (const QModelIndex &i : m_lstRuch->selectionModel()->selectedRows())
        wiersze.append(i.row());
    QGuiApplication::clipboard()->setText(m_model.tekst(wiersze));
}

void FrmMonitor::cmdZapisz_Click()
{
    const QString tekstowy = tekst("filtr_tekst", QStringLiteral("Tekst (*.txt)"));
    const QString csv = tekst("filtr_csv", QStringLiteral("CSV (*.csv)"));
    QString wybrany = tekstowy;
    QString plik = QFileDialog::getSaveFileName(this, tekst("zapisz_tytul", QStringLiteral("Zapisz ruch na łączu")),
                                                m_uslugi.folder.folder(), tekstowy + QStringLiteral(";;") + csv,
                                                &wybrany);
    if (plik.isEmpty())
        return;
    if (QFileInfo(plik).suffix().isEmpty())
        plik += wybrany == csv ? QStringLiteral(".csv") : QStringLiteral(".txt");
    zapisz(plik);
}

bool FrmMonitor::zapisz(const QString &plik)
{
    m_model.opublikuj();
    QString blad;
    const bool ok = plik.endsWith(QStringLiteral(".csv"), Qt::CaseInsensitive) ? m_model.zapiszCsv(plik, &blad)
                                                                                 : m_model.zapiszTekst(plik, &blad);
    if (!ok)
        m_uslugi.komunikaty.krytyczny(
            tekst("zapis_blad", QStringLiteral("Nie można zapisać pliku %1: %2")).arg(plik, blad));
    return ok;
}
