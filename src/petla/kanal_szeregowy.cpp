#include "petla/kanal_szeregowy.h"

#include "petla/teksty_miernika.h"

KanalSzeregowy::KanalSzeregowy(const UstawieniaMiernika &ustawienia, const Jezyk *jezyk,
                               QObject *parent)
    : KanalScpi(parent), m_ustawienia(ustawienia), m_jezyk(jezyk)
{
    connect(&m_port, &QSerialPort::readyRead, this, &KanalSzeregowy::czytaj);
    connect(&m_port, &QSerialPort::errorOccurred, this, &KanalSzeregowy::bladPortu);
}

bool KanalSzeregowy::otworz(QString &powod)
{
    m_port.setPortName(m_ustawienia.urzadzenie);
    // Before open these only store the values: a pseudo-terminal refuses some
    // of them once it is open.
    const bool ustawione = m_port.setBaudRate(m_ustawienia.predkosc)
                           && m_port.setParity(m_ustawienia.parzystosc)
                           && m_port.setDataBits(m_ustawienia.bityDanych)
                           && m_port.setStopBits(m_ustawienia.bityStopu);
    if (!ustawione || !m_port.open(QIODevice::ReadWrite)) {
        switch (m_port.error()) {
        case QSerialPort::DeviceNotFoundError:
            powod = TekstyMiernika::komunikat(m_jezyk, QStringLiteral("MiernikBrakUrzadzenia"),
                                              QStringLiteral("nie ma takiego urządzenia"));
            break;
        case QSerialPort::PermissionError:
            powod = TekstyMiernika::komunikat(
                m_jezyk, QStringLiteral("MiernikZajety"),
                QStringLiteral("urządzenie jest zajęte przez inny program albo brak do niego uprawnień"));
            break;
        default:
            powod = m_port.errorString();
        }
        m_port.clearError();
        return false;
    }
    m_port.clear(QSerialPort::Input);
    m_bufor.clear();
    return true;
}

void KanalSzeregowy::zamknij()
{
    if (m_port.isOpen())
        m_port.close();
    m_bufor.clear();
}

void KanalSzeregowy::zapytaj(const QByteArrayList &polecenia)
{
    if (!m_port.isOpen())
        return;
    // Also what the driver holds and Qt has not read yet.
    m_port.clear(QSerialPort::Input);
    m_port.readAll();
    m_bufor.clear();
    const QByteArray linie = polecenia.join('\n') + '\n';
    if (m_port.write(linie) != linie.size())
        utrac(m_port.errorString());
}

void KanalSzeregowy::czytaj()
{
    m_bufor += m_port.readAll();
    qsizetype lf;
    while ((lf = m_bufor.indexOf('\n')) >= 0) {
        QByteArray linia = m_bufor.left(lf);
        m_bufor.remove(0, lf + 1);
        if (linia.endsWith('\r'))
            linia.chop(1);
        emit odpowiedz(linia);
    }
    if (m_bufor.size() >= kNajdluzszaOdpowiedz) {
        const QByteArray linia = m_bufor;
        m_bufor.clear();
        emit odpowiedz(linia);
    }
}

void KanalSzeregowy::bladPortu(QSerialPort::SerialPortError blad)
{
    // A vanished device repeats its error at full speed for as long as the
    // port stays open.
    if ((blad == QSerialPort::ReadError || blad == QSerialPort::ResourceError
         || blad == QSerialPort::WriteError)
        && m_port.isOpen())
        utrac(m_port.errorString());
}

void KanalSzeregowy::utrac(const QString &powod)
{
    m_port.close();
    m_bufor.clear();
    // Never from inside the port's own call.
    QMetaObject::invokeMethod(this, [this, powod] { emit utracony(powod); }, Qt::QueuedConnection);
}
