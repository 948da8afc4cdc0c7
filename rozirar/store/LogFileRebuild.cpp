#include "LogFileRebuild.h"

#include "SqliteError.h"

#include <QSqlError>
#include <QStringList>

#include <memory>

namespace
{
// The start waits as briefly for another program's lock as the user-interface thread does.
constexpr int BUSY_TIMEOUT_MS = 500;

using UDatabase = std::unique_ptr<sqlite3, int (*)(sqlite3*)>;
using UStatement = std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt*)>;

UStatement prepared(sqlite3* pDb, const QString& strStatement)
{
    sqlite3_stmt* pStatement = nullptr;
    sqlite3_prepare_v2(pDb, strStatement.toUtf8().constData(), -1, &pStatement, nullptr);
    return UStatement(pStatement, sqlite3_finalize);
}

// Runs the statement to its end; the texts of each row's columns go to pRows.
bool run(sqlite3* pDb, const QString& strStatement, QList<QStringList>* pRows = nullptr)
{
    const UStatement pStatement = prepared(pDb, strStatement);
    if (!pStatement)
        return false;
    int nStep = SQLITE_ROW;
    while ((nStep = sqlite3_step(pStatement.get())) == SQLITE_ROW)
    {
        QStringList row;
        for (int i = 0; i < sqlite3_column_count(pStatement.get()); ++i)
            row.append(
                QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(pStatement.get(), i))));
        if (pRows)
            pRows->append(row);
    }
    return nStep == SQLITE_DONE;
}

QString quoted(QString strName)
{
    return QLatin1Char('"') + strName.replace(QLatin1Char('"'), QLatin1String("\"\"")) + QLatin1Char('"');
}

// The sound copy: the file's schema, its tables' rows read through the tables alone, its
// indexes built anew.
bool copyInto(sqlite3* pCopy, const QString& strPath)
{
    const UStatement pAttach = prepared(pCopy, QStringLiteral("ATTACH ?1 AS damaged"));
    const QByteArray path = strPath.toUtf8();
    if (!pAttach ||
        sqlite3_bind_text(pAttach.get(), 1, path.constData(), path.size(), SQLITE_TRANSIENT) != SQLITE_OK ||
        sqlite3_step(pAttach.get()) != SQLITE_DONE)
        return false;
    QList<QStringList> pageSize;
    if (!run(pCopy, QStringLiteral("PRAGMA damaged.page_size"), &pageSize) || pageSize.isEmpty() ||
        !run(pCopy, QStringLiteral("PRAGMA main.page_size = %1").arg(pageSize[0].value(0).toInt())))
        return false;
    // Tables first, then what is built from them. SQLite's own objects (the indexes of the keys
    // among them) come with the statements that make the tables.
    QList<QStringList> objects;
    if (!run(
            pCopy,
            QStringLiteral("SELECT type, name, sql FROM damaged.sqlite_master WHERE sql IS NOT NULL AND name "
                           "NOT LIKE 'sqlite\\_%' ESCAPE '\\' ORDER BY type <> 'table', rowid"),
            &objects) ||
        !run(pCopy, QStringLiteral("BEGIN")))
        return false;
    for (const QStringList& object : objects)
    {
        if (!run(pCopy, object[2]))
            return false;
        // The WHERE keeps SQLite from copying the trees whole, the damaged index with them.
        if (object[0] == QLatin1String("table") &&
            !run(pCopy, QStringLiteral("INSERT INTO main.%1 SELECT * FROM damaged.%1 NOT INDEXED WHERE 1")
                            .arg(quoted(object[1]))))
            return false;
    }
    return run(pCopy, QStringLiteral("COMMIT")) && run(pCopy, QStringLiteral("DETACH damaged"));
}
} // namespace

QSqlError CLogFileRebuild::rebuild(const QString& strPath)
{
    sqlite3* pHandle = nullptr;
    // A temporary file of SQLite's, gone when closed: a year of rows is too much for memory.
    sqlite3_open_v2("", &pHandle, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    const UDatabase pCopy(pHandle, sqlite3_close);
    if (!pCopy)
        return QSqlError(QStringLiteral("QSQLITE"), QStringLiteral("out of memory"),
                         QSqlError::ConnectionError);
    sqlite3_busy_timeout(pCopy.get(), BUSY_TIMEOUT_MS);
    if (!copyInto(pCopy.get(), strPath))
        return sqliteError(pCopy.get());

    pHandle = nullptr;
    sqlite3_open_v2(strPath.toUtf8().constData(), &pHandle, SQLITE_OPEN_READWRITE, nullptr);
    const UDatabase pFile(pHandle, sqlite3_close);
    if (!pFile)
        return QSqlError(QStringLiteral("QSQLITE"), QStringLiteral("out of memory"),
                         QSqlError::ConnectionError);
    sqlite3_busy_timeout(pFile.get(), BUSY_TIMEOUT_MS);
    // Page by page over the file, in one transaction of the file's own journal or log.
    sqlite3_backup* pBackup = sqlite3_backup_init(pFile.get(), "main", pCopy.get(), "main");
    if (!pBackup)
        return sqliteError(pFile.get());
    const int nStep = sqlite3_backup_step(pBackup, -1);
    // Leaves the error of the copy, if any, on the file's connection.
    if (sqlite3_backup_finish(pBackup) != SQLITE_OK || nStep != SQLITE_DONE)
        return sqliteError(pFile.get());
    return QSqlError();
}
