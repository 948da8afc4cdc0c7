#pragma once

#include <QString>
#include <QStringList>

class QSqlError;

// A log file SQLite finds damaged when it is opened and first read ("database disk image is
// malformed", "file is not a database") would stop every start, and a damaged index would hide
// stored rows. Before any connection of the program opens it, every page of it is checked once.
// Where only what SQLite builds from the tables is damaged (an index), the file is rebuilt from
// its rows; otherwise a damaged file is renamed aside with its write-ahead log, index and journal,
// and the program starts on a new file. Any other failure (locked, busy, read-only, full disk,
// input/output) leaves the file where it is.
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
        // What SQLite's check found in a file rebuilt from its rows; empty when none was rebuilt.
        QString strRebuilt;
    };

    static SOutcome setAsideIfDamaged(const QString& strPath);

    static bool isDamage(const QSqlError& error);

private:
    // The first error of opening the file and checking its schema and every tree; none when
    // the file cannot be read as the program would read it. What the check found in the trees of
    // a file that reads goes to pProblems.
    static QSqlError firstReadError(const QString& strPath, QStringList* pProblems);
};
