// Design-time properties of ButtonXP: a new instance, loading and saving.

#include "controls/buttonxp.h"

#include "controls/kodyxp.h"
#include "controls/propertybag.h"

#include <QApplication>
#include <QScopedValueRollback>

ButtonXP *ButtonXP::utworz(QWidget *parent, const QString &name, const PropertyBag &bag)
{
    auto *b = new ButtonXP(parent);
    b->setObjectName(name);
    b->ReadProperties(bag);
    return b;
}

QFont ButtonXP::AmbientFont() const
{
    return parentWidget() ? parentWidget()->font() : QApplication::font();
}

quint32 ButtonXP::AmbientForeColor() const
{
    const QPalette paleta = parentWidget() ? parentWidget()->palette() : QApplication::palette();
    return KodyXP::Wartosc(paleta.color(QPalette::WindowText));
}

void ButtonXP::InitProperties()
{
    const QScopedValueRollback<bool> laduje(m_laduje, true);
    setFont(AmbientFont());
    m_caption = QStringLiteral("Command") + DisplayName().mid(13);
    m_enabled = true;
}

void ButtonXP::ReadProperties(const PropertyBag &bag)
{
    const QScopedValueRollback<bool> laduje(m_laduje, true);
    m_enabled = bag.ReadProperty(QStringLiteral("Enabled"), true).toBool();
    setFont(bag.ReadProperty(QStringLiteral("Font"), AmbientFont()).value<QFont>());
    m_caption = bag.ReadProperty(QStringLiteral("Caption"), DisplayName()).toString();
    m_foreColor = bag.ReadProperty(QStringLiteral("ForeColor"), AmbientForeColor()).toUInt();
    m_foreHover = bag.ReadProperty(QStringLiteral("ForeHover"), m_foreColor).toUInt();
    setEnabled(m_enabled);
    UpdateAccessKey();
}

void ButtonXP::WriteProperties(PropertyBag &bag) const
{
    bag.WriteProperty(QStringLiteral("Enabled"), Enabled(), true);
    bag.WriteProperty(QStringLiteral("Font"), font(), AmbientFont());
    bag.WriteProperty(QStringLiteral("Caption"), m_caption, DisplayName());
    bag.WriteProperty(QStringLiteral("ForeColor"), m_foreColor);
    bag.WriteProperty(QStringLiteral("ForeHover"), m_foreHover, AmbientForeColor());
}
