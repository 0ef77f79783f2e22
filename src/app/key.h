#pragma once

#include "okna/formatka.h"
#include "okna/uslugi.h"
#include "config/folder.h"
#include "config/jezyk.h"
#include "config/ustawienia.h"
#include "converter/katalog.h"
#include "serial/lacze.h"
#include "serial/mscomm.h"
#include "serial/protokol.h"
#include "simulator/nadajnik.h"
#include "simulator/wartosci.h"

#include <functional>
#include <memory>

class BlokadaWejscia;
class ButtonXP;
class Etykieta;
class EtykietaSkrocona;
class FrmWykresy;
class Komunikaty;
class OknoNarzedzia;
class PanelPolaczenie;
class PanelParametry;
class PanelSymulator;
class PanelTryb;

// The main window: the side bar with the navigation labels and the close
// button, the area left of it that shows one working panel at a time, and the
// state that lives as long as the program (language file, serial parameters,
// the port). The panels and windows build their own controls and handle their
// own events with the services they are given; the main window composes them
// and connects one to another.
class KEY : public Formatka
{
    Q_OBJECT

public:
    KEY(const FolderProgramu &folder, Komunikaty &komunikaty, const MapaPortow &mapa,
        QWidget *parent = nullptr);
    ~KEY() override;

    // The whole start-up: settings, translation, size, no panel shown, port
    // parameters applied (port closed), window shown, catalogue and the stored
    // converter parameters restored.
    void Form_Load();

    void PokazPanel(QWidget *Panel);
    void UkryjPanele();
    // Enables or disables the panel navigation while the simulator or a tool
    // window holds the port.
    void WlaczZakladki(bool e);

    void UstawPort();
    bool OtworzPort();
    void ZamknijPort();

    const Jezyk &jezyk() const { return m_jezyk; }
    MSComm &MSComm1() { return m_port; }
    QString nazwaPortu() const { return m_lacze.nazwaPortu(); }
    Wartosci &wartosci() { return m_wartosci; }
    Nadajnik &nadajnik() { return m_nadajnik; }
    FrmWykresy &frmWykresy();

signals:
    // The window has unloaded: the process is to end now.
    void zakonczono();

protected:
    void closeEvent(QCloseEvent *e) override;
    void resizeEvent(QResizeEvent *e) override;

private:
    void budujPasekBoczny();
    // A navigation label in the free part of the side bar, place 0 at the top,
    // that opens a tool window: made at the first click, then shown again.
    // `zLaczem`: the window uses the converter's port, so its label is locked
    // with the navigation while something else holds the port.
    void dodajNarzedzie(int miejsce, bool zLaczem, const QString &nazwa, const QString &tag,
                        const QString &tekst, std::function<OknoNarzedzia *()> utworz);
    // A tool window holds the port: the navigation and the panels are locked.
    void narzedzieZajmujeLacze(bool zajete);
    void budujInformacje();
    void Form_Unload();
    void cmdZamknij_Click();
    void pokazCzekanie(bool widoczny);

    FolderProgramu m_folder;
    Komunikaty &m_komunikaty;
    Jezyk m_jezyk;
    UstawieniaPortu m_ustawienia;
    MSComm m_port;
    Lacze m_lacze;
    Protokol m_protokol;
    Katalog m_katalog;
    Wartosci m_wartosci;
    Nadajnik m_nadajnik;
    Uslugi m_uslugi;

    QWidget *m_smietnik = nullptr;
    QWidget *m_picture3 = nullptr;
    EtykietaSkrocona *m_txtTransmisja = nullptr;
    BlokadaWejscia *m_blokada = nullptr;
    QList<Etykieta *> m_zakladki;
    ButtonXP *m_cmdOdbierzAll = nullptr;
    ButtonXP *m_cmdUstawAll = nullptr;

    std::unique_ptr<PanelPolaczenie> m_polaczenie;
    std::unique_ptr<PanelTryb> m_tryb;
    std::unique_ptr<PanelParametry> m_parametry;
    std::unique_ptr<PanelSymulator> m_symulator;
    QList<QWidget *> m_panele;
};
