// The owner-drawn button and the framed text box in a real window offscreen, read pixel by pixel.

#include "controls/buttonxp.h"
#include "controls/propertybag.h"
#include "controls/textxp.h"

#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalSpy>
#include <QtTest>

#include <algorithm>
#include <initializer_list>
#include <memory>

namespace {

const QColor kFokus1(206, 231, 251), kWcisniety1(209, 204, 192), kNajechany1(255, 240, 207), kWylaczony1(234, 233, 222);
const QColor kRamka(127, 157, 185), kRamkaFokus(176, 208, 240), kBialy(255, 255, 255), kZablokowane(235, 235, 228);

QImage Obraz(QWidget *w)
{
    return w->grab().toImage();
}

// Each logical pixel listed has colour `c` in all its device pixels (a 200% screen doubles, not blurs).
void Sprawdz(const QImage &o, std::initializer_list<QPoint> punkty, const QColor &c)
{
    const int d = qRound(o.devicePixelRatio());
    for (QPoint p : punkty) {
        QString jest = QStringLiteral("(%1,%2)").arg(p.x()).arg(p.y()), ma = jest;
        for (int i = 0; i < d * d; ++i) {
            jest += QLatin1Char(' ') + o.pixelColor(p * d + QPoint(i % d, i / d)).name();
            ma += QLatin1Char(' ') + c.name();
        }
        QCOMPARE(jest, ma);
    }
}

// The pointer to `p` of `w`, as the window system moves it (also on a scaled screen).
void Wskaz(QWidget *w, QPoint p)
{
    QCursor::setPos(w->mapToGlobal(p));
    QTest::mouseMove(w->window()->windowHandle(), w->mapTo(w->window(), p));
}

// The plain face at row y, columns 0 to W-2, under the border.
QColor Twarz(int y, int h, const QColor &tlo)
{
    const int m = std::min(y - 3, 24);
    return y == h - 2 ? QColor(214, 208, 197) : y == h - 3 ? QColor(226, 223, 214)
         : y == h - 4 ? QColor(236, 235, 230) : y >= 3 ? QColor(255 - m, 255 - m, 253 - m) : tlo;
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
QList<int> WierszeNapisu(ButtonXP *z, ButtonXP *bez)
{
    const QImage a = Obraz(z), b = Obraz(bez);
    QList<int> wiersze;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width() && wiersze.value(wiersze.size() - 1, -1) != y; ++x)
            if (qAbs(qGray(a.pixel(x, y)) - qGray(b.pixel(x, y))) > 60)
                wiersze.append(y);
    return wiersze;
}

// Which of red, green and blue clearly lead somewhere inside the button ("R--", "-G-", "--B"),
// and " grey" for the grey of a disabled caption: darker than any face, a little yellow.
QString Barwy(ButtonXP *b)
{
    const QImage o = Obraz(b);
    QString barwy = QStringLiteral("---");
    bool szary = false;
    for (int y = 4; y < b->height() - 4; ++y)
        for (int x = 5; x < b->width() - 5; ++x) {
            const QColor c = o.pixelColor(x, y);
            const int k[] = {c.red(), c.green(), c.blue()};
            for (int i = 0; i < 3; ++i)
                barwy[i] = k[i] - std::max(k[(i + 1) % 3], k[(i + 2) % 3]) > 80 ? QLatin1Char("RGB"[i]) : barwy[i];
            szary = szary || (c.red() < 215 && c.red() - c.blue() >= 5);
        }
    return szary ? barwy + QLatin1String(" grey") : barwy;
}

// The four frame lines of a text box in `kolor`, white just inside them.
void SprawdzRamke(TextXP *t, const QColor &kolor)
{
    const QImage o = Obraz(t);
    const int w = t->width(), h = t->height();
    Sprawdz(o, {{0, 0}, {w / 2, 0}, {0, h / 2}, {w - 1, h / 2}, {w / 2, h - 1}, {w - 1, h - 1}}, kolor);
    Sprawdz(o, {{1, 1}, {w - 2, h - 2}}, kBialy);
}

} // namespace

class TestKontrolki : public QObject
{
    Q_OBJECT

    // A shown, active window for each test, and a line edit in it to take the focus.
    std::unique_ptr<QWidget> okno;
    QLineEdit *inne = nullptr;
    // The events of the button last given to Zapisuj, in order, as "Name arguments".
    QStringList log;

    void Zapisuj(ButtonXP *b)
    {
        log.clear();
        const auto zapisuj = [&](auto sygnal, const char *nazwa) {
            connect(b, sygnal, this, [this, nazwa](auto... a) {
                log << QStringList({QLatin1String(nazwa), QString::number(a)...}).join(QLatin1Char(' '));
            });
        };
        zapisuj(&ButtonXP::Click, "Click");
        zapisuj(&ButtonXP::MouseDown, "MouseDown");
        zapisuj(&ButtonXP::MouseMove, "MouseMove");
        zapisuj(&ButtonXP::MouseUp, "MouseUp");
        zapisuj(&ButtonXP::KeyPress, "KeyPress");
        zapisuj(&ButtonXP::KeyDown, "KeyDown");
        zapisuj(&ButtonXP::KeyUp, "KeyUp");
        zapisuj(&ButtonXP::MouseOver, "MouseOver");
        zapisuj(&ButtonXP::MouseOut, "MouseOut");
    }

    // A shown button at rest: its first poll has found the pointer elsewhere.
    ButtonXP *Przycisk(QSize rozmiar, const QString &napis = QStringLiteral("7"))
    {
        auto *b = new ButtonXP(okno.get());
        QSignalSpy poza(b, &ButtonXP::MouseOut);
        b->setCaption(napis);
        b->setGeometry(QRect(QPoint(20, 20), rozmiar));
        b->show();
        [&] { QTRY_COMPARE(poza.count(), 1); }();
        return b;
    }

private slots:
    void init()
    {
        QCursor::setPos(390, 390);
        okno = std::make_unique<QWidget>();
        okno->setGeometry(100, 100, 260, 180);
        inne = new QLineEdit(okno.get());
        inne->setGeometry(20, 140, 80, 20);
        okno->show();
        okno->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(okno.get()));
    }
    void cleanup() { okno.reset(); }

    void przyciskWyglady_data()
    {
        QTest::addColumn<QSize>("rozmiar");
        for (QSize r : {QSize(37, 19), QSize(43, 18), QSize(90, 40), QSize(37, 12)})
            QTest::addRow("%dx%d", r.width(), r.height()) << r;
    }
    void przyciskWyglady()
    {
        QFETCH(QSize, rozmiar);
        const int w = rozmiar.width(), h = rozmiar.height();
        ButtonXP *b = Przycisk(rozmiar, QString());
        const QColor tlo = b->palette().color(QPalette::Button);
        // Normal: the ramp and where it stops, the bottom rows, the border, the cut corners.
        QImage o = Obraz(b);
        for (int y = 1; y <= h - 2; ++y)
            Sprawdz(o, {{2, y}, {w / 2, y}, {y >= 2 && y <= h - 3 ? w - 2 : 2, y}}, Twarz(y, h, tlo));
        SprawdzObwodke(o, w, h);
        for (QPoint p : {QPoint(0, 0), QPoint(w - 1, 0), QPoint(0, h - 1), QPoint(w - 1, h - 1), QPoint(1, 0)})
            QCOMPARE(QApplication::widgetAt(b->mapToGlobal(p)) == b, p == QPoint(1, 0));
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
        Wskaz(b, QPoint(3, h / 2));
        o = Obraz(b);
        auto zewnetrzny = [](int m) { return QColor(254 - m, 223 - 3 * m, 154 - 7 * m); };
        auto wewnetrzny = [](int m) { return QColor(252 - m, 210 - 4 * m, 121 - 8 * m); };
        Sprawdz(o, {{2, 1}, {w - 3, 1}}, kNajechany1);
        Sprawdz(o, {{2, 2}, {w - 3, 2}}, QColor(253, 216, 137));
        for (int y = 2; y <= h - 4; ++y)
            Sprawdz(o, {{1, y}, {w - 2, y}}, zewnetrzny(std::min(y - 2, 16)));
        for (int y = 3; y <= h - 4; ++y)
            Sprawdz(o, {{2, y}, {w - 3, y}}, wewnetrzny(std::min(y - 3, 9)));
        Sprawdz(o, {{1, h - 3}}, zewnetrzny(std::min(h - 5, 16)));
        Sprawdz(o, {{3, h - 3}, {w - 2, h - 3}}, wewnetrzny(std::min(h - 5, 9)));
        Sprawdz(o, {{2, h - 2}, {w - 3, h - 2}}, QColor(229, 151, 0));
        SprawdzObwodke(o, w, h);
        // Pressed: stripes 4 rows high under four fixed rows; the release goes back to hover.
        QTest::mousePress(b, Qt::LeftButton, {}, QPoint(3, h / 2));
        o = Obraz(b);
        for (int y = 1; y <= h - 2; ++y)
            Sprawdz(o, {{2, y}, {w - 3, y}},
                    y == 1 ? kWcisniety1 : y == 2 ? QColor(220, 216, 207) : y == h - 3 ? QColor(234, 233, 227)
                    : y == h - 2 ? QColor(242, 241, 238) : y <= 4 ? QColor(226, 225, 218) : QColor(225, 224, 217));
        SprawdzObwodke(o, w, h);
        QTest::mouseRelease(b, Qt::LeftButton, {}, QPoint(3, h / 2));
        Sprawdz(Obraz(b), {{2, 1}}, kNajechany1);
        // Disabled: grey, with its own corners instead of the border.
        b->setEnabled(false);
        o = Obraz(b);
        Sprawdz(o, {{3, 3}, {w - 4, h - 4}}, QColor(245, 244, 234));
        Sprawdz(o, {{3, 0}, {0, 3}, {w - 1, 3}, {3, h - 1}}, QColor(201, 199, 186));
        Sprawdz(o, {{0, 1}, {1, 1}, {1, 0}, {w - 2, 0}, {w - 2, 1}, {w - 1, 1}, {0, h - 2}, {1, h - 2}, {1, h - 1},
                    {w - 1, h - 2}, {w - 2, h - 2}, {w - 2, h - 1}}, QColor(216, 213, 199));
        Sprawdz(o, {{1, 2}, {2, 1}, {w - 3, 1}, {w - 2, 2}, {1, h - 3}, {2, h - 2}, {w - 2, h - 3}, {w - 3, h - 2}},
                kWylaczony1);
    }

    void przyciskNapis()
    {
        // The text's top is H/2 - h/2 rounded halves to even: 1.5 and 2.5 give 2, 3.5 gives 4.
        const QFontMetrics fm(okno->font());
        const int h = fm.boundingRect(QRect(0, 0, 37, 99), Qt::TextWordWrap | Qt::AlignHCenter, QStringLiteral("8")).height();
        QList<int> gory;
        for (int wysokosc : {h + 3, h + 5, h + 7}) {
            std::unique_ptr<ButtonXP> z(Przycisk({37, wysokosc}, QStringLiteral("8"))), bez(Przycisk({37, wysokosc}, {}));
            gory << WierszeNapisu(z.get(), bez.get()).value(0);
        }
        QCOMPARE(gory, QList<int>({gory.at(0), gory.at(0), gory.at(0) + 2}));
        // Word wrap: a caption too wide for one line takes two; "&" underlines.
        ButtonXP *z = Przycisk({60, 40}, QStringLiteral("Ustaw wartosc")), *bez = Przycisk({60, 40}, {});
        QVERIFY(WierszeNapisu(z, bez).last() - WierszeNapisu(z, bez).first() >= fm.height());
        z->setCaption(QStringLiteral("Ok"));
        bez->setCaption(QStringLiteral("&Ok"));
        QVERIFY(Obraz(z) != Obraz(bez));
        // ForeColor at rest, ForeHover under the pointer, also pressed; grey when disabled.
        ButtonXP *b = Przycisk({43, 30}, QStringLiteral("8"));
        b->setForeColor(0xFF0000);
        b->setForeHover(0x0000FF);
        QCOMPARE(Barwy(b), QStringLiteral("--B"));
        Wskaz(b, QPoint(2, 2));
        QCOMPARE(Barwy(b), QStringLiteral("R--"));
        QTest::mousePress(b, Qt::LeftButton, {}, QPoint(2, 2));
        QCOMPARE(Barwy(b), QStringLiteral("R--"));
        QTest::mouseRelease(b, Qt::LeftButton, {}, QPoint(2, 2));
        b->setEnabled(false);
        QCOMPARE(Barwy(b), QStringLiteral("--- grey"));
        // The system button-text reference takes the palette's button-text colour;
        // a new ForeHover shows at the next repaint only.
        QPalette paleta = b->palette();
        paleta.setColor(QPalette::ButtonText, QColor(0, 160, 0));
        b->setPalette(paleta);
        b->setEnabled(true);
        b->setForeHover(0x80000012);
        QCOMPARE(Barwy(b), QStringLiteral("R--"));
        b->setForeColor(0x80000012);
        QCOMPARE(Barwy(b), QStringLiteral("-G-"));
    }

    void przyciskMysz()
    {
        // A new button with the pointer elsewhere: MouseOut once, at the first poll.
        QElapsedTimer zegar;
        zegar.start();
        ButtonXP *b = Przycisk({37, 19});
        QVERIFY2(zegar.elapsed() >= 45, qPrintable(QString::number(zegar.elapsed())));
        Zapisuj(b);
        QTest::qWait(150);
        // Entering raises MouseOver and MouseMove, the next move MouseMove, later ones nothing.
        for (int x : {5, 6, 7, 8})
            QTest::mouseMove(b, QPoint(x, 6));
        QCOMPARE(log, QStringList({"MouseOver", "MouseMove 0 0 5 6", "MouseMove 0 0 6 6"}));
        // A right click shows no pressed look and raises no Click.
        log.clear();
        QTest::mousePress(b, Qt::RightButton, Qt::ShiftModifier, QPoint(8, 6));
        Sprawdz(Obraz(b), {{2, 1}}, kNajechany1);
        QTest::mouseRelease(b, Qt::RightButton, {}, QPoint(8, 6));
        QCOMPARE(log, QStringList({"MouseDown 2 1 8 6", "MouseUp 2 0 8 6"}));
        // Leaving: the next poll raises MouseOut and shows the focus the press brought.
        QTest::mouseMove(okno.get(), QPoint(250, 150));
        QTRY_COMPARE(log.count(QStringLiteral("MouseOut")), 1);
        Sprawdz(Obraz(b), {{2, 1}}, kFokus1);
        // A double click: one Click; the second press reports (0, 0) after a left
        // click only, and no press at all after a right one.
        for (Qt::MouseButton k : {Qt::RightButton, Qt::LeftButton}) {
            log.clear();
            QTest::mouseDClick(okno->windowHandle(), k, {}, b->mapTo(okno.get(), QPoint(10, 9)));
            log.removeIf([](const QString &s) { return s.startsWith(QLatin1String("MouseMove")); });
            QCOMPARE(log, k == Qt::LeftButton ? QStringList({"MouseDown 1 0 10 9", "MouseUp 1 0 10 9", "Click",
                                                             "MouseDown 1 0 0 0", "MouseUp 1 0 10 9"})
                                              : QStringList({"MouseDown 2 0 10 9", "MouseUp 2 0 10 9", "MouseUp 2 0 10 9"}));
        }
        // Pressed, dragged out past a poll and back in: released there, the
        // pointer is over the button again, with its look and its events.
        const auto przeciagnij = [&](QPoint p) {
            QCursor::setPos(b->mapToGlobal(p));
            QTest::mouseMove(b, p);
        };
        Wskaz(b, QPoint(5, 5));
        log.clear();
        QTest::mousePress(b, Qt::LeftButton, {}, QPoint(5, 5));
        przeciagnij(QPoint(60, 5));
        QTRY_COMPARE(log.count(QStringLiteral("MouseOut")), 1);
        przeciagnij(QPoint(6, 5));
        log.clear();
        QTest::mouseRelease(b, Qt::LeftButton, {}, QPoint(6, 5));
        Sprawdz(Obraz(b), {{2, 1}}, kNajechany1);
        for (int x : {7, 8, 9})
            QTest::mouseMove(b, QPoint(x, 5));
        QCOMPARE(log, QStringList({"MouseUp 1 0 6 5", "Click", "MouseOver", "MouseMove 0 0 7 5"}));
        // Released off the button, the next entry is an entry.
        QTest::mousePress(b, Qt::LeftButton, {}, QPoint(9, 5));
        przeciagnij(QPoint(60, 5));
        QTRY_COMPARE(log.count(QStringLiteral("MouseOut")), 1);
        przeciagnij(QPoint(8, 5));
        przeciagnij(QPoint(60, 5));
        QTest::mouseRelease(b, Qt::LeftButton, {}, QPoint(60, 5));
        log.clear();
        QTest::mouseMove(b, QPoint(5, 5));
        QCOMPARE(log, QStringList({"MouseOver", "MouseMove 0 0 5 5"}));
        QTest::mouseMove(okno.get(), QPoint(250, 150));
        QTRY_COMPARE(log.count(QStringLiteral("MouseOut")), 1);

        // A release off the button is a MouseUp but no Click; a disabled button hears nothing.
        log.clear();
        QTest::mousePress(b, Qt::LeftButton, {}, QPoint(5, 5));
        QTest::mouseRelease(b, Qt::LeftButton, {}, QPoint(60, 5));
        b->setEnabled(false);
        QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(log, QStringList({"MouseDown 1 0 5 5", "MouseUp 1 0 60 5"}));
        // Disabled while its container is, it stays disabled, and looks it,
        // once the container is enabled again.
        b->setEnabled(true);
        okno->setEnabled(false);
        b->setEnabled(false);
        okno->setEnabled(true);
        QVERIFY(!b->Enabled());
        Sprawdz(Obraz(b), {{3, 3}}, QColor(245, 244, 234));
        QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(log, QStringList({"MouseDown 1 0 5 5", "MouseUp 1 0 60 5"}));
    }

    void przyciskKlawiatura()
    {
        ButtonXP *a = Przycisk({37, 19}), *b = Przycisk({37, 19});
        b->move(80, 20);
        Zapisuj(a);
        // Space before any left click: no pressed look at key down, a Click at key up;
        // from then on Space shows the pressed look. Enter down, Space up: no Click.
        a->setFocus();
        QTest::keyPress(a, Qt::Key_Space);
        Sprawdz(Obraz(a), {{2, 1}}, kFokus1);
        QTest::keyRelease(a, Qt::Key_Space);
        QTest::keyPress(a, Qt::Key_Space);
        Sprawdz(Obraz(a), {{2, 1}}, kWcisniety1);
        QTest::keyPress(a, Qt::Key_Return);
        QTest::keyRelease(a, Qt::Key_Space);
        QTest::keyRelease(a, Qt::Key_Return);
        QCOMPARE(log, QStringList({"KeyDown 32 0", "KeyPress 32", "Click", "KeyUp 32 0", "KeyDown 32 0", "KeyPress 32",
                                   "KeyDown 13 0", "KeyPress 13", "KeyUp 32 0", "Click", "KeyUp 13 0"}));
        // Keys the button leaves alone go on to its container after its own events
        // (the keypad takes digits); arrows move the focus like Tab and Shift+Tab.
        log.clear();
        QKeyEvent piec(QEvent::KeyPress, Qt::Key_5, Qt::ShiftModifier, QStringLiteral("5"));
        QApplication::sendEvent(a, &piec);
        QCOMPARE(log, QStringList({"KeyDown 53 1", "KeyPress 53"}));
        QVERIFY(!piec.isAccepted());
        QTest::keyClick(a, Qt::Key_Right);
        QVERIFY(b->hasFocus());
        QTest::keyClick(b, Qt::Key_Up);
        QVERIFY(a->hasFocus());
        // Focus arriving by Tab after a left click paints the pressed look.
        QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(5, 5));
        a->setFocus();
        QTest::keyClick(a, Qt::Key_Tab);
        QVERIFY(b->hasFocus());
        Sprawdz(Obraz(b), {{2, 1}}, kWcisniety1);
        log.clear();
        a->setEnabled(false);
        QTest::keyClick(a, Qt::Key_Space);
        QVERIFY(log.isEmpty());
    }

    // The caption is the row's name.
    void przyciskKlawiszDostepu_data()
    {
        QTest::addColumn<QString>("klucz");
        for (auto [napis, klucz] : {std::pair("&Ok", "o"), {"Ustaw &Max", "m"}, {"A&&B", ""}, {"&", ""}, {"x&", ""},
                                    {"&&x&y", "y"}, {"&&x&&y&z", ""}})
            QTest::newRow(napis) << QString::fromLatin1(klucz);
    }
    void przyciskKlawiszDostepu()
    {
        QFETCH(QString, klucz);
        const QString napis = QString::fromLatin1(QTest::currentDataTag());
        // Alt with the key, or else with the caption's last letter, is tried.
        QChar litera = klucz.isEmpty() ? QLatin1Char('a') : klucz.at(0);
        for (QChar c : napis)
            litera = klucz.isEmpty() && c.isLetter() ? c : litera;
        ButtonXP *b = Przycisk({60, 19}, napis);
        QSignalSpy klik(b, &ButtonXP::Click);
        QCOMPARE(b->AccessKeys(), klucz);
        QTest::keyClick(okno.get(), Qt::Key(litera.toUpper().unicode()), Qt::AltModifier);
        QCOMPARE(klik.count(), klucz.isEmpty() ? 0 : 1);
        // The access key counts as a left click: focus now brings the pressed look.
        b->setFocus();
        Sprawdz(Obraz(b), {{2, 1}}, klucz.isEmpty() ? kFokus1 : kWcisniety1);
        b->setCaption(QString());
        QTest::keyClick(okno.get(), Qt::Key(litera.toUpper().unicode()), Qt::AltModifier);
        QCOMPARE(klik.count(), klucz.isEmpty() ? 0 : 1);
    }

    void przyciskZleRozmiary()
    {
        // 3 x 5: the face's bottom rows overlap and the border takes the rest.
        ButtonXP *b = Przycisk({3, 5}, QStringLiteral("bardzo dlugi napis ").repeated(200));
        Sprawdz(Obraz(b), {{1, 2}}, QColor(226, 223, 214));
        QVERIFY(b->mask().contains(QPoint(1, 2)) && !b->mask().contains(QPoint(2, 4)));
        // 20 x 4 under the pointer: the hover frame's bottom rows land on rows 1 and 2.
        b->setCaption(QString());
        b->resize(20, 4);
        Wskaz(b, QPoint(5, 1));
        Sprawdz(Obraz(b), {{2, 1}}, kNajechany1);
        Sprawdz(Obraz(b), {{5, 1}, {16, 1}}, QColor(252, 210, 121));
        Sprawdz(Obraz(b), {{5, 2}, {16, 2}}, QColor(229, 151, 0));
        // 2 x 2 is all corners: nothing of it shows.
        b->resize(2, 2);
        QVERIFY(b->mask().intersected(b->rect()).isEmpty());
    }

    void przyciskZapis()
    {
        QPalette paleta = okno->palette();
        paleta.setColor(QPalette::WindowText, QColor(1, 2, 3));
        okno->setPalette(paleta);
        // Nothing stored: the container's values; only ForeColor is written back.
        ButtonXP *b = ButtonXP::utworz(okno.get(), QStringLiteral("cmdUstawMax"), PropertyBag());
        QCOMPARE(std::make_pair(b->Caption(), b->ForeHover()), std::make_pair(QStringLiteral("cmdUstawMax"), 0x030201u));
        PropertyBag zapisany;
        b->WriteProperties(zapisany);
        QCOMPARE(zapisany.Names(), QStringList({"ForeColor"}));
        // Every setter marks its property changed; all five are written in order and read back.
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
        ButtonXP *c = ButtonXP::utworz(okno.get(), QStringLiteral("cmdInny"), wszystkie);
        QCOMPARE(std::make_tuple(c->isEnabled(), c->font().bold(), c->AccessKeys(), c->ForeColor(), c->ForeHover()),
                 std::make_tuple(false, true, QStringLiteral("u"), 0x80000012u, 0xFFu));
        // Loading neither repaints nor marks anything changed; the next resize paints.
        ButtonXP *d = Przycisk({43, 18});
        QSignalSpy zmianyD(d, &ButtonXP::PropertyChanged);
        d->ReadProperties(wszystkie);
        Sprawdz(Obraz(d), {{2, 1}}, d->palette().color(QPalette::Button));
        d->resize(44, 18);
        Sprawdz(Obraz(d), {{2, 1}}, kWylaczony1);
        QCOMPARE(zmianyD.count(), 0);
        // ForeHover missing: it follows the ForeColor just loaded.
        PropertyBag tylkoKolor;
        tylkoKolor.WriteProperty(QStringLiteral("ForeColor"), 0x80000012u);
        QCOMPARE(ButtonXP::utworz(okno.get(), QStringLiteral("x"), tylkoKolor)->ForeHover(), 0x80000012u);
        // A new instance: "Command" and the display name from its 14th character.
        auto *e = new ButtonXP(okno.get());
        e->setObjectName(QStringLiteral("ButtonXPabcde12"));
        QCOMPARE(e->Caption(), QStringLiteral("Command"));
        e->InitProperties();
        QCOMPARE(e->Caption(), QStringLiteral("Command12"));
    }

    void poleWyglady()
    {
        auto *t = new TextXP(okno.get());
        t->show();
        // MyTxt 60 twips in from the top-left, 120 twips narrower and 280 lower;
        // a control too low for it leaves it where it was.
        QList<QRect> uklady;
        for (QSize r : {QSize(100, 30), QSize(120, 22), QSize(50, 18), QSize(100, 30)}) {
            t->resize(r);
            uklady << t->MyTxt()->geometry();
        }
        QCOMPARE(uklady, QList<QRect>({{4, 4, 92, 11}, {4, 4, 112, 3}, {4, 4, 112, 3}, {4, 4, 92, 11}}));
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
        // Locked at run time: only the behaviour changes until the next resize.
        t->setLocked(true);
        QVERIFY(t->MyTxt()->isReadOnly() && t->MyTxt()->isEnabled());
        Sprawdz(Obraz(t), {{60, 8}}, kBialy);
        t->resize(100, 31);
        QCOMPARE(std::make_pair(t->MyTxt()->isEnabled(), t->ForeColor()), std::make_pair(false, 0x92A1A1u));
        Sprawdz(Obraz(t), {{60, 8}}, kZablokowane);
        // Neither Tab nor a click brings the focus in.
        inne->setFocus();
        QTest::keyClick(inne, Qt::Key_Tab);
        QTest::mouseClick(t->MyTxt(), Qt::LeftButton, {}, QPoint(5, 5));
        QVERIFY(inne->hasFocus());
        // A new BorderColor repaints the frame and keeps the look; unlocked, it turns white.
        t->setBorderColor(0x0000FF);
        SprawdzRamke(t, QColor(255, 0, 0));
        Sprawdz(Obraz(t), {{60, 8}}, kZablokowane);
        // With a password character too.
        t->setPasswordChar(QStringLiteral("*"));
        t->resize(100, 30);
        Sprawdz(Obraz(t), {{60, 8}}, kZablokowane);
        t->setLocked(false);
        t->setBorderColor(0xB99D7F);
        Sprawdz(Obraz(t), {{60, 8}}, kBialy);
    }

    void poleTekst()
    {
        TextXP t;
        QSignalSpy zmiana(&t, &TextXP::Change);
        t.setText(QStringLiteral("001500"));
        QCOMPARE(std::make_pair(int(zmiana.count()), t.Value()), std::make_pair(1, 1500.0));
        t.setValue(1500);
        QCOMPARE(std::make_pair(int(zmiana.count()), t.Text()), std::make_pair(2, QStringLiteral("1500")));
        // The selection replaced, the length limit (0 for none) and the password character.
        t.setText(QStringLiteral("abcdef"));
        t.setSelStart(2);
        t.setSelLength(3);
        t.setSelText(QStringLiteral("X"));
        t.setMaxLength(3);
        t.setPasswordChar(QStringLiteral("#"));
        QCOMPARE(std::make_tuple(t.Text(), t.SelStart(), t.MyTxt()->displayText(), t.Value()),
                 std::make_tuple(QStringLiteral("abX"), 3, QStringLiteral("###"), 0.0));
        t.setMaxLength(0);
        QCOMPARE(std::make_pair(t.MaxLength(), t.MyTxt()->maxLength()), std::make_pair(0, 32767));
    }

    void poleKlawiszeIMysz()
    {
        auto *t = new TextXP(okno.get());
        t->setGeometry(20, 20, 100, 30);
        t->show();
        // The max-value filter: control characters and digits pass, the rest is
        // dropped; another code types that character instead.
        QList<short> kody;
        connect(t, &TextXP::KeyPress, this, [&](short &kod) {
            kody.append(kod);
            kod = kod == 'x' ? 'y' : kod >= 28 && (kod < '0' || kod > '9') ? 0 : kod;
        });
        t->setFocus();
        QTest::keyClicks(t->MyTxt(), QStringLiteral("1a2"));
        QTest::keyClick(t->MyTxt(), Qt::Key_Backspace);
        QTest::keyClick(t->MyTxt(), Qt::Key_X);
        // Codes of the 8-bit code page; arrows raise nothing.
        QKeyEvent a(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QStringLiteral("ą"));
        QApplication::sendEvent(t->MyTxt(), &a);
        QTest::keyClick(t->MyTxt(), Qt::Key_Left);
        QCOMPARE(kody, QList<short>({'1', 'a', '2', 8, 'x', 185}));
        QCOMPARE(t->Text(), QStringLiteral("1y"));
        // X and Y in twips; a double click is one Click and one DblClick.
        QSignalSpy klik(t, &TextXP::Click), dwuklik(t, &TextXP::DblClick);
        QList<float> xy;
        connect(t, &TextXP::MouseMove, this, [&](short &, short &, float &x, float &y) { xy = {x, y}; });
        QTest::mouseMove(t->MyTxt(), QPoint(3, 2));
        QCOMPARE(xy, QList<float>({45.0f, 30.0f}));
        QTest::mouseDClick(okno->windowHandle(), Qt::LeftButton, {}, t->MyTxt()->mapTo(okno.get(), QPoint(8, 5)));
        QCOMPARE(std::make_pair(int(klik.count()), int(dwuklik.count())), std::make_pair(1, 1));
    }

    void poleZapis()
    {
        // Nothing stored: the defaults.
        TextXP *u = TextXP::utworz(okno.get(), QStringLiteral("txtMaxVal"), PropertyBag());
        QCOMPARE(std::make_tuple(u->Text(), u->BorderColor(), u->BorderColorFocus(), u->Locked(), u->MaxLength()),
                 std::make_tuple(QStringLiteral("Text1"), 0xB99D7Fu, 0xF0D0B0u, false, 0));
        // Saved in order; Locked always, the rest only away from its default (the
        // text's is "Text1"). A frame repaint gives an unlocked field a white background.
        auto *t = new TextXP(okno.get());
        t->setBorderColor(0xB99D7F);
        PropertyBag domyslne;
        t->WriteProperties(domyslne);
        QCOMPARE(domyslne.Names(), QStringList({"BackColor", "Locked", "Text"}));
        // Every setter marks its property changed under its stored key.
        QFont f = t->Font();
        f.setBold(true);
        const std::pair<const char *, QVariant> wartosci[] = {
            {"BorderColor", 0xFF00u}, {"Alignment", 1}, {"Enabled", false}, {"Font", f}, {"ForeColor", 0xFFu},
            {"MaxLength", 10}, {"PasswordChar", "*"}, {"Text", "001500"}, {"SelStart", 1}, {"SelLength", 2},
            {"ToolTipText", "max"}, {"BorderColorFocus", 0xFF0000u}};
        for (const auto &[nazwa, wartosc] : wartosci) {
            QSignalSpy zmiana(t, &TextXP::PropertyChanged);
            QVERIFY(t->setProperty(nazwa, wartosc));
            QCOMPARE(zmiana.value(0).value(0).toString(), qstrcmp(nazwa, "BorderColorFocus") ? nazwa : "BorderColorOver");
        }
        PropertyBag wszystkie;
        t->WriteProperties(wszystkie);
        QCOMPARE(wszystkie.Names(), QStringList({"Alignment", "BackColor", "Enabled", "Font", "ForeColor", "Locked",
                                                 "MaxLength", "PasswordChar", "SelStart", "SelText", "SelLength", "Text",
                                                 "ToolTipText", "Value", "BorderColor", "BorderColorOver"}));
        QCOMPARE(wszystkie.ReadProperty(QStringLiteral("Value")).toDouble(), 1500.0);
        // Loaded back in order: the length limit comes before the text.
        wszystkie.WriteProperty(QStringLiteral("MaxLength"), 4);
        TextXP *v = TextXP::utworz(okno.get(), QStringLiteral("txtKopia"), wszystkie);
        QCOMPARE(std::make_tuple(v->Alignment(), v->ForeColor(), v->PasswordChar(), v->Text(), v->ToolTipText(),
                                 v->BorderColor(), v->BorderColorFocus()),
                 std::make_tuple(short(1), 0xFFu, QStringLiteral("*"), QStringLiteral("0015"), QStringLiteral("max"),
                                 0xFF00u, 0xFF0000u));
        // A new instance: "Text" and the display name from its 11th character, 330 twips high.
        t->setObjectName(QStringLiteral("txtMaxValXY"));
        t->InitProperties();
        QCOMPARE(std::make_tuple(t->Text(), t->height(), t->Font().family()),
                 std::make_tuple(QStringLiteral("TextY"), 22, QStringLiteral("Verdana")));
    }
};

QTEST_MAIN(TestKontrolki)
#include "tst_kontrolki.moc"
