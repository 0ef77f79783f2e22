#include "app/demo.h"
#include "app/key.h"
#include "app/okno_komunikatow.h"
#include "app/opcje_okna.h"
#include "app/rozgrzewka_czcionek.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QTimer>

#include <cstdio>
#include <memory>

int main(int argc, char *argv[])
{
    RozgrzewkaCzcionek czcionki;
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("konwerter"));
    QCoreApplication::setApplicationVersion(QStringLiteral(KONWERTER_WERSJA));

    QCommandLineParser opcje;
    opcje.setApplicationDescription(
        QStringLiteral("Configuration and test tool for the current-loop converter."));
    opcje.addHelpOption();
    opcje.addVersionOption();
    const QCommandLineOption folder(QStringLiteral("folder"),
                                    QStringLiteral("Use DIR as the program folder (settings and language file)."),
                                    QStringLiteral("DIR"));
    const QCommandLineOption urzadzenie(QStringLiteral("device"),
                                        QStringLiteral("Every port number names PATH for this run."),
                                        QStringLiteral("PATH"));
    const QCommandLineOption demo(QStringLiteral("demo"),
                                  QStringLiteral("Start the converter emulator and use it as the converter."));
    opcje.addOptions({folder, urzadzenie, demo});
    opcje.process(app);

    OknoKomunikatow komunikaty;
    if (opcje.isSet(folder))
        if (const int kod = sprawdzFolder(opcje.value(folder), komunikaty))
            return kod;
    const FolderProgramu pliki = opcje.isSet(folder) ? FolderProgramu(opcje.value(folder))
                                                     : FolderProgramu::domyslny(QCoreApplication::applicationDirPath());
    pliki.przygotuj();
    QString sciezka = opcje.value(urzadzenie);
    Demo emulator;
    if (opcje.isSet(demo)) {
        QString blad;
        if (emulator.uruchom(pliki.folder(), blad))
            sciezka = emulator.urzadzenie();
        else
            std::fprintf(stderr, "konwerter: demo mode unavailable: %s\n", qPrintable(blad));
    }

    czcionki.zaczekaj();
    KEY okno(pliki, komunikaty, MapaPortow(pliki.plikUstawien(), sciezka));
    QObject::connect(&okno, &KEY::zakonczono, &app, [] { QCoreApplication::exit(0); });
    okno.Form_Load();
    // The start-up benchmark: report once the window is up and its first
    // events are handled, then end.
    if (qEnvironmentVariableIsSet("KONWERTER_POMIAR_STARTU"))
        QTimer::singleShot(0, &app, [] {
            std::puts("ready");
            std::fflush(stdout);
            QCoreApplication::exit(0);
        });
    return QApplication::exec();
}
