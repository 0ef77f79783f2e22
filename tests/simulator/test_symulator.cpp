#include "controls/textxp.h"
#include "wspolne/emulator.h"
#include "wspolne/okno.h"
#include "wspolne/pliki.h"

#include <QCheckBox>
#include <QLabel>
#include <QSerialPort>
#include <QLineEdit>
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

void wpisz(QWidget *pole, const QString &znaki)
{
    for (const QChar z : znaki)
        QTest::sendKeyEvent(QTest::Click, pole, Qt::Key_unknown, QString(z), {});
}

} // namespace

class TestSymulator : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(zapiszBajty(m_dir->filePath("settings.ini"),
                            "[typy ramek]\r\n1=Jeden\r\n[1]\r\nramka=zmmmk0sjj\r\nzero=Z\r\n"
                            "[parametry]\r\nramka=1\r\nmax=1500\r\n"));
    }

    void zakresSuwaka()
    {
        UruchomioneOkno o(m_dir->path());
        auto *maks = o.w<TextXP>("txtMaxVal");
        auto *suwak = o.w<QSlider>("Slider1");
        QCOMPARE(suwak->minimum(), -1500);
        QCOMPARE(o.w<QLabel>("lblMinus")->text(), QString("-1500"));
        QCOMPARE(o.w<QLabel>("lblPlus")->text(), QString("1500"));

        maks->setText("150");
        QCOMPARE(suwak->minimum(), -150);
        QCOMPARE(suwak->maximum(), 150);
        QCOMPARE(o.w<QLabel>("lblMinus")->text(), QString("-150"));
        QCOMPARE(o.w<QLabel>("lblPlus")->text(), QString("150"));

        for (const QString &pusty : {QString(""), QString("0"), QString("000000")}) {
            maks->setText(pusty);
            QCOMPARE(suwak->minimum(), 0);
            QCOMPARE(suwak->maximum(), 0);
            QCOMPARE(o.w<QLabel>("lblMinus")->text(), QString("0"));
            QCOMPARE(o.w<QLabel>("lblPlus")->text(), QString("0"));
        }
        // Halves round to even; a number past 32 bits leaves the range alone.
        maks->setText("2.5e1");
        maks->setText("150.5");
        QCOMPARE(suwak->maximum(), 150);
        maks->setText("99999999999");
        QCOMPARE(suwak->maximum(), 150);
        QCOMPARE(suwak->minimum(), -150);
    }

    void filtrKlawiszy()
    {
        UruchomioneOkno o(m_dir->path());
        o.klik("lblPlik");
        auto *maks = o.w<TextXP>("txtMaxVal");
        QLineEdit *pole = maks->MyTxt();
        pole->setFocus();
        pole->setCursorPosition(pole->text().size());
        wpisz(pole, ":-a 7ą");
        QCOMPARE(maks->Text(), QString("0015007"));
        QTest::keyClick(pole, Qt::Key_Backspace);
        QTest::keyClick(pole, Qt::Key_Backspace);
        QCOMPARE(maks->Text(), QString("00150"));
        QCOMPARE(o.w<QSlider>("Slider1")->maximum(), 150);
    }

    void ramkaZSuwaka()
    {
        UruchomioneOkno o(m_dir->path());
        auto *suwak = o.w<QSlider>("Slider1");
        auto *tekst = o.w<QLineEdit>("Text1");
        suwak->setValue(1234);
        QCOMPARE(tekst->text(), QString("+123.4 kg"));
        suwak->setValue(-5);
        QCOMPARE(tekst->text(), QString("_   .5 kg"));
        suwak->setValue(0);
        QCOMPARE(tekst->text(), QString("Z   .0 kg"));
        QCOMPARE(o.okno->wartosci().BiezacaRamka, tekst->text());
    }

    void wysylanieCiagle()
    {
        EmulatorTestowy e;
        QVERIFY(e.uruchom({}, m_dir->path()));
        UruchomioneOkno o(m_dir->path(), e.urzadzenie());
        o.klik("lblTransmisja");
        auto *nasluch = o.w<QCheckBox>("chNasluch");
        klikPola(nasluch);
        QVERIFY(nasluch->isChecked());
        QVERIFY(o.okno->MSComm1().PortOpen());
        for (const char *z : {"lblzdarzenia", "lblPlik", "LblUstawieniaPortu", "lblTransmisja", "cmdOdbierzAll"})
            QVERIFY(!o.w(z)->isEnabled());
        // A disabled navigation label ignores clicks.
        o.klik("lblPlik");
        QVERIFY(o.w("picTransmisja")->isVisible());

        // The frames leave from the event loop, so wait with it running.
        QTRY_VERIFY(!e.linie().filter(QRegularExpression("^FRAME")).isEmpty());
        QTest::qWait(500);
        o.w<QSlider>("Slider1")->setValue(-125);
        QTest::qWait(300);
        klikPola(nasluch);
        QVERIFY(!o.okno->MSComm1().PortOpen());
        for (const char *z : {"lblzdarzenia", "lblPlik", "LblUstawieniaPortu", "lblTransmisja", "cmdOdbierzAll"})
            QVERIFY(o.w(z)->isEnabled());

        const QStringList ramki = e.linie().filter(QRegularExpression("^FRAME"));
        QVERIFY2(ramki.size() >= 12 && ramki.size() <= 20, qPrintable(QString::number(ramki.size())));
        QVERIFY(ramki.first().contains("\"Z   .0 kg\" weight=0 "));
        QVERIFY(ramki.last().contains("\"_ 12.5 kg\" weight=-125 "));
        const auto s = e.statystyka();
        QVERIFY(s.wazna());
        QVERIFY2(qAbs(s.srednia - 50) < 5, qPrintable(QString::number(s.srednia)));
        QVERIFY(o.komunikaty.lista.isEmpty());
    }

    void portZajety()
    {
        EmulatorTestowy e;
        QVERIFY(e.uruchom({}, m_dir->path()));
        QSerialPort inny(e.urzadzenie());
        QVERIFY(inny.open(QIODevice::ReadWrite));
        UruchomioneOkno o(m_dir->path(), e.urzadzenie());
        o.klik("lblTransmisja");
        auto *nasluch = o.w<QCheckBox>("chNasluch");
        klikPola(nasluch);
        QVERIFY(!nasluch->isChecked());
        QVERIFY(o.w("lblPlik")->isEnabled());
        QCOMPARE(o.komunikaty.teksty(), QStringList{QString::fromUtf8("Port com1 jest już otwarty przez inną aplikację")});
        QTest::qWait(200);
        QVERIFY(e.linie().filter(QRegularExpression("^FRAME")).isEmpty());
    }

    void konwerterZnikaPodczasWysylania()
    {
        auto e = std::make_unique<EmulatorTestowy>();
        QVERIFY(e->uruchom({}, m_dir->path()));
        UruchomioneOkno o(m_dir->path(), e->urzadzenie());
        o.klik("lblTransmisja");
        auto *nasluch = o.w<QCheckBox>("chNasluch");
        klikPola(nasluch);
        QTRY_VERIFY(!e->linie().filter(QRegularExpression("^FRAME")).isEmpty());
        e->zabij();
        QTRY_VERIFY(!nasluch->isChecked());
        QTest::qWait(300);
        QCOMPARE(o.komunikaty.lista.size(), 1);
        QCOMPARE(o.komunikaty.lista[0].first, Komunikaty::Ikona::Krytyczna);
        QCOMPARE(o.komunikaty.lista[0].second,
                 QString::fromUtf8("Port com1 przestał odpowiadać - wysyłanie zatrzymane"));
        QVERIFY(!o.okno->MSComm1().PortOpen());
        QVERIFY(o.w("lblPlik")->isEnabled());
        QVERIFY(!o.okno->nadajnik().wlaczony());
    }
};

QTEST_MAIN(TestSymulator)
#include "test_symulator.moc"
