#include "monitor/teksty_monitora.h"

#include "config/jezyk.h"

TekstyMonitora TekstyMonitora::wczytaj(const Jezyk &jezyk)
{
    TekstyMonitora t;
    const QString sekcja = QString::fromLatin1(kSekcja);
    const auto czytaj = [&](const char *klucz, QString &tekst) {
        tekst = jezyk.TekstJezyka(sekcja, QString::fromLatin1(klucz), tekst);
    };
    czytaj("naglowek_czas", t.naglowekCzas);
    czytaj("naglowek_godzina", t.naglowekGodzina);
    czytaj("naglowek_kierunek", t.naglowekKierunek);
    czytaj("naglowek_tekst", t.naglowekTekst);
    czytaj("naglowek_hex", t.naglowekHex);
    czytaj("naglowek_znaczenie", t.naglowekZnaczenie);
    czytaj("polecenie0", t.polecenia[0]);
    czytaj("polecenie1", t.polecenia[1]);
    czytaj("polecenie2", t.polecenia[2]);
    czytaj("polecenie3", t.polecenia[3]);
    czytaj("zapytanie", t.zapytanie);
    czytaj("ustawienie", t.ustawienie);
    czytaj("ramka_wagi", t.ramkaWagi);
    czytaj("wartosc", t.wartosc);
    czytaj("niepoprawna", t.niepoprawna);
    czytaj("odpowiedz_ustawienia", t.odpowiedzUstawienia);
    czytaj("czas_minal", t.czasMinal);
    czytaj("otwarcie", t.otwarcie);
    czytaj("zamkniecie", t.zamkniecie);
    czytaj("blad", t.blad);
    czytaj("powtorzenia", t.powtorzenia);
    return t;
}
