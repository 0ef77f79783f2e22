#include "controls/textxp.h"
#include "wspolne/emulator.h"
#include "wspolne/okno.h"
#include "wspolne/pliki.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QSerialPort>
#include <QSlider>
#include <QtTest>

namespace {

// The box reacts to a click on its square, not on the empty space beside its text.
void klikPola(QWidget *pole)
{
    const QPoint kwadrat(8, pole->height() / 2);
    QTest::mouseMove(pole, kwadrat);
    QTest::mouseClick(pole, Qt::LeftButton, {}, kwadrat);
}

} // namespace

class TestSymulator : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    QStringList ramki(EmulatorTestowy &e) { return e.linie().filter(QRegularExpression("^FRAME")); }
    void zakladkiWlaczone(const UruchomioneOkno &o, bool wlaczone)
    {
        for (const char *z : {"lblzdarzenia", "lblPlik", "LblUstawieniaPortu", "lblTransmisja", "cmdOdbierzAll",
                              "cmdUstawAll"})
            QCOMPARE(o.w(z)->isEnabled(), wlaczone);
    }

private slots:
    void initTestCase()
    {
        QVERIFY(zapiszBajty(m_dir.filePath("settings.ini"),
                            "[typy ramek]\r\n1=Jeden\r\n[1]\r\nramka=zmmmk0sjj\r\nzero=Z\r\n"
                            "[parametry]\r\nramka=1\r\nmax=1500\r\n"));
    }

    void panelBezPortu()
    {
        UruchomioneOkno o(m_dir.path());
        auto *maks = o.w<TextXP>("txtMaxVal");
        auto *suwak = o.w<QSlider>("Slider1");
        auto *tekst = o.w<QLineEdit>("Text1");
        // Plain numbers on the labels: "-150" and "150", and "0" for both.
        auto zakres = [&](int max) {
            QCOMPARE(suwak->minimum(), -max);
            QCOMPARE(suwak->maximum(), max);
            QCOMPARE(o.w<QLabel>("lblMinus")->text(), QString::number(-max));
            QCOMPARE(o.w<QLabel>("lblPlus")->text(), QString::number(max));
        };
        zakres(1500);
        QCOMPARE(suwak->pageStep(), 5);
        QVERIFY(!o.w<QCheckBox>("chNasluch")->isChecked());
        // Halves round to even; a number past 32 bits leaves the range alone.
        for (const auto &[tekst, max] : {std::pair("", 0), std::pair("0", 0), std::pair("000000", 0),
                                         std::pair("150.5", 150), std::pair("99999999999", 150)}) {
            maks->setText(tekst);
            zakres(max);
        }

        // Only digits and control keys reach the field.
        QLineEdit *pole = maks->MyTxt();
        for (const QChar z : QString::fromUtf8(":-a 7ą"))
            QTest::sendKeyEvent(QTest::Click, pole, Qt::Key_unknown, QString(z), {});
        QCOMPARE(maks->Text(), QString("99999999999" "7"));
        for (int i = 0; i < 9; ++i)
            QTest::keyClick(pole, Qt::Key_Backspace);
        zakres(999);

        for (const auto &[waga, ramka] :
             {std::pair(1234, "+ 99.9 kg"), std::pair(-5, "_   .5 kg"), std::pair(0, "Z   .0 kg")}) {
            suwak->setValue(waga);
            QCOMPARE(tekst->text(), QString(ramka));
        }
        QCOMPARE(o.okno->wartosci().BiezacaRamka, tekst->text());
    }

    void wysylanieCiagle()
    {
        EmulatorTestowy e;
        QVERIFY(e.uruchom({}, m_dir.path()));
        auto inny = std::make_unique<QSerialPort>(e.urzadzenie());
        QVERIFY(inny->open(QIODevice::ReadWrite));
        UruchomioneOkno o(m_dir.path(), e.urzadzenie());
        o.klik("lblTransmisja");
        auto *nasluch = o.w<QCheckBox>("chNasluch");
        // A port held by another program: the box stays cleared, nothing goes out.
        klikPola(nasluch);
        QVERIFY(!nasluch->isChecked());
        zakladkiWlaczone(o, true);
        QCOMPARE(o.komunikaty.teksty(),
                 QStringList{QString::fromUtf8("Port com1 jest już otwarty przez inną aplikację")});
        inny.reset();
        o.komunikaty.lista.clear();

        klikPola(nasluch);
        QVERIFY(nasluch->isChecked());
        QVERIFY(o.okno->MSComm1().PortOpen());
        zakladkiWlaczone(o, false);
        // A disabled navigation label ignores clicks.
        o.klik("lblPlik");
        QVERIFY(o.w("picTransmisja")->isVisible());
        // The frames leave from the event loop, so wait with it running.
        QTRY_VERIFY(!ramki(e).isEmpty());
        QTest::qWait(500);
        o.w<QSlider>("Slider1")->setValue(-125);
        QTest::qWait(300);
        klikPola(nasluch);
        QVERIFY(!o.okno->MSComm1().PortOpen());
        zakladkiWlaczone(o, true);

        const QStringList wyslane = ramki(e);
        QVERIFY2(wyslane.size() >= 12 && wyslane.size() <= 20, qPrintable(QString::number(wyslane.size())));
        QVERIFY(wyslane.first().contains("\"Z   .0 kg\" weight=0 "));
        QVERIFY(wyslane.last().contains("\"_ 12.5 kg\" weight=-125 "));
        const auto s = e.statystyka();
        QVERIFY2(s.wazna() && qAbs(s.srednia - 50) < 5, qPrintable(QString::number(s.srednia)));
        QVERIFY(o.komunikaty.lista.isEmpty());
    }
};

QTEST_MAIN(TestSymulator)
#include "test_symulator.moc"
