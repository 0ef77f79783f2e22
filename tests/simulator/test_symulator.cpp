#include "controls/textxp.h"
#include "wspolne/emulator.h"
#include "wspolne/okno.h"
#include "wspolne/pliki.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QMimeData>
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
        // Halves round to even.
        for (const auto &[tekst, max] :
             {std::pair("", 0), std::pair("0", 0), std::pair("000000", 0), std::pair("150.5", 150)}) {
            maks->setText(tekst);
            zakres(max);
        }

        // Only digits and control keys reach the field, six at most.
        o.klik("lblPlik");
        QLineEdit *pole = maks->MyTxt();
        maks->setText("");
        for (const QChar z : QString::fromUtf8(":-a 7ą12345678"))
            QTest::sendKeyEvent(QTest::Click, pole, Qt::Key_unknown, QString(z), {});
        QCOMPARE(maks->Text(), QString("712345"));
        for (int i = 0; i < 3; ++i)
            QTest::keyClick(pole, Qt::Key_Backspace);
        zakres(712);
        // Dropped and pasted text goes through the same filter, over the selection.
        QMimeData upuszczone;
        upuszczone.setText("-25 kg");
        const QPointF koniec(pole->width() - 2, 3);
        QDragEnterEvent wejscie(koniec.toPoint(), Qt::CopyAction, &upuszczone, Qt::LeftButton, {});
        QApplication::sendEvent(pole, &wejscie);
        QDropEvent upuszczenie(koniec, Qt::CopyAction, &upuszczone, Qt::LeftButton, {});
        QApplication::sendEvent(pole, &upuszczenie);
        QCOMPARE(maks->Text(), QString("71225"));
        pole->selectAll();
        QGuiApplication::clipboard()->setText("1500,7");
        QTest::keyClick(pole, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(maks->Text(), QString("15007"));
        zakres(15007);
        // A click on the white strip under the inner box puts the caret in the field.
        o.w("cmdOdbierzMax")->setFocus();
        QCOMPARE(o.okno->focusWidget(), o.w("cmdOdbierzMax"));
        QTest::mouseClick(maks, Qt::LeftButton, {}, QPoint(maks->width() / 2, maks->height() - 3));
        QCOMPARE(o.okno->focusWidget(), pole);

        for (const auto &[waga, ramka] :
             {std::pair(1234, "+123.4 kg"), std::pair(-5, "_   .5 kg"), std::pair(0, "Z   .0 kg")}) {
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
