#include "LogFileCheck.h"

#include "LogFileAccess.h"
#include "SetAside.h"

#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <QVariant>

#include <sqlite3.h>

namespace
{
const char* const CHECK_CONNECTION = "LogFileCheck";
// The start waits as briefly for another program's lock as the user-interface thread does.
const char* const CHECK_CONNECT_OPTIONS = "QSQLITE_BUSY_TIMEOUT=500";

QSqlError errorOf(const QSqlQuery& query, const QSqlDatabase& db)
{
    return query.lastError().type() != QSqlError::NoError ? query.lastError() : db.lastError();
}

// Counting the rows walks every page of a table's tree.
QSqlError readEveryTable(QSqlDatabase& db)
{
    if (!db.open())
        return db.lastError();
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table'")))
        return errorOf(query, db);
    QStringList tables;
    while (query.next())
        tables.append(query.value(0).toString());
    if (query.lastError().type() != QSqlError::NoError)
        return errorOf(query, db);
    for (QString strTable : tables)
    {
        strTable.replace(QLatin1Char('"'), QLatin1String("\"\""));
        if (!query.exec(QStringLiteral("SELECT count(*) FROM \"%1\"").arg(strTable)) || !query.next())
            return errorOf(query, db);
    }
    return QSqlError();
}
} // namespace

bool CLogFileCheck::isDamage(const QSqlError& error)
{
    bool bNumber = false;
    const int nCode = error.nativeErrorCode().toInt(&bNumber) & 0xFF;
    return bNumber && (nCode == SQLITE_CORRUPT || nCode == SQLITE_NOTADB);
}

QSqlError CLogFileCheck::firstReadError(const QString& strPath)
{
    const bool bWritable = CLogFileAccess::canWriteFolderOf(strPath);
    // Read alone, the file may lack what only its log holds: not a damage.
    if (!bWritable && CLogFileAccess::hasUnindexedLog(strPath))
        return QSqlError();
    QSqlError error;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), CHECK_CONNECTION);
        db.setConnectOptions(CHECK_CONNECT_OPTIONS);
        // Read-only: the check changes nothing, neither the file nor a side file of it.
        if (bWritable)
            CLogFileAccess::setReadOnly(db, strPath, false);
        else
            CLogFileAccess::setReadOnlyName(db, strPath);
        error = readEveryTable(db);
        db.close();
    }
    QSqlDatabase::removeDatabase(CHECK_CONNECTION);
    return error;
}

CLogFileCheck::SOutcome CLogFileCheck::setAsideIfDamaged(const QString& strPath)
{
    SOutcome outcome;
    if (!QFileInfo(strPath).isFile())
        return outcome;
    const QSqlError error = firstReadError(strPath);
    if (!isDamage(error))
        return outcome;
    outcome.strDamage = error.databaseText();
    outcome.strKeptAs =
        setAside(strPath, {QStringLiteral("-wal"), QStringLiteral("-shm"), QStringLiteral("-journal")},
                 &outcome.strFailure);
    return outcome;
}
