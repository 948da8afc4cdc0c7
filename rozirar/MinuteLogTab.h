#pragma once

#include "LogTabBase.h"
#include "MinuteRowQueue.h"

#include <QDate>
#include <QDateTime>

#include <functional>

class CComboDayFilter;
class CFanValues;
class CFanValues70;
class CMinuteLogDBBase;
class QSqlQueryModel;

// The minute-log page: stores at most one row of current values per wall-clock minute and shows
// the rows of one day of the selected unit.
class CMinuteLogTab : public CLogTabBase
{
    Q_OBJECT

public:
    explicit CMinuteLogTab(CMinuteLogDBBase* pDB, QWidget* parent = nullptr);

    // The minute log of the unit type shown; nothing is reloaded.
    void setDB(CMinuteLogDBBase* pDB) { m_pDB = pDB; }
    // The wall clock of the minute logging (a test hook).
    void setClock(std::function<QDateTime()> clock) { m_clock = std::move(clock); }
    // Today by that clock: the day always offered, and the one the diagrams show without fields.
    QDate today() const { return m_clock().date(); }

    virtual void setCurrentValues(const CFanValues& values, quint32 nSerialNr, QString strHWVer,
                                  QString strBootlVer, int nOperatingHours, int nFilterHours,
                                  int nFanSupplyCharac, int nFanExtractCharac, quint32 nFanCmdsSucceeded,
                                  quint32 nFanCmdsFailed, int iRSSI);
    virtual void setCurrentValues70(const CFanValues70& values, quint32 nSerialNr, QString strHWVer,
                                    QString strBootlVer, int nOperatingHours, int nFilterHours,
                                    int nFanSupplyCharac, int nFanExtractCharac, quint32 nFanCmdsSucceeded,
                                    quint32 nFanCmdsFailed);

    bool boolOption2(bool) override { return true; }
    bool boolOption3(bool) override { return false; }
    QString getTitle() const override;
    // The rows of every day of the unit.
    bool setupQueryModel(QSqlQueryModel* pModel, qint64 nSerialNr) override;

    // Writes the rows still waiting for the database, as after an operation that held it;
    // true when none is left.
    bool writePendingRows();
    int pendingRows() const { return m_rows.pendingRows(); }

    CComboDayFilter* dayFilter() const { return m_pDayFilter; }
    QDate shownDate() const { return m_date; }

public slots:
    void reload() override;
    void onSelectedDayChanged(QDate day);

private:
    // The minute to store, or an invalid time when this minute has its row.
    QDateTime takeMinute();
    // Writes the row of a new minute (none when the minute is invalid) after the rows still
    // waiting, and shows what was written.
    void storeRow(const QDateTime& minute, CMinuteRowQueue::FWriteRow fnRow);

    CMinuteLogDBBase* m_pDB;
    CMinuteRowQueue m_rows;
    QSqlQueryModel* m_pModel = nullptr;
    // Minute of the hour of the last row; none before the first, so the first values after
    // start are stored whatever minute they come in.
    int m_nLastMinute = -1;
    CComboDayFilter* m_pDayFilter;
    QDate m_date;
    std::function<QDateTime()> m_clock;
};
