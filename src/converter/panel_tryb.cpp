#include "converter/panel_tryb.h"

#include "app/key.h"

PanelTryb::PanelTryb(KEY &okno) : QObject(&okno), m_okno(okno)
{
    m_picZdarzenia = okno.nowyPanel(QStringLiteral("picZdarzenia"), 3780, QStringLiteral("Label24"),
                                    QStringLiteral("TRYB PRACY"), QStringLiteral("tryb_pracy"));
}
