#pragma once

#include <QObject>
#include <QStringList>

class Formatka;
class QListWidget;
class QWidget;
class TextXP;
struct ParametryZapisane;
struct Uslugi;

// The scale parameters panel: the maximum value, the compatible scales and the
// frame types of the catalogue, read from and set on the converter.
class PanelParametry : public QObject
{
    Q_OBJECT

public:
    PanelParametry(Formatka &okno, Uslugi &uslugi);

    QWidget *picPlik() const { return m_picPlik; }
    TextXP *txtMaxVal() const { return m_txtMaxVal; }

    // Reads the two catalogue sections and fills the two lists from them.
    void ZaladujKatalog();
    // Restores the scale or frame type, the mode and the maximum stored in
    // section "parametry"; the mode is handed on through trybOdtworzony().
    void OdtworzParametry(const ParametryZapisane &p);

    // Refills the scale list with the scales of one frame type.
    void FiltrujWagi(const QString &typ);
    // Selects every frame type with this key, loading its definition each time;
    // false when the catalogue has none.
    bool WybierzTypRamki(const QString &klucz);
    // Selects the frame type of the named scale.
    void WybierzWage(const QString &nazwa);

signals:
    void trybOdtworzony(int tryb);
    // The text of the maximum-value field after every change.
    void maxZmieniony(const QString &tekst);

private:
    void txtMaxVal_KeyPress(short &KeyAscii);
    void pokaz(const QStringList &komunikaty);
    void lstTypRamki_Click();
    void lstWagiZgodne_Click();
    void cmdOdbierzMax_Click();
    void cmdUstawMax_Click();
    void cmdOdbierzRamke_Click();
    void cmdUstawRamke_Click();

    Uslugi &m_uslugi;
    QWidget *m_picPlik = nullptr;
    TextXP *m_txtMaxVal = nullptr;
    QListWidget *m_lstWagiZgodne = nullptr;
    QListWidget *m_lstTypRamki = nullptr;
};
