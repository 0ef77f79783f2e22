#pragma once

#include "app/formatka.h"
#include "config/folder.h"
#include "config/jezyk.h"
#include "config/ustawienia.h"
#include "converter/katalog.h"
#include "serial/lacze.h"
#include "serial/mscomm.h"
#include "serial/protokol.h"
#include "simulator/nadajnik.h"
#include "simulator/wartosci.h"

#include <memory>

class ButtonXP;
class Etykieta;
class FrmWykresy;
class Komunikaty;
class QLabel;
class PanelPolaczenie;
class PanelParametry;
class PanelSymulator;
class PanelTryb;

// The main window: the side bar with the navigation labels and the close
// button, the area left of it that shows one working panel at a time, and the
// state that lives as long as the program (language file, serial parameters,
// the port). The panels build their own controls and handle their own events.
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
    // Enables or disables the panel navigation while the simulator holds the port.
    void WlaczZakladki(bool e);

    void UstawPort();
    bool OtworzPort();
    void ZamknijPort();

    // A panel of the main window: a picture box 4620 twips wide with a header
    // label that carries the same Tag as its navigation label.
    QWidget *nowyPanel(const QString &nazwa, int wysokoscTwipy, const QString &naglowekNazwa,
                       const QString &naglowek, const QString &tag);
    ButtonXP *nowyPrzycisk(QWidget *rodzic, const QString &nazwa, const QString &caption,
                           const QString &tag, const QRect &twipy);

    QWidget *Smietnik() const { return m_smietnik; }
    const FolderProgramu &folder() const { return m_folder; }
    const Jezyk &jezyk() const { return m_jezyk; }
    Komunikaty &komunikaty() { return m_komunikaty; }
    UstawieniaPortu &ustawienia() { return m_ustawienia; }
    MSComm &MSComm1() { return m_port; }
    Protokol &protokol() { return m_protokol; }
    QString nazwaPortu() const { return m_lacze.nazwaPortu(); }
    const Lacze &lacze() const { return m_lacze; }
    Katalog &katalog() { return m_katalog; }
    Wartosci &wartosci() { return m_wartosci; }
    Nadajnik &nadajnik() { return m_nadajnik; }
    FrmWykresy &frmWykresy();
    PanelParametry &parametry() { return *m_parametry; }
    PanelTryb &tryb() { return *m_tryb; }

signals:
    // The window has unloaded: the process is to end now.
    void zakonczono();

protected:
    void closeEvent(QCloseEvent *e) override;
    void resizeEvent(QResizeEvent *e) override;

private:
    void budujPasekBoczny();
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

    QWidget *m_smietnik = nullptr;
    QWidget *m_picture3 = nullptr;
    QLabel *m_txtTransmisja = nullptr;
    QList<Etykieta *> m_zakladki;
    ButtonXP *m_cmdOdbierzAll = nullptr;
    ButtonXP *m_cmdUstawAll = nullptr;

    std::unique_ptr<PanelPolaczenie> m_polaczenie;
    std::unique_ptr<PanelTryb> m_tryb;
    std::unique_ptr<PanelParametry> m_parametry;
    std::unique_ptr<PanelSymulator> m_symulator;
    FrmWykresy *m_frmWykresy = nullptr;
    QList<QWidget *> m_panele;
};
