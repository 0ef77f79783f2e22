#include "controls/textxp.h"

#include "config/liczby.h"
#include "controls/kodyxp.h"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>

namespace {

// The layout is kept in twips, as the field was designed; 15 make a pixel.
constexpr int kTwipy = 15;

int Piksele(int twipy)
{
    return qRound(twipy / double(kTwipy));
}

// QLineEdit's own ceiling, which it also uses for "no limit".
constexpr int kBezLimitu = 32767;

const quint32 kRamkaWlaczona = KodyXP::Wartosc(QColor(127, 157, 185));
const quint32 kRamkaWylaczona = KodyXP::Wartosc(QColor(191, 167, 128));
const quint32 kTloZablokowane = KodyXP::Wartosc(QColor(235, 235, 228));
const quint32 kTekstZablokowany = KodyXP::Wartosc(QColor(161, 161, 146));
constexpr quint32 kBialy = 0xFFFFFF;

} // namespace

TextXP::TextXP(QWidget *parent) : QWidget(parent), m_txt(new QLineEdit(this))
{
    m_txt->setObjectName(QStringLiteral("MyTxt"));
    m_txt->setFrame(false);
    m_txt->setMouseTracking(true);
    m_txt->installEventFilter(this);
    setFocusProxy(m_txt);
    setAttribute(Qt::WA_OpaquePaintEvent);
    ApplyColors();
    connect(m_txt, &QLineEdit::textChanged, this, &TextXP::Change);
}

short TextXP::Alignment() const
{
    const Qt::Alignment a = m_txt->alignment() & Qt::AlignHorizontal_Mask;
    if (a & Qt::AlignRight)
        return 1;
    if (a & Qt::AlignHCenter)
        return 2;
    return 0;
}

void TextXP::setAlignment(short alignment)
{
    const Qt::Alignment poziomo = alignment == 1   ? Qt::AlignRight
                                  : alignment == 2 ? Qt::AlignHCenter
                                                   : Qt::AlignLeft;
    m_txt->setAlignment(poziomo | Qt::AlignVCenter);
    emit PropertyChanged(QStringLiteral("Alignment"));
}

bool TextXP::Enabled() const
{
    return m_txt->isEnabledTo(this);
}

void TextXP::setEnabled(bool enabled)
{
    m_txt->setEnabled(enabled);
    PaintOutline(enabled ? kRamkaWlaczona : kRamkaWylaczona);
    emit PropertyChanged(QStringLiteral("Enabled"));
}

QFont TextXP::Font() const
{
    return m_txt->font();
}

void TextXP::setFont(const QFont &font)
{
    m_txt->setFont(font);
    emit PropertyChanged(QStringLiteral("Font"));
}

void TextXP::setForeColor(quint32 color)
{
    m_foreColor = color;
    ApplyColors();
    emit PropertyChanged(QStringLiteral("ForeColor"));
}

bool TextXP::Locked() const
{
    return m_txt->isReadOnly();
}

void TextXP::setLocked(bool locked)
{
    m_txt->setReadOnly(locked);
    emit PropertyChanged(QStringLiteral("Locked"));
}

int TextXP::MaxLength() const
{
    const int n = m_txt->maxLength();
    return n >= kBezLimitu ? 0 : n;
}

void TextXP::setMaxLength(int length)
{
    m_txt->setMaxLength(length > 0 ? length : kBezLimitu);
    emit PropertyChanged(QStringLiteral("MaxLength"));
}

void TextXP::setPasswordChar(const QString &character)
{
    m_passwordChar = character.left(1);
    m_txt->setEchoMode(m_passwordChar.isEmpty() ? QLineEdit::Normal : QLineEdit::Password);
    ApplyColors();
    emit PropertyChanged(QStringLiteral("PasswordChar"));
}

int TextXP::SelStart() const
{
    return m_txt->hasSelectedText() ? m_txt->selectionStart() : m_txt->cursorPosition();
}

void TextXP::setSelStart(int start)
{
    m_txt->setCursorPosition(qBound(0, start, int(m_txt->text().size())));
    emit PropertyChanged(QStringLiteral("SelStart"));
}

QString TextXP::SelText() const
{
    return m_txt->selectedText();
}

void TextXP::setSelText(const QString &text)
{
    m_txt->insert(text);
    emit PropertyChanged(QStringLiteral("SelText"));
}

int TextXP::SelLength() const
{
    return int(m_txt->selectedText().size());
}

void TextXP::setSelLength(int length)
{
    const int start = SelStart();
    m_txt->setSelection(start, qBound(0, length, int(m_txt->text().size()) - start));
    emit PropertyChanged(QStringLiteral("SelLength"));
}

QString TextXP::Text() const
{
    return m_txt->text();
}

void TextXP::setText(const QString &text)
{
    m_txt->setText(text);
    emit PropertyChanged(QStringLiteral("Text"));
}

QString TextXP::ToolTipText() const
{
    return m_txt->toolTip();
}

void TextXP::setToolTipText(const QString &text)
{
    m_txt->setToolTip(text);
    emit PropertyChanged(QStringLiteral("ToolTipText"));
}

double TextXP::Value() const
{
    return Liczby::Val(m_txt->text());
}

void TextXP::setValue(double value)
{
    m_txt->setText(Liczby::Tekst(value));
    emit PropertyChanged(QStringLiteral("Value"));
}

void TextXP::setBorderColor(quint32 color)
{
    m_borderColor = color;
    PaintFrame();
    emit PropertyChanged(QStringLiteral("BorderColor"));
}

void TextXP::setBorderColorFocus(quint32 color)
{
    m_borderColorFocus = color;
    emit PropertyChanged(QStringLiteral("BorderColorOver"));
}

void TextXP::setBackColor(quint32 color)
{
    m_backColor = color;
    ApplyColors();
}

void TextXP::ApplyColors()
{
    const QColor tlo = KodyXP::Kolor(m_backColor, palette());
    const QColor tekst = KodyXP::Kolor(m_foreColor, palette());
    QPalette p = m_txt->palette();
    p.setColor(QPalette::Base, tlo);
    p.setColor(QPalette::Text, tekst);
    m_txt->setPalette(p);
    // The style decides the mask character; a style sheet is the one
    // per-widget way to choose it. A style sheet paints over the palette, so
    // the colours go into it as well, or a locked field would look unlocked.
    // Without a mask no style sheet is set at all: one costs a style pass.
    if (!m_passwordChar.isEmpty()) {
        m_txt->setStyleSheet(
            QStringLiteral("QLineEdit { lineedit-password-character: %1; background-color: %2; color: %3; }")
                .arg(m_passwordChar.at(0).unicode())
                .arg(tlo.name(), tekst.name()));
    } else if (!m_txt->styleSheet().isEmpty()) {
        m_txt->setStyleSheet(QString());
    }
}

void TextXP::RePos()
{
    const int w = width() * kTwipy - 120;
    const int h = height() * kTwipy - 280;
    // A control too small for the inner field leaves the field where it was.
    if (w < 0 || h < 0)
        return;
    m_txt->setGeometry(Piksele(60), Piksele(60), Piksele(w), Piksele(h));
}

void TextXP::PaintFrame()
{
    m_txt->setFrame(false);
    m_outline = m_borderColor;
    if (m_txt->isReadOnly()) {
        m_txt->setEnabled(false);
        m_backColor = kTloZablokowane;
        m_foreColor = kTekstZablokowany;
    } else {
        m_backColor = kBialy;
        m_txt->setEnabled(true);
        m_txt->setReadOnly(false);
    }
    ApplyColors();
    update();
}

void TextXP::PaintOutline(quint32 color)
{
    m_outline = color;
    update();
}

void TextXP::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const int w = width();
    const int h = height();
    p.fillRect(rect(), Qt::white);
    const QColor c = KodyXP::Kolor(m_outline, palette());
    p.fillRect(QRect(0, 0, w, 1), c);
    p.fillRect(QRect(0, 0, 1, h), c);
    p.fillRect(QRect(w - 1, 0, 1, h), c);
    p.fillRect(QRect(0, h - 1, w, 1), c);
}

void TextXP::resizeEvent(QResizeEvent *)
{
    RePos();
    PaintFrame();
}

bool TextXP::KeyPressFilter(QKeyEvent *event)
{
    if (m_typing)
        return false;
    short kod = KodyXP::KodZnakuKlawisza(event);
    if (kod < 0)
        return false;
    const short wpisany = kod;
    emit KeyPress(kod);
    if (kod == 0)
        return true;
    if (kod == wpisany)
        return false;
    QKeyEvent zamiennik(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(KodyXP::Znak(kod)));
    m_typing = true;
    QCoreApplication::sendEvent(m_txt, &zamiennik);
    m_typing = false;
    return true;
}

void TextXP::Paste(const QString &text)
{
    if (m_txt->isReadOnly() || !m_txt->isEnabled())
        return;
    if (m_txt->hasSelectedText())
        m_txt->del();
    for (const QChar c : text) {
        // Line ends, tabs and the like type nothing into a single line.
        if (c.unicode() < 32)
            continue;
        short kod = KodyXP::KodZnaku(c);
        emit KeyPress(kod);
        if (kod != 0)
            m_txt->insert(QString(kod == KodyXP::KodZnaku(c) ? c : KodyXP::Znak(kod)));
    }
}

bool TextXP::ContextMenu(QContextMenuEvent *event)
{
    // The menu's Paste goes the way of Ctrl+V.
    const QPointer<QMenu> menu = m_txt->createStandardContextMenu();
    for (QAction *a : menu->actions())
        if (a->objectName() == QLatin1String("edit-paste")) {
            a->disconnect();
            connect(a, &QAction::triggered, this, [this] { Paste(QGuiApplication::clipboard()->text()); });
        }
    menu->exec(event->globalPos());
    delete menu;
    return true;
}

void TextXP::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || !m_txt->isEnabled()) {
        QWidget::mousePressEvent(event);
        return;
    }
    m_txt->setFocus(Qt::MouseFocusReason);
    const QPoint p = m_txt->mapFrom(this, event->position().toPoint());
    m_txt->setCursorPosition(m_txt->cursorPositionAt(QPoint(p.x(), m_txt->height() / 2)));
}

bool TextXP::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_txt)
        return QWidget::eventFilter(watched, event);

    switch (event->type()) {
    case QEvent::KeyPress:
        if (static_cast<QKeyEvent *>(event)->matches(QKeySequence::Paste)) {
            Paste(QGuiApplication::clipboard()->text());
            return true;
        }
        return KeyPressFilter(static_cast<QKeyEvent *>(event));
    case QEvent::Drop: {
        auto *d = static_cast<QDropEvent *>(event);
        if (!d->mimeData()->hasText() || m_txt->isReadOnly())
            return false;
        d->acceptProposedAction();
        m_txt->deselect();
        m_txt->setCursorPosition(m_txt->cursorPositionAt(d->position().toPoint()));
        Paste(d->mimeData()->text());
        return true;
    }
    case QEvent::ContextMenu:
        return ContextMenu(static_cast<QContextMenuEvent *>(event));
    case QEvent::MouseButtonPress:
        if (static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton)
            m_clickPending = true;
        break;
    case QEvent::MouseButtonRelease: {
        auto *m = static_cast<QMouseEvent *>(event);
        // The middle button pastes the selection of the window system.
        if (m->button() == Qt::MiddleButton && QGuiApplication::clipboard()->supportsSelection()) {
            m_txt->deselect();
            m_txt->setCursorPosition(m_txt->cursorPositionAt(m->position().toPoint()));
            Paste(QGuiApplication::clipboard()->text(QClipboard::Selection));
            return true;
        }
        if (m->button() == Qt::LeftButton) {
            const bool klik = m_clickPending && m_txt->rect().contains(m->position().toPoint());
            m_clickPending = false;
            if (klik)
                emit Click();
        }
        break;
    }
    case QEvent::MouseButtonDblClick:
        if (static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
            m_clickPending = false;
            emit DblClick();
        }
        break;
    case QEvent::MouseMove: {
        auto *m = static_cast<QMouseEvent *>(event);
        short button = KodyXP::Przyciski(m->buttons());
        short shift = KodyXP::Shift(m->modifiers());
        float x = float(m->position().x() * kTwipy);
        float y = float(m->position().y() * kTwipy);
        emit MouseMove(button, shift, x, y);
        break;
    }
    case QEvent::FocusIn:
        PaintOutline(m_borderColorFocus);
        break;
    case QEvent::FocusOut: {
        // A context menu or another window takes the focus only for a while.
        const Qt::FocusReason r = static_cast<QFocusEvent *>(event)->reason();
        if (r != Qt::PopupFocusReason && r != Qt::ActiveWindowFocusReason)
            PaintOutline(m_borderColor);
        break;
    }
    default:
        break;
    }
    return false;
}
