#pragma once

#include "config/ustawienia.h"

#include <QObject>

class ButtonXP;
class Etykieta;
class Formatka;
class QLabel;
class QWidget;
struct Uslugi;

// The connection panel: the five serial parameters, each in a row with a
// caption that opens its choice panel and a label that shows the value. Every
// choice is written to the settings file at once and applied to the port.
class PanelPolaczenie : public QObject
{
    Q_OBJECT

public:
    // Its choice panels are parked in `smietnik` while they are closed.
    PanelPolaczenie(Formatka &okno, QWidget *smietnik, Uslugi &uslugi);

    QWidget *picPoloczenie() const { return m_picPoloczenie; }

    // Reads the five parameters from the settings file and shows them.
    void WczytajUstawienia();

    void UstawNrPortu(const QString &Wartosc);
    void UstawPredkosc(const QString &Wartosc);
    void UstawParzystosc(const QString &Wartosc);
    void UstawBityDanych(const QString &Wartosc);
    void UstawBityStopu(const QString &Wartosc);

protected:
    bool eventFilter(QObject *obiekt, QEvent *zdarzenie) override;

private:
    struct Wiersz
    {
        QWidget *ramka = nullptr;
        Etykieta *podpis = nullptr;
        QLabel *wartosc = nullptr;
    };

    Wiersz budujWiersz(const QString &ramka, const QString &podpis, const QString &tekst,
                       const QString &tag, const QString &wartosc, int top);
    QWidget *budujKlawiature();
    QWidget *budujWybor(const QString &nazwa, int szerokosc, int wysokosc,
                        std::initializer_list<std::tuple<const char *, const char *, int>> przyciski,
                        void (PanelPolaczenie::*ustaw)(const QString &));
    void otworz(QWidget *panel, const Wiersz &wiersz, bool ponizej, bool focus);
    void zmienTabulacje();
    void ustaw(Ustawienia::Parametr p, QWidget *panel, QLabel *etykieta, const QString &Wartosc);

    void cyfra(int d);
    void cmdOkNrPortu_Click();
    void cmdNoNrPortu_Click();
    void cmdCLRNrPortu_Click();

    Formatka &m_okno;
    QWidget *m_smietnik;
    Uslugi &m_uslugi;
    QWidget *m_picPoloczenie = nullptr;
    Wiersz m_nrPortu, m_predkosc, m_parzystosc, m_bityDanych, m_bityStopu;
    QWidget *m_picNrPort = nullptr;
    QWidget *m_picSpeed = nullptr;
    QWidget *m_picParite = nullptr;
    QWidget *m_picData = nullptr;
    QWidget *m_picStop = nullptr;
    QList<ButtonXP *> m_cyfry;
};
