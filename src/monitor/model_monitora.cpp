#include "monitor/model_monitora.h"

#include "config/kodowanie.h"

#include <QSaveFile>

#include <algorithm>

ModelMonitora::ModelMonitora(TekstyMonitora teksty, QObject *parent)
    : QAbstractTableModel(parent), m_skladanie(std::move(teksty))
{
    m_odswiezanie.setSingleShot(true);
    m_odswiezanie.setInterval(kOdswiezanie);
    connect(&m_odswiezanie, &QTimer::timeout, this, &ModelMonitora::opublikuj);
}

void ModelMonitora::zdarzenie(const ZdarzenieLinii &z)
{
    const auto skutek = m_skladanie.dodaj(z);
    if (!skutek)
        return;
    if (*skutek == SkladanieLinii::Skutek::Zmieniona) {
        if (!m_nowe.isEmpty()) {
            m_nowe.last() = m_skladanie.ostatnia();
        } else {
            m_linie.back() = m_skladanie.ostatnia();
            m_zmieniona = true;
        }
    } else {
        if (m_nowe.size() == kNajwiecejLinii)
            m_nowe.removeFirst();
        m_nowe.append(m_skladanie.ostatnia());
    }
    if (!m_wstrzymany && !m_odswiezanie.isActive())
        m_odswiezanie.start();
}

void ModelMonitora::opublikuj()
{
    if (m_wstrzymany)
        return;
    m_odswiezanie.stop();
    if (m_zmieniona && !m_linie.empty()) {
        const int ostatni = wierszy() - 1;
        emit dataChanged(index(ostatni, 0), index(ostatni, int(Kolumna::Liczba) - 1));
    }
    m_zmieniona = false;
    if (m_nowe.isEmpty())
        return;
    const qsizetype nadmiar = std::min<qsizetype>(wierszy() + m_nowe.size() - kNajwiecejLinii, wierszy());
    if (nadmiar > 0) {
        beginRemoveRows({}, 0, int(nadmiar - 1));
        m_linie.erase(m_linie.begin(), m_linie.begin() + nadmiar);
        endRemoveRows();
    }
    beginInsertRows({}, wierszy(), int(wierszy() + m_nowe.size() - 1));
    m_linie.insert(m_linie.end(), m_nowe.cbegin(), m_nowe.cend());
    m_nowe.clear();
    endInsertRows();
}

int ModelMonitora::rowCount(const QModelIndex &rodzic) const
{
    return rodzic.isValid() ? 0 : wierszy();
}

int ModelMonitora::columnCount(const QModelIndex &rodzic) const
{
    return rodzic.isValid() ? 0 : int(Kolumna::Liczba);
}

const LiniaMonitora &ModelMonitora::linia(int wiersz) const
{
    if (m_zamrozona && wiersz == wierszy() - 1)
        return *m_zamrozona;
    return m_linie.at(size_t(wiersz));
}

QVariant ModelMonitora::data(const QModelIndex &indeks, int rola) const
{
    if (!indeks.isValid() || indeks.row() >= wierszy())
        return {};
    const auto k = Kolumna(indeks.column());
    if (rola == Qt::DisplayRole)
        return m_skladanie.kolumna(linia(indeks.row()), k);
    if (rola == Qt::TextAlignmentRole && k == Kolumna::Czas)
        return int(Qt::AlignRight | Qt::AlignVCenter);
    return {};
}

QVariant ModelMonitora::headerData(int sekcja, Qt::Orientation orientacja, int rola) const
{
    if (orientacja != Qt::Horizontal || rola != Qt::DisplayRole)
        return QAbstractTableModel::headerData(sekcja, orientacja, rola);
    return m_skladanie.naglowek(Kolumna(sekcja));
}

void ModelMonitora::wstrzymaj(bool wstrzymany)
{
    if (wstrzymany == m_wstrzymany)
        return;
    m_wstrzymany = wstrzymany;
    if (wstrzymany) {
        m_odswiezanie.stop();
        if (!m_linie.empty())
            m_zamrozona = m_linie.back();
        return;
    }
    if (m_zamrozona)
        m_zmieniona = true;
    m_zamrozona.reset();
    opublikuj();
}

void ModelMonitora::wyczysc()
{
    beginResetModel();
    m_linie.clear();
    m_nowe.clear();
    m_zmieniona = false;
    m_zamrozona.reset();
    m_skladanie.zapomnij();
    endResetModel();
}

QString ModelMonitora::tekst(QList<int> wiersze) const
{
    if (wiersze.isEmpty())
        for (int i = 0; i < wierszy(); ++i)
            wiersze.append(i);
    std::sort(wiersze.begin(), wiersze.end());
    QString t;
    for (const int w : wiersze)
        if (w >= 0 && w < wierszy())
            t += m_skladanie.wiersz(linia(w)) + QLatin1Char('\n');
    return t;
}

bool ModelMonitora::zapiszTekst(const QString &plik, QString *blad) const
{
    return zapisz(plik, tekst(), blad);
}

bool ModelMonitora::zapiszCsv(const QString &plik, QString *blad) const
{
    QString t = m_skladanie.naglowekCsv() + QLatin1Char('\n');
    for (int i = 0; i < wierszy(); ++i)
        t += m_skladanie.wierszCsv(linia(i)) + QLatin1Char('\n');
    return zapisz(plik, t, blad);
}

bool ModelMonitora::zapisz(const QString &plik, const QString &tresc, QString *blad) const
{
    QSaveFile f(plik);
    QByteArray bajty = Kodowanie::doAnsi(tresc);
    bajty.replace("\n", "\r\n");
    const bool ok = f.open(QIODevice::WriteOnly) && f.write(bajty) == bajty.size() && f.commit();
    if (!ok && blad)
        *blad = f.errorString();
    return ok;
}
