#include "UpdaterStartup.h"

#include "CmdLineArgs.h"
#include "CommonTranslations.h"
#include "SingleInstance.h"
#include "maindialog.h"

#include <QApplication>
#include <QDebug>
#include <QDir>
#include <QLocale>
#include <QMessageBox>
#include <QSharedMemory>
#include <QTranslator>
#include <memory>

// Resources of a static library are registered only when initialised by name, from the
// global namespace.
static void initUpdateTranslationResources()
{
    static const bool s_bDone = []
    {
        Q_INIT_RESOURCE(update_translations);
        return true;
    }();
    Q_UNUSED(s_bDone)
}

namespace
{
bool loadUpdateTranslation(QTranslator& rTranslator, const QString& strLocale)
{
    initUpdateTranslationResources();
    return rTranslator.load(QLatin1String(CUpdaterStartup::TRANSLATION_PREFIX) + strLocale,
                            QStringLiteral(":/translations"));
}

void warn(const QString& strText)
{
    QMessageBox::warning(nullptr, QLatin1String(CUpdaterStartup::APPLICATION_NAME), strText, QMessageBox::Ok);
}

// The key is held until the process ends and released at its end: System V segments outlive
// their process, so one never freed would keep both programs out. Returns what the user is told
// when it cannot be held; empty once it is.
QString holdSingleInstanceKey()
{
    static std::unique_ptr<QSharedMemory> s_pInstance;
    if (s_pInstance)
        return QString(); // this process holds it already
    auto pMemory = std::make_unique<QSharedMemory>(QLatin1String(CUpdaterStartup::SINGLE_INSTANCE_KEY));
    switch (acquireSingleInstance(*pMemory))
    {
    case ESingleInstance::HELD:
        s_pInstance = std::move(pMemory);
        return QString();
    case ESingleInstance::OTHER_INSTANCE:
        return QCoreApplication::translate("main", "An instance of Update-tolVane100 or tolVane-Vozudoz is "
                                                   "already running.\nIt is not possible to run more than "
                                                   "one of those applications at the same time.");
    case ESingleInstance::FOLDER_REFUSED:
        break;
    }
    return singleInstanceFolderText(*pMemory);
}
} // namespace

QString CUpdaterStartup::testValuesPath()
{
    return QDir::home().filePath(QStringLiteral("Quorvanix/cormisto70_TestValues.csv"));
}

int CUpdaterStartup::run(const QStringList& arguments)
{
    QCoreApplication::setApplicationName(QLatin1String(APPLICATION_NAME));
    const QString strLocale = QLocale::system().name();
    qDebug() << "strLocale: " << strLocale;

    QTranslator updateTranslator;
    QTranslator commonTranslator;
    loadUpdateTranslation(updateTranslator, strLocale);
    loadCommonTranslation(commonTranslator, strLocale);
    // Installed last, searched first: the shared texts.
    QCoreApplication::installTranslator(&updateTranslator);
    QCoreApplication::installTranslator(&commonTranslator);

    struct SRemoveTranslators
    {
        QTranslator* pUpdate;
        QTranslator* pCommon;
        ~SRemoveTranslators()
        {
            QCoreApplication::removeTranslator(pCommon);
            QCoreApplication::removeTranslator(pUpdate);
        }
    } removeTranslators{&updateTranslator, &commonTranslator};

    const QString strRefusal = holdSingleInstanceKey();
    if (!strRefusal.isEmpty())
    {
        warn(strRefusal);
        return EXIT_CODE_OTHER_INSTANCE;
    }

    CCmdLineArgs args(arguments);
    bool bDebug = false, bInstall = false, bForceBoot = false, bForceApp = false, bFc = false, bOwner = false,
         bAutomatic = false, bFound = false;
    args.getOption(QStringLiteral("d"), &bDebug, false);
    args.getOption(QStringLiteral("m"), &bInstall, false);
    args.getOption(QStringLiteral("fb"), &bForceBoot, false);
    args.getOption(QStringLiteral("fa"), &bForceApp, false);
    args.getOption(QStringLiteral("fc"), &bFc, false);
    args.getOption(QStringLiteral("owner"), &bOwner, false);
    args.getOption(QStringLiteral("ap"), &bAutomatic, false);
    const QString strLanguage = args.getOption(QStringLiteral("l"), &bFound, true);
    const QString strExcludedPort = args.getOption(QStringLiteral("ec"), &bFound, true);
    const QString strSerialNumber = args.getOption(QStringLiteral("sn"), &bFound, true);

    const QString strUnused = args.getUnusedArgs();
    if (!strUnused.isEmpty())
        warn(QCoreApplication::translate("main", "The command line to start this application contains "
                                                 "unrecognized parameters:\n%1\nThey are ignored.")
                 .arg(strUnused));

    if (!strLanguage.isEmpty())
    {
        const bool bLoaded = loadUpdateTranslation(updateTranslator, strLanguage) &&
                             loadCommonTranslation(commonTranslator, strLanguage);
        if (!bLoaded)
        {
            loadUpdateTranslation(updateTranslator, strLocale);
            loadCommonTranslation(commonTranslator, strLocale);
            warn(QCoreApplication::translate("main", "Unable to load translations for locale '%1'.")
                     .arg(strLanguage));
        }
    }

    CMainDialog dialog(bInstall, bForceBoot, bForceApp, bFc, bOwner, bAutomatic, strExcludedPort,
                       strSerialNumber, bDebug, testValuesPath(), nullptr);
    dialog.show();
    return QApplication::exec();
}
