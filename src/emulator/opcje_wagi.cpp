#include "emulator/opcje_wagi.h"

#include "emulator/ramka_wagi.h"

#include "config/ini.h"

#include <QCommandLineParser>

namespace {

const QCommandLineOption kScale({QStringLiteral("scale")},
    QStringLiteral("Play a scale sending frames of frame type ID of the catalogue, followed by CR LF, while a client "
                   "has the port open."),
    QStringLiteral("ID"));
const QCommandLineOption kScaleLine({QStringLiteral("scale-line")},
    QStringLiteral("The scale's line settings (default 9600,N,8,1). A client reading with other settings "
                   "gets the bytes as its UART would make them out; characters it cannot make out come as NUL."),
    QStringLiteral("SPEED,P,D,S"));
const QCommandLineOption kScaleWeight({QStringLiteral("scale-weight")},
    QStringLiteral("Weights the scale shows in turn, over and over (default 1234), each from -999999 to 999999."),
    QStringLiteral("W[,W...]"));
const QCommandLineOption kScaleHold({QStringLiteral("scale-hold")},
    QStringLiteral("Frames sent with each weight (default 5)."), QStringLiteral("N"));
const QCommandLineOption kScalePeriod({QStringLiteral("scale-period")},
    QStringLiteral("Milliseconds between frames (default 100)."), QStringLiteral("MS"));
const QCommandLineOption kScaleCut({QStringLiteral("scale-cut")},
    QStringLiteral("Cut every Nth frame in the middle."), QStringLiteral("N"));
const QCommandLineOption kScaleNoise({QStringLiteral("scale-noise")},
    QStringLiteral("Send a burst of noise before every Nth frame."), QStringLiteral("N"));
const QCommandLineOption kScaleStop({QStringLiteral("scale-stop-after")},
    QStringLiteral("Stop sending after N frames a client got."), QStringLiteral("N"));

bool liczba(const QCommandLineParser &p, const QCommandLineOption &o, int najmniej, int &wynik, QString &komunikat)
{
    if (!p.isSet(o))
        return true;
    bool ok = false;
    const int n = p.value(o).toInt(&ok);
    if (!ok || n < najmniej) {
        komunikat = QStringLiteral("--%1 takes a whole number, %2 or more").arg(o.names().constFirst()).arg(najmniej);
        return false;
    }
    wynik = n;
    return true;
}

} // namespace

namespace OpcjeWagiEmulatora {

void dodaj(QCommandLineParser &parser)
{
    parser.addOptions({kScale, kScaleLine, kScaleWeight, kScaleHold, kScalePeriod, kScaleCut, kScaleNoise, kScaleStop});
}

bool czytaj(const QCommandLineParser &p, std::optional<OpcjeWagi> &wynik, QString &komunikat)
{
    wynik.reset();
    if (!p.isSet(kScale)) {
        for (const auto &o : {kScaleLine, kScaleWeight, kScaleHold, kScalePeriod, kScaleCut, kScaleNoise, kScaleStop})
            if (p.isSet(o)) {
                komunikat = QStringLiteral("--%1 needs --scale").arg(o.names().constFirst());
                return false;
            }
        return true;
    }
    OpcjeWagi w;
    w.typ = p.value(kScale);
    if (p.isSet(kScaleLine)) {
        const auto linia = UstawieniaUart::zTekstu(p.value(kScaleLine));
        if (!linia) {
            komunikat = QStringLiteral("--scale-line: %1 is not SPEED,P,D,S (parity N, E or O, 5-8 data bits, "
                                       "1 or 2 stop bits)").arg(p.value(kScaleLine));
            return false;
        }
        w.linia = *linia;
    }
    if (p.isSet(kScaleWeight)) {
        w.wagi.clear();
        for (const QString &t : p.value(kScaleWeight).split(u',')) {
            bool ok = false;
            const int v = t.trimmed().toInt(&ok);
            if (!ok || v < -RamkaWagi::kNajwiekszaWaga || v > RamkaWagi::kNajwiekszaWaga) {
                komunikat = QStringLiteral("--scale-weight: %1 is not a weight from -999999 to 999999").arg(t);
                return false;
            }
            w.wagi.append(v);
        }
    }
    int okres = int(w.okres.count());
    if (!liczba(p, kScaleHold, 1, w.ramekNaWage, komunikat) || !liczba(p, kScalePeriod, 1, okres, komunikat)
        || !liczba(p, kScaleCut, 1, w.coKtoraUcieta, komunikat)
        || !liczba(p, kScaleNoise, 1, w.coKtoraZSzumem, komunikat)
        || !liczba(p, kScaleStop, 1, w.milkniePo, komunikat))
        return false;
    w.okres = std::chrono::milliseconds(okres);
    wynik = w;
    return true;
}

bool sprawdzTyp(const QString &plikUstawien, const QString &typ, QString &komunikat)
{
    const QString plik = modNI::ZnajdzPlik(plikUstawien);
    for (const Wpis &w : modNI::SekcjaOdczyt(QStringLiteral("typy ramek"), plik))
        if (w.Klucz == typ && typ != QLatin1String("ALL"))
            return true;
    komunikat = QStringLiteral("--scale: %1 is not a frame type of the catalogue in %2").arg(typ, plik);
    return false;
}

} // namespace OpcjeWagiEmulatora
