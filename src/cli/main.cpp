#include "cli/narzedzie.h"
#include "cli/sprawdzenie.h"
#include "config/folder.h"
#include "config/opcja_folderu.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QRegularExpression>

#include <algorithm>
#include <cstdio>
#include <memory>

namespace {

const char *const kUzycie =
    "Commands:\n"
    "  get max | get frame | get mode | get version\n"
    "  set max N | set frame CODE [--force] | set mode M\n"
    "  frame WEIGHT [--type ID]\n"
    "  simulate WEIGHT [--type ID] [--seconds S]\n"
    "  ports\n"
    "  identify [--seconds S] [--auto-line]\n"
    "  loopcheck [--points N] [--updown] [--dmm PATH] [--dmm-baud B] [--tolerance PCT]\n"
    "            [--settle-ms MS] [--operator NAME] [--serial SN] [--csv FILE] [--pdf FILE]\n"
    "\n"
    "Exit status: 0 done, 1 the converter did not give what was asked,\n"
    "2 the port cannot be opened, 64 wrong usage. identify: 0 exactly one\n"
    "frame type fits, 1 none or several fit, 2 the port cannot be opened or is lost.\n"
    "loopcheck: 0 pass, 1 fail or unstable, 2 port or meter lost.\n";

// With --json a script gets its JSON object here too; the usage text is for people.
int zleUzycie(const QString &blad, bool json)
{
    if (json)
        return wypisz(Wynik::porazka(Wynik::Uzycie, blad), true);
    std::fprintf(stderr, "konwerter-cli: %s\n%s", qPrintable(blad), kUzycie);
    return Wynik::Uzycie;
}

} // namespace

int main(int argc, char *argv[])
{
    // A printed record needs fonts, which only a GUI application has; it never
    // needs a screen.
    const bool pdf = std::any_of(argv + 1, argv + argc, [](const char *a) {
        return qstrcmp(a, "--pdf") == 0 || qstrncmp(a, "--pdf=", 6) == 0;
    });
    if (pdf)
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const std::unique_ptr<QCoreApplication> app =
        pdf ? std::make_unique<QGuiApplication>(argc, argv) : std::make_unique<QCoreApplication>(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("konwerter-cli"));
    QCoreApplication::setApplicationVersion(QStringLiteral(KONWERTER_WERSJA));

    QCommandLineParser opcje;
    opcje.setApplicationDescription(QStringLiteral(
        "Configures the current-loop converter from a shell, with the settings of the program folder.\n\n")
                                    + QLatin1String(kUzycie));
    const QCommandLineOption pomoc = opcje.addHelpOption();
    const QCommandLineOption wersja = opcje.addVersionOption();
    const QCommandLineOption folder(QStringLiteral("folder"), QStringLiteral("Program folder (settings and language file)."),
                                    QStringLiteral("DIR"));
    const QCommandLineOption port(QStringLiteral("port"), QStringLiteral("Port number for this run."), QStringLiteral("N"));
    const QCommandLineOption urzadzenie(QStringLiteral("device"), QStringLiteral("Every port number names PATH for this run."),
                                        QStringLiteral("PATH"));
    const QCommandLineOption json(QStringLiteral("json"), QStringLiteral("Print one JSON object."));
    const QCommandLineOption typ(QStringLiteral("type"), QStringLiteral("Frame type ID for frame and simulate."),
                                 QStringLiteral("ID"));
    const QCommandLineOption sekundy(QStringLiteral("seconds"),
                                     QStringLiteral("How long simulate sends (default: until Ctrl-C); how long identify "
                                                    "listens under each line setting (default 2)."),
                                     QStringLiteral("S"));
    const QCommandLineOption punkty(QStringLiteral("points"), QStringLiteral("loopcheck: number of points (default 5)."), QStringLiteral("N"));
    const QCommandLineOption goraDol(QStringLiteral("updown"), QStringLiteral("loopcheck: up, then down again."));
    const QCommandLineOption dmm(QStringLiteral("dmm"), QStringLiteral("loopcheck: SCPI meter device (default: readings from standard input)."),
                                 QStringLiteral("PATH"));
    const QCommandLineOption dmmBaud(QStringLiteral("dmm-baud"), QStringLiteral("loopcheck: the meter's speed."), QStringLiteral("B"));
    const QCommandLineOption tolerancja(QStringLiteral("tolerance"), QStringLiteral("loopcheck: ± % of span (default 0.1)."),
                                        QStringLiteral("PCT"));
    const QCommandLineOption ustalanie(QStringLiteral("settle-ms"), QStringLiteral("loopcheck: a point is unstable after MS (default 5000)."),
                                       QStringLiteral("MS"));
    const QCommandLineOption operatorNazwa(QStringLiteral("operator"), QStringLiteral("loopcheck: who runs it."), QStringLiteral("NAME"));
    const QCommandLineOption numer(QStringLiteral("serial"), QStringLiteral("loopcheck: the converter's serial number."), QStringLiteral("SN"));
    const QCommandLineOption csv(QStringLiteral("csv"), QStringLiteral("loopcheck: write the points to FILE."), QStringLiteral("FILE"));
    const QCommandLineOption pdfPlik(QStringLiteral("pdf"), QStringLiteral("loopcheck: write the record to FILE."), QStringLiteral("FILE"));
    const QCommandLineOption autoLinia(QStringLiteral("auto-line"),
                                       QStringLiteral("identify: find the scale's speed, parity and data bits first."));
    const QCommandLineOption wymus(QStringLiteral("force"),
                                   QStringLiteral("set frame: send a code the catalogue does not hold."));
    const QCommandLineOption slad(QStringLiteral("trace"), QStringLiteral("Print every event of the line on standard error."));
    opcje.addOptions({folder, port, urzadzenie, json, typ, sekundy, autoLinia, wymus, slad, punkty, goraDol, dmm, dmmBaud,
                      tolerancja, ustalanie, operatorNazwa, numer, csv, pdfPlik});
    opcje.addPositionalArgument(QStringLiteral("command"), QStringLiteral("What to do (see above)."));

    // A negative weight is a value, not an option: it goes after "--", ahead
    // of whatever the user already put there.
    const QStringList podane = QCoreApplication::arguments();
    qsizetype granica = podane.indexOf(QLatin1String("--"));
    if (granica < 0)
        granica = podane.size();
    // The value of an option stays with it, so "--port -2" is refused as a port.
    const QRegularExpression ujemna(QStringLiteral("^-[0-9]+$"));
    const QStringList zWartoscia{QStringLiteral("--folder"), QStringLiteral("--port"), QStringLiteral("--device"),
                                 QStringLiteral("--type"), QStringLiteral("--seconds")};
    QStringList argumenty;
    QStringList ujemne;
    for (qsizetype i = 0; i < granica; ++i) {
        const QString &x = podane.at(i);
        const bool wartoscOpcji = i > 0 && zWartoscia.contains(podane.at(i - 1));
        (ujemna.match(x).hasMatch() && !wartoscOpcji ? ujemne : argumenty).append(x);
    }
    argumenty << QStringLiteral("--") << ujemne << podane.mid(granica + 1);
    // A script that asked for JSON gets it also when the options themselves
    // are wrong, before the parser has understood any of them.
    const bool jakoJson = podane.first(granica).contains(QLatin1String("--json"));
    if (!opcje.parse(argumenty))
        return zleUzycie(opcje.errorText(), jakoJson);
    if (opcje.isSet(pomoc))
        opcje.showHelp(0);
    if (opcje.isSet(wersja))
        opcje.showVersion();

    const QStringList a = opcje.positionalArguments();
    const QString polecenie = a.value(0);
    const auto liczba = [&](int n) { return a.size() == n; };
    QString blad = opcje.isSet(folder) ? bladFolderu(opcje.value(folder)) : QString();
    if (blad.isEmpty() && opcje.isSet(port))
        blad = Sprawdzenie::nrPortu(opcje.value(port));
    if (!blad.isEmpty())
        return zleUzycie(blad, opcje.isSet(json));
    const FolderProgramu pliki = opcje.isSet(folder) ? FolderProgramu(opcje.value(folder))
                                                     : FolderProgramu::domyslny(QCoreApplication::applicationDirPath());
    pliki.przygotuj();
    Narzedzie narzedzie(pliki.folder(), opcje.value(port), opcje.value(urzadzenie));
    if (opcje.isSet(slad))
        narzedzie.sledz();

    Wynik wynik;
    if (polecenie == QLatin1String("get") && liczba(2))
        wynik = narzedzie.pobierz(a[1]);
    else if (polecenie == QLatin1String("set") && liczba(3))
        wynik = narzedzie.ustaw(a[1], a[2], opcje.isSet(wymus));
    else if (polecenie == QLatin1String("frame") && liczba(2))
        wynik = narzedzie.ramka(a[1], opcje.value(typ));
    else if (polecenie == QLatin1String("simulate") && liczba(2))
        wynik = narzedzie.symuluj(a[1], opcje.value(typ), opcje.value(sekundy));
    else if (polecenie == QLatin1String("ports") && liczba(1))
        wynik = narzedzie.porty();
    else if (polecenie == QLatin1String("loopcheck") && liczba(1)) {
        Narzedzie::OpcjeKontroli k;
        const auto calkowita = [&](const QCommandLineOption &o, int &cel) {
            bool ok = true;
            if (opcje.isSet(o))
                cel = opcje.value(o).toInt(&ok);
            return ok ? QString() : QStringLiteral("--%1: %2 is not a whole number").arg(o.names().first(), opcje.value(o));
        };
        QString blad = calkowita(punkty, k.ustawienia.punkty);
        int ms = int(k.ustawienia.limitUstalania.count());
        if (blad.isEmpty())
            blad = calkowita(ustalanie, ms);
        k.ustawienia.limitUstalania = std::chrono::milliseconds(ms);
        if (blad.isEmpty() && opcje.isSet(tolerancja)) {
            bool ok = false;
            k.ustawienia.tolerancja = opcje.value(tolerancja).toDouble(&ok);
            if (!ok)
                blad = QStringLiteral("--tolerance: %1 is not a number").arg(opcje.value(tolerancja));
        }
        if (!blad.isEmpty())
            return zleUzycie(blad, opcje.isSet(json));
        k.ustawienia.goraDol = opcje.isSet(goraDol);
        k.ustawienia.operatorNazwa = opcje.value(operatorNazwa);
        k.ustawienia.numerSeryjny = opcje.value(numer);
        k.dmm = opcje.value(dmm);
        k.dmmBaud = opcje.value(dmmBaud);
        k.csv = opcje.value(csv);
        k.pdf = opcje.value(pdfPlik);
        k.json = opcje.isSet(json);
        wynik = narzedzie.kontrola(k);
    }
    else if (polecenie == QLatin1String("identify") && liczba(1))
        wynik = narzedzie.identyfikuj(opcje.value(sekundy), opcje.isSet(autoLinia));
    else
        return zleUzycie(a.isEmpty() ? QStringLiteral("no command") : QStringLiteral("wrong command: ") + a.join(QLatin1Char(' ')),
                          opcje.isSet(json));

    narzedzie.dokonczSlad();
    if (wynik.kod == Wynik::Uzycie)
        return zleUzycie(wynik.blad, opcje.isSet(json));
    return wypisz(wynik, opcje.isSet(json));
}
