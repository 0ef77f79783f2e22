#include "petla/raport_pdf.h"

#include "petla/teksty.h"
#include "petla/wykres_bledow.h"
#include "petla/zapis_kontroli.h"
#include "simulator/prad_oczekiwany.h"

#include <QBuffer>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>

namespace {

constexpr int kRozdzielczosc = 300;   // dots per inch of the page's coordinates

double pt(double punkty)
{
    return punkty * kRozdzielczosc / 72.0;
}

QFont czcionka(double rozmiar, bool gruba = false)
{
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPointSizeF(rozmiar);
    f.setBold(gruba);
    return f;
}

} // namespace

namespace RaportPdf {

QByteArray utworz(const PrzebiegKontroli &p, const Jezyk &jezyk)
{
    const auto t = [&](const char *klucz) { return TekstyKontroli::tekst(jezyk, QString::fromLatin1(klucz)); };
    QByteArray dane;
    QBuffer bufor(&dane);
    bufor.open(QIODevice::WriteOnly);
    QPdfWriter pdf(&bufor);
    pdf.setPageSize(QPageSize(QPageSize::A4));
    pdf.setResolution(kRozdzielczosc);
    pdf.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
    pdf.setTitle(t("tytul"));
    pdf.setCreator(QStringLiteral("Konwerter C/I"));

    QPainter g(&pdf);
    const QRectF strona(0, 0, pdf.width(), pdf.height());
    double yy = 0;
    const auto wiersz = [&](const QString &tekst, const QFont &f, Qt::Alignment a = Qt::AlignLeft) {
        g.setFont(f);
        const double h = QFontMetricsF(f, &pdf).height() * 1.25;
        g.drawText(QRectF(0, yy, strona.width(), h), a | Qt::AlignVCenter, tekst);
        yy += h;
    };

    wiersz(t("tytul"), czcionka(16, true));
    yy += pt(6);
    const ParametryKonwertera &k = p.konwerter;
    const QString zakresu = t("zakresu");
    const QList<QPair<QString, QString>> dane_{
        {t("data"), p.poczatek.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"))},
        {t("operator"), p.ustawienia.operatorNazwa},
        {t("numer"), p.ustawienia.numerSeryjny},
        {t("wersja"), k.wersja},
        {t("max"), QString::number(k.maksimum)},
        {t("typ"), k.typRamki + (k.opisTypu.isEmpty() ? QString() : QStringLiteral(" (") + k.opisTypu + QLatin1Char(')'))},
        {t("tryb"), QString::number(k.tryb)},
        {t("miernik"), p.miernik},
        {t("tolerancja"), QStringLiteral("± ") + QString::number(p.ustawienia.tolerancja, 'f', 3) + QLatin1Char(' ') + zakresu},
    };
    const QFont zwykla = czcionka(10);
    g.setFont(zwykla);
    const double hWiersza = QFontMetricsF(zwykla, &pdf).height() * 1.3;
    for (const auto &[nazwa, wartosc] : dane_) {
        g.drawText(QRectF(0, yy, strona.width() * 0.35, hWiersza), Qt::AlignLeft | Qt::AlignVCenter, nazwa + QLatin1Char(':'));
        g.drawText(QRectF(strona.width() * 0.35, yy, strona.width() * 0.65, hWiersza), Qt::AlignLeft | Qt::AlignVCenter, wartosc);
        yy += hWiersza;
    }
    yy += pt(8);

    // The table: the frame column takes what the numbers leave.
    const QStringList naglowki{t("kol_nr"), t("kol_waga"), t("kol_ramka"), t("kol_oczekiwany"),
                               t("kol_zmierzony"), t("kol_blad_ma"), t("kol_blad_proc"), t("kol_wynik")};
    const QList<double> szerokosci{0.05, 0.09, 0.20, 0.13, 0.13, 0.11, 0.13, 0.16};
    // One page, however many points: below the table come the largest error,
    // the plot at its smallest and the verdict, and the rows shrink to leave
    // them room.
    const double reszta = pt(8) + QFontMetricsF(zwykla, &pdf).height() * 1.25 + pt(6)
                          + QFontMetricsF(czcionka(10, true), &pdf).height() * 1.25 + pt(120) + pt(60) + pt(10);
    const int wierszy = int(p.punkty.size()) + 2;
    QFont tabela = czcionka(8);
    QFont naglowek = czcionka(8, true);
    const double pelny = QFontMetricsF(tabela, &pdf).height() * 1.5;
    const double skala = std::min(1.0, (strona.height() - yy - reszta) / (wierszy * pelny));
    tabela.setPointSizeF(8 * skala);
    naglowek.setPointSizeF(8 * skala);
    const double hTabeli = pelny * skala;
    // Headings may take two lines.
    const auto komorki = [&](const QStringList &teksty, const QFont &f, int linii) {
        g.setFont(f);
        const double h = hTabeli * linii;
        double xx = 0;
        for (int i = 0; i < teksty.size(); ++i) {
            const double w = szerokosci.at(i) * strona.width();
            g.drawRect(QRectF(xx, yy, w, h));
            g.drawText(QRectF(xx + pt(2), yy, w - pt(4), h),
                       Qt::AlignVCenter | Qt::TextWordWrap | (i == 2 ? Qt::AlignLeft : Qt::AlignRight), teksty.at(i));
            xx += w;
        }
        yy += h;
    };
    g.setPen(QPen(Qt::black, pt(0.5)));
    komorki(naglowki, naglowek, 2);
    for (int i = 0; i < p.punkty.size(); ++i) {
        const PunktKontroli &pk = p.punkty.at(i);
        const bool z = pk.zmierzony.has_value();
        QString wynik = !z ? QString() : pk.zgodny(p.ustawienia.tolerancja) ? t("punkt_ok") : t("punkt_zle");
        if (z && !pk.stabilny)
            wynik = t("niestabilny");
        komorki({QString::number(i + 1) + (pk.wDol ? QStringLiteral(" ↓") : QString()), QString::number(pk.waga),
                 QLatin1Char('"') + pk.ramka + QLatin1Char('"'), ZapisKontroli::mA(pk.oczekiwany),
                 z ? ZapisKontroli::mA(*pk.zmierzony) : QString(), z ? ZapisKontroli::zeZnakiem(pk.bladMA()) : QString(),
                 z ? ZapisKontroli::zeZnakiem(pk.bladProcent()) : QString(), wynik},
                tabela, 1);
    }
    yy += pt(8);
    const auto najwiekszy = Punkty::najwiekszyBlad(p.punkty);
    wiersz(t("najwiekszy") + QStringLiteral(": ")
               + (najwiekszy ? ZapisKontroli::zeZnakiem(*najwiekszy) + QLatin1Char(' ') + zakresu : QStringLiteral("-")),
           zwykla);
    yy += pt(6);

    wiersz(t("wykres"), czcionka(10, true));
    const double wysokoscWerdyktu = pt(60);
    const QRectF wykres(0, yy, strona.width(), std::clamp(strona.height() - yy - wysokoscWerdyktu - pt(10), pt(120), pt(320)));
    g.setFont(czcionka(8));
    WykresBledow::rysuj(g, wykres, p);

    const bool zgodny = p.zgodny();
    g.setFont(czcionka(36, true));
    g.setPen(zgodny ? QColor(0, 120, 0) : QColor(190, 0, 0));
    g.drawText(QRectF(0, strona.height() - wysokoscWerdyktu, strona.width(), wysokoscWerdyktu), Qt::AlignCenter,
               zgodny ? t("zgodny") : t("niezgodny"));
    g.end();
    return dane;
}

} // namespace RaportPdf
