// The loop check window driven as a technician drives it, readings typed in,
// against konwerter-emu; and the expected current beside the simulator's slider.
#include "config/ini.h"
#include "petla/frm_kontrola_petli.h"
#include "petla/kontrola_petli.h"
#include "wspolne/emulator.h"
#include "wspolne/okno.h"

#include <QDir>
#include <QLineEdit>
#include <QProgressBar>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <QTableWidget>
#include <QtTest>

class TestOknoKontroli : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        QVERIFY(QFile::copy(QStringLiteral(KONWERTER_DANE "/settings.ini"), m_dir.filePath("settings.ini")));
        // The stored scale's frame type loses its sign place.
        QFile::setPermissions(m_dir.filePath("settings.ini"), QFile::ReadOwner | QFile::WriteOwner);
        QVERIFY(modNI::ZapiszIni(m_dir.filePath("settings.ini"), "2", "ramka", "mm0k000sjj"));
    }

    void pradPrzySuwaku()
    {
        UruchomioneOkno o(m_dir.path());
        auto *suwak = o.w<QSlider>("Slider1");
        const auto prad = [&] { return o.tekst("lblPradOczekiwany"); };
        QCOMPARE(prad(), QString("12.000 mA"));
        suwak->setValue(suwak->maximum());
        QCOMPARE(prad(), QString("20.000 mA"));
        // The stored scale's frame type has no sign place: the converter
        // reads -750 as 750, and drives what 750 gives.
        suwak->setValue(-suwak->maximum() / 2);
        QCOMPARE(prad(), QString("16.000 mA"));
        o.w<QRadioButton>("opModPracy_2")->setChecked(true);
        QCOMPARE(prad(), QString("12.000 mA"));
        suwak->setValue(0);
        QCOMPARE(prad(), QString("4.000 mA"));
    }

    void odczytyWpisane()
    {
        EmulatorTestowy e;
        QVERIFY(e.uruchom({"--mode", "0"}, m_dir.path()));
        UruchomioneOkno o(m_dir.path(), e.urzadzenie());
        o.klik("lblKontrolaPetli");
        auto *f = o.okno->findChild<FrmKontrolaPetli *>("frmKontrolaPetli");
        QVERIFY(f && f->isVisible());
        const auto w = [&](const char *nazwa) { return f->findChild<QWidget *>(nazwa); };
        qobject_cast<QSpinBox *>(w("txtPunkty"))->setValue(3);
        qobject_cast<QLineEdit *>(w("txtMiernik"))->clear();
        qobject_cast<QLineEdit *>(w("txtNumer"))->setText("K-15");
        UruchomioneOkno::klik(w("cmdStart"));

        // The rest of the main window is locked while the run holds the port.
        auto *odczyt = qobject_cast<QLineEdit *>(w("txtOdczyt"));
        QTRY_VERIFY(odczyt->isVisible());
        QVERIFY(!o.w("lblTransmisja")->isEnabled() && !o.w("lblKontrolaPetli")->isEnabled());
        QVERIFY(!w("cmdStart")->isEnabled() && w("cmdStop")->isEnabled());

        auto *tabela = qobject_cast<QTableWidget *>(w("lstPunkty"));
        QTRY_COMPARE(tabela->rowCount(), 3);
        const auto wpisz = [&](const QString &tekst) {
            odczyt->setFocus();
            odczyt->clear();
            QTest::keyClicks(odczyt, tekst);
            QTest::keyClick(odczyt, Qt::Key_Return);
        };
        const QStringList odczyty{"4,001", "12.030", "20"};
        for (int i = 0; i < 3; ++i) {
            QTRY_VERIFY(w("lblOdczyt")->property("text").toString().startsWith(QString("Punkt %1 z 3").arg(i + 1)));
            if (i == 1) {
                wpisz("12 mA");
                QCOMPARE(w("lblStan")->property("text").toString(), QString("\"12 mA\" nie jest prądem w mA"));
                QCOMPARE(tabela->item(1, 3)->text(), QString());
            }
            wpisz(odczyty.at(i));
            QTRY_COMPARE(qobject_cast<QProgressBar *>(w("picPostep"))->value(), i + 1);
        }
        QTRY_VERIFY(!f->kontrola().trwa());
        QCOMPARE(tabela->item(0, 3)->text(), QString("4.0010"));
        QCOMPARE(tabela->item(1, 5)->text(), QString("+0.1875"));
        QCOMPARE(tabela->item(1, 6)->text(), QString("źle"));
        QCOMPARE(tabela->item(2, 6)->text(), QString("dobrze"));
        QVERIFY(w("lblStan")->property("text").toString().startsWith("NIEZGODNY - Największy błąd: +0.1875"));
        QVERIFY(!odczyt->isVisible());
        QVERIFY(o.w("lblTransmisja")->isEnabled() && o.w("picTransmisja")->isEnabled());
        QVERIFY(!o.okno->MSComm1().PortOpen());

        UruchomioneOkno::klik(w("cmdZapisz"));
        const QStringList zapisane = QDir(m_dir.filePath("raporty")).entryList(QDir::Files);
        QCOMPARE(zapisane.size(), 2);
        QVERIFY2(zapisane.at(0).startsWith("kontrola_") && zapisane.at(0).endsWith("_K-15.csv"), qPrintable(zapisane.at(0)));
        QVERIFY(zapisane.at(1).endsWith("_K-15.pdf"));
        QVERIFY(o.komunikaty.lista.isEmpty());
    }
};

QTEST_MAIN(TestOknoKontroli)
#include "test_okno_kontroli.moc"
