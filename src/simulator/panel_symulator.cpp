#include "simulator/panel_symulator.h"

#include "app/key.h"

PanelSymulator::PanelSymulator(KEY &okno) : QObject(&okno), m_okno(okno)
{
    m_picTransmisja = okno.nowyPanel(QStringLiteral("picTransmisja"), 2340, QStringLiteral("Label9"),
                                     QStringLiteral("TRANSMISJA"), QStringLiteral("transmition"));
}
