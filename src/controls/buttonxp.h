#pragma once

#include <QWidget>

// Owner-drawn push button. (Interim: a plain button with the final interface.)
class ButtonXP : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE setCaption)

public:
    explicit ButtonXP(QWidget *parent = nullptr);

    QString Caption() const { return m_caption; }
    void setCaption(const QString &caption);

signals:
    void Click();

protected:
    void paintEvent(QPaintEvent *) override;
    void mouseReleaseEvent(QMouseEvent *e) override;

private:
    QString m_caption;
};
