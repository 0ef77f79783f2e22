#pragma once

#include <QObject>

class Formatka;
class QCheckBox;
class QLabel;
class QLineEdit;
class QSlider;
class QWidget;
struct Uslugi;

// The simulator panel: the slider plays a scale between minus and plus the
// maximum value, the frame for its weight is shown and, while continuous
// sending is on, written to the port twenty times a second.
class PanelSymulator : public QObject
{
    Q_OBJECT

public:
    PanelSymulator(Formatka &okno, Uslugi &uslugi);

    QWidget *picTransmisja() const { return m_picTransmisja; }

    // Follows the maximum-value field: the slider runs from minus to plus the
    // maximum.
    void txtMaxVal_Change(const QString &max);
    // Follows the operating mode, for the expected current.
    void trybZmieniony(int tryb);

signals:
    // Continuous sending holds the port from switching on to switching off.
    void zajmujeLacze(bool zajete);

private:
    void Slider1_Change();
    void chNasluch_Click();
    void wysylaniePrzerwane();
    void pokazPrad();

    Uslugi &m_uslugi;
    QWidget *m_picTransmisja = nullptr;
    QSlider *m_slider1 = nullptr;
    QLabel *m_lblMinus = nullptr;
    QLabel *m_lblPlus = nullptr;
    QLineEdit *m_text1 = nullptr;
    QCheckBox *m_chNasluch = nullptr;
    QLabel *m_lblPrad = nullptr;
    qint64 m_max = 0;
    int m_tryb = 0;
};
