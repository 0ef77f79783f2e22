#include "okna/obrazy_trybow.h"
#include "controls/textxp.h"
#include "wspolne/okno.h"
#include "wspolne/pliki.h"

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QSlider>
#include <QtTest>

namespace {

// The items of a list in order, joined by "|".
QString pozycje(const QListWidget *l)
{
    QStringList t;
    for (int i = 0; i < l->count(); ++i)
        t.append(l->item(i)->text());
    return t.join('|');
}

void klikPozycji(QListWidget *l, int wiersz)
{
    const QPoint srodek = l->visualItemRect(l->item(wiersz)).center();
    QTest::mouseMove(l->viewport(), srodek);
    QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, srodek);
}

const QByteArray kKatalog = "[wagi]\r\nA1=1\r\nA2=1\r\nB1=2\r\nC1=3\r\nX=9=komentarz\r\n[typy ramek]\r\n"
                            "1=Jeden\r\n2=Dwa\r\n3=Trzy\r\nALL=Wszystkie\r\n2=Dwa bis\r\n[1]\r\nramka=mmmm\r\n"
                            "[2]\r\nramka=zmm0k0\r\n[3]\r\nramka=000000\r\n[ALL]\r\nramka=sss\r\n";
const QString kWagi = "A1|A2|B1|C1|X";

} // namespace

class TestKatalog : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

private slots:
    void odtworzenie_data()
    {
        QTest::addColumn<QString>("parametry");
        QTest::addColumn<int>("typ");
        QTest::addColumn<QString>("wagi");
        QTest::addColumn<int>("waga");
        QTest::addColumn<int>("tryb");
        QTest::addColumn<QString>("max");
        QTest::addColumn<QString>("wzor");
        QTest::newRow("ALL") << "waga=\nramka=ALL\nmode=7\nmax=150\n" << 3 << kWagi << -1 << 0 << "000150" << "sss";
        QTest::newRow("1") << "ramka=1\nmode=0.5\nmax=12.5\n" << 0 << "A1|A2" << -1 << 0 << "000013" << "mmmm";
        // Both entries of key 2 are selected in turn; the last one stays.
        QTest::newRow("B1") << "waga=B1\nramka=3\nmode=1.5\nmax=x\n" << 4 << kWagi << 2 << 2 << "000000" << "zmm0k0";
        // Without an entry of its own a scale counts as "ALL".
        QTest::newRow("nieznana") << "waga=Nieznana\nmode=-1\n" << 3 << kWagi << -1 << 0 << "000000" << "sss";
        QTest::newRow("pusto") << "" << -1 << "" << -1 << 0 << "000000" << "";
    }

    void odtworzenie()
    {
        QFETCH(QString, parametry);
        QFETCH(int, tryb);
        QFETCH(QString, max);
        QVERIFY(zapiszBajty(m_dir.filePath("settings.ini"), kKatalog + "[parametry]\r\n" + parametry.toLatin1()));
        UruchomioneOkno o(m_dir.path());
        auto *typy = o.w<QListWidget>("lstTypRamki");
        QCOMPARE(pozycje(typy), QString("Jeden|Dwa|Trzy|Wszystkie|Dwa bis"));
        QTEST(typy->currentRow(), "typ");
        QTEST(pozycje(o.w<QListWidget>("lstWagiZgodne")), "wagi");
        QTEST(o.w<QListWidget>("lstWagiZgodne")->currentRow(), "waga");
        QTEST(o.okno->wartosci().WzorRamki, "wzor");
        QVERIFY(o.w<QRadioButton>(QString("opModPracy_%1").arg(tryb))->isChecked());
        QCOMPARE(o.w<ObrazTrybu>("Image5")->Picture(), tryb + 1);
        QCOMPARE(o.w<TextXP>("txtMaxVal")->Text(), max);
        QCOMPARE(o.w<QSlider>("Slider1")->maximum(), max.toInt());
    }

    void wyborUzytkownika()
    {
        QVERIFY(zapiszBajty(m_dir.filePath("settings.ini"), kKatalog + "[parametry]\r\nramka=1\r\n"));
        UruchomioneOkno o(m_dir.path());
        o.klik("lblPlik");
        auto *wagi = o.w<QListWidget>("lstWagiZgodne");
        auto *typy = o.w<QListWidget>("lstTypRamki");
        klikPozycji(typy, 2);
        QCOMPARE(pozycje(wagi), QString("C1"));
        QCOMPARE(o.okno->wartosci().WzorRamki, QString("000000"));
        QTest::keyClick(typy, Qt::Key_Down);
        QCOMPARE(pozycje(wagi), kWagi);

        // A scale selects its frame type and leaves the scale list as it is.
        klikPozycji(wagi, 2);
        QCOMPARE(typy->currentRow(), 4);
        QCOMPARE(o.okno->wartosci().WzorRamki, QString("zmm0k0"));
        QCOMPARE(pozycje(wagi), kWagi);
        // A scale whose frame type the catalogue lacks selects nothing new.
        klikPozycji(wagi, 4);
        QCOMPARE(typy->currentRow(), 4);
        QCOMPARE(o.okno->wartosci().WzorRamki, QString("zmm0k0"));
        // A click on the frame type already selected still lists its scales.
        klikPozycji(typy, 4);
        QCOMPARE(pozycje(wagi), QString("B1"));
    }

    void fokusToNieWybor()
    {
        // Scale X has a frame type the catalogue lacks: no frame type is current.
        QVERIFY(zapiszBajty(m_dir.filePath("settings.ini"), kKatalog + "[parametry]\r\nwaga=X\r\n"));
        UruchomioneOkno o(m_dir.path());
        o.klik("lblPlik");
        QVERIFY(QTest::qWaitForWindowActive(o.okno.get()));
        auto *wagi = o.w<QListWidget>("lstWagiZgodne");
        auto *typy = o.w<QListWidget>("lstTypRamki");
        QCOMPARE(typy->currentRow(), -1);
        // Tab into the frame types and Shift+Tab out and in again: the focus
        // chooses nothing, so nothing is loaded and "Ustaw" has nothing to send.
        wagi->setFocus(Qt::MouseFocusReason);
        for (const Qt::KeyboardModifiers k : {Qt::NoModifier, Qt::ShiftModifier, Qt::NoModifier}) {
            QTest::keyClick(o.okno->windowHandle(), Qt::Key_Tab, k);
            QCOMPARE(QApplication::focusWidget(), k == Qt::NoModifier ? typy : wagi);
        }
        QCOMPARE(typy->currentRow(), -1);
        QCOMPARE(pozycje(wagi), kWagi);
        QCOMPARE(wagi->currentRow(), 4);
        QCOMPARE(o.okno->wartosci().WzorRamki, QString());
        // The keyboard choosing is a choice.
        QTest::keyClick(o.okno->windowHandle(), Qt::Key_Down);
        QCOMPARE(typy->currentRow(), 0);
        QCOMPARE(pozycje(wagi), QString("A1|A2"));
        QCOMPARE(o.okno->wartosci().WzorRamki, QString("mmmm"));
    }

    void dostarczonyKatalog()
    {
        // The scale the shipped catalogue starts with plays the left half of
        // the slider as weights below zero, not as a copy of the right half.
        QVERIFY(zapiszBajty(m_dir.filePath("settings.ini"), czytajBajty(KONWERTER_DANE "/settings.ini")));
        UruchomioneOkno o(m_dir.path());
        auto *suwak = o.w<QSlider>("Slider1");
        QVERIFY(suwak->maximum() > 0);
        QStringList ramki;
        for (const int waga : {suwak->minimum(), suwak->maximum()}) {
            suwak->setValue(waga);
            ramki << o.w<QLineEdit>("Text1")->text();
        }
        QCOMPARE(ramki.at(0), QString(ramki.at(1)).replace('+', '-'));
        QVERIFY2(ramki.at(0).contains('-'), qPrintable(ramki.at(0)));
    }
};

QTEST_MAIN(TestKatalog)
#include "test_katalog.moc"
