#include "config/jezyk.h"

#include "config/ini.h"

QString Jezyk::TekstJezyka(const QString &Sekcja, const QString &Klucz,
                           const QString &Domyslna) const
{
    const QString v = modNI::CzytajIni(m_plik, Sekcja, Klucz, QString());
    if (!v.isEmpty())
        return v;
    // A translation too long to be read is still the translator's work: the
    // screen shows the default, the file keeps the text.
    if (!modNI::ZaDlugaWartosc(m_plik, Sekcja, Klucz))
        modNI::ZapiszIni(m_plik, Sekcja, Klucz, Domyslna);
    return Domyslna;
}

QString Jezyk::Komunikat(const QString &Klucz, const QString &Tekst) const
{
    if (!Tekst.isEmpty())
        return TekstJezyka(QStringLiteral("komunikaty"), Klucz, Tekst);
    return TekstJezyka(QStringLiteral("komunikatyProste"), Klucz, Klucz);
}
