#include "app/blokada_wejscia.h"

#include <QApplication>
#include <QWidget>
#include <QWindow>

BlokadaWejscia::BlokadaWejscia(QWidget *okno) : QObject(okno), m_okno(okno)
{
    qApp->installEventFilter(this);
}

void BlokadaWejscia::wlacz()
{
    if (m_wlaczona)
        return;
    m_wlaczona = true;
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

void BlokadaWejscia::wylacz()
{
    if (!m_wlaczona)
        return;
    // What the window system queued during the wait arrives now and meets the
    // lock; paints and timers run as they would have.
    QCoreApplication::processEvents();
    m_wlaczona = false;
    QApplication::restoreOverrideCursor();
}

bool BlokadaWejscia::eventFilter(QObject *obiekt, QEvent *e)
{
    if (!m_wlaczona)
        return false;
    switch (e->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
        break;
    default:
        return false;
    }
    // The window system hands input to the window first, then to its widgets.
    if (obiekt == m_okno->windowHandle())
        return true;
    return obiekt->isWidgetType() && static_cast<QWidget *>(obiekt)->window() == m_okno;
}
