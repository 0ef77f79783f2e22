// Design-time properties of TextXP: a new instance, loading and saving.

#include "controls/textxp.h"

#include "controls/propertybag.h"

#include <QApplication>
#include <QLineEdit>

namespace {

// A new field is 330 twips high, 15 twips to the pixel.
constexpr int kWysokosc = 330 / 15;

} // namespace

TextXP *TextXP::utworz(QWidget *parent, const QString &name, const PropertyBag &bag)
{
    auto *t = new TextXP(parent);
    t->setObjectName(name);
    t->ReadProperties(bag);
    return t;
}

QFont TextXP::AmbientFont() const
{
    return parentWidget() ? parentWidget()->font() : QApplication::font();
}

void TextXP::InitProperties()
{
    setText(QStringLiteral("Text") + DisplayName().mid(10));
    resize(width(), kWysokosc);
    QFont f = m_txt->font();
    f.setFamily(QStringLiteral("Verdana"));
    m_txt->setFont(f);
    RePos();
    PaintFrame();
    m_borderColor = kBorderColor;
    m_borderColorFocus = kBorderColorFocus;
}

void TextXP::ReadProperties(const PropertyBag &bag)
{
    setAlignment(short(bag.ReadProperty(QStringLiteral("Alignment"), 0).toInt()));
    setBackColor(bag.ReadProperty(QStringLiteral("BackColor"), kSystemWindow).toUInt());
    setEnabled(bag.ReadProperty(QStringLiteral("Enabled"), true).toBool());
    setForeColor(bag.ReadProperty(QStringLiteral("ForeColor"), kSystemWindowText).toUInt());
    setLocked(bag.ReadProperty(QStringLiteral("Locked"), false).toBool());
    setMaxLength(bag.ReadProperty(QStringLiteral("MaxLength"), 0).toInt());
    setPasswordChar(bag.ReadProperty(QStringLiteral("PasswordChar"), QString()).toString());
    setSelStart(bag.ReadProperty(QStringLiteral("SelStart"), 0).toInt());
    setSelText(bag.ReadProperty(QStringLiteral("SelText"), QString()).toString());
    setSelLength(bag.ReadProperty(QStringLiteral("SelLength"), 0).toInt());
    setText(bag.ReadProperty(QStringLiteral("Text"), QStringLiteral("Text1")).toString());
    setToolTipText(bag.ReadProperty(QStringLiteral("ToolTipText"), QString()).toString());
    setBorderColor(bag.ReadProperty(QStringLiteral("BorderColor"), kBorderColor).toUInt());
    setBorderColorFocus(bag.ReadProperty(QStringLiteral("BorderColorOver"), kBorderColorFocus).toUInt());
}

void TextXP::WriteProperties(PropertyBag &bag) const
{
    bag.WriteProperty(QStringLiteral("Alignment"), int(Alignment()), 0);
    bag.WriteProperty(QStringLiteral("BackColor"), m_backColor, kSystemWindow);
    bag.WriteProperty(QStringLiteral("Enabled"), Enabled(), true);
    bag.WriteProperty(QStringLiteral("Font"), Font(), AmbientFont());
    bag.WriteProperty(QStringLiteral("ForeColor"), m_foreColor, kSystemWindowText);
    bag.WriteProperty(QStringLiteral("Locked"), Locked());
    bag.WriteProperty(QStringLiteral("MaxLength"), MaxLength(), 0);
    bag.WriteProperty(QStringLiteral("PasswordChar"), m_passwordChar, QString());
    bag.WriteProperty(QStringLiteral("SelStart"), SelStart(), 0);
    bag.WriteProperty(QStringLiteral("SelText"), SelText(), QString());
    bag.WriteProperty(QStringLiteral("SelLength"), SelLength(), 0);
    bag.WriteProperty(QStringLiteral("Text"), Text(), QStringLiteral("Text1"));
    bag.WriteProperty(QStringLiteral("ToolTipText"), ToolTipText(), QString());
    bag.WriteProperty(QStringLiteral("Value"), Value(), 0.0);
    bag.WriteProperty(QStringLiteral("BorderColor"), m_borderColor, kBorderColor);
    bag.WriteProperty(QStringLiteral("BorderColorOver"), m_borderColorFocus, kBorderColorFocus);
}
