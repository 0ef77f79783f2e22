#include "controls/propertybag.h"
#include "controls/textxp.h"
#include "piksele.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalSpy>
#include <QtTest>

namespace {

const QColor kRamka(127, 157, 185);
const QColor kRamkaFokus(176, 208, 240);
const QColor kRamkaWylaczona(191, 167, 128);
const QColor kBialy(255, 255, 255);

void SprawdzRamke(TextXP *t, const QColor &kolor)
{
    const QImage o = Obraz(t);
    const int w = t->width();
    const int h = t->height();
    for (QPoint p : {QPoint(0, 0), QPoint(w / 2, 0), QPoint(0, h / 2), QPoint(w - 1, h / 2),
                     QPoint(w / 2, h - 1), QPoint(w - 1, h - 1)})
        PIKSEL(o, p.x(), p.y(), kolor);
    PIKSEL(o, 1, 1, kBialy);
    PIKSEL(o, w - 2, h - 2, kBialy);
}

TextXP *Pole(QWidget *rodzic, QSize rozmiar)
{
    auto *t = new TextXP(rodzic);
    t->setGeometry(QRect(QPoint(20, 20), rozmiar));
    t->show();
    return t;
}

} // namespace

class TestTextXP : public QObject
{
    Q_OBJECT

private slots:
    void ukladIRamka();
    void zablokowane();
    void tekstIWartosc();
    void klawisze();
    void mysz();
    void zapis();
};

void TestTextXP::ukladIRamka()
{
    Okno okno;
    QVERIFY(okno.gotowe());
    TextXP *t = Pole(&okno.widget, QSize(100, 30));
    auto *inne = new QLineEdit(&okno.widget);
    inne->setGeometry(20, 100, 80, 20);
    inne->show();

    // MyTxt at 60 twips from the top-left, 120 twips narrower and 280 lower.
    QCOMPARE(t->MyTxt()->objectName(), QStringLiteral("MyTxt"));
    QCOMPARE(t->MyTxt()->geometry(), QRect(4, 4, 92, 11));
    QVERIFY(!t->MyTxt()->hasFrame());
    SprawdzRamke(t, kRamka);
    t->resize(120, 22);
    QCOMPARE(t->MyTxt()->geometry(), QRect(4, 4, 112, 3));
    // Too low for the inner field: it stays where it was.
    t->resize(50, 18);
    QCOMPARE(t->MyTxt()->geometry(), QRect(4, 4, 112, 3));
    SprawdzRamke(t, kRamka);
    t->resize(100, 30);

    // The frame follows the focus.
    t->setFocus();
    QVERIFY(t->MyTxt()->hasFocus());
    SprawdzRamke(t, kRamkaFokus);
    inne->setFocus();
    SprawdzRamke(t, kRamka);

    // A new focus colour waits for the next focus change.
    t->setFocus();
    t->setBorderColorFocus(0x0000FF);
    SprawdzRamke(t, kRamkaFokus);
    inne->setFocus();
    t->setFocus();
    SprawdzRamke(t, QColor(255, 0, 0));

    // Enabled paints its own frame colours; a resize enables the field again.
    t->setEnabled(false);
    QVERIFY(!t->Enabled());
    SprawdzRamke(t, kRamkaWylaczona);
    t->setEnabled(true);
    SprawdzRamke(t, kRamka);
    t->setEnabled(false);
    t->resize(101, 30);
    QVERIFY(t->Enabled());
    SprawdzRamke(t, kRamka);
}

void TestTextXP::zablokowane()
{
    Okno okno;
    QVERIFY(okno.gotowe());
    TextXP *t = Pole(&okno.widget, QSize(100, 30));
    t->setText(QStringLiteral("1500"));

    // Locked at run time: only the behaviour changes until the next resize.
    t->setLocked(true);
    QVERIFY(t->MyTxt()->isReadOnly());
    QVERIFY(t->MyTxt()->isEnabled());
    PIKSEL(Obraz(t), 60, 8, kBialy);
    t->resize(100, 31);
    QVERIFY(!t->MyTxt()->isEnabled());
    PIKSEL(Obraz(t), 60, 8, QColor(235, 235, 228));
    QCOMPARE(t->ForeColor(), 0x92A1A1u);
    // Neither Tab nor a click brings the focus in.
    auto *inne = new QLineEdit(&okno.widget);
    inne->setGeometry(20, 100, 80, 20);
    inne->show();
    inne->setFocus();
    QTest::keyClick(inne, Qt::Key_Tab);
    QVERIFY(inne->hasFocus());
    QTest::mouseClick(t->MyTxt(), Qt::LeftButton, {}, QPoint(5, 5));
    QVERIFY(!t->MyTxt()->hasFocus());

    // A new BorderColor repaints the frame and keeps the read-only look.
    t->setBorderColor(0x0000FF);
    SprawdzRamke(t, QColor(255, 0, 0));
    QVERIFY(!t->MyTxt()->isEnabled());
    PIKSEL(Obraz(t), 60, 8, QColor(235, 235, 228));

    // Unlocked, the next repaint gives the white field back.
    t->setLocked(false);
    t->setBorderColor(0xB99D7F);
    QVERIFY(t->MyTxt()->isEnabled());
    PIKSEL(Obraz(t), 60, 8, kBialy);
}

void TestTextXP::tekstIWartosc()
{
    TextXP t;
    QSignalSpy zmiana(&t, &TextXP::Change);
    t.setText(QStringLiteral("001500"));
    QCOMPARE(zmiana.count(), 1);
    QCOMPARE(t.Value(), 1500.0);
    t.setValue(1500);
    QCOMPARE(t.Text(), QStringLiteral("1500"));
    QCOMPARE(zmiana.count(), 2);
    t.setValue(2.5);
    QCOMPARE(t.Text(), QStringLiteral("2.5"));
    t.setText(QStringLiteral("x3"));
    QCOMPARE(t.Value(), 0.0);
    t.setText(QStringLiteral("  12abc"));
    QCOMPARE(t.Value(), 12.0);

    // Selection and the other pass-through properties.
    t.setText(QStringLiteral("abcdef"));
    t.setSelStart(2);
    t.setSelLength(3);
    QCOMPARE(t.SelText(), QStringLiteral("cde"));
    QCOMPARE(t.SelStart(), 2);
    t.setSelText(QStringLiteral("X"));
    QCOMPARE(t.Text(), QStringLiteral("abXf"));
    QCOMPARE(t.SelLength(), 0);
    QCOMPARE(t.SelStart(), 3);
    t.setMaxLength(3);
    QCOMPARE(t.Text(), QStringLiteral("abX"));
    t.setMaxLength(0);
    QCOMPARE(t.MaxLength(), 0);
    t.setPasswordChar(QStringLiteral("#"));
    QCOMPARE(t.MyTxt()->displayText(), QStringLiteral("###"));
    t.setPasswordChar(QString());
    QCOMPARE(t.MyTxt()->displayText(), QStringLiteral("abX"));
    t.setAlignment(1);
    QCOMPARE(t.Alignment(), short(1));
    QVERIFY(t.MyTxt()->alignment() & Qt::AlignRight);
}

void TestTextXP::klawisze()
{
    Okno okno;
    QVERIFY(okno.gotowe());
    TextXP *t = Pole(&okno.widget, QSize(100, 30));
    QList<short> kody;
    // The max-value filter: control characters and digits pass, the rest is dropped.
    connect(t, &TextXP::KeyPress, this, [&](short &kod) {
        kody.append(kod);
        if (kod == 'x')
            kod = 'y';
        else if (kod >= 28 && (kod < '0' || kod > '9'))
            kod = 0;
    });
    t->setFocus();
    QTest::keyClicks(t->MyTxt(), QStringLiteral("1a2"));
    QCOMPARE(t->Text(), QStringLiteral("12"));
    QTest::keyClick(t->MyTxt(), Qt::Key_Backspace);
    QCOMPARE(t->Text(), QStringLiteral("1"));
    QCOMPARE(kody, QList<short>({'1', 'a', '2', 8}));

    // Another code types that character instead.
    QTest::keyClick(t->MyTxt(), Qt::Key_X);
    QCOMPARE(t->Text(), QStringLiteral("1y"));

    // Codes are those of the 8-bit code page; arrows type nothing and raise nothing.
    kody.clear();
    QKeyEvent a(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QStringLiteral("ą"));
    QApplication::sendEvent(t->MyTxt(), &a);
    QTest::keyClick(t->MyTxt(), Qt::Key_Left);
    QCOMPARE(kody, QList<short>({185}));
    QCOMPARE(t->Text(), QStringLiteral("1y"));
}

void TestTextXP::mysz()
{
    Okno okno;
    QVERIFY(okno.gotowe());
    TextXP *t = Pole(&okno.widget, QSize(100, 30));
    QSignalSpy klik(t, &TextXP::Click);
    QSignalSpy dwuklik(t, &TextXP::DblClick);
    QList<float> xy;
    connect(t, &TextXP::MouseMove, this, [&](short &, short &, float &x, float &y) { xy = {x, y}; });

    QTest::mouseMove(t->MyTxt(), QPoint(3, 2));
    QCOMPARE(xy, QList<float>({45.0f, 30.0f}));
    QTest::mouseClick(t->MyTxt(), Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(klik.count(), 1);
    QTest::mouseDClick(okno.widget.windowHandle(), Qt::LeftButton, {}, t->MyTxt()->mapTo(&okno.widget, QPoint(8, 5)));
    QCOMPARE(klik.count(), 2);
    QCOMPARE(dwuklik.count(), 1);
}

void TestTextXP::zapis()
{
    Okno okno;
    QVERIFY(okno.gotowe());

    // Nothing stored: the defaults, with the text "Text1".
    TextXP *t = TextXP::utworz(&okno.widget, QStringLiteral("txtMaxVal"), PropertyBag());
    QCOMPARE(t->objectName(), QStringLiteral("txtMaxVal"));
    QCOMPARE(t->Text(), QStringLiteral("Text1"));
    QVERIFY(t->Enabled());
    QCOMPARE(t->BorderColor(), 0xB99D7Fu);
    QCOMPARE(t->BorderColorFocus(), 0xF0D0B0u);

    // Loaded in order: the length limit comes before the text and cuts it.
    PropertyBag torba;
    torba.WriteProperty(QStringLiteral("Text"), QStringLiteral("001500"));
    torba.WriteProperty(QStringLiteral("MaxLength"), 4);
    torba.WriteProperty(QStringLiteral("Locked"), true);
    torba.WriteProperty(QStringLiteral("Alignment"), 2);
    torba.WriteProperty(QStringLiteral("BorderColorOver"), 0x123456u);
    torba.WriteProperty(QStringLiteral("Value"), 99.0);
    TextXP *u = TextXP::utworz(&okno.widget, QStringLiteral("txtInne"), torba);
    QCOMPARE(u->Text(), QStringLiteral("0015"));
    QVERIFY(u->Locked());
    QCOMPARE(u->Alignment(), short(2));
    QCOMPARE(u->BorderColorFocus(), 0x123456u);

    // Saved in order; Locked always, the rest only when not at its default.
    PropertyBag domyslne;
    t->setText(QStringLiteral("Text1"));
    t->setSelStart(0);
    t->WriteProperties(domyslne);
    QCOMPARE(domyslne.Names(), QStringList({"BackColor", "Locked"}));
    QCOMPARE(domyslne.ReadProperty(QStringLiteral("BackColor")).toUInt(), 0xFFFFFFu);

    // BorderColor first: its repaint enables the field again.
    QSignalSpy zmiany(t, &TextXP::PropertyChanged);
    t->setBorderColor(0xFF00);
    t->setAlignment(1);
    t->setEnabled(false);
    QFont f = t->Font();
    f.setBold(true);
    t->setFont(f);
    t->setForeColor(0xFF);
    t->setMaxLength(10);
    t->setPasswordChar(QStringLiteral("*"));
    t->setText(QStringLiteral("001500"));
    t->setSelStart(1);
    t->setSelLength(2);
    t->setToolTipText(QStringLiteral("max"));
    t->setBorderColorFocus(0xFF0000);
    QCOMPARE(zmiany.last().at(0).toString(), QStringLiteral("BorderColorOver"));
    PropertyBag wszystkie;
    t->WriteProperties(wszystkie);
    QCOMPARE(wszystkie.Names(),
             QStringList({"Alignment", "BackColor", "Enabled", "Font", "ForeColor", "Locked", "MaxLength",
                          "PasswordChar", "SelStart", "SelText", "SelLength", "Text", "ToolTipText", "Value",
                          "BorderColor", "BorderColorOver"}));
    QCOMPARE(wszystkie.ReadProperty(QStringLiteral("Value")).toDouble(), 1500.0);
    QCOMPARE(wszystkie.ReadProperty(QStringLiteral("SelText")).toString(), QStringLiteral("01"));

    // A new instance.
    auto *n = new TextXP(&okno.widget);
    n->setObjectName(QStringLiteral("txtMaxValXY"));
    n->InitProperties();
    QCOMPARE(n->Text(), QStringLiteral("TextY"));
    QCOMPARE(n->height(), 22);
    QCOMPARE(n->Font().family(), QStringLiteral("Verdana"));
}

QTEST_MAIN(TestTextXP)
#include "tst_textxp.moc"
