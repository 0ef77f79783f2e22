#include "okna/etykieta.h"

#include <QMouseEvent>

void Etykieta::ustawPodswietlenie(const QColor &kolor, bool podkreslenie)
{
    m_podswietlenie = kolor;
    m_podkreslenie = podkreslenie;
}

void Etykieta::mouseReleaseEvent(QMouseEvent *e)
{
    if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint()))
        emit Click();
    QLabel::mouseReleaseEvent(e);
}

void Etykieta::enterEvent(QEnterEvent *e)
{
    podswietl(isEnabled());
    QLabel::enterEvent(e);
}

void Etykieta::leaveEvent(QEvent *e)
{
    podswietl(false);
    QLabel::leaveEvent(e);
}

void Etykieta::changeEvent(QEvent *e)
{
    // Disabled under the mouse the label loses its highlight at once, and gets
    // it back when enabled again there.
    if (e->type() == QEvent::EnabledChange)
        podswietl(isEnabled() && underMouse());
    QLabel::changeEvent(e);
}

void Etykieta::podswietl(bool nad)
{
    if (!m_podswietlenie.isValid() || nad == m_podswietlona)
        return;
    m_podswietlona = nad;
    if (nad) {
        // What the label looked like goes back when the mouse leaves.
        m_paleta = palette();
        m_czcionka = font();
        QPalette p = m_paleta;
        p.setColor(QPalette::Active, QPalette::WindowText, m_podswietlenie);
        p.setColor(QPalette::Inactive, QPalette::WindowText, m_podswietlenie);
        setPalette(p);
        if (m_podkreslenie) {
            QFont f = m_czcionka;
            f.setUnderline(true);
            setFont(f);
        }
    } else {
        setPalette(m_paleta);
        if (m_podkreslenie)
            setFont(m_czcionka);
    }
}
