// The loop check's run against konwerter-emu, with a meter whose readings the
// test makes up from the point being measured.
#include "petla/kontrola_petli.h"
#include "petla/miernik.h"
#include "wspolne/emulator.h"
#include "wspolne/komunikaty.h"

#include "config/jezyk.h"
#include "serial/lacze.h"
#include "serial/mscomm.h"
#include "serial/protokol.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>

using namespace std::chrono_literals;

namespace {

// Answers each request a few milliseconds later with what `czytaj` gives, or
// not at all when it gives nothing.
class MiernikTestowy : public Miernik
{
public:
    std::function<std::optional<double>()> czytaj;
    QString bladOtwarcia;
    int zamkniety = 0;

    void otworz() override
    {
        QTimer::singleShot(5, this, [this] {
            if (bladOtwarcia.isEmpty())
                emit gotowy(QStringLiteral("MIERNIK TESTOWY,1"));
            else
                emit blad(bladOtwarcia);
        });
    }
    void zmierz() override
    {
        QTimer::singleShot(5, this, [this] {
            if (const auto v = czytaj())
                emit odczyt(*v);
        });
    }
    void zamknij() override { ++zamkniety; }
};

enum class Miernik_ { Dokladny, Przesuniety, Szum, Blad, Milczy, BladOtwarcia };

} // namespace

Q_DECLARE_METATYPE(KontrolaPetli::Koniec)
Q_DECLARE_METATYPE(Miernik_)

class TestKontrola : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        QVERIFY(QFile::copy(QStringLiteral(KONWERTER_DANE "/settings.ini"), m_dir.filePath("settings.ini")));
    }

    void przebieg_data()
    {
        QTest::addColumn<QStringList>("konwerter");
        QTest::addColumn<int>("punkty");
        QTest::addColumn<bool>("goraDol");
        QTest::addColumn<Miernik_>("miernik");
        QTest::addColumn<KontrolaPetli::Koniec>("koniec");
        QTest::addColumn<QString>("opis");
        QTest::addColumn<QList<int>>("wagi");       // of the points measured
        QTest::addColumn<QList<bool>>("zgodne");

        using K = KontrolaPetli::Koniec;
        QTest::newRow("dokladny") << QStringList{"--mode", "0"} << 5 << false << Miernik_::Dokladny << K::Zgodny << ""
                                  << QList<int>{-1500, -750, 0, 750, 1500} << QList<bool>{true, true, true, true, true};
        // 0.012 mA per point beyond the first: 0.075, 0.15, ... % of span.
        QTest::newRow("przesuniety") << QStringList{"--mode", "2", "--max", "000600"} << 3 << true << Miernik_::Przesuniety
                                     << K::Niezgodny << "" << QList<int>{0, 300, 600, 300, 0}
                                     << QList<bool>{true, true, false, false, false};
        QTest::newRow("szum") << QStringList{} << 2 << false << Miernik_::Szum << K::Niezgodny << ""
                              << QList<int>{-1500, 1500} << QList<bool>{false, false};
        QTest::newRow("blad miernika") << QStringList{} << 5 << false << Miernik_::Blad << K::Utracono
                                       << "brak zakresu" << QList<int>{} << QList<bool>{};
        QTest::newRow("miernik milczy") << QStringList{} << 5 << false << Miernik_::Milczy << K::Utracono
                                        << "Miernik nie odpowiada" << QList<int>{} << QList<bool>{};
        QTest::newRow("miernik nie rusza") << QStringList{} << 5 << false << Miernik_::BladOtwarcia << K::Utracono
                                           << "brak urządzenia" << QList<int>{} << QList<bool>{};
        QTest::newRow("konwerter milczy") << QStringList{"--silent"} << 5 << false << Miernik_::Dokladny << K::Utracono
                                          << "Konwerter nie odpowiada poprawnie: Przekroczony czas oczekiwania!"
                                          << QList<int>{} << QList<bool>{};
        QTest::newRow("tryb spoza") << QStringList{"--mode", "7"} << 5 << false << Miernik_::Dokladny << K::Utracono
                                    << "Tryb pracy konwertera \"7\": kontrola niemożliwa" << QList<int>{} << QList<bool>{};
        QTest::newRow("typ spoza") << QStringList{"--frame", "9"} << 5 << false << Miernik_::Dokladny << K::Utracono
                                   << "Typu ramki konwertera nie ma w katalogu \"9\": kontrola niemożliwa"
                                   << QList<int>{} << QList<bool>{};
        QTest::newRow("max zero") << QStringList{"--max", "000000"} << 5 << false << Miernik_::Dokladny << K::Utracono
                                  << "Wartość maksymalna konwertera \"000000\": kontrola niemożliwa"
                                  << QList<int>{} << QList<bool>{};
    }

    void przebieg()
    {
        QFETCH(QStringList, konwerter);
        QFETCH(int, punkty);
        QFETCH(bool, goraDol);
        QFETCH(Miernik_, miernik);

        EmulatorTestowy e;
        QVERIFY(e.uruchom(konwerter, m_dir.path()));
        Jezyk jezyk(m_dir.filePath("set.lng"));
        UstawieniaPortu ustawienia;
        ZebraneKomunikaty komunikaty;
        MSComm port(MapaPortow(QString(), e.urzadzenie()));
        Lacze lacze(port, ustawienia, jezyk, komunikaty);
        lacze.UstawPort();
        Protokol protokol(lacze);
        KontrolaPetli k(lacze, protokol, jezyk, m_dir.filePath("settings.ini"));

        int biezacy = -1;
        int odczytow = 0;
        connect(&k, &KontrolaPetli::punktRozpoczety, this, [&](int i) { biezacy = i; });
        MiernikTestowy m;
        m.czytaj = [&]() -> std::optional<double> {
            const double oczekiwany = k.punkty().at(biezacy).oczekiwany;
            switch (miernik) {
            case Miernik_::Przesuniety:
                return oczekiwany + 0.012 * biezacy;
            case Miernik_::Szum:
                return oczekiwany + (++odczytow % 2 ? 0.004 : -0.004);
            case Miernik_::Blad:
                QTimer::singleShot(0, &m, [&] { emit m.blad("brak zakresu"); });
                return std::nullopt;
            case Miernik_::Milczy:
                return std::nullopt;
            default:
                return oczekiwany;
            }
        };
        if (miernik == Miernik_::BladOtwarcia)
            m.bladOtwarcia = QString::fromUtf8("brak urządzenia");

        UstawieniaKontroli u;
        u.punkty = punkty;
        u.goraDol = goraDol;
        u.limitUstalania = 600ms;
        u.odstepOdczytow = 20ms;
        QSignalSpy koniec(&k, &KontrolaPetli::zakonczono);
        k.start(u, m);
        QVERIFY(k.trwa());
        QVERIFY(koniec.wait(15000));
        QVERIFY(!k.trwa());
        QTEST(koniec.at(0).at(0).value<KontrolaPetli::Koniec>(), "koniec");
        QTEST(koniec.at(0).at(1).toString(), "opis");
        QCOMPARE(m.zamkniety, 1);
        // Sending has stopped and the port is closed.
        QVERIFY(!port.PortOpen());
        QTest::qWait(200);
        const qsizetype ramek = e.linie().filter("FRAME ").size();
        QTest::qWait(150);
        QCOMPARE(e.linie().filter("FRAME ").size(), ramek);

        QList<int> wagi;
        QList<bool> zgodne;
        for (const PunktKontroli &p : k.punkty()) {
            if (!p.zmierzony)
                continue;
            wagi << p.waga;
            zgodne << p.zgodny(u.tolerancja);
        }
        QTEST(wagi, "wagi");
        QTEST(zgodne, "zgodne");
        if (!wagi.isEmpty()) {
            QCOMPARE(k.konwerter().wersja, QString("KCI 1.07"));
            QCOMPARE(k.miernik(), QString("MIERNIK TESTOWY,1"));
            // Each point's frame reached the converter, in order.
            QStringList odebrane;
            for (const QString &l : e.linie().filter("FRAME ")) {
                const QString w = l.section("weight=", 1).section(' ', 0, 0);
                if (odebrane.value(odebrane.size() - 1) != w)
                    odebrane << w;
            }
            QStringList oczekiwane;
            for (int w : wagi)
                oczekiwane << QString::number(w);
            QCOMPARE(odebrane, oczekiwane);
        }
    }

    // Stop at any moment, and a converter that goes away mid-run.
    void przerwanie_data()
    {
        QTest::addColumn<bool>("zabij");
        QTest::newRow("stop") << false;
        QTest::newRow("konwerter znika") << true;
    }

    void przerwanie()
    {
        QFETCH(bool, zabij);
        EmulatorTestowy e;
        QVERIFY(e.uruchom({}, m_dir.path()));
        Jezyk jezyk(m_dir.filePath("set.lng"));
        UstawieniaPortu ustawienia;
        ZebraneKomunikaty komunikaty;
        MSComm port(MapaPortow(QString(), e.urzadzenie()));
        Lacze lacze(port, ustawienia, jezyk, komunikaty);
        lacze.UstawPort();
        Protokol protokol(lacze);
        KontrolaPetli k(lacze, protokol, jezyk, m_dir.filePath("settings.ini"));
        MiernikTestowy m;
        // Never settles, so the run is still on the first point.
        int n = 0;
        m.czytaj = [&] { return std::optional<double>(4.0 + (++n % 2) * 0.1); };
        QSignalSpy koniec(&k, &KontrolaPetli::zakonczono);
        k.start({}, m);
        QVERIFY(QTest::qWaitFor([&] { return n > 3; }, 10000));
        QVERIFY(port.PortOpen());
        if (zabij)
            e.zabij();
        else
            k.stop();
        QVERIFY(koniec.size() == 1 || koniec.wait(5000));
        QCOMPARE(koniec.at(0).at(0).value<KontrolaPetli::Koniec>(),
                 zabij ? KontrolaPetli::Koniec::Utracono : KontrolaPetli::Koniec::Przerwano);
        QCOMPARE(koniec.at(0).at(1).toString(),
                 zabij ? QString("Port com1 przestał odpowiadać - wysyłanie zatrzymane") : QString("Kontrola przerwana"));
        QVERIFY(!port.PortOpen());
        QCOMPARE(m.zamkniety, 1);
        const int odczyty = n;
        QTest::qWait(100);
        QCOMPARE(n, odczyty);
    }
};

QTEST_GUILESS_MAIN(TestKontrola)
#include "test_kontrola.moc"
