#include "ServiceTab.h"

#include "TextTable.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

namespace
{
// Counters the unit keeps for itself (write cycles, boot counts, raw readings, versions, fault
// events, fan characteristics). Descending, so each index still names the position it had in
// the list as it arrived.
const int DROPPED_COUNTERS[] = {44, 43, 42, 41, 40, 39, 37, 36, 35, 34, 33, 32, 31,
                                30, 11, 10, 9,  8,  7,  6,  5,  4,  3,  2,  1,  0};

const int INITIAL_ROWS = 10;

QString text(int nIndex)
{
    return QString::fromUtf8(GetText(nIndex));
}
} // namespace

CServiceTab::CServiceTab(QWidget* parent) : QWidget(parent), m_pTable(new QTableWidget(INITIAL_ROWS, 2, this))
{
    auto* pLayout = new QVBoxLayout(this);
    auto* pTopRow = new QHBoxLayout;
    pTopRow->addStretch();
    pLayout->addLayout(pTopRow);

    auto* pHint =
        new QLabel(tr("The '%1' is stored on the tolVane. Click the button 'Retrieve log data' in order "
                      "to load (or refresh) and display them.")
                       .arg(getTitle()),
                   this);
    pHint->setWordWrap(true);
    pLayout->addWidget(pHint);
    pLayout->addWidget(m_pTable);

    m_pTable->setHorizontalHeaderLabels({tr("Parameter"), text(139)});
    m_pTable->resizeColumnsToContents();
}

QString CServiceTab::getTitle() const
{
    return text(TXT_SERVICE_INFO);
}

bool CServiceTab::boolOption2(bool b)
{
    return !b;
}

bool CServiceTab::boolOption3(bool b)
{
    return !b;
}

void CServiceTab::onUpdateCounters(QStringList lstNames, QList<quint32> lstValues)
{
    for (int i : DROPPED_COUNTERS)
    {
        if (i < lstNames.size())
        {
            lstNames.removeAt(i);
            if (i < lstValues.size())
                lstValues.removeAt(i);
        }
    }

    for (int p = 0; p < lstNames.size();)
    {
        if (!lstNames[p].isEmpty())
        {
            ++p;
            continue;
        }
        lstNames.removeAt(p);
        if (p < lstValues.size())
            lstValues.removeAt(p);
    }

    m_lstNames = lstNames;
    m_lstValues = lstValues;

    const int nRows = qMin(m_lstNames.size(), m_lstValues.size());
    m_pTable->clearContents();
    m_pTable->setRowCount(nRows);
    for (int r = 0; r < nRows; ++r)
    {
        auto* pName = new QTableWidgetItem(m_lstNames[r]);
        auto* pValue = new QTableWidgetItem(QStringLiteral("%1").arg(m_lstValues[r]));
        pName->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
        pValue->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
        m_pTable->setItem(r, 0, pName);
        m_pTable->setItem(r, 1, pValue);
    }
    m_pTable->resizeColumnsToContents();
    m_pTable->resizeRowsToContents();
}

void CServiceTab::onRozirarionStateChanged(ERozirarionState eState, qint64 iSerialNr, bool bCorMisto70)
{
    if (eState != STATE_OK || (iSerialNr == m_nLastSerialNr && bCorMisto70 == m_bLastCorMisto70))
        return;
    onUpdateCounters(QStringList(), QList<quint32>());
    m_nLastSerialNr = iSerialNr;
    m_bLastCorMisto70 = bCorMisto70;
}

void CServiceTab::getContent(QStringList& rLstNames, QList<quint32>& rLstValues)
{
    emit updateCounters();
    rLstNames = m_lstNames;
    rLstValues = m_lstValues;
}
