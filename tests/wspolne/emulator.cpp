#include "wspolne/emulator.h"

#include <QDeadlineTimer>

#include <algorithm>
#include <csignal>

EmulatorTestowy::~EmulatorTestowy()
{
    if (m_proces.state() != QProcess::NotRunning)
        zabij();
}

bool EmulatorTestowy::uruchom(const QStringList &argumenty, const QString &folder)
{
    QStringList a{QStringLiteral("--stdin")};
    if (!folder.isEmpty())
        a << QStringLiteral("--folder") << folder;
    a << argumenty;
    m_proces.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_proces.start(QStringLiteral(KONWERTER_EMU), a);
    if (!m_proces.waitForStarted(kCzasStartu))
        return false;
    const QDeadlineTimer termin(kCzasStartu);
    const auto linia = [&](QString &wynik) {
        while (!m_proces.canReadLine()) {
            if (!m_proces.waitForReadyRead(static_cast<int>(termin.remainingTime())))
                return false;
        }
        wynik = QString::fromLocal8Bit(m_proces.readLine()).trimmed();
        return !wynik.isEmpty();
    };
    const bool miernik = argumenty.contains(QStringLiteral("--dmm"))
                         || argumenty.contains(QStringLiteral("--dmm-link"));
    return linia(m_urzadzenie) && (!miernik || linia(m_miernik));
}

void EmulatorTestowy::odbierz()
{
    if (m_proces.state() == QProcess::Running)
        m_proces.waitForReadyRead(0);
    m_reszta += m_proces.readAllStandardOutput();
    qsizetype nl;
    while ((nl = m_reszta.indexOf('\n')) >= 0) {
        m_linie.append(QString::fromUtf8(m_reszta.first(nl)));
        m_reszta.remove(0, nl + 1);
    }
}

QStringList EmulatorTestowy::linie()
{
    odbierz();
    return m_linie;
}

qsizetype EmulatorTestowy::czekaj(const QString &przedrostek, qsizetype od, int czasMs)
{
    const QDeadlineTimer termin(czasMs);
    for (;;) {
        odbierz();
        for (qsizetype i = od; i < m_linie.size(); ++i)
            if (m_linie.at(i).startsWith(przedrostek))
                return i;
        od = std::max(od, m_linie.size());
        if (termin.hasExpired() || m_proces.state() != QProcess::Running)
            return -1;
        m_proces.waitForReadyRead(static_cast<int>(termin.remainingTime()));
    }
}

QString EmulatorTestowy::czekajNaLinie(const QString &przedrostek, int czasMs)
{
    const qsizetype i = czekaj(przedrostek, m_kursor, czasMs);
    if (i < 0)
        return {};
    m_kursor = i + 1;
    return m_linie.at(i);
}

QList<QByteArray> EmulatorTestowy::ramki(const QString &przedrostek)
{
    QList<QByteArray> wynik;
    for (const QString &l : linie())
        if (l.startsWith(przedrostek))
            wynik.append(QByteArray::fromHex(l.mid(przedrostek.size()).toLatin1()));
    return wynik;
}

QList<QByteArray> EmulatorTestowy::rx()
{
    return ramki(QStringLiteral("RX "));
}

QList<QByteArray> EmulatorTestowy::tx()
{
    return ramki(QStringLiteral("TX "));
}

EmulatorTestowy::Statystyka EmulatorTestowy::statystyka(int czasMs)
{
    odbierz();
    const qsizetype od = m_linie.size();
    if (m_proces.state() != QProcess::Running
        || ::kill(static_cast<pid_t>(m_proces.processId()), SIGUSR1) != 0)
        return {};
    const qsizetype i = czekaj(QStringLiteral("STATS "), od, czasMs);
    return i < 0 ? Statystyka{} : rozbierzStatystyke(m_linie.at(i));
}

EmulatorTestowy::Statystyka EmulatorTestowy::rozbierzStatystyke(const QString &linia)
{
    Statystyka s;
    const QStringList czesci = linia.split(u' ', Qt::SkipEmptyParts);
    if (czesci.value(0) != QLatin1String("STATS"))
        return s;
    for (const QString &c : czesci.mid(1)) {
        const QString klucz = c.section(u'=', 0, 0);
        const QString wartosc = c.section(u'=', 1);
        if (klucz == QLatin1String("frames"))
            s.ramki = wartosc.toInt();
        else if (klucz == QLatin1String("mean"))
            s.srednia = wartosc.toDouble();
        else if (klucz == QLatin1String("p99dev"))
            s.p99 = wartosc.toDouble();
        else if (klucz == QLatin1String("maxdev"))
            s.maks = wartosc.toDouble();
    }
    return s;
}

bool EmulatorTestowy::zatrzymaj(int czasMs)
{
    if (m_proces.state() == QProcess::NotRunning)
        return false;
    m_proces.closeWriteChannel();
    const bool sam = m_proces.waitForFinished(czasMs);
    if (!sam)
        zabij();
    odbierz();
    return sam && m_proces.exitStatus() == QProcess::NormalExit && m_proces.exitCode() == 0;
}

void EmulatorTestowy::zabij()
{
    m_proces.kill();
    m_proces.waitForFinished(kCzasStartu);
    odbierz();
}
