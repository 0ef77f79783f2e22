#include "controls/textxp.h"
#include "wspolne/okno.h"
#include "wspolne/pliki.h"

#include <QLabel>
#include <QLineEdit>
#include <QSlider>
#include <QtTest>

namespace {

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
};

QTEST_MAIN(TestSymulator)
#include "test_symulator.moc"
