#include "emulator/opcje.h"

#include "emulator/opcje_wagi.h"

#include "config/kodowanie.h"

#include <QCommandLineParser>
#include <QDir>

#include <algorithm>
#include <cmath>

namespace {

const QCommandLineOption kFolder({QStringLiteral("folder")},
    QStringLiteral("Folder of settings.ini (default: the folder the program keeps its settings in)."),
    QStringLiteral("DIR"));
const QCommandLineOption kLink({QStringLiteral("link")},
    QStringLiteral("Make PATH a symbolic link to the device."), QStringLiteral("PATH"));
const QCommandLineOption kMode({QStringLiteral("mode")},
    QStringLiteral("Operating mode at start, one character (default 0); anything but 0-2 plays a faulty converter."),
    QStringLiteral("M"));
const QCommandLineOption kFrame({QStringLiteral("frame")},
    QStringLiteral("Frame-type code at start, one character (default 1)."), QStringLiteral("C"));
const QCommandLineOption kMax({QStringLiteral("max")},
    QStringLiteral("Maximum value at start, digits (default 001500); other than six plays a faulty converter."),
    QStringLiteral("NNNNNN"));
const QCommandLineOption kVersion({QStringLiteral("version")},
    QStringLiteral("Version text answered to \"3?\" (default \"KCI 1.07\")."),
    QStringLiteral("TEXT"));
const QCommandLineOption kSilent({QStringLiteral("silent")},
    QStringLiteral("Never answer; set commands still take effect."));
const QCommandLineOption kDelay({QStringLiteral("delay")},
    QStringLiteral("Wait MS milliseconds before each answer."), QStringLiteral("MS"));
const QCommandLineOption kSplit({QStringLiteral("split")},
    QStringLiteral("Send each answer in pieces of N bytes, 5 ms apart."), QStringLiteral("N"));
const QCommandLineOption kTrailing({QStringLiteral("trailing")},
    QStringLiteral("Send TEXT after the EOT of each answer."), QStringLiteral("TEXT"));
const QCommandLineOption kNoise({QStringLiteral("noise")},
    QStringLiteral("Send TEXT before the SOH of each answer."), QStringLiteral("TEXT"));
const QCommandLineOption kWrongLength({QStringLiteral("wrong-length")},
    QStringLiteral("Give query answers one value character too many."));
const QCommandLineOption kIgnoreSet({QStringLiteral("ignore-set")},
    QStringLiteral("Answer set commands without taking the value."));
const QCommandLineOption kFlood({QStringLiteral("flood")},
    QStringLiteral("Answer every command with bytes other than EOT for SECONDS."),
    QStringLiteral("SECONDS"));
const QCommandLineOption kFloodRate({QStringLiteral("flood-rate")},
    QStringLiteral("Bytes a second of a flood (default 1000, about a line at 9600 baud)."),
    QStringLiteral("BYTES"));
const QCommandLineOption kQuietFrames({QStringLiteral("quiet-frames")},
    QStringLiteral("Do not report each scale frame."));
const QCommandLineOption kStdin({QStringLiteral("stdin")},
    QStringLiteral("End when standard input ends (so the emulator goes with a parent that "
                   "holds the pipe)."));
const QCommandLineOption kDmm({QStringLiteral("dmm")},
    QStringLiteral("Also play a SCPI multimeter in the loop, on a second pseudo-terminal; the "
                   "second line of output names its device."));
const QCommandLineOption kDmmLink({QStringLiteral("dmm-link")},
    QStringLiteral("The same as --dmm, and make PATH a symbolic link to the meter's device."),
    QStringLiteral("PATH"));
const QCommandLineOption kGain({QStringLiteral("gain")},
    QStringLiteral("Converter's span error in percent: the current above 4 mA is scaled by "
                   "1 + PCT/100 (default 0)."), QStringLiteral("PCT"));
const QCommandLineOption kOffset({QStringLiteral("offset")},
    QStringLiteral("Converter's offset: MA milliamperes added to the loop current (default 0)."),
    QStringLiteral("MA"));
const QCommandLineOption kNonlinearity({QStringLiteral("nonlinearity")},
    QStringLiteral("Converter's non-linearity in percent of the 16 mA span: the error at 12 mA, "
                   "falling as a parabola to 0 at 4 and 20 mA (default 0)."), QStringLiteral("PCT"));
const QCommandLineOption kDmmNoise({QStringLiteral("dmm-noise")},
    QStringLiteral("Meter's noise: each reading off by up to MA milliamperes either way (default 0)."),
    QStringLiteral("MA"));
const QCommandLineOption kDmmTau({QStringLiteral("dmm-tau")},
    QStringLiteral("Meter's settling: the reading approaches a new loop current exponentially "
                   "with this time constant in milliseconds (default 0, at once)."), QStringLiteral("MS"));
const QCommandLineOption kDmmSilent({QStringLiteral("dmm-silent")},
    QStringLiteral("The meter never answers."));

// The meter's and the loop's options mean nothing without the meter.
const QCommandLineOption *const kZMiernikiem[] = {&kGain, &kOffset, &kNonlinearity, &kDmmNoise,
                                                  &kDmmTau, &kDmmSilent};

bool liczba(const QString &tekst, int najmniej, int &wynik)
{
    bool ok = false;
    wynik = tekst.toInt(&ok);
    return ok && wynik >= najmniej;
}

// The value of `o`, when given: a decimal number within ±`granica`.
bool liczbaDziesietna(const QCommandLineParser &p, const QCommandLineOption &o, double granica, double &wynik,
            QString &komunikat)
{
    if (!p.isSet(o))
        return true;
    bool ok = false;
    const double v = p.value(o).toDouble(&ok);
    if (!ok || !(std::fabs(v) <= granica)) {
        komunikat = QStringLiteral("--%1 takes a number from %2 to %3")
                        .arg(o.names().constFirst()).arg(-granica).arg(granica);
        return false;
    }
    wynik = v;
    return true;
}

bool cyfry(QByteArrayView t)
{
    return std::all_of(t.begin(), t.end(), [](char c) { return c >= '0' && c <= '9'; });
}

} // namespace

namespace OpcjeEmulatora {

std::optional<Opcje> czytaj(const QStringList &argumenty, const QString &folderProgramu,
                            QString &komunikat, bool &pomoc)
{
    QCommandLineParser p;
    p.setApplicationDescription(QStringLiteral(
        "Plays the current-loop converter on a pseudo-terminal. The first line of output\n"
        "names the device; every further line reports an event:\n"
        "  RX <hex>       a command frame received\n"
        "  TX <hex>       an answer sent\n"
        "  LOST <hex>     answer bytes sent while no client had the port open\n"
        "  FRAME \"<text>\" weight=<w> current=<mA> mA, or FRAME \"<text>\" undecodable\n"
        "  TYPE \"<code>\" template=\"..\" unit=\"..\" plus=\"..\" minus=\"..\" zero=\"..\"\n"
        "  PORT open, PORT closed\n"
        "  FLOOD start <ms> ms, FLOOD end <n> bytes\n"
        "  STATS frames=<n> mean=<ms> p99dev=<ms> maxdev=<ms>   on SIGUSR1 and at the end\n"
        "With --dmm the second line names the meter's device, and the meter reports:\n"
        "  DMM RX \"<command>\"   DMM TX \"<answer>\"   DMM UNKNOWN \"<command>\"\n"
        "  SCALE \"<text>\" weight=<w> client=<line>, SCALE stopped   with --scale\n"
        "With --dmm the second line names the meter's device, and the meter reports:\n"
        "  DMM RX \"<command>\"   DMM TX \"<answer>\"   DMM UNKNOWN \"<command>\"\n"
        "The loop current is 4 mA until the first frame the converter can read."));
    const QCommandLineOption help = p.addHelpOption();
    p.addOptions({kFolder, kLink, kMode, kFrame, kMax, kVersion, kSilent, kDelay, kSplit,
                  kTrailing, kNoise, kWrongLength, kIgnoreSet, kFlood, kFloodRate, kQuietFrames, kStdin, kDmm,
                  kDmmLink, kGain, kOffset, kNonlinearity, kDmmNoise, kDmmTau, kDmmSilent});
    OpcjeWagiEmulatora::dodaj(p);
    pomoc = false;
    if (!p.parse(argumenty)) {
        komunikat = p.errorText();
        return std::nullopt;
    }
    if (p.isSet(help)) {
        pomoc = true;
        komunikat = p.helpText();
        return std::nullopt;
    }
    if (!p.positionalArguments().isEmpty()) {
        komunikat = QStringLiteral("Unexpected argument: %1").arg(p.positionalArguments().constFirst());
        return std::nullopt;
    }

    Opcje o;
    o.folder = p.isSet(kFolder) ? p.value(kFolder) : folderProgramu;
    o.dowiazanie = p.value(kLink);
    if (p.isSet(kMode)) {
        const QByteArray m = Kodowanie::doAnsi(p.value(kMode));
        if (m.size() != 1) {
            komunikat = QStringLiteral("--mode takes one character");
            return std::nullopt;
        }
        o.stan.tryb = m.front();
    }
    if (p.isSet(kFrame)) {
        const QByteArray c = Kodowanie::doAnsi(p.value(kFrame));
        if (c.size() != 1) {
            komunikat = QStringLiteral("--frame takes one character");
            return std::nullopt;
        }
        o.stan.typRamki = c.front();
    }
    if (p.isSet(kMax)) {
        const QByteArray m = p.value(kMax).toLatin1();
        if (m.isEmpty() || m.size() > 9 || !cyfry(m)) {
            komunikat = QStringLiteral("--max takes one to nine digits");
            return std::nullopt;
        }
        o.stan.maksimum = m;
    }
    if (p.isSet(kVersion))
        o.stan.wersja = Kodowanie::doAnsi(p.value(kVersion));
    o.milczy = p.isSet(kSilent);
    int n = 0;
    if (p.isSet(kDelay)) {
        if (!liczba(p.value(kDelay), 0, n)) {
            komunikat = QStringLiteral("--delay takes milliseconds, 0 or more");
            return std::nullopt;
        }
        o.opoznienie = std::chrono::milliseconds(n);
    }
    if (p.isSet(kSplit)) {
        if (!liczba(p.value(kSplit), 1, n)) {
            komunikat = QStringLiteral("--split takes a number of bytes, 1 or more");
            return std::nullopt;
        }
        o.rozmiarKawalka = n;
    }
    o.dopisek = Kodowanie::doAnsi(p.value(kTrailing));
    o.szum = Kodowanie::doAnsi(p.value(kNoise));
    o.usterkiPolecen.zlaDlugosc = p.isSet(kWrongLength);
    o.usterkiPolecen.ignorujUstawienia = p.isSet(kIgnoreSet);
    if (p.isSet(kFlood)) {
        bool ok = false;
        const double s = p.value(kFlood).toDouble(&ok);
        if (!ok || s <= 0.0 || s > 86400.0) {
            komunikat = QStringLiteral("--flood takes seconds, more than 0");
            return std::nullopt;
        }
        o.zalew = std::chrono::milliseconds(qRound64(s * 1000.0));
    }
    if (p.isSet(kFloodRate)) {
        bool ok = false;
        o.zalewNaSekunde = p.value(kFloodRate).toLongLong(&ok);
        if (!ok || o.zalewNaSekunde < 100 || o.zalewNaSekunde > 100'000'000) {
            komunikat = QStringLiteral("--flood-rate takes bytes a second, 100 to 100000000");
            return std::nullopt;
        }
    }
    o.bezRamek = p.isSet(kQuietFrames);
    o.doKoncaWejscia = p.isSet(kStdin);

    o.multimetr.wlaczony = p.isSet(kDmm) || p.isSet(kDmmLink);
    o.multimetr.dowiazanie = p.value(kDmmLink);
    if (!o.multimetr.dowiazanie.isEmpty() && o.multimetr.dowiazanie == o.dowiazanie) {
        komunikat = QStringLiteral("--dmm-link and --link name the same path");
        return std::nullopt;
    }
    for (const QCommandLineOption *z : kZMiernikiem) {
        if (p.isSet(*z) && !o.multimetr.wlaczony) {
            komunikat = QStringLiteral("--%1 needs --dmm").arg(z->names().constFirst());
            return std::nullopt;
        }
    }
    double procent = 0.0;
    if (!liczbaDziesietna(p, kGain, 100.0, procent, komunikat))
        return std::nullopt;
    o.wyjscie.wzmocnienie = procent / 100.0;
    procent = 0.0;
    if (!liczbaDziesietna(p, kNonlinearity, 100.0, procent, komunikat))
        return std::nullopt;
    o.wyjscie.nieliniowosc = procent / 100.0;
    if (!liczbaDziesietna(p, kOffset, 20.0, o.wyjscie.przesuniecie, komunikat)
        || !liczbaDziesietna(p, kDmmNoise, 20.0, o.multimetr.szum, komunikat))
        return std::nullopt;
    if (o.multimetr.szum < 0.0) {
        komunikat = QStringLiteral("--dmm-noise takes milliamperes, 0 or more");
        return std::nullopt;
    }
    if (p.isSet(kDmmTau)) {
        if (!liczba(p.value(kDmmTau), 0, n)) {
            komunikat = QStringLiteral("--dmm-tau takes milliseconds, 0 or more");
            return std::nullopt;
        }
        o.multimetr.stalaCzasowa = std::chrono::milliseconds(n);
    }
    o.multimetr.milczy = p.isSet(kDmmSilent);
    if (!OpcjeWagiEmulatora::czytaj(p, o.waga, komunikat)
        || (o.waga && !OpcjeWagiEmulatora::sprawdzTyp(QDir(o.folder).filePath(QStringLiteral("settings.ini")),
                                                       o.waga->typ, komunikat)))
        return std::nullopt;
    return o;
}

} // namespace OpcjeEmulatora
