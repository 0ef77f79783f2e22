#include "petla/teksty.h"

#include "config/jezyk.h"

#include <QHash>

namespace {

const QHash<QString, QString> &domyslne()
{
    static const QHash<QString, QString> teksty{
        {QStringLiteral("tytul"), QStringLiteral("Protokół kontroli pętli prądowej")},
        {QStringLiteral("okno"), QStringLiteral("Kontrola pętli")},
        {QStringLiteral("data"), QStringLiteral("Data i godzina")},
        {QStringLiteral("operator"), QStringLiteral("Wykonał")},
        {QStringLiteral("numer"), QStringLiteral("Numer seryjny konwertera")},
        {QStringLiteral("wersja"), QStringLiteral("Wersja konwertera")},
        {QStringLiteral("max"), QStringLiteral("Wartość maksymalna")},
        {QStringLiteral("typ"), QStringLiteral("Typ ramki")},
        {QStringLiteral("tryb"), QStringLiteral("Tryb pracy")},
        {QStringLiteral("miernik"), QStringLiteral("Miernik")},
        {QStringLiteral("tolerancja"), QStringLiteral("Tolerancja")},
        {QStringLiteral("zakresu"), QStringLiteral("% zakresu")},
        {QStringLiteral("kol_nr"), QStringLiteral("Nr")},
        {QStringLiteral("kol_waga"), QStringLiteral("Waga")},
        {QStringLiteral("kol_ramka"), QStringLiteral("Ramka")},
        {QStringLiteral("kol_oczekiwany"), QStringLiteral("Oczekiwany [mA]")},
        {QStringLiteral("kol_zmierzony"), QStringLiteral("Zmierzony [mA]")},
        {QStringLiteral("kol_blad_ma"), QStringLiteral("Błąd [mA]")},
        {QStringLiteral("kol_blad_proc"), QStringLiteral("Błąd [% zakresu]")},
        {QStringLiteral("kol_wynik"), QStringLiteral("Wynik")},
        {QStringLiteral("w_dol"), QStringLiteral("w dół")},
        {QStringLiteral("punkt_ok"), QStringLiteral("dobrze")},
        {QStringLiteral("punkt_zle"), QStringLiteral("źle")},
        {QStringLiteral("niestabilny"), QStringLiteral("niestabilny")},
        {QStringLiteral("wykres"), QStringLiteral("Błąd w funkcji wagi i pasmo tolerancji")},
        {QStringLiteral("najwiekszy"), QStringLiteral("Największy błąd")},
        {QStringLiteral("zgodny"), QStringLiteral("ZGODNY")},
        {QStringLiteral("niezgodny"), QStringLiteral("NIEZGODNY")},
        {QStringLiteral("przerwano"), QStringLiteral("Kontrola przerwana")},
        {QStringLiteral("port_niedostepny"), QStringLiteral("nie można otworzyć portu")},
        {QStringLiteral("konwerter_nie_odpowiada"), QStringLiteral("Konwerter nie odpowiada poprawnie")},
        {QStringLiteral("niemozliwa"), QStringLiteral("kontrola niemożliwa")},
        {QStringLiteral("zly_max"), QStringLiteral("Wartość maksymalna konwertera")},
        {QStringLiteral("zly_tryb"), QStringLiteral("Tryb pracy konwertera")},
        {QStringLiteral("zly_typ"), QStringLiteral("Typu ramki konwertera nie ma w katalogu")},
        {QStringLiteral("miernik_milczy"), QStringLiteral("Miernik nie odpowiada")},
        {QStringLiteral("odczyt_reczny"), QStringLiteral("odczyt ręczny")},
        {QStringLiteral("zapis_nieudany"), QStringLiteral("Nie można zapisać pliku")},
        {QStringLiteral("punkty"), QStringLiteral("Liczba punktów")},
        {QStringLiteral("tolerancja_proc"), QStringLiteral("Tolerancja [± % zakresu]")},
        {QStringLiteral("odczytow"), QStringLiteral("Zgodnych odczytów")},
        {QStringLiteral("zgodnosc"), QStringLiteral("Zgodność [% zakresu]")},
        {QStringLiteral("limit"), QStringLiteral("Czas ustalania [ms]")},
        {QStringLiteral("urzadzenie_miernika"), QStringLiteral("Miernik (urządzenie)")},
        {QStringLiteral("gora_dol"), QStringLiteral("W górę i z powrotem w dół")},
        {QStringLiteral("start"), QStringLiteral("Start")},
        {QStringLiteral("stop"), QStringLiteral("Stop")},
        {QStringLiteral("zapisz"), QStringLiteral("Zapisz protokół")},
        {QStringLiteral("punkt"), QStringLiteral("Punkt %1 z %2: waga %3, oczekiwany %4")},
        {QStringLiteral("zly_odczyt"), QStringLiteral("\"%1\" nie jest prądem w mA")},
        {QStringLiteral("zapisano"), QStringLiteral("Zapisano: %1, %2")},
        {QStringLiteral("nasluch"), QStringLiteral("Najpierw wyłącz nasłuch ciągły")},
    };
    return teksty;
}

} // namespace

namespace TekstyKontroli {

QString tekst(const Jezyk &jezyk, const QString &klucz)
{
    return jezyk.TekstJezyka(kSekcja, klucz, domyslne().value(klucz, klucz));
}

} // namespace TekstyKontroli
