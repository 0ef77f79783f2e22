// konwerter-cli as a script runs it: a process against konwerter-emu on a
// pseudo-terminal, with a program folder of its own. After every case the
// settings file holds the very bytes it was written with.
#include "config/kodowanie.h"
#include "wspolne/emulator.h"
#include "wspolne/pliki.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <memory>

#include <unistd.h>

namespace {

const QString kCzas = QStringLiteral("Przekroczony czas oczekiwania!");
const QString kBladZapisu = QStringLiteral("Błąd zapisu");
// What follows every complaint about the command line.
const QString kUzycie = QStringLiteral(
    "Commands:\n"
    "  get max | get frame | get mode | get version\n"
    "  set max N | set frame CODE [--force] | set mode M\n"
    "  frame WEIGHT [--type ID]\n"
    "  simulate WEIGHT [--type ID] [--seconds S]\n"
    "  ports\n"
    "  identify [--seconds S] [--auto-line]\n"
    "  loopcheck [--points N] [--updown] [--dmm PATH] [--dmm-baud B] [--tolerance PCT]\n"
    "            [--settle-ms MS] [--operator NAME] [--serial SN] [--csv FILE] [--pdf FILE]\n\n"
    "Exit status: 0 done, 1 the converter did not give what was asked,\n"
    "2 the port cannot be opened, 64 wrong usage. identify: 0 exactly one\n"
    "frame type fits, 1 none or several fit, 2 the port cannot be opened or is lost.\n"
    "loopcheck: 0 pass, 1 fail or unstable, 2 port or meter lost.");

struct Przebieg { int kod = -1; QString wyjscie, bledy; };

// Frame type 7 ends in spaces, which must reach the converter as they are.
QByteArray plikUstawien(const QString &nrPortu, const QString &waga, const QString &ramka, const QString &porty)
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
        "[porty]\n%4").arg(nrPortu, waga, ramka, porty);
    return Kodowanie::doAnsi(tekst).replace("\n", "\r\n");
}

QStringList slowa(const char *tekst)
{
    return QString::fromUtf8(tekst).split(u' ', Qt::SkipEmptyParts);
}

} // namespace

class TestCli : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    QByteArray m_zapisane;

    void zapisz(const QString &nrPortu = "1", const QString &waga = "WL-150", const QString &ramka = "1",
                const QString &porty = {})
    {
        m_zapisane = plikUstawien(nrPortu, waga, ramka, porty);
        QVERIFY(zapiszBajty(m_dir->filePath("settings.ini"), m_zapisane));
    }

    std::unique_ptr<EmulatorTestowy> emulator(const QStringList &argumenty)
    {
        auto e = std::make_unique<EmulatorTestowy>();
        return e->uruchom(argumenty, m_dir->path()) ? std::move(e) : nullptr;
    }

    // `obcy`: as a user without rights to the device; root has them all, so
    // root runs the tool as nobody, who must be able to read the folder.
    void uruchom(QProcess &p, const QStringList &argumenty, bool obcy = false)
    {
        QStringList a = QStringList{QStringLiteral(KONWERTER_CLI), "--folder", m_dir->path()} + argumenty;
        if (obcy && ::geteuid() == 0) {
            QVERIFY(QFile::setPermissions(m_dir->path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner
                                                             | QFile::ReadOther | QFile::ExeOther));
            a = QStringList{"--reuid=65534", "--regid=65534", "--clear-groups"} + a;
            p.start("setpriv", a);
        } else {
            p.start(a.takeFirst(), a);
        }
        QVERIFY(p.waitForStarted());
    }

    Przebieg zakoncz(QProcess &p)
    {
        if (!p.waitForFinished(15000))
            p.kill();
        return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
                QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
    }

    Przebieg cli(const QStringList &argumenty, bool obcy = false)
    {
        QProcess p;
        uruchom(p, argumenty, obcy);
        return zakoncz(p);
    }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        zapisz();
    }

    void cleanup() { QCOMPARE(czytajBajty(m_dir->filePath("settings.ini")), m_zapisane); }

    void polecenia()
    {
        const QString &czas = kCzas, &zapis = kBladZapisu, com1 = "Port com1 ($DEV) nie jest zainstalowany";
        const auto zle = [](const QString &blad) { return "konwerter-cli: " + blad + "\n" + kUzycie; };
        const auto json = [](const QString &blad) { return "{\"error\":\"" + blad + "\",\"ok\":false}"; };
        // The converter's options, or the device without a converter ("-" none, "@katalog" a folder, "@plik"
        // a plain file, "@zakazany" a device the user may not open), the command, its standard output,
        // standard error and exit status, and the frames the converter received without SOH and EOT.
        // $DIR is the program folder, $DEV the device.
        struct Wiersz { const char *konwerter, *argumenty; QString wyjscie, bledy; int kod; const char *odebrane; };
        const Wiersz wiersze[] = {
            {"--max 001234", "get max", "001234", "", 0, "2?"},
            {"--frame 2", "get frame", "2", "", 0, "1?"},
            {"--mode 1", "get mode", "1", "", 0, "0?"},
            {"--version KCI-9.99", "get version", "KCI-9.99", "", 0, "3?"},
            {"--frame 2", "--json get frame",
             "{\"description\":\"Kropka dziesiętna, jednostka\",\"ok\":true,\"value\":\"2\"}", "", 0, "1?"},
            {"", "set max 2000", "002000", "", 0, "2002000 2?"},
            {"", "set max 999999", "999999", "", 0, "2999999 2?"},
            {"", "set frame 3", "3", "", 0, "13 1?"},
            {"", "--force set frame 9", "9", "", 0, "19 1?"},
            {"", "--json set mode 2", "{\"ok\":true,\"value\":\"2\"}", "", 0, "02 0?"},
            {"", "--port 0001 set mode 1", "1", "", 0, "01 0?"},
            {"--silent", "get max", "", czas, 1, "2?"},
            {"--silent", "set mode 2", "", czas + "\n" + zapis, 1, "02 0?"},
            {"--silent", "set mode 0", "", czas, 1, "00 0?"},
            {"--silent", "--json get version", json(czas), "", 1, "3?"},
            {"--trailing X", "get max", "", "<SOH>2001500<EOT>X", 1, "2?"},
            {"--trailing X", "set max 1200", "", "<SOH>2001200<EOT>X", 1, "2001200 2?"},
            {"--noise \x1b", "get mode", "", "<0x1B><SOH>00<EOT>", 1, "0?"},
            {"--ignore-set", "set max 1200", "001500", zapis, 1, "2001200 2?"},
            {"--ignore-set", "set frame 3", "1", zapis, 1, "13 1?"},
            {"--ignore-set", "--json set mode 2", "{\"error\":\"" + zapis + "\",\"ok\":false,\"value\":\"0\"}", "",
             1, "02 0?"},
            {"--frame 9", "get frame", "9", "Wartość niezefiniowana", 1, "1?"},
            // A port that cannot be opened, named with its device, for every cause.
            {"-", "get max", "", com1, 2, ""},
            {"-", "set mode 1", "", com1, 2, ""},
            {"-", "--port 12 set mode 1", "", "Port com12 ($DEV) nie jest zainstalowany", 2, ""},
            {"-", "simulate 5 --seconds 1", "", com1, 2, ""},
            {"-", "--json get version", json(com1), "", 2, ""},
            {"@katalog", "get max", "", "Nie można otworzyć portu com1 ($DEV): Is a directory", 2, ""},
            {"@plik", "get max", "", "Nie można otworzyć portu com1 ($DEV): Inappropriate ioctl for device", 2, ""},
            {"@zakazany", "get max", "",
             "Brak uprawnień do portu com1 ($DEV): dodaj użytkownika do grupy dialout i zaloguj się ponownie.", 2, ""},
            // The frame type of the stored scale, or the one given.
            {"-", "frame 1234", "  1.234 kg", "18.581 mA", 0, ""},
            {"-", "frame -56 --type 1", "-    56 kg", "11.701 mA", 0, ""},
            {"-", "--type 1 frame -- -56", "-    56 kg", "11.701 mA", 0, ""},
            {"-", "frame 0 --type 1", "      0 kg", "12.000 mA", 0, ""},
            {"-", "frame 12 --type 7", " 12  ", "12.064 mA", 0, ""},
            {"-", "frame 999999 --type 3", "999999", "20.000 mA", 0, ""},
            {"-", "--json frame 12 --type 7", "{\"expected_mA\":12.064,\"ok\":true,\"type\":\"7\",\"value\":\" 12  \"}", "", 0, ""},
            // Wrong usage never reaches for the port.
            {"-", "", "", zle("no command"), 64, ""},
            {"-", "reset", "", zle("wrong command: reset"), 64, ""},
            {"-", "--baud 9600 get max", "", zle("Unknown option 'baud'."), 64, ""},
            {"-", "get speed", "", zle("get: max, frame, mode or version"), 64, ""},
            {"-", "get max 1", "", zle("wrong command: get max 1"), 64, ""},
            {"-", "set version 2", "", zle("set: max, frame or mode"), 64, ""},
            {"-", "set mode", "", zle("wrong command: set mode"), 64, ""},
            {"-", "set mode 3", "", zle("set mode: 3 is not 0, 1 or 2"), 64, ""},
            {"-", "set mode 1.0", "", zle("set mode: 1.0 is not 0, 1 or 2"), 64, ""},
            {"-", "set mode -1", "", zle("set mode: -1 is not 0, 1 or 2"), 64, ""},
            {"-", "set max abc", "", zle("set max: abc is not a whole number from 0 to 999999"), 64, ""},
            {"-", "set max 1.5", "", zle("set max: 1.5 is not a whole number from 0 to 999999"), 64, ""},
            {"-", "set max 1e309", "", zle("set max: 1e309 is not a whole number from 0 to 999999"), 64, ""},
            {"-", "set max 1234567", "", zle("set max: 1234567 is not a whole number from 0 to 999999"), 64, ""},
            {"-", "set max -5", "", zle("set max: -5 is not a whole number from 0 to 999999"), 64, ""},
            {"-", "set frame 9", "", zle("set frame: 9 is not a frame type of the catalogue (--force sends it all the same)"),
             64, ""},
            {"-", "--force set frame 1.5", "", zle("set frame: 1.5 is not a frame-type code (a whole number)"), 64, ""},
            {"-", "--port 0 get max", "", zle("--port: 0 is not a port number from 1 to 9999"), 64, ""},
            {"-", "--port abc get max", "", zle("--port: abc is not a port number from 1 to 9999"), 64, ""},
            {"-", "--port -2 get max", "", zle("--port: -2 is not a port number from 1 to 9999"), 64, ""},
            {"-", "--port 70000 get max", "", zle("--port: 70000 is not a port number from 1 to 9999"), 64, ""},
            {"-", "--port COM3 get max", "", zle("--port: COM3 is not a port number from 1 to 9999"), 64, ""},
            {"-", "--port ttyUSB2 set max 1", "", zle("--port: ttyUSB2 is not a port number from 1 to 9999"), 64, ""},
            {"-", "--folder $DIR/brak get max", "", zle("--folder: $DIR/brak does not exist"), 64, ""},
            {"-", "--folder $DIR/settings.ini get max", "", zle("--folder: $DIR/settings.ini is not a folder"), 64, ""},
            {"-", "frame 1.5", "", zle("frame: 1.5 is not a whole number"), 64, ""},
            {"-", "frame 1 --type 99", "", zle("frame type 99 is not in the catalogue"), 64, ""},
            {"-", "frame 1234567 --type 3", "", zle("frame: 1234567 has 7 digits, frame type 3 has room for 6"), 64, ""},
            {"-", "frame 1234 --type 7", "", zle("frame: 1234 has 4 digits, frame type 7 has room for 3"), 64, ""},
            {"-", "frame -5 --type 3", "", zle("frame: -5 is below zero, frame type 3 has no place for the sign"), 64, ""},
            {"-", "frame -5", "", zle("frame: -5 is below zero, frame type 2 has no place for the sign"), 64, ""},
            {"-", "simulate -5", "", zle("simulate: -5 is below zero, frame type 2 has no place for the sign"), 64, ""},
            {"-", "simulate 1 --seconds x", "", zle("--seconds: x is not a number of seconds above zero"), 64, ""},
            {"-", "simulate 1 --seconds 0", "", zle("--seconds: 0 is not a number of seconds above zero"), 64, ""},
            {"-", "simulate 1 --seconds -1", "", zle("--seconds: -1 is not a number of seconds above zero"), 64, ""},
            {"-", "simulate 1 --seconds inf", "", zle("--seconds: inf is not a number of seconds above zero"), 64, ""},
            {"-", "--json reset", json("wrong command: reset"), "", 64, ""},
            {"-", "--json set mode 3", json("set mode: 3 is not 0, 1 or 2"), "", 64, ""},
            {"-", "--json --baud 9600 get max", json("Unknown option 'baud'."), "", 64, ""},
            {"-", "--json --port 0 get max", json("--port: 0 is not a port number from 1 to 9999"), "", 64, ""},
            {"-", "--json --folder $DIR/brak get max", json("--folder: $DIR/brak does not exist"), "", 64, ""},
        };
        for (const Wiersz &w : wiersze) {
            const QString rodzaj = QString::fromUtf8(w.konwerter);
            const bool zKonwerterem = rodzaj != "-" && !rodzaj.startsWith('@');
            const auto e = zKonwerterem ? emulator(slowa(w.konwerter)) : nullptr;
            QVERIFY(e || !zKonwerterem);
            const QString urzadzenie = e ? e->urzadzenie() : rodzaj.startsWith('@') ? m_dir->filePath(rodzaj.mid(1))
                                                                                    : "/nonexistent";
            const bool obcy = rodzaj == "@zakazany";
            if (rodzaj == "@katalog")
                QVERIFY(QDir(m_dir->path()).mkpath("katalog"));
            else if (rodzaj.startsWith('@'))
                QVERIFY(zapiszBajty(urzadzenie, "x") && QFile::setPermissions(urzadzenie, obcy ? QFile::Permissions()
                                                                                                : QFile::ReadOwner | QFile::WriteOwner));
            const auto podstaw = [&](QString t) { return t.replace("$DIR", m_dir->path()).replace("$DEV", urzadzenie); };
            QStringList argumenty;
            for (const QString &a : slowa(w.argumenty))
                argumenty << podstaw(a);
            const Przebieg r = cli(QStringList{"--device", urzadzenie} + argumenty, obcy);
            QStringList rx;
            for (const QByteArray &f : e ? e->rx() : QList<QByteArray>{})
                rx << QString::fromLatin1(f.mid(1, f.size() - 2));
            const auto opis = [&](int kod, const QString &wyjscie, const QString &bledy, const QString &odebrane) {
                return QStringLiteral("%1 %2\nexit %3\nout: %4\nerr: %5\nrx: %6")
                    .arg(w.konwerter, w.argumenty).arg(kod).arg(wyjscie, bledy, odebrane);
            };
            QCOMPARE(opis(r.kod, r.wyjscie, r.bledy, rx.join(' ')),
                     opis(w.kod, w.wyjscie.isEmpty() ? w.wyjscie : podstaw(w.wyjscie) + "\n",
                          w.bledy.isEmpty() ? w.bledy : podstaw(w.bledy) + "\n", w.odebrane));
        }
    }

    void symulacja()
    {
        auto e = emulator({"--frame", "2"});
        QVERIFY(e);
        const auto ramkiOdebrane = [&] { return int(e->linie().filter("FRAME ").size()); };
        const QStringList d{"--device", e->urzadzenie()};
        // About one second at 50 ms.
        Przebieg r = cli(d + QStringList{"simulate", "0", "--seconds", "1"});
        QCOMPARE(r.kod, 0);
        int n = r.wyjscie.trimmed().toInt();
        QVERIFY2(n >= 15 && n <= 25, qPrintable(r.wyjscie));
        QTRY_COMPARE(ramkiOdebrane(), n);
        for (const QString &l : e->linie().filter("FRAME "))
            QVERIFY2(l.startsWith("FRAME \"  0.000 kg\" weight=0 "), qPrintable(l));

        r = cli(d + QStringList{"--json", "simulate", "-1234", "--type", "1", "--seconds", "0.3"});
        const QJsonObject o = QJsonDocument::fromJson(r.wyjscie.toUtf8()).object();
        QCOMPARE(o.value("ok"), QJsonValue(true));
        QCOMPARE(o.value("frame"), QJsonValue("-  1234 kg"));
        QCOMPARE(o.value("type"), QJsonValue("1"));
        QCOMPARE(o.value("expected_mA"), QJsonValue(5.419));
        QVERIFY(o.value("value").toInt() >= 4);
        n += o.value("value").toInt();
        QTRY_COMPARE(ramkiOdebrane(), n);

        // Ctrl-C ends the sending and closes the port; a converter that goes
        // away ends it with the window's message.
        QProcess p;
        uruchom(p, d + QStringList{"simulate", "7"});
        QTRY_VERIFY(ramkiOdebrane() > n);
        ::kill(pid_t(p.processId()), SIGINT);
        r = zakoncz(p);
        QCOMPARE(r.kod, 0);
        n += r.wyjscie.trimmed().toInt();
        QTRY_COMPARE(ramkiOdebrane(), n);
        QTRY_COMPARE(e->linie().filter("PORT closed").size(), 3);
        uruchom(p, d + QStringList{"simulate", "7"});
        QTRY_VERIFY(ramkiOdebrane() > n);
        e->zabij();
        r = zakoncz(p);
        QCOMPARE(r.kod, 2);
        QCOMPARE(r.wyjscie, QString());
        QCOMPARE(r.bledy, "Port com1 (" + e->urzadzenie() + ") przestał odpowiadać - wysyłanie zatrzymane\n");
    }

    // --trace: the monitor's lines on standard error, ahead of the result, with
    // every byte the converter received and sent.
    void sledzenie()
    {
        const auto e = emulator({"--noise", "~", "--split", "2"});
        QVERIFY(e);
        const Przebieg r = cli({"--device", e->urzadzenie(), "--trace", "set", "mode", "2"});
        QCOMPARE(r.kod, 1);
        QStringList linie = r.bledy.split('\n', Qt::SkipEmptyParts);
        QCOMPARE(linie.takeLast(), kBladZapisu);
        QCOMPARE(linie.takeLast(), QString("~<SOH>02<EOT>"));
        const QRegularExpression wzor("^ *\\d+\\.\\d  \\d\\d:\\d\\d:\\d\\d\\.\\d{3}  (TX|RX|PORT|--) *"
                                      "(?:  (.*)  \\[([0-9A-F ]+)\\])?(?:  (.*))?$");
        QByteArray wyslane, odebrane;
        QStringList znaczenia;
        for (const QString &l : linie) {
            const QRegularExpressionMatch m = wzor.match(l);
            QVERIFY2(m.hasMatch(), qPrintable(l));
            (m.captured(1) == "TX" ? wyslane : odebrane) += QByteArray::fromHex(m.captured(3).toLatin1());
            znaczenia << QString(m.captured(1) + " " + m.captured(4)).replace(QRegularExpression("\\d+ ms"), "# ms");
        }
        QCOMPARE(wyslane, "\x01" "02\x04\x01" "0?\x04");
        QByteArray naLinii;
        for (const QByteArray &b : e->tx())
            naLinii += b;
        QCOMPARE(odebrane, naLinii);
        QCOMPARE(znaczenia.filter(QRegularExpression("^(TX|RX) .")),
                 (QStringList{"TX ustawienie: tryb pracy = 2", "RX odpowiedź na ustawienie po # ms (nie sprawdzana)",
                              "TX zapytanie: tryb pracy", "RX odpowiedź niepoprawna po # ms"}));
        QCOMPARE(znaczenia.filter(QRegularExpression("^PORT port")).size(), 4);
    }

    void porty()
    {
        const auto e = emulator({});
        QVERIFY(e);
        zapisz("4", "", "3", "4=" + e->urzadzenie() + "\n2=/nonexistent/tty\n");
        const QStringList linie = cli({"ports"}).wyjscie.split('\n');
        QVERIFY(linie.value(0).startsWith(" 1  /dev/ttyUSB0"));
        QCOMPARE(linie.value(1), QString(" 2  /nonexistent/tty  (missing)"));
        QCOMPARE(linie.value(3), " 4  " + e->urzadzenie());
        QVERIFY(linie.value(15).startsWith("16  /dev/ttyUSB15"));

        const QJsonObject o = QJsonDocument::fromJson(cli({"--json", "ports"}).wyjscie.toUtf8()).object();
        const QJsonArray numery = o.value("value").toArray();
        QCOMPARE(numery.size(), 16);
        QCOMPARE(numery.at(3).toObject(), (QJsonObject{{"port", 4}, {"device", e->urzadzenie()}, {"exists", true}}));
        QCOMPARE(numery.at(1).toObject().value("exists"), QJsonValue(false));
        QVERIFY(o.value("unnumbered").isArray());

        // The stored number and the map are what a command without --device
        // goes by; without a stored scale, the stored frame type is the frame's.
        QCOMPARE(cli({"get", "version"}).wyjscie, QString("KCI 1.07\n"));
        QCOMPARE(cli({"frame", "1234"}).wyjscie, QString("001234\n"));
        const Przebieg r = cli({"--port", "2", "get", "version"});
        QCOMPARE(r.bledy, QString("Port com2 (/nonexistent/tty) nie jest zainstalowany\n"));
        QCOMPARE(r.kod, 2);
        QCOMPARE(e->rx(), QList<QByteArray>{"\x01" "3?\x04"});
    }

    void pomocIWersja()
    {
        Przebieg r = cli({"--version"});
        QCOMPARE(r.wyjscie, QString("konwerter-cli " KONWERTER_WERSJA "\n"));
        QCOMPARE(r.kod, 0);
        r = cli({"--help"});
        QVERIFY(r.wyjscie.contains(kUzycie));
        QCOMPARE(r.kod, 0);
    }

    // loopcheck with readings piped in, as a script gives them: three points of
    // mode 0 (4, 12 and 20 mA), the tolerance ±0.1 % of span (16 µA).
    void kontrolaPetli_data()
    {
        QTest::addColumn<QStringList>("argumenty");
        QTest::addColumn<QByteArray>("wejscie");
        QTest::addColumn<int>("kod");
        QTest::addColumn<QString>("wyjscie");   // the last line of standard output
        QTest::addColumn<QString>("bledy");
        const QStringList trzy{"loopcheck", "--points", "3"};
        QTest::newRow("zgodna") << trzy << QByteArray("4.000\n12,010\n20\n") << 0 << "verdict: PASS" << "";
        QTest::newRow("niezgodna") << trzy << QByteArray("4\n12.02\n20\n") << 1 << "verdict: FAIL" << "";
        QTest::newRow("szersza tolerancja") << trzy + QStringList{"--tolerance", "0.2"} << QByteArray("4\n12.02\n20\n")
                                            << 0 << "verdict: PASS" << "";
        QTest::newRow("zly wpis") << trzy << QByteArray("4\n12 mA\n12\n20\n") << 0 << "verdict: PASS" << "";
        QTest::newRow("koniec wejscia") << trzy << QByteArray("4\n") << 2 << "verdict: LOST"
                                        << "standard input ended before the last reading\n";
        QTest::newRow("za malo punktow") << QStringList{"loopcheck", "--points", "1"} << QByteArray() << 64 << ""
                                         << "konwerter-cli: loopcheck: points: 1 is not between 2 and 51\n" + kUzycie + "\n";
        QTest::newRow("zla tolerancja") << QStringList{"loopcheck", "--tolerance", "x"} << QByteArray() << 64 << ""
                                        << "konwerter-cli: --tolerance: x is not a number\n" + kUzycie + "\n";
    }

    void kontrolaPetli()
    {
        QFETCH(QStringList, argumenty);
        QFETCH(QByteArray, wejscie);
        auto e = emulator({});
        QVERIFY(e);
        QProcess p;
        uruchom(p, QStringList{"--device", e->urzadzenie()} + argumenty);
        p.write(wejscie);
        p.closeWriteChannel();
        const Przebieg r = zakoncz(p);
        QTEST(r.kod, "kod");
        QTEST(r.bledy, "bledy");
        const QStringList linie = r.wyjscie.trimmed().split('\n');
        QTEST(r.wyjscie.isEmpty() ? QString() : linie.last(), "wyjscie");
        if (r.kod == 64)
            return;
        QCOMPARE(linie.value(0), QString("converter KCI 1.07, max 1500, frame type 1, mode 0"));
        QCOMPARE(linie.value(1), QString("point 1/3  weight -1500  expected 4.000 mA  measured mA?"));
        if (wejscie.contains("12 mA"))
            QVERIFY(linie.contains("\"12 mA\" is not a current in mA; type it again"));
    }

    // The record: the table as a CSV file and as a one-page PDF, and the same
    // run as one JSON object.
    void zapisKontroli()
    {
        auto e = emulator({"--mode", "2"});
        QVERIFY(e);
        QProcess p;
        const QString csv = m_dir->filePath("raporty/k.csv"), pdf = m_dir->filePath("k.pdf");
        uruchom(p, {"--device", e->urzadzenie(), "--json", "loopcheck", "--points", "2", "--updown", "--operator",
                    "Łukasz Żak", "--serial", "SN-7", "--csv", csv, "--pdf", pdf});
        p.write("4\n20.1\n4.001\n");
        p.closeWriteChannel();
        const Przebieg r = zakoncz(p);
        QCOMPARE(r.kod, 1);
        const QJsonObject o = QJsonDocument::fromJson(r.wyjscie.toUtf8()).object();
        QCOMPARE(o.value("value"), QJsonValue("fail"));
        QCOMPARE(o.value("operator"), QJsonValue("Łukasz Żak"));
        QCOMPARE(o.value("converter").toObject().value("mode"), QJsonValue(2));
        QCOMPARE(o.value("largest_error_pct_span").toDouble(), 0.625);
        const QJsonArray punkty = o.value("points").toArray();
        QCOMPARE(punkty.size(), 3);
        QCOMPARE(punkty.at(1).toObject().value("pass"), QJsonValue(false));
        QCOMPARE(punkty.at(2).toObject().value("direction"), QJsonValue("down"));
        QCOMPARE(o.value("csv"), QJsonValue(csv));
        // The prompts go to standard error, so that standard output stays one object.
        QVERIFY(r.bledy.contains("point 3/3  weight 0  expected 4.000 mA  measured mA?"));

        QCOMPARE(QString::fromUtf8(czytajBajty(csv)),
                 QString("point,direction,weight,frame,expected_mA,measured_mA,error_mA,error_pct_span,stable,result\r\n"
                         "1,up,0,\"      0 kg\",4.0000,4.0000,+0.0000,+0.0000,yes,pass\r\n"
                         "2,up,1500,\"+  1500 kg\",20.0000,20.1000,+0.1000,+0.6250,yes,fail\r\n"
                         "3,down,0,\"      0 kg\",4.0000,4.0010,+0.0010,+0.0063,yes,pass\r\n"));

        QProcess info;
        info.start("pdfinfo", {pdf});
        QVERIFY(info.waitForFinished());
        const QString opis = QString::fromUtf8(info.readAllStandardOutput());
        QVERIFY2(opis.contains(QRegularExpression("Pages:\\s+1\\n")), qPrintable(opis));
        QVERIFY2(opis.contains(QRegularExpression("Title:\\s+Protokół kontroli pętli prądowej\\n")), qPrintable(opis));
        QProcess tekst;
        tekst.start("pdftotext", {"-layout", pdf, "-"});
        QVERIFY(tekst.waitForFinished());
        const QString t = QString::fromUtf8(tekst.readAllStandardOutput());
        for (const char *szukany : {"Łukasz Żak", "SN-7", "KCI 1.07", "odczyt ręczny", "+0.6250", "20.1000", "NIEZGODNY"})
            QVERIFY2(t.contains(QString::fromUtf8(szukany)), szukany);
    }

    // The whole loop against the emulator's multimeter: a good converter
    // passes, a 0.5 % gain error fails exactly the points beyond ±0.1 % of
    // span (0, 0.125, 0.25, 0.375 and 0.5 % at the five points of mode 0), a
    // silent meter stops the run with a message.
    void kontrolaZMiernikiem_data()
    {
        QTest::addColumn<QStringList>("konwerter");
        QTest::addColumn<int>("kod");
        QTest::addColumn<QList<bool>>("zgodne");
        QTest::addColumn<QString>("blad");
        QTest::newRow("dobry") << QStringList{"--dmm", "--dmm-noise", "0.0005", "--dmm-tau", "50"} << 0
                               << QList<bool>{true, true, true, true, true} << "";
        QTest::newRow("wzmocnienie 0.5 %") << QStringList{"--dmm", "--gain", "0.5"} << 1
                                           << QList<bool>{true, false, false, false, false} << "";
        QTest::newRow("przesuniecie") << QStringList{"--dmm", "--offset", "0.012"} << 0
                                      << QList<bool>{true, true, true, true, true} << "";
        QTest::newRow("miernik milczy") << QStringList{"--dmm", "--dmm-silent"} << 2 << QList<bool>{}
                                        << "Miernik %1 nie odpowiedział na *IDN? w ciągu 3 s";
    }

    void kontrolaZMiernikiem()
    {
        QFETCH(QStringList, konwerter);
        auto e = emulator(konwerter);
        QVERIFY(e);
        const Przebieg r = cli({"--device", e->urzadzenie(), "--json", "loopcheck", "--dmm", e->miernik()});
        QTEST(r.kod, "kod");
        const QJsonObject o = QJsonDocument::fromJson(r.wyjscie.toUtf8()).object();
        QList<bool> zgodne;
        for (const QJsonValue &p : o.value("points").toArray()) {
            if (p.toObject().contains("pass"))
                zgodne << p.toObject().value("pass").toBool();
        }
        QTEST(zgodne, "zgodne");
        QFETCH(QString, blad);
        QCOMPARE(o.value("error").toString(), blad.isEmpty() ? blad : blad.arg(e->miernik()));
        if (r.kod != 2)
            QCOMPARE(o.value("meter"), QJsonValue("KONWERTER-EMU,DMM-1,0001,1.0"));
    }

    // Ctrl-C in the middle of a run: sending stops, the port closes, the
    // points measured so far are printed and it is no pass.
    void kontrolaPrzerwana()
    {
        auto e = emulator({});
        QVERIFY(e);
        QProcess p;
        uruchom(p, {"--device", e->urzadzenie(), "loopcheck", "--points", "3"});
        p.write("4\n");
        QByteArray wypisane;
        QTRY_VERIFY2((wypisane += p.readAllStandardOutput()).contains("point 2/3"), wypisane.constData());
        ::kill(pid_t(p.processId()), SIGINT);
        const Przebieg r = zakoncz(p);
        QCOMPARE(r.kod, 1);
        QVERIFY2(r.wyjscie.endsWith("verdict: STOPPED\n"), qPrintable(r.wyjscie));
        QCOMPARE(r.bledy, QString("Kontrola przerwana\n"));
        QTRY_VERIFY(e->linie().filter(QRegularExpression("^(PORT|FRAME) ")).last().startsWith("PORT closed"));
        const qsizetype ramek = e->linie().filter("FRAME ").size();
        QTest::qWait(200);
        QCOMPARE(e->linie().filter("FRAME ").size(), ramek);
    }
};

QTEST_GUILESS_MAIN(TestCli)
#include "test_cli.moc"
