#pragma once

#include "identyfikacja/dopasowanie.h"
#include "identyfikacja/nasluch.h"
#include "okna/okno_narzedzia.h"

class ButtonXP;
class QCheckBox;
class QLabel;
class QListWidget;
struct Uslugi;

// Identifying a scale: listens to it on the converter's port, shows its frames
// as they come and the period, finds its line settings on request, lists the
// frame types its frames fit, and stores the chosen one (and, on request, sets
// it on the converter).
class FrmIdentyfikacja : public OknoNarzedzia
{
    Q_OBJECT

public:
    // How long the line search listens under each setting.
    static constexpr std::chrono::milliseconds kCzasProby{2000};
    static constexpr int kNajwiecejRamek = 200;

    FrmIdentyfikacja(Uslugi &uslugi, QWidget *parent = nullptr);

protected:
    void closeEvent(QCloseEvent *e) override;

private:
    QLabel *etykieta(const QString &nazwa, const QString &tag, const QString &tekst, const QRect &twipy);
    QListWidget *lista(const QString &nazwa, const QRect &twipy);
    QString tekst(const QString &klucz, const QString &domyslny) const;

    void zacznij(bool szukaj);
    void ramka(const PodzialRamek::Ramka &r, bool proba);
    void wybrano(const OcenaLinii &ocena, const QVector<PodzialRamek::Ramka> &ramki);
    void zakonczono(Nasluch::Koniec koniec);
    void odswiez();
    void cmdZapiszTyp_Click();

    Uslugi &m_uslugi;
    Nasluch m_nasluch;
    Dopasowanie m_dopasowanie;
    bool m_przebiegl = false;
    bool m_cisza = false;
    bool m_liniaNieZnaleziona = false;
    bool m_portUtracony = false;
    QString m_zapisano;

    ButtonXP *m_cmdSluchaj = nullptr;
    ButtonXP *m_cmdSzukaj = nullptr;
    ButtonXP *m_cmdZatrzymaj = nullptr;
    QLabel *m_lblLinia = nullptr;
    QLabel *m_lblOkres = nullptr;
    QListWidget *m_lstRamki = nullptr;
    QListWidget *m_lstProby = nullptr;
    QListWidget *m_lstTypy = nullptr;
    QLabel *m_lblUwagi = nullptr;
    QCheckBox *m_chUstawWKonwerterze = nullptr;
};
