// The controls on a 200% screen: every logical pixel is a uniform 2 x 2 block,
// so the looks stay as crisp as at 100%.

#include "controls/buttonxp.h"
#include "controls/textxp.h"
#include "piksele.h"

#include <QApplication>
#include <QLineEdit>
#include <QtTest>

class TestXp200 : public QObject
{
    Q_OBJECT

private slots:
    void przycisk();
    void poleTekstowe();
};

void TestXp200::przycisk()
{
    Okno okno;
    QVERIFY(okno.gotowe());
    auto *b = new ButtonXP(&okno.widget);
    b->setCaption(QStringLiteral("7"));
    b->setGeometry(20, 20, 37, 19);
    b->show();
    QImage o = Obraz(b);
    QCOMPARE(o.size(), QSize(74, 38));
    Sprawdz(o, {{2, 3}}, QColor(255, 255, 253));
    Sprawdz(o, {{2, 4}}, QColor(254, 254, 252));
    Sprawdz(o, {{5, 0}, {36, 5}}, QColor(0, 60, 116));
    Sprawdz(o, {{1, 0}}, QColor(122, 149, 168));
    QVERIFY(!b->mask().contains(QPoint(0, 0)) && b->mask().contains(QPoint(1, 0)));

    // The 2-pixel focus bands and the 4-pixel pressed stripes, in logical pixels.
    b->setFocus();
    o = Obraz(b);
    Sprawdz(o, {{1, 3}, {2, 3}}, QColor(186, 211, 246));
    Sprawdz(o, {{3, 3}}, QColor(255, 255, 253));
    Sprawdz(o, {{34, 4}, {35, 4}}, QColor(182, 208, 245));
    QTest::mousePress(b, Qt::LeftButton, {}, QPoint(3, 3));
    o = Obraz(b);
    Sprawdz(o, {{2, 4}}, QColor(226, 225, 218));
    Sprawdz(o, {{2, 5}, {35, 12}}, QColor(225, 224, 217));
}

void TestXp200::poleTekstowe()
{
    Okno okno;
    QVERIFY(okno.gotowe());
    auto *t = new TextXP(&okno.widget);
    t->setGeometry(20, 20, 100, 30);
    t->show();
    QCOMPARE(t->MyTxt()->geometry(), QRect(4, 4, 92, 11));
    const QImage o = Obraz(t);
    QCOMPARE(o.size(), QSize(200, 60));
    Sprawdz(o, {{0, 10}, {99, 10}, {50, 29}}, QColor(127, 157, 185));
    Sprawdz(o, {{1, 10}}, QColor(255, 255, 255));
}

int main(int argc, char **argv)
{
    qputenv("QT_SCALE_FACTOR", "2");
    QApplication aplikacja(argc, argv);
    TestXp200 test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_xp_200.moc"
