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
// A child that could not be started or waited for.
constexpr int NOT_RUN = -2;
// How the look at a file ends (its child's exit code); any other end: the read failed.
constexpr int LOOK_READ = 0;
constexpr int LOOK_ABSENT = 64;
constexpr int LOOK_NOT_A_FILE = 65;

pid_t waitForChild(pid_t child, int& nStatus, int nOptions)
{
    pid_t done = 0;
    do
        done = ::waitpid(child, &nStatus, nOptions);
    while (done < 0 && errno == EINTR);
    return done;
}

QByteArray readAll(int fd)
{
    QByteArray bytes;
    char buffer[512];
    for (;;)
    {
        const ssize_t n = ::read(fd, buffer, sizeof(buffer));
        if (n > 0)
            bytes.append(buffer, int(n));
        else if (n == 0 || errno != EINTR)
            return bytes;
    }
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
      m_stat(&CSettingsCheck::statFile), m_read(&CSettingsCheck::readSettingsFile)
{
}

void CSettingsCheck::setClock(std::function<qint64()> milliseconds, std::function<void(int)> sleep)
{
    m_milliseconds = std::move(milliseconds);
    m_sleep = std::move(sleep);
}

void CSettingsCheck::setStat(std::function<EKind(const QString&)> stat)
{
    m_stat = std::move(stat);
}

void CSettingsCheck::setRead(std::function<void(const QString&)> read)
{
    m_read = std::move(read);
}

CSettingsCheck::EKind CSettingsCheck::statFile(const QString& strPath)
{
    struct stat info;
    if (::stat(QFile::encodeName(strPath).constData(), &info) != 0)
        return ABSENT;
    return S_ISREG(info.st_mode) ? REGULAR : NOT_A_FILE;
}

void CSettingsCheck::readSettingsFile(const QString& strPath)
{
    QSettings(strPath, QSettings::IniFormat).allKeys();
}

int CSettingsCheck::runInChild(const std::function<int(int)>& job, qint64 deadline, QByteArray* pOutput) const
{
    int output[2] = {-1, -1};
    if (::pipe2(output, O_CLOEXEC) != 0)
        return NOT_RUN;
    const pid_t child = ::fork();
    if (child == 0)
    {
        // A failed read just ends the child, whatever handlers the process installed; what it
        // prints is of no use to the user.
        for (int nSignal : {SIGABRT, SIGSEGV, SIGBUS})
            ::signal(nSignal, SIG_DFL);
        const int nNull = ::open("/dev/null", O_WRONLY);
        if (nNull >= 0)
            ::dup2(nNull, STDERR_FILENO);
        int nCode = 1;
        try
        {
            nCode = job(output[1]);
        }
        catch (...)
        {
            // The child must not return into the caller's code.
        }
        ::_exit(nCode);
    }
    ::close(output[1]);
    int nStatus = 0;
    int nResult = NOT_RUN; // a child that is not ours to wait for
    if (child > 0)
    {
        for (nResult = TIMED_OUT;; m_sleep(CHILD_POLL_MS))
        {
            const pid_t done = waitForChild(child, nStatus, WNOHANG);
            if (done == child)
            {
                nResult = WIFEXITED(nStatus) ? WEXITSTATUS(nStatus) : 128 + WTERMSIG(nStatus);
                break;
            }
            if (done < 0)
            {
                nResult = NOT_RUN;
                break;
            }
            if (m_milliseconds() >= deadline)
                break;
        }
        if (nResult == TIMED_OUT)
        {
            ::kill(child, SIGKILL);
            waitForChild(child, nStatus, 0);
        }
        else if (pOutput)
            *pOutput = readAll(output[0]);
    }
    ::close(output[0]);
    return nResult;
}

bool CSettingsCheck::check(const QString& strPath, SFinding& finding) const
{
    // One limit for every look at the file.
    const qint64 deadline = m_milliseconds() + READ_LIMIT_MS;
    const int nLook = runInChild(
        [this, &strPath](int)
        {
            const EKind eKind = m_stat(strPath);
            if (eKind != REGULAR)
                return eKind == ABSENT ? LOOK_ABSENT : LOOK_NOT_A_FILE;
            m_read(strPath);
            return LOOK_READ;
        },
        deadline);
    // Without a child the file goes unchecked, as without the check.
    if (nLook == LOOK_READ || nLook == LOOK_ABSENT || nLook == NOT_RUN)
        return false;
    finding = SFinding{strPath, NOT_READ_IN_TIME, QString()};
    if (nLook == TIMED_OUT)
        return true;
    if (nLook == LOOK_NOT_A_FILE)
    {
        finding.eReason = NOT_REGULAR;
        return true;
    }
    // Damaged: renamed aside by a child as well, within what is left of the limit.
    QByteArray keptAs;
    const int nSetAside = runInChild(
        [&strPath](int fdOutput)
        {
            const QByteArray name = QFile::encodeName(setAside(strPath));
            return !name.isEmpty() && ::write(fdOutput, name.constData(), size_t(name.size())) == name.size()
                       ? 0
                       : 1;
        },
        deadline, &keptAs);
    if (nSetAside == 0)
    {
        finding.eReason = KEPT_ASIDE;
        finding.strKeptAs = QFile::decodeName(keptAs);
    }
    else if (nSetAside != TIMED_OUT)
        finding.eReason = NOT_RENAMED;
    return true;
}

void CSettingsCheck::run()
{
    m_findings.clear();
    m_eSources = CAppSettings::ALL_FILES;
    const QStringList files = CAppSettings::readFiles();
    for (const QString& strPath : files)
    {
        SFinding finding;
        if (!check(strPath, finding))
            continue;
        m_findings.append(finding);
        if (finding.eReason == KEPT_ASIDE)
            continue;
        // Left out: this settles what the run reads, and no further file is looked at.
        m_eSources = strPath == files.first() ? CAppSettings::NO_FILE : CAppSettings::OWN_FILE_ONLY;
        break;
    }
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
