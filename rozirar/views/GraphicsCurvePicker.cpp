#include "GraphicsCurvePicker.h"

#include "DataDict.h"
#include "ui_GraphicsCurvePicker.h"

#include <QFontMetricsF>
#include <QHeaderView>
#include <QScrollBar>
#include <QStyle>
#include <QTextBoundaryFinder>
#include <QtMath>

namespace
{
const int SORT_COLUMN = 2;
// Pixels left free beside the two columns, so that no horizontal scroll bar comes up.
const int SPARE_WIDTH = 3;

QString unitOf(int nIndex)
{
    return CDataDict::instance()->getText(nIndex, CDataDict::COL_UNIT);
}

// The width of a cell that shows the text on one line: the item view's text margin on either
// side and the grid line.
int cellWidth(const QTableWidget* pTable, const QString& strText)
{
    const int nMargin = pTable->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, pTable) + 1;
    // Rounded up: the view cuts a line that is a fraction of a pixel too wide.
    const int nText = qCeil(QFontMetricsF(pTable->font()).horizontalAdvance(strText));
    return nText + 2 * nMargin + (pTable->showGrid() ? 1 : 0);
}

// The widest cell that a part of the text needs which a line cannot break: a word, or a word up
// to its hyphen.
int widestUnbreakable(const QTableWidget* pTable, const QString& strText)
{
    QTextBoundaryFinder breaks(QTextBoundaryFinder::Line, strText);
    int nWidest = 0;
    for (int nStart = 0; breaks.toNextBoundary() > 0; nStart = breaks.position())
        nWidest = qMax(nWidest, cellWidth(pTable, strText.mid(nStart, breaks.position() - nStart).trimmed()));
    return nWidest;
}

bool isRowEnabled(const QTableWidget* pTable, int nRow)
{
    const QTableWidgetItem* pItem = nRow >= 0 && nRow < pTable->rowCount() ? pTable->item(nRow, 0) : nullptr;
    return pItem && (pItem->flags() & Qt::ItemIsEnabled);
}
} // namespace

CGraphicsCurvePicker::CGraphicsCurvePicker(QWidget* parent)
    : QFrame(parent), m_pUi(std::make_unique<Ui::CGraphicsCurvePicker>())
{
    m_pUi->setupUi(this);

    // A description wraps onto more lines where its column gives way, so it never ends in "...".
    for (QTableWidget* pTable : {m_pUi->m_pTableAvail, m_pUi->m_pTablePicked})
    {
        pTable->setWordWrap(true);
        pTable->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    }
    fitColumns(m_pUi->m_pTableAvail);
    m_pUi->m_pTableAvail->horizontalHeader()->setSortIndicator(SORT_COLUMN, Qt::AscendingOrder);
    m_pUi->m_pTableAvail->hideColumn(SORT_COLUMN);

    connect(m_pUi->m_pPushAdd, &QPushButton::clicked, this, &CGraphicsCurvePicker::onAdd);
    connect(m_pUi->m_pPushRemove, &QPushButton::clicked, this, &CGraphicsCurvePicker::onRemove);
    connect(m_pUi->m_pTableAvail, &QTableWidget::itemSelectionChanged, this,
            &CGraphicsCurvePicker::onSelectionChangedAvail);
    connect(m_pUi->m_pTablePicked, &QTableWidget::itemSelectionChanged, this,
            &CGraphicsCurvePicker::onSelectionChangedPicked);
    // A greyed row can become current without a change of selection (it cannot be selected).
    connect(m_pUi->m_pTableAvail, &QTableWidget::currentCellChanged, this,
            &CGraphicsCurvePicker::onSelectionChangedAvail);
    connect(m_pUi->m_pTablePicked, &QTableWidget::currentCellChanged, this,
            &CGraphicsCurvePicker::onSelectionChangedPicked);

    onSelectionChangedAvail();
    onSelectionChangedPicked();

    m_pUi->m_pTableAvail->horizontalHeader()->setObjectName(QStringLiteral("horzHeader"));
}

CGraphicsCurvePicker::~CGraphicsCurvePicker() = default;

void CGraphicsCurvePicker::fillAvailable(bool bCorMisto70)
{
    m_bCorMisto70 = bCorMisto70;
    m_pUi->m_pTableAvail->clearContents();
    m_pUi->m_pTableAvail->setRowCount(0);

    const CDataDict* pDict = CDataDict::instance();
    const int nTables = bCorMisto70 ? (CDataDict::TM_VALUE_LOGS_70 | CDataDict::TM_SEC_LOGS_70)
                                    : (CDataDict::TM_VALUE_LOGS | CDataDict::TM_SEC_LOGS);
    QList<int> fields;
    for (int i = 0; i < CDataDict::ENTRY_COUNT; ++i)
        if (pDict->isPlottable(i) && (pDict->getTableMask(i) & nTables))
            fields.append(i);
    for (int nIndex : fields)
        addRow(m_pUi->m_pTableAvail, nIndex);
    keepWordsWhole(fields);

    m_pUi->m_pTableAvail->horizontalHeader()->setSortIndicator(SORT_COLUMN, Qt::AscendingOrder);
}

void CGraphicsCurvePicker::keepWordsWhole(const QList<int>& fields)
{
    // A description wraps where a line may break (between words, after a hyphen) and nowhere
    // else: a part wider than its column would end in "...". So each list is kept wide enough for
    // the widest part of any description beside the widest unit (the column widths that
    // fitColumns works out from the list's width).
    const CDataDict* pDict = CDataDict::instance();
    for (QTableWidget* pTable : {m_pUi->m_pTableAvail, m_pUi->m_pTablePicked})
    {
        int nPart = 0;
        int nUnit = 0;
        for (int nIndex : fields)
        {
            nPart =
                qMax(nPart, widestUnbreakable(pTable, pDict->getText(nIndex, CDataDict::COL_DESCRIPTION)));
            nUnit = qMax(nUnit, cellWidth(pTable, pDict->getText(nIndex, CDataDict::COL_UNIT)));
        }
        pTable->setMinimumWidth(nPart + nUnit + SPARE_WIDTH + 2 * pTable->frameWidth() +
                                pTable->verticalScrollBar()->sizeHint().width());
    }
}

QList<int> CGraphicsCurvePicker::selectedFields() const
{
    QList<int> fields;
    const QTableWidget* pTable = m_pUi->m_pTablePicked;
    for (int r = 0; r < pTable->rowCount(); ++r)
        if (const QTableWidgetItem* pItem = pTable->item(r, 0))
            fields.append(pItem->data(Qt::UserRole).toInt());
    return fields;
}

void CGraphicsCurvePicker::addRow(QTableWidget* pTable, int nIndex)
{
    const bool bSorting = pTable->isSortingEnabled();
    pTable->setSortingEnabled(false);
    const int nRow = pTable->rowCount();
    pTable->insertRow(nRow);

    const CDataDict* pDict = CDataDict::instance();
    const QString strDescription = pDict->getText(nIndex, CDataDict::COL_DESCRIPTION);
    const QString strUnit = pDict->getText(nIndex, CDataDict::COL_UNIT);
    auto* pName = new QTableWidgetItem(strDescription);
    pName->setToolTip(
        QStringLiteral("%1 (%2)").arg(strDescription, pDict->getText(nIndex, CDataDict::COL_ABBREVIATION)));
    pName->setData(Qt::UserRole, nIndex);
    pTable->setItem(nRow, 0, pName);
    pTable->setItem(nRow, 1, new QTableWidgetItem(strUnit));
    if (pTable->columnCount() > SORT_COLUMN)
        pTable->setItem(nRow, SORT_COLUMN, new QTableWidgetItem(strUnit + strDescription));

    pTable->setSortingEnabled(bSorting);
    pTable->setCurrentItem(pName);
}

int CGraphicsCurvePicker::takeCurrentField(QTableWidget* pTable)
{
    const int nRow = pTable->currentRow();
    if (!isRowEnabled(pTable, nRow))
        return -1;
    const int nIndex = pTable->item(nRow, 0)->data(Qt::UserRole).toInt();
    pTable->removeRow(nRow);
    return nIndex;
}

void CGraphicsCurvePicker::onAdd()
{
    const int nIndex = takeCurrentField(m_pUi->m_pTableAvail);
    if (nIndex < 0)
        return;
    addRow(m_pUi->m_pTablePicked, nIndex);
    updateAvailability();
    fitColumns(m_pUi->m_pTableAvail);
    fitColumns(m_pUi->m_pTablePicked);
    emit curveAdded(nIndex);
}

void CGraphicsCurvePicker::onRemove()
{
    const int nIndex = takeCurrentField(m_pUi->m_pTablePicked);
    if (nIndex < 0)
        return;
    addRow(m_pUi->m_pTableAvail, nIndex);
    updateAvailability();
    fitColumns(m_pUi->m_pTableAvail);
    fitColumns(m_pUi->m_pTablePicked);
    emit curveRemoved(nIndex);
}

void CGraphicsCurvePicker::updateAvailability()
{
    const QList<int> selected = selectedFields();
    QString strFirstUnit;
    QString strSecondUnit;
    bool bRestricted = false;
    if (!selected.isEmpty())
    {
        strFirstUnit = unitOf(selected.first());
        for (int nIndex : selected)
        {
            if (unitOf(nIndex) != strFirstUnit)
            {
                strSecondUnit = unitOf(nIndex);
                bRestricted = true;
                break;
            }
        }
    }

    QTableWidget* pTable = m_pUi->m_pTableAvail;
    for (int r = 0; r < pTable->rowCount(); ++r)
    {
        QTableWidgetItem* pUnit = pTable->item(r, 1);
        const QString strUnit = pUnit ? pUnit->text() : QString();
        const bool bEnabled = !bRestricted || strUnit == strFirstUnit || strUnit == strSecondUnit;
        for (int c = 0; c < pTable->columnCount(); ++c)
        {
            if (QTableWidgetItem* pItem = pTable->item(r, c))
                pItem->setFlags(bEnabled ? pItem->flags() | Qt::ItemIsEnabled
                                         : pItem->flags() & ~Qt::ItemIsEnabled);
        }
    }
    if (pTable->currentRow() >= 0 && !isRowEnabled(pTable, pTable->currentRow()))
        pTable->setCurrentItem(nullptr);

    // Greying a row changes no selection, so the buttons are brought up to date here.
    onSelectionChangedAvail();
    onSelectionChangedPicked();
}

void CGraphicsCurvePicker::onSelectionChangedAvail()
{
    m_pUi->m_pPushAdd->setEnabled(isRowEnabled(m_pUi->m_pTableAvail, m_pUi->m_pTableAvail->currentRow()));
}

void CGraphicsCurvePicker::onSelectionChangedPicked()
{
    m_pUi->m_pPushRemove->setEnabled(
        isRowEnabled(m_pUi->m_pTablePicked, m_pUi->m_pTablePicked->currentRow()));
}

void CGraphicsCurvePicker::fitColumns(QTableWidget* pTable)
{
    pTable->resizeColumnToContents(0);
    pTable->resizeColumnToContents(1);
    // The room beside the vertical scroll bar, whether it shows now or only once descriptions
    // wrap: columns wider than that would cut the unit and bring up a horizontal scroll bar.
    const int nWidth =
        pTable->width() - 2 * pTable->frameWidth() - pTable->verticalScrollBar()->sizeHint().width();
    if (nWidth >= pTable->columnWidth(0) + pTable->columnWidth(1) + SPARE_WIDTH)
        return;
    QHeaderView* pHeader = pTable->horizontalHeader();
    pHeader->resizeSection(0, nWidth);
    pTable->resizeColumnToContents(1);
    pHeader->resizeSection(0, nWidth - pTable->columnWidth(1) - SPARE_WIDTH);
}

void CGraphicsCurvePicker::resizeEvent(QResizeEvent*)
{
    fitColumns(m_pUi->m_pTableAvail);
    fitColumns(m_pUi->m_pTablePicked);
}

void CGraphicsCurvePicker::showEvent(QShowEvent*)
{
    fitColumns(m_pUi->m_pTableAvail);
    fitColumns(m_pUi->m_pTablePicked);
}
