#pragma once

#include <QLabel>

// A label that reacts to a click, like the navigation labels of the side bar and
// the captions of the connection panel. A disabled label gets no clicks.
class Etykieta : public QLabel
{
    Q_OBJECT

public:
    explicit Etykieta(const QString &tekst, QWidget *parent = nullptr) : QLabel(tekst, parent) {}
    explicit Etykieta(QWidget *parent = nullptr) : QLabel(parent) {}

signals:
    void Click();

protected:
    void mouseReleaseEvent(QMouseEvent *e) override;
};
