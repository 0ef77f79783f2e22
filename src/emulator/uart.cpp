#include "emulator/uart.h"

#include <QStringList>

#include <algorithm>
#include <cmath>
#include <termios.h>
#include <vector>

namespace {

int jedynek(unsigned wartosc)
{
    int n = 0;
    for (; wartosc; wartosc >>= 1)
        n += int(wartosc & 1u);
    return n;
}

// The parity bit that makes the count of ones even ('E') or odd ('O').
bool bitParzystosci(unsigned dane, char parzystosc)
{
    const bool nieparzysta = jedynek(dane) % 2 == 1;
    return parzystosc == 'E' ? nieparzysta : !nieparzysta;
}

std::vector<bool> bity(const QByteArray &bajty, const UstawieniaUart &u)
{
    std::vector<bool> linia;
    for (const char c : bajty) {
        const unsigned dane = static_cast<unsigned char>(c) & ((1u << u.bityDanych) - 1u);
        linia.push_back(false);
        for (int i = 0; i < u.bityDanych; ++i)
            linia.push_back((dane >> i) & 1u);
        if (u.parzystosc != 'N')
            linia.push_back(bitParzystosci(dane, u.parzystosc));
        for (int i = 0; i < u.bityStopu; ++i)
            linia.push_back(true);
    }
    return linia;
}

struct Predkosc
{
    speed_t stala;
    int wartosc;
};

// Set in the switch character when it carries the client's data bits (CSIZE
// shifted down) and parity (0x04).
constexpr cc_t kZnacznikLinii = 0x80;

constexpr Predkosc kPredkosci[] = {{B300, 300},     {B600, 600},     {B1200, 1200},   {B2400, 2400},
                                   {B4800, 4800},   {B9600, 9600},   {B19200, 19200}, {B38400, 38400},
                                   {B57600, 57600}, {B115200, 115200}};

} // namespace

QString UstawieniaUart::tekst() const
{
    return QStringLiteral("%1,%2,%3,%4").arg(predkosc).arg(QLatin1Char(parzystosc)).arg(bityDanych).arg(bityStopu);
}

std::optional<UstawieniaUart> UstawieniaUart::zTekstu(const QString &tekst)
{
    const QStringList c = tekst.split(u',');
    if (c.size() != 4)
        return std::nullopt;
    UstawieniaUart u;
    bool ok = false;
    u.predkosc = c[0].trimmed().toInt(&ok);
    const bool znana = std::any_of(std::begin(kPredkosci), std::end(kPredkosci),
                                   [&](const Predkosc &p) { return p.wartosc == u.predkosc; });
    const QString p = c[1].trimmed().toUpper();
    if (!ok || !znana || p.size() != 1 || !QStringLiteral("NEO").contains(p))
        return std::nullopt;
    u.parzystosc = p.front().toLatin1();
    u.bityDanych = c[2].trimmed().toInt(&ok);
    if (!ok || u.bityDanych < 5 || u.bityDanych > 8)
        return std::nullopt;
    u.bityStopu = c[3].trimmed().toInt(&ok);
    if (!ok || u.bityStopu < 1 || u.bityStopu > 2)
        return std::nullopt;
    return u;
}

std::optional<UstawieniaUart> UstawieniaUart::zTerminala(int fd)
{
    termios t{};
    if (::tcgetattr(fd, &t) != 0)
        return std::nullopt;
    UstawieniaUart u;
    const speed_t s = ::cfgetospeed(&t);
    const auto p = std::find_if(std::begin(kPredkosci), std::end(kPredkosci),
                                [&](const Predkosc &k) { return k.stala == s; });
    if (p == std::end(kPredkosci))
        return std::nullopt;
    u.predkosc = p->wartosc;
    // A pseudo-terminal keeps no data bits and no parity of its own: what the
    // client asked for comes in the switch character, when it came at all.
    const cc_t zapisane = t.c_cc[VSWTC];
    const bool sZapisem = zapisane & kZnacznikLinii;
    const tcflag_t rozmiar = sZapisem ? tcflag_t(zapisane & 0x03) << 4 : t.c_cflag & CSIZE;
    const bool parzystosc = sZapisem ? (zapisane & 0x04) != 0 : (t.c_cflag & PARENB) != 0;
    u.parzystosc = !parzystosc ? 'N' : (t.c_cflag & PARODD) ? 'O' : 'E';
    switch (rozmiar) {
    case CS5: u.bityDanych = 5; break;
    case CS6: u.bityDanych = 6; break;
    case CS7: u.bityDanych = 7; break;
    default: u.bityDanych = 8; break;
    }
    u.bityStopu = (t.c_cflag & CSTOPB) ? 2 : 1;
    return u;
}

namespace Uart {

QByteArray przez(const QByteArray &bajty, const UstawieniaUart &nadawca, const UstawieniaUart &odbiorca)
{
    const std::vector<bool> linia = bity(bajty, nadawca);
    const auto dlugosc = double(linia.size());
    // Time counts in the sender's bit times.
    const double bitOdbiorcy = double(nadawca.predkosc) / odbiorca.predkosc;
    const auto poziom = [&](double t) { return t >= dlugosc || t < 0 || linia[std::size_t(t)]; };
    const int probek = 1 + odbiorca.bityDanych + (odbiorca.parzystosc != 'N' ? 1 : 0);

    QByteArray wynik;
    double t = 0;
    for (;;) {
        // The next low at or after t: the line only changes at the sender's bit edges.
        double start = t;
        if (poziom(start)) {
            std::size_t i = std::size_t(std::floor(t)) + 1;
            while (i < linia.size() && linia[i])
                ++i;
            if (i >= linia.size())
                break;
            start = double(i);
        }
        const auto probka = [&](int k) { return poziom(start + (k + 0.5) * bitOdbiorcy); };
        if (probka(0)) {
            t = start + 0.5 * bitOdbiorcy;
            continue;
        }
        unsigned dane = 0;
        for (int k = 0; k < odbiorca.bityDanych; ++k)
            dane |= unsigned(probka(1 + k)) << k;
        bool blad = odbiorca.parzystosc != 'N'
                    && probka(1 + odbiorca.bityDanych) != bitParzystosci(dane, odbiorca.parzystosc);
        blad = blad || !probka(probek);
        wynik.append(blad ? '\0' : char(dane));
        t = start + (probek + 0.5) * bitOdbiorcy;
    }
    return wynik;
}

} // namespace Uart
