#pragma once

#include <QString>

class QSqlError;

// Rebuilds a log file whose tables read whole while a tree built from them (a key index) is
// damaged: every table's rows are read through the table's own tree into a new database, whose
// indexes SQLite builds anew, and that database is copied over the file in one transaction, in
// place, so the file keeps its owner, mode and links. REINDEX cannot do this: it has to walk the
// damaged tree to clear it.
class CLogFileRebuild
{
public:
    // No error when the file was rebuilt. Otherwise SQLite's error (a damage where a table itself
    // does not read whole), and the file is as it was.
    static QSqlError rebuild(const QString& strPath);
};
