#include "app/etykieta.h"
#include "chart/frm_wykresy.h"
#include "chart/obrazy_trybow.h"
#include "config/ini.h"
#include "wspolne/okno.h"
#include "wspolne/pliki.h"

#include <QApplication>
#include <QLabel>
#include <QRadioButton>
#include <QTimer>
#include <QtTest>

#include <functional>

namespace {

// Runs `w` once the modal chart window is up, then closes it with its label.
void gdyPokazane(const std::function<void(FrmWykresy &)> &w)
{
    auto *czekaj = new QTimer;
    czekaj->setInterval(5);
    QObject::connect(czekaj, &QTimer::timeout, [czekaj, w] {
        auto *okno = qobject_cast<FrmWykresy *>(QApplication::activeModalWidget());
        if (!okno || !okno->isVisible())
            return;
        czekaj->stop();
        czekaj->deleteLater();
        w(*okno);
        QTest::mouseClick(okno->findChild<Etykieta *>("Label1"), Qt::LeftButton);
    });
    czekaj->start();
}

QColor kolor(const QImage &obraz, double x, double y)
{
    return obraz.pixelColor(int(x * (obraz.width() - 1)), int(y * (obraz.height() - 1)));
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

        int pokazany = 0;
        gdyPokazane([&](FrmWykresy &f) {
            pokazany = f.findChild<ObrazTrybu *>("Image1")->Picture();
            QCOMPARE(f.size(), QSize(512, 324));
            QVERIFY(f.windowFlags() & Qt::FramelessWindowHint);
            QCOMPARE(f.findChild<QWidget *>("Image1")->geometry(), QRect(5, 5, 503, 315));
            auto *label = f.findChild<QLabel *>("Label1");
            QCOMPARE(label->geometry(), QRect(321, 5, 188, 24));
            QCOMPARE(label->text(), QString("Close"));
            QVERIFY(label->font().bold() && label->font().underline());
            QCOMPARE(label->cursor().shape(), Qt::PointingHandCursor);
            QCOMPARE(f.windowTitle(), QString("Form1"));
            // The picture does not close the window.
            QTest::mouseClick(f.findChild<QWidget *>("Image1"), Qt::LeftButton);
            QVERIFY(f.isVisible());
        });
        o.klik("ButtonXP2");
        QCOMPARE(pokazany, 3);
        QVERIFY(!o.okno->frmWykresy().isVisible());
        QCOMPARE(o.okno->frmWykresy().WykresId(), 3);
    }

    void numerSpozaZakresu()
    {
        QTemporaryDir dir;
        UruchomioneOkno o(dir.path());
        FrmWykresy &f = o.okno->frmWykresy();
        for (const int id : {0, 4, -1}) {
            f.setWykresId(id);
            int pokazany = 0;
            gdyPokazane([&](FrmWykresy &okno) { pokazany = okno.findChild<ObrazTrybu *>("Image1")->Picture(); });
            f.Show();
            QCOMPARE(pokazany, 1);
            QCOMPARE(f.WykresId(), 1);
        }
        // The label's text came from the language file's own section for the window.
        QCOMPARE(modNI::CzytajIni(dir.filePath("set.lng"), "wykresy", "zamknij_okno", ""),
                 QString("Zamknij to okno"));

        // With no mode selected, the chart shows what it showed last.
        f.setWykresId(2);
        for (auto *op : o.okno->findChildren<QRadioButton *>())
            op->setAutoExclusive(false), op->setChecked(false);
        for (int i = 0; i < 2; ++i) {
            int pokazany = 0;
            gdyPokazane([&](FrmWykresy &okno) { pokazany = okno.findChild<ObrazTrybu *>("Image1")->Picture(); });
            o.klik("ButtonXP2");
            QCOMPARE(pokazany, 2);
        }
    }

    void obrazyCharakterystyk()
    {
        QCOMPARE(ImageList1::rozmiar(1), QSize(447, 224));
        QCOMPARE(ImageList1::rozmiar(2), QSize(393, 224));
        const QColor zielony(0, 160, 0);
        for (const qreal skala : {1.0, 2.0}) {
            const QImage m0 = ImageList1::ListImage(1, skala);
            const QImage m1 = ImageList1::ListImage(2, skala);
            const QImage m2 = ImageList1::ListImage(3, skala);
            QCOMPARE(m0.size(), QSize(447, 224) * skala);
            QCOMPARE(kolor(m0, 0.02, 0.02), QColor(Qt::white));
            // Where each characteristic runs at -max, 0 and +max.
            auto naLinii = [&](const QImage &obraz, qreal w, qreal mA) {
                const qreal szer = obraz.width() / skala;
                const qreal osX = 224 - 34;
                const qreal x = szer / 2 + w * (szer / 2 - 48);
                const qreal y = osX - mA * (osX - 36) / 20.0;
                return obraz.pixelColor(int(x * skala), int(y * skala)) == zielony;
            };
            QVERIFY(naLinii(m0, -1, 4) && naLinii(m0, 0, 12) && naLinii(m0, 1, 20));
            QVERIFY(naLinii(m1, -1, 20) && naLinii(m1, 0, 4) && naLinii(m1, 1, 20));
            QVERIFY(naLinii(m2, -1, 4) && naLinii(m2, -0.5, 4) && naLinii(m2, 1, 20));
            QVERIFY(!naLinii(m2, -1, 20) && !naLinii(m1, 0, 12));
        }
    }
};

QTEST_MAIN(TestWykresy)
#include "test_wykresy.moc"
