#include "Startup.h"

#include "CmdLineArgs.h"
#include "CommonTranslations.h"
#include "Fan.h"
#include "FanPollingThread.h"
#include "FrameResources.h"
#include "LogFileCheck.h"
#include "MainObject.h"
#include "MainWindow.h"
#include "MinuteLogDB.h"
#include "SecLogDB.h"
#include "SecLogDB70.h"
#include "SingleInstance.h"
#include "StoreBoxes.h"
#include "wlantab.h"

#include <QApplication>
#include <QDebug>
#include <QFile>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QScreen>
#include <QSharedMemory>
#include <QTextStream>
#include <QTranslator>

#include <cstdlib>

namespace
{
const char* const APP_NAME = "tolVane-Vozudoz";
const char* const SINGLE_INSTANCE_KEY = "Quorvanix-prevent-multiple-instances";
const char* const UI_CONNECTION = "UIThread";
constexpr int THREAD_STOP_WAIT_MS = 2000;

// By file name in the working folder first, then the copy compiled into the program.
bool loadProgramTranslation(QTranslator& translator, const QString& strLocale)
{
    const QString name = "Quorvanix-rozirar_" + strLocale;
    return translator.load(name) || translator.load(name, ":/translations");
}

// Qt's own texts (standard buttons of message boxes and dialogs) from Qt's translations.
bool loadQtTranslation(QTranslator& translator, const QString& strLocale)
{
    return translator.load("qtbase_" + strLocale, QLibraryInfo::location(QLibraryInfo::TranslationsPath));
}
} // namespace

bool useLocale(const QString& strLocale, QTranslator& program, QTranslator& common, QTranslator& qt)
{
    if (!loadProgramTranslation(program, strLocale) || !loadCommonTranslation(common, strLocale))
        return false;
    loadQtTranslation(qt, strLocale);
    // The text table and the dates follow the default locale, as the translations do.
    QLocale::setDefault(QLocale(strLocale));
    return true;
}

void nameVozudoz()
{
    QCoreApplication::setApplicationName(APP_NAME);
    QCoreApplication::setOrganizationName("Quorvanix");
    QCoreApplication::setOrganizationDomain("quorvanix.example");
}

bool setAsideDamagedLogDatabase()
{
    const QString strPath = CDBBase::databasePath();
    const CLogFileCheck::SOutcome outcome = CLogFileCheck::setAsideIfDamaged(strPath);
    // Rebuilt from its rows, the file holds all it held: nothing to tell but in the debug log.
    if (!outcome.strRebuilt.isEmpty())
        qWarning() << strPath << "rebuilt from its rows after:" << outcome.strRebuilt;
    if (outcome.strDamage.isEmpty())
        return true;
    // SQLite's words stay in the debug log: the box speaks the user's language.
    qWarning() << strPath << outcome.strDamage;
    if (outcome.strKeptAs.isEmpty())
    {
        QMessageBox::critical(
            nullptr, APP_NAME,
            QCoreApplication::translate("main", "The log database '%1' is damaged and cannot be renamed: %2")
                .arg(strPath, outcome.strFailure),
            QMessageBox::Ok);
        return false;
    }
    QMessageBox::warning(nullptr, APP_NAME,
                         QCoreApplication::translate("main",
                                                     "The log database '%1' is damaged. It was kept as "
                                                     "'%2'; a new log database is used.")
                             .arg(strPath, outcome.strKeptAs),
                         QMessageBox::Ok);
    return true;
}

int runVozudoz(QApplication& app, const CSettingsCheck& settingsCheck)
{
    initFrameResources();
    nameVozudoz();

    QFile styleFile(":/StyleSheet/StyleSheet.css");
    if (!styleFile.open(QIODevice::ReadOnly | QIODevice::Text))
    {
        QMessageBox::critical(
            nullptr, APP_NAME,
            QString("Unable to open file '%1'\n%2").arg(styleFile.fileName(), styleFile.errorString()),
            QMessageBox::Ok);
        return -1;
    }
    QTextStream styleStream(&styleFile);
    app.setStyleSheet(styleStream.readAll());

    const QString strSystemLocale = QLocale::system().name();
    QTranslator programTranslator;
    QTranslator commonTranslator;
    QTranslator qtTranslator;
    loadProgramTranslation(programTranslator, strSystemLocale);
    loadCommonTranslation(commonTranslator, strSystemLocale);
    loadQtTranslation(qtTranslator, strSystemLocale);
    app.installTranslator(&programTranslator);
    app.installTranslator(&commonTranslator);
    app.installTranslator(&qtTranslator);

    // The language chosen holds for every box of the start, the first one too.
    CCmdLineArgs args;
    const QString strLocale = args.getOption("l", nullptr, true);
    bool bTestFlag = false;
    args.getOption("t", &bTestFlag, false);
    const bool bLocaleMissing =
        !strLocale.isEmpty() && !useLocale(strLocale, programTranslator, commonTranslator, qtTranslator);
    if (bLocaleMissing)
    {
        loadProgramTranslation(programTranslator, strSystemLocale);
        loadCommonTranslation(commonTranslator, strSystemLocale);
    }

    const QString strSettingsReport = settingsCheck.report();
    if (!strSettingsReport.isEmpty())
        QMessageBox::warning(nullptr, APP_NAME, strSettingsReport, QMessageBox::Ok);

    // Held while the program runs. Destroyed on every return, since on this platform the system
    // would keep an abandoned segment and so lock out the updater too.
    QSharedMemory segment(SINGLE_INSTANCE_KEY);
    const ESingleInstance eInstance = acquireSingleInstance(segment);
    if (eInstance != ESingleInstance::HELD)
    {
        QMessageBox::warning(
            nullptr, APP_NAME,
            eInstance == ESingleInstance::OTHER_INSTANCE
                ? QCoreApplication::translate("main", "An instance of Update-tolVane or tolVane-Vozudoz is "
                                                      "already running.\nIt is not possible to run more than "
                                                      "one of those applications at the same time.")
                : singleInstanceFolderText(segment),
            QMessageBox::Ok);
        return -1;
    }

    if (bLocaleMissing)
        QMessageBox::warning(
            nullptr, APP_NAME,
            QCoreApplication::translate("main", "Unable to load translations for locale '%1'.")
                .arg(strLocale),
            QMessageBox::Ok);

    // The store tells its failures and asks for serial numbers in boxes.
    CStoreBoxes::install();
    // Before any connection holds the file; a file that cannot be set aside ends the start as a
    // failed table does.
    if (!setAsideDamagedLogDatabase())
        return 1;
    CMinuteLogDB minuteLog(UI_CONNECTION);
    if (!minuteLog.createTable())
        return 1;
    CMinuteLogDB70 minuteLog70(UI_CONNECTION);
    if (!minuteLog70.createTable())
        return 3;
    CSecLogDB secLog(UI_CONNECTION);
    if (!secLog.createTable())
        return 2;
    CSecLogDB70 secLog70(UI_CONNECTION);
    if (!secLog70.createTable())
        return 4;

    // The unit object wires the Wi-Fi results to the window's Wi-Fi page.
    CFan::setWifiResultReceiver(
        []() -> QObject*
        {
            CMainWindow* pWindow = CMainWindow::getInstance();
            return pWindow ? pWindow->wlanTab() : nullptr;
        });

    CFanPollingThread pollingThread(bTestFlag);
    pollingThread.start();
    CFanPollingThread::msleep(5);
    CMainObject* pMainObject = pollingThread.getMainObject();

    CMainWindow::create(pMainObject, &minuteLog, &minuteLog70, &secLog, &secLog70, nullptr);
    CMainWindow* pWindow = CMainWindow::getInstance();
    pWindow->reloadViews(true);
    // Without a window manager a maximised window keeps the size of its form; it must not reach
    // beyond the screen.
    const QRect available = pWindow->screen()->availableGeometry();
    pWindow->setGeometry(QRect(available.topLeft(), pWindow->size().boundedTo(available.size())));
    pWindow->showMaximized();
    const int nResult = app.exec();
    pWindow->writePendingMinuteRows();

    pollingThread.quit();
    if (!pollingThread.wait(THREAD_STOP_WAIT_MS))
    {
        // A retrieval still talks to the unit; a running thread must not be destroyed, and
        // everything stored so far is committed, so the process ends here.
        qWarning() << "The polling thread did not stop; ending the program.";
        std::_Exit(nResult);
    }
    delete pWindow;
    return nResult;
}
