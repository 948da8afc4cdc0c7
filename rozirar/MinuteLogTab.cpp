#include "MinuteLogTab.h"

#include "ComboDayFilter.h"
#include "FanValues.h"
#include "FanValues70.h"
#include "MinuteLogDB.h"
#include "TextTable.h"
#include "WaitCursor.h"

#include <QDebug>
#include <QHBoxLayout>
#include <QLabel>
#include <QScrollBar>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlQueryModel>
#include <QTableView>

namespace
{
// A connection of its own: a row written on the import's connection would be part of the
// import's transaction and go with its rollback.
const char* const MINUTE_ROW_CONNECTION = "UIThreadMinuteRows";
} // namespace

CMinuteLogTab::CMinuteLogTab(CMinuteLogDBBase* pDB, QWidget* parent)
    : CLogTabBase(parent), m_pDB(pDB), m_clock([] { return QDateTime::currentDateTime(); })
{
    m_pDayFilter = new CComboDayFilter(nullptr);
    getDescriptionLabel()->setText(
        tr("The '%1' are retrieved by tolVane-Vozudoz as long as it runs. They are stored and displayed "
           "automatically.")
            .arg(getTitle()));
    getTopLayout()->addWidget(new QLabel(tr("Minute values of:")));
    getTopLayout()->addWidget(m_pDayFilter);
    connect(m_pDayFilter, &CComboDayFilter::selectedDayChanged, this, &CMinuteLogTab::onSelectedDayChanged);
    m_pModel = new QSqlQueryModel(this);
    getTableView()->setModel(m_pModel);
}

QString CMinuteLogTab::getTitle() const
{
    return QString::fromUtf8(GetText(TXT_MINUTE_VALUES));
}

bool CMinuteLogTab::setupQueryModel(QSqlQueryModel* pModel, qint64 nSerialNr)
{
    m_pDB->setupQueryModelForDay(*pModel, QDate(), nSerialNr);
    return true;
}

QDateTime CMinuteLogTab::takeMinute()
{
    QDateTime now = m_clock();
    const int nMinute = now.time().minute();
    // By the minute of the hour alone, shared by both unit types.
    if (nMinute == m_nLastMinute)
        return QDateTime();
    m_nLastMinute = nMinute;
    return now.addSecs(-now.time().second());
}

void CMinuteLogTab::storeRow(const QDateTime& minute, CMinuteRowQueue::FWriteRow fnRow)
{
    const int nWaiting = m_rows.pendingRows();
    if (minute.isValid())
        m_rows.write(std::move(fnRow));
    else if (nWaiting > 0)
        m_rows.retry();
    if ((minute.isValid() && minute.date() == m_date) || m_rows.pendingRows() < nWaiting)
        reload();
    else if (minute.isValid())
    {
        // Today is always offered: past midnight the new day's first row brings its date into
        // the list at once, while the day shown stays the one chosen.
        m_pDayFilter->addDate(minute.date());
    }
}

bool CMinuteLogTab::writePendingRows()
{
    storeRow(QDateTime(), nullptr);
    return m_rows.pendingRows() == 0;
}

void CMinuteLogTab::setCurrentValues(const CFanValues& values, quint32 nSerialNr, QString, QString,
                                     int nOperatingHours, int nFilterHours, int nFanSupplyCharac,
                                     int nFanExtractCharac, quint32 nFanCmdsSucceeded, quint32 nFanCmdsFailed,
                                     int iRSSI)
{
    qDebug() << "CMinuteLogTab::setCurrentValues";
    const QDateTime minute = takeMinute();
    storeRow(minute,
             [=]
             {
                 return CMinuteLogDB(MINUTE_ROW_CONNECTION)
                     .logValues(values, nOperatingHours, nFilterHours, nSerialNr, nFanSupplyCharac,
                                nFanExtractCharac, nFanCmdsSucceeded, nFanCmdsFailed, minute, iRSSI);
             });
}

void CMinuteLogTab::setCurrentValues70(const CFanValues70& values, quint32 nSerialNr, QString, QString,
                                       int nOperatingHours, int, int, int, quint32 nFanCmdsSucceeded,
                                       quint32 nFanCmdsFailed)
{
    const QDateTime minute = takeMinute();
    storeRow(minute,
             [=]
             {
                 return CMinuteLogDB70(MINUTE_ROW_CONNECTION)
                     .logValues(values, nOperatingHours, nSerialNr, nFanCmdsSucceeded, nFanCmdsFailed,
                                minute);
             });
}

void CMinuteLogTab::reload()
{
    SWaitCursor wait;
    disconnect(m_pDayFilter, &CComboDayFilter::selectedDayChanged, this,
               &CMinuteLogTab::onSelectedDayChanged);
    const qint64 nSerialNr = selectedSerialNr();
    QList<QDate> days;
    m_pDB->getLoggedDays(days, nSerialNr);

    const QDate remembered = m_pDayFilter->currentDate();
    m_pDayFilter->clear();
    for (const QDate& day : days)
        m_pDayFilter->addDate(day);
    // today is always offered, with or without rows
    m_pDayFilter->addDate(today());
    if (!m_pDayFilter->selectDate(remembered) && m_pDayFilter->count() > 0)
        m_pDayFilter->setCurrentIndex(m_pDayFilter->count() - 1);
    connect(m_pDayFilter, &CComboDayFilter::selectedDayChanged, this, &CMinuteLogTab::onSelectedDayChanged);
    m_date = m_pDayFilter->currentDate();

    QTableView* pView = getTableView();
    const QModelIndex top = pView->indexAt(QPoint(10, 2));
    const QScrollBar* pBar = pView->verticalScrollBar();
    const bool bAtEnd = m_pModel->rowCount() > 0 && pBar->value() >= pBar->maximum();

    m_pDB->setupQueryModelForDay(*m_pModel, m_date, nSerialNr);
    fitColumns();
    while (m_pModel->canFetchMore())
        m_pModel->fetchMore();
    CDBBase::reportReadFailure(m_pModel->query().lastError());
    if (bAtEnd)
        pView->scrollToBottom();
    else
        pView->scrollTo(m_pModel->index(top.row(), top.column()), QAbstractItemView::PositionAtTop);
}

void CMinuteLogTab::onSelectedDayChanged(QDate day)
{
    if (day == m_date)
        return;
    if (!day.isValid())
    {
        m_pModel->clear();
        return;
    }
    m_date = day;
    reload();
    scrollToBottom();
}
