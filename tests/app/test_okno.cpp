#include "config/ini.h"
#include "wspolne/okno.h"
#include "wspolne/pliki.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

namespace {

const QStringList kPanele = {"picPoloczenie", "picZdarzenia", "picPlik", "picTransmisja"};

QString tekst(const UruchomioneOkno &o, const QString &nazwa)
{
    return o.w<QLabel>(nazwa)->text();
}

} // namespace

class TestOkno : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    QString folder() const { return m_dir->path(); }
    QString plik(const QString &nazwa) const { return m_dir->filePath(nazwa); }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
    }

    void startWPustymFolderze()
    {
        UruchomioneOkno o(folder());
        for (const QWidget *w : o.okno->findChildren<QWidget *>())
            QVERIFY2(!w->isWindow(), qPrintable(w->objectName()));
        QCOMPARE(o.okno->size(), QSize(493, 333));
        QVERIFY(o.okno->isVisible());
        for (const QString &p : kPanele) {
            QCOMPARE(o.w(p)->parentWidget()->objectName(), QString("Smietnik"));
            QVERIFY(!o.w(p)->isVisible());
        }
        QCOMPARE(tekst(o, "lblNrPortuVal"), QString("1"));
        QCOMPARE(tekst(o, "lblSpeedVal"), QString("9600"));
        QCOMPARE(tekst(o, "lblPariteVal"), QString("N"));
        QCOMPARE(tekst(o, "lblBitsDataVal"), QString("8"));
        QCOMPARE(tekst(o, "lblBitsStopVal"), QString("1"));
        QVERIFY(!o.okno->MSComm1().PortOpen());
        QCOMPARE(o.okno->findChild<MSComm *>("MSComm1"), &o.okno->MSComm1());
        auto *timer3 = o.okno->findChild<QTimer *>("Timer3");
        QVERIFY(timer3 && !timer3->isActive());
        QCOMPARE(timer3->interval(), 50);
        QCOMPARE(timer3->timerType(), Qt::PreciseTimer);
        QCOMPARE(o.okno->MSComm1().CommPort(), 1);
        QCOMPARE(o.okno->MSComm1().Settings(), QString("9600,N,8,1"));

        // The headers of the panels come first and give their texts to the
        // navigation labels that share their Tags.
        QCOMPARE(tekst(o, "LblUstawieniaPortu"), QString::fromUtf8("POŁĄCZENIE"));
        QCOMPARE(tekst(o, "lblTransmisja"), QString("TRANSMISJA"));
        QCOMPARE(o.okno->windowTitle(), QString("Konwerter - C\\I"));
        QVERIFY(o.okno->windowIcon().availableSizes().contains(QSize(32, 32)));

        const QString lng = plik("set.lng");
        QVERIFY(QFile::exists(lng));
        const QList<QPair<QString, QString>> oczekiwane = {
            {"conect", "POŁĄCZENIE"}, {"tryb_pracy", "TRYB PRACY"}, {"param_wagi", "PARAMETRY WAGI"},
            {"transmition", "TRANSMISJA"}, {"CONFIG", "Konfiguracja"}, {"cntkonwerter", "Konwerter"},
            {"end", "Zamknij"}, {"comm", "numer portu"}, {"speed", "prędkość transmisji"},
            {"parity", "parzystość"}, {"bits data", "bity danych"}, {"bits stop", "bity stopu"},
            {"set", "Zastosuj"}, {"cancel", "Anuluj"}, {"clr", "CLR"}, {"max_wagi", "Max wagi"},
            {"wagi_zgodne", "Wzagi zgodne"}, {"typ_ramki", "Typ ramki"},
            {"opModPracy0", "- max[4mA] >> 0[12mA] << + max[20mA]"},
            {"opModPracy1", "- max[20mA] >> 0[4mA] << + max[20mA]"},
            {"opModPracy2", "- max[4mA] >> 0[4mA] << + max[20mA]"}, {"print", "Nasłuch ciągły"},
            {"wait", "Czekaj transmisja"}, {"odbierz", ""}, {"ustaw", ""}, {"wersja", ""},
            {"pokaz_wykres", ""}, {"logo1", ""}, {"logo2", ""}, {"logo3", ""}, {"logoHandel", ""},
            {"logoTel", ""},
        };
        for (const auto &[tag, podpis] : oczekiwane)
            QCOMPARE(modNI::CzytajIni(lng, "glowna", tag, "<brak>"), QString::fromUtf8(podpis.toUtf8()));
        QCOMPARE(modNI::CzytajIni(lng, "Formatki", "glowna", ""), QString("Konwerter - C\\I"));
        QVERIFY(o.komunikaty.lista.isEmpty());
    }

    void nawigacjaPrzenosiPanele()
    {
        UruchomioneOkno o(folder());
        o.klik("LblUstawieniaPortu");
        QWidget *polaczenie = o.w("picPoloczenie");
        QCOMPARE(polaczenie->parentWidget(), o.okno.get());
        QCOMPARE(polaczenie->pos(), QPoint(3, 3));
        QVERIFY(polaczenie->isVisible());

        // The keypad open with digits typed stays so behind another panel.
        o.klik("LblNrPortuCap");
        QWidget *klawiatura = o.w("picNrPort");
        QCOMPARE(klawiatura->parentWidget(), polaczenie);
        QWidget *wiersz = o.w("Picture4");
        QCOMPARE(klawiatura->pos(), QPoint(wiersz->x(), wiersz->y() + wiersz->height()));
        o.klik("ButtonXP1_4");
        o.klik("ButtonXP1_2");

        o.klik("lblTransmisja");
        QVERIFY(o.w("picTransmisja")->isVisible());
        QCOMPARE(polaczenie->parentWidget()->objectName(), QString("Smietnik"));
        QVERIFY(!klawiatura->isVisible());
        for (const QString &p : kPanele)
            if (p != "picTransmisja")
                QVERIFY(!o.w(p)->isVisible());

        o.klik("LblUstawieniaPortu");
        QVERIFY(klawiatura->isVisible());
        QCOMPARE(klawiatura->parentWidget(), polaczenie);
        QCOMPARE(tekst(o, "lblNrPortuVal"), QString("42"));

        // A tall panel covers the information labels under it: the window
        // shows there exactly what the panel draws.
        o.klik("lblPlik");
        QWidget *plik = o.w("picPlik");
        const auto obraz = [](QWidget *w, const QRect &r = QRect(QPoint(0, 0), QSize(-1, -1))) {
            return w->grab(r).toImage().convertToFormat(QImage::Format_RGB32);
        };
        QCOMPARE(obraz(o.okno.get(), plik->geometry()), obraz(plik));
        o.klik("LblUstawieniaPortu");
        QCOMPARE(obraz(o.okno.get(), klawiatura->geometry().translated(polaczenie->pos())), obraz(klawiatura));

        // The bottom row opens its panel above itself.
        o.klik("lblBitsStopCap");
        QWidget *stop = o.w("picStop");
        QWidget *dolny = o.w("Picture8");
        QCOMPARE(stop->pos(), QPoint(dolny->x(), dolny->y() - stop->height()));
    }

    void klawiaturaNumeruPortu()
    {
        {
            UruchomioneOkno o(folder());
            o.klik("LblUstawieniaPortu");
            o.klik("LblNrPortuCap");
            QCOMPARE(tekst(o, "lblNrPortuVal"), QString(""));
            for (const char *d : {"ButtonXP1_0", "ButtonXP1_0", "ButtonXP1_1", "ButtonXP1_2", "ButtonXP1_7"})
                o.klik(d);
            QCOMPARE(tekst(o, "lblNrPortuVal"), QString("0012"));
            o.klik("cmdOkNrPortu");
            QCOMPARE(o.w("picNrPort")->parentWidget()->objectName(), QString("Smietnik"));
            QCOMPARE(modNI::CzytajIni(plik("Settings.ini"), "USTAWIENIA", "NR PORTU", ""), QString("0012"));
            QCOMPARE(o.okno->MSComm1().CommPort(), 12);
            QCOMPARE(o.okno->nazwaPortu(), QString("Port com0012"));
        }
        UruchomioneOkno o(folder());
        QCOMPARE(tekst(o, "lblNrPortuVal"), QString("12"));
        o.klik("LblUstawieniaPortu");

        // Applying an empty entry keeps (and stores again) the current number.
        o.klik("LblNrPortuCap");
        o.klik("cmdOkNrPortu");
        QCOMPARE(tekst(o, "lblNrPortuVal"), QString("12"));
        QCOMPARE(modNI::CzytajIni(plik("Settings.ini"), "USTAWIENIA", "NR PORTU", ""), QString("12"));

        o.klik("LblNrPortuCap");
        o.klik("ButtonXP1_5");
        o.klik("cmdCLRNrPortu");
        QCOMPARE(tekst(o, "lblNrPortuVal"), QString(""));
        QCOMPARE(o.w("picNrPort")->parentWidget(), o.w("picPoloczenie"));
        o.klik("ButtonXP1_9");
        o.klik("cmdNoNrPortu");
        QCOMPARE(tekst(o, "lblNrPortuVal"), QString("12"));
        QCOMPARE(modNI::CzytajIni(plik("Settings.ini"), "USTAWIENIA", "NR PORTU", ""), QString("12"));
    }

    void wyborZmieniaJedenKlucz()
    {
        const QByteArray przed = "; ustawienia\r\n[USTAWIENIA]\r\nNR PORTU = 0003 \r\nPR\xCA""DKO\x8C\xC6=9600\r\n"
                                 "PARZYSTO\x8C\xC6=X\r\n\r\n[wagi]\r\nA=1\r\n";
        QVERIFY(zapiszBajty(plik("Settings.ini"), przed));
        UruchomioneOkno o(folder());
        QCOMPARE(tekst(o, "lblNrPortuVal"), QString("3"));
        QCOMPARE(tekst(o, "lblPariteVal"), QString("X"));
        // The port object refuses the parity and keeps what it had.
        QCOMPARE(o.okno->MSComm1().Settings(), QString("9600,N,8,1"));

        o.klik("LblUstawieniaPortu");
        o.klik("lblSpeedCap");
        o.klik("ButtonXP6");
        QByteArray oczekiwane = przed;
        oczekiwane.replace("=9600", "=19200");
        QCOMPARE(czytajBajty(plik("Settings.ini")), oczekiwane);
        QCOMPARE(tekst(o, "lblSpeedVal"), QString("19200"));
        QCOMPARE(o.w("picSpeed")->parentWidget()->objectName(), QString("Smietnik"));
        QVERIFY(!o.okno->MSComm1().PortOpen());

        o.klik("lblPariteCap");
        o.klik("ButtonXP9");
        o.klik("lblBitsDataCap");
        o.klik("ButtonXP13");
        o.klik("lblBitsStopCap");
        o.klik("ButtonXP11");
        QCOMPARE(o.okno->MSComm1().Settings(), QString("19200,E,7,2"));
        const QString s = plik("Settings.ini");
        QCOMPARE(modNI::CzytajIni(s, "USTAWIENIA", QString::fromUtf8("PARZYSTOŚĆ"), ""), QString("E"));
        QCOMPARE(modNI::CzytajIni(s, "USTAWIENIA", "BITY DANYCH", ""), QString("7"));
        QCOMPARE(modNI::CzytajIni(s, "USTAWIENIA", "BITY STOPU", ""), QString("2"));
        QCOMPARE(modNI::CzytajIni(s, "wagi", "A", ""), QString("1"));
    }

    void tlumaczenie()
    {
        QVERIFY(zapiszBajty(plik("set.lng"), "[glowna]\r\nconect=CONNECTION\r\nend=\r\n"
                                             "[Formatki]\r\nglowna=Converter\r\n"
                                             "[komunikatyProste]\r\nPrzekroczony czas oczekiwania!=Timeout!\r\n"));
        UruchomioneOkno o(folder());
        QCOMPARE(tekst(o, "LblUstawieniaPortu"), QString("CONNECTION"));
        QCOMPARE(tekst(o, "Label14"), QString("CONNECTION"));
        QCOMPARE(o.okno->windowTitle(), QString("Converter"));
        QCOMPARE(o.w("cmdZamknij")->property("Caption").toString(), QString("Zamknij"));
        QCOMPARE(modNI::CzytajIni(plik("set.lng"), "glowna", "end", ""), QString("Zamknij"));
        QCOMPARE(o.okno->jezyk().Komunikat("Przekroczony czas oczekiwania!"), QString("Timeout!"));
    }

    void tabulatorPoOtwarciuWyboru()
    {
        UruchomioneOkno o(folder());
        QVERIFY(QTest::qWaitForWindowActive(o.okno.get()));
        o.klik("LblUstawieniaPortu");
        QWidget *maks = o.w("txtMaxVal");
        o.klik("lblPlik");
        maks->setFocus();
        QWidget *przed = QApplication::focusWidget();
        QTest::keyClick(przed, Qt::Key_Tab);
        QVERIFY(QApplication::focusWidget() != przed);

        o.klik("LblUstawieniaPortu");
        o.klik("lblSpeedCap");
        QCOMPARE(QApplication::focusWidget(), o.w("picSpeed"));
        for (QWidget *start : {o.w("picSpeed"), o.w("ButtonXP5")}) {
            start->setFocus();
            QTest::keyClick(start, Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), start);
        }
        // The keypad digits are the only Tab stops left, in the order of the digits.
        o.klik("ButtonXP4");
        o.klik("LblNrPortuCap");
        o.w("ButtonXP1_3")->setFocus();
        QTest::keyClick(o.w("ButtonXP1_3"), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), o.w("ButtonXP1_4"));
    }

    void zamykanie()
    {
        UruchomioneOkno o(folder());
        QSignalSpy koniec(o.okno.get(), &KEY::zakonczono);
        o.klik("cmdZamknij");
        QCOMPARE(koniec.count(), 1);
        QVERIFY(!o.okno->isVisible());

        UruchomioneOkno drugie(folder());
        QSignalSpy koniec2(drugie.okno.get(), &KEY::zakonczono);
        drugie.okno->close();
        QCOMPARE(koniec2.count(), 1);
    }

    void zlePlikiNieZatrzymujaStartu_data()
    {
        QTest::addColumn<QByteArray>("jezyk");
        QTest::addColumn<QByteArray>("ustawienia");
        QTest::addColumn<bool>("tylkoOdczyt");
        QByteArray smieci(20000, '\0');
        for (int i = 0; i < smieci.size(); ++i)
            smieci[i] = char((i * 131 + 7) % 251);
        QByteArray tysiace = "[glowna]\r\n";
        for (int i = 0; i < 10000; ++i)
            tysiace += "klucz" + QByteArray::number(i) + "=tekst " + QByteArray::number(i) + "\r\n";
        const QByteArray dziwne = "[USTAWIENIA]\r\nNR PORTU=\r\nPR\xCA""DKO\x8C\xC6=" + QByteArray(500, '9')
                                  + "\r\nBITY DANYCH=osiem\r\nBITY STOPU=\x01\x02\r\n";
        QTest::newRow("smieci") << smieci << smieci << false;
        QTest::newRow("10000 kluczy") << tysiace << dziwne << false;
        QTest::newRow("folder tylko do odczytu") << QByteArray() << dziwne << true;
    }

    void zlePlikiNieZatrzymujaStartu()
    {
        QFETCH(QByteArray, jezyk);
        QFETCH(QByteArray, ustawienia);
        QFETCH(bool, tylkoOdczyt);
        if (!jezyk.isEmpty())
            QVERIFY(zapiszBajty(plik("set.lng"), jezyk));
        QVERIFY(zapiszBajty(plik("Settings.ini"), ustawienia));
        if (tylkoOdczyt)
            QFile::setPermissions(folder(), QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther
                                                | QFile::ExeOther | QFile::ReadGroup | QFile::ExeGroup);
        {
            std::optional<BezUprawnien> bez;
            if (tylkoOdczyt)
                bez.emplace();
            UruchomioneOkno o(folder());
            // Without a language file to write into, every control keeps its own text.
            QCOMPARE(tekst(o, "lblTransmisja"), QString(tylkoOdczyt ? "SYMULATOR" : "TRANSMISJA"));
            QCOMPARE(tekst(o, "lblzdarzenia"), QString("TRYB PRACY"));
            QVERIFY(o.komunikaty.lista.isEmpty());
            if (tylkoOdczyt) {
                // Writes fail quietly; the value is used all the same.
                // Too long to read: the default stands in.
                QCOMPARE(tekst(o, "lblSpeedVal"), QString("9600"));
                o.klik("LblUstawieniaPortu");
                o.klik("lblBitsDataCap");
                o.klik("ButtonXP13");
                QCOMPARE(tekst(o, "lblBitsDataVal"), QString("7"));
                QVERIFY(o.komunikaty.lista.isEmpty());
            }
        }
        QFile::setPermissions(folder(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        if (tylkoOdczyt) {
            QCOMPARE(czytajBajty(plik("Settings.ini")), ustawienia);
            QVERIFY(!QFile::exists(plik("set.lng")));
        }
    }
};

QTEST_MAIN(TestOkno)
#include "test_okno.moc"
