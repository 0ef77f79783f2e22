#include "okna/etykieta.h"
#include "chart/frm_wykresy.h"
#include "okna/obrazy_trybow.h"
#include "wspolne/okno.h"
#include "wspolne/pliki.h"

#include <QApplication>
#include <QRadioButton>
#include <QScreen>
#include <QTimer>
#include <QtTest>

#include <functional>

namespace {

// Opens the chart window with `pokaz`; once it is up as the modal window, `w`
// runs and then its close label closes it. Returns the picture it showed.
int pokazWykres(const std::function<void()> &pokaz, const std::function<void(FrmWykresy &)> &w = [](FrmWykresy &) {})
{
    int obraz = 0;
    QTimer czekaj;
    QObject::connect(&czekaj, &QTimer::timeout, [&] {
        auto *okno = qobject_cast<FrmWykresy *>(QApplication::activeModalWidget());
        if (!okno || !okno->isVisible())
            return;
        czekaj.stop();
        obraz = okno->findChild<ObrazTrybu *>("Image1")->Picture();
        w(*okno);
        QTest::mouseClick(okno->findChild<Etykieta *>("Label1"), Qt::LeftButton);
    });
    czekaj.start(5);
    pokaz();
    return obraz;
}

} // namespace

class TestWykresy : public QObject
{
    Q_OBJECT

private slots:
    void oknoWykresu()
    {
        QTemporaryDir dir;
        QVERIFY(zapiszBajty(dir.filePath("set.lng"), "[wykresy]\r\nzamknij_okno=Close\r\n"));
        UruchomioneOkno o(dir.path());
        o.klik("lblzdarzenia");
        o.klik("opModPracy_2");
        QCOMPARE(o.w<ObrazTrybu>("Image5")->Picture(), 3);
        auto wyglad = [](FrmWykresy &f) {
            QCOMPARE(f.size(), QSize(512, 324));
            QCOMPARE(f.geometry().center(), f.screen()->geometry().center());
            QVERIFY(f.windowFlags() & Qt::FramelessWindowHint);
            QCOMPARE(f.findChild<QWidget *>("Image1")->geometry(), QRect(5, 5, 503, 315));
            auto *label = f.findChild<QLabel *>("Label1");
            QCOMPARE(label->geometry(), QRect(321, 5, 188, 24));
            QCOMPARE(label->text(), QString("Close"));
            QVERIFY(label->font().bold() && label->font().underline() && label->font().pointSize() == 12);
            QCOMPARE(label->cursor().shape(), Qt::PointingHandCursor);
            // The picture does not close the window.
            QTest::mouseClick(f.findChild<QWidget *>("Image1"), Qt::LeftButton);
            QVERIFY(f.isVisible());
        };
        QCOMPARE(pokazWykres([&] { o.klik("ButtonXP2"); }, wyglad), 3);
        FrmWykresy &f = o.okno->frmWykresy();
        QVERIFY(!f.isVisible());

        for (const int id : {0, 4, -1}) {
            f.setWykresId(id);
            QCOMPARE(pokazWykres([&] { f.Show(); }), 1);
            QCOMPARE(f.WykresId(), 1);
        }
        // With no mode selected, the chart shows what it showed last.
        f.setWykresId(2);
        for (auto *op : o.okno->findChildren<QRadioButton *>())
            op->setAutoExclusive(false), op->setChecked(false);
        QCOMPARE(pokazWykres([&] { o.klik("ButtonXP2"); }), 2);
        QCOMPARE(pokazWykres([&] { o.klik("ButtonXP2"); }), 2);
    }

    void obrazyCharakterystyk()
    {
        // The current at -max, 0 and +max in each picture.
        const qreal prad[3][3] = {{4, 12, 20}, {20, 4, 20}, {4, 4, 20}};
        for (const qreal skala : {1.0, 2.0}) {
            for (int n = 0; n < 3; ++n) {
                const QImage obraz = ImageList1::ListImage(n + 1, skala);
                QCOMPARE(obraz.size(), QSize(n == 0 ? 447 : 393, 224) * skala);
                QCOMPARE(obraz.pixelColor(5, 5), QColor(Qt::white));
                auto naLinii = [&](qreal w, qreal mA) {
                    const qreal szer = obraz.width() / skala, osX = 224 - 34;
                    const qreal x = szer / 2 + w * (szer / 2 - 48), y = osX - mA * (osX - 36) / 20.0;
                    return obraz.pixelColor(int(x * skala), int(y * skala)) == QColor(0, 160, 0);
                };
                for (int k = 0; k < 3; ++k)
                    QVERIFY(naLinii(k - 1, prad[n][k]));
                QVERIFY(naLinii(-0.5, (prad[n][0] + prad[n][1]) / 2));
                QVERIFY(!naLinii(-1, 24 - prad[n][0]));
            }
        }
    }
};

QTEST_MAIN(TestWykresy)
#include "test_wykresy.moc"
