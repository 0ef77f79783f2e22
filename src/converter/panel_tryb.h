#pragma once

#include <QObject>

class KEY;
class QWidget;

// The operating-mode panel: the three modes with the picture of the selected
// one, reading and setting the mode, the chart window and the version.
class PanelTryb : public QObject
{
    Q_OBJECT

public:
    explicit PanelTryb(KEY &okno);

    QWidget *picZdarzenia() const { return m_picZdarzenia; }

private:
    KEY &m_okno;
    QWidget *m_picZdarzenia = nullptr;
};
