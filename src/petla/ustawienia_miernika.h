#pragma once

#include <QSerialPort>
#include <QString>

#include <optional>

class Jezyk;

// How the multimeter is reached: its device and, for a serial port, its own
// line settings. The device is a serial port ("COM3", "/dev/ttyUSB1") or a
// USBTMC device file ("/dev/usbtmc0"); empty means no meter.
struct UstawieniaMiernika
{
    QString urzadzenie;
    qint32 predkosc = 9600;
    QSerialPort::Parity parzystosc = QSerialPort::NoParity;
    QSerialPort::DataBits bityDanych = QSerialPort::Data8;
    QSerialPort::StopBits bityStopu = QSerialPort::OneStop;

    // A USBTMC device file, told by its name ("usbtmc" followed by its number)
    // or by the name of the file a link leads to.
    bool usbtmc() const;
    // "9600,N,8,1"
    QString tekstLinii() const;
};

// Section MIERNIK of the settings file keeps them, one key each.
namespace UstawieniaMiernikow {

inline const QString kSekcja = QStringLiteral("MIERNIK");

enum class Parametr { Urzadzenie, Predkosc, Parzystosc, BityDanych, BityStopu };

// "URZĄDZENIE", "PRĘDKOŚĆ", "PARZYSTOŚĆ", "BITY DANYCH", "BITY STOPU".
QString klucz(Parametr p);
// The value as the file keeps it: "9600", "N", "8", "1".
QString tekst(const UstawieniaMiernika &u, Parametr p);

// Sets one parameter from its text, as the file keeps it or as typed (the
// command line's --dmm-baud). A text that is no such value leaves `u` as it
// was and gives false, with the reason in `blad`.
bool ustaw(UstawieniaMiernika &u, Parametr p, const QString &tekst, QString &blad,
           const Jezyk *jezyk = nullptr);

// Section MIERNIK of `plikUstawien`, each missing key at its default. A key
// whose value cannot be used gives nothing, with a message in `blad` naming the
// key, its value and why. `jezyk` translates the message.
std::optional<UstawieniaMiernika> czytaj(const QString &plikUstawien, QString &blad,
                                         const Jezyk *jezyk = nullptr);

// Writes every key; false when the file could not be written.
bool zapisz(const QString &plikUstawien, const UstawieniaMiernika &u);

} // namespace UstawieniaMiernikow
