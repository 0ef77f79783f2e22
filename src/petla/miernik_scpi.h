#pragma once

#include "petla/miernik.h"
#include "petla/ustawienia_miernika.h"

#include <QTimer>

#include <chrono>

class Jezyk;
class KanalScpi;

// A bench multimeter speaking SCPI, on a serial port or a USBTMC device file.
// Opening asks "*IDN?"; each reading sends "CONF:CURR:DC" and "READ?", whose
// answer in amperes is handed on in mA. A meter that stays silent, answers
// something else than a number or goes away gives blad() with a message that
// names the device.
class MiernikScpi : public Miernik
{
    Q_OBJECT

public:
    // How long a meter may take over one answer. A reading on the slowest
    // setting of a bench meter takes about a second.
    static constexpr std::chrono::milliseconds kCzasOdpowiedzi{3000};

    // `jezyk` (may be null, then the messages are Polish) translates the
    // messages and must outlive the meter.
    explicit MiernikScpi(const UstawieniaMiernika &ustawienia, const Jezyk *jezyk = nullptr,
                         QObject *parent = nullptr);
    ~MiernikScpi() override;

    // Opening again starts afresh.
    void otworz() override;
    // A request made while a reading is under way is answered by that reading.
    void zmierz() override;
    void zamknij() override;

    const UstawieniaMiernika &ustawienia() const { return m_ustawienia; }
    // True from gotowy() on, until zamknij() or a failure that ends the use.
    bool otwarty() const { return m_stan == Stan::Gotowy || m_stan == Stan::Pomiar; }

private:
    enum class Stan { Zamkniety, Otwieranie, Gotowy, Pomiar };

    void odpowiedz(const QByteArray &tresc);
    void przekroczonyCzas();
    void utracony(const QString &powod);
    void zglosPozniej(const QString &opis);
    QString komunikat(const char *klucz, const QString &polski) const;

    UstawieniaMiernika m_ustawienia;
    const Jezyk *m_jezyk;
    KanalScpi *m_kanal = nullptr;
    QTimer m_zegar;
    Stan m_stan = Stan::Zamkniety;
};
