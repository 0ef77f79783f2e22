#pragma once

#include "okna/okno_narzedzia.h"

#include <memory>

class ButtonXP;
class KontrolaPetli;
class Miernik;
class MiernikReczny;
class QCheckBox;
class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QSpinBox;
class QTableWidget;
struct Uslugi;

// The loop check window: the run's settings, Start and Stop, the points filling
// in the table and the error plot as they are measured, the entry field for a
// reading typed in when no meter is chosen, and the record saved at the end.
class FrmKontrolaPetli : public OknoNarzedzia
{
    Q_OBJECT

public:
    FrmKontrolaPetli(Uslugi &uslugi, QWidget *parent = nullptr);
    ~FrmKontrolaPetli() override;

    KontrolaPetli &kontrola() { return *m_kontrola; }

protected:
    void closeEvent(QCloseEvent *e) override;

private:
    void cmdStart_Click();
    void cmdStop_Click();
    void cmdZapisz_Click();
    void txtOdczyt_Enter();
    void punktRozpoczety(int i);
    void punktZmierzony(int i);
    void zakonczono(int koniec, const QString &opis);
    void wierszTabeli(int i);
    void ustawTrwanie(bool trwa);
    QString t(const char *klucz) const;

    Uslugi &m_uslugi;
    KontrolaPetli *m_kontrola = nullptr;
    std::unique_ptr<Miernik> m_miernik;
    MiernikReczny *m_reczny = nullptr;
    QString m_wpisany;

    QSpinBox *m_txtPunkty = nullptr;
    QCheckBox *m_chGoraDol = nullptr;
    QDoubleSpinBox *m_txtTolerancja = nullptr;
    QSpinBox *m_txtOdczytow = nullptr;
    QDoubleSpinBox *m_txtZgodnosc = nullptr;
    QSpinBox *m_txtLimit = nullptr;
    QLineEdit *m_txtOperator = nullptr;
    QLineEdit *m_txtNumer = nullptr;
    QLineEdit *m_txtMiernik = nullptr;
    QProgressBar *m_picPostep = nullptr;
    QTableWidget *m_lstPunkty = nullptr;
    QWidget *m_picWykres = nullptr;
    QLabel *m_lblOdczyt = nullptr;
    QLineEdit *m_txtOdczyt = nullptr;
    QLabel *m_lblStan = nullptr;
    ButtonXP *m_cmdStart = nullptr;
    ButtonXP *m_cmdStop = nullptr;
    ButtonXP *m_cmdZapisz = nullptr;
};
