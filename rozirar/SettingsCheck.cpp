#include "SettingsCheck.h"

#include "SetAside.h"

#include <QCoreApplication>
#include <QFile>
#include <QSettings>
#include <QStandardPaths>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

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
    return setAside(strPath);
}
