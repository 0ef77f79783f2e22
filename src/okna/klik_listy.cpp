#include "okna/klik_listy.h"

#include <QCoreApplication>
#include <QFocusEvent>
#include <QListWidget>
#include <QMouseEvent>

KlikListy::KlikListy(QListWidget *lista, std::function<void()> klik)
    : QObject(lista), m_lista(lista), m_klik(std::move(klik))
{
    m_lista->viewport()->installEventFilter(this);
    m_lista->installEventFilter(this);
    connect(m_lista, &QListWidget::currentRowChanged, this, [this] {
        if (!m_wcisnieta && !m_fokusWchodzi && maFokus())
            m_klik();
    });
}

void KlikListy::wejscieFokusu(QEvent *e)
{
    const int przed = m_lista->currentRow();
    m_fokusWchodzi = true;
    QFocusEvent kopia(e->type(), static_cast<QFocusEvent *>(e)->reason());
    QCoreApplication::sendEvent(m_lista, &kopia);
    // Without a current item the list stays without one, so "Ustaw" has
    // nothing the user did not choose.
    if (przed < 0)
        m_lista->setCurrentRow(-1);
    m_fokusWchodzi = false;
}

bool KlikListy::maFokus() const
{
    return m_lista->window()->focusWidget() == m_lista;
}

bool KlikListy::eventFilter(QObject *obiekt, QEvent *e)
{
    if (obiekt == m_lista) {
        if (e->type() != QEvent::FocusIn || m_fokusWchodzi)
            return false;
        wejscieFokusu(e);
        return true;
    }
    switch (e->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        m_wcisnieta = m_lista->indexAt(static_cast<QMouseEvent *>(e)->position().toPoint()).isValid();
        break;
    case QEvent::MouseButtonRelease:
        if (m_wcisnieta) {
            m_wcisnieta = false;
            if (m_lista->currentRow() >= 0 && maFokus())
                m_klik();
        }
        break;
    default:
        break;
    }
    return QObject::eventFilter(obiekt, e);
}
