#include "converter/panel_parametry.h"

#include "app/key.h"

PanelParametry::PanelParametry(KEY &okno) : QObject(&okno), m_okno(okno)
{
    m_picPlik = okno.nowyPanel(QStringLiteral("picPlik"), 3780, QStringLiteral("Label33"),
                               QStringLiteral("PARAMETRY WAGI"), QStringLiteral("param_wagi"));
}

void PanelParametry::ZaladujKatalog()
{
}

void PanelParametry::OdtworzParametry()
{
}
