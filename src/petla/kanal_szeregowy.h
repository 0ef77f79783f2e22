#pragma once

#include "petla/kanal_scpi.h"
#include "petla/ustawienia_miernika.h"

#include <QSerialPort>

// A meter on a serial port: each command a line ending in LF, each answer a
// line ending in LF (a CR before it is dropped).
class KanalSzeregowy : public KanalScpi
{
    Q_OBJECT

public:
    KanalSzeregowy(const UstawieniaMiernika &ustawienia, const Jezyk *jezyk, QObject *parent = nullptr);

    bool otworz(QString &powod) override;
    void zamknij() override;
    void zapytaj(const QByteArrayList &polecenia) override;

private:
    void czytaj();
    void bladPortu(QSerialPort::SerialPortError blad);
    void utrac(const QString &powod);

    UstawieniaMiernika m_ustawienia;
    const Jezyk *m_jezyk;
    QSerialPort m_port;
    QByteArray m_bufor;
};
