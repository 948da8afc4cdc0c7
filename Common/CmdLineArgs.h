#pragma once

#include <QMap>
#include <QString>
#include <QStringList>

// Reads options given as "-name" or "/name" (any letter case) from the program's arguments
// and remembers which arguments a query took, so that the rest can be listed.
class CCmdLineArgs
{
public:
    CCmdLineArgs();
    // For tests and callers that hold their own argument list (index 0: the program).
    explicit CCmdLineArgs(const QStringList& arguments);

    // Marks every occurrence of the option as used and sets *pbFound (may be null). With bTakesValue the
    // argument after the first occurrence that has one is marked used and returned as is.
    QString getOption(QString strName, bool* pbFound, bool bTakesValue);
    // Every argument nobody asked for, each followed by one blank.
    QString getUnusedArgs() const;

private:
    QStringList m_Arguments;
    QMap<int, bool> m_Used;
};
