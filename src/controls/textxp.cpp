#include "controls/textxp.h"

#include "config/liczby.h"

#include <QKeyEvent>
#include <QLineEdit>

TextXP::TextXP(QWidget *parent) : QWidget(parent), m_txt(new QLineEdit(this))
{
    m_txt->setObjectName(QStringLiteral("MyTxt"));
    m_txt->setFrame(false);
    m_txt->installEventFilter(this);
    setFocusProxy(m_txt);
    connect(m_txt, &QLineEdit::textChanged, this, &TextXP::Change);
}

QString TextXP::Text() const { return m_txt->text(); }
void TextXP::setText(const QString &text) { m_txt->setText(text); }
double TextXP::Value() const { return Liczby::Val(m_txt->text()); }
void TextXP::setValue(double value) { m_txt->setText(Liczby::Tekst(value)); }

bool TextXP::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_txt && event->type() == QEvent::KeyPress) {
        auto *k = static_cast<QKeyEvent *>(event);
        const QString t = k->text();
        if (t.size() == 1) {
            short kod = static_cast<short>(t.at(0).unicode());
            emit KeyPress(kod);
            if (kod == 0)
                return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TextXP::resizeEvent(QResizeEvent *)
{
    m_txt->setGeometry(4, 4, width() - 8, height() - 8);
}
