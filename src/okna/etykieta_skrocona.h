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

protected:
    void paintEvent(QPaintEvent *e) override;
};
