#pragma once

#include "monitor/linia_monitora.h"
#include "monitor/podsluch.h"

#include <QAbstractTableModel>
#include <QList>
#include <QTimer>

#include <chrono>
#include <deque>

#include <optional>

// The monitor's lines for a view: the last kNajwiecejLinii of them, so memory
// stays flat however long the line is watched. New lines reach the view in
// batches, kOdswiezanie apart, so that twenty frames a second cost a few
// repaints and not twenty. While paused the view stands still and the capture
// goes on, up to another kNajwiecejLinii; resuming shows the last
// kNajwiecejLinii of everything.
class ModelMonitora : public QAbstractTableModel, public Podsluch
{
    Q_OBJECT

public:
    static constexpr qsizetype kNajwiecejLinii = 10'000;
    static constexpr std::chrono::milliseconds kOdswiezanie{200};
    using Kolumna = SkladanieLinii::Kolumna;

    explicit ModelMonitora(TekstyMonitora teksty, QObject *parent = nullptr);

    void zdarzenie(const ZdarzenieLinii &z) override;

    int rowCount(const QModelIndex &rodzic = {}) const override;
    int columnCount(const QModelIndex &rodzic = {}) const override;
    QVariant data(const QModelIndex &indeks, int rola = Qt::DisplayRole) const override;
    QVariant headerData(int sekcja, Qt::Orientation orientacja, int rola = Qt::DisplayRole) const override;

    void wstrzymaj(bool wstrzymany);
    bool wstrzymany() const { return m_wstrzymany; }
    void wyczysc();
    // Shows the lines caught since the last batch now (unless paused).
    void opublikuj();
    // Lines held, the ones not shown yet included.
    qsizetype liczbaLinii() const { return wierszy() + m_nowe.size(); }

    // The shown lines as text, one a line; all of them for an empty list.
    QString tekst(QList<int> wiersze = {}) const;
    // The shown lines in Windows-1250: as text, or as CSV with a header. On
    // failure false, with the reason in `blad`.
    bool zapiszTekst(const QString &plik, QString *blad = nullptr) const;
    bool zapiszCsv(const QString &plik, QString *blad = nullptr) const;

private:
    const LiniaMonitora &linia(int wiersz) const;
    int wierszy() const { return int(m_linie.size()); }
    bool zapisz(const QString &plik, const QString &tresc, QString *blad) const;

    SkladanieLinii m_skladanie;
    // Shown. The oldest go as the newest come, a few at a time: in blocks of
    // one size that the next lines take over, so the memory stays as it was.
    std::deque<LiniaMonitora> m_linie;
    QList<LiniaMonitora> m_nowe;    // caught and not shown yet
    // The last shown line has changed since the view last looked.
    bool m_zmieniona = false;
    bool m_wstrzymany = false;
    QTimer m_odswiezanie;
    // The last shown line as it stood at the pause, while repeats keep
    // counting on it behind the view.
    std::optional<LiniaMonitora> m_zamrozona;
};
