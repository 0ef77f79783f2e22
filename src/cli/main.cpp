#include "cli/narzedzie.h"
#include "cli/sprawdzenie.h"
#include "config/folder.h"
#include "config/opcja_folderu.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QRegularExpression>

#include <cstdio>

namespace {

const char *const kUzycie =
    "Commands:\n"
    "  get max | get frame | get mode | get version\n"
    "  set max N | set frame CODE [--force] | set mode M\n"
    "  frame WEIGHT [--type ID]\n"
    "  simulate WEIGHT [--type ID] [--seconds S]\n"
    "  ports\n"
    "  identify [--seconds S] [--auto-line]\n"
    "\n"
    "Exit status: 0 done, 1 the converter did not give what was asked,\n"
    "2 the port cannot be opened, 64 wrong usage. identify: 0 exactly one\n"
    "frame type fits, 1 none or several fit, 2 the port cannot be opened or is lost.\n";

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
    QCoreApplication app(argc, argv);
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
    const QCommandLineOption autoLinia(QStringLiteral("auto-line"),
                                       QStringLiteral("identify: find the scale's speed, parity and data bits first."));
    const QCommandLineOption wymus(QStringLiteral("force"),
                                   QStringLiteral("set frame: send a code the catalogue does not hold."));
    const QCommandLineOption slad(QStringLiteral("trace"), QStringLiteral("Print every event of the line on standard error."));
    opcje.addOptions({folder, port, urzadzenie, json, typ, sekundy, autoLinia, wymus, slad});
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
