#include "AppSettings.h"

#include <QCoreApplication>
#include <QSettings>
#include <QStandardPaths>
#include <QStringList>

namespace
{
CAppSettings::ESources g_eSources = CAppSettings::ALL_FILES;

QString fileName(const QString& strFolder, bool bOrganisation)
{
    QString strName = strFolder + QLatin1Char('/') + QCoreApplication::organizationName();
    if (!bOrganisation)
        strName += QLatin1Char('/') + QCoreApplication::applicationName();
    return strName + QLatin1String(".conf");
}
} // namespace

QString CAppSettings::ownPath()
{
    return fileName(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation), false);
}

QStringList CAppSettings::readFiles()
{
    // The folders Qt's settings take: the user's first, then XDG_CONFIG_DIRS (or /etc/xdg).
    QStringList folders = QStandardPaths::standardLocations(QStandardPaths::GenericConfigLocation);
    const QString strUserFolder = folders.isEmpty() ? QString() : folders.takeFirst();
    QStringList files{fileName(strUserFolder, false), fileName(strUserFolder, true)};
    for (const QString& strFolder : qAsConst(folders))
        files << fileName(strFolder, false);
    for (const QString& strFolder : qAsConst(folders))
        files << fileName(strFolder, true);
    return files;
}

void CAppSettings::setSources(ESources eSources)
{
    g_eSources = eSources;
}

CAppSettings::ESources CAppSettings::sources()
{
    return g_eSources;
}

std::unique_ptr<QSettings> CAppSettings::open()
{
    switch (g_eSources)
    {
    case OWN_FILE_ONLY:
        // Opened by its name, Qt reads this one file and no other: turning the fallbacks off on
        // default settings would still read every file once (a FIFO would hang right there).
        return std::make_unique<QSettings>(ownPath(), QSettings::IniFormat);
    case NO_FILE:
        // A name under a file, which no file can ever have and nothing can create.
        return std::make_unique<QSettings>(QStringLiteral("/dev/null/") +
                                               QCoreApplication::applicationName() + QLatin1String(".conf"),
                                           QSettings::IniFormat);
    case ALL_FILES:
        break;
    }
    return std::make_unique<QSettings>();
}
