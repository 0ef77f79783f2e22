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
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <memory>

namespace {

const QString kCzas = QStringLiteral("Przekroczony czas oczekiwania!");
const QString kBladZapisu = QStringLiteral("Błąd zapisu");
// What follows every complaint about the command line.
const QString kUzycie = QStringLiteral(
    "Commands:\n"
    "  get max | get frame | get mode | get version\n"
    "  set max N | set frame CODE | set mode M\n"
    "  frame WEIGHT [--type ID]\n"
    "  simulate WEIGHT [--type ID] [--seconds S]\n"
    "  ports\n"
    "  loopcheck [--points N] [--updown] [--dmm PATH] [--dmm-baud B] [--tolerance PCT]\n"
    "            [--settle-ms MS] [--operator NAME] [--serial SN] [--csv FILE] [--pdf FILE]\n\n"
    "Exit status: 0 done, 1 the converter did not give what was asked,\n"
    "2 the port cannot be opened, 64 wrong usage. loopcheck: 0 pass,\n"
    "1 fail or unstable, 2 port or meter lost.");

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

    void uruchom(QProcess &p, const QStringList &argumenty)
    {
        p.start(QStringLiteral(KONWERTER_CLI), QStringList{"--folder", m_dir->path()} + argumenty);
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

    void cleanup() { QCOMPARE(czytajBajty(m_dir->filePath("settings.ini")), m_zapisane); }

    void polecenia()
    {
        const QString &czas = kCzas, &zapis = kBladZapisu, com1 = "Port com1 nie jest zainstalowany";
        const auto zle = [](const QString &blad) { return "konwerter-cli: " + blad + "\n" + kUzycie; };
        // The converter's options ("-": no converter and no device), the command, its standard output,
        // standard error and exit status, and the frames the converter received without SOH and EOT.
        struct Wiersz { const char *konwerter, *argumenty; QString wyjscie, bledy; int kod; const char *odebrane; };
        const Wiersz wiersze[] = {
            {"--max 001234", "get max", "001234", "", 0, "2?"},
            {"--frame 2", "get frame", "2", "", 0, "1?"},
            {"--mode 1", "get mode", "1", "", 0, "0?"},
            {"--version KCI-9.99", "get version", "KCI-9.99", "", 0, "3?"},
            {"--frame 2", "--json get frame",
             "{\"description\":\"Kropka dziesiętna, jednostka\",\"ok\":true,\"value\":\"2\"}", "", 0, "1?"},
            {"", "set max 2000", "002000", "", 0, "2002000 2?"},
            {"", "set frame 3", "3", "", 0, "13 1?"},
            {"", "--json set mode 2", "{\"ok\":true,\"value\":\"2\"}", "", 0, "02 0?"},
            {"--silent", "get max", "", czas, 1, "2?"},
            {"--silent", "set mode 2", "", czas + "\n" + zapis, 1, "02 0?"},
            {"--silent", "set mode 0", "", czas, 1, "00 0?"},
            {"--silent", "--json get version", "{\"error\":\"" + czas + "\",\"ok\":false}", "", 1, "3?"},
            {"--trailing X", "get max", "", "<SOH>2001500<EOT>X", 1, "2?"},
            {"--trailing X", "set max 1200", "", "<SOH>2001200<EOT>X", 1, "2001200 2?"},
            {"--noise \x1b", "get mode", "", "<0x1B><SOH>00<EOT>", 1, "0?"},
            {"--ignore-set", "set max 1200", "001500", zapis, 1, "2001200 2?"},
            {"--ignore-set", "set frame 3", "1", zapis, 1, "13 1?"},
            {"--ignore-set", "--json set mode 2", "{\"error\":\"" + zapis + "\",\"ok\":false,\"value\":\"0\"}", "",
             1, "02 0?"},
            {"--frame 9", "get frame", "9", "Wartość niezefiniowana", 1, "1?"},
            // A port that does not exist.
            {"-", "get max", "", com1, 2, ""},
            {"-", "set mode 1", "", com1, 2, ""},
            {"-", "simulate 5 --seconds 1", "", com1, 2, ""},
            {"-", "--json get version", "{\"error\":\"" + com1 + "\",\"ok\":false}", "", 2, ""},
            // The frame type of the stored scale, or the one given.
            {"-", "frame 1234", "  1.234 kg", "18.581 mA", 0, ""},
            {"-", "frame -56 --type 1", "-    56 kg", "11.701 mA", 0, ""},
            {"-", "--type 1 frame -- -56", "-    56 kg", "11.701 mA", 0, ""},
            {"-", "frame 0 --type 1", "      0 kg", "12.000 mA", 0, ""},
            {"-", "frame 12 --type 7", " 12  ", "12.064 mA", 0, ""},
            {"-", "frame 98765432 --type 3", "765432", "20.000 mA", 0, ""},
            {"-", "--json frame 12 --type 7", "{\"expected_mA\":12.064,\"ok\":true,\"type\":\"7\",\"value\":\" 12  \"}", "", 0, ""},
            // Wrong usage never reaches for the port.
            {"-", "", "", zle("no command"), 64, ""},
            {"-", "reset", "", zle("wrong command: reset"), 64, ""},
            {"-", "--baud 9600 get max", "", zle("Unknown option 'baud'."), 64, ""},
            {"-", "get speed", "", zle("get: max, frame, mode or version"), 64, ""},
            {"-", "get max 1", "", zle("wrong command: get max 1"), 64, ""},
            {"-", "set version 2", "", zle("set: max, frame or mode"), 64, ""},
            {"-", "set mode", "", zle("wrong command: set mode"), 64, ""},
            {"-", "set mode 3", "", zle("set mode: 0, 1 or 2"), 64, ""},
            {"-", "set max abc", "", zle("set max: abc is not a number"), 64, ""},
            {"-", "frame 1.5", "", zle("frame: 1.5 is not a whole number"), 64, ""},
            {"-", "frame 1 --type 99", "", zle("frame type 99 is not in the catalogue"), 64, ""},
            {"-", "simulate 1 --seconds x", "", zle("--seconds: a number of seconds"), 64, ""},
            {"-", "--json reset", "{\"error\":\"wrong command: reset\",\"ok\":false}", "", 64, ""},
            {"-", "--json set mode 3", "{\"error\":\"set mode: 0, 1 or 2\",\"ok\":false}", "", 64, ""},
        };
        for (const Wiersz &w : wiersze) {
            const bool zKonwerterem = qstrcmp(w.konwerter, "-") != 0;
            const auto e = zKonwerterem ? emulator(slowa(w.konwerter)) : nullptr;
            QVERIFY(e || !zKonwerterem);
            const Przebieg r = cli(QStringList{"--device", e ? e->urzadzenie() : "/nonexistent"} + slowa(w.argumenty));
            QStringList rx;
            for (const QByteArray &f : e ? e->rx() : QList<QByteArray>{})
                rx << QString::fromLatin1(f.mid(1, f.size() - 2));
            const auto opis = [&](int kod, const QString &wyjscie, const QString &bledy, const QString &odebrane) {
                return QStringLiteral("%1 %2\nexit %3\nout: %4\nerr: %5\nrx: %6")
                    .arg(w.konwerter, w.argumenty).arg(kod).arg(wyjscie, bledy, odebrane);
            };
            QCOMPARE(opis(r.kod, r.wyjscie, r.bledy, rx.join(' ')),
                     opis(w.kod, w.wyjscie.isEmpty() ? w.wyjscie : w.wyjscie + "\n",
                          w.bledy.isEmpty() ? w.bledy : w.bledy + "\n", w.odebrane));
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

        r = cli(d + QStringList{"--json", "simulate", "-1234", "--seconds", "0.3"});
        const QJsonObject o = QJsonDocument::fromJson(r.wyjscie.toUtf8()).object();
        QCOMPARE(o.value("ok"), QJsonValue(true));
        QCOMPARE(o.value("frame"), QJsonValue("  1.234 kg"));
        QCOMPARE(o.value("type"), QJsonValue("2"));
        QCOMPARE(o.value("expected_mA"), QJsonValue(18.581));
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
        QCOMPARE(r.bledy, QString("Port com1 przestał odpowiadać - wysyłanie zatrzymane\n"));
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
        QCOMPARE(r.bledy, QString("Port com2 nie jest zainstalowany\n"));
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
