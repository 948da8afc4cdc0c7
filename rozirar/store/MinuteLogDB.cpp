#include "MinuteLogDB.h"

#include "DataDict.h"
#include "FanValues.h"
#include "FanValues70.h"
#include "LocalTimeParser.h"
#include "StoreMessages.h"

#include <QDebug>
#include <QSqlError>
#include <QSqlQuery>

#include <algorithm>

namespace
{
QString column(int nIndex)
{
    return CDataDict::instance()->getText(nIndex, CDataDict::COL_COLUMN_NAME);
}

// A value as SQLite should store it for the entry's type: flags as 0/1, unsigned counters as
// 64-bit integers (the driver would bind those as text), everything else as it comes.
QVariant storedValue(int nIndex, const QVariant& value)
{
    if (CDataDict::instance()->getType(nIndex) == CDataDict::VT_FLAG)
        return value.toBool() ? 1 : 0;
    switch (int(value.type()))
    {
    case QMetaType::UInt:
    case QMetaType::ULongLong:
        return value.toLongLong();
    case QMetaType::Bool:
        return value.toBool() ? 1 : 0;
    default:
        return value;
    }
}
} // namespace

CMinuteLogDBBase::CMinuteLogDBBase(int nTableKind, const QString& strConnectionName, QObject* parent)
    : CDBBase(nTableKind, strConnectionName, false, parent)
{
}

bool CMinuteLogDBBase::createTable()
{
    return ensureTableAndColumns(
        QStringLiteral("CREATE TABLE %1 (%2 int, %3 int, PRIMARY KEY(%2,%3) );")
            .arg(getTableName(), column(DDI_LogTimestamp), column(DDI_SerialNumber)));
}

QString CMinuteLogDBBase::makeDayCondition(const QDate& date)
{
    if (!date.isValid())
        return QString();
    // A range of the key column, so the day is found through the primary key instead of
    // converting every stored time stamp to a local date. Its ends are the starts of two dates as
    // the zone's own data gives them, the same for the day before and the day after.
    CLocalTimeParser zone;
    return QStringLiteral("(%1 >= %2 AND %1 < %3)")
        .arg(column(DDI_LogTimestamp))
        .arg(zone.startOfDate(date))
        .arg(zone.startOfDate(date.addDays(1)));
}

void CMinuteLogDBBase::setupQueryModelForDay(QSqlQueryModel& model, const QDate& date, qint64 nSerialNr)
{
    setupQueryModel(model, nSerialNr, makeDayCondition(date));
}

void CMinuteLogDBBase::getLoggedDays(QList<QDate>& list, qint64 nSerialNr)
{
    // One key probe per logged day: the first row at or after the start of the next day.
    QSqlQuery query(m_db);
    if (!query.prepare(QStringLiteral("SELECT %1 FROM %2 WHERE %1 >= :from AND %3 = :snr ORDER BY %1 LIMIT 1")
                           .arg(column(DDI_LogTimestamp), getTableName(), column(DDI_SerialNumber))))
    {
        reportReadFailure(statementError(query, m_db));
        return;
    }
    CLocalTimeParser zone;
    qint64 nFrom = std::numeric_limits<qint64>::min();
    for (;;)
    {
        query.bindValue(QStringLiteral(":from"), nFrom);
        query.bindValue(QStringLiteral(":snr"), nSerialNr);
        if (!query.exec() || !query.next())
        {
            // A damaged key index would otherwise look like a unit without logged days.
            reportReadFailure(query.lastError());
            return;
        }
        const qint64 nTime = query.value(0).toLongLong();
        const QDate day = QDateTime::fromSecsSinceEpoch(nTime).date();
        list.append(day);
        // Never before the row just found, so each probe moves on whatever the zone does.
        nFrom = std::max(zone.startOfDate(day.addDays(1)), nTime + 1);
    }
}

bool CMinuteLogDBBase::writeRow(const QList<SFixedValue>& fixed, const std::function<QVariant(int)>& valueOf)
{
    QStringList columns;
    QVariantList values;
    for (const SFixedValue& item : fixed)
    {
        columns.append(column(item.nIndex));
        values.append(item.value);
    }
    for (int i = 1; i < CDataDict::ENTRY_COUNT; ++i)
    {
        const QVariant value = valueOf(i);
        if (value.isNull())
            continue;
        columns.append(column(i));
        values.append(storedValue(i, value));
    }

    QStringList placeholders;
    for (int i = 0; i < columns.size(); ++i)
        placeholders.append(QStringLiteral("?"));
    QSqlQuery query(m_db);
    const QString strStatement =
        QStringLiteral("INSERT OR REPLACE INTO %1 (%2) VALUES (%3);")
            .arg(getTableName(), columns.join(QLatin1Char(',')), placeholders.join(QLatin1Char(',')));
    bool bOk = query.prepare(strStatement);
    if (bOk)
    {
        for (const QVariant& value : values)
            query.addBindValue(value);
        bOk = query.exec();
    }
    CStoreMessages& messages = CStoreMessages::instance();
    if (bOk)
        messages.clearRepeatedFailure();
    else
    {
        // The statement names every column of the row: one word too long for any box, so it is
        // kept out of the text and shown on request.
        const QSqlError error = statementError(query, m_db);
        messages.reportRepeatedFailure(
            CStoreMessages::causeOf(error),
            tr("Unable to write the minute values to the log database.\n'%1'").arg(error.text()),
            query.lastQuery());
    }
    return bOk;
}

CMinuteLogDB::CMinuteLogDB(const QString& strConnectionName, QObject* parent)
    : CMinuteLogDBBase(TK_VALUE_LOGS, strConnectionName, parent)
{
}

bool CMinuteLogDB::logValues(const CFanValues& values, int nOperatingHours, int nFilterHours,
                             quint32 nSerialNr, int nFanSupplyCharac, int nFanExtractCharac,
                             quint32 nCmdsSucceeded, quint32 nCmdsFailed, const QDateTime& minute, int nRSSI)
{
    qDebug() << "CMinuteLogDB::logValues: Supply Temp:" << values.getSupplyTempVirt();
    const QList<SFixedValue> fixed = {
        {DDI_LogTimestamp, minute.toSecsSinceEpoch()},
        {DDI_OperatingHours, nOperatingHours},
        {DDI_FilterHours, nFilterHours},
        {DDI_SerialNumber, qint64(nSerialNr)},
        {DDI_FanSupplyCharac, nFanSupplyCharac},
        {DDI_FanExtractCharac, nFanExtractCharac},
        {DDI_FanCmdsSucceeded, qint64(nCmdsSucceeded)},
        {DDI_FanCmdsFailed, qint64(nCmdsFailed)},
        {DDI_RSSI, nRSSI},
    };
    return writeRow(fixed,
                    [&values](int nIndex)
                    {
                        const QVariant value = values.getValue(nIndex);
                        // The unit reports the largest 2nd-room setting as 90 m³/h; the row keeps it as 100.
                        if (nIndex == DDI_Max2ndRoomExtract && value == QVariant(90))
                            return QVariant(100);
                        return value;
                    });
}

CMinuteLogDB70::CMinuteLogDB70(const QString& strConnectionName, QObject* parent)
    : CMinuteLogDBBase(TK_VALUE_LOGS_70, strConnectionName, parent)
{
}

bool CMinuteLogDB70::logValues(const CFanValues70& values, int nOperatingHours, quint32 nSerialNr, quint32,
                               quint32, const QDateTime& minute)
{
    const QList<SFixedValue> fixed = {
        {DDI_LogTimestamp, minute.toSecsSinceEpoch()},
        {DDI_OperatingHours, nOperatingHours},
        {DDI_SerialNumber, qint64(nSerialNr)},
    };
    return writeRow(fixed, [&values](int nIndex) { return values.getValue(nIndex); });
}
