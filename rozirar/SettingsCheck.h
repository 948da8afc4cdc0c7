#pragma once

#include "AppSettings.h"

#include <QList>
#include <QString>

#include <functional>

// Qt reads every settings file whole at the first settings object, and some damage (a value
// claiming more entries than memory holds) ends the program as soon as a value of that file is
// looked up, at every start; a FIFO in a file's place stops it before the window, and so does a
// link onto a stalled network mount at the first look. So every look at a file the settings will
// read (finding it, reading it, renaming it) is made in a child process, for a bounded time per
// file. A damaged file is renamed aside; one that cannot be renamed, is no regular file or was not
// done with in time is left out for this run, and with it every file but the program's own (or
// every file, when it is the program's own): then no further file is looked at. The user is told
// in one box.
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

    // What a child finds at a path.
    enum EKind
    {
        ABSENT, // or out of Qt's reach as well
        REGULAR,
        NOT_A_FILE
    };

    static constexpr int READ_LIMIT_MS = 5000;

    CSettingsCheck();

    // Test hooks: the clock and the pause of the wait for a child, and what a child does with a
    // file: find out what it is (by default stat, which follows links as Qt does) and read it.
    void setClock(std::function<qint64()> milliseconds, std::function<void(int)> sleep);
    void setStat(std::function<EKind(const QString&)> stat);
    void setRead(std::function<void(const QString&)> read);

    // Checks every file the settings read and sets the sources of this run (CAppSettings). Forks:
    // call it while this process has no other thread.
    void run();

    const QList<SFinding>& findings() const { return m_findings; }
    CAppSettings::ESources sources() const { return m_eSources; }
    // What the user is told, in the current translation; empty when every file was read.
    QString report() const;

    // What a child does with a file: stat it (following links, as Qt does), then read it as Qt
    // does at the first look-up of its values.
    static EKind statFile(const QString& strPath);
    static void readSettingsFile(const QString& strPath);

private:
    // A child not ended by the deadline (it is killed).
    static constexpr int TIMED_OUT = -1;

    // Runs the job in a child until the deadline (on the clock). Returns the job's exit code (128 +
    // the signal when one ended it), TIMED_OUT, or a negative value when no child could be run. What
    // the job writes to the descriptor it is given comes back in *pOutput.
    int runInChild(const std::function<int(int)>& job, qint64 deadline, QByteArray* pOutput = nullptr) const;
    // Looks at the file in children, within one limit; false when it is read or absent, else true
    // with what was found in `finding`.
    bool check(const QString& strPath, SFinding& finding) const;
    static QString findingText(const SFinding& finding);

    std::function<qint64()> m_milliseconds;
    std::function<void(int)> m_sleep;
    std::function<EKind(const QString&)> m_stat;
    std::function<void(const QString&)> m_read;
    QList<SFinding> m_findings;
    CAppSettings::ESources m_eSources = CAppSettings::ALL_FILES;
};
