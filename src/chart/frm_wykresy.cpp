#include "chart/frm_wykresy.h"

#include "okna/etykieta.h"
#include "okna/tlumaczenie.h"
#include "okna/twipy.h"
#include "okna/obrazy_trybow.h"

#include <QCloseEvent>
#include <QEventLoop>
#include <QScreen>

FrmWykresy::FrmWykresy(const Jezyk &jezyk, QWidget *parent)
    : Formatka(QStringLiteral("frmWykresy"), QStringLiteral("wykresy"), parent,
               Qt::Dialog | Qt::FramelessWindowHint),
      m_jezyk(jezyk)
{
    setWindowTitle(QStringLiteral("Form1"));
    setWindowModality(Qt::ApplicationModal);
    setFixedSize(px(7680), px(4860));
    setAutoFillBackground(true);

    m_image1 = dodaj<ObrazTrybu>(this, QStringLiteral("Image1"));
    m_image1->setGeometry(tw(75, 75, 7545, 4725));

    m_label1 = dodaj<Etykieta>(this, QStringLiteral("Label1"), QStringLiteral("zamknij_okno"));
    m_label1->setText(QStringLiteral("Zamknij to okno"));
    m_label1->setGeometry(tw(4815, 75, 2820, 360));
    m_label1->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QFont czcionka(QStringLiteral("MS Sans Serif"), 12, QFont::Bold);
    czcionka.setUnderline(true);
    m_label1->setFont(czcionka);
    m_label1->setCursor(Qt::PointingHandCursor);
    connect(m_label1, &Etykieta::Click, this, &QWidget::close);
}

void FrmWykresy::Form_Load()
{
    if (m_wykresId > ImageList1::kLiczbaObrazow || m_wykresId < 1)
        m_wykresId = 1;
    m_image1->setPicture(m_wykresId);
    TlumaczKontrolki(m_jezyk, Tag(), *this);
}

void FrmWykresy::Show()
{
    Form_Load();
    if (const QScreen *ekran = parentWidget() ? parentWidget()->screen() : screen())
        move(ekran->geometry().center() - rect().center());
    show();
    // Like any modal window: the caller waits here until the window closes.
    QEventLoop petla;
    connect(this, &FrmWykresy::zamkniete, &petla, &QEventLoop::quit);
    petla.exec();
}

void FrmWykresy::closeEvent(QCloseEvent *e)
{
    Formatka::closeEvent(e);
    emit zamkniete();
}
