#pragma once

#include <QWidget>

class QLineEdit;

// Single-line text field inside a thin frame. (Interim: the final interface
// over a plain line edit.)
class TextXP : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QString Text READ Text WRITE setText)

public:
    explicit TextXP(QWidget *parent = nullptr);

    QString Text() const;
    void setText(const QString &text);
    double Value() const;
    void setValue(double value);
    QLineEdit *MyTxt() const { return m_txt; }

signals:
    void Change();
    // A handler that sets KeyAscii to 0 keeps the character out of the field.
    void KeyPress(short &KeyAscii);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *) override;

private:
    QLineEdit *m_txt;
};
