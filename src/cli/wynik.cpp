#include "cli/wynik.h"

#include <QJsonDocument>

#include <cstdio>

namespace {

void linia(FILE *strumien, const QString &tekst)
{
    const QByteArray b = tekst.toLocal8Bit();
    std::fwrite(b.constData(), 1, size_t(b.size()), strumien);
    std::fputc('\n', strumien);
}

QString jakoTekst(const QJsonValue &v)
{
    if (v.isDouble())
        return QString::number(v.toDouble(), 'g', 15);
    return v.toString();
}

} // namespace

int wypisz(const Wynik &w, bool json)
{
    if (json) {
        QJsonObject o = w.dodatki;
        o.insert(QStringLiteral("ok"), w.kod == Wynik::Sukces);
        if (!w.wartosc.isUndefined())
            o.insert(QStringLiteral("value"), w.wartosc);
        if (!w.blad.isEmpty())
            o.insert(QStringLiteral("error"), w.blad);
        linia(stdout, QString::fromUtf8(QJsonDocument(o).toJson(QJsonDocument::Compact)));
    } else {
        if (!w.tekst.isNull())
            linia(stdout, w.tekst);
        else if (!w.wartosc.isUndefined())
            linia(stdout, jakoTekst(w.wartosc));
        if (!w.uwaga.isEmpty())
            linia(stderr, w.uwaga);
        if (!w.blad.isEmpty())
            linia(stderr, w.blad);
    }
    std::fflush(stdout);
    return w.kod;
}
