#include "serial/mscomm.h"

#include <QStringList>

#ifdef Q_OS_LINUX
#include <cerrno>

#include <sys/file.h>
#endif

#include <algorithm>
#include <iterator>

#include <optional>

namespace {

// The most the port object keeps of what came in and was not read yet; far
// more than any answer, and what a flood brings beyond it waits in the driver.
constexpr qint64 kBuforOdczytu = 64 * 1024;

// The speeds a serial port object has always offered; anything else is refused
// like any other bad setting.
bool znanaPredkosc(int predkosc)
{
    static constexpr int kPredkosci[] = {110,   300,   600,   1200,  2400,   4800,   9600,  14400,
                                         19200, 28800, 38400, 56000, 57600, 115200, 128000, 256000};
    return std::find(std::begin(kPredkosci), std::end(kPredkosci), predkosc) != std::end(kPredkosci);
}

std::optional<QSerialPort::Parity> parzystosc(const QString &t)
{
    const QString p = t.trimmed().toUpper();
    if (p == QLatin1String("N")) return QSerialPort::NoParity;
    if (p == QLatin1String("E")) return QSerialPort::EvenParity;
    if (p == QLatin1String("O")) return QSerialPort::OddParity;
    if (p == QLatin1String("M")) return QSerialPort::MarkParity;
    if (p == QLatin1String("S")) return QSerialPort::SpaceParity;
    return std::nullopt;
}

std::optional<QSerialPort::DataBits> bityDanych(const QString &t)
{
    const QString b = t.trimmed();
    if (b == QLatin1String("5")) return QSerialPort::Data5;
    if (b == QLatin1String("6")) return QSerialPort::Data6;
    if (b == QLatin1String("7")) return QSerialPort::Data7;
    if (b == QLatin1String("8")) return QSerialPort::Data8;
    return std::nullopt;
}

std::optional<QSerialPort::StopBits> bityStopu(const QString &t)
{
    const QString b = t.trimmed();
    if (b == QLatin1String("1")) return QSerialPort::OneStop;
    if (b == QLatin1String("1.5")) return QSerialPort::OneAndHalfStop;
    if (b == QLatin1String("2")) return QSerialPort::TwoStop;
    return std::nullopt;
}

} // namespace

MSComm::MSComm(MapaPortow mapa, QObject *parent) : QObject(parent), m_mapa(std::move(mapa))
{
    setObjectName(QStringLiteral("MSComm1"));
    m_port.setReadBufferSize(kBuforOdczytu);
    connect(&m_port, &QSerialPort::errorOccurred, this, &MSComm::bladPortu);
    connect(&m_port, &QSerialPort::readyRead, this, &MSComm::odrzucNieoczekiwane);
}

MSComm::~MSComm()
{
    setPortOpen(false);
}

bool MSComm::setCommPort(int numer)
{
    if (m_port.isOpen() || numer < 1)
        return false;
    m_commPort = numer;
    return true;
}

QString MSComm::Settings() const
{
    return m_linia.tekst;
}

bool MSComm::setSettings(const QString &tekst)
{
    const QStringList czesci = tekst.split(QLatin1Char(','));
    if (czesci.size() != 4)
        return false;
    bool ok = false;
    const int predkosc = czesci[0].trimmed().toInt(&ok);
    const auto p = parzystosc(czesci[1]);
    const auto d = bityDanych(czesci[2]);
    const auto s = bityStopu(czesci[3]);
    if (!ok || !znanaPredkosc(predkosc) || !p || !d || !s)
        return false;
    m_linia = {predkosc, *p, *d, *s, tekst};
    return true;
}

MSComm::Blad MSComm::setPortOpen(bool otworz)
{
    if (!otworz) {
        m_oczekiwanie = false;
        if (m_port.isOpen())
            m_port.close();
        return BrakBledu;
    }
    if (m_port.isOpen())
        return BrakBledu;

    m_port.setPortName(urzadzenie());
    // Before open these only store the values; the device gets them at open.
    const bool ustawione = m_port.setBaudRate(m_linia.predkosc) && m_port.setParity(m_linia.parzystosc)
                           && m_port.setDataBits(m_linia.bityDanych)
                           && m_port.setStopBits(m_linia.bityStopu);
    if (!ustawione || !m_port.open(QIODevice::ReadWrite)) {
        m_opisBledu = m_port.errorString();
        const auto blad = m_port.error();
        m_port.clearError();
        if (blad == QSerialPort::DeviceNotFoundError)
            return BrakPortu;
        if (blad == QSerialPort::PermissionError)
            return PortZajety;
        return InnyBlad;
    }
    if (!zablokujUrzadzenie()) {
        m_port.close();
        return PortZajety;
    }
    m_opisBledu.clear();
    // Whatever arrived while the port was closed is not part of the next answer.
    m_port.clear(QSerialPort::Input);
    return BrakBledu;
}

bool MSComm::Output(const QByteArray &bajty)
{
    return m_port.isOpen() && m_port.write(bajty) == bajty.size();
}

bool MSComm::doczekajWyslania(int ms)
{
    if (!m_port.isOpen())
        return false;
    while (m_port.bytesToWrite() > 0)
        if (!m_port.waitForBytesWritten(ms))
            return false;
    return m_port.isOpen();
}

QByteArray MSComm::Input()
{
    if (!m_port.isOpen())
        return {};
    if (m_port.bytesAvailable() == 0)
        m_port.waitForReadyRead(0);
    return m_port.isOpen() ? m_port.readAll() : QByteArray();
}

bool MSComm::czekajNaDane(int ms)
{
    if (!m_port.isOpen())
        return false;
    return m_port.bytesAvailable() > 0 || m_port.waitForReadyRead(ms);
}

void MSComm::oczekujOdpowiedzi(bool tak)
{
    m_oczekiwanie = tak;
    if (tak && m_port.isOpen())
        m_port.skip(m_port.bytesAvailable());
}

void MSComm::odrzucNieoczekiwane()
{
    if (!m_oczekiwanie)
        m_port.skip(m_port.bytesAvailable());
}

bool MSComm::zablokujUrzadzenie()
{
#ifdef Q_OS_LINUX
    // The lock goes with the descriptor when the port closes.
    if (::flock(int(m_port.handle()), LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK) {
        m_opisBledu = QStringLiteral("%1: locked by another program").arg(urzadzenie());
        return false;
    }
#endif
    return true;
}

void MSComm::bladPortu(QSerialPort::SerialPortError blad)
{
    // A vanished device reports the same error again and again, at full CPU,
    // for as long as the port stays open.
    const bool utracona = blad == QSerialPort::ReadError || blad == QSerialPort::ResourceError
                          || blad == QSerialPort::WriteError;
    if (!utracona || !m_port.isOpen())
        return;
    m_opisBledu = m_port.errorString();
    m_port.close();
    QMetaObject::invokeMethod(this, &MSComm::liniaUtracona, Qt::QueuedConnection);
}
