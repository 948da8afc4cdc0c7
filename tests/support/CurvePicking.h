#pragma once

#include "GraphicsCurvePicker.h"

#include <QStringList>
#include <QStyle>
#include <QTableWidget>
#include <QTextLayout>

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

// The descriptions in either list of the picker that show cut. The item view lays a description
// out in lines as wide as the room in its cell (the column less the grid line and the style's
// text margin on either side) and ends a line that does not fit with "...".
inline QStringList cutDescriptions(CGraphicsCurvePicker* pPicker)
{
    QStringList cut;
    for (const char* pName : {"m_pTableAvail", "m_pTablePicked"})
    {
        auto* pTable = pPicker->findChild<QTableWidget*>(pName);
        const int nMargin = pTable->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, pTable) + 1;
        const int nRoom = pTable->columnWidth(0) - (pTable->showGrid() ? 1 : 0) - 2 * nMargin;
        QTextOption wrap;
        wrap.setWrapMode(QTextOption::WordWrap);
        for (int r = 0; r < pTable->rowCount(); ++r)
        {
            QTextLayout layout(pTable->item(r, 0)->text(), pTable->font());
            layout.setTextOption(wrap);
            layout.beginLayout();
            bool bCut = false;
            for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine())
            {
                line.setLineWidth(nRoom);
                bCut = bCut || line.naturalTextWidth() > nRoom;
            }
            layout.endLayout();
            if (bCut)
                cut << layout.text();
        }
    }
    return cut;
}
