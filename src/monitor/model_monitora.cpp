#include "monitor/model_monitora.h"

#include "config/kodowanie.h"

#include <QSaveFile>

#include <algorithm>

ModelMonitora::ModelMonitora(TekstyMonitora teksty, QObject *parent)
    : QAbstractTableModel(parent), m_skladanie(std::move(teksty))
{
}

void ModelMonitora::zdarzenie(const ZdarzenieLinii &z)
{
    const auto skutek = m_skladanie.dodaj(z);
    if (!skutek)
        return;
    if (*skutek == SkladanieLinii::Skutek::Zmieniona) {
        m_linie.last() = m_skladanie.ostatnia();
        const int wiersz = int(m_linie.size() - 1);
        if (wiersz < m_widoczne && !m_wstrzymany)
            emit dataChanged(index(wiersz, 0), index(wiersz, int(Kolumna::Liczba) - 1));
        return;
    }

    if (m_linie.size() == kNajwiecejLinii) {
        if (m_widoczne > 0) {
            beginRemoveRows({}, 0, 0);
            m_linie.removeFirst();
            --m_widoczne;
            if (m_widoczne == 0)
                m_zamrozona.reset();
            endRemoveRows();
        } else {
            m_linie.removeFirst();
        }
    }
    if (m_wstrzymany) {
        m_linie.append(m_skladanie.ostatnia());
        return;
    }
    beginInsertRows({}, int(m_linie.size()), int(m_linie.size()));
    m_linie.append(m_skladanie.ostatnia());
    m_widoczne = m_linie.size();
    endInsertRows();
}

int ModelMonitora::rowCount(const QModelIndex &rodzic) const
{
    return rodzic.isValid() ? 0 : int(m_widoczne);
}

int ModelMonitora::columnCount(const QModelIndex &rodzic) const
{
    return rodzic.isValid() ? 0 : int(Kolumna::Liczba);
}

const LiniaMonitora &ModelMonitora::linia(int wiersz) const
{
    if (m_zamrozona && wiersz == m_widoczne - 1)
        return *m_zamrozona;
    return m_linie.at(wiersz);
}

QVariant ModelMonitora::data(const QModelIndex &indeks, int rola) const
{
    if (!indeks.isValid() || indeks.row() >= m_widoczne)
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
        if (m_widoczne > 0)
            m_zamrozona = m_linie.at(m_widoczne - 1);
        return;
    }
    m_zamrozona.reset();
    if (m_widoczne > 0)
        emit dataChanged(index(int(m_widoczne - 1), 0), index(int(m_widoczne - 1), int(Kolumna::Liczba) - 1));
    if (m_linie.size() > m_widoczne) {
        beginInsertRows({}, int(m_widoczne), int(m_linie.size() - 1));
        m_widoczne = m_linie.size();
        endInsertRows();
    }
}

void ModelMonitora::wyczysc()
{
    beginResetModel();
    m_linie.clear();
    m_widoczne = 0;
    m_zamrozona.reset();
    m_skladanie.zapomnij();
    endResetModel();
}

QString ModelMonitora::tekst(QList<int> wiersze) const
{
    if (wiersze.isEmpty())
        for (int i = 0; i < m_widoczne; ++i)
            wiersze.append(i);
    std::sort(wiersze.begin(), wiersze.end());
    QString t;
    for (const int w : wiersze)
        if (w >= 0 && w < m_widoczne)
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
    for (int i = 0; i < m_widoczne; ++i)
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
