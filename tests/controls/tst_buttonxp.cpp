#include "controls/buttonxp.h"
#include "controls/propertybag.h"
#include "piksele.h"

#include <QElapsedTimer>
#include <QKeyEvent>
#include <QPainter>
#include <QSignalSpy>
#include <QtTest>

#include <algorithm>

namespace {

const QColor kFokus1(206, 231, 251);
const QColor kWcisniety1(209, 204, 192);
const QColor kNajechany1(255, 240, 207);

// A shown button at rest: its first poll has found the pointer elsewhere.
ButtonXP *Przycisk(QWidget *rodzic, QSize rozmiar, const QString &napis = QStringLiteral("7"))
{
    auto *b = new ButtonXP(rodzic);
    QSignalSpy poza(b, &ButtonXP::MouseOut);
    b->setCaption(napis);
    b->setGeometry(QRect(QPoint(20, 20), rozmiar));
    b->show();
    return QTest::qWaitFor([&] { return poza.count() == 1; }) ? b : nullptr;
}

// The plain face at row y, columns 0 to W-2, under the border.
QColor Twarz(int y, int h, const QColor &tlo)
{
    const int m = std::min(y - 3, 24);
    return y == h - 2 ? QColor(214, 208, 197)
           : y == h - 3 ? QColor(226, 223, 214)
           : y == h - 4 ? QColor(236, 235, 230)
           : y >= 3     ? QColor(255 - m, 255 - m, 253 - m)
                        : tlo;
}

void SprawdzObwodke(const QImage &o, int w, int h)
{
    for (int x = 2; x <= w - 3; ++x)
        Sprawdz(o, {{x, 0}, {x, h - 1}}, QColor(0, 60, 116));
    for (int y = 2; y <= h - 3; ++y)
        Sprawdz(o, {{0, y}, {w - 1, y}}, QColor(0, 60, 116));
    Sprawdz(o, {{0, 1}, {1, 0}, {w - 2, 0}, {w - 1, 1}, {0, h - 2}, {1, h - 1}, {w - 1, h - 2}, {w - 2, h - 1}},
            QColor(122, 149, 168));
    Sprawdz(o, {{1, 1}, {w - 2, 1}, {1, h - 2}, {w - 2, h - 2}}, QColor(37, 87, 131));
}

// Rows where a caption differs clearly from the same button without one.
QList<int> WierszeNapisu(const QImage &z, const QImage &bez)
{
    QList<int> wiersze;
    for (int y = 0; y < z.height(); ++y)
        for (int x = 0; x < z.width(); ++x) {
            const QColor a = z.pixelColor(x, y), b = bez.pixelColor(x, y);
            if (std::max({qAbs(a.red() - b.red()), qAbs(a.green() - b.green()), qAbs(a.blue() - b.blue())}) > 60) {
                wiersze.append(y);
                break;
            }
        }
    return wiersze;
}

bool Czerwony(QColor c) { return c.red() - std::max(c.green(), c.blue()) > 80; }
bool Niebieski(QColor c) { return c.blue() - std::max(c.red(), c.green()) > 80; }
bool Zielony(QColor c) { return c.green() - std::max(c.red(), c.blue()) > 80; }

class Panel : public QWidget
{
public:
    using QWidget::QWidget;
    QList<int> klawisze;

protected:
    void keyPressEvent(QKeyEvent *e) override { klawisze.append(e->key()); }
};

} // namespace

class TestButtonXP : public QObject
{
    Q_OBJECT

private slots:
    void nowyPrzyciskPozaWskaznikiem();
    void wyglady_data();
    void wyglady();
    void napis();
    void mysz();
    void klawiatura();
    void klawiszDostepu_data();
    void klawiszDostepu();
    void zleRozmiaryINapisy();
    void zapis();
};

void TestButtonXP::nowyPrzyciskPozaWskaznikiem()
{
    Okno okno;
    QVERIFY(okno.gotowe());
    QElapsedTimer zegar;
    zegar.start();
    auto *b = new ButtonXP(&okno.widget);
    QSignalSpy poza(b, &ButtonXP::MouseOut);
    qint64 kiedy = -1;
    connect(b, &ButtonXP::MouseOut, this, [&] { kiedy = zegar.elapsed(); });
    b->setGeometry(20, 20, 37, 19);
    b->show();
    QTRY_COMPARE(poza.count(), 1);
    QVERIFY2(kiedy >= 45, qPrintable(QString::number(kiedy)));
    QTest::qWait(200);
    QCOMPARE(poza.count(), 1);
}

void TestButtonXP::wyglady_data()
{
    QTest::addColumn<QSize>("rozmiar");
    QTest::newRow("keypad 37x19") << QSize(37, 19);
    QTest::newRow("choice 43x18") << QSize(43, 18);
    QTest::newRow("large 90x40") << QSize(90, 40);
    QTest::newRow("low 37x12") << QSize(37, 12);
}

void TestButtonXP::wyglady()
{
    QFETCH(QSize, rozmiar);
    const int w = rozmiar.width();
    const int h = rozmiar.height();
    Okno okno;
    QVERIFY(okno.gotowe());
    ButtonXP *b = Przycisk(&okno.widget, rozmiar);
    QVERIFY(b);
    const QColor tlo = b->palette().color(QPalette::Button);

    // Normal: the ramp and where it stops, the bottom rows, the border, the cut corners.
    QImage o = Obraz(b);
    for (int y = 1; y <= h - 2; ++y) {
        PIKSEL(o, 2, y, Twarz(y, h, tlo));
        if (y >= 2 && y <= h - 3)
            PIKSEL(o, w - 2, y, Twarz(y, h, tlo));
    }
    SprawdzObwodke(o, w, h);
    for (QPoint p : {QPoint(0, 0), QPoint(w - 1, 0), QPoint(0, h - 1), QPoint(w - 1, h - 1)})
        QVERIFY(QApplication::widgetAt(b->mapToGlobal(p)) != b);
    QCOMPARE(QApplication::widgetAt(b->mapToGlobal(QPoint(1, 0))), b);

    // Focus: two rows on top, 2-pixel side bands, the bottom rows.
    b->setFocus();
    o = Obraz(b);
    auto boczny = [](int m) { return QColor(186 - 4 * m, 211 - 3 * m, 246 - m); };
    Sprawdz(o, {{2, 1}, {w - 3, 1}}, kFokus1);
    Sprawdz(o, {{1, 2}, {w - 2, 2}}, QColor(188, 212, 246));
    for (int y = 3; y <= h - 4; ++y) {
        Sprawdz(o, {{1, y}, {2, y}, {w - 3, y}, {w - 2, y}}, boczny(std::min(y - 3, 19)));
        Sprawdz(o, {{3, y}, {w - 4, y}}, Twarz(y, h, tlo));
    }
    Sprawdz(o, {{1, h - 3}, {w - 3, h - 3}}, boczny(std::min(h - 6, 19)));
    Sprawdz(o, {{2, h - 2}, {w - 3, h - 2}}, QColor(77, 125, 193));
    Sprawdz(o, {{3, h - 2}, {w - 4, h - 2}}, QColor(97, 125, 229));
    SprawdzObwodke(o, w, h);

    // Hover, which wins over focus.
    QTest::mouseMove(b, QPoint(3, h / 2));
    o = Obraz(b);
    auto zewnetrzny = [](int m) { return QColor(254 - m, 223 - 3 * m, 154 - 7 * m); };
    auto wewnetrzny = [](int m) { return QColor(252 - m, 210 - 4 * m, 121 - 8 * m); };
    Sprawdz(o, {{2, 1}, {w - 3, 1}}, kNajechany1);
    Sprawdz(o, {{2, 2}, {w - 3, 2}}, QColor(253, 216, 137));
    for (int y = 2; y <= h - 4; ++y)
        Sprawdz(o, {{1, y}, {w - 2, y}}, zewnetrzny(std::min(y - 2, 16)));
    for (int y = 3; y <= h - 4; ++y)
        Sprawdz(o, {{2, y}, {w - 3, y}}, wewnetrzny(std::min(y - 3, 9)));
    PIKSEL(o, 1, h - 3, zewnetrzny(std::min(h - 5, 16)));
    Sprawdz(o, {{3, h - 3}, {w - 2, h - 3}}, wewnetrzny(std::min(h - 5, 9)));
    Sprawdz(o, {{2, h - 2}, {w - 3, h - 2}}, QColor(229, 151, 0));
    SprawdzObwodke(o, w, h);

    // Pressed: stripes 4 rows high under four fixed rows.
    QSignalSpy klik(b, &ButtonXP::Click);
    QTest::mousePress(b, Qt::LeftButton, {}, QPoint(3, h / 2));
    o = Obraz(b);
    for (int y = 1; y <= h - 2; ++y) {
        const QColor c = y == 1 ? kWcisniety1 : y == 2 ? QColor(220, 216, 207) : y == h - 3 ? QColor(234, 233, 227)
                       : y == h - 2 ? QColor(242, 241, 238) : y <= 4 ? QColor(226, 225, 218) : QColor(225, 224, 217);
        Sprawdz(o, {{2, y}, {w - 3, y}}, c);
    }
    SprawdzObwodke(o, w, h);
    QTest::mouseRelease(b, Qt::LeftButton, {}, QPoint(3, h / 2));
    QCOMPARE(klik.count(), 1);
    PIKSEL(Obraz(b), 2, 1, kNajechany1);

    // Disabled: grey, with its own corners instead of the border.
    b->setEnabled(false);
    o = Obraz(b);
    Sprawdz(o, {{3, 3}, {w - 4, h - 4}}, QColor(245, 244, 234));
    Sprawdz(o, {{3, 0}, {0, 3}, {w - 1, 3}, {3, h - 1}}, QColor(201, 199, 186));
    Sprawdz(o, {{0, 1}, {1, 1}, {1, 0}, {w - 2, 0}, {w - 2, 1}, {w - 1, 1}, {0, h - 2}, {1, h - 2}, {1, h - 1},
                {w - 1, h - 2}, {w - 2, h - 2}, {w - 2, h - 1}},
            QColor(216, 213, 199));
    Sprawdz(o, {{1, 2}, {2, 1}, {w - 3, 1}, {w - 2, 2}, {1, h - 3}, {2, h - 2}, {w - 2, h - 3}, {w - 3, h - 2}},
            QColor(234, 233, 222));
}

void TestButtonXP::napis()
{
    Okno okno;
    QVERIFY(okno.gotowe());
    const QFont czcionka = okno.widget.font();
    const int flagi = Qt::TextWordWrap | Qt::AlignHCenter | Qt::TextShowMnemonic;
    const int h = QFontMetrics(czcionka, &okno.widget).boundingRect(QRect(0, 0, 37, 99), flagi, QStringLiteral("8")).height();

    // The text rectangle's top is H/2 - h/2 rounded halves to even: 1.5 and 2.5 both give 2.
    QImage wzor(37, h + 5, QImage::Format_RGB32), bialy(37, h + 5, QImage::Format_RGB32);
    wzor.fill(Qt::white);
    bialy.fill(Qt::white);
    QPainter p(&wzor);
    p.setFont(czcionka);
    p.drawText(QRect(0, 2, 37, h), flagi, QStringLiteral("8"));
    p.end();
    const int gora = WierszeNapisu(wzor, bialy).value(0);
    for (int wysokosc : {h + 3, h + 5}) {
        ButtonXP *z = Przycisk(&okno.widget, QSize(37, wysokosc), QStringLiteral("8"));
        ButtonXP *bez = Przycisk(&okno.widget, QSize(37, wysokosc), QString());
        QVERIFY(z && bez);
        QCOMPARE(WierszeNapisu(Obraz(z), Obraz(bez)).value(0), gora);
        // Word wrap: a caption too wide for one line takes two; "&" underlines.
        z->resize(60, 40);
        bez->resize(60, 40);
        z->setCaption(QStringLiteral("Ustaw wartosc"));
        const QList<int> wiersze = WierszeNapisu(Obraz(z), Obraz(bez));
        QVERIFY(wiersze.last() - wiersze.first() >= QFontMetrics(czcionka).height());
        z->setCaption(QStringLiteral("Ok"));
        bez->setCaption(QStringLiteral("&Ok"));
        QVERIFY(Obraz(z) != Obraz(bez));
        delete z;
        delete bez;
    }

    // ForeColor at rest, ForeHover under the pointer, also pressed; grey when disabled.
    ButtonXP *b = Przycisk(&okno.widget, QSize(43, 30), QStringLiteral("8"));
    QVERIFY(b);
    b->setForeColor(0xFF0000);
    b->setForeHover(0x0000FF);
    const QRect srodek(5, 4, 33, 22);
    QCOMPARE(std::make_pair(Policz(Obraz(b), srodek, Niebieski) > 0, Policz(Obraz(b), srodek, Czerwony)), std::make_pair(true, 0));
    QTest::mouseMove(b, QPoint(2, 2));
    QCOMPARE(std::make_pair(Policz(Obraz(b), srodek, Czerwony) > 0, Policz(Obraz(b), srodek, Niebieski)), std::make_pair(true, 0));
    QTest::mousePress(b, Qt::LeftButton, {}, QPoint(2, 2));
    PIKSEL(Obraz(b), 2, 1, kWcisniety1);
    QVERIFY(Policz(Obraz(b), srodek, Czerwony) > 0);
    QTest::mouseRelease(b, Qt::LeftButton, {}, QPoint(2, 2));
    b->setEnabled(false);
    QCOMPARE(Policz(Obraz(b), srodek, [](QColor c) { return Czerwony(c) || Niebieski(c); }), 0);
    QVERIFY(Policz(Obraz(b), srodek, [](QColor c) { return c.red() < 215 && c.red() - c.blue() >= 5; }) > 0);

    // The system button-text reference takes the palette's button-text colour.
    // A new ForeHover shows at the next repaint only.
    QPalette paleta = b->palette();
    paleta.setColor(QPalette::ButtonText, QColor(0, 160, 0));
    b->setPalette(paleta);
    b->setEnabled(true);
    b->setForeHover(0x80000012);
    QVERIFY(Policz(Obraz(b), srodek, Czerwony) > 0);
    b->setForeColor(0x80000012);
    QVERIFY(Policz(Obraz(b), srodek, Zielony) > 0);
}

void TestButtonXP::mysz()
{
    Okno okno;
    QVERIFY(okno.gotowe());
    ButtonXP *b = Przycisk(&okno.widget, QSize(37, 19));
    QVERIFY(b);
    QSignalSpy dol(b, &ButtonXP::MouseDown), gora(b, &ButtonXP::MouseUp), ruch(b, &ButtonXP::MouseMove);
    QSignalSpy klik(b, &ButtonXP::Click), nad(b, &ButtonXP::MouseOver), poza(b, &ButtonXP::MouseOut);

    // Entering raises MouseOver and MouseMove, the next move MouseMove, later ones nothing.
    for (int x : {5, 6, 7, 8})
        QTest::mouseMove(b, QPoint(x, 6));
    QCOMPARE(nad.count(), 1);
    QCOMPARE(ruch.count(), 2);

    // A right click: MouseDown and MouseUp with button 2, no pressed look, no Click.
    QTest::mousePress(b, Qt::RightButton, Qt::ShiftModifier, QPoint(8, 6));
    QCOMPARE(dol.value(0), QVariantList({short(2), short(1), 8.0f, 6.0f}));
    PIKSEL(Obraz(b), 2, 1, kNajechany1);
    QTest::mouseRelease(b, Qt::RightButton, {}, QPoint(8, 6));
    QCOMPARE(gora.count(), 1);
    QCOMPARE(klik.count(), 0);

    // Leaving: the next poll raises MouseOut once and shows the focus the press brought.
    QTest::mouseMove(&okno.widget, QPoint(250, 150));
    QTRY_COMPARE(poza.count(), 1);
    PIKSEL(Obraz(b), 2, 1, kFokus1);
    QTest::qWait(150);
    QCOMPARE(poza.count(), 1);

    // A double click: one Click, a second MouseDown at (0, 0), two MouseUps.
    dol.clear();
    QTest::mouseDClick(okno.widget.windowHandle(), Qt::LeftButton, {}, b->mapTo(&okno.widget, QPoint(10, 9)));
    QCOMPARE(klik.count(), 1);
    QCOMPARE(QList<QVariantList>(dol), QList<QVariantList>({{short(1), short(0), 10.0f, 9.0f}, {short(1), short(0), 0.0f, 0.0f}}));
    QCOMPARE(gora.count(), 3);

    // A release off the button is a MouseUp but no Click; a disabled button hears nothing.
    QTest::mousePress(b, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseRelease(b, Qt::LeftButton, {}, QPoint(60, 5));
    QCOMPARE(gora.count(), 4);
    b->setEnabled(false);
    QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(dol.count(), 3);
    QCOMPARE(klik.count(), 1);
}

void TestButtonXP::klawiatura()
{
    Okno okno;
    QVERIFY(okno.gotowe());
    auto *panel = new Panel(&okno.widget);
    panel->setGeometry(0, 0, 200, 100);
    panel->show();
    ButtonXP *a = Przycisk(panel, QSize(37, 19));
    ButtonXP *b = Przycisk(panel, QSize(37, 19));
    QVERIFY(a && b);
    b->move(80, 20);
    QStringList log;
    connect(a, &ButtonXP::KeyDown, this, [&](short k, short s) { log << QStringLiteral("KeyDown %1 %2").arg(k).arg(s); });
    connect(a, &ButtonXP::KeyPress, this, [&](short k) { log << QStringLiteral("KeyPress %1").arg(k); });
    connect(a, &ButtonXP::KeyUp, this, [&](short k, short s) { log << QStringLiteral("KeyUp %1 %2").arg(k).arg(s); });
    connect(a, &ButtonXP::Click, this, [&] { log << QStringLiteral("Click"); });

    // Space before any left click: no pressed look at key down, a Click at key up;
    // from then on Space shows the pressed look.
    a->setFocus();
    QTest::keyPress(a, Qt::Key_Space);
    PIKSEL(Obraz(a), 2, 1, kFokus1);
    QTest::keyRelease(a, Qt::Key_Space);
    QCOMPARE(log, QStringList({"KeyDown 32 0", "KeyPress 32", "Click", "KeyUp 32 0"}));
    QTest::keyPress(a, Qt::Key_Space);
    PIKSEL(Obraz(a), 2, 1, kWcisniety1);
    QTest::keyRelease(a, Qt::Key_Space);

    // Enter down, Space up: no Click; the Enter release still clicks.
    log.clear();
    QTest::keyPress(a, Qt::Key_Return);
    QTest::keyRelease(a, Qt::Key_Space);
    QCOMPARE(log.count(QStringLiteral("Click")), 0);
    QTest::keyRelease(a, Qt::Key_Return);
    QCOMPARE(log.count(QStringLiteral("Click")), 1);

    // Keys the button leaves alone reach its container after its own events;
    // arrows move the focus like Tab and Shift+Tab and stay with the button.
    log.clear();
    QTest::keyClick(a, Qt::Key_5, Qt::ShiftModifier);
    QCOMPARE(log.mid(1, 2), QStringList({"KeyDown 53 1", "KeyPress 53"}));
    QTest::keyClick(a, Qt::Key_Right);
    QVERIFY(b->hasFocus());
    QTest::keyClick(b, Qt::Key_Up);
    QVERIFY(a->hasFocus());
    QCOMPARE(panel->klawisze, QList<int>({Qt::Key_Shift, Qt::Key_5}));

    // Focus arriving by Tab after a left click paints the pressed look.
    QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(5, 5));
    a->setFocus();
    QTest::keyClick(a, Qt::Key_Tab);
    QVERIFY(b->hasFocus());
    PIKSEL(Obraz(b), 2, 1, kWcisniety1);

    log.clear();
    a->setEnabled(false);
    QTest::keyClick(a, Qt::Key_Space);
    QVERIFY(log.isEmpty());
}

void TestButtonXP::klawiszDostepu_data()
{
    QTest::addColumn<QString>("napis");
    QTest::addColumn<QString>("klucz");
    QTest::addColumn<int>("klawisz");
    QTest::newRow("&Ok") << "&Ok" << "o" << int(Qt::Key_O);
    QTest::newRow("Ustaw &Max") << "Ustaw &Max" << "m" << int(Qt::Key_M);
    QTest::newRow("A&&B") << "A&&B" << "" << int(Qt::Key_B);
    QTest::newRow("&") << "&" << "" << int(Qt::Key_A);
    QTest::newRow("x&") << "x&" << "" << int(Qt::Key_X);
    QTest::newRow("&&x&y") << "&&x&y" << "y" << int(Qt::Key_Y);
    QTest::newRow("&&x&&y&z") << "&&x&&y&z" << "" << int(Qt::Key_Z);
}

void TestButtonXP::klawiszDostepu()
{
    QFETCH(QString, napis);
    QFETCH(QString, klucz);
    QFETCH(int, klawisz);
    Okno okno;
    QVERIFY(okno.gotowe());
    ButtonXP *b = Przycisk(&okno.widget, QSize(60, 19), napis);
    QVERIFY(b);
    QSignalSpy klik(b, &ButtonXP::Click);
    QCOMPARE(b->AccessKeys(), klucz);
    QTest::keyClick(&okno.widget, Qt::Key(klawisz), Qt::AltModifier);
    QCOMPARE(klik.count(), klucz.isEmpty() ? 0 : 1);
    // The access key counts as a left click: focus now brings the pressed look.
    b->setFocus();
    PIKSEL(Obraz(b), 2, 1, klucz.isEmpty() ? kFokus1 : kWcisniety1);
    b->setCaption(QString());
    QTest::keyClick(&okno.widget, Qt::Key(klawisz), Qt::AltModifier);
    QCOMPARE(klik.count(), klucz.isEmpty() ? 0 : 1);
}

void TestButtonXP::zleRozmiaryINapisy()
{
    Okno okno;
    QVERIFY(okno.gotowe());
    for (QSize r : {QSize(0, 0), QSize(1, 1), QSize(3, 20), QSize(40, 3), QSize(1, 30), QSize(30, 1)})
        for (const QString &n : {QString(), QStringLiteral("&"), QString(3000, QLatin1Char('W')),
                                 QStringLiteral("bardzo dlugi napis ").repeated(200)}) {
            auto *b = new ButtonXP(&okno.widget);
            b->setCaption(n);
            b->setGeometry(QRect(QPoint(20, 20), r));
            b->show();
            b->setFocus();
            b->setEnabled(false);
            QCOMPARE(Obraz(b).isNull(), r.isEmpty());
            delete b;
        }

    // 3 x 5: the face's bottom rows overlap and the border takes the rest.
    ButtonXP *b = Przycisk(&okno.widget, QSize(3, 5), QString());
    QVERIFY(b);
    PIKSEL(Obraz(b), 1, 2, QColor(226, 223, 214));
    QVERIFY(b->mask().contains(QPoint(1, 2)) && !b->mask().contains(QPoint(2, 4)));
    // 20 x 4 under the pointer: the hover frame's bottom rows land on rows 1 and 2.
    b->resize(20, 4);
    QTest::mouseMove(b, QPoint(5, 1));
    const QImage o = Obraz(b);
    PIKSEL(o, 2, 1, QColor(255, 240, 207));
    PIKSEL(o, 5, 1, QColor(252, 210, 121));
    PIKSEL(o, 5, 2, QColor(229, 151, 0));
    // 2 x 2 is all corners: nothing of it shows.
    b->resize(2, 2);
    for (QPoint p : {QPoint(0, 0), QPoint(1, 0), QPoint(0, 1), QPoint(1, 1)})
        QVERIFY(!b->mask().contains(p));
}

void TestButtonXP::zapis()
{
    PropertyBag torba;
    torba.WriteProperty(QStringLiteral("A"), 1, 1);
    torba.WriteProperty(QStringLiteral("B"), 2, 1);
    torba.WriteProperty(QStringLiteral("b"), 3);
    QCOMPARE(torba.Names(), QStringList({"B"}));
    QCOMPARE(torba.ReadProperty(QStringLiteral("B"), 9).toInt(), 3);
    QCOMPARE(torba.ReadProperty(QStringLiteral("A"), 9).toInt(), 9);

    Okno okno;
    QVERIFY(okno.gotowe());
    QPalette paleta = okno.widget.palette();
    paleta.setColor(QPalette::WindowText, QColor(1, 2, 3));
    okno.widget.setPalette(paleta);

    // Nothing stored: the container's values; only ForeColor is written back.
    ButtonXP *b = ButtonXP::utworz(&okno.widget, QStringLiteral("cmdUstawMax"), PropertyBag());
    QCOMPARE(b->Caption(), QStringLiteral("cmdUstawMax"));
    QCOMPARE(b->ForeHover(), 0x030201u);
    PropertyBag zapisany;
    b->WriteProperties(zapisany);
    QCOMPARE(zapisany.Names(), QStringList({"ForeColor"}));

    QSignalSpy zmiany(b, &ButtonXP::PropertyChanged);
    QFont f = b->font();
    f.setBold(true);
    b->setEnabled(false);
    b->setFont(f);
    b->setCaption(QStringLiteral("&Ustaw"));
    b->setForeColor(0x80000012);
    b->setForeHover(0xFF);
    QCOMPARE(zmiany.count(), 5);
    PropertyBag wszystkie;
    b->WriteProperties(wszystkie);
    QCOMPARE(wszystkie.Names(), QStringList({"Enabled", "Font", "Caption", "ForeColor", "ForeHover"}));

    ButtonXP *c = ButtonXP::utworz(&okno.widget, QStringLiteral("cmdInny"), wszystkie);
    QVERIFY(!c->isEnabled());
    QVERIFY(c->font().bold());
    QCOMPARE(c->AccessKeys(), QStringLiteral("u"));
    QCOMPARE(c->ForeColor(), 0x80000012u);
    QCOMPARE(c->ForeHover(), 0xFFu);

    // ForeHover missing: it follows the ForeColor just loaded.
    PropertyBag tylkoKolor;
    tylkoKolor.WriteProperty(QStringLiteral("ForeColor"), 0x80000012u);
    QCOMPARE(ButtonXP::utworz(&okno.widget, QStringLiteral("x"), tylkoKolor)->ForeHover(), 0x80000012u);

    // A new instance: "Command" and the display name from its 14th character.
    auto *d = new ButtonXP(&okno.widget);
    QCOMPARE(d->Caption(), QStringLiteral("Command"));
    d->setObjectName(QStringLiteral("ButtonXPabcde12"));
    d->InitProperties();
    QCOMPARE(d->Caption(), QStringLiteral("Command12"));
}

QTEST_MAIN(TestButtonXP)
#include "tst_buttonxp.moc"
