#include "GraphicsDB.h"

#include "DataDict.h"
#include "SecLogDBBase.h"
#include "SqliteError.h"

#include <QDebug>
#include <QSqlDriver>

#include <cmath>
#include <memory>
#include <sqlite3.h>

namespace
{
sqlite3* sqliteHandle(const QSqlDatabase& db)
{
    const QVariant handle = db.isOpen() ? db.driver()->handle() : QVariant();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0)
        return nullptr;
    return *static_cast<sqlite3* const*>(handle.constData());
}

// The value as a number, as QVariant::toDouble would give it.
double numberOf(sqlite3_stmt* pStatement, int nColumn)
{
    switch (sqlite3_column_type(pStatement, nColumn))
    {
    case SQLITE_INTEGER:
        return double(sqlite3_column_int64(pStatement, nColumn));
    case SQLITE_FLOAT:
        return sqlite3_column_double(pStatement, nColumn);
    case SQLITE_TEXT:
    {
        bool bOk = false;
        const double dValue =
            QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(pStatement, nColumn)),
                              sqlite3_column_bytes(pStatement, nColumn))
                .toDouble(&bOk);
        return bOk ? dValue : NAN;
    }
    default:
        return NAN;
    }
}
} // namespace

CGraphicsDB::CGraphicsDB(QObject* parent) : CDBBase(TK_NONE, QStringLiteral("UIThread2"), true, parent) {}

bool CGraphicsDB::createTable()
{
    return true;
}

bool CGraphicsDB::isFieldSelected(int nIndex)
{
    return nIndex == DDI_LogTimestamp || m_fields.contains(nIndex);
}

void CGraphicsDB::addField(int nIndex)
{
    m_fields.insert(nIndex);
}

void CGraphicsDB::removeField(int nIndex)
{
    m_fields.remove(nIndex);
}

QString CGraphicsDB::statementForTable(qint64 nSerialNr, int nTableKind, int nTimeSpan)
{
    m_nTableKind = nTableKind;
    QString strCondition;
    switch (nTableKind)
    {
    case TK_VALUE_LOGS:
    case TK_VALUE_LOGS_70:
        break;
    case TK_SEC_LOGS:
    case TK_SEC_LOGS_70:
        strCondition = CSecLogDBBase::makeTimeSpanCondition(nTimeSpan);
        break;
    default:
        return QString();
    }
    QList<int> selected;
    return selectStatement(nSerialNr, strCondition, selected);
}

bool CGraphicsDB::readRows(qint64 nSerialNr, int nTableKind, int nTimeSpan,
                           const std::function<void(qint64, double)>& reader)
{
    const QString strStatement = statementForTable(nSerialNr, nTableKind, nTimeSpan);
    sqlite3* pDb = sqliteHandle(m_db);
    if (strStatement.isEmpty() || !pDb)
        return false;
    qDebug() << "CGraphicsDB::readRows" << strStatement;

    // Straight through SQLite: a year of minute rows takes a third of the time it takes
    // through QSqlQuery, and no row is kept.
    sqlite3_stmt* pPrepared = nullptr;
    const QByteArray statement = strStatement.toUtf8();
    const int nPrepared =
        sqlite3_prepare_v2(pDb, statement.constData(), statement.size(), &pPrepared, nullptr);
    std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt*)> pStatement(pPrepared, sqlite3_finalize);
    if (nPrepared != SQLITE_OK)
    {
        qDebug() << "CGraphicsDB::readRows:" << sqlite3_errmsg(pDb);
        return false;
    }
    if (sqlite3_column_count(pStatement.get()) < 2)
        return true;

    int nStep = SQLITE_ROW;
    while ((nStep = sqlite3_step(pStatement.get())) == SQLITE_ROW)
        reader(sqlite3_column_int64(pStatement.get(), 0), numberOf(pStatement.get(), 1));
    if (nStep != SQLITE_DONE)
    {
        reportReadFailure(sqliteError(pDb));
        return false;
    }
    return true;
}
