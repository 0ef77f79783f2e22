#include "identyfikacja/opisy.h"

#include "config/jezyk.h"
#include "monitor/widoczne.h"

namespace OpisyIdentyfikacji {

QString tekst(const Jezyk &jezyk, const QString &klucz, const QString &domyslny)
{
    return jezyk.TekstJezyka(kSekcja, klucz, domyslny);
}

QString proba(const Jezyk &jezyk, const OcenaLinii &o)
{
    if (o.bajtow == 0)
        return tekst(jezyk, QStringLiteral("probaCisza"), QStringLiteral("%1: nic nie przyszło")).arg(o.linia);
    if (o.ramek == 0)
        return tekst(jezyk, QStringLiteral("probaBezKonca"), QStringLiteral("%1: %2 bajtów bez końca linii"))
            .arg(o.linia)
            .arg(o.bajtow);
    return tekst(jezyk, QStringLiteral("proba"),
                 QStringLiteral("%1: %2 ramek, czytelnych %3, tej samej długości %4"))
        .arg(o.linia)
        .arg(o.ramek)
        .arg(o.czytelnych)
        .arg(o.zgodnych);
}

QString wybor(const Jezyk &jezyk, const OcenaLinii &o)
{
    const QString koniec = widoczneBajty(o.koniec);
    if (o.czysta())
        return tekst(jezyk, QStringLiteral("wyborCzysta"),
                     QStringLiteral("Wybrano %1: ramki czytelne, po %2 znaków, zakończone %3."))
            .arg(o.linia)
            .arg(o.dlugosc)
            .arg(koniec);
    return tekst(jezyk, QStringLiteral("wyborNajlepsza"),
                 QStringLiteral("Wybrano %1: najwięcej czytelnych ramek jednej długości (%2 z %3)."))
        .arg(o.linia)
        .arg(o.zgodnych)
        .arg(o.ramek);
}

QStringList uwagi(const Jezyk &jezyk, const Przebieg &p, const Dopasowanie &d)
{
    QStringList u;
    if (p.portUtracony)
        u.append(tekst(jezyk, QStringLiteral("portUtracony"), QStringLiteral("%1 przestał odpowiadać - nasłuch przerwany."))
                     .arg(p.nazwaPortu));
    if (p.liniaNieZnaleziona)
        u.append(tekst(jezyk, QStringLiteral("brakLinii"),
                       QStringLiteral("Żadne ustawienie łącza nie dało powtarzających się, czytelnych ramek.")));
    if (p.bajtow == 0 && !p.liniaNieZnaleziona) {
        u.append(tekst(jezyk, QStringLiteral("brakBajtow"),
                       QStringLiteral("Nic nie przyszło: czy waga jest włączona i podłączona?")));
    } else if (d.ramek() == 0 && !p.liniaNieZnaleziona) {
        u.append(tekst(jezyk, QStringLiteral("bezKonca"),
                       QStringLiteral("Przyszło %1 bajtów bez końca linii (CR, LF): szum albo złe ustawienia łącza."))
                     .arg(p.bajtow));
    }
    if (p.ucichla)
        u.append(tekst(jezyk, QStringLiteral("cisza"), QStringLiteral("Waga przestała nadawać po %1 ramkach."))
                     .arg(d.ramek()));
    if (d.odrzuconych() > 0)
        u.append(tekst(jezyk, QStringLiteral("odlozone"),
                       QStringLiteral("%1 z %2 ramek nie pasuje do żadnego typu (ucięte, zakłócone albo typ spoza katalogu)."))
                     .arg(d.odrzuconych())
                     .arg(d.ramek()));
    const qsizetype pasuje = d.pasujace().size();
    if (d.ramek() > 0 && pasuje == 0)
        u.append(tekst(jezyk, QStringLiteral("zadenTyp"),
                       QStringLiteral("Żaden typ ramki z katalogu nie pasuje do odebranych ramek.")));
    else if (pasuje > 1)
        u.append(tekst(jezyk, QStringLiteral("kilkaTypow"),
                       QStringLiteral("Pasuje kilka typów ramki: niech waga pokaże inną wagę, aby je rozróżnić.")));
    return u;
}

} // namespace OpisyIdentyfikacji
