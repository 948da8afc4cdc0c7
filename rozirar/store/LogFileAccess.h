#pragma once

#include <QString>

class QObject;
class QSqlDatabase;

// How a connection opens the log file. SQLite cannot read a file in write-ahead-log mode without
// the log's index ("-shm") beside it, and cannot create one in a folder the user may not write
// (permissions changed, a restored backup). There the file is opened read-only, and immutable
// when no index is there to share: nothing of ours can change it then. The stored logs show;
// every write fails as on any read-only file.
class CLogFileAccess
{
public:
    // Asked with the effective user, the one whose rights the open has.
    static bool canWriteFolderOf(const QString& strPath);

    // Sets the database name and the read-only options of the connection, which has its driver.
    // False when the newest rows cannot be shown and this connection is the first to find that
    // in this program run: the caller tells the user once.
    static bool setReadOnlyName(QSqlDatabase& db, const QString& strPath);
    // Opens the file itself read-only; immutable, SQLite neither looks for nor makes any side file.
    static void setReadOnly(QSqlDatabase& db, const QString& strPath, bool bImmutable);

    static bool isReadOnly(const QSqlDatabase& db);
    // The write-ahead log holds rows and its index is missing: in a folder that cannot be
    // written they show only through the private copy.
    static bool hasUnindexedLog(const QString& strPath);
};
