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
const QColor kBialy(255, 255, 255);
const QColor kTloZablokowane(235, 235, 228);

// The four frame lines in `kolor`, white just inside them.
void SprawdzRamke(TextXP *t, const QColor &kolor)
{
    const QImage o = Obraz(t);
    const int w = t->width();
    const int h = t->height();
    Sprawdz(o, {{0, 0}, {w / 2, 0}, {0, h / 2}, {w - 1, h / 2}, {w / 2, h - 1}, {w - 1, h - 1}}, kolor);
    Sprawdz(o, {{1, 1}, {w - 2, h - 2}}, kBialy);
}

TextXP *Pole(QWidget *rodzic)
{
    auto *t = new TextXP(rodzic);
    t->setGeometry(20, 20, 100, 30);
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
    void klawiszeIMysz();
    void zapis();
};

void TestTextXP::ukladIRamka()
{
    Okno okno;
    QVERIFY(okno.gotowe());
    TextXP *t = Pole(&okno.widget);
    auto *inne = new QLineEdit(&okno.widget);
    inne->setGeometry(20, 100, 80, 20);
    inne->show();

    // MyTxt 60 twips in from the top-left, 120 twips narrower and 280 lower;
    // a control too low for it leaves it where it was.
    QCOMPARE(t->MyTxt()->geometry(), QRect(4, 4, 92, 11));
    t->resize(120, 22);
    QCOMPARE(t->MyTxt()->geometry(), QRect(4, 4, 112, 3));
    t->resize(50, 18);
    QCOMPARE(t->MyTxt()->geometry(), QRect(4, 4, 112, 3));
    t->resize(100, 30);
    SprawdzRamke(t, kRamka);

    // The frame follows the focus; a new focus colour waits for the next focus change.
    t->setFocus();
    SprawdzRamke(t, kRamkaFokus);
    t->setBorderColorFocus(0x0000FF);
    SprawdzRamke(t, kRamkaFokus);
    inne->setFocus();
    SprawdzRamke(t, kRamka);
    t->setFocus();
    SprawdzRamke(t, QColor(255, 0, 0));

    // Enabled paints its own frame colours; a resize enables the field again.
    t->setEnabled(false);
    SprawdzRamke(t, QColor(191, 167, 128));
    t->setEnabled(true);
    SprawdzRamke(t, kRamka);
    t->setEnabled(false);
    t->resize(101, 30);
    QVERIFY(t->Enabled());
}

void TestTextXP::zablokowane()
{
    Okno okno;
    QVERIFY(okno.gotowe());
    TextXP *t = Pole(&okno.widget);
    t->setText(QStringLiteral("1500"));

    // Locked at run time: only the behaviour changes until the next resize.
    t->setLocked(true);
    QVERIFY(t->MyTxt()->isReadOnly() && t->MyTxt()->isEnabled());
    PIKSEL(Obraz(t), 60, 8, kBialy);
    t->resize(100, 31);
    QVERIFY(!t->MyTxt()->isEnabled());
    PIKSEL(Obraz(t), 60, 8, kTloZablokowane);
    QCOMPARE(t->ForeColor(), 0x92A1A1u);

    // Neither Tab nor a click brings the focus in.
    auto *inne = new QLineEdit(&okno.widget);
    inne->setGeometry(20, 100, 80, 20);
    inne->show();
    inne->setFocus();
    QTest::keyClick(inne, Qt::Key_Tab);
    QTest::mouseClick(t->MyTxt(), Qt::LeftButton, {}, QPoint(5, 5));
    QVERIFY(inne->hasFocus());

    // A new BorderColor repaints the frame and keeps the look; unlocked, it turns white.
    t->setBorderColor(0x0000FF);
    SprawdzRamke(t, QColor(255, 0, 0));
    PIKSEL(Obraz(t), 60, 8, kTloZablokowane);
    t->setLocked(false);
    t->setBorderColor(0xB99D7F);
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
    t.setText(QStringLiteral("x3"));
    QCOMPARE(t.Value(), 0.0);

    t.setText(QStringLiteral("abcdef"));
    t.setSelStart(2);
    t.setSelLength(3);
    QCOMPARE(t.SelText(), QStringLiteral("cde"));
    t.setSelText(QStringLiteral("X"));
    QCOMPARE(t.Text(), QStringLiteral("abXf"));
    QCOMPARE(t.SelStart(), 3);
    t.setMaxLength(3);
    QCOMPARE(t.Text(), QStringLiteral("abX"));
    t.setMaxLength(0);
    QCOMPARE(t.MaxLength(), 0);
    t.setPasswordChar(QStringLiteral("#"));
    QCOMPARE(t.MyTxt()->displayText(), QStringLiteral("###"));
}

void TestTextXP::klawiszeIMysz()
{
    Okno okno;
    QVERIFY(okno.gotowe());
    TextXP *t = Pole(&okno.widget);
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
    QTest::keyClick(t->MyTxt(), Qt::Key_Backspace);
    QTest::keyClick(t->MyTxt(), Qt::Key_X);
    QCOMPARE(t->Text(), QStringLiteral("1y"));
    // Codes of the 8-bit code page; arrows raise nothing.
    QKeyEvent a(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QStringLiteral("ą"));
    QApplication::sendEvent(t->MyTxt(), &a);
    QTest::keyClick(t->MyTxt(), Qt::Key_Left);
    QCOMPARE(kody, QList<short>({'1', 'a', '2', 8, 'x', 185}));
    QCOMPARE(t->Text(), QStringLiteral("1y"));

    QSignalSpy klik(t, &TextXP::Click), dwuklik(t, &TextXP::DblClick);
    QList<float> xy;
    connect(t, &TextXP::MouseMove, this, [&](short &, short &, float &x, float &y) { xy = {x, y}; });
    QTest::mouseMove(t->MyTxt(), QPoint(3, 2));
    QCOMPARE(xy, QList<float>({45.0f, 30.0f}));
    QTest::mouseDClick(okno.widget.windowHandle(), Qt::LeftButton, {}, t->MyTxt()->mapTo(&okno.widget, QPoint(8, 5)));
    QCOMPARE(klik.count(), 1);
    QCOMPARE(dwuklik.count(), 1);
}

void TestTextXP::zapis()
{
    Okno okno;
    QVERIFY(okno.gotowe());

    // Loaded in order, defaults where absent: the length limit comes before the text.
    PropertyBag torba;
    torba.WriteProperty(QStringLiteral("Text"), QStringLiteral("001500"));
    torba.WriteProperty(QStringLiteral("MaxLength"), 4);
    torba.WriteProperty(QStringLiteral("BorderColorOver"), 0x123456u);
    TextXP *u = TextXP::utworz(&okno.widget, QStringLiteral("txtInne"), torba);
    QCOMPARE(u->Text(), QStringLiteral("0015"));
    QCOMPARE(u->BorderColorFocus(), 0x123456u);
    QCOMPARE(u->BorderColor(), 0xB99D7Fu);
    QCOMPARE(TextXP::utworz(&okno.widget, QStringLiteral("txtMaxVal"), PropertyBag())->Text(), QStringLiteral("Text1"));

    // Saved in order; Locked always, the rest only away from its default (the
    // text's is "Text1"). Every frame repaint gives an unlocked field a white
    // background.
    auto *t = new TextXP(&okno.widget);
    t->setBorderColor(0xB99D7F);
    PropertyBag domyslne;
    t->WriteProperties(domyslne);
    QCOMPARE(domyslne.Names(), QStringList({"BackColor", "Locked", "Text"}));

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

    // A new instance: "Text" and the display name from its 11th character, 330 twips high.
    t->setObjectName(QStringLiteral("txtMaxValXY"));
    t->InitProperties();
    QCOMPARE(t->Text(), QStringLiteral("TextY"));
    QCOMPARE(t->height(), 22);
    QCOMPARE(t->Font().family(), QStringLiteral("Verdana"));
}

QTEST_MAIN(TestTextXP)
#include "tst_textxp.moc"
