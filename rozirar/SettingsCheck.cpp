#include "SettingsCheck.h"

#include <QCoreApplication>
#include <QFile>
#include <QSettings>
#include <QStandardPaths>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace
{
// The first name tried for a damaged file; a number follows when it is taken.
const char* const KEPT_SUFFIX = ".damaged";
constexpr int MAX_KEPT_FILES = 100;
} // namespace

QString CSettingsCheck::settingsPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QLatin1Char('/') +
           QCoreApplication::organizationName() + QLatin1Char('/') + QCoreApplication::applicationName() +
           QLatin1String(".conf");
}

bool CSettingsCheck::isReadable(const QString& strPath)
{
    const pid_t child = ::fork();
    if (child < 0)
        return true; // unchecked, as without the check
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
            QSettings(strPath, QSettings::IniFormat).allKeys();
        }
        catch (...)
        {
            // The child must not return into the caller's code.
            ::_exit(1);
        }
        ::_exit(0);
    }
    int nStatus = 0;
    pid_t done = 0;
    do
        done = ::waitpid(child, &nStatus, 0);
    while (done < 0 && errno == EINTR);
    return done == child && WIFEXITED(nStatus) && WEXITSTATUS(nStatus) == 0;
}

QString CSettingsCheck::setAsideIfUnreadable(const QString& strPath)
{
    if (!QFile::exists(strPath) || isReadable(strPath))
        return QString();
    // Renamed, never overwriting an earlier kept file: the user's settings stay whole.
    for (int i = 1; i <= MAX_KEPT_FILES; ++i)
    {
        QString strKept = strPath + QLatin1String(KEPT_SUFFIX);
        if (i > 1)
            strKept += QStringLiteral("-%1").arg(i);
        if (!QFile::exists(strKept) && QFile::rename(strPath, strKept))
            return strKept;
    }
    return QString();
}
