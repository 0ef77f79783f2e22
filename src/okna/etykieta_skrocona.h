#pragma once

#include <QLabel>

// A one-line label of a fixed size whose text may come from outside (the
// converter's answers, the language file). A text that does not fit is shown
// cut with "…", never just cut off, and whole in the label's tooltip.
class EtykietaSkrocona : public QLabel
{
    Q_OBJECT

public:
    explicit EtykietaSkrocona(QWidget *parent = nullptr) : QLabel(parent) {}

    // The text as the label shows it.
    QString widocznyTekst() const;

    // A one-pixel border in this colour around the label.
    void ustawRamke(const QColor &kolor);

protected:
    void paintEvent(QPaintEvent *e) override;

private:
    void rysujTekst(QPaintEvent *e);

    QColor m_ramka;
};
