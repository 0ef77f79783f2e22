#pragma once

#include "okna/formatka.h"

class Etykieta;
class Jezyk;
class ObrazTrybu;

// A small modal window without border or title bar that shows the current
// characteristic of one operating mode. Only its close label closes it.
class FrmWykresy : public Formatka
{
    Q_OBJECT

public:
    explicit FrmWykresy(const Jezyk &jezyk, QWidget *parent = nullptr);

    // The picture to show, 1 to 3; anything else shows picture 1. Kept from
    // one showing to the next.
    void setWykresId(int id) { m_wykresId = id; }
    int WykresId() const { return m_wykresId; }

    // Loads and shows the window and returns when it has been closed.
    void Show();

signals:
    void zamkniete();

protected:
    void closeEvent(QCloseEvent *e) override;

private:
    void Form_Load();

    const Jezyk &m_jezyk;
    int m_wykresId = 0;
    ObrazTrybu *m_image1 = nullptr;
    Etykieta *m_label1 = nullptr;
};
