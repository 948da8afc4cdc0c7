#pragma once

#include <QString>

class QSqlError;

// A log file SQLite finds damaged when it is opened and first read ("database disk image is
// malformed", "file is not a database") would stop every start. Before any connection of the
// program opens it, it is read once; a damaged file is renamed aside with its write-ahead log,
// index and journal, and the program starts on a new file. Any other failure (locked, busy,
// read-only, full disk, input/output) leaves the file where it is.
class CLogFileCheck
{
public:
    struct SOutcome
    {
        // SQLite's text of the damage; empty when none was found.
        QString strDamage;
        // Where the file went; empty when it stays.
        QString strKeptAs;
        // Why a damaged file could not be renamed.
        QString strFailure;
    };

    static SOutcome setAsideIfDamaged(const QString& strPath);

    static bool isDamage(const QSqlError& error);

private:
    // The first error of opening the file and reading its schema and every table; none when
    // the file cannot be read as the program would read it.
    static QSqlError firstReadError(const QString& strPath);
};
