// The SCPI meter: against the emulator's multimeter in the loop (identity,
// readings of the loop current with the converter's errors and the meter's
// noise, settling, silence, a vanishing port), against meters scripted on a
// pseudo-terminal, on a serial port and standing in for a USBTMC device file
// (every kind of answer, late ones and echoes too), and its settings.
#include "emulator/klient.h"
#include "emulator/pseudoterminal.h"
#include "wspolne/emulator.h"
#include "wspolne/pliki.h"

#include "config/jezyk.h"
#include "petla/miernik_scpi.h"

#include <QSocketNotifier>
#include <QStringEncoder>
#include <QtTest>

#include <algorithm>
#include <cmath>
#include <memory>
#include <optional>
#include <unistd.h>

namespace {

constexpr int kLimitMs = static_cast<int>(MiernikScpi::kCzasOdpowiedzi.count());
// Seven significant digits of amperes: 0.00001 mA at 12 mA.
constexpr double kRozdzielczosc = 2e-5;

// What one request brought.
struct Wynik
{
    QString identyfikacja;
    std::optional<double> mA;
    QString blad;
    qint64 ms = 0;
};

// Runs `zadanie` and waits for the signal that answers it.
template <typename Zadanie>
Wynik czekaj(Miernik &m, Zadanie zadanie, int czasMs = kLimitMs + 2000)
{
    Wynik w;
    QEventLoop petla;
    QElapsedTimer zegar;
    const QList<QMetaObject::Connection> polaczenia{
        QObject::connect(&m, &Miernik::gotowy, &petla,
                         [&](const QString &i) { w.identyfikacja = i; petla.quit(); }),
        QObject::connect(&m, &Miernik::odczyt, &petla, [&](double v) { w.mA = v; petla.quit(); }),
        QObject::connect(&m, &Miernik::blad, &petla, [&](const QString &b) { w.blad = b; petla.quit(); }),
    };
    QTimer::singleShot(czasMs, &petla, &QEventLoop::quit);
    zegar.start();
    zadanie();
    petla.exec();
    w.ms = zegar.elapsed();
    for (const auto &p : polaczenia)
        QObject::disconnect(p);
    return w;
}

Wynik otworz(Miernik &m) { return czekaj(m, [&] { m.otworz(); }); }
Wynik zmierz(Miernik &m) { return czekaj(m, [&] { m.zmierz(); }); }

UstawieniaMiernika naUrzadzeniu(const QString &urzadzenie)
{
    UstawieniaMiernika u;
    u.urzadzenie = urzadzenie;
    return u;
}

// A meter played by the test on the master side of a pseudo-terminal: it
// answers "*IDN?" and "READ?" with the bytes given, as they are (nothing when
// empty), and keeps every command it got. With `spozniony` the first "READ?"
// is answered with that, `spoznionyMs` late.
class MiernikSkryptowy : public QObject
{
public:
    MiernikSkryptowy(QByteArray identyfikacja, QByteArray odczyt, QByteArray spozniony = {},
                     int spoznionyMs = 0)
        : m_identyfikacja(std::move(identyfikacja)), m_odczyt(std::move(odczyt)),
          m_spozniony(std::move(spozniony)), m_spoznienie(spoznionyMs)
    {
        QString blad;
        if (!m_pty.otworz(blad))
            qWarning() << blad;
        auto *n = new QSocketNotifier(m_pty.master(), QSocketNotifier::Read, this);
        connect(n, &QSocketNotifier::activated, this, &MiernikSkryptowy::czytaj);
    }

    QString urzadzenie() const { return m_pty.slave(); }
    QByteArrayList polecenia;

private:
    void czytaj()
    {
        char b[256];
        ssize_t n;
        while ((n = ::read(m_pty.master(), b, sizeof b)) > 0)
            m_bufor.append(b, n);
        qsizetype lf;
        while ((lf = m_bufor.indexOf('\n')) >= 0) {
            const QByteArray p = m_bufor.left(lf);
            m_bufor.remove(0, lf + 1);
            polecenia.append(p);
            if (p == "READ?" && !m_spozniony.isEmpty())
                QTimer::singleShot(m_spoznienie, this, [this, a = std::exchange(m_spozniony, {})] { wyslij(a); });
            else
                wyslij(p == "*IDN?" ? m_identyfikacja : p == "READ?" ? m_odczyt : QByteArray());
        }
    }

    void wyslij(const QByteArray &a)
    {
        if (!a.isEmpty())
            QVERIFY(::write(m_pty.master(), a.constData(), size_t(a.size())) == a.size());
    }

    Pseudoterminal m_pty;
    QByteArray m_identyfikacja;
    QByteArray m_odczyt;
    QByteArray m_spozniony;
    int m_spoznienie;
    QByteArray m_bufor;
};

// The meter reached as a USBTMC device file: a link named like one, or, with
// `przezLink`, a link to that, as a udev rule makes.
QString jakUsbtmc(const QTemporaryDir &folder, const QString &urzadzenie, bool przezLink = false)
{
    const QString link = folder.filePath(QStringLiteral("usbtmc0"));
    const QString drugi = folder.filePath(QStringLiteral("miernik"));
    if (!QFile::link(urzadzenie, link) || (przezLink && !QFile::link(link, drugi)))
        return QString();
    return przezLink ? drugi : link;
}

} // namespace

class TestMiernik : public QObject
{
    Q_OBJECT

private slots:
    void pomiary_data();
    void pomiary();
    void ustalanie();
    void milczenie();
    void odpowiedzi_data();
    void odpowiedzi();
    void spoznionaOdpowiedz_data();
    void spoznionaOdpowiedz();
    void utrata_data();
    void utrata();
    void ustawienia_data();
    void ustawienia();
};

void TestMiernik::pomiary_data()
{
    QTest::addColumn<QStringList>("opcje");
    QTest::addColumn<QByteArray>("ramka");
    QTest::addColumn<double>("oczekiwany");
    QTest::addColumn<double>("szum");

    // The frame type the settings do not describe: six digits, no sign;
    // maximum 1500, mode 0 unless set.
    QTest::newRow("no frame yet: 4 mA") << QStringList() << QByteArray() << 4.0 << 0.0;
    QTest::newRow("zero weight") << QStringList() << QByteArray("000000") << 12.0 << 0.0;
    QTest::newRow("maximum") << QStringList() << QByteArray("001500") << 20.0 << 0.0;
    QTest::newRow("gain at maximum") << QStringList{"--gain", "0.5"} << QByteArray("001500") << 20.08 << 0.0;
    QTest::newRow("gain at 4 mA") << QStringList{"--gain", "0.5", "--mode", "2"} << QByteArray("000000")
                                  << 4.0 << 0.0;
    QTest::newRow("negative gain") << QStringList{"--gain", "-0.25"} << QByteArray("000750") << 15.97 << 0.0;
    QTest::newRow("offset") << QStringList{"--offset", "-0.05"} << QByteArray("000000") << 11.95 << 0.0;
    QTest::newRow("offset with no frame") << QStringList{"--offset", "0.1"} << QByteArray() << 4.1 << 0.0;
    QTest::newRow("non-linearity at mid-span") << QStringList{"--nonlinearity", "0.2"}
                                               << QByteArray("000000") << 12.032 << 0.0;
    QTest::newRow("non-linearity at a quarter") << QStringList{"--nonlinearity", "0.2"}
                                                << QByteArray("000750") << 16.024 << 0.0;
    QTest::newRow("non-linearity at the end") << QStringList{"--nonlinearity", "0.2"}
                                              << QByteArray("001500") << 20.0 << 0.0;
    QTest::newRow("noise") << QStringList{"--dmm-noise", "0.01"} << QByteArray("000000") << 12.0 << 0.01;
}

void TestMiernik::pomiary()
{
    QFETCH(QStringList, opcje);
    QFETCH(QByteArray, ramka);
    QFETCH(double, oczekiwany);
    QFETCH(double, szum);

    QTemporaryDir folder;
    EmulatorTestowy emu;
    QVERIFY(emu.uruchom(QStringList{"--dmm"} + opcje, folder.path()));
    MiernikScpi miernik(naUrzadzeniu(emu.miernik()));
    const Wynik w = otworz(miernik);
    QCOMPARE(w.blad, QString());
    QCOMPARE(w.identyfikacja, QStringLiteral("KONWERTER-EMU,DMM-1,0001,1.0"));
    QVERIFY(miernik.otwarty());

    if (!ramka.isEmpty()) {
        const auto port = Klient::otworz(emu.urzadzenie());
        QVERIFY(port);
        port->write(ramka + "\r\n");
        QVERIFY(port->waitForBytesWritten(1000));
        QVERIFY(!emu.czekajNaLinie("FRAME").isEmpty());
    }
    QList<double> odczyty;
    for (int i = 0; i < 8; ++i) {
        const Wynik r = zmierz(miernik);
        QCOMPARE(r.blad, QString());
        QVERIFY(r.mA);
        QVERIFY2(std::fabs(*r.mA - oczekiwany) <= szum + kRozdzielczosc,
                 qPrintable(QString::number(*r.mA, 'f', 6)));
        odczyty.append(*r.mA);
    }
    const auto [najmniej, najwiecej] = std::minmax_element(odczyty.cbegin(), odczyty.cend());
    QCOMPARE(*najwiecej - *najmniej > kRozdzielczosc, szum > 0.0);
    // The function is chosen before each reading.
    QVERIFY(!emu.czekajNaLinie("DMM RX \"CONF:CURR:DC\"").isEmpty());
    QVERIFY(!emu.czekajNaLinie("DMM RX \"READ?\"").isEmpty());
}

void TestMiernik::ustalanie()
{
    constexpr double kTau = 300.0;
    QTemporaryDir folder;
    EmulatorTestowy emu;
    QVERIFY(emu.uruchom({"--dmm", "--dmm-tau", QString::number(kTau), "--mode", "2"}, folder.path()));
    MiernikScpi miernik(naUrzadzeniu(emu.miernik()));
    QVERIFY(otworz(miernik).blad.isEmpty());
    const auto port = Klient::otworz(emu.urzadzenie());
    QVERIFY(port);

    // A step from 4 to 20 mA; each reading tells how long the meter has been
    // settling, which the time constant turns into a time the test can check.
    port->write("001500\r\n");
    QVERIFY(port->waitForBytesWritten(1000));
    QElapsedTimer zegar;
    zegar.start();
    QList<double> stale;
    double poprzedni = 4.0;
    while (zegar.elapsed() < 6 * kTau) {
        const Wynik r = zmierz(miernik);
        QVERIFY(r.mA);
        const qint64 t = zegar.elapsed();
        QVERIFY2(*r.mA >= poprzedni && *r.mA < 20.0 + kRozdzielczosc, qPrintable(QString::number(*r.mA)));
        poprzedni = *r.mA;
        if (t >= 150 && t <= 3 * kTau)
            stale.append(-t / std::log((20.0 - *r.mA) / 16.0));
        QTest::qWait(20);
    }
    QVERIFY(stale.size() >= 5);
    std::sort(stale.begin(), stale.end());
    const double mediana = stale.at(stale.size() / 2);
    QVERIFY2(std::fabs(mediana - kTau) <= 0.2 * kTau, qPrintable(QString::number(mediana)));
    QVERIFY2(20.0 - poprzedni <= 16.0 * std::exp(-5.0), qPrintable(QString::number(poprzedni)));
}

void TestMiernik::milczenie()
{
    EmulatorTestowy emu;
    QVERIFY(emu.uruchom({"--dmm", "--dmm-silent"}));
    MiernikScpi miernik(naUrzadzeniu(emu.miernik()));
    const Wynik w = otworz(miernik);
    QVERIFY2(w.ms >= kLimitMs - 20 && w.ms <= kLimitMs + 1000, qPrintable(QString::number(w.ms)));
    QCOMPARE(w.blad, QStringLiteral("Miernik %1 nie odpowiedział na *IDN? w ciągu 3 s").arg(emu.miernik()));
    QVERIFY(!miernik.otwarty());
    QVERIFY(!emu.czekajNaLinie("DMM RX \"*IDN?\"").isEmpty());
}

void TestMiernik::odpowiedzi_data()
{
    QTest::addColumn<bool>("usbtmc");
    QTest::addColumn<QByteArray>("identyfikacja");
    QTest::addColumn<QByteArray>("odczyt");
    // The reading, or NAN when a message is expected.
    QTest::addColumn<double>("mA");
    // The message after the device's name.
    QTest::addColumn<QString>("blad");

    const QByteArray idn("ACME,34401A,MY0001,1-2-3\n");
    for (const bool usbtmc : {false, true}) {
        const QString k = usbtmc ? QStringLiteral("usbtmc: ") : QStringLiteral("serial: ");
        const auto wiersz = [&](const char *nazwa) -> QTestData & {
            return QTest::newRow(qPrintable(k + nazwa)) << usbtmc;
        };
        wiersz("NR3") << idn << QByteArray("+1.200012E-02\n") << 12.00012 << QString();
        wiersz("CR LF") << idn << QByteArray("1.2E-2\r\n") << 12.0 << QString();
        wiersz("negative, blanks around") << idn << QByteArray(" -4.5E-03 \n") << -4.5 << QString();
        wiersz("NR2") << idn << QByteArray("0.0199\n") << 19.9 << QString();
        wiersz("unit") << idn << QByteArray("12 mA\n") << qQNaN()
                       << QStringLiteral(" odpowiedział na READ? niezrozumiale: \"12 mA\"");
        wiersz("empty line") << idn << QByteArray("\n") << qQNaN()
                             << QStringLiteral(" odpowiedział na READ? niezrozumiale: \"\"");
        wiersz("NAN") << idn << QByteArray("NAN\n") << qQNaN()
                      << QStringLiteral(" odpowiedział na READ? niezrozumiale: \"NAN\"");
        wiersz("overload") << idn << QByteArray("+9.90000000E+37\n") << qQNaN()
                           << QStringLiteral(": prąd poza zakresem pomiaru (\"+9.90000000E+37\")");
        wiersz("endless line") << idn << QByteArray(2000, '1') << qQNaN()
                               << QStringLiteral(" odpowiedział na READ? niezrozumiale: \"%1…\"")
                                      .arg(QString(60, u'1'));
        wiersz("silent on READ?") << idn << QByteArray() << qQNaN()
                                  << QStringLiteral(" nie odpowiedział na READ? w ciągu 3 s");
        wiersz("empty identity") << QByteArray("\r\n") << QByteArray("1E-2\n") << qQNaN()
                                 << QStringLiteral(" odpowiedział na *IDN? niezrozumiale: \"\"");
        wiersz("control byte in identity") << QByteArray("AC\x01ME\n") << QByteArray("1E-2\n") << qQNaN()
                                           << QStringLiteral(" odpowiedział na *IDN? niezrozumiale: \"AC\\x01ME\"");
    }
    // USBTMC carries no echo.
    QTest::newRow("serial: echo") << false << QByteArray("*IDN?\r\n") + idn
                                  << QByteArray("CONF:CURR:DC\r\nREAD?\r\n+1.5E-02\r\n") << 15.0 << QString();
}

void TestMiernik::odpowiedzi()
{
    QFETCH(bool, usbtmc);
    QFETCH(QByteArray, identyfikacja);
    QFETCH(QByteArray, odczyt);
    QFETCH(double, mA);
    QFETCH(QString, blad);

    QTemporaryDir folder;
    MiernikSkryptowy skrypt(identyfikacja, odczyt);
    const QString urzadzenie = usbtmc ? jakUsbtmc(folder, skrypt.urzadzenie()) : skrypt.urzadzenie();
    QVERIFY(!urzadzenie.isEmpty());
    MiernikScpi miernik(naUrzadzeniu(urzadzenie));
    QCOMPARE(miernik.ustawienia().usbtmc(), usbtmc);

    Wynik w = otworz(miernik);
    if (w.blad.isEmpty()) {
        QCOMPARE(w.identyfikacja, QString::fromLatin1(identyfikacja.trimmed().split('\n').last().trimmed()));
        w = zmierz(miernik);
        QCOMPARE(skrypt.polecenia, (QByteArrayList{"*IDN?", "CONF:CURR:DC", "READ?"}));
    }
    if (qIsNaN(mA)) {
        QCOMPARE(w.blad, QStringLiteral("Miernik ") + urzadzenie + blad);
        QVERIFY(!w.mA);
        return;
    }
    QCOMPARE(w.blad, QString());
    QVERIFY(w.mA);
    QVERIFY2(std::fabs(*w.mA - mA) < 1e-9, qPrintable(QString::number(*w.mA, 'f', 9)));
}

void TestMiernik::spoznionaOdpowiedz_data()
{
    QTest::addColumn<bool>("usbtmc");
    QTest::newRow("serial") << false;
    QTest::newRow("usbtmc") << true;
}

void TestMiernik::spoznionaOdpowiedz()
{
    QFETCH(bool, usbtmc);

    // The first reading comes after the time limit, when the meter has been
    // given up on; it must not pass for the answer to a later request, neither
    // one already asked nor one asked after it came.
    QTemporaryDir folder;
    MiernikSkryptowy skrypt("ACME,1,2,3\n", "+2.0E-02\n", "+1.0E-02\n", kLimitMs + 300);
    const QString urzadzenie = usbtmc ? jakUsbtmc(folder, skrypt.urzadzenie()) : skrypt.urzadzenie();
    MiernikScpi miernik(naUrzadzeniu(urzadzenie));
    QVERIFY(otworz(miernik).blad.isEmpty());
    const Wynik pierwszy = zmierz(miernik);
    QCOMPARE(pierwszy.blad, QStringLiteral("Miernik %1 nie odpowiedział na READ? w ciągu 3 s").arg(urzadzenie));
    QVERIFY(miernik.otwarty());
    for (int i = 0; i < 2; ++i) {
        const Wynik w = zmierz(miernik);
        QCOMPARE(w.blad, QString());
        QVERIFY(w.mA);
        QCOMPARE(*w.mA, 20.0);
        QTest::qWait(500);
    }
}

void TestMiernik::utrata_data()
{
    // How the meter goes: "emulator" killed while idle, "script" closed while
    // a reading waits, "missing" never there.
    QTest::addColumn<QString>("jak");
    QTest::addColumn<bool>("usbtmc");

    QTest::newRow("serial: emulator killed") << "emulator" << false;
    QTest::newRow("serial: closed while reading") << "script" << false;
    QTest::newRow("usbtmc: closed while reading") << "script" << true;
    QTest::newRow("serial: no such device") << "missing" << false;
    QTest::newRow("usbtmc: no such device") << "missing" << true;
}

void TestMiernik::utrata()
{
    QFETCH(QString, jak);
    QFETCH(bool, usbtmc);

    QTemporaryDir folder;
    EmulatorTestowy emu;
    auto skrypt = std::make_unique<MiernikSkryptowy>("ACME,1,2,3\n", QByteArray());
    QString urzadzenie;
    if (jak == QLatin1String("emulator")) {
        QVERIFY(emu.uruchom({"--dmm"}));
        urzadzenie = emu.miernik();
    } else if (jak == QLatin1String("script")) {
        urzadzenie = skrypt->urzadzenie();
    } else {
        urzadzenie = folder.filePath(QStringLiteral("ttyUSB9"));
    }
    if (usbtmc)
        urzadzenie = jak == QLatin1String("missing") ? folder.filePath(QStringLiteral("usbtmc7"))
                                                     : jakUsbtmc(folder, urzadzenie, true);
    MiernikScpi miernik(naUrzadzeniu(urzadzenie));
    QCOMPARE(miernik.ustawienia().usbtmc(), usbtmc);

    if (jak == QLatin1String("missing")) {
        const Wynik w = otworz(miernik);
        QCOMPARE(w.blad, QStringLiteral("Nie można otworzyć miernika %1: nie ma takiego urządzenia").arg(urzadzenie));
        QVERIFY(!miernik.otwarty());
        // The shipped English texts, with the reason looked up as well.
        const QString lng = folder.filePath(QStringLiteral("set.lng"));
        QVERIFY(QFile::copy(QStringLiteral(KONWERTER_DANE "/lang/en/set.lng"), lng));
        const Jezyk angielski(lng);
        MiernikScpi poAngielsku(naUrzadzeniu(urzadzenie), &angielski);
        QCOMPARE(otworz(poAngielsku).blad, QStringLiteral("Cannot open the meter %1: no such device").arg(urzadzenie));
        return;
    }
    QVERIFY(otworz(miernik).blad.isEmpty());
    const Wynik w = czekaj(miernik, [&] {
        if (jak == QLatin1String("emulator")) {
            emu.zabij();
        } else {
            miernik.zmierz();
            QTimer::singleShot(100, [&] { skrypt.reset(); });
        }
    });
    QVERIFY2(w.blad.startsWith(QStringLiteral("Utracono połączenie z miernikiem %1: ").arg(urzadzenie)),
             qPrintable(w.blad));
    QVERIFY2(w.ms < 1500, qPrintable(QString::number(w.ms)));
    QVERIFY(!miernik.otwarty());
    QCOMPARE(zmierz(miernik).blad, QStringLiteral("Miernik %1 nie jest otwarty").arg(urzadzenie));
}

void TestMiernik::ustawienia_data()
{
    QTest::addColumn<QString>("plik");
    // The line settings and the device read, or the message.
    QTest::addColumn<QString>("linia");
    QTest::addColumn<QString>("urzadzenie");
    QTest::addColumn<QString>("blad");

    const QString dlugie = QStringLiteral("/dev/serial/by-id/") + QString(90, u'x');
    QTest::newRow("no section") << "[USTAWIENIA]\r\nPRĘDKOŚĆ=19200\r\n" << "9600,N,8,1" << "" << "";
    QTest::newRow("every key") << "[miernik]\r\nURZĄDZENIE=/dev/usbtmc0\r\nPRĘDKOŚĆ=19200\r\n"
                                  "PARZYSTOŚĆ=e\r\nBITY DANYCH=7\r\nBITY STOPU=2\r\n"
                               << "19200,E,7,2" << "/dev/usbtmc0" << "";
    QTest::newRow("a long device path") << "[MIERNIK]\r\nURZĄDZENIE=" + dlugie.left(95) + "\r\n"
                                        << "9600,N,8,1" << dlugie.left(95) << "";
    QTest::newRow("too long a device path") << "[MIERNIK]\r\nURZĄDZENIE=" + dlugie + "\r\n" << "" << ""
                                            << "URZĄDZENIE \"" + dlugie + "\" w sekcji [MIERNIK] pliku %1: "
                                                                          "najwyżej 98 znaków";
    QTest::newRow("unknown speed") << "[MIERNIK]\r\nPRĘDKOŚĆ=1234\r\n" << "" << ""
                                   << "PRĘDKOŚĆ \"1234\" w sekcji [MIERNIK] pliku %1: to nie jest prędkość "
                                      "linii (110 do 256000, np. 9600, 19200, 115200)";
    QTest::newRow("nine data bits") << "[MIERNIK]\r\nBITY DANYCH=9\r\n" << "" << ""
                                    << "BITY DANYCH \"9\" w sekcji [MIERNIK] pliku %1: bity danych to 5, "
                                       "6, 7 albo 8";
}

void TestMiernik::ustawienia()
{
    QFETCH(QString, plik);
    QFETCH(QString, linia);
    QFETCH(QString, urzadzenie);
    QFETCH(QString, blad);

    QTemporaryDir folder;
    const QString sciezka = folder.filePath(QStringLiteral("settings.ini"));
    QStringEncoder cp1250("windows-1250");
    QVERIFY(zapiszBajty(sciezka, cp1250.encode(plik)));
    QString komunikat;
    const auto u = UstawieniaMiernikow::czytaj(sciezka, komunikat);
    if (!blad.isEmpty()) {
        QVERIFY(!u);
        QCOMPARE(komunikat, blad.arg(sciezka));
        return;
    }
    QVERIFY2(u, qPrintable(komunikat));
    QCOMPARE(u->tekstLinii(), linia);
    QCOMPARE(u->urzadzenie, urzadzenie);

    // Written back and read again, with the speed overridden as --dmm-baud does.
    UstawieniaMiernika zmienione = *u;
    QVERIFY(UstawieniaMiernikow::ustaw(zmienione, UstawieniaMiernikow::Parametr::Predkosc,
                                       QStringLiteral("115200"), komunikat));
    QVERIFY(!UstawieniaMiernikow::ustaw(zmienione, UstawieniaMiernikow::Parametr::Predkosc,
                                        QStringLiteral("115201"), komunikat));
    QVERIFY(UstawieniaMiernikow::zapisz(sciezka, zmienione));
    const auto znowu = UstawieniaMiernikow::czytaj(sciezka, komunikat);
    QVERIFY(znowu);
    QCOMPARE(znowu->tekstLinii(), QString(linia).replace(0, linia.indexOf(u','), QStringLiteral("115200")));
    QCOMPARE(znowu->urzadzenie, urzadzenie);
}

QTEST_GUILESS_MAIN(TestMiernik)
#include "test_miernik.moc"
