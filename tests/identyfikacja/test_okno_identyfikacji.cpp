// The identification window in the running program, against the emulator
// playing a scale: it listens, locks the main window while it holds the port,
// lists the one type that fits, stores it and sets it on the converter.
#include "config/ini.h"
#include "identyfikacja/frm_identyfikacja.h"
#include "wspolne/emulator.h"
#include "wspolne/okno.h"
#include "wspolne/pliki.h"

#include <QCheckBox>
#include <QListWidget>
#include <QtTest>

class TestOknoIdentyfikacji : public QObject
{
    Q_OBJECT

private slots:
    void identyfikacjaIZapis()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QByteArray ustawienia = czytajBajty(KONWERTER_DANE "/settings.ini");
        QVERIFY(zapiszBajty(dir.filePath("settings.ini"), ustawienia));
        QVERIFY(zapiszBajty(dir.filePath("set.lng"), czytajBajty(KONWERTER_DANE "/lang/en/set.lng")));
        EmulatorTestowy emu;
        // The scale stops before the converter is asked: both answer on one line here.
        QVERIFY(emu.uruchom({"--scale", "4", "--scale-period", "50", "--scale-hold", "2", "--scale-weight",
                             "5,-120,3400", "--scale-stop-after", "40", "--quiet-frames"},
                            dir.path()));
        UruchomioneOkno o(dir.path(), emu.urzadzenie());
        o.klik("lblIdentyfikacja");
        auto *f = o.okno->findChild<FrmIdentyfikacja *>("frmIdentyfikacja");
        QVERIFY(f);
        QCOMPARE(f->windowTitle(), QString("Identify a scale"));
        const auto lista = [&](const char *nazwa) { return f->findChild<QListWidget *>(nazwa); };

        UruchomioneOkno::klik(f->findChild<QWidget *>("cmdSluchaj"));
        QVERIFY(!o.w("lblIdentyfikacja")->isEnabled());
        QTRY_VERIFY_WITH_TIMEOUT(lista("lstTypy")->count() == 1
                                     && lista("lstTypy")->item(0)->text().endsWith("5 -120 3400"),
                                 5000);
        QVERIFY(lista("lstTypy")->item(0)->text().startsWith("4  Znak, 2 cyfry po kropce"));
        QVERIFY(lista("lstRamki")->item(0)->text().endsWith("<CR><LF>"));
        QVERIFY(f->findChild<QLabel *>("lblOkres")->text().endsWith(" ms"));
        QVERIFY(!emu.czekajNaLinie("SCALE stopped", 5000).isNull());
        UruchomioneOkno::klik(f->findChild<QWidget *>("cmdZatrzymaj"));
        QVERIFY(o.w("lblIdentyfikacja")->isEnabled());

        // Stored where the window restores it; set on the converter, read back.
        f->findChild<QCheckBox *>("chUstawWKonwerterze")->setChecked(true);
        UruchomioneOkno::klik(f->findChild<QWidget *>("cmdZapiszTyp"));
        QByteArray oczekiwane = ustawienia;
        oczekiwane.replace("waga=WL-150\r\nramka=1\r\n", "waga=\r\nramka=4\r\n");
        QCOMPARE(czytajBajty(dir.filePath("settings.ini")), oczekiwane);
        QCOMPARE(o.komunikaty.teksty(), QStringList());
        QVERIFY(f->findChild<QLabel *>("lblUwagi")->text().startsWith("Frame type 4 stored"));
        QCOMPARE(emu.rx(), (QList<QByteArray>{"\x01" "14\x04", "\x01" "1?\x04"}));

        // Closing the window while it listens gives the port back.
        UruchomioneOkno::klik(f->findChild<QWidget *>("cmdSluchaj"));
        QVERIFY(!o.w("lblIdentyfikacja")->isEnabled());
        f->close();
        QVERIFY(o.w("lblIdentyfikacja")->isEnabled());
    }
};

QTEST_MAIN(TestOknoIdentyfikacji)
#include "test_okno_identyfikacji.moc"
