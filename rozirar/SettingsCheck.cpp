#include "SettingsCheck.h"

#include "SetAside.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSettings>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace
{
constexpr int CHILD_POLL_MS = 10;

pid_t waitForChild(pid_t child, int& nStatus, int nOptions)
{
    pid_t done = 0;
    do
        done = ::waitpid(child, &nStatus, nOptions);
    while (done < 0 && errno == EINTR);
    return done;
}

QString native(const QString& strPath)
{
    return QDir::toNativeSeparators(strPath);
}
} // namespace

CSettingsCheck::CSettingsCheck()
    : m_milliseconds(
          []
          {
              return qint64(std::chrono::duration_cast<std::chrono::milliseconds>(
                                std::chrono::steady_clock::now().time_since_epoch())
                                .count());
          }),
      m_sleep([](int nMs) { std::this_thread::sleep_for(std::chrono::milliseconds(nMs)); }),
      m_read(&CSettingsCheck::readSettingsFile)
{
}

void CSettingsCheck::setClock(std::function<qint64()> milliseconds, std::function<void(int)> sleep)
{
    m_milliseconds = std::move(milliseconds);
    m_sleep = std::move(sleep);
}

void CSettingsCheck::setRead(std::function<void(const QString&)> read)
{
    m_read = std::move(read);
}

void CSettingsCheck::readSettingsFile(const QString& strPath)
{
    QSettings(strPath, QSettings::IniFormat).allKeys();
}

CSettingsCheck::ERead CSettingsCheck::readInChild(const QString& strPath) const
{
    const pid_t child = ::fork();
    if (child < 0)
        return READ; // unchecked, as without the check
    if (child == 0)
    {
        // A failed read just ends the child, whatever handlers the process installed; what it
        // prints is of no use to the user.
        for (int nSignal : {SIGABRT, SIGSEGV, SIGBUS})
            ::signal(nSignal, SIG_DFL);
        const int nNull = ::open("/dev/null", O_WRONLY);
        if (nNull >= 0)
            ::dup2(nNull, STDERR_FILENO);
        try
        {
            m_read(strPath);
        }
        catch (...)
        {
            // The child must not return into the caller's code.
            ::_exit(1);
        }
        ::_exit(0);
    }
    const qint64 start = m_milliseconds();
    int nStatus = 0;
    for (;;)
    {
        const pid_t done = waitForChild(child, nStatus, WNOHANG);
        if (done == child)
            return WIFEXITED(nStatus) && WEXITSTATUS(nStatus) == 0 ? READ : UNREADABLE;
        if (done < 0)
            return READ; // the child is not ours to wait for: unchecked
        if (m_milliseconds() - start >= READ_LIMIT_MS)
            break;
        m_sleep(CHILD_POLL_MS);
    }
    ::kill(child, SIGKILL);
    waitForChild(child, nStatus, 0);
    return TIMED_OUT;
}

void CSettingsCheck::run()
{
    m_findings.clear();
    m_eSources = CAppSettings::ALL_FILES;
    const QStringList files = CAppSettings::readFiles();
    bool bOwnLeftOut = false;
    for (const QString& strPath : files)
    {
        struct stat info;
        if (::stat(QFile::encodeName(strPath).constData(), &info) != 0)
            continue; // absent, or out of Qt's reach as well
        SFinding finding{strPath, NOT_REGULAR, QString()};
        if (S_ISREG(info.st_mode))
        {
            const ERead eRead = readInChild(strPath);
            if (eRead == READ)
                continue;
            if (eRead == TIMED_OUT)
                finding.eReason = NOT_READ_IN_TIME;
            else
            {
                finding.strKeptAs = setAside(strPath);
                finding.eReason = finding.strKeptAs.isEmpty() ? NOT_RENAMED : KEPT_ASIDE;
            }
        }
        if (finding.eReason != KEPT_ASIDE)
        {
            bOwnLeftOut = bOwnLeftOut || strPath == files.first();
            m_eSources = CAppSettings::OWN_FILE_ONLY;
        }
        m_findings.append(finding);
    }
    if (bOwnLeftOut)
        m_eSources = CAppSettings::NO_FILE;
    CAppSettings::setSources(m_eSources);
}

QString CSettingsCheck::findingText(const SFinding& finding)
{
    switch (finding.eReason)
    {
    case KEPT_ASIDE:
        if (finding.strPath == CAppSettings::ownPath())
            return QCoreApplication::translate("main", "The settings could not be read. The file was kept as "
                                                       "'%1'; the default settings are used.")
                .arg(native(finding.strKeptAs));
        return QCoreApplication::translate("main",
                                           "The settings file '%1' could not be read. It was kept as '%2'.")
            .arg(native(finding.strPath), native(finding.strKeptAs));
    case NOT_RENAMED:
        return QCoreApplication::translate("main", "The settings file '%1' could not be read, nor renamed.")
            .arg(native(finding.strPath));
    case NOT_REGULAR:
        return QCoreApplication::translate("main", "The settings file '%1' is not a regular file.")
            .arg(native(finding.strPath));
    case NOT_READ_IN_TIME:
        return QCoreApplication::translate("main",
                                           "The settings file '%1' could not be read within %2 seconds.")
            .arg(native(finding.strPath))
            .arg(READ_LIMIT_MS / 1000);
    }
    return QString();
}

QString CSettingsCheck::report() const
{
    QStringList paragraphs;
    for (const SFinding& finding : m_findings)
        paragraphs << findingText(finding);
    if (m_eSources == CAppSettings::OWN_FILE_ONLY)
        paragraphs << QCoreApplication::translate("main",
                                                  "In this run only the program's own settings file is read; "
                                                  "every organisation-wide and system-wide settings file is "
                                                  "left out.");
    else if (m_eSources == CAppSettings::NO_FILE)
        paragraphs << QCoreApplication::translate("main",
                                                  "In this run no settings file is read: the default "
                                                  "settings are used, and settings changed now are not "
                                                  "kept.");
    return paragraphs.join(QStringLiteral("\n\n"));
}
