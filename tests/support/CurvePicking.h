#pragma once

#include "GraphicsCurvePicker.h"

#include <QTableWidget>

// Adds the field's curves in the diagrams tab as a user does: its row in the list of available
// fields selected, then added.
inline void pickCurve(CGraphicsCurvePicker* pPicker, int nField)
{
    auto* pAvail = pPicker->findChild<QTableWidget*>("m_pTableAvail");
    for (int r = 0; r < pAvail->rowCount(); ++r)
        if (pAvail->item(r, 0)->data(Qt::UserRole).toInt() == nField)
            pAvail->setCurrentCell(r, 0);
    pPicker->onAdd();
}
