#pragma once

#include "AppSettings.h"

#include <QList>
#include <QString>

#include <functional>

// Qt reads every settings file whole at the first settings object, and some damage (a value
// claiming more entries than memory holds) ends the program as soon as a value of that file is
// looked up, at every start; a FIFO in a file's place stops it before the window. So each file
// the settings will read is first read in a child process, for a bounded time. A damaged file is
// renamed aside; one that cannot be renamed, is no regular file or was not read in time is left
// out for this run, and with it every file but the program's own (or every file, when it is the
// program's own). The user is told in one box.
class CSettingsCheck
{
public:
    enum EReason
    {
        KEPT_ASIDE,
        NOT_RENAMED,
        NOT_REGULAR,
        NOT_READ_IN_TIME
    };
    struct SFinding
    {
        QString strPath;
        EReason eReason;
        QString strKeptAs; // with KEPT_ASIDE
    };

    static constexpr int READ_LIMIT_MS = 5000;

    CSettingsCheck();

    // Test hooks: the clock and the pause of the wait for a child, and the read a child does.
    void setClock(std::function<qint64()> milliseconds, std::function<void(int)> sleep);
    void setRead(std::function<void(const QString&)> read);

    // Checks every file the settings read and sets the sources of this run (CAppSettings). Forks:
    // call it while this process has no other thread.
    void run();

    const QList<SFinding>& findings() const { return m_findings; }
    CAppSettings::ESources sources() const { return m_eSources; }
    // What the user is told, in the current translation; empty when every file was read.
    QString report() const;

    // What Qt does with a settings file at the first look-up of its values.
    static void readSettingsFile(const QString& strPath);

private:
    enum ERead
    {
        READ,
        UNREADABLE,
        TIMED_OUT
    };

    ERead readInChild(const QString& strPath) const;
    static QString findingText(const SFinding& finding);

    std::function<qint64()> m_milliseconds;
    std::function<void(int)> m_sleep;
    std::function<void(const QString&)> m_read;
    QList<SFinding> m_findings;
    CAppSettings::ESources m_eSources = CAppSettings::ALL_FILES;
};
