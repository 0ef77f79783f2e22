#include "petla/ustawienia_miernika.h"

#include "config/ini.h"
#include "petla/teksty_miernika.h"

#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>
#include <iterator>

namespace {

using UstawieniaMiernikow::Parametr;

constexpr Parametr kParametry[] = {Parametr::Urzadzenie, Parametr::Predkosc, Parametr::Parzystosc,
                                   Parametr::BityDanych, Parametr::BityStopu};

constexpr qint32 kPredkosci[] = {110,   300,   600,   1200,  2400,   4800,   9600,  14400,
                                 19200, 28800, 38400, 56000, 57600, 115200, 128000, 256000};

struct Nazwa
{
    const char *tekst;
    int wartosc;
};

constexpr Nazwa kParzystosci[] = {{"N", QSerialPort::NoParity},   {"E", QSerialPort::EvenParity},
                                  {"O", QSerialPort::OddParity},  {"M", QSerialPort::MarkParity},
                                  {"S", QSerialPort::SpaceParity}};
constexpr Nazwa kBityDanych[] = {{"5", QSerialPort::Data5}, {"6", QSerialPort::Data6},
                                 {"7", QSerialPort::Data7}, {"8", QSerialPort::Data8}};
constexpr Nazwa kBityStopu[] = {{"1", QSerialPort::OneStop}, {"1.5", QSerialPort::OneAndHalfStop},
                                {"2", QSerialPort::TwoStop}};

template <std::size_t N>
const Nazwa *poTekscie(const Nazwa (&nazwy)[N], const QString &t)
{
    const auto it = std::find_if(std::begin(nazwy), std::end(nazwy),
                                 [&](const Nazwa &n) { return t == QLatin1String(n.tekst); });
    return it == std::end(nazwy) ? nullptr : it;
}

template <std::size_t N>
QString poWartosci(const Nazwa (&nazwy)[N], int wartosc)
{
    const auto it = std::find_if(std::begin(nazwy), std::end(nazwy),
                                 [&](const Nazwa &n) { return n.wartosc == wartosc; });
    return it == std::end(nazwy) ? QString() : QLatin1String(it->tekst);
}

} // namespace

bool UstawieniaMiernika::usbtmc() const
{
    static const QRegularExpression kNazwa(QStringLiteral("^usbtmc[0-9]+$"));
    const QFileInfo plik(urzadzenie);
    // Also a link of one's own making (a udev rule) to the device file.
    return kNazwa.match(plik.fileName()).hasMatch()
           || (plik.isSymLink() && kNazwa.match(QFileInfo(plik.symLinkTarget()).fileName()).hasMatch());
}

QString UstawieniaMiernika::tekstLinii() const
{
    using namespace UstawieniaMiernikow;
    return QStringList{tekst(*this, Parametr::Predkosc), tekst(*this, Parametr::Parzystosc),
                       tekst(*this, Parametr::BityDanych), tekst(*this, Parametr::BityStopu)}
        .join(QLatin1Char(','));
}

namespace UstawieniaMiernikow {

QString klucz(Parametr p)
{
    switch (p) {
    case Parametr::Urzadzenie: return QStringLiteral("URZĄDZENIE");
    case Parametr::Predkosc: return QStringLiteral("PRĘDKOŚĆ");
    case Parametr::Parzystosc: return QStringLiteral("PARZYSTOŚĆ");
    case Parametr::BityDanych: return QStringLiteral("BITY DANYCH");
    case Parametr::BityStopu: break;
    }
    return QStringLiteral("BITY STOPU");
}

QString tekst(const UstawieniaMiernika &u, Parametr p)
{
    switch (p) {
    case Parametr::Urzadzenie: return u.urzadzenie;
    case Parametr::Predkosc: return QString::number(u.predkosc);
    case Parametr::Parzystosc: return poWartosci(kParzystosci, u.parzystosc);
    case Parametr::BityDanych: return poWartosci(kBityDanych, u.bityDanych);
    case Parametr::BityStopu: break;
    }
    return poWartosci(kBityStopu, u.bityStopu);
}

bool ustaw(UstawieniaMiernika &u, Parametr p, const QString &tekst, QString &blad, const Jezyk *jezyk)
{
    const QString t = tekst.trimmed();
    switch (p) {
    case Parametr::Urzadzenie:
        u.urzadzenie = t;
        return true;
    case Parametr::Predkosc: {
        bool ok = false;
        const qint32 v = t.toInt(&ok);
        if (ok && std::find(std::begin(kPredkosci), std::end(kPredkosci), v) != std::end(kPredkosci)) {
            u.predkosc = v;
            return true;
        }
        blad = TekstyMiernika::komunikat(jezyk, QStringLiteral("MiernikPredkosc"),
                                         QStringLiteral("to nie jest prędkość linii (110 do 256000, np. "
                                                        "9600, 19200, 115200)"));
        return false;
    }
    case Parametr::Parzystosc:
        if (const Nazwa *n = poTekscie(kParzystosci, t.toUpper())) {
            u.parzystosc = static_cast<QSerialPort::Parity>(n->wartosc);
            return true;
        }
        blad = TekstyMiernika::komunikat(jezyk, QStringLiteral("MiernikParzystosc"),
                                         QStringLiteral("parzystość to N, E, O, M albo S"));
        return false;
    case Parametr::BityDanych:
        if (const Nazwa *n = poTekscie(kBityDanych, t)) {
            u.bityDanych = static_cast<QSerialPort::DataBits>(n->wartosc);
            return true;
        }
        blad = TekstyMiernika::komunikat(jezyk, QStringLiteral("MiernikBityDanych"),
                                         QStringLiteral("bity danych to 5, 6, 7 albo 8"));
        return false;
    case Parametr::BityStopu:
        break;
    }
    if (const Nazwa *n = poTekscie(kBityStopu, t)) {
        u.bityStopu = static_cast<QSerialPort::StopBits>(n->wartosc);
        return true;
    }
    blad = TekstyMiernika::komunikat(jezyk, QStringLiteral("MiernikBityStopu"),
                                     QStringLiteral("bity stopu to 1, 1.5 albo 2"));
    return false;
}

std::optional<UstawieniaMiernika> czytaj(const QString &plikUstawien, QString &blad, const Jezyk *jezyk)
{
    UstawieniaMiernika u;
    for (Parametr p : kParametry) {
        const QString domyslna = tekst(u, p);
        QString wartosc = modNI::CzytajIni(plikUstawien, kSekcja, klucz(p), domyslna);
        QString powod;
        // A value too long for the key read comes back as the default; a long
        // device path must not turn into "no meter" unnoticed.
        if (wartosc == domyslna && p == Parametr::Urzadzenie) {
            for (const Wpis &w : modNI::SekcjaOdczyt(kSekcja, plikUstawien)) {
                if (w.Klucz.compare(klucz(p), Qt::CaseInsensitive) == 0
                    && w.Wartosc.size() >= modNI::kBuforWartosci - 1) {
                    wartosc = w.Wartosc;
                    powod = TekstyMiernika::komunikat(jezyk, QStringLiteral("MiernikZaDlugie"),
                                                      QStringLiteral("najwyżej %1 znaków"))
                                .arg(modNI::kBuforWartosci - 2);
                }
            }
        }
        if (!powod.isEmpty() || !ustaw(u, p, wartosc, powod, jezyk)) {
            blad = TekstyMiernika::komunikat(jezyk, QStringLiteral("MiernikUstawienie"),
                                             QStringLiteral("%1 \"%2\" w sekcji [%3] pliku %4: %5"))
                       .arg(klucz(p), wartosc, kSekcja, plikUstawien, powod);
            return std::nullopt;
        }
    }
    return u;
}

bool zapisz(const QString &plikUstawien, const UstawieniaMiernika &u)
{
    return std::all_of(std::begin(kParametry), std::end(kParametry), [&](Parametr p) {
        return modNI::ZapiszIni(plikUstawien, kSekcja, klucz(p), tekst(u, p));
    });
}

} // namespace UstawieniaMiernikow
