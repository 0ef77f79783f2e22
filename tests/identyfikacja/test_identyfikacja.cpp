// konwerter-cli identify against konwerter-emu playing a scale: the types its
// frames fit, the line settings found, and the messages for a line that does
// not give a scale's frames.
#include "config/kodowanie.h"
#include "wspolne/emulator.h"
#include "wspolne/pliki.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// Two types that one weight cannot tell apart: "  1234" is a frame of both.
const char *const kDwaTypy =
    "[parametry]\r\njm=kg\r\n[typy ramek]\r\nA=Sześć cyfr\r\nB=Cztery cyfry\r\nALL=Wszystkie wagi\r\n"
    "[A]\r\nramka=mmmmmm\r\n[B]\r\nramka=ssmmmm\r\n";

const QString kZmienna = QStringLiteral("0,7,-13,120,-2500,98765");

struct Przebieg
{
    int kod = -1;
    QJsonObject json;
    QString bledy;
};

QStringList slowa(const QString &tekst)
{
    return tekst.split(u' ', Qt::SkipEmptyParts);
}

QStringList klucze(const QJsonArray &typy)
{
    QStringList k;
    for (const auto &t : typy)
        k.append(t.toObject().value("type").toString());
    return k;
}

} // namespace

class TestIdentyfikacja : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;

    void przygotuj(const QByteArray &katalog)
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        const QByteArray plik = katalog.isEmpty() ? czytajBajty(KONWERTER_DANE "/settings.ini")
                                                  : Kodowanie::doAnsi(QString::fromUtf8(katalog));
        QVERIFY(!plik.isEmpty());
        QVERIFY(zapiszBajty(m_dir->filePath("settings.ini"), plik));
    }

    Przebieg identyfikuj(const QString &urzadzenie, const QStringList &argumenty)
    {
        QProcess p;
        // The client's data bits and parity reach the emulator through the preloaded tcsetattr; a
        // sanitized build lets it go first.
        QProcessEnvironment srodowisko = QProcessEnvironment::systemEnvironment();
        srodowisko.insert("LD_PRELOAD", KONWERTER_LINIA_KLIENTA);
        const QString asan = srodowisko.value("ASAN_OPTIONS");
        srodowisko.insert("ASAN_OPTIONS", (asan.isEmpty() ? "" : asan + ":") + "verify_asan_link_order=0");
        p.setProcessEnvironment(srodowisko);
        p.start(QStringLiteral(KONWERTER_CLI), QStringList{"--folder", m_dir->path(), "--device", urzadzenie,
                                                           "--json", "identify"} + argumenty);
        if (!p.waitForFinished(60000))
            p.kill();
        Przebieg r;
        r.kod = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
        r.json = QJsonDocument::fromJson(p.readAllStandardOutput()).object();
        r.bledy = QString::fromLocal8Bit(p.readAllStandardError());
        return r;
    }

private slots:
    void identyfikacja_data()
    {
        QTest::addColumn<QByteArray>("katalog");
        QTest::addColumn<QString>("waga");
        QTest::addColumn<QString>("argumenty");
        QTest::addColumn<int>("kod");
        QTest::addColumn<QStringList>("typy");
        QTest::addColumn<QString>("linia");
        QTest::addColumn<QString>("uwaga");
        const QString zmienna = "--scale-period 50 --scale-hold 2 --scale-weight " + kZmienna + " --scale ";
        for (const char *typ : {"1", "2", "3", "4"})
            QTest::addRow("typ %s", typ) << QByteArray() << zmienna + typ << "--seconds 1.2" << 0 << QStringList{typ}
                                         << "9600,N,8,1" << "";
        QTest::newRow("stala waga, dwa typy") << QByteArray(kDwaTypy) << "--scale-period 50 --scale-weight 1234 --scale A"
                                              << "--seconds 1" << 1 << QStringList{"B", "A"} << "9600,N,8,1"
                                              << "Pasuje kilka typów";
        QTest::newRow("4800 7E1") << QByteArray() << "--scale-line 4800,E,7,1 " + zmienna + "1"
                                  << "--auto-line --seconds 0.6" << 0 << QStringList{"1"} << "4800,E,7,1"
                                  << "Wybrano 4800,E,7,1";
        QTest::newRow("ucinane ramki") << QByteArray() << "--scale-cut 7 " + zmienna + "2" << "--seconds 1.5" << 0
                                       << QStringList{"2"} << "9600,N,8,1" << "nie pasuje do żadnego typu";
        QTest::newRow("szum przed co piata") << QByteArray() << "--scale-noise 5 " + zmienna + "4" << "--seconds 1.5"
                                             << 0 << QStringList{"4"} << "9600,N,8,1" << "nie pasuje do żadnego typu";
        QTest::newRow("sam szum") << QByteArray() << "--scale-noise 1 " + zmienna + "4" << "--seconds 1" << 1
                                  << QStringList{} << "9600,N,8,1" << "Żaden typ ramki";
        QTest::newRow("waga milknie") << QByteArray() << "--scale-stop-after 8 " + zmienna + "3" << "--seconds 2.5"
                                      << 0 << QStringList{"3"} << "9600,N,8,1" << "Waga przestała nadawać";
        QTest::newRow("bez wagi") << QByteArray() << "" << "--seconds 1" << 1 << QStringList{} << "9600,N,8,1"
                                  << "Nic nie przyszło";
    }

    void identyfikacja()
    {
        QFETCH(QByteArray, katalog);
        QFETCH(QString, waga);
        QFETCH(QString, argumenty);
        przygotuj(katalog);
        EmulatorTestowy emu;
        QVERIFY(emu.uruchom(slowa(waga) << "--quiet-frames", m_dir->path()));
        const Przebieg r = identyfikuj(emu.urzadzenie(), slowa(argumenty));
        const QString opis = QString::fromUtf8(QJsonDocument(r.json).toJson()) + r.bledy;
        QFETCH(int, kod);
        QVERIFY2(r.kod == kod, qPrintable(opis));
        QTEST(klucze(r.json.value("types").toArray()), "typy");
        QTEST(r.json.value("line").toString(), "linia");
        QFETCH(QString, uwaga);
        const QString uwagi = r.json.value("messages").toVariant().toStringList().join('\n');
        QVERIFY2(uwaga.isEmpty() ? uwagi.isEmpty() : uwagi.contains(uwaga), qPrintable(opis));
        QVERIFY(emu.zatrzymaj());
    }

    // The port vanishing while the CLI listens ends it with status 2.
    void utrataPortu()
    {
        przygotuj({});
        EmulatorTestowy emu;
        QVERIFY(emu.uruchom({"--scale", "1", "--scale-period", "50", "--quiet-frames"}, m_dir->path()));
        QProcess p;
        p.start(QStringLiteral(KONWERTER_CLI), QStringList{"--folder", m_dir->path(), "--device", emu.urzadzenie(),
                                                           "identify", "--seconds", "10"});
        QVERIFY(p.waitForStarted());
        QTest::qWait(500);
        emu.zabij();
        QVERIFY(p.waitForFinished(5000));
        QCOMPARE(p.exitCode(), 2);
        QVERIFY2(QString::fromLocal8Bit(p.readAllStandardError()).contains("przestał odpowiadać"),
                 "the message names the lost port");
    }
};

QTEST_GUILESS_MAIN(TestIdentyfikacja)
#include "test_identyfikacja.moc"
