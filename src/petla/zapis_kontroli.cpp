#include "petla/zapis_kontroli.h"

#include "config/folder.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>

namespace {

// Frames keep their blanks, which a spreadsheet would drop from a bare field.
QString poleCsv(const QString &tekst)
{
    QString t = tekst;
    return QLatin1Char('"') + t.replace(QLatin1Char('"'), QStringLiteral("\"\"")) + QLatin1Char('"');
}

} // namespace

namespace ZapisKontroli {

QString mA(double v)
{
    return QString::number(v, 'f', 4);
}

QString zeZnakiem(double v)
{
    const QString t = QString::number(v, 'f', 4);
    return v >= 0 && !t.startsWith(QLatin1Char('-')) ? QLatin1Char('+') + t : t;
}

QByteArray csv(const PrzebiegKontroli &p)
{
    QStringList wiersze{QStringLiteral(
        "point,direction,weight,frame,expected_mA,measured_mA,error_mA,error_pct_span,stable,result")};
    for (int i = 0; i < p.punkty.size(); ++i) {
        const PunktKontroli &k = p.punkty.at(i);
        const bool zmierzony = k.zmierzony.has_value();
        wiersze << QStringList{
            QString::number(i + 1),
            k.wDol ? QStringLiteral("down") : QStringLiteral("up"),
            QString::number(k.waga),
            poleCsv(k.ramka),
            mA(k.oczekiwany),
            zmierzony ? mA(*k.zmierzony) : QString(),
            zmierzony ? zeZnakiem(k.bladMA()) : QString(),
            zmierzony ? zeZnakiem(k.bladProcent()) : QString(),
            zmierzony ? (k.stabilny ? QStringLiteral("yes") : QStringLiteral("no")) : QString(),
            !zmierzony ? QStringLiteral("not measured")
                       : k.zgodny(p.ustawienia.tolerancja) ? QStringLiteral("pass") : QStringLiteral("fail"),
        }.join(QLatin1Char(','));
    }
    return (wiersze.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8();
}

std::optional<QString> zapisz(const QString &sciezka, const QByteArray &dane)
{
    const QFileInfo info(sciezka);
    if (!QDir().mkpath(info.absolutePath()))
        return QStringLiteral("%1: cannot make the folder %2").arg(sciezka, info.absolutePath());
    QSaveFile plik(sciezka);
    if (!plik.open(QIODevice::WriteOnly))
        return QStringLiteral("%1: %2").arg(sciezka, plik.errorString());
    if (plik.write(dane) != dane.size() || !plik.commit())
        return QStringLiteral("%1: %2").arg(sciezka, plik.errorString());
    return std::nullopt;
}

QString domyslnaSciezka(const FolderProgramu &folder, const PrzebiegKontroli &p, const QString &rozszerzenie)
{
    QString numer = p.ustawienia.numerSeryjny;
    numer.remove(QRegularExpression(QStringLiteral("[\\\\/:*?\"<>|\\x00-\\x1F]")));
    numer = numer.trimmed().replace(QLatin1Char(' '), QLatin1Char('_'));
    QString nazwa = QStringLiteral("kontrola_") + p.poczatek.toString(QStringLiteral("yyyy-MM-dd_HHmmss"));
    if (!numer.isEmpty())
        nazwa += QLatin1Char('_') + numer;
    const QString plikUstawien = folder.plikUstawien();
    return QFileInfo(plikUstawien).dir().filePath(QStringLiteral("raporty/") + nazwa + QLatin1Char('.') + rozszerzenie);
}

} // namespace ZapisKontroli
