#pragma once

#include <QString>

// Texts of the user interface looked up in the language file. A text that is
// missing or empty there is written into the file with its Polish default, so
// that a program started without a language file leaves a complete one behind
// for the translator; one too long to be read shows the default but stays in
// the file. Nothing is cached: an edit of the file shows the next time
// a window loads or a message is shown.
class Jezyk
{
public:
    explicit Jezyk(QString PlikJezyka) : m_plik(std::move(PlikJezyka)) {}

    const QString &PlikJezyka() const { return m_plik; }

    QString TekstJezyka(const QString &Sekcja, const QString &Klucz, const QString &Domyslna) const;

    // A message with a key of its own (section "komunikaty") when `Tekst` is
    // given, else a simple message keyed by its own Polish text
    // (section "komunikatyProste").
    QString Komunikat(const QString &Klucz, const QString &Tekst = QString()) const;

private:
    QString m_plik;
};
