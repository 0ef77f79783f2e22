#pragma once

class Formatka;
class Jezyk;
class QString;

// Replaces the caption of every tagged control of the window with its text from
// section `Sekcja` of the language file, in the order the controls were created,
// so that the first control of a shared Tag supplies the default for the others.
// Controls without a caption are skipped; nothing here can stop a window loading.
void TlumaczKontrolki(const Jezyk &jezyk, const QString &Sekcja, Formatka &Okno);

// Replaces the window's caption with its text from section "Formatki".
void TlumaczFormatke(const Jezyk &jezyk, Formatka &Okno);
