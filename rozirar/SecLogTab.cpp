#include "SecLogTab.h"

#include "Logging.h"
#include "SecLogDBBase.h"
#include "TextTable.h"

#include <QLabel>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlQueryModel>
#include <QTableView>

CSecLogTab::CSecLogTab(CSecLogDBBase* pDB, int nTimeSpan, QWidget* parent)
    : CLogTabBase(parent), m_pDB(pDB), m_nTimeSpan(nTimeSpan)
{
    getDescriptionLabel()->setText(
        tr("The '%1' are stored on the tolVane. Click the button 'Retrieve log data' in "
           "order to load (or refresh) and display them.")
            .arg(getTitle()));
    getTableView()->setModel(&m_model);
}

QString CSecLogTab::getTitle() const
{
    switch (m_nTimeSpan)
    {
    case CLogging::TS_QUARTER_HOUR:
        return QString::fromUtf8(GetText(TXT_QUARTER_HOUR_VALUES));
    case CLogging::TS_DAY:
        return QString::fromUtf8(GetText(TXT_DAILY_VALUES));
    case CLogging::TS_MONTH:
        return QString::fromUtf8(GetText(TXT_MONTHLY_VALUES));
    default:
        return QString();
    }
}

bool CSecLogTab::setupQueryModel(QSqlQueryModel* pModel, qint64 nSerialNr)
{
    m_pDB->setupQueryModelForTimeSpan(*pModel, m_nTimeSpan, nSerialNr);
    return true;
}

void CSecLogTab::reload()
{
    QSqlQueryModel query;
    m_pDB->setupQueryModelForTimeSpan(query, m_nTimeSpan, selectedSerialNr());
    while (query.canFetchMore())
        query.fetchMore();
    CDBBase::reportReadFailure(query.query().lastError());
    m_model.clear();
    copyModel(query);
    fitColumns();
}

void CSecLogTab::copyModel(const QSqlQueryModel& source)
{
    const int nColumns = source.columnCount();
    const int nRows = source.rowCount();
    m_model.insertColumns(0, nColumns);
    m_model.insertRows(0, nRows);
    for (int c = 0; c < nColumns; ++c)
    {
        for (int role : {int(Qt::DisplayRole), int(Qt::ToolTipRole)})
            m_model.setHeaderData(c, Qt::Horizontal, source.headerData(c, Qt::Horizontal, role), role);
        for (int r = 0; r < nRows; ++r)
            m_model.setData(m_model.index(r, c), source.data(source.index(r, c)).toString(), Qt::EditRole);
    }
}
