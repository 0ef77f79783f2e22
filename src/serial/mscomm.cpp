#include "serial/mscomm.h"

#include <QFile>
#include <QStringList>

#include <algorithm>
#include <iterator>

#include <optional>

#ifndef Q_OS_WIN
#include <cerrno>
#include <unistd.h>
#endif

namespace {

// Qt reports a device held by another program and a device the user may not
// open alike. Only the second is fixed by the user's own rights; asking the
// system whether this user may read and write the device tells them apart
// without opening it.
bool bezUprawnien(const QString &urzadzenie)
{
#ifdef Q_OS_WIN
    Q_UNUSED(urzadzenie);
    return false;
#else
    return ::access(QFile::encodeName(urzadzenie).constData(), R_OK | W_OK) != 0 && errno == EACCES;
#endif
}

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
    connect(&m_port, &QSerialPort::errorOccurred, this, &MSComm::bladPortu);
}

MSComm::~MSComm()
{
    // The watcher may be gone already; the closing at the end is nobody's news.
    m_podsluch = nullptr;
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
        if (m_port.isOpen()) {
            m_port.close();
            if (m_podsluch)
                zglos(ZdarzenieLinii::Rodzaj::Zamkniecie);
        }
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
        if (m_podsluch)
            zglos(ZdarzenieLinii::Rodzaj::Blad, {}, urzadzenie() + QStringLiteral(": ") + m_opisBledu);
        if (blad == QSerialPort::DeviceNotFoundError)
            return BrakPortu;
        if (blad == QSerialPort::PermissionError)
            return bezUprawnien(urzadzenie()) ? BrakUprawnien : PortZajety;
        return InnyBlad;
    }
    m_opisBledu.clear();
    // Whatever arrived while the port was closed is not part of the next answer.
    m_port.clear(QSerialPort::Input);
    if (m_podsluch)
        zglos(ZdarzenieLinii::Rodzaj::Otwarcie, {}, urzadzenie() + QLatin1Char(' ') + m_linia.tekst);
    return BrakBledu;
}

bool MSComm::Output(const QByteArray &bajty)
{
    if (!m_port.isOpen())
        return false;
    const qint64 zapisane = m_port.write(bajty);
    if (m_podsluch && zapisane > 0)
        zglos(ZdarzenieLinii::Rodzaj::Zapis, bajty.first(zapisane));
    return zapisane == bajty.size();
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
    if (!m_port.isOpen())
        return {};
    QByteArray bajty = m_port.readAll();
    if (m_podsluch && !bajty.isEmpty())
        zglos(ZdarzenieLinii::Rodzaj::Odczyt, bajty);
    return bajty;
}

bool MSComm::czekajNaDane(int ms)
{
    if (!m_port.isOpen())
        return false;
    return m_port.bytesAvailable() > 0 || m_port.waitForReadyRead(ms);
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
    if (m_podsluch) {
        zglos(ZdarzenieLinii::Rodzaj::Blad, {}, urzadzenie() + QStringLiteral(": ") + m_opisBledu);
        zglos(ZdarzenieLinii::Rodzaj::Zamkniecie);
    }
    QMetaObject::invokeMethod(this, &MSComm::liniaUtracona, Qt::QueuedConnection);
}

void MSComm::zglos(ZdarzenieLinii::Rodzaj r, const QByteArray &bajty, const QString &tekst)
{
    ZdarzenieLinii z;
    z.rodzaj = r;
    z.czas = ZdarzenieLinii::Zegar::now();
    z.bajty = bajty;
    z.tekst = tekst;
    m_podsluch->zdarzenie(z);
}
