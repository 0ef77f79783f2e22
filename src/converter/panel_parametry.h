#pragma once

#include <QObject>

class KEY;
class QWidget;

// The scale parameters panel: the maximum value, the compatible scales and the
// frame type, read from and set on the converter.
class PanelParametry : public QObject
{
    Q_OBJECT

public:
    explicit PanelParametry(KEY &okno);

    QWidget *picPlik() const { return m_picPlik; }

    // Reads the catalogue sections and fills the two lists.
    void ZaladujKatalog();
    // Restores the scale or frame type, the mode and the maximum stored in
    // section "parametry".
    void OdtworzParametry();

private:
    KEY &m_okno;
    QWidget *m_picPlik = nullptr;
};
