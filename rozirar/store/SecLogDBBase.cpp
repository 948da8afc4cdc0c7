#include "SecLogDBBase.h"

#include "DataDict.h"
#include "FanValues.h"

#include <QDebug>
#include <QSqlError>
#include <QSqlQuery>

namespace
{
QString column(int nIndex)
{
    return CDataDict::instance()->getText(nIndex, CDataDict::COL_COLUMN_NAME);
}

bool isSpan(int nTimeSpan)
{
    return nTimeSpan >= 0 && nTimeSpan <= 2;
}
} // namespace

CSecLogDBBase::CSecLogDBBase(int nTableKind, const QString& strConnectionName, QObject* parent)
    : CDBBase(nTableKind, strConnectionName, false, parent)
{
}

bool CSecLogDBBase::createTable()
{
    return ensureTableAndColumns(
        QStringLiteral("CREATE TABLE %1 (%2 int, %3 int, %4 int, PRIMARY KEY(%2,%3,%4) );")
            .arg(getTableName(), column(DDI_LogTimestamp), column(DDI_LogEntryTimeSpan),
                 column(DDI_SerialNumber)));
}

bool CSecLogDBBase::isFieldSelected(int nIndex)
{
    return nIndex != DDI_LogEntryTimeSpan && CDBBase::isFieldSelected(nIndex);
}

int CSecLogDBBase::getTimeSpanSecs(int nTimeSpan)
{
    static const int SECS[] = {900, 86400, 2592000};
    return isSpan(nTimeSpan) ? SECS[nTimeSpan] : 0;
}

qint64 CSecLogDBBase::entryStampInMinute(qint64 nMinute, int nTimeSpan)
{
    const qint64 nSpanSecs = getTimeSpanSecs(nTimeSpan);
    if (nSpanSecs == 0)
        return nMinute;
    const qint64 nToEntry = (nSpanSecs / 2 - nMinute % nSpanSecs + 2 * nSpanSecs) % nSpanSecs;
    return nToEntry < 60 ? nMinute + nToEntry : nMinute;
}

QString CSecLogDBBase::makeTimeSpanCondition(int nTimeSpan)
{
    return QStringLiteral("\"%1\"=%2").arg(column(DDI_LogEntryTimeSpan)).arg(nTimeSpan);
}

void CSecLogDBBase::setupQueryModelForTimeSpan(QSqlQueryModel& model, int nTimeSpan, qint64 nSerialNr)
{
    setupQueryModel(model, nSerialNr, makeTimeSpanCondition(nTimeSpan));
}

bool CSecLogDBBase::deleteSecLogValues(int nTimeSpan)
{
    QSqlQuery query(m_db);
    const bool bOk = query.exec(
        QStringLiteral("DELETE FROM %1 WHERE %2;").arg(getTableName(), makeTimeSpanCondition(nTimeSpan)));
    if (!bOk)
        qDebug() << "CSecLogDBBase::deleteSecLogValues:" << query.lastError().text();
    return bOk;
}

int CSecLogDBBase::durationSecs(int nRaw, int nTimeSpan)
{
    // Counters run in minutes, hours or days.
    static const int UNIT_SECS[] = {60, 3600, 86400};
    return isSpan(nTimeSpan) ? nRaw * UNIT_SECS[nTimeSpan] : 0;
}

int CSecLogDBBase::water(int nRaw, int nTimeSpan)
{
    // 1 g, 128 g or 4096 g per count.
    static const int GRAMS[] = {1, 128, 4096};
    return isSpan(nTimeSpan) ? nRaw * GRAMS[nTimeSpan] : 0;
}

QStringList CSecLogDBBase::columnNames(const QVector<int>& indices)
{
    QStringList names;
    for (int nIndex : indices)
        names.append(column(nIndex));
    return names;
}

QString CSecLogDBBase::errorText(unsigned int nErrorCode)
{
    const int nIndex = CFanValues::getErrorIndex(nErrorCode);
    if (nIndex < 0)
        return QStringLiteral("");
    return CDataDict::instance()->getText(nIndex, CDataDict::COL_ABBREVIATION);
}

double CSecLogDBBase::oneDecimal(double dValue)
{
    return QString::number(dValue, 'f', 1).toDouble();
}

int CSecLogDBBase::roundEnergy(double dValue)
{
    // Half up and cut towards zero, as the rows stored so far were rounded.
    return int(dValue + 0.5); // NOLINT(bugprone-incorrect-roundings)
}

bool CSecLogDBBase::saveRows(const QStringList& columns, int nCount, int nTimeSpan, QDateTime& rTimestamp,
                             const std::function<QVariantList(int, qint64)>& rowOf)
{
    const qint64 nSpanSecs = getTimeSpanSecs(nTimeSpan);
    const qint64 nFirst = rTimestamp.toSecsSinceEpoch();
    qint64 nStored = 0;
    QList<QVariantList> rows;
    for (int i = 0; i < nCount; ++i)
    {
        QVariantList row = rowOf(i, nFirst + nStored * nSpanSecs);
        if (row.isEmpty())
            continue;
        rows.append(row);
        ++nStored;
    }
    // Whatever happens below, the next chunk starts after the entries of this one.
    rTimestamp = rTimestamp.addSecs(nStored * nSpanSecs);
    if (rows.isEmpty())
        return true;

    QStringList placeholders;
    for (int i = 0; i < columns.size(); ++i)
        placeholders.append(QStringLiteral("?"));
    const QString strStatement =
        QStringLiteral("INSERT OR REPLACE INTO  %1 (%2) VALUES (%3);")
            .arg(getTableName(), columns.join(QLatin1Char(',')), placeholders.join(QLatin1Char(',')));
    bool bOk = m_db.transaction();
    QSqlQuery* pQuery = bOk ? preparedStatement(strStatement) : nullptr;
    bOk = pQuery != nullptr;
    for (int r = 0; bOk && r < rows.size(); ++r)
    {
        for (int c = 0; c < rows[r].size(); ++c)
            pQuery->bindValue(c, rows[r][c]);
        bOk = pQuery->exec();
    }
    if (bOk)
        bOk = m_db.commit();
    if (!bOk)
    {
        qDebug() << "CSecLogDBBase::saveSecLogValues:" << strStatement;
        qDebug() << "CSecLogDBBase::saveSecLogValues:" << (pQuery ? pQuery->lastError().text() : QString())
                 << m_db.lastError().text();
        m_db.rollback();
    }
    return bOk;
}
