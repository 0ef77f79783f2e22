#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// The line settings of one end of a serial line.
struct UstawieniaUart
{
    int predkosc = 9600;
    char parzystosc = 'N';  // 'N', 'E' or 'O'
    int bityDanych = 8;     // 5 to 8
    int bityStopu = 1;      // 1 or 2

    // "4800,E,7,1"
    QString tekst() const;
    static std::optional<UstawieniaUart> zTekstu(const QString &tekst);
    // The settings the client gave the slave side of the pseudo-terminal. The
    // kernel keeps the speed, odd parity and stop bits, but forces 8 data bits
    // and no parity; the data bits and whether parity is on are taken from the
    // switch character (VSWTC, unused on Linux) when its top bit is set: bits
    // 0-1 are CSIZE shifted down, bit 2 is PARENB. The tests preload a
    // tcsetattr that puts them there; without it a client counts as 8 data
    // bits without parity at its speed.
    static std::optional<UstawieniaUart> zTerminala(int fd);
};

// What a receiving UART makes of the bytes a sending UART put on the line, when
// their settings may differ. The model, bit by bit:
// - the sender puts out each byte as a start bit (0), its data bits from the
//   lowest, the parity bit if any, and its stop bits (1); the line idles at 1
//   before the first byte and after the last, and the bytes follow each other
//   without a gap;
// - the receiver waits for the line to be low, takes that as the leading edge
//   of a start bit, and samples the middle of each of its own bit times: the
//   start bit, its data bits, its parity bit if any, and one stop bit;
// - a start bit found high again at its middle was a glitch: the receiver
//   waits for the next low;
// - a character whose parity does not check, or whose stop bit is low, is
//   handed to the program as NUL (0x00), as a port set to replace faulty
//   characters does; any other character as its data bits;
// - after the middle of the stop bit the receiver waits for the next low.
// With equal speed, parity and data bits the bytes come through unchanged.
namespace Uart {

QByteArray przez(const QByteArray &bajty, const UstawieniaUart &nadawca, const UstawieniaUart &odbiorca);

} // namespace Uart
