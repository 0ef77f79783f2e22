#include "cli/narzedzie.h"
#include "config/folder.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QRegularExpression>

#include <cstdio>

namespace {

const char *const kUzycie =
    "Commands:\n"
    "  get max | get frame | get mode | get version\n"
    "  set max N | set frame CODE | set mode M\n"
    "  frame WEIGHT [--type ID]\n"
    "  simulate WEIGHT [--type ID] [--seconds S]\n"
    "  ports\n"
    "\n"
    "Exit status: 0 done, 1 the converter did not give what was asked,\n"
    "2 the port cannot be opened, 64 wrong usage.\n";

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
    const QCommandLineOption sekundy(QStringLiteral("seconds"), QStringLiteral("How long simulate sends (default: until Ctrl-C)."),
                                     QStringLiteral("S"));
    opcje.addOptions({folder, port, urzadzenie, json, typ, sekundy});
    opcje.addPositionalArgument(QStringLiteral("command"), QStringLiteral("What to do (see above)."));

    // A negative weight is a value, not an option: it goes after "--", ahead
    // of whatever the user already put there.
    const QStringList podane = QCoreApplication::arguments();
    qsizetype granica = podane.indexOf(QLatin1String("--"));
    if (granica < 0)
        granica = podane.size();
    const QRegularExpression ujemna(QStringLiteral("^-[0-9]+$"));
    QStringList argumenty = podane.first(granica);
    const QStringList ujemne = argumenty.filter(ujemna);
    argumenty.removeIf([&](const QString &x) { return ujemna.match(x).hasMatch(); });
    argumenty << QStringLiteral("--") << ujemne << podane.mid(granica + 1);
    if (!opcje.parse(argumenty))
        return zleUzycie(opcje.errorText(), false);
    if (opcje.isSet(pomoc))
        opcje.showHelp(0);
    if (opcje.isSet(wersja))
        opcje.showVersion();

    const QStringList a = opcje.positionalArguments();
    const QString polecenie = a.value(0);
    const auto liczba = [&](int n) { return a.size() == n; };
    const FolderProgramu pliki = opcje.isSet(folder) ? FolderProgramu(opcje.value(folder))
                                                     : FolderProgramu::domyslny(QCoreApplication::applicationDirPath());
    pliki.przygotuj();
    Narzedzie narzedzie(pliki.folder(), opcje.value(port), opcje.value(urzadzenie));

    Wynik wynik;
    if (polecenie == QLatin1String("get") && liczba(2))
        wynik = narzedzie.pobierz(a[1]);
    else if (polecenie == QLatin1String("set") && liczba(3))
        wynik = narzedzie.ustaw(a[1], a[2]);
    else if (polecenie == QLatin1String("frame") && liczba(2))
        wynik = narzedzie.ramka(a[1], opcje.value(typ));
    else if (polecenie == QLatin1String("simulate") && liczba(2))
        wynik = narzedzie.symuluj(a[1], opcje.value(typ), opcje.value(sekundy));
    else if (polecenie == QLatin1String("ports") && liczba(1))
        wynik = narzedzie.porty();
    else
        return zleUzycie(a.isEmpty() ? QStringLiteral("no command") : QStringLiteral("wrong command: ") + a.join(QLatin1Char(' ')),
                          opcje.isSet(json));

    if (wynik.kod == Wynik::Uzycie)
        return zleUzycie(wynik.blad, opcje.isSet(json));
    return wypisz(wynik, opcje.isSet(json));
}
