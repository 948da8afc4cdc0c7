#include "LogFileCheck.h"

#include "LogFileAccess.h"
#include "LogFileRebuild.h"
#include "SetAside.h"
#include "StoreMessages.h"

#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <QVariant>

namespace
{
const char* const CHECK_CONNECTION = "LogFileCheck";
// The start waits as briefly for another program's lock as the user-interface thread does.
const char* const CHECK_CONNECT_OPTIONS = "QSQLITE_BUSY_TIMEOUT=500";

QSqlError errorOf(const QSqlQuery& query, const QSqlDatabase& db)
{
    return query.lastError().type() != QSqlError::NoError ? query.lastError() : db.lastError();
}

// SQLite's quick check walks every page of every tree, the tables' and the indexes', and finds a
// damaged index that reading the rows would not touch. What it finds goes to pProblems.
QSqlError checkEveryTree(QSqlDatabase& db, QStringList* pProblems)
{
    if (!db.open())
        return db.lastError();
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("PRAGMA quick_check")))
        return errorOf(query, db);
    while (query.next())
        if (query.value(0).toString() != QLatin1String("ok"))
            pProblems->append(query.value(0).toString());
    if (query.lastError().type() != QSqlError::NoError)
        return errorOf(query, db);
    return QSqlError();
}
} // namespace

bool CLogFileCheck::isDamage(const QSqlError& error)
{
    return CStoreMessages::causeOf(error) == CStoreMessages::CAUSE_DAMAGED;
}

QSqlError CLogFileCheck::firstReadError(const QString& strPath, QStringList* pProblems)
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
        error = checkEveryTree(db, pProblems);
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
    QStringList problems;
    QSqlError error = firstReadError(strPath, &problems);
    if (!isDamage(error) && problems.isEmpty())
        return outcome;
    if (!isDamage(error) && CLogFileAccess::canWriteFolderOf(strPath))
    {
        // Damaged trees, the file still readable: rebuilt from the tables' rows when they read whole.
        error = CLogFileRebuild::rebuild(strPath);
        if (!error.isValid())
        {
            outcome.strRebuilt = problems.join(QLatin1Char('\n'));
            return outcome;
        }
        // Held by another program, the disk full: the file stays for a later start.
        if (!isDamage(error))
            return outcome;
    }
    outcome.strDamage = isDamage(error) ? error.databaseText() : problems.join(QLatin1Char('\n'));
    outcome.strKeptAs =
        setAside(strPath, {QStringLiteral("-wal"), QStringLiteral("-shm"), QStringLiteral("-journal")},
                 &outcome.strFailure);
    return outcome;
}
