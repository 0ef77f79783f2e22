#pragma once

#include <QObject>

class KEY;
class QWidget;

// The simulator panel: a slider plays a scale, the frame for its weight is
// shown and, while continuous sending is on, written to the port 20 times a
// second.
class PanelSymulator : public QObject
{
    Q_OBJECT

public:
    explicit PanelSymulator(KEY &okno);

    QWidget *picTransmisja() const { return m_picTransmisja; }

private:
    KEY &m_okno;
    QWidget *m_picTransmisja = nullptr;
};
