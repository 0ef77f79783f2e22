#pragma once

#include <QObject>

class KEY;
class QCheckBox;
class QLabel;
class QLineEdit;
class QSlider;
class QWidget;

// The simulator panel: the slider plays a scale between minus and plus the
// maximum value, the frame for its weight is shown and, while continuous
// sending is on, written to the port twenty times a second.
class PanelSymulator : public QObject
{
    Q_OBJECT

public:
    explicit PanelSymulator(KEY &okno);

    QWidget *picTransmisja() const { return m_picTransmisja; }

private:
    void txtMaxVal_Change();
    void txtMaxVal_KeyPress(short &KeyAscii);
    void Slider1_Change();
    void chNasluch_Click();
    void wysylaniePrzerwane();

    KEY &m_okno;
    QWidget *m_picTransmisja = nullptr;
    QSlider *m_slider1 = nullptr;
    QLabel *m_lblMinus = nullptr;
    QLabel *m_lblPlus = nullptr;
    QLineEdit *m_text1 = nullptr;
    QCheckBox *m_chNasluch = nullptr;
};
