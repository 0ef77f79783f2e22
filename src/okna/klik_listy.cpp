#include "okna/klik_listy.h"

#include <QListWidget>
#include <QMouseEvent>

KlikListy::KlikListy(QListWidget *lista, std::function<void()> klik)
    : QObject(lista), m_lista(lista), m_klik(std::move(klik))
{
    m_lista->viewport()->installEventFilter(this);
    connect(m_lista, &QListWidget::currentRowChanged, this, [this] {
        if (!m_wcisnieta && maFokus())
            m_klik();
    });
}

bool KlikListy::maFokus() const
{
    return m_lista->window()->focusWidget() == m_lista;
}

bool KlikListy::eventFilter(QObject *obiekt, QEvent *e)
{
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
