#include "petla/kanal_usbtmc.h"

#include "petla/teksty_miernika.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <linux/usb/tmc.h>
#include <mutex>
#include <sys/ioctl.h>
#include <thread>
#include <unistd.h>

// What the exchange threads share with the channel. The descriptor closes
// with the last of them, so a thread still blocked in the driver never reads
// a descriptor number that was closed and given to something else.
struct KanalUsbtmc::Wspolne
{
    explicit Wspolne(int d, KanalUsbtmc *k) : fd(d), kanal(k) {}
    ~Wspolne() { ::close(fd); }

    const int fd;
    // One exchange at a time on the device.
    std::mutex urzadzenie;
    // Guards `kanal`: cleared when the channel closes or goes away.
    std::mutex odbiorca;
    KanalUsbtmc *kanal;
};

namespace {

// How much sooner than the caller the driver gives up.
constexpr std::chrono::milliseconds kZapas{500};
// The driver refuses anything shorter.
constexpr std::chrono::milliseconds kNajkrotszyCzasSterownika{100};

QString opisBledu(int blad)
{
    return QString::fromLocal8Bit(std::strerror(blad));
}

} // namespace

KanalUsbtmc::KanalUsbtmc(QString urzadzenie, std::chrono::milliseconds czasOdpowiedzi,
                         const Jezyk *jezyk, QObject *parent)
    : KanalScpi(parent), m_urzadzenie(std::move(urzadzenie)), m_czasOdpowiedzi(czasOdpowiedzi),
      m_jezyk(jezyk)
{
}

KanalUsbtmc::~KanalUsbtmc()
{
    zamknij();
}

bool KanalUsbtmc::otworz(QString &powod)
{
    zamknij();
    const int fd = ::open(m_urzadzenie.toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        const int blad = errno;
        if (blad == ENOENT || blad == ENODEV || blad == ENXIO)
            powod = TekstyMiernika::komunikat(m_jezyk, QStringLiteral("MiernikBrakUrzadzenia"),
                                              QStringLiteral("nie ma takiego urządzenia"));
        else if (blad == EACCES || blad == EBUSY || blad == EPERM)
            powod = TekstyMiernika::komunikat(
                m_jezyk, QStringLiteral("MiernikZajety"),
                QStringLiteral("urządzenie jest zajęte przez inny program albo brak do niego uprawnień"));
        else
            powod = opisBledu(blad);
        return false;
    }
    // Anything but a USBTMC device refuses this; the caller's timer still ends
    // the wait, only the thread lingers in its read.
    __u32 ms = static_cast<__u32>(std::max(kNajkrotszyCzasSterownika, m_czasOdpowiedzi - kZapas).count());
    ::ioctl(fd, USBTMC_IOCTL_SET_TIMEOUT, &ms);
    m_wspolne = std::make_shared<Wspolne>(fd, this);
    return true;
}

void KanalUsbtmc::zamknij()
{
    if (!m_wspolne)
        return;
    {
        const std::lock_guard<std::mutex> l(m_wspolne->odbiorca);
        m_wspolne->kanal = nullptr;
    }
    m_wspolne.reset();
}

void KanalUsbtmc::zapytaj(const QByteArrayList &polecenia)
{
    if (!m_wspolne || polecenia.isEmpty())
        return;
    const quint64 numer = ++m_numer;
    std::thread([w = m_wspolne, polecenia, numer] {
        QByteArray odpowiedz;
        int blad = 0;
        {
            const std::lock_guard<std::mutex> l(w->urzadzenie);
            for (const QByteArray &p : polecenia) {
                const QByteArray linia = p + '\n';
                const ssize_t n = ::write(w->fd, linia.constData(), static_cast<size_t>(linia.size()));
                if (n != linia.size()) {
                    blad = n < 0 ? errno : EIO;
                    break;
                }
            }
            if (blad == 0) {
                odpowiedz.resize(kNajdluzszaOdpowiedz);
                const ssize_t n = ::read(w->fd, odpowiedz.data(), static_cast<size_t>(odpowiedz.size()));
                // A stand-in whose other end is gone reads as the end of data.
                if (n <= 0)
                    blad = n < 0 ? errno : EIO;
                odpowiedz.resize(n < 0 ? 0 : n);
            }
        }
        const std::lock_guard<std::mutex> l(w->odbiorca);
        if (!w->kanal)
            return;
        KanalUsbtmc *kanal = w->kanal;
        QMetaObject::invokeMethod(
            kanal, [kanal, numer, odpowiedz, blad] { kanal->wynik(numer, odpowiedz, blad); },
            Qt::QueuedConnection);
    }).detach();
}

void KanalUsbtmc::wynik(quint64 numer, const QByteArray &tresc, int bladSystemu)
{
    // A late exchange, or one that ended with the driver's time-out: the
    // caller's own timer has spoken for it.
    if (numer != m_numer || bladSystemu == ETIMEDOUT)
        return;
    if (bladSystemu != 0) {
        zamknij();
        emit utracony(opisBledu(bladSystemu));
        return;
    }
    QByteArray linia = tresc;
    if (linia.endsWith('\n'))
        linia.chop(1);
    if (linia.endsWith('\r'))
        linia.chop(1);
    emit odpowiedz(linia);
}
