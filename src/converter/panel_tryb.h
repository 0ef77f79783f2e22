#pragma once

#include <QList>
#include <QObject>

class Formatka;
class FrmWykresy;
class ObrazTrybu;
class EtykietaSkrocona;
class QRadioButton;
class QWidget;
struct Uslugi;

// The operating-mode panel: the three modes with the picture of the selected
// one, reading and setting the mode, the chart window and the version.
class PanelTryb : public QObject
{
    Q_OBJECT

public:
    PanelTryb(Formatka &okno, Uslugi &uslugi);

    QWidget *picZdarzenia() const { return m_picZdarzenia; }

    // Selects option `tryb` of opModPracy, which shows its picture.
    void WybierzTryb(int tryb);
    // The first selected option, scanning 0, 1, 2; -1 when none is.
    int zaznaczonyTryb() const;
    // The chart window, made at its first showing and kept, so the picture
    // chosen last stays chosen.
    FrmWykresy &frmWykresy();

signals:
    // Another option became the selected one, by the user or the program.
    void trybZmieniony(int tryb);

private:
    void opModPracy_Click(int Index);
    void cmdOdbierzMod_Click();
    void cmdUstawMod_Click();
    void cmdWersja_Click();
    void ButtonXP2_Click();

    Formatka &m_okno;
    Uslugi &m_uslugi;
    FrmWykresy *m_frmWykresy = nullptr;
    QWidget *m_picZdarzenia = nullptr;
    QList<QRadioButton *> m_opModPracy;
    ObrazTrybu *m_image5 = nullptr;
    EtykietaSkrocona *m_lblWersja = nullptr;
};
