#pragma once

#include "monitor/model_monitora.h"
#include "okna/okno_narzedzia.h"

#include <QPointer>

class ButtonXP;
class MSComm;
class QTableView;
struct Uslugi;

// The traffic monitor: every byte on the converter's line with its time and
// meaning, as long as the window is shown. It only listens, so it may stay
// open during continuous sending and the exchanges of the other windows.
class FrmMonitor : public OknoNarzedzia
{
    Q_OBJECT

public:
    FrmMonitor(Uslugi &uslugi, QWidget *parent = nullptr);
    ~FrmMonitor() override;

    ModelMonitora &model() { return m_model; }

    // Saves the lines shown (all of them unless paused), as CSV when the name ends in ".csv" and as text
    // otherwise; a failure is told to the user.
    bool zapisz(const QString &plik);

protected:
    void resizeEvent(QResizeEvent *e) override;
    void showEvent(QShowEvent *e) override;
    void hideEvent(QHideEvent *e) override;

private:
    void cmdPauza_Click();
    void cmdKopiuj_Click();
    void cmdZapisz_Click();
    QString tekst(const char *klucz, const QString &domyslny) const;

    void odlacz();

    Uslugi &m_uslugi;
    // The main window may take its port away before its children go.
    QPointer<MSComm> m_port;
    ModelMonitora m_model;
    QTableView *m_lstRuch = nullptr;
    ButtonXP *m_cmdPauza = nullptr;
    // The view follows new lines while it shows the last one.
    bool m_naKoncu = true;
};
