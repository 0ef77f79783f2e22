#include "config/folder.h"
#include "emulator/dziennik.h"
#include "emulator/emulator.h"
#include "emulator/multimetr.h"
#include "emulator/obserwator_portu.h"
#include "emulator/opcje.h"
#include "emulator/pseudoterminal.h"
#include "emulator/sygnaly.h"
#include "emulator/waga.h"

#include <QCoreApplication>
#include <QDir>
#include <QSocketNotifier>

#include <csignal>
#include <memory>
#include <cstdio>
#include <memory>
#include <unistd.h>

namespace {

constexpr int kBladOpcji = 2;
constexpr int kBladUrzadzenia = 1;

void blad(const QString &tekst)
{
    std::fprintf(stderr, "konwerter-emu: %s\n", qPrintable(tekst));
}

// With --stdin the emulator ends with the end of its standard input: a parent
// that dies, however it dies, closes the pipe and takes the emulator along.
void konczZWejsciem(QCoreApplication &app)
{
    auto *wejscie = new QSocketNotifier(STDIN_FILENO, QSocketNotifier::Read, &app);
    QObject::connect(wejscie, &QSocketNotifier::activated, &app, [wejscie, &app] {
        char bufor[256];
        const ssize_t n = ::read(STDIN_FILENO, bufor, sizeof bufor);
        if (n <= 0) {
            wejscie->setEnabled(false);
            app.quit();
        }
    });
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);

    QString komunikat;
    bool pomoc = false;
    const auto opcje = OpcjeEmulatora::czytaj(
        app.arguments(), FolderProgramu::domyslny(app.applicationDirPath()).folder(), komunikat, pomoc);
    if (!opcje) {
        if (pomoc) {
            std::fputs(qPrintable(komunikat), stdout);
            return 0;
        }
        blad(komunikat);
        return kBladOpcji;
    }

    // Before the device is named: whoever reads the name may signal at once.
    Sygnaly sygnaly({SIGINT, SIGTERM, SIGUSR1});

    Pseudoterminal pty;
    const bool bezDowiazania = opcje->dowiazanie.isEmpty();
    if (!pty.otworz(komunikat) || (!bezDowiazania && !pty.dowiaz(opcje->dowiazanie, komunikat))) {
        blad(komunikat);
        return kBladUrzadzenia;
    }
    ObserwatorPortu port(pty.slave(), pty.slaveFd());
    if (!port.uruchom(komunikat)) {
        blad(komunikat);
        return kBladUrzadzenia;
    }
    Dziennik::wypisz(pty.urzadzenie().toLocal8Bit());

    Pseudoterminal ptyMiernika;
    if (opcje->multimetr.wlaczony) {
        const QString &link = opcje->multimetr.dowiazanie;
        if (!ptyMiernika.otworz(komunikat) || (!link.isEmpty() && !ptyMiernika.dowiaz(link, komunikat))) {
            blad(komunikat);
            return kBladUrzadzenia;
        }
        Dziennik::wypisz(ptyMiernika.urzadzenie().toLocal8Bit());
    }

    Emulator emulator(*opcje, pty.master(), port);
    QObject::connect(&emulator, &Emulator::awaria, &app, [&app] { app.exit(kBladUrzadzenia); });
    std::unique_ptr<Multimetr> multimetr;
    if (opcje->multimetr.wlaczony) {
        multimetr = std::make_unique<Multimetr>(opcje->multimetr, ptyMiernika.master(), emulator.prad());
        QObject::connect(&emulator, &Emulator::pradPetli, multimetr.get(), &Multimetr::ustawPrad);
        QObject::connect(multimetr.get(), &Multimetr::awaria, &app, [&app] { app.exit(kBladUrzadzenia); });
    }
    QObject::connect(&sygnaly, &Sygnaly::odebrano, &app, [&](int sygnal) {
        if (sygnal == SIGUSR1)
            emulator.wypiszStatystyke();
        else
            app.quit();
    });
    if (opcje->doKoncaWejscia)
        konczZWejsciem(app);
    std::unique_ptr<Waga> waga;
    if (opcje->waga) {
        const QString plik = QDir(opcje->folder).filePath(QStringLiteral("settings.ini"));
        waga = std::make_unique<Waga>(*opcje->waga, TypyRamek::wczytaj(plik, opcje->waga->typ), pty.master(),
                                      [&port] { return port.otwarty(); }, !opcje->bezRamek);
    }

    const int wynik = app.exec();
    emulator.wypiszStatystyke();
    return wynik;
}
