#pragma once

#include <QSqlError>

#include <sqlite3.h>

// The last error of a connection used straight through SQLite, as the Qt driver gives its errors:
// the extended result code as the native code, so a damage is told the same way.
inline QSqlError sqliteError(sqlite3* pDb)
{
    return QSqlError(QStringLiteral("QSQLITE"), QString::fromUtf8(sqlite3_errmsg(pDb)),
                     QSqlError::StatementError, QString::number(sqlite3_extended_errcode(pDb)));
}
