#pragma once

#include <QString>

class Jezyk;

// The monitor's texts from section "monitor" of the language file, read once
// when the monitor starts: at twenty frames a second the line cannot go to the
// file for each of them. The "%1" places are filled in as the texts say.
struct TekstyMonitora
{
    static constexpr const char *kSekcja = "monitor";

    QString naglowekCzas = QStringLiteral("Czas [ms]");
    QString naglowekGodzina = QStringLiteral("Godzina");
    QString naglowekKierunek = QStringLiteral("Kierunek");
    QString naglowekTekst = QStringLiteral("Tekst");
    QString naglowekHex = QStringLiteral("Szesnastkowo");
    QString naglowekZnaczenie = QStringLiteral("Znaczenie");

    // What each command character asks for: '0' to '3'.
    QString polecenia[4] = {QStringLiteral("tryb pracy"), QStringLiteral("typ ramki"), QStringLiteral("maksimum"),
                            QStringLiteral("wersja")};
    QString zapytanie = QStringLiteral("zapytanie: %1");
    QString ustawienie = QStringLiteral("ustawienie: %1 = %2");
    QString ramkaWagi = QStringLiteral("ramka wagi");
    QString wartosc = QStringLiteral("odpowiedź po %1 ms: %2");
    QString niepoprawna = QStringLiteral("odpowiedź niepoprawna po %1 ms");
    QString odpowiedzUstawienia = QStringLiteral("odpowiedź na ustawienie po %1 ms (nie sprawdzana)");
    QString czasMinal = QStringLiteral("brak odpowiedzi: czas minął po %1 ms");
    QString otwarcie = QStringLiteral("port otwarty: %1");
    QString zamkniecie = QStringLiteral("port zamknięty");
    QString blad = QStringLiteral("błąd portu: %1");
    QString powtorzenia = QStringLiteral("×%1, okres średnio %2 ms, ostatnio %3 ms");

    // The texts above as the language file has them; a missing one is written
    // there with its Polish default, as every text of the program is.
    static TekstyMonitora wczytaj(const Jezyk &jezyk);
};
