#include "config/jezyk.h"

#include "config/ini.h"

QString Jezyk::TekstJezyka(const QString &Sekcja, const QString &Klucz,
                           const QString &Domyslna) const
{
    const QString v = modNI::CzytajIni(m_plik, Sekcja, Klucz, QString());
    if (!v.isEmpty())
        return v;
    modNI::ZapiszIni(m_plik, Sekcja, Klucz, Domyslna);
    return Domyslna;
}

QString Jezyk::Komunikat(const QString &Klucz, const QString &Tekst) const
{
    if (!Tekst.isEmpty())
        return TekstJezyka(QStringLiteral("komunikaty"), Klucz, Tekst);
    return TekstJezyka(QStringLiteral("komunikatyProste"), Klucz, Klucz);
}
