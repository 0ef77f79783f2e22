#pragma once

#include <QImage>
#include <QTimer>
#include <QWidget>

#include <chrono>

class PropertyBag;

// Owner-drawn push button: a light raised face with a vertical colour ramp, a
// dark-blue border with softened corners, an orange frame under the pointer, a
// blue frame with the keyboard focus, a flat darker face while pressed and a
// grey look while disabled. The four corner pixels are cut from its shape.
//
// Colours are 32-bit values 0x00BBGGRR; 0x80000000 + n refers to system colour
// n and is drawn in the palette's colour of that purpose.
//
// Enabled is set with QWidget::setEnabled and Font with QWidget::setFont; both
// repaint the button.
class ButtonXP : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(bool Enabled READ Enabled WRITE setEnabled)
    Q_PROPERTY(QFont Font READ Font WRITE setFont)
    Q_PROPERTY(QString Caption READ Caption WRITE setCaption)
    Q_PROPERTY(quint32 ForeColor READ ForeColor WRITE setForeColor)
    Q_PROPERTY(quint32 ForeHover READ ForeHover WRITE setForeHover)

public:
    explicit ButtonXP(QWidget *parent = nullptr);

    // A button named `name` with the properties stored in `bag`.
    static ButtonXP *utworz(QWidget *parent, const QString &name, const PropertyBag &bag);

    // Disabled by setEnabled(false), also while a container is disabled.
    bool Enabled() const { return !testAttribute(Qt::WA_ForceDisabled); }
    QFont Font() const { return font(); }
    QString Caption() const { return m_caption; }
    void setCaption(const QString &caption);
    quint32 ForeColor() const { return m_foreColor; }
    void setForeColor(quint32 color);
    quint32 ForeHover() const { return m_foreHover; }
    void setForeHover(quint32 color);

    // The lower-case character that, with Alt, clicks the button; empty for none.
    QString AccessKeys() const { return m_accessKeys; }

    void InitProperties();
    void ReadProperties(const PropertyBag &bag);
    void WriteProperties(PropertyBag &bag) const;

signals:
    void Click();
    void MouseDown(short Button, short Shift, float X, float Y);
    void MouseMove(short Button, short Shift, float X, float Y);
    void MouseUp(short Button, short Shift, float X, float Y);
    void KeyPress(short KeyAscii);
    void KeyDown(short KeyCode, short Shift);
    void KeyUp(short KeyCode, short Shift);
    void MouseOver();
    void MouseOut();
    // A stored property changed; a host that keeps the design listens to it.
    void PropertyChanged(const QString &PropertyName);

protected:
    bool event(QEvent *e) override;
    void changeEvent(QEvent *e) override;
    void paintEvent(QPaintEvent *e) override;
    void resizeEvent(QResizeEvent *e) override;
    void showEvent(QShowEvent *e) override;
    void focusInEvent(QFocusEvent *e) override;
    void focusOutEvent(QFocusEvent *e) override;
    void mousePressEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;
    void mouseDoubleClickEvent(QMouseEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;
    void keyReleaseEvent(QKeyEvent *e) override;

private:
    static constexpr std::chrono::milliseconds kHoverInterval{50};

    QFont AmbientFont() const;
    quint32 AmbientForeColor() const;
    QString DisplayName() const { return objectName(); }

    bool IsMouseOver() const;
    void HoverTimer_Timer();
    void Down(short button, short shift, float x, float y);
    void ClickHandling();
    void PowrotPoPrzeciagnieciu();
    void UpdateAccessKey();

    // Drawing, in buttonxp_rysowanie.cpp.
    void Redraw(int press);
    void Render(int press);
    void Clear(QPainter &p) const;
    void DrawFace(QPainter &p) const;
    void DrawHoverFrame(QPainter &p) const;
    void DrawFocusFrame(QPainter &p) const;
    void DrawPressedFace(QPainter &p) const;
    void DrawDisabled(QPainter &p) const;
    void DrawBorder(QPainter &p) const;
    void DrawCaption(QPainter &p) const;
    void ApplyRegion();

    // The enabled state the look was last drawn for.
    bool m_enabled = true;
    QString m_caption;
    quint32 m_foreColor = 0;
    quint32 m_foreHover = 0;
    QString m_accessKeys;
    int m_shortcutId = 0;

    bool Hovering = false;
    short MoveLatch = 0;
    bool HasFocus = false;
    short LastButton = 0;
    short LastKey = 0;
    int W = 0;
    int H = 0;
    QTimer HoverTimer;

    // The button whose release completes a click: set by a press, cleared by
    // every release.
    short m_clickButton = 0;
    QImage m_image;
    int m_lastPress = 0;
    // Set while a new instance or stored properties are being applied.
    bool m_laduje = false;
};
