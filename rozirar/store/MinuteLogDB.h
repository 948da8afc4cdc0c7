#pragma once

#include "DBBase.h"

#include <QDate>
#include <QDateTime>
#include <QVariant>

#include <functional>

class CFanValues;
class CFanValues70;

// Minute log: at most one row of current values per minute and serial number.
class CMinuteLogDBBase : public CDBBase
{
    Q_OBJECT

public:
    bool createTable() override;

    // All rows of one local day of a unit; a null date selects every day.
    void setupQueryModelForDay(QSqlQueryModel& model, const QDate& date, qint64 nSerialNr);
    // Appends the local days that hold rows of the unit, ascending; the list is not cleared.
    void getLoggedDays(QList<QDate>& list, qint64 nSerialNr);

    // The condition that selects the rows of one local day.
    static QString makeDayCondition(const QDate& date);

protected:
    CMinuteLogDBBase(int nTableKind, const QString& strConnectionName, QObject* parent);

    struct SFixedValue
    {
        int nIndex;
        QVariant value;
    };
    // Writes one row: the fixed values, then every index 1..138 the record gives a value for
    // (`valueOf` may rewrite a value before it is stored).
    bool writeRow(const QList<SFixedValue>& fixed, const std::function<QVariant(int)>& valueOf);
};

class CMinuteLogDB : public CMinuteLogDBBase
{
    Q_OBJECT

public:
    explicit CMinuteLogDB(const QString& strConnectionName, QObject* parent = nullptr);

    bool logValues(const CFanValues& values, int nOperatingHours, int nFilterHours, quint32 nSerialNr,
                   int nFanSupplyCharac, int nFanExtractCharac, quint32 nCmdsSucceeded, quint32 nCmdsFailed,
                   const QDateTime& minute, int nRSSI);
};

class CMinuteLogDB70 : public CMinuteLogDBBase
{
    Q_OBJECT

public:
    explicit CMinuteLogDB70(const QString& strConnectionName, QObject* parent = nullptr);

    // The two counters are accepted for the caller's symmetry; the plus table has no column for them.
    bool logValues(const CFanValues70& values, int nOperatingHours, quint32 nSerialNr, quint32 nUnused1,
                   quint32 nUnused2, const QDateTime& minute);
};
