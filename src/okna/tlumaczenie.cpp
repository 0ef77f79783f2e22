#include "okna/tlumaczenie.h"

#include "okna/formatka.h"
#include "config/ini.h"
#include "config/jezyk.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>

#include <optional>

namespace {

// The caption of a control, when it has one: labels, buttons, option buttons,
// check boxes and frames do; text boxes, lists and pictures do not.
std::optional<QString> podpis(const QWidget *w)
{
    if (w->metaObject()->indexOfProperty("Caption") >= 0)
        return w->property("Caption").toString();
    if (const auto *l = qobject_cast<const QLabel *>(w))
        return l->text();
    if (const auto *b = qobject_cast<const QAbstractButton *>(w))
        return b->text();
    if (const auto *g = qobject_cast<const QGroupBox *>(w))
        return g->title();
    return std::nullopt;
}

void ustawPodpis(QWidget *w, const QString &tekst)
{
    if (w->metaObject()->indexOfProperty("Caption") >= 0)
        w->setProperty("Caption", tekst);
    else if (auto *l = qobject_cast<QLabel *>(w))
        l->setText(tekst);
    else if (auto *b = qobject_cast<QAbstractButton *>(w))
        b->setText(tekst);
    else if (auto *g = qobject_cast<QGroupBox *>(w))
        g->setTitle(tekst);
}

} // namespace

void TlumaczKontrolki(const Jezyk &jezyk, const QString &Sekcja, Formatka &Okno)
{
    // The file is read once for the whole window; a text missing from it goes
    // the usual way, which reads the file again and writes the default in.
    const modNI::OdczytIni plik(jezyk.PlikJezyka());
    for (const auto &kontrolka : Okno.Controls()) {
        if (!kontrolka)
            continue;
        const QString tag = tagKontrolki(kontrolka);
        if (tag.isEmpty())
            continue;
        if (const auto biezacy = podpis(kontrolka)) {
            QString tekst = plik.CzytajIni(Sekcja, tag, QString());
            if (tekst.isEmpty())
                tekst = jezyk.TekstJezyka(Sekcja, tag, *biezacy);
            ustawPodpis(kontrolka, tekst);
        }
    }
}

void TlumaczFormatke(const Jezyk &jezyk, Formatka &Okno)
{
    Okno.setWindowTitle(jezyk.TekstJezyka(QStringLiteral("Formatki"), Okno.Tag(), Okno.windowTitle()));
}
