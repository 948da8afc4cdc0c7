#pragma once

#include <QString>

// Qt reads the settings file whole at its first use, and some damage (a value claiming more
// entries than memory holds) ends the program right there, at every start. So the file is read
// once in a child process first; a file the child cannot read is renamed aside, and the program
// starts on its defaults.
class CSettingsCheck
{
public:
    // The user's settings file of the program, where QSettings looks for it; the organisation
    // and application names must be set.
    static QString settingsPath();
    // The name the file at strPath was renamed to because it cannot be read; empty when it is
    // readable or absent, or when it cannot be renamed. Forks: call it while this process has no
    // other thread.
    static QString setAsideIfUnreadable(const QString& strPath);

private:
    static bool isReadable(const QString& strPath);
};
