#include "controls/buttonxp.h"

#include "controls/kodyxp.h"

#include <QApplication>
#include <QCursor>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMouseEvent>
#include <QPointer>
#include <QShortcutEvent>

namespace {

constexpr short kLeft = 1;
constexpr short kRight = 2;

constexpr short kKeyEnter = 13;
constexpr short kKeySpace = 32;
constexpr short kKeyLeft = 37;
constexpr short kKeyUp = 38;
constexpr short kKeyRight = 39;
constexpr short kKeyDown = 40;

bool KlawiszPrzycisku(short kod)
{
    return kod == kKeySpace || kod == kKeyEnter || (kod >= kKeyLeft && kod <= kKeyDown);
}

// Focus that leaves with the window or for a popup menu comes back to the same
// button; it is not a change of the focused control.
bool ZmianaOkna(const QFocusEvent *e)
{
    return e->reason() == Qt::ActiveWindowFocusReason || e->reason() == Qt::PopupFocusReason;
}

} // namespace

ButtonXP::ButtonXP(QWidget *parent) : QWidget(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_caption = QStringLiteral("Command") + DisplayName().mid(13);
    m_foreColor = AmbientForeColor();

    HoverTimer.setTimerType(Qt::PreciseTimer);
    HoverTimer.setInterval(kHoverInterval);
    connect(&HoverTimer, &QTimer::timeout, this, &ButtonXP::HoverTimer_Timer);
    HoverTimer.start();
}

void ButtonXP::setCaption(const QString &caption)
{
    m_caption = caption;
    Redraw(0);
    UpdateAccessKey();
    emit PropertyChanged(QStringLiteral("Caption"));
}

void ButtonXP::setForeColor(quint32 color)
{
    m_foreColor = color;
    Redraw(0);
    emit PropertyChanged(QStringLiteral("ForeColor"));
}

void ButtonXP::setForeHover(quint32 color)
{
    m_foreHover = color;
    emit PropertyChanged(QStringLiteral("ForeHover"));
}

void ButtonXP::UpdateAccessKey()
{
    if (m_shortcutId != 0) {
        releaseShortcut(m_shortcutId);
        m_shortcutId = 0;
    }
    m_accessKeys.clear();

    const QString &c = m_caption;
    const QChar amp = QLatin1Char('&');
    if (c.size() < 2)
        return;
    const qsizetype p = c.indexOf(amp);
    if (p < 0 || p == c.size() - 1)
        return;
    QChar klawisz = c.at(p + 1);
    if (klawisz == amp) {
        // "&&" stands for an ampersand; only the next "&" may still mark a key.
        const qsizetype q = c.indexOf(amp, p + 2);
        if (q < 0 || q == c.size() - 1 || c.at(q + 1) == amp)
            return;
        klawisz = c.at(q + 1);
    }
    m_accessKeys = klawisz.toLower();
    m_shortcutId = grabShortcut(
        QKeySequence(QKeyCombination(Qt::AltModifier, Qt::Key(klawisz.toUpper().unicode()))));
}

bool ButtonXP::IsMouseOver() const
{
    return QApplication::widgetAt(QCursor::pos()) == this;
}

void ButtonXP::HoverTimer_Timer()
{
    if (IsMouseOver())
        return;
    HoverTimer.stop();
    Hovering = false;
    MoveLatch = 0;
    Redraw(0);
    emit MouseOut();
}

bool ButtonXP::event(QEvent *e)
{
    if (e->type() == QEvent::Shortcut) {
        auto *s = static_cast<QShortcutEvent *>(e);
        if (s->shortcutId() == m_shortcutId) {
            // Two controls with one key: the key moves between them, as with
            // any mnemonic, instead of clicking.
            if (s->isAmbiguous()) {
                setFocus(Qt::ShortcutFocusReason);
            } else {
                LastButton = kLeft;
                ClickHandling();
            }
            return true;
        }
    }
    return QWidget::event(e);
}

void ButtonXP::changeEvent(QEvent *e)
{
    // Loading sets the stored values quietly; the show and resize that follow paint.
    if (m_laduje) {
        QWidget::changeEvent(e);
        return;
    }
    switch (e->type()) {
    case QEvent::EnabledChange: {
        // A disabled container blocks the input but leaves the look alone.
        const bool enabled = !testAttribute(Qt::WA_ForceDisabled);
        const bool zmiana = enabled != m_enabled;
        m_enabled = enabled;
        Redraw(0);
        if (zmiana)
            emit PropertyChanged(QStringLiteral("Enabled"));
        break;
    }
    case QEvent::FontChange:
        Redraw(0);
        emit PropertyChanged(QStringLiteral("Font"));
        break;
    case QEvent::PaletteChange:
        Redraw(0);
        break;
    default:
        break;
    }
    QWidget::changeEvent(e);
}

void ButtonXP::resizeEvent(QResizeEvent *)
{
    W = width();
    H = height();
    Redraw(0);
}

void ButtonXP::showEvent(QShowEvent *)
{
    Redraw(0);
}

void ButtonXP::focusInEvent(QFocusEvent *e)
{
    if (HasFocus && ZmianaOkna(e))
        return;
    HasFocus = true;
    Redraw(1);
}

void ButtonXP::focusOutEvent(QFocusEvent *e)
{
    if (ZmianaOkna(e))
        return;
    HasFocus = false;
    Redraw(0);
}

void ButtonXP::Down(short button, short shift, float x, float y)
{
    if (!m_enabled)
        return;
    LastButton = button;
    repaint();
    if (button != kRight)
        Redraw(1);
    emit MouseDown(button, shift, x, y);
}

void ButtonXP::ClickHandling()
{
    if (LastButton != kLeft)
        return;
    Redraw(0);
    repaint();
    emit Click();
}

void ButtonXP::mousePressEvent(QMouseEvent *e)
{
    const short button = KodyXP::Przyciski(e->button());
    if (button == 0) {
        e->ignore();
        return;
    }
    m_clickButton = button;
    Down(button, KodyXP::Shift(e->modifiers()), float(e->position().x()), float(e->position().y()));
}

void ButtonXP::mouseReleaseEvent(QMouseEvent *e)
{
    const short button = KodyXP::Przyciski(e->button());
    if (button == 0) {
        e->ignore();
        return;
    }
    const bool klik = button == m_clickButton && rect().contains(e->position().toPoint());
    m_clickButton = 0;
    const QPointer<ButtonXP> zywy(this);
    Redraw(0);
    repaint();
    emit MouseUp(button, KodyXP::Shift(e->modifiers()), float(e->position().x()),
                 float(e->position().y()));
    if (zywy && klik)
        ClickHandling();
    if (zywy && !HoverTimer.isActive())
        PowrotPoPrzeciagnieciu();
}

void ButtonXP::PowrotPoPrzeciagnieciu()
{
    // Dragged out while pressed, the poll saw the pointer leave; moves with the
    // button held never count as entering. Released back over the button, the
    // pointer has entered; released elsewhere, the next entry must be seen.
    if (!IsMouseOver()) {
        MoveLatch = 0;
        return;
    }
    HoverTimer.start();
    Hovering = true;
    MoveLatch = 0;
    Redraw(0);
    emit MouseOver();
}

void ButtonXP::mouseDoubleClickEvent(QMouseEvent *e)
{
    if (KodyXP::Przyciski(e->button()) == 0) {
        e->ignore();
        return;
    }
    // The second press of a double click is no press of its own: only after a
    // left click does it show the pressed look and report a press, at (0, 0).
    // Its release comes back here all the same, as the pressed widget keeps
    // the mouse, and completes no click.
    if (LastButton == kLeft)
        Down(kLeft, 0, 0, 0);
}

void ButtonXP::mouseMoveEvent(QMouseEvent *e)
{
    const short button = KodyXP::Przyciski(e->buttons());
    const short shift = KodyXP::Shift(e->modifiers());
    const float x = float(e->position().x());
    const float y = float(e->position().y());

    if (button >= 2) {
        emit MouseMove(button, shift, x, y);
        return;
    }
    if (!IsMouseOver()) {
        if (MoveLatch == 0)
            return;
        Redraw(0);
        emit MouseMove(button, shift, x, y);
        return;
    }
    if (MoveLatch == 1)
        return;
    MoveLatch = 1;
    if (button == 0 && !Hovering) {
        HoverTimer.start();
        Hovering = true;
        MoveLatch = 0;
        Redraw(0);
        emit MouseOver();
    } else if (button == kLeft) {
        // The pressed look takes the hover caption colour.
        Hovering = true;
        Redraw(1);
        Hovering = false;
    }
    emit MouseMove(button, shift, x, y);
}

void ButtonXP::keyPressEvent(QKeyEvent *e)
{
    const short kod = KodyXP::KodKlawisza(e);
    const short shift = KodyXP::Shift(e->modifiers());
    LastKey = kod;
    if (kod == kKeySpace || kod == kKeyEnter)
        Redraw(1);
    else if (kod == kKeyLeft || kod == kKeyRight)
        focusNextPrevChild(true);
    else if (kod == kKeyUp || kod == kKeyDown)
        focusNextPrevChild(false);
    const QPointer<ButtonXP> zywy(this);
    emit KeyDown(kod, shift);
    const short znak = KodyXP::KodZnakuKlawisza(e);
    if (zywy && znak >= 0)
        emit KeyPress(znak);
    // The container may want the keys the button leaves alone (digits on the
    // port-number keypad).
    e->setAccepted(KlawiszPrzycisku(kod));
}

void ButtonXP::keyReleaseEvent(QKeyEvent *e)
{
    const short kod = KodyXP::KodKlawisza(e);
    e->setAccepted(KlawiszPrzycisku(kod));
    // A held key repeats its key-down only; the click waits for the real release.
    if (e->isAutoRepeat())
        return;
    const QPointer<ButtonXP> zywy(this);
    if (kod == LastKey && (kod == kKeySpace || kod == kKeyEnter)) {
        Redraw(0);
        LastButton = kLeft;
        repaint();
        emit Click();
    }
    if (zywy)
        emit KeyUp(kod, KodyXP::Shift(e->modifiers()));
}
