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

    // Under the mouse an enabled label shows its text in this colour,
    // underlined when podkreslenie is set.
    void ustawPodswietlenie(const QColor &kolor, bool podkreslenie);

signals:
    void Click();

protected:
    void mouseReleaseEvent(QMouseEvent *e) override;
    void enterEvent(QEnterEvent *e) override;
    void leaveEvent(QEvent *e) override;
    void changeEvent(QEvent *e) override;

private:
    void podswietl(bool nad);

    QColor m_podswietlenie;
    bool m_podkreslenie = false;
    bool m_podswietlona = false;
    QPalette m_paleta;
    QFont m_czcionka;
};
