#include "simulator/wartosci.h"

#include "config/ini.h"

#include <algorithm>

namespace {

// A sign is one character: the first of the value read, a space for an empty one.
QChar znak(const QString &wartosc)
{
    return wartosc.isEmpty() ? QLatin1Char(' ') : wartosc.at(0);
}

} // namespace

void Wartosci::WczytajTypRamki(const QString &plikKatalogu, const QString &typ)
{
    ZnakPlus = znak(modNI::CzytajIni(plikKatalogu, typ, QStringLiteral("plus"), QStringLiteral("+")));
    ZnakMinus = znak(modNI::CzytajIni(plikKatalogu, typ, QStringLiteral("minus"), QStringLiteral("_")));
    ZnakZero = znak(modNI::CzytajIni(plikKatalogu, typ, QStringLiteral("zero"), QStringLiteral(" ")));
    WzorRamki = modNI::CzytajIni(plikKatalogu, typ, QStringLiteral("ramka"), QStringLiteral("mmmmmm"));
    Jednostka = modNI::CzytajIni(plikKatalogu, QStringLiteral("parametry"), QStringLiteral("jm"),
                                 kDomyslnaJednostka);
}

int Wartosci::MiejscaNaCyfry() const
{
    const QString &wzor = WzorRamki.isEmpty() ? kDomyslnyWzor : WzorRamki;
    const auto miejsca = wzor.count(QLatin1Char('m')) + wzor.count(QLatin1Char('0'));
    return int(std::min<qsizetype>(miejsca, qsizetype(Cyfry.size())));
}

bool Wartosci::MaZnak() const
{
    return (WzorRamki.isEmpty() ? kDomyslnyWzor : WzorRamki).contains(QLatin1Char('z'));
}

void Wartosci::RozbijCyfry(qint64 wielkosc)
{
    QString tekst = QString::number(wielkosc).right(int(Cyfry.size()));
    tekst = tekst.rightJustified(int(Cyfry.size()), QLatin1Char(' '));
    for (std::size_t i = 0; i < Cyfry.size(); ++i)
        Cyfry[i] = tekst.at(int(i));
}

void Wartosci::RozbijJednostke(QString jednostka)
{
    if (jednostka.isEmpty())
        jednostka = kDomyslnaJednostka;
    ZnakiJednostki = QVector<QChar>(jednostka.begin(), jednostka.end());
}

QString Wartosci::BudujRamke(qint32 waga)
{
    if (Jednostka.isEmpty())
        Jednostka = kDomyslnaJednostka;
    if (WzorRamki.isEmpty())
        WzorRamki = kDomyslnyWzor;
    const qint64 wielkosc = waga < 0 ? -qint64(waga) : qint64(waga);
    RozbijCyfry(wielkosc);
    RozbijJednostke(Jednostka);

    const QChar spacja = QLatin1Char(' ');
    const QChar znakWagi = waga < 0 ? ZnakMinus : waga == 0 ? ZnakZero : ZnakPlus;
    int d = int(Cyfry.size()) - 1;
    qsizetype u = Jednostka.size() - 1;
    QString wynik(WzorRamki.size(), spacja);
    for (qsizetype i = WzorRamki.size() - 1; i >= 0; --i) {
        const QChar c = WzorRamki.at(i);
        QChar z = spacja;
        switch (c.unicode()) {
        case 'z':
            z = znakWagi;
            break;
        case 'm':
        case '0':
            z = d < 0 ? spacja : Cyfry[std::size_t(d)];
            --d;
            if (c == QLatin1Char('0') && z == spacja)
                z = QLatin1Char('0');
            break;
        case 'k':
            z = QLatin1Char('.');
            break;
        case 'j':
            z = u < 0 ? spacja : ZnakiJednostki.at(u);
            --u;
            break;
        default:
            break;
        }
        wynik[i] = z;
    }
    BiezacaRamka = wynik;
    return wynik;
}
