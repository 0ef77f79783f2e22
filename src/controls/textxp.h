#pragma once

#include <QColor>
#include <QFont>
#include <QWidget>

class PropertyBag;
class QLineEdit;

// Single-line text field drawn flat inside a thin frame whose colour changes
// while the field has the focus. It wraps one line edit, MyTxt, and passes most
// properties and events straight through.
//
// Colours are 32-bit values 0x00BBGGRR; 0x80000000 + n refers to system colour
// n. setEnabled and setFont act on the inner field, not on the frame around it.
class TextXP : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(short Alignment READ Alignment WRITE setAlignment)
    Q_PROPERTY(bool Enabled READ Enabled WRITE setEnabled)
    Q_PROPERTY(QFont Font READ Font WRITE setFont)
    Q_PROPERTY(quint32 ForeColor READ ForeColor WRITE setForeColor)
    Q_PROPERTY(bool Locked READ Locked WRITE setLocked)
    Q_PROPERTY(int MaxLength READ MaxLength WRITE setMaxLength)
    Q_PROPERTY(QString PasswordChar READ PasswordChar WRITE setPasswordChar)
    Q_PROPERTY(int SelStart READ SelStart WRITE setSelStart)
    Q_PROPERTY(QString SelText READ SelText WRITE setSelText)
    Q_PROPERTY(int SelLength READ SelLength WRITE setSelLength)
    Q_PROPERTY(QString Text READ Text WRITE setText)
    Q_PROPERTY(QString ToolTipText READ ToolTipText WRITE setToolTipText)
    Q_PROPERTY(double Value READ Value WRITE setValue)
    Q_PROPERTY(quint32 BorderColor READ BorderColor WRITE setBorderColor)
    Q_PROPERTY(quint32 BorderColorFocus READ BorderColorFocus WRITE setBorderColorFocus)

public:
    explicit TextXP(QWidget *parent = nullptr);

    // A text box named `name` with the properties stored in `bag`.
    static TextXP *utworz(QWidget *parent, const QString &name, const PropertyBag &bag);

    // 0 left, 1 right, 2 centre.
    short Alignment() const;
    void setAlignment(short alignment);
    bool Enabled() const;
    void setEnabled(bool enabled);
    QFont Font() const;
    void setFont(const QFont &font);
    quint32 ForeColor() const { return m_foreColor; }
    void setForeColor(quint32 color);
    bool Locked() const;
    void setLocked(bool locked);
    // 0 for no limit.
    int MaxLength() const;
    void setMaxLength(int length);
    // One character shown instead of each typed one; empty shows the text.
    QString PasswordChar() const { return m_passwordChar; }
    void setPasswordChar(const QString &character);
    int SelStart() const;
    void setSelStart(int start);
    QString SelText() const;
    void setSelText(const QString &text);
    int SelLength() const;
    void setSelLength(int length);
    QString Text() const;
    void setText(const QString &text);
    QString ToolTipText() const;
    void setToolTipText(const QString &text);
    // The leading number of the text, 0 when it does not begin with one.
    double Value() const;
    void setValue(double value);
    quint32 BorderColor() const { return m_borderColor; }
    void setBorderColor(quint32 color);
    quint32 BorderColorFocus() const { return m_borderColorFocus; }
    void setBorderColorFocus(quint32 color);

    QLineEdit *MyTxt() const { return m_txt; }
    void RePos();

    void InitProperties();
    void ReadProperties(const PropertyBag &bag);
    void WriteProperties(PropertyBag &bag) const;

signals:
    void Change();
    void Click();
    void DblClick();
    // A handler connected directly that sets KeyAscii to 0 keeps the character
    // out of the field; another value types that character instead. Pasted and
    // dropped text comes through it too, one character at a time, so a filter
    // on typing cannot be passed by the clipboard.
    void KeyPress(short &KeyAscii);
    // X and Y in twips from the inner field's top-left corner.
    void MouseMove(short &Button, short &Shift, float &X, float &Y);
    // A stored property changed; a host that keeps the design listens to it.
    void PropertyChanged(const QString &PropertyName);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    // A click on the frame or the white strip around MyTxt is a click on it.
    void mousePressEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    static constexpr quint32 kBorderColor = 0xB99D7F;
    static constexpr quint32 kBorderColorFocus = 0xF0D0B0;
    static constexpr quint32 kSystemWindow = 0x80000005;
    static constexpr quint32 kSystemWindowText = 0x80000008;

    QFont AmbientFont() const;
    QString DisplayName() const { return objectName(); }

    void setBackColor(quint32 color);
    void ApplyColors();
    void PaintFrame();
    void PaintOutline(quint32 color);
    bool KeyPressFilter(QKeyEvent *event);
    // Types `text` as the keyboard would, through KeyPress, over the selection.
    void Paste(const QString &text);
    bool ContextMenu(QContextMenuEvent *event);

    QLineEdit *m_txt;
    quint32 m_borderColor = kBorderColor;
    quint32 m_borderColorFocus = kBorderColorFocus;
    quint32 m_foreColor = kSystemWindowText;
    quint32 m_backColor = kSystemWindow;
    QString m_passwordChar;
    // The colour the frame was last drawn in.
    quint32 m_outline = kBorderColor;
    // A press inside MyTxt whose release is a click; false after the second
    // press of a double click.
    bool m_clickPending = false;
    // Set while a replacement character chosen by a KeyPress handler is typed.
    bool m_typing = false;
};
