#include "app/opcje_okna.h"
#include "config/ini.h"
#include "wspolne/emulator.h"
#include "wspolne/okno.h"
#include "wspolne/pliki.h"

#include <QApplication>
#include <QCheckBox>
#include <QtTest>

namespace {

const QStringList kPanele = {"picPoloczenie", "picZdarzenia", "picPlik", "picTransmisja"};
using Pary = QList<QPair<QString, QString>>;

QString rodzic(const UruchomioneOkno &o, const QString &nazwa)
{
    return o.w(nazwa)->parentWidget()->objectName();
}

} // namespace

class TestOkno : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    QString folder() const { return m_dir->path(); }
    QString plik(const QString &nazwa) const { return m_dir->filePath(nazwa); }
    QString ustawienie(const QString &k) const { return modNI::CzytajIni(plik("Settings.ini"), "USTAWIENIA", k, ""); }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
    }

    void startWPustymFolderze()
    {
        UruchomioneOkno o(folder());
        QCOMPARE(QApplication::topLevelWidgets(), QWidgetList{o.okno.get()});
        QVERIFY(o.okno->isVisible() && o.okno->size() == QSize(493, 333));
        QCOMPARE(o.okno->windowTitle(), QString("Konwerter - C\\I"));
        QCOMPARE(o.okno->windowIcon().availableSizes(), QList<QSize>{QSize(32, 32)});
        const QImage ikona = o.okno->windowIcon().pixmap(64).toImage();
        QVERIFY(ikona.size() == QSize(32, 32) && ikona.pixelColor(16, 16).alpha() == 255);
        QCOMPARE(o.okno->windowIcon().pixmap(16).size(), QSize(16, 16));
        // The side bar docked right over the full height, the holder below the bottom edge.
        QCOMPARE(o.w("Picture3")->geometry(), QRect(323, 0, 170, 333));
        QVERIFY(o.w("Smietnik")->size() == QSize(43, 20) && o.w("Smietnik")->y() >= o.okno->height());
        for (const auto &[k, kontener] : Pary{{"Picture3", "KEY"}, {"Picture2", "Picture3"}, {"Label12", "Picture3"},
                                              {"Label2", "Picture3"}, {"cmdZamknij", "Picture3"},
                                              {"txtTransmisja", "KEY"}, {"Smietnik", "KEY"}})
            QCOMPARE(rodzic(o, k), kontener);
        for (const QString &p : kPanele + QStringList{"txtTransmisja"})
            QVERIFY2(!o.w(p)->isVisible(), qPrintable(p));
        for (const auto &[l, v] : Pary{{"lblNrPortuVal", "1"}, {"lblSpeedVal", "9600"}, {"lblPariteVal", "N"},
                                       {"lblBitsDataVal", "8"}, {"lblBitsStopVal", "1"}})
            QCOMPARE(o.tekst(l), v);
        QCOMPARE(o.okno->findChild<MSComm *>("MSComm1"), &o.okno->MSComm1());
        QVERIFY(!o.okno->MSComm1().PortOpen() && o.okno->MSComm1().Settings() == "9600,N,8,1");
        auto *timer3 = o.okno->findChild<QTimer *>("Timer3");
        QVERIFY(timer3 && !timer3->isActive() && timer3->interval() == 50 && timer3->timerType() == Qt::PreciseTimer);

        // The headers of the panels come first and give their texts to the
        // navigation labels that share their Tags.
        QCOMPARE(o.tekst("LblUstawieniaPortu"), QString::fromUtf8("POŁĄCZENIE"));
        QCOMPARE(o.tekst("lblTransmisja"), QString("TRANSMISJA"));
        const Pary oczekiwane = {
            {"conect", "POŁĄCZENIE"}, {"tryb_pracy", "TRYB PRACY"}, {"param_wagi", "PARAMETRY WAGI"},
            {"transmition", "TRANSMISJA"}, {"CONFIG", "Konfiguracja"}, {"cntkonwerter", "Konwerter"},
            {"end", "Zamknij"}, {"comm", "numer portu"}, {"speed", "prędkość transmisji"}, {"parity", "parzystość"},
            {"bits data", "bity danych"}, {"bits stop", "bity stopu"}, {"set", "Zastosuj"}, {"cancel", "Anuluj"},
            {"clr", "CLR"}, {"max_wagi", "Max wagi"}, {"wagi_zgodne", "Wzagi zgodne"}, {"typ_ramki", "Typ ramki"},
            {"print", "Nasłuch ciągły"}, {"wait", "Czekaj transmisja"},
            {"opModPracy0", "- max[4mA] >> 0[12mA] << + max[20mA]"},
            {"opModPracy1", "- max[20mA] >> 0[4mA] << + max[20mA]"},
            {"opModPracy2", "- max[4mA] >> 0[4mA] << + max[20mA]"}, {"odbierz", ""}, {"ustaw", ""}, {"wersja", ""},
            {"pokaz_wykres", ""}, {"logo1", ""}, {"logo2", ""}, {"logo3", ""}, {"logoHandel", ""}, {"logoTel", ""}};
        for (const auto &[tag, podpis] : oczekiwane)
            QCOMPARE(modNI::CzytajIni(plik("set.lng"), "glowna", tag, "<brak>"), podpis);
        QCOMPARE(modNI::CzytajIni(plik("set.lng"), "Formatki", "glowna", ""), QString("Konwerter - C\\I"));
        QVERIFY(o.komunikaty.lista.isEmpty());

        // The translator's edits show at the next start; a value emptied
        // counts as missing and gets the design-time caption back.
        const QString lng = plik("set.lng");
        QVERIFY(modNI::ZapiszIni(lng, "glowna", "conect", "CONNECTION") && modNI::ZapiszIni(lng, "glowna", "end", "")
                && modNI::ZapiszIni(lng, "Formatki", "glowna", "Converter")
                && modNI::ZapiszIni(lng, "komunikatyProste", "Przekroczony czas oczekiwania!", "Timeout!"));
        UruchomioneOkno t(folder());
        QVERIFY(t.tekst("LblUstawieniaPortu") == "CONNECTION" && t.tekst("Label14") == "CONNECTION");
        QCOMPARE(t.okno->windowTitle(), QString("Converter"));
        QCOMPARE(t.w("cmdZamknij")->property("Caption").toString(), QString("Zamknij"));
        QCOMPARE(modNI::CzytajIni(lng, "glowna", "end", ""), QString("Zamknij"));
        QCOMPARE(t.okno->jezyk().Komunikat("Przekroczony czas oczekiwania!"), QString("Timeout!"));
        QCOMPARE(t.okno->jezyk().Komunikat("BrakPortu", "Brak"), QString("Brak"));
        QCOMPARE(modNI::CzytajIni(lng, "komunikaty", "BrakPortu", ""), QString("Brak"));
    }

    void klawiszePoStarcie()
    {
        // Right after start Enter and Space reach no control: nothing closes.
        UruchomioneOkno o(folder());
        QVERIFY(QTest::qWaitForWindowActive(o.okno.get()));
        QSignalSpy koniec(o.okno.get(), &KEY::zakonczono);
        for (const Qt::Key k : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space})
            QTest::keyClick(o.okno->windowHandle(), k);
        QCOMPARE(koniec.count(), 0);
        QVERIFY(o.okno->isVisible());
        // Tab still reaches the controls.
        QTest::keyClick(o.okno->windowHandle(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), o.w("cmdZamknij"));
    }

    void nawigacjaPrzenosiPanele()
    {
        UruchomioneOkno o(folder());
        struct Zakladka { QString etykieta, panel; int wysokosc; };
        int top = -1;
        for (const auto &[etykieta, panel, wysokosc] : {Zakladka{"lblzdarzenia", "picZdarzenia", 252},
                 Zakladka{"lblPlik", "picPlik", 252}, Zakladka{"LblUstawieniaPortu", "picPoloczenie", 156},
                 Zakladka{"lblTransmisja", "picTransmisja", 156}}) {
            QVERIFY(rodzic(o, etykieta) == "Picture2" && o.w(etykieta)->y() > top);
            top = o.w(etykieta)->y();
            o.klik(etykieta);
            QCOMPARE(o.w(panel)->parentWidget(), o.okno.get());
            QCOMPARE(o.w(panel)->geometry(), QRect(3, 3, 308, wysokosc));
            for (const QString &p : kPanele)
                QCOMPARE(o.w(p)->isVisible(), p == panel);
        }

        // The keypad open with digits typed stays so behind another panel.
        o.klikaj({"LblUstawieniaPortu", "LblNrPortuCap"});
        QWidget *polaczenie = o.w("picPoloczenie"), *klawiatura = o.w("picNrPort"), *wiersz = o.w("Picture4");
        QCOMPARE(klawiatura->parentWidget(), polaczenie);
        QCOMPARE(klawiatura->pos(), QPoint(wiersz->x(), wiersz->y() + wiersz->height()));
        o.klikaj({"ButtonXP1_4", "ButtonXP1_2", "lblTransmisja"});
        QVERIFY(!klawiatura->isVisible());
        o.klik("LblUstawieniaPortu");
        QVERIFY(klawiatura->isVisible() && klawiatura->parentWidget() == polaczenie);
        QCOMPARE(o.tekst("lblNrPortuVal"), QString("42"));

        // A tall panel covers the information labels under it: the window
        // shows there exactly what the panel draws.
        const auto obraz = [](QWidget *w, const QRect &r = QRect(0, 0, -1, -1)) {
            return w->grab(r).toImage().convertToFormat(QImage::Format_RGB32);
        };
        o.klik("lblPlik");
        QCOMPARE(obraz(o.okno.get(), o.w("picPlik")->geometry()), obraz(o.w("picPlik")));
        o.klik("LblUstawieniaPortu");
        QCOMPARE(obraz(o.okno.get(), klawiatura->geometry().translated(polaczenie->pos())), obraz(klawiatura));

        // The bottom row opens its panel above itself.
        o.klik("lblBitsStopCap");
        QWidget *stop = o.w("picStop"), *dolny = o.w("Picture8");
        QCOMPARE(stop->pos(), QPoint(dolny->x(), dolny->y() - stop->height()));

        // Under the mouse a side-bar entry turns warm and a caption is also
        // underlined; both go back on leaving. Disabled, an entry is grey and
        // loses its highlight.
        const auto kolor = [&](const QString &n) { return o.w(n)->palette().color(o.w(n)->foregroundRole()).name(); };
        const auto nad = [&](const QString &n, bool wejscie) {
            QEnterEvent e({1, 1}, {1, 1}, {1, 1});
            QEvent wyjscie(QEvent::Leave);
            QApplication::sendEvent(o.w(n), wejscie ? static_cast<QEvent *>(&e) : &wyjscie);
        };
        const QString zwykly = kolor("lblPlik");
        nad("lblPlik", true);
        QCOMPARE(kolor("lblPlik"), QString("#c05800"));
        o.w("lblPlik")->setEnabled(false);
        QCOMPARE(kolor("lblPlik"), QString("#8a8a8a"));
        nad("lblPlik", false);
        o.w("lblPlik")->setEnabled(true);
        QCOMPARE(kolor("lblPlik"), zwykly);
        nad("lblSpeedCap", true);
        QVERIFY(kolor("lblSpeedCap") == "#c05800" && o.w("lblSpeedCap")->font().underline());
        nad("lblSpeedCap", false);
        QVERIFY(kolor("lblSpeedCap") == zwykly && !o.w("lblSpeedCap")->font().underline());
    }

    void wyborParametrowPortu()
    {
        {
            UruchomioneOkno o(folder());
            o.klikaj({"LblUstawieniaPortu", "LblNrPortuCap"});
            QCOMPARE(o.tekst("lblNrPortuVal"), QString(""));
            o.klikaj({"ButtonXP1_0", "ButtonXP1_0", "ButtonXP1_1", "ButtonXP1_2", "ButtonXP1_7"});
            QCOMPARE(o.tekst("lblNrPortuVal"), QString("0012"));
            o.klik("cmdOkNrPortu");
            QCOMPARE(rodzic(o, "picNrPort"), QString("Smietnik"));
            QCOMPARE(ustawienie("NR PORTU"), QString("0012"));
            QCOMPARE(o.okno->MSComm1().CommPort(), 12);
            QCOMPARE(o.okno->nazwaPortu(), QString("Port com0012"));
        }
        QVERIFY(modNI::ZapiszIni(plik("Settings.ini"), "USTAWIENIA", "PARZYSTOŚĆ", "X"));
        UruchomioneOkno o(folder());
        QCOMPARE(o.tekst("lblNrPortuVal"), QString("12"));
        QCOMPARE(o.tekst("lblPariteVal"), QString("X"));
        // The port object refuses the parity and keeps what it had.
        QCOMPARE(o.okno->MSComm1().Settings(), QString("9600,N,8,1"));
        // Where the focus goes from `w` on Tab; null when it stays.
        const auto poTabie = [](QWidget *w) {
            w->setFocus();
            QWidget *przed = QApplication::focusWidget();
            QTest::keyClick(przed, Qt::Key_Tab);
            return QApplication::focusWidget() == przed ? nullptr : QApplication::focusWidget();
        };
        // Until a choice panel opens, Tab walks the window's controls.
        QVERIFY(QTest::qWaitForWindowActive(o.okno.get()));
        o.klik("lblPlik");
        QVERIFY(poTabie(o.w("txtMaxVal")));

        // Applying an empty entry keeps (and stores again) the current number;
        // CLR empties the entry and leaves the keypad open; cancel restores.
        o.klikaj({"LblUstawieniaPortu", "LblNrPortuCap", "cmdOkNrPortu"});
        QCOMPARE(o.tekst("lblNrPortuVal"), QString("12"));
        QCOMPARE(ustawienie("NR PORTU"), QString("12"));
        o.klikaj({"LblNrPortuCap", "ButtonXP1_5", "cmdCLRNrPortu"});
        QCOMPARE(o.tekst("lblNrPortuVal"), QString(""));
        QCOMPARE(rodzic(o, "picNrPort"), QString("picPoloczenie"));
        o.klikaj({"ButtonXP1_9", "cmdNoNrPortu"});
        QCOMPARE(o.tekst("lblNrPortuVal"), QString("12"));
        QCOMPARE(ustawienie("NR PORTU"), QString("12"));

        o.klik("lblSpeedCap");
        // The keypad digits are the only Tab stops left, in the order of the digits.
        QCOMPARE(QApplication::focusWidget(), o.w("picSpeed"));
        QVERIFY(!poTabie(o.w("picSpeed")) && !poTabie(o.w("ButtonXP5")));
        o.klik("ButtonXP6");
        QCOMPARE(o.tekst("lblSpeedVal"), QString("19200"));
        QCOMPARE(rodzic(o, "picSpeed"), QString("Smietnik"));
        QVERIFY(!o.okno->MSComm1().PortOpen());
        o.klikaj({"lblPariteCap", "ButtonXP9", "lblBitsDataCap", "ButtonXP13", "lblBitsStopCap", "ButtonXP11"});
        QCOMPARE(o.okno->MSComm1().Settings(), QString("19200,E,7,2"));
        for (const auto &[k, v] : Pary{{"PRĘDKOŚĆ", "19200"}, {"PARZYSTOŚĆ", "E"}, {"BITY DANYCH", "7"},
                                       {"BITY STOPU", "2"}})
            QCOMPARE(ustawienie(k), v);
        o.klik("LblNrPortuCap");
        QCOMPARE(poTabie(o.w("ButtonXP1_3")), o.w("ButtonXP1_4"));
    }

    void zamykanieZamykaPort()
    {
#ifndef KONWERTER_EMU
        QSKIP("the emulator is built on Linux only");
#else
        EmulatorTestowy e;
        QVERIFY(e.uruchom({}, folder()));
        for (const bool przyciskiem : {true, false}) {
            // Continuous sending holds the port open when the window is closed.
            UruchomioneOkno o(folder(), e.urzadzenie());
            QSignalSpy koniec(o.okno.get(), &KEY::zakonczono);
            o.klik("lblTransmisja");
            o.w<QCheckBox>("chNasluch")->click();
            QVERIFY(o.okno->MSComm1().PortOpen());
            przyciskiem ? o.klik("cmdZamknij") : void(o.okno->close());
            QCOMPARE(koniec.count(), 1);
            QVERIFY(!o.okno->isVisible() && !o.okno->MSComm1().PortOpen());
            // Nothing runs after the end: no sending tick finds the port closed.
            QTest::qWait(150);
            QVERIFY(o.komunikaty.lista.isEmpty());
        }
#endif
    }

    void zlePlikiNieZatrzymujaStartu()
    {
        QByteArray smieci(20000, '\0');
        for (int i = 0; i < smieci.size(); ++i)
            smieci[i] = char((i * 131 + 7) % 251);
        const QByteArray dziwne = "[USTAWIENIA]\r\nNR PORTU=\r\nBITY DANYCH=osiem\r\nBITY STOPU=\x01\x02\r\n";
        QVERIFY(zapiszBajty(plik("set.lng"), smieci) && zapiszBajty(plik("Settings.ini"), dziwne));
        {
            UruchomioneOkno o(folder());
            QCOMPARE(o.tekst("lblTransmisja"), QString("TRANSMISJA"));
            QVERIFY(o.komunikaty.lista.isEmpty());
        }
        // Without a language file to write into, every control keeps its own
        // text and nothing is reported.
        QVERIFY(QFile::remove(plik("set.lng")));
        QFile::setPermissions(folder(), QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther);
        {
            BezUprawnien bez;
            UruchomioneOkno o(folder());
            QCOMPARE(o.tekst("lblTransmisja"), QString("SYMULATOR"));
            QCOMPARE(o.tekst("LblUstawieniaPortu"), QString::fromUtf8("POŁACZENIE"));
            QVERIFY(o.komunikaty.lista.isEmpty());
        }
        QFile::setPermissions(folder(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QVERIFY(!QFile::exists(plik("set.lng")));
        // Start-up writes nothing to the settings file.
        QCOMPARE(czytajBajty(plik("Settings.ini")), dziwne);

        // A program folder given on the command line that is no folder ends
        // the program before the window, with a message and the usage status.
        ZebraneKomunikaty komunikaty;
        QCOMPARE(sprawdzFolder(plik("brak"), komunikaty), 64);
        QCOMPARE(sprawdzFolder(plik("Settings.ini"), komunikaty), 64);
        QCOMPARE(sprawdzFolder(folder(), komunikaty), 0);
        QCOMPARE(komunikaty.teksty(), QStringList({"--folder: " + plik("brak") + " does not exist",
                                                   "--folder: " + plik("Settings.ini") + " is not a folder"}));
        QCOMPARE(komunikaty.lista.at(0).first, Komunikaty::Ikona::Krytyczna);
    }
};

QTEST_MAIN(TestOkno)
#include "test_okno.moc"
