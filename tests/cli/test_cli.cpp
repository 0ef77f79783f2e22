// konwerter-cli as a script runs it: a process against konwerter-emu on a
// pseudo-terminal, with a program folder of its own. After every case the
// settings file holds the very bytes it was written with.
#include "config/kodowanie.h"
#include "wspolne/emulator.h"
#include "wspolne/pliki.h"

#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <memory>

namespace {

const QString kCzas = QStringLiteral("Przekroczony czas oczekiwania!");
const QString kBladZapisu = QStringLiteral("Błąd zapisu");

struct Przebieg
{
    int kod = -1;
    QString wyjscie;
    QString bledy;
};

// Frame type 7 ends in spaces, which must reach the converter as they are.
QByteArray plikUstawien(const QString &nrPortu, const QString &waga, const QString &ramka,
                        const QString &porty)
{
    const QString tekst = QStringLiteral(
        "; komentarz zostaje\n"
        "[USTAWIENIA]\nNR PORTU=%1\nPRĘDKOŚĆ=9600\nPARZYSTOŚĆ=N\nBITY DANYCH=8\nBITY STOPU=1\n\n"
        "[parametry]\nwaga=%2\nramka=%3\nmode=0\nmax=1500\njm=kg\n\n"
        "[typy ramek]\n1=Znak, 6 cyfr, jednostka\n2=Kropka dziesiętna, jednostka\n"
        "3=6 cyfr z zerami wiodącymi\n7=Spacje na końcu\n\n"
        "[wagi]\nWP-30=1\nWL-150=2\n\n"
        "[1]\nplus=+\nminus=-\nzero=\" \"\nramka=zmmmmmmsjj\n\n"
        "[2]\nplus=+\nminus=-\nzero=\" \"\nramka=mm0k000sjj\n\n"
        "[3]\nramka=000000\n\n"
        "[7]\nramka=mm0ss\n\n"
        "[porty]\n%4")
                              .arg(nrPortu, waga, ramka, porty);
    return Kodowanie::doAnsi(tekst).replace("\n", "\r\n");
}

std::unique_ptr<EmulatorTestowy> emulator(const QStringList &argumenty, const QString &folder)
{
    auto e = std::make_unique<EmulatorTestowy>();
    if (!e->uruchom(argumenty, folder))
        qFatal("the emulator did not start");
    return e;
}

qsizetype ramkiOdebrane(EmulatorTestowy &e)
{
    return e.linie().filter(QRegularExpression(QStringLiteral("^FRAME "))).size();
}

} // namespace

class TestCli : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    QByteArray m_zapisane;

    QString plik() const { return m_dir->filePath(QStringLiteral("settings.ini")); }

    void zapisz(const QString &nrPortu = QStringLiteral("1"), const QString &waga = QStringLiteral("WL-150"),
                const QString &ramka = QStringLiteral("1"), const QString &porty = {})
    {
        m_zapisane = plikUstawien(nrPortu, waga, ramka, porty);
        QVERIFY(zapiszBajty(plik(), m_zapisane));
    }

    void uruchom(QProcess &p, const QStringList &argumenty)
    {
        p.start(QStringLiteral(KONWERTER_CLI), QStringList{QStringLiteral("--folder"), m_dir->path()} + argumenty);
        QVERIFY(p.waitForStarted());
    }

    Przebieg zakoncz(QProcess &p)
    {
        if (!p.waitForFinished(15000))
            p.kill();
        return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
                QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
    }

    Przebieg cli(const QStringList &argumenty)
    {
        QProcess p;
        uruchom(p, argumenty);
        return zakoncz(p);
    }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        zapisz();
    }

    void cleanup()
    {
        QCOMPARE(czytajBajty(plik()), m_zapisane);
    }

    void zapytania()
    {
        auto e = emulator({"--mode", "1", "--frame", "2", "--max", "001234", "--version", "KCI 9.99"}, m_dir->path());
        const QString d = e->urzadzenie();
        const QList<QPair<QStringList, QString>> przypadki{
            {{"get", "max"}, "001234\n"},
            {{"get", "frame"}, "2\n"},
            {{"get", "mode"}, "1\n"},
            {{"get", "version"}, "KCI 9.99\n"},
            {{"--json", "get", "frame"}, "{\"description\":\"Kropka dziesiętna, jednostka\",\"ok\":true,\"value\":\"2\"}\n"},
            {{"--json", "get", "max"}, "{\"ok\":true,\"value\":\"001234\"}\n"},
        };
        for (const auto &[argumenty, wyjscie] : przypadki) {
            const Przebieg r = cli(QStringList{"--device", d} + argumenty);
            QCOMPARE(r.wyjscie, wyjscie);
            QCOMPARE(r.bledy, QString());
            QCOMPARE(r.kod, 0);
        }
        QCOMPARE(e->rx(), (QList<QByteArray>{"\x01" "2?\x04", "\x01" "1?\x04", "\x01" "0?\x04", "\x01" "3?\x04",
                                             "\x01" "1?\x04", "\x01" "2?\x04"}));
    }

    void ustawienia()
    {
        auto e = emulator({}, m_dir->path());
        const QStringList d{"--device", e->urzadzenie()};
        Przebieg r = cli(d + QStringList{"set", "max", "1500"});
        QCOMPARE(r.wyjscie, QString("001500\n"));
        QCOMPARE(r.kod, 0);
        QCOMPARE(e->rx(), (QList<QByteArray>{"\x01" "2001500\x04", "\x01" "2?\x04"}));

        r = cli(d + QStringList{"set", "frame", "3"});
        QCOMPARE(r.wyjscie, QString("3\n"));
        QCOMPARE(r.kod, 0);
        r = cli(d + QStringList{"--json", "set", "mode", "2"});
        QCOMPARE(r.wyjscie, QString("{\"ok\":true,\"value\":\"2\"}\n"));
        QCOMPARE(r.bledy, QString());
        QCOMPARE(r.kod, 0);
        QCOMPARE(cli(d + QStringList{"get", "mode"}).wyjscie, QString("2\n"));
        QCOMPARE(cli(d + QStringList{"get", "frame"}).wyjscie, QString("3\n"));
    }

    void niepowodzenia_data()
    {
        QTest::addColumn<QStringList>("usterka");
        QTest::addColumn<QStringList>("argumenty");
        QTest::addColumn<QString>("wyjscie");
        QTest::addColumn<QString>("bledy");

        QTest::newRow("get, silent") << QStringList{"--silent"} << QStringList{"get", "max"} << "" << kCzas;
        QTest::newRow("set mode, silent") << QStringList{"--silent"} << QStringList{"set", "mode", "2"} << ""
                                          << kCzas + "\n" + kBladZapisu;
        QTest::newRow("json, silent") << QStringList{"--silent"} << QStringList{"--json", "get", "version"}
                                      << "{\"error\":\"" + kCzas + "\",\"ok\":false}" << "";
        QTest::newRow("get, trailing") << QStringList{"--trailing", "X"} << QStringList{"get", "max"} << ""
                                       << "<SOH>2001500<EOT>X";
        QTest::newRow("set, trailing") << QStringList{"--trailing", "X"} << QStringList{"set", "max", "1200"} << ""
                                       << "<SOH>2001200<EOT>X";
        QTest::newRow("get, noise") << QStringList{"--noise", "\x1b"} << QStringList{"get", "mode"} << ""
                                    << "<0x1B><SOH>00<EOT>";
        QTest::newRow("set max, ignored") << QStringList{"--ignore-set"} << QStringList{"set", "max", "1200"}
                                          << "001500" << kBladZapisu;
        QTest::newRow("set frame, ignored") << QStringList{"--ignore-set"} << QStringList{"set", "frame", "3"} << "1"
                                            << kBladZapisu;
        QTest::newRow("json, ignored") << QStringList{"--ignore-set"} << QStringList{"--json", "set", "mode", "2"}
                                       << "{\"error\":\"" + kBladZapisu + "\",\"ok\":false,\"value\":\"0\"}" << "";
        QTest::newRow("unknown frame type") << QStringList{"--frame", "9"} << QStringList{"get", "frame"} << "9"
                                            << "Wartość niezefiniowana";
    }

    void niepowodzenia()
    {
        QFETCH(QStringList, usterka);
        QFETCH(QStringList, argumenty);
        QFETCH(QString, wyjscie);
        QFETCH(QString, bledy);
        auto e = emulator(usterka, m_dir->path());
        const Przebieg r = cli(QStringList{"--device", e->urzadzenie()} + argumenty);
        QCOMPARE(r.wyjscie, wyjscie.isEmpty() ? QString() : wyjscie + "\n");
        QCOMPARE(r.bledy, bledy.isEmpty() ? QString() : bledy + "\n");
        QCOMPARE(r.kod, 1);
    }

    void brakPortu_data()
    {
        QTest::addColumn<QString>("nrPortu");
        QTest::addColumn<QStringList>("argumenty");
        QTest::addColumn<QString>("wyjscie");
        QTest::addColumn<QString>("bledy");

        const QString com1 = "Port com1 nie jest zainstalowany";
        QTest::newRow("get") << "1" << QStringList{"get", "max"} << "" << com1;
        QTest::newRow("set") << "1" << QStringList{"set", "mode", "1"} << "" << com1;
        QTest::newRow("simulate") << "1" << QStringList{"simulate", "5", "--seconds", "1"} << "" << com1;
        QTest::newRow("json") << "1" << QStringList{"--json", "get", "version"}
                              << "{\"error\":\"" + com1 + "\",\"ok\":false}" << "";
        QTest::newRow("stored number") << "4" << QStringList{"get", "mode"} << "" << "Port com4 nie jest zainstalowany";
        QTest::newRow("--port") << "4" << QStringList{"--port", "12", "get", "mode"} << ""
                                << "Port com12 nie jest zainstalowany";
    }

    void brakPortu()
    {
        QFETCH(QString, nrPortu);
        QFETCH(QStringList, argumenty);
        QFETCH(QString, wyjscie);
        QFETCH(QString, bledy);
        zapisz(nrPortu);
        const Przebieg r = cli(QStringList{"--device", "/nonexistent"} + argumenty);
        QCOMPARE(r.wyjscie, wyjscie.isEmpty() ? QString() : wyjscie + "\n");
        QCOMPARE(r.bledy, bledy.isEmpty() ? QString() : bledy + "\n");
        QCOMPARE(r.kod, 2);
    }

    void ramki_data()
    {
        QTest::addColumn<QString>("waga");
        QTest::addColumn<QString>("ramka");
        QTest::addColumn<QStringList>("argumenty");
        QTest::addColumn<QString>("wyjscie");

        QTest::newRow("type of the stored scale") << "WL-150" << "1" << QStringList{"frame", "1234"} << "  1.234 kg";
        QTest::newRow("stored type, no scale") << "" << "3" << QStringList{"frame", "1234"} << "001234";
        QTest::newRow("another scale") << "WP-30" << "3" << QStringList{"frame", "1234"} << "+  1234 kg";
        QTest::newRow("negative") << "WL-150" << "1" << QStringList{"frame", "-56", "--type", "1"} << "-    56 kg";
        QTest::newRow("negative after --") << "WL-150" << "1" << QStringList{"--type", "1", "frame", "--", "-56"}
                                           << "-    56 kg";
        QTest::newRow("zero") << "WL-150" << "1" << QStringList{"frame", "0", "--type", "1"} << "      0 kg";
        QTest::newRow("trailing spaces") << "WL-150" << "1" << QStringList{"frame", "12", "--type", "7"} << " 12  ";
        QTest::newRow("too many digits") << "WL-150" << "1" << QStringList{"frame", "98765432", "--type", "3"}
                                         << "765432";
        QTest::newRow("json") << "WL-150" << "1" << QStringList{"--json", "frame", "12", "--type", "7"}
                              << "{\"ok\":true,\"type\":\"7\",\"value\":\" 12  \"}";
    }

    void ramki()
    {
        QFETCH(QString, waga);
        QFETCH(QString, ramka);
        QFETCH(QStringList, argumenty);
        QFETCH(QString, wyjscie);
        zapisz("1", waga, ramka);
        // No port is needed for a frame.
        const Przebieg r = cli(QStringList{"--device", "/nonexistent"} + argumenty);
        QCOMPARE(r.wyjscie, wyjscie + "\n");
        QCOMPARE(r.bledy, QString());
        QCOMPARE(r.kod, 0);
    }

    void symulacja()
    {
        auto e = emulator({"--frame", "2"}, m_dir->path());
        const QStringList d{"--device", e->urzadzenie()};
        QElapsedTimer zegar;
        zegar.start();
        Przebieg r = cli(d + QStringList{"simulate", "0", "--seconds", "1"});
        const qint64 czas = zegar.elapsed();
        QCOMPARE(r.kod, 0);
        QVERIFY2(czas >= 1000 && czas < 3000, qPrintable(QString::number(czas)));
        const int wyslane = r.wyjscie.trimmed().toInt();
        QVERIFY2(wyslane >= 15 && wyslane <= 25, qPrintable(r.wyjscie));
        QTRY_COMPARE(ramkiOdebrane(*e), wyslane);
        for (const QString &l : e->linie().filter(QRegularExpression("^FRAME ")))
            QVERIFY2(l.startsWith("FRAME \"  0.000 kg\" weight=0 "), qPrintable(l));

        r = cli(d + QStringList{"--json", "simulate", "-1234", "--seconds", "0.3"});
        const QJsonObject o = QJsonDocument::fromJson(r.wyjscie.toUtf8()).object();
        QCOMPARE(o.value("ok"), QJsonValue(true));
        QCOMPARE(o.value("frame"), QJsonValue("  1.234 kg"));
        QCOMPARE(o.value("type"), QJsonValue("2"));
        QVERIFY(o.value("value").toInt() >= 4);
        QTRY_COMPARE(ramkiOdebrane(*e), wyslane + o.value("value").toInt());
    }

    void koniecSymulacji()
    {
        auto e = emulator({"--frame", "2"}, m_dir->path());
        QProcess p;
        uruchom(p, {"--device", e->urzadzenie(), "simulate", "7"});
        QVERIFY(!e->czekajNaLinie("FRAME ", 3000).isNull());
        ::kill(pid_t(p.processId()), SIGINT);
        Przebieg r = zakoncz(p);
        QCOMPARE(r.kod, 0);
        QTRY_COMPARE(ramkiOdebrane(*e), r.wyjscie.trimmed().toInt());
        QTRY_VERIFY(e->linie().endsWith("PORT closed"));

        e = emulator({"--frame", "2"}, m_dir->path());
        uruchom(p, {"--device", e->urzadzenie(), "simulate", "7"});
        QVERIFY(!e->czekajNaLinie("FRAME ", 3000).isNull());
        e->zabij();
        r = zakoncz(p);
        QCOMPARE(r.kod, 2);
        QCOMPARE(r.wyjscie, QString());
        QCOMPARE(r.bledy, QString("Port com1 przestał odpowiadać - wysyłanie zatrzymane\n"));
    }

    void porty()
    {
        auto e = emulator({}, m_dir->path());
        zapisz("1", "WL-150", "1", "1=" + e->urzadzenie() + "\n2=/nonexistent/tty\n");
        const QStringList linie = cli({"ports"}).wyjscie.split('\n');
        QCOMPARE(linie.value(0), " 1  " + e->urzadzenie());
        QCOMPARE(linie.value(1), QString(" 2  /nonexistent/tty  (missing)"));
        QVERIFY(linie.value(2).startsWith(" 3  /dev/ttyUSB2"));
        QVERIFY(linie.value(15).startsWith("16  /dev/ttyUSB15"));

        const QJsonObject o = QJsonDocument::fromJson(cli({"--json", "ports"}).wyjscie.toUtf8()).object();
        const QJsonArray numery = o.value("value").toArray();
        QCOMPARE(numery.size(), 16);
        QCOMPARE(numery.at(0).toObject(),
                 (QJsonObject{{"port", 1}, {"device", e->urzadzenie()}, {"exists", true}}));
        QCOMPARE(numery.at(1).toObject().value("exists"), QJsonValue(false));
        QVERIFY(o.value("unnumbered").isArray());

        // The map is what a command without --device goes by.
        QCOMPARE(cli({"get", "version"}).wyjscie, QString("KCI 1.07\n"));
        const Przebieg r = cli({"--port", "2", "get", "version"});
        QCOMPARE(r.bledy, QString("Port com2 nie jest zainstalowany\n"));
        QCOMPARE(r.kod, 2);
        QCOMPARE(e->rx(), QList<QByteArray>{"\x01" "3?\x04"});
    }

    void zleUzycie_data()
    {
        QTest::addColumn<QStringList>("argumenty");
        QTest::addColumn<QString>("blad");

        QTest::newRow("none") << QStringList{} << "no command";
        QTest::newRow("unknown command") << QStringList{"reset"} << "wrong command: reset";
        QTest::newRow("unknown option") << QStringList{"--baud", "9600", "get", "max"} << "Unknown option 'baud'.";
        QTest::newRow("get what") << QStringList{"get", "speed"} << "get: max, frame, mode or version";
        QTest::newRow("get too much") << QStringList{"get", "max", "1"} << "wrong command: get max 1";
        QTest::newRow("set version") << QStringList{"set", "version", "2"} << "set: max, frame or mode";
        QTest::newRow("set no value") << QStringList{"set", "mode"} << "wrong command: set mode";
        QTest::newRow("mode 3") << QStringList{"set", "mode", "3"} << "set mode: 0, 1 or 2";
        QTest::newRow("max not a number") << QStringList{"set", "max", "abc"} << "set max: abc is not a number";
        QTest::newRow("fractional weight") << QStringList{"frame", "1.5"} << "frame: 1.5 is not a whole number";
        QTest::newRow("unknown type") << QStringList{"frame", "1", "--type", "99"}
                                      << "frame type 99 is not in the catalogue";
        QTest::newRow("seconds") << QStringList{"simulate", "1", "--seconds", "x"} << "--seconds: a number of seconds";
    }

    void zleUzycie()
    {
        QFETCH(QStringList, argumenty);
        QFETCH(QString, blad);
        // A command that reached for the port would end with 2 here.
        const QStringList d{"--device", "/nonexistent"};
        Przebieg r = cli(d + argumenty);
        QCOMPARE(r.kod, 64);
        QCOMPARE(r.wyjscie, QString());
        QVERIFY2(r.bledy.startsWith("konwerter-cli: " + blad + "\n"), qPrintable(r.bledy));
        QVERIFY(r.bledy.contains("64 wrong usage"));

        if (blad.startsWith("Unknown option"))
            return;
        r = cli(d + QStringList{"--json"} + argumenty);
        QCOMPARE(r.kod, 64);
        QCOMPARE(r.wyjscie, "{\"error\":\"" + blad + "\",\"ok\":false}\n");
        QCOMPARE(r.bledy, QString());
    }

    void pomocIWersja()
    {
        Przebieg r = cli({"--version"});
        QCOMPARE(r.wyjscie, QString("konwerter-cli " KONWERTER_WERSJA "\n"));
        QCOMPARE(r.kod, 0);
        r = cli({"--help"});
        QVERIFY(r.wyjscie.contains("simulate WEIGHT [--type ID] [--seconds S]"));
        QVERIFY(r.wyjscie.contains("2 the port cannot be opened, 64 wrong usage."));
        QCOMPARE(r.kod, 0);
    }
};

QTEST_GUILESS_MAIN(TestCli)
#include "test_cli.moc"
