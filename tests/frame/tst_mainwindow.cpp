#include "ComboDayFilter.h"
#include "ComboSerialNrFilter.h"
#include "DetailedInfoTab.h"
#include "DetailedInfoTab70.h"
#include "Fan.h"
#include "FanBase.h"
#include "GraphicsPlot.h"
#include "GraphicsTab.h"
#include "MainObject.h"
#include "MainWindow.h"
#include "MinuteLogDB.h"
#include "MinuteLogTab.h"
#include "ModalAnswerer.h"
#include "OverviewScene.h"
#include "OverviewScene70.h"
#include "SecLogDB.h"
#include "SecLogDB70.h"
#include "SecLogTab.h"
#include "SerialNrDlg.h"
#include "ServiceTab.h"
#include "SimRequests.h"
#include "SimUnit.h"
#include "StoreBoxes.h"
#include "TestFiles.h"
#include "TriStateIndicator.h"
#include "VokDelimTextModel.h"
#include "ZoneForTest.h"
#include "wlantab.h"

#include <QCommandLinkButton>
#include <QFileDialog>
#include <QLineEdit>
#include <QProgressBar>
#include <QProgressDialog>
#include <QSettings>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlQueryModel>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>
#include <memory>
#include <qwt_scale_div.h>

#include <algorithm>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

// The main window headless: a polling object in the test's thread, the simulated unit on a
// pseudo-terminal, the log database of the test's home.
using namespace unitsim;
using TestFiles::readFile;
using TestFiles::writeFile;

namespace
{
const char* const UI = "UIThread";

int rowCount(const QString& table, int serial = -1)
{
    QSqlQuery q(QSqlDatabase::database(UI));
    if (serial < 0)
        q.prepare(QString("SELECT COUNT(*) FROM %1").arg(table));
    else
    {
        q.prepare(QString("SELECT COUNT(*) FROM %1 WHERE SNR = ?").arg(table));
        q.addBindValue(serial);
    }
    return q.exec() && q.next() ? q.value(0).toInt() : -1;
}

QList<qint64> minuteStamps(int serial)
{
    QSqlQuery q(QSqlDatabase::database(UI));
    q.prepare("SELECT LogTimestamp FROM ValueLogs WHERE SNR = ? ORDER BY LogTimestamp");
    q.addBindValue(serial);
    QList<qint64> out;
    if (q.exec())
        while (q.next())
            out << q.value(0).toLongLong();
    return out;
}

QDateTime at(const char* text)
{
    return QDateTime::fromString(text, Qt::ISODate);
}

CFanValues values100()
{
    SPrimLogEntry entry;
    const QByteArray state = SSimUnitModel::make(EUnitType::TolVane100).state;
    memcpy(entry.m_Bytes, state.constData(), SPrimLogEntry::SIZE);
    return CFanValues(entry);
}

CFanValues70 values70()
{
    SPrimLogEntry_70 entry;
    const QByteArray state = SSimUnitModel::make(EUnitType::TolVanePlus).state;
    memcpy(entry.m_Bytes, state.constData(), SPrimLogEntry_70::SIZE);
    return CFanValues70(entry);
}

// Answers file dialogs with a file name, message boxes with a button, and records the boxes.
class CDialogAnswerer : public CModalAnswerer
{
public:
    // `answer` goes to boxes whose text contains `only` (all when empty), Yes to the others.
    CDialogAnswerer(const QString& fileName, QMessageBox::StandardButton answer = QMessageBox::Yes,
                    const QString& only = QString())
        : CModalAnswerer(
              [this, fileName, answer, only](QWidget* pWidget)
              {
                  if (auto* pDialog = qobject_cast<QFileDialog*>(pWidget))
                  {
                      if (fileName.isEmpty())
                      {
                          QTimer::singleShot(0, pDialog, &QDialog::reject);
                          return true;
                      }
                      pDialog->selectFile(fileName);
                      QTimer::singleShot(0, pDialog, &QDialog::accept);
                      return true;
                  }
                  if (auto* pBox = qobject_cast<QMessageBox*>(pWidget))
                  {
                      boxes << pBox->text();
                      QAbstractButton* pButton = pBox->button(
                          only.isEmpty() || pBox->text().contains(only) ? answer : QMessageBox::Yes);
                      QTimer::singleShot(0, pButton ? pButton : pBox->buttons().value(0),
                                         &QAbstractButton::click);
                      return true;
                  }
                  return false;
              })
    {
    }
    QStringList boxes;
};

// Another writer holding the database (an import, another program), through a connection of its
// own that is gone with it, so a failing test leaves no lock to the ones after it.
class CWriteLock
{
public:
    CWriteLock()
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", NAME);
        db.setDatabaseName(CDBBase::databasePath());
        m_bHeld = db.open() && QSqlQuery(db).exec("BEGIN IMMEDIATE");
    }
    ~CWriteLock()
    {
        release();
        QSqlDatabase::database(NAME, false).close();
        QSqlDatabase::removeDatabase(NAME);
    }
    bool isHeld() const { return m_bHeld; }
    bool release()
    {
        if (m_bHeld)
            m_bHeld = !QSqlQuery(QSqlDatabase::database(NAME, false)).exec("COMMIT");
        return !m_bHeld;
    }

private:
    static constexpr const char* NAME = "locker";
    bool m_bHeld = false;
};
} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT

    std::unique_ptr<CMinuteLogDB> m_pMinute;
    std::unique_ptr<CMinuteLogDB70> m_pMinute70;
    std::unique_ptr<CSecLogDB> m_pSec;
    std::unique_ptr<CSecLogDB70> m_pSec70;
    std::unique_ptr<CMainObject> m_pObject;
    std::unique_ptr<CSimUnit> m_pSim;
    std::vector<std::unique_ptr<CSimUnit>> m_OldSims;
    CMainWindow* m_pWindow = nullptr;
    QTemporaryDir m_dir;

    template <typename T> T* child(const char* name) { return m_pWindow->findChild<T*>(name); }
    QTabWidget* tabs() { return child<QTabWidget>("tabWidget"); }
    CComboSerialNrFilter* combo() { return child<CComboSerialNrFilter>("m_pComboSerialNr"); }
    CTriStateIndicator* connection() { return child<CTriStateIndicator>("labelRozirarionStateIndicator"); }
    CTriStateIndicator* unit() { return child<CTriStateIndicator>("labelErrorStateIndicator"); }

    void plugIn(const SSimUnitModel& model, const QList<SSimFault>& faults = {})
    {
        // the unit before stays until the end, so the new one gets a port name of its own
        if (m_pSim)
            m_OldSims.push_back(std::move(m_pSim));
        m_pSim.reset(new CSimUnit(model));
        QVERIFY(m_pSim->start());
        for (const SSimFault& fault : faults)
            m_pSim->addFault(fault);
        qputenv(CPortEnumerator::UNIT_PORT_VARIABLE, m_pSim->portName().toLocal8Bit());
        m_pWindow->onDeviceListChanged();
    }
    void selectTab(const QString& title)
    {
        for (int i = 0; i < tabs()->count(); ++i)
            if (tabs()->tabText(i) == title)
                tabs()->setCurrentIndex(i);
        QCOMPARE(tabs()->tabText(tabs()->currentIndex()), title);
    }
    void addRows()
    {
        m_pWindow->minuteLogTab()->setClock([] { return at("2024-05-01T10:00:00"); });
        m_pWindow->minuteLogTab()->setCurrentValues(values100(), 11, "", "", 1, 2, 3, 4, 5, 6, 0);
        m_pWindow->minuteLogTab()->setClock([] { return at("2024-05-01T10:01:00"); });
        m_pWindow->minuteLogTab()->setCurrentValues(values100(), 22, "", "", 1, 2, 3, 4, 5, 6, 0);
        m_pWindow->minuteLogTab()->setClock([] { return at("2024-05-01T10:02:00"); });
        m_pWindow->minuteLogTab()->setCurrentValues70(values70(), 22, "", "", 1, 2, 3, 4, 5, 6);
        m_pWindow->minuteLogTab()->setClock([] { return at("2024-05-01T10:03:00"); });
    }
    // Minute rows of unit 22, selected on the minute-value page.
    void fillMinuteRows(int nRows);
    // Runs the delete command, choosing `button` in the delete dialog and Yes to the question;
    // returns the questions asked.
    QStringList runDelete(const QString& button)
    {
        QStringList asked;
        CModalAnswerer answerer(
            [&](QWidget* pWidget)
            {
                if (auto* pBox = qobject_cast<QMessageBox*>(pWidget))
                {
                    asked << pBox->text();
                    QAbstractButton* pAnswer = pBox->button(QMessageBox::Yes);
                    QTimer::singleShot(0, pAnswer ? pAnswer : pBox->button(QMessageBox::Ok),
                                       &QAbstractButton::click);
                    return true;
                }
                if (auto* pButton = pWidget->findChild<QCommandLinkButton*>(button))
                {
                    QTimer::singleShot(0, pButton, &QAbstractButton::click);
                    return true;
                }
                return false;
            });
        m_pWindow->onDelete();
        return asked;
    }
    // The service tab's content as the polling thread would deliver it: the tab drops the counters
    // it does not show (fixed ids below 45 and unnamed ones), so the rows under test come after them.
    CServiceTab* serviceTabWith(const QStringList& names, const QList<quint32>& values)
    {
        auto* pService = m_pWindow->findChild<CServiceTab*>();
        // across threads the refresh the export asks for arrives later; here it would clear the tab at once
        QObject::disconnect(pService, &CServiceTab::updateCounters, m_pObject.get(), nullptr);
        QStringList allNames;
        QList<quint32> allValues;
        for (int id = 0; id < 45; ++id)
        {
            allNames << QString();
            allValues << 0;
        }
        pService->onUpdateCounters(allNames + names, allValues + values);
        return pService;
    }

private slots:
    void initTestCase()
    {
        QCoreApplication::setOrganizationName("Quorvanix");
        QCoreApplication::setApplicationName("tolVane-Vozudoz");
        qunsetenv(CPortEnumerator::UNIT_PORT_VARIABLE);
        // The store's boxes, as the program installs them at start.
        CStoreBoxes::install();
        m_pMinute.reset(new CMinuteLogDB(UI));
        m_pMinute70.reset(new CMinuteLogDB70(UI));
        m_pSec.reset(new CSecLogDB(UI));
        m_pSec70.reset(new CSecLogDB70(UI));
        QVERIFY(m_pMinute->createTable() && m_pMinute70->createTable() && m_pSec->createTable() &&
                m_pSec70->createTable());
    }
    void init()
    {
        for (CDBBase* pDB : std::initializer_list<CDBBase*>{m_pMinute.get(), m_pMinute70.get(), m_pSec.get(),
                                                            m_pSec70.get()})
            pDB->deleteRecords(-1);
        QSettings().clear();
        m_pObject.reset(new CMainObject(false));
        m_pObject->setPollInterval(600000);
        m_pObject->setSleep([](int) {});
        CMainWindow::create(m_pObject.get(), m_pMinute.get(), m_pMinute70.get(), m_pSec.get(),
                            m_pSec70.get());
        m_pWindow = CMainWindow::getInstance();
        m_pWindow->reloadViews(true);
    }
    void cleanup()
    {
        delete m_pWindow;
        QVERIFY(!CMainWindow::getInstance());
        m_pObject.reset();
        CFan::setWifiResultReceiver(nullptr);
        CFanBase::closeComPort();
        m_pSim.reset();
        m_OldSims.clear();
        qunsetenv(CPortEnumerator::UNIT_PORT_VARIABLE);
    }

    void pagesAndIdleState();
    void connectionStates_data();
    void connectionStates();
    void unitOnThePortIsShownAndSelected();
    void unitSwappedUnderThePortNameIsTalkedTo_data();
    void unitSwappedUnderThePortNameIsTalkedTo();
    void plusUnitSwitchesTheViews();
    void overviewShowsOnlyReadingsOfTheUnit_data();
    void overviewShowsOnlyReadingsOfTheUnit();
    void minuteRowsOncePerMinute();
    void newDayIsOfferedWhenItsFirstRowIsStored_data();
    void newDayIsOfferedWhenItsFirstRowIsStored();
    void diagramsShowTheDayOfTheMinuteLog_data();
    void diagramsShowTheDayOfTheMinuteLog();
    void firstValuesAfterStartAreStored();
    void retrieveAsksAndFillsTheTab();
    void retrieveOnlyOnLogPages();
    void retrievalIsForTheUnitItWasAskedFor_data();
    void retrievalIsForTheUnitItWasAskedFor();
    void retrievalProgressAndMessages_data();
    void retrievalProgressAndMessages();
    void deleteCommand_data();
    void deleteCommand();
    void deleteIsAllOrNothing();
    void deleteKeepsTheConnectedUnitShown_data();
    void deleteKeepsTheConnectedUnitShown();
    void unprogrammedUnitIsOneUnitOfMany();
    void retrievalTellsAFailedStore();
    void minuteRowSurvivesACancelledImport();
    void minuteRowsWaitingForALock_data();
    void minuteRowsWaitingForALock();
    void exportServiceTabByteExact();
    void exportOverwriteAndRefusal();
    void exportKeepsTheFileItReplaces_data();
    void exportKeepsTheFileItReplaces();
    void exportReportsAFailedWrite();
    void exportCancelKeepsTheFile();
    void exportReplacesNoFileMadeMeanwhile_data();
    void exportReplacesNoFileMadeMeanwhile();
    void exportOnlyOnExportablePages();
    void exportIsOfTheUnitShownWhenAsked_data();
    void exportIsOfTheUnitShownWhenAsked();
    void diagramExportOutlivesItsPage();
    void exportAndImportRoundTrip();
    void importOfUnreadableFileKeepsFolder();
    void importRefusesAPipe();
    void wifiRequestThatCannotBeSentIsReported();
    void wifiRequestGoesOnlyToTheUnitItWasMadeFor();
    void wifiResultComesFromTheUnitOfTheRequest();
};

void TestMainWindow::pagesAndIdleState()
{
    QStringList titles;
    for (int i = 0; i < tabs()->count(); ++i)
        titles << tabs()->tabText(i);
    QCOMPARE(titles,
             QStringList({"Overview", "Detailed Information", "Diagrams", "Minute Values", "1/4 Hour Values",
                          "Daily Values", "Monthly Values", "Service Info", "WiFi Setup"}));
    QCOMPARE(connection()->text(), QString("not connected"));
    QCOMPARE(unit()->text(), QString("-"));
    QVERIFY(!child<QToolButton>("buttonRetrieveSecLog")->isEnabled());
    QVERIFY(child<QToolButton>("buttonExport")->isEnabled());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(m_pWindow->findChildren<QStatusBar*>().isEmpty());
}

void TestMainWindow::connectionStates_data()
{
    QTest::addColumn<int>("state");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("colour");
    QTest::addColumn<bool>("retrieve");
    QTest::newRow("not connected") << 0 << "not connected"
                                   << "160, 160, 160" << false;
    QTest::newRow("waiting") << 1 << "waiting for response"
                             << "160, 160, 160" << false;
    QTest::newRow("error") << 2 << "communication error"
                           << "224, 160, 160" << false;
    QTest::newRow("ok") << 3 << "ok"
                        << "160, 224, 160" << true;
    QTest::newRow("out of range") << 4 << "INVALID!!"
                                  << "160, 160, 160" << false;
}

void TestMainWindow::connectionStates()
{
    QFETCH(int, state);
    QFETCH(QString, text);
    QFETCH(QString, colour);
    QFETCH(bool, retrieve);
    m_pWindow->onRozirarionStateChanged(ERozirarionState(state), 4711, false);
    QCOMPARE(connection()->text(), text);
    QVERIFY(connection()->styleSheet().contains(colour));
    QCOMPARE(child<QToolButton>("buttonRetrieveSecLog")->isEnabled(), retrieve);
    QCOMPARE(combo()->isEnabled(), !retrieve);
    if (retrieve)
        QCOMPARE(combo()->getCurrentSerialNr(), 4711); // added and selected
    else
        QCOMPARE(unit()->text(), QString("-"));
}

void TestMainWindow::unitOnThePortIsShownAndSelected()
{
    addRows(); // units 11 and 22 are known from the database
    m_pWindow->reloadViews(true);
    QSignalSpy port(m_pWindow, &CMainWindow::signalComPortChanged);
    plugIn(SSimUnitModel::make(EUnitType::TolVane100, 33));
    QCOMPARE(port.count(), 1);
    QCOMPARE(connection()->text(), QString("ok"));
    QCOMPARE(combo()->getCurrentSerialNr(), 33);
    QCOMPARE(combo()->itemText(combo()->currentIndex()), QString("tolVane 100: 33"));
    QVERIFY(unit()->styleSheet().contains("160, 224, 160"));
    QVERIFY(!unit()->text().isEmpty() && unit()->text() != "-");
    QCOMPARE(child<QLabel>("labelErrorState")->text(), QString("tolVane100:"));
    QCOMPARE(rowCount("ValueLogs", 33), 1); // the first report is logged at once

    // the same port again, even in other letter case, is not announced again
    m_pWindow->onDeviceListChanged();
    QCOMPARE(port.count(), 1);
    // the adapter is gone, by name too (its path may go to another test's unit at once)
    m_pSim->disappear();
    qunsetenv(CPortEnumerator::UNIT_PORT_VARIABLE);
    m_pWindow->onDeviceListChanged();
    QCOMPARE(port.count(), 2);
    QCOMPARE(port.last().at(0).toString(), QString());
}

// Polled, the port list shows a unit swapped within one scan as a removal and an arrival under the
// adapter's name: the new unit is identified and polled, rather than the dead device of the one
// before. A permission change of the port's node is reported the same way, and is no change.
void TestMainWindow::unitSwappedUnderThePortNameIsTalkedTo_data()
{
    QTest::addColumn<bool>("swapped");
    QTest::newRow("another unit under the name") << true;
    QTest::newRow("permission change of the port") << false;
}

void TestMainWindow::unitSwappedUnderThePortNameIsTalkedTo()
{
    QFETCH(bool, swapped);
    QTemporaryDir dir;
    const QString strLink = dir.filePath("unit"); // the adapter's name, whatever pty is behind it
    m_pSim.reset(new CSimUnit(SSimUnitModel::make(EUnitType::TolVane100, 33)));
    QVERIFY(m_pSim->start() && QFile::link(m_pSim->portName(), strLink));
    qputenv(CPortEnumerator::UNIT_PORT_VARIABLE, strLink.toLocal8Bit());
    m_pWindow->portEnumerator().setPollInterval(3600 * 1000); // scanned by hand
    m_pWindow->onDeviceListChanged();
    QCOMPARE(combo()->getCurrentSerialNr(), 33);
    QSignalSpy port(m_pWindow, &CMainWindow::signalComPortChanged);

    if (swapped)
    {
        m_pSim->disappear();
        m_OldSims.push_back(std::move(m_pSim));
        m_pSim.reset(new CSimUnit(SSimUnitModel::make(EUnitType::TolVane100, 44)));
        QVERIFY(m_pSim->start() && QFile::remove(strLink) && QFile::link(m_pSim->portName(), strLink));
    }
    else
    {
        QVERIFY(TestFiles::changePermissions(strLink));
        m_pSim->clearRecords();
    }
    m_pWindow->portEnumerator().rescan();

    QCOMPARE(port.count(), swapped ? 2 : 0);
    if (swapped)
    {
        QCOMPARE(port.first().at(0).toString(), QString()); // the unit before is gone
        QCOMPARE(port.last().at(0).toString(), strLink);
    }
    QVERIFY((requestCount(*m_pSim) == 0) != swapped); // identified, or left alone
    QCOMPARE(combo()->getCurrentSerialNr(), swapped ? 44 : 33);
    QCOMPARE(m_pObject->serialNr(), swapped ? 44 : 33);

    // the next poll reaches the unit on the port
    m_pSim->clearRecords();
    m_pObject->on_Timer();
    QCOMPARE(connection()->text(), QString("ok"));
    QVERIFY(requestCount(*m_pSim) > 0);
}

// The unit went away after its last poll: the Wi-Fi request cannot go out, and the user is told.
void TestMainWindow::wifiRequestThatCannotBeSentIsReported()
{
    plugIn(SSimUnitModel::make(EUnitType::TolVane100, 33));
    child<QLineEdit>("m_pLEtolVanePassword")->setText("unit1234");
    CFanBase::closeComPort();
    CDialogAnswerer answerer(QString(), QMessageBox::Ok);

    child<QPushButton>("m_pPBUpdate")->click();

    QCOMPARE(answerer.boxes, QStringList{"There was an error when transferring the data."});
    QVERIFY(m_pSim->model().lastCredentials.isEmpty());
    QVERIFY(child<QPushButton>("m_pPBUpdate")->isEnabled());
}

// Another unit comes on the port while the Wi-Fi question is open: the credentials meant for the
// unit shown when the user asked go to no other unit.
void TestMainWindow::wifiRequestGoesOnlyToTheUnitItWasMadeFor()
{
    plugIn(SSimUnitModel::make(EUnitType::TolVane100, 33));
    const CSimUnit* pFirst = m_pSim.get();
    child<QLineEdit>("m_pLEWLANName")->setText("HomeNet");
    child<QLineEdit>("m_pLEtolVanePassword")->setText("unit1234");
    QStringList boxes;
    CModalAnswerer answerer(
        [&](QWidget* pWidget)
        {
            auto* pBox = qobject_cast<QMessageBox*>(pWidget);
            if (!pBox)
                return false;
            boxes << pBox->text();
            if (boxes.size() == 1)
                plugIn(SSimUnitModel::make(EUnitType::TolVane100, 44));
            QTimer::singleShot(0, pBox->buttons().value(0), &QAbstractButton::click);
            return true;
        });

    child<QPushButton>("m_pPBUpdate")->click();

    QCOMPARE(m_pObject->serialNr(), 44);
    QVERIFY(m_pSim->model().lastCredentials.isEmpty());
    QVERIFY(pFirst->model().lastCredentials.isEmpty()); // its port was let go
    QCOMPARE(boxes.size(), 2);
    QVERIFY2(boxes[0].startsWith("If you activate the WiFi function"), qPrintable(boxes[0]));
    QCOMPARE(boxes[1], QString("There was an error when transferring the data."));
}

// A request is outstanding when its unit goes and another comes whose status tells of a request of
// its own: that status is no result of the request, and no box claims one.
void TestMainWindow::wifiResultComesFromTheUnitOfTheRequest()
{
    CFan::setWifiResultReceiver([this]() -> QObject* { return m_pWindow->wlanTab(); });
    SSimUnitModel first = SSimUnitModel::make(EUnitType::TolVane100, 33);
    first.wifiCredentialsFail = true;
    plugIn(first);
    child<QLineEdit>("m_pLEtolVanePassword")->setText("unit1234");
    CDialogAnswerer answerer(QString(), QMessageBox::Ok);
    child<QPushButton>("m_pPBUpdate")->click();
    QVERIFY(!m_pSim->model().lastCredentials.isEmpty());
    QVERIFY(!child<QPushButton>("m_pPBUpdate")->isEnabled()); // the result is awaited

    SSimUnitModel second = SSimUnitModel::make(EUnitType::TolVane100, 44);
    second.wifiStatus = 3; // its own update went well
    plugIn(second);

    QCOMPARE(m_pObject->serialNr(), 44);
    QCOMPARE(answerer.boxes, QStringList());
    QVERIFY(child<QPushButton>("m_pPBUpdate")->isEnabled());
}

void TestMainWindow::plusUnitSwitchesTheViews()
{
    plugIn(SSimUnitModel::make(EUnitType::TolVanePlus, 700123));
    QCOMPARE(tabs()->count(), 7);
    QCOMPARE(combo()->itemText(combo()->currentIndex()), QString("tolVane plus: 700123"));
    QCOMPARE(child<QLabel>("labelErrorState")->text(), QString("tolVane plus:"));
    tabs()->setCurrentIndex(0);
    QVERIFY(dynamic_cast<COverviewScene70*>(m_pWindow->getCurrentTab()));
    tabs()->setCurrentIndex(1);
    QVERIFY(dynamic_cast<CDetailedInfoTab70*>(m_pWindow->getCurrentTab()));
    QCOMPARE(rowCount("ValueLogs70", 700123), 1);

    // a tolVane100 on another port brings the service and Wi-Fi pages back at the end
    CFanBase::closeComPort();
    plugIn(SSimUnitModel::make(EUnitType::TolVane100, 5));
    QCOMPARE(tabs()->count(), 9);
    QCOMPARE(tabs()->tabText(7), QString("Service Info"));
    QCOMPARE(tabs()->tabText(8), QString("WiFi Setup"));
    tabs()->setCurrentIndex(1);
    QVERIFY(dynamic_cast<CDetailedInfoTab*>(m_pWindow->getCurrentTab()));
    tabs()->setCurrentIndex(0);
    QVERIFY(dynamic_cast<COverviewScene*>(m_pWindow->getCurrentTab()));
    tabs()->setCurrentIndex(8);
    QVERIFY(!m_pWindow->getCurrentTab());
}

void TestMainWindow::overviewShowsOnlyReadingsOfTheUnit_data()
{
    QTest::addColumn<bool>("plus");
    QTest::addColumn<QList<int>>("readings"); // labels of the overview that show readings
    QTest::newRow("tolVane100") << false << QList<int>{1, 10, 16, 22, 30, 41};
    QTest::newRow("tolVane plus") << true << QList<int>{3, 11, 14, 20, 28};
}

void TestMainWindow::overviewShowsOnlyReadingsOfTheUnit()
{
    QFETCH(bool, plus);
    QFETCH(QList<int>, readings);
    const auto shown = [&]
    {
        tabs()->setCurrentIndex(0);
        CTabBase* pTab = m_pWindow->getCurrentTab();
        const auto* p100 = dynamic_cast<COverviewScene*>(pTab);
        const auto* p70 = dynamic_cast<COverviewScene70*>(pTab);
        QStringList texts;
        if (bool(p70) == plus)
            for (int i : readings)
                texts << (plus ? p70->labels() : p100->labels())[i]->text();
        return texts;
    };
    const QStringList none = QVector<QString>(readings.size(), "-").toList();

    // a stored unit chosen without a unit connected
    addRows();
    m_pWindow->reloadViews(true);
    QVERIFY(combo()->selectSerialNr(22, plus));
    QCOMPARE(connection()->text(), QString("not connected"));
    QCOMPARE(shown(), none);

    plugIn(SSimUnitModel::make(plus ? EUnitType::TolVanePlus : EUnitType::TolVane100, 33));
    QCOMPARE(connection()->text(), QString("ok"));
    QCOMPARE(shown().count("-"), 0);

    // the adapter is gone
    m_pSim->disappear();
    qunsetenv(CPortEnumerator::UNIT_PORT_VARIABLE);
    m_pWindow->onDeviceListChanged();
    m_pObject->on_Timer(); // the next poll finds no unit
    QCOMPARE(connection()->text(), QString("communication error"));
    QCOMPARE(shown(), none);
}

void TestMainWindow::minuteRowsOncePerMinute()
{
    CMinuteLogTab* pTab = m_pWindow->minuteLogTab();
    const CFanValues values = values100();
    const auto report = [&](const char* time)
    {
        pTab->setClock([time] { return at(time); });
        m_pWindow->onCurrentValues(values, 9, "3", "1.02", 10, 20, false, 1, 2, 3, 4, 0);
    };
    report("2024-05-01T10:00:05");
    report("2024-05-01T10:00:59");
    report("2024-05-01T10:01:00");
    report("2024-05-01T11:01:30"); // the same minute of the hour: nothing
    report("2024-05-01T11:02:45");
    QCOMPARE(minuteStamps(9), QList<qint64>({at("2024-05-01T10:00:00").toSecsSinceEpoch(),
                                             at("2024-05-01T10:01:00").toSecsSinceEpoch(),
                                             at("2024-05-01T11:02:00").toSecsSinceEpoch()}));
    // a plus unit in the same minute gets no row: one minute for both types
    pTab->setClock([] { return at("2024-05-01T11:02:50"); });
    m_pWindow->onCurrentValues70(values70(), 9, "2", "1.01", 10, 20, false, 1, 2, 3, 4);
    QCOMPARE(rowCount("ValueLogs70"), 0);
    // the unit reported values: it is listed with the connected icon
    QCOMPARE(combo()->itemText(combo()->count() - 1), QString("tolVane 100: 9"));
}

void TestMainWindow::newDayIsOfferedWhenItsFirstRowIsStored_data()
{
    QTest::addColumn<QByteArray>("zone");
    QTest::addColumn<qint64>("lastOfDay");  // the last minute of the old day, UTC
    QTest::addColumn<qint64>("firstOfDay"); // the first minute of the new day, UTC
    QTest::addColumn<QDate>("oldDay");
    QTest::addColumn<QDate>("newDay");
    const auto utc = [](const char* text)
    { return QDateTime::fromString(text, Qt::ISODateWithMs).toSecsSinceEpoch(); };
    QTest::newRow("UTC") << QByteArray("UTC") << utc("2026-12-11T23:59:00Z") << utc("2026-12-12T00:00:00Z")
                         << QDate(2026, 12, 11) << QDate(2026, 12, 12);
    // 23:59 standard time, then 01:00 summer time
    QTest::newRow("Havana, midnight skipped")
        << QByteArray("America/Havana") << utc("2026-03-08T04:59:00Z") << utc("2026-03-08T05:00:00Z")
        << QDate(2026, 3, 7) << QDate(2026, 3, 8);
    // 23:59 summer time, then the first of the two midnights
    QTest::newRow("Havana, midnight repeated")
        << QByteArray("America/Havana") << utc("2026-11-01T03:59:00Z") << utc("2026-11-01T04:00:00Z")
        << QDate(2026, 10, 31) << QDate(2026, 11, 1);
}

void TestMainWindow::newDayIsOfferedWhenItsFirstRowIsStored()
{
    // The program runs over midnight with the old day shown: the first row of the new day puts
    // the new day into the list at once, and the day shown stays the one the user chose.
    QFETCH(QByteArray, zone);
    QFETCH(qint64, lastOfDay);
    QFETCH(qint64, firstOfDay);
    QFETCH(QDate, oldDay);
    QFETCH(QDate, newDay);
    const CZoneForTest zoneForTest(zone);
    CMinuteLogTab* pTab = m_pWindow->minuteLogTab();
    const auto report = [&](qint64 nSecs)
    {
        pTab->setClock([nSecs] { return QDateTime::fromSecsSinceEpoch(nSecs + 30); });
        m_pWindow->onCurrentValues(values100(), 9, "3", "1.02", 10, 20, false, 1, 2, 3, 4, 0);
    };
    const auto offered = [pTab]
    {
        QList<QDate> days;
        for (int i = 0; i < pTab->dayFilter()->count(); ++i)
            days << pTab->dayFilter()->itemData(i).toDate();
        return days;
    };
    report(lastOfDay - 60);
    m_pWindow->reloadViews(true);
    QVERIFY(combo()->selectSerialNr(9, false));
    selectTab("Minute Values");
    report(lastOfDay);
    QCOMPARE(offered(), QList<QDate>{oldDay});
    QCOMPARE(pTab->shownDate(), oldDay);

    report(firstOfDay);
    QCOMPARE(minuteStamps(9), (QList<qint64>{lastOfDay - 60, lastOfDay, firstOfDay}));
    QCOMPARE(offered(), (QList<QDate>{oldDay, newDay}));
    QCOMPARE(pTab->shownDate(), oldDay);
    QCOMPARE(pTab->dayFilter()->currentDate(), oldDay);
    QCOMPARE(pTab->getTableView()->model()->rowCount(), 2);

    // the new day is there to be chosen, with its row
    QVERIFY(pTab->dayFilter()->selectDate(newDay));
    QCOMPARE(pTab->shownDate(), newDay);
    QCOMPARE(pTab->getTableView()->model()->rowCount(), 1);
}

void TestMainWindow::diagramsShowTheDayOfTheMinuteLog_data()
{
    QTest::addColumn<QByteArray>("zone");
    QTest::addColumn<bool>("newPage"); // the page made anew for the other unit type, or Fit without fields
    QTest::addColumn<qint64>("now");
    QTest::addColumn<qint64>("start"); // of today and of tomorrow, UTC
    QTest::addColumn<qint64>("end");
    const auto utc = [](const char* text)
    { return QDateTime::fromString(text, Qt::ISODate).toSecsSinceEpoch(); };
    for (bool bNewPage : {false, true})
    {
        const char* pEntry = bNewPage ? ", new page" : ", fit";
        // midnight at 00:00 summer time and again an hour later: the day starts at the first
        QTest::newRow(QByteArray("Havana, midnight repeated") + pEntry)
            << QByteArray("America/Havana") << bNewPage << utc("2026-11-01T17:00:00Z")
            << utc("2026-11-01T04:00:00Z") << utc("2026-11-02T05:00:00Z");
        QTest::newRow(QByteArray("Azores, midnight repeated") + pEntry)
            << QByteArray("Atlantic/Azores") << bNewPage << utc("2026-10-25T13:00:00Z")
            << utc("2026-10-25T00:00:00Z") << utc("2026-10-26T01:00:00Z");
        // 23:59 standard time, then 01:00: the day starts when the clocks jump
        QTest::newRow(QByteArray("Santiago, midnight skipped") + pEntry)
            << QByteArray("America/Santiago") << bNewPage << utc("2026-09-06T15:00:00Z")
            << utc("2026-09-06T04:00:00Z") << utc("2026-09-07T03:00:00Z");
    }
}

// Without fields the diagram shows today: the day of the minute log's clock, from the instant the
// day's rows start at in the day list to the start of the next.
void TestMainWindow::diagramsShowTheDayOfTheMinuteLog()
{
    QFETCH(QByteArray, zone);
    QFETCH(bool, newPage);
    QFETCH(qint64, now);
    QFETCH(qint64, start);
    QFETCH(qint64, end);
    const CZoneForTest zoneForTest(zone);
    m_pWindow->minuteLogTab()->setClock([now] { return QDateTime::fromSecsSinceEpoch(now); });
    if (newPage)
        m_pWindow->switchDevice(true);
    else
        m_pWindow->findChild<CGraphicsTab*>()->findChild<QToolButton*>("m_pBtnFit")->click();
    CGraphicsPlot* pPlot = m_pWindow->findChild<CGraphicsPlot*>();
    pPlot->updateAxes(); // as the next painting does
    const QwtScaleDiv& axis = pPlot->axisScaleDiv(QwtPlot::xBottom);
    QCOMPARE(qint64(axis.lowerBound()), 1000 * start);
    QCOMPARE(qint64(axis.upperBound()), 1000 * end);
}

void TestMainWindow::firstValuesAfterStartAreStored()
{
    // The program starts without a unit; the unit first reports in a later hour, at the minute of
    // the hour just before the start's. Its values are the first after start and are stored.
    int nStartMinute = 0;
    std::unique_ptr<CMinuteLogTab> pTab;
    do
    {
        nStartMinute = QTime::currentTime().minute();
        pTab.reset(new CMinuteLogTab(m_pMinute.get()));
    } while (QTime::currentTime().minute() != nStartMinute);
    const QDateTime first(QDate(2024, 5, 1), QTime(11, (nStartMinute + 59) % 60));
    pTab->setClock([first] { return first; });
    pTab->setCurrentValues(values100(), 9, "", "", 1, 2, 3, 4, 5, 6, 0);
    QCOMPARE(minuteStamps(9), QList<qint64>({first.toSecsSinceEpoch()}));
}

void TestMainWindow::retrieveAsksAndFillsTheTab()
{
    plugIn(SSimUnitModel::make(EUnitType::TolVane100, 44)); // twelve quarter-hour entries
    selectTab("1/4 Hour Values");
    QSignalSpy progress(m_pObject.get(), &CMainObject::signalSecLogRetrievalProcess);
    {
        CDialogAnswerer answerer(QString(), QMessageBox::Yes);
        m_pWindow->onRetrieveSecLog();
        // the polling object lives in this thread here, so the retrieval has run when the slot returns
        QCOMPARE(progress.count() > 0 && progress.last().at(0).toInt() == -1, true);
        QCOMPARE(answerer.boxes,
                 QStringList({"Retrieve data of '1/4 Hour Values' from the tolVane device?"}));
    }
    auto* pTab = dynamic_cast<CSecLogTab*>(m_pWindow->getCurrentTab());
    QVERIFY(pTab);
    QCOMPARE(pTab->model().rowCount(), 12);
    QCOMPARE(rowCount("SecLogs", 44), 12);
    QVERIFY(!child<QProgressBar>("progressSecLog")->isVisibleTo(m_pWindow));
    QVERIFY(child<QToolButton>("buttonRetrieveSecLog")->isEnabled());

    // No: nothing is asked of the unit
    progress.clear();
    CDialogAnswerer no(QString(), QMessageBox::No);
    m_pWindow->onRetrieveSecLog();
    QCOMPARE(no.handled(), 1);
    QCOMPARE(progress.count(), 0);
}

void TestMainWindow::retrieveOnlyOnLogPages()
{
    for (const char* title : {"Overview", "Minute Values", "WiFi Setup"})
    {
        selectTab(title);
        CDialogAnswerer answerer{QString()};
        m_pWindow->onRetrieveSecLog();
        QCOMPARE(
            answerer.boxes,
            QStringList({"This function is only available for the tab pages 1/4 Hour Values, Daily Values, "
                         "Monthly Values and Service Info. "}));
    }
}

void TestMainWindow::retrievalIsForTheUnitItWasAskedFor_data()
{
    QTest::addColumn<bool>("identified"); // the unit that came meanwhile
    QTest::newRow("another unit") << true;
    QTest::newRow("another unit, not yet identified") << false;
}

// The question is answered for the unit connected when it was asked. A unit that comes on the port
// while it is open gives none of its log: neither under its own serial number nor, before it is
// identified, under that of an unprogrammed unit.
void TestMainWindow::retrievalIsForTheUnitItWasAskedFor()
{
    QFETCH(bool, identified);
    plugIn(SSimUnitModel::make(EUnitType::TolVane100, 44)); // twelve quarter-hour entries each
    selectTab("1/4 Hour Values");
    QStringList boxes;
    CModalAnswerer answerer(
        [&](QWidget* pWidget)
        {
            auto* pBox = qobject_cast<QMessageBox*>(pWidget);
            if (!pBox)
                return false;
            boxes << pBox->text();
            if (boxes.size() == 1)
            {
                QList<SSimFault> faults;
                if (!identified)
                    faults << SSimFault{ESimFault::WrongReplyId, 99, 1, 1};
                plugIn(SSimUnitModel::make(EUnitType::TolVane100, 55), faults);
            }
            QAbstractButton* pYes = pBox->button(QMessageBox::Yes);
            QTimer::singleShot(0, pYes ? pYes : pBox->buttons().value(0), &QAbstractButton::click);
            return true;
        });

    m_pWindow->onRetrieveSecLog();

    QCOMPARE(m_pObject->serialNr(), identified ? 55 : CMainObject::SERIAL_NR_UNKNOWN);
    QCOMPARE(rowCount("SecLogs"), 0);
    QCOMPARE(boxes, QStringList({"Retrieve data of '1/4 Hour Values' from the tolVane device?",
                                 "Communication error while retrieving '1/4 Hour Values' records from the "
                                 "tolVane device."}));
    QVERIFY(!child<QProgressBar>("progressSecLog")->isVisibleTo(m_pWindow));
}

void TestMainWindow::retrievalProgressAndMessages_data()
{
    QTest::addColumn<int>("span");
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("box");
    QTest::newRow("running") << 1 << 40 << QString();
    QTest::newRow("done") << 0 << -1 << QString();
    QTest::newRow("nothing") << 1 << -2
                             << "There are currently no 'Daily Values' records stored on the tolVane device.";
    QTest::newRow("error")
        << 2 << -3
        << "Communication error while retrieving 'Monthly Values' records from the tolVane device.";
    // the failure itself is told by the signal that follows
    QTest::newRow("store failed") << 0 << int(CMainObject::PROGRESS_STORE_FAILED) << QString();
}

void TestMainWindow::retrievalProgressAndMessages()
{
    QFETCH(int, span);
    QFETCH(int, value);
    QFETCH(QString, box);
    m_pWindow->onRozirarionStateChanged(STATE_OK, 1, false);
    CDialogAnswerer answerer{QString()};
    m_pWindow->onSecLogRetrievalProcess(value, CLogging::EMaxTimeSpan(span));
    auto* pBar = child<QProgressBar>("progressSecLog");
    QCOMPARE(pBar->isVisibleTo(m_pWindow), value >= 0);
    QCOMPARE(child<QToolButton>("buttonRetrieveSecLog")->isEnabled(), value < 0);
    QCOMPARE(child<QToolButton>("buttonExport")->isEnabled(), value < 0);
    if (value >= 0)
        QCOMPARE(pBar->text(), QString("Daily Values 40%"));
    QCOMPARE(answerer.boxes, box.isEmpty() ? QStringList() : QStringList({box}));
}

void TestMainWindow::deleteCommand_data()
{
    QTest::addColumn<bool>("plus"); // which unit 22 is selected
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("question");
    QTest::addColumn<QList<int>>("rowsLeft"); // ValueLogs 11, ValueLogs 22, ValueLogs70 22
    QTest::newRow("cancel") << false << "m_pBtnCancel" << QString() << QList<int>{1, 1, 1};
    QTest::newRow("selected tolVane 100")
        << false << "m_pBtnDeleteSelected"
        << "Delete all data of the tolVane 100 with serial number 22?" << QList<int>{1, 0, 1};
    QTest::newRow("selected tolVane plus")
        << true << "m_pBtnDeleteSelected"
        << "Delete all data of the tolVane plus with serial number 22?" << QList<int>{1, 1, 0};
    QTest::newRow("all") << false << "m_pBtnDeleteAll"
                         << "Delete all data?" << QList<int>{0, 0, 0};
}

void TestMainWindow::deleteCommand()
{
    QFETCH(bool, plus);
    QFETCH(QString, button);
    QFETCH(QString, question);
    QFETCH(QList<int>, rowsLeft);
    addRows();
    m_pWindow->reloadViews(true);
    QVERIFY(combo()->selectSerialNr(22, plus));
    QCOMPARE(runDelete(button), question.isEmpty() ? QStringList() : QStringList({question}));
    QCOMPARE(QList<int>({rowCount("ValueLogs", 11), rowCount("ValueLogs", 22), rowCount("ValueLogs70", 22)}),
             rowsLeft);
}

void TestMainWindow::deleteIsAllOrNothing()
{
    // The unit's second-log rows cannot go: its minute rows stay too.
    addRows();
    QVERIFY(QSqlQuery(QSqlDatabase::database(UI))
                .exec("INSERT INTO SecLogs (LogTimestamp, LTS, SNR) VALUES (1714557600, 1, 22)"));
    QSqlQuery(QSqlDatabase::database(UI))
        .exec("CREATE TRIGGER refuse BEFORE DELETE ON SecLogs BEGIN SELECT RAISE(ABORT, 'disk I/O error'); "
              "END;");
    m_pWindow->reloadViews(true);
    QVERIFY(combo()->selectSerialNr(22, false));
    const QStringList asked = runDelete("m_pBtnDeleteSelected");
    QSqlQuery(QSqlDatabase::database(UI)).exec("DROP TRIGGER refuse");
    QCOMPARE(asked.size(), 2);
    QVERIFY2(asked[1].contains("disk I/O error"), qPrintable(asked[1]));
    QCOMPARE(rowCount("ValueLogs", 22), 1);
}

void TestMainWindow::deleteKeepsTheConnectedUnitShown_data()
{
    QTest::addColumn<bool>("plus");
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("pages");
    QTest::newRow("tolVane100, its own data") << false << "m_pBtnDeleteSelected" << 9;
    QTest::newRow("plus, all data") << true << "m_pBtnDeleteAll" << 7;
}

void TestMainWindow::deleteKeepsTheConnectedUnitShown()
{
    QFETCH(bool, plus);
    QFETCH(QString, button);
    QFETCH(int, pages);
    addRows(); // units of both types in the database
    const int nSerialNr = plus ? 700123 : 33;
    plugIn(SSimUnitModel::make(plus ? EUnitType::TolVanePlus : EUnitType::TolVane100, nSerialNr));
    runDelete(button);
    QCOMPARE(rowCount(plus ? "ValueLogs70" : "ValueLogs", nSerialNr), 0);
    // the unit still reports: it stays selected, with the pages of its type, though no row of it is left
    bool b70 = !plus;
    QCOMPARE(combo()->getCurrentSerialNr(&b70), nSerialNr);
    QCOMPARE(b70, plus);
    QCOMPARE(tabs()->count(), pages);
    QVERIFY(!combo()->isEnabled());
    // once it is no longer connected, a unit without rows is no longer offered
    m_pWindow->onRozirarionStateChanged(STATE_NOT_ROZIRARED, -1, false);
    QVERIFY(!combo()->selectSerialNr(nSerialNr, plus));
}

void TestMainWindow::unprogrammedUnitIsOneUnitOfMany()
{
    // A unit with serial number 0xFFFFFFFF shows its own rows and deletes only them.
    addRows(); // units 11 and 22
    plugIn(SSimUnitModel::make(EUnitType::TolVane100, 0xFFFFFFFFu));
    QCOMPARE(combo()->itemText(combo()->currentIndex()), QString("tolVane 100: 4294967295"));
    QCOMPARE(rowCount("ValueLogs", -1), 3);
    selectTab("Minute Values");
    QSqlQueryModel shown;
    QVERIFY(m_pWindow->getCurrentTab()->setupQueryModel(&shown, m_pWindow->getCurrentSerialNr()));
    QCOMPARE(shown.rowCount(), 1);
    QCOMPARE(runDelete("m_pBtnDeleteSelected"),
             QStringList({"Delete all data of the tolVane 100 with serial number 4294967295?"}));
    QCOMPARE(QList<int>({rowCount("ValueLogs", 11), rowCount("ValueLogs", 22), rowCount("ValueLogs70", 22)}),
             QList<int>({1, 1, 1}));
    QCOMPARE(rowCount("ValueLogs"), 2);
}

void TestMainWindow::retrievalTellsAFailedStore()
{
    plugIn(SSimUnitModel::make(EUnitType::TolVane100, 44)); // twelve quarter-hour entries
    selectTab("1/4 Hour Values");
    // the database takes the first chunk of ten, then refuses
    QSqlQuery(QSqlDatabase::database(UI))
        .exec("CREATE TRIGGER refuse BEFORE INSERT ON SecLogs WHEN (SELECT count(*) FROM SecLogs) >= 10 "
              "BEGIN SELECT RAISE(ABORT, 'database or disk is full'); END;");
    CDialogAnswerer answerer(QString(), QMessageBox::Yes);
    m_pWindow->onRetrieveSecLog();
    QSqlQuery(QSqlDatabase::database(UI)).exec("DROP TRIGGER refuse");
    QCOMPARE(answerer.boxes.value(1),
             QString("Unable to store the '1/4 Hour Values' records retrieved from the "
                     "tolVane device in the database: 10 of 12 entries were stored."));
    QCOMPARE(rowCount("SecLogs", 44), 10);
    QVERIFY(!child<QProgressBar>("progressSecLog")->isVisibleTo(m_pWindow));
    QVERIFY(child<QToolButton>("buttonRetrieveSecLog")->isEnabled());
}

void TestMainWindow::minuteRowSurvivesACancelledImport()
{
    // A poll arrives while the import asks for the serial number; the import is then cancelled
    // and rolled back, but the minute row of the poll stays.
    const QString path = m_dir.filePath("noserial.csv");
    QVERIFY(writeFile(path, "TIM\n01.05.2024 09:00\n01.05.2024 09:01\n01.05.2024 09:02\n"));
    m_pWindow->minuteLogTab()->setClock([] { return at("2024-05-01T10:00:00"); });
    bool bPolled = false;
    CModalAnswerer answerer(
        [&](QWidget* pWidget)
        {
            if (auto* pDialog = qobject_cast<QFileDialog*>(pWidget))
            {
                pDialog->selectFile(path);
                QTimer::singleShot(0, pDialog, &QDialog::accept);
                return true;
            }
            if (auto* pDialog = qobject_cast<CSerialNrDlg*>(pWidget))
            {
                m_pWindow->onCurrentValues(values100(), 77, "3", "1.02", 10, 20, false, 1, 2, 3, 4, 0);
                bPolled = true;
                QTimer::singleShot(0, pDialog, &QDialog::reject);
                return true;
            }
            return false;
        });
    m_pWindow->onImport();
    QVERIFY(bPolled);
    QCOMPARE(rowCount("ValueLogs", 0), 0);
    QCOMPARE(minuteStamps(77), QList<qint64>({at("2024-05-01T10:00:00").toSecsSinceEpoch()}));
}

void TestMainWindow::minuteRowsWaitingForALock_data()
{
    QTest::addColumn<QString>("end"); // what ends the wait
    QTest::addColumn<bool>("unlocked");
    QTest::newRow("import ends") << "import" << true;
    QTest::newRow("program ends") << "quit" << true;
    QTest::newRow("program ends, database still locked") << "quit" << false;
}

void TestMainWindow::minuteRowsWaitingForALock()
{
    // Another writer (an import, another program) holds the database when the minute row is due:
    // the row waits, and is written when the operation ends, or at the latest when the program
    // ends; one that cannot be written then is reported, not dropped without a word.
    QFETCH(QString, end);
    QFETCH(bool, unlocked);
    const QString path = m_dir.filePath("rows.csv");
    QVERIFY(writeFile(path, "TIM;SNR\n01.05.2024 09:00;5\n01.05.2024 09:01;5\n01.05.2024 09:02;5\n"));
    QStringList boxes;
    {
        CWriteLock lock;
        QVERIFY(lock.isHeld());
        m_pWindow->minuteLogTab()->setClock([] { return at("2024-05-01T10:00:00"); });
        {
            CDialogAnswerer failures{QString()};
            m_pWindow->onCurrentValues(values100(), 77, "3", "1.02", 10, 20, false, 1, 2, 3, 4, 0);
        }
        QCOMPARE(m_pWindow->minuteLogTab()->pendingRows(), 1);
        if (unlocked)
            QVERIFY(lock.release());

        CDialogAnswerer answerer(path);
        if (end == "import")
            m_pWindow->onImport();
        else
            m_pWindow->writePendingMinuteRows();
        boxes = answerer.boxes;
    }
    QCOMPARE(minuteStamps(77).size(), unlocked ? 1 : 0);
    QCOMPARE(boxes.filter("minute rows").join(""),
             unlocked ? QString()
                      : QString("1 minute rows could not be written to the database and are lost."));
}

void TestMainWindow::exportServiceTabByteExact()
{
    // five names, four values: four rows
    serviceTabWith({"Total operating hours", "Name; with separator", "Quote \"x\"", "Grad \u00e4", "Fifth"},
                   {1234, 0, 4294967295u, 7});
    selectTab("Service Info");
    const QString path = m_dir.filePath("service.csv");
    CDialogAnswerer answerer(path);
    m_pWindow->onExport();
    QCOMPARE(readFile(path), QByteArray("Parameter;Value\n"
                                        "Total operating hours;1234\n"
                                        "\"Name; with separator\";0\n"
                                        "\"Quote \"\"x\"\"\";4294967295\n"
                                        "Grad \xe4;7\n"));
    QCOMPARE(QSettings().value("FileExportDir").toString(), m_dir.path());
}

void TestMainWindow::exportOverwriteAndRefusal()
{
    serviceTabWith({"A"}, {1});
    selectTab("Service Info");
    const QString path = m_dir.filePath("old.csv");
    QVERIFY(writeFile(path, QByteArray(500, 'x')));
    {
        CDialogAnswerer no(path, QMessageBox::No, "exists alrady");
        m_pWindow->onExport();
        QVERIFY(!no.boxes.isEmpty());
        QCOMPARE(readFile(path), QByteArray(500, 'x'));
        QVERIFY(!QSettings().contains("FileExportDir"));
    }
    CDialogAnswerer yes(path, QMessageBox::Yes);
    m_pWindow->onExport();
    QVERIFY(
        yes.boxes.contains(QString("The file '%1' exists alrady. Do you want to overwrite it?").arg(path)));
    QCOMPARE(readFile(path), QByteArray("Parameter;Value\nA;1\n"));
}

void TestMainWindow::exportKeepsTheFileItReplaces_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("a file of mode 0640") << "mode";
    QTest::newRow("a file with a second name") << "hard link";
    QTest::newRow("a file of another owner") << "owner";
    QTest::newRow("a link to a file") << "symbolic link";
}

// The file the user agreed to overwrite gets the export and stays the file it was: its owner,
// group, mode and every name that leads to it.
void TestMainWindow::exportKeepsTheFileItReplaces()
{
    QFETCH(QString, kind);
    if (kind == "owner" && geteuid() != 0)
        QSKIP("only root can give a file to another owner");
    serviceTabWith({"A"}, {1});
    selectTab("Service Info");
    const QDir folder(m_dir.filePath(kind));
    QVERIFY(folder.mkpath("."));
    const QString file = folder.filePath("old.csv");
    const QString path = kind == "symbolic link" ? folder.filePath("link.csv") : file;
    const QString other = folder.filePath("other.csv");
    QVERIFY(writeFile(file, QByteArray(500, 'x')));
    QCOMPARE(chmod(QFile::encodeName(file).constData(), 0640), 0);
    if (kind == "hard link")
        QCOMPARE(link(QFile::encodeName(file).constData(), QFile::encodeName(other).constData()), 0);
    if (kind == "owner")
        QCOMPARE(chown(QFile::encodeName(file).constData(), 4321, 4322), 0);
    if (kind == "symbolic link")
        QVERIFY(QFile::link(file, path));
    struct stat before = {};
    QCOMPARE(stat(QFile::encodeName(file).constData(), &before), 0);

    CDialogAnswerer answerer(path, QMessageBox::Yes);
    m_pWindow->onExport();

    const QByteArray exported("Parameter;Value\nA;1\n");
    QCOMPARE(readFile(path), exported);
    struct stat after = {};
    QCOMPARE(stat(QFile::encodeName(file).constData(), &after), 0);
    QCOMPARE(after.st_mode, before.st_mode);
    QCOMPARE(after.st_uid, before.st_uid);
    QCOMPARE(after.st_gid, before.st_gid);
    QCOMPARE(after.st_nlink, before.st_nlink);
    if (kind == "hard link")
        QCOMPARE(readFile(other), exported);
    QCOMPARE(QFileInfo(path).isSymLink(), kind == "symbolic link");
    QCOMPARE(answerer.boxes.size(), 1); // the question, no failure
    QCOMPARE(folder.entryList(QDir::Files | QDir::System).size(), kind == "mode" || kind == "owner" ? 1 : 2);
}

void TestMainWindow::fillMinuteRows(int nRows)
{
    QSqlQuery q(QSqlDatabase::database(UI));
    QVERIFY(q.exec(QString("WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < %1) "
                           "INSERT INTO ValueLogs (LogTimestamp, SNR, HOU, TET) "
                           "SELECT 1714557600 + 60 * i, 22, 50, 21.5 FROM n")
                       .arg(nRows - 1)));
    m_pWindow->reloadViews(true);
    QVERIFY(combo()->selectSerialNr(22, false));
    selectTab("Minute Values");
}

void TestMainWindow::exportReportsAFailedWrite()
{
    // A disk that fills up after 16 KiB: the export of 2000 rows fails and the file it was to
    // replace stays as it was.
    fillMinuteRows(2000);
    QVERIFY(QDir(m_dir.path()).mkpath("full"));
    const QString path = m_dir.filePath("full/full.csv");
    QVERIFY(writeFile(path, "old content\n"));
    CDialogAnswerer answerer(path, QMessageBox::Yes);
    rlimit limit{};
    QCOMPARE(getrlimit(RLIMIT_FSIZE, &limit), 0);
    const rlimit full{16384, limit.rlim_max};
    const sighandler_t previous = signal(SIGXFSZ, SIG_IGN);
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &full), 0);
    m_pWindow->onExport();
    setrlimit(RLIMIT_FSIZE, &limit);
    signal(SIGXFSZ, previous);
    // the system's reason, not a guess
    QCOMPARE(answerer.boxes.last(),
             QString("Unable to write file '%1'.\n%2").arg(path, QString::fromLocal8Bit(strerror(EFBIG))));
    QCOMPARE(readFile(path), QByteArray("old content\n"));
    QCOMPARE(QDir(m_dir.filePath("full")).entryList(QDir::Files), QStringList{"full.csv"});
}

void TestMainWindow::exportCancelKeepsTheFile()
{
    fillMinuteRows(3000);
    QVERIFY(QDir(m_dir.path()).mkpath("cancel"));
    const QString path = m_dir.filePath("cancel/minutes.csv");
    QVERIFY(writeFile(path, "old content\n"));
    CDialogAnswerer answerer(path, QMessageBox::Yes);
    int nCancelled = 0;
    CModalAnswerer canceller(
        [&nCancelled](QWidget* pWidget)
        {
            auto* pProgress = qobject_cast<QProgressDialog*>(pWidget);
            if (!pProgress)
                return false;
            ++nCancelled;
            QTimer::singleShot(0, pProgress, &QProgressDialog::cancel);
            return true;
        });
    m_pWindow->onExport();
    QCOMPARE(nCancelled, 1);
    QCOMPARE(answerer.boxes.size(), 1); // the overwrite question, nothing after the cancel
    QCOMPARE(readFile(path), QByteArray("old content\n"));
    QCOMPARE(QDir(m_dir.filePath("cancel")).entryList(QDir::Files), QStringList{"minutes.csv"});
}

void TestMainWindow::exportReplacesNoFileMadeMeanwhile_data()
{
    QTest::addColumn<bool>("agreed");  // a file had the name, and the user agreed to overwrite it
    QTest::addColumn<QString>("wait"); // the wait during which another program puts its file there
    QTest::newRow("a file made where none was") << false << "export";
    QTest::newRow("another file put in place of the one agreed to") << true << "export";
    QTest::newRow("another file put in place of the one asked about") << true << "question";
}

// While the export waits, another program puts a file of its own under the chosen name. That file
// is not what the user agreed to overwrite: it stays, and the user is told.
void TestMainWindow::exportReplacesNoFileMadeMeanwhile()
{
    QFETCH(bool, agreed);
    QFETCH(QString, wait);
    fillMinuteRows(3000);
    const QDir folder(m_dir.filePath(QTest::currentDataTag()));
    QVERIFY(folder.mkpath("."));
    const QString path = folder.filePath("minutes.csv");
    QVERIFY(!agreed || writeFile(path, "old\n"));
    const auto putAnother = [&]
    {
        const QString made = folder.filePath("made.tmp");
        return writeFile(made, "another program's\n") &&
               ::rename(QFile::encodeName(made).constData(), QFile::encodeName(path).constData()) == 0;
    };
    QStringList boxes;
    int nPut = 0;
    CModalAnswerer answerer(
        [&](QWidget* pWidget)
        {
            if (auto* pDialog = qobject_cast<QFileDialog*>(pWidget))
            {
                pDialog->selectFile(path);
                QTimer::singleShot(0, pDialog, &QDialog::accept);
                return true;
            }
            if (qobject_cast<QProgressDialog*>(pWidget))
            {
                if (wait != "export")
                    return false;
                nPut += putAnother() ? 1 : 0;
                return true;
            }
            auto* pBox = qobject_cast<QMessageBox*>(pWidget);
            if (!pBox)
                return false;
            boxes << pBox->text();
            if (wait == "question" && boxes.size() == 1 && putAnother())
                ++nPut;
            QAbstractButton* pYes = pBox->button(QMessageBox::Yes);
            QTimer::singleShot(0, pYes ? pYes : pBox->buttons().value(0), &QAbstractButton::click);
            return true;
        });
    m_pWindow->onExport();
    QCOMPARE(nPut, 1);
    QCOMPARE(readFile(path), QByteArray("another program's\n"));
    QCOMPARE(boxes.size(), agreed ? 2 : 1);
    QCOMPARE(boxes.last(),
             QString("Unable to write file '%1'.\n%2").arg(path, QString::fromLocal8Bit(strerror(EEXIST))));
    QCOMPARE(folder.entryList(QDir::Files), QStringList{"minutes.csv"});
}

void TestMainWindow::exportOnlyOnExportablePages()
{
    for (const char* title : {"Overview", "Detailed Information", "Diagrams", "WiFi Setup"})
    {
        selectTab(title);
        CDialogAnswerer answerer(m_dir.filePath("never.csv"));
        m_pWindow->onExport();
        QCOMPARE(
            answerer.boxes,
            QStringList({"This function is only available for the tab pages Minute Values, 1/4 Hour Values, "
                         "Daily Values, Monthly Values and Service Info. "}));
    }
    QVERIFY(!QFile::exists(m_dir.filePath("never.csv")));
}

void TestMainWindow::exportIsOfTheUnitShownWhenAsked_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<bool>("plus"); // the unit that comes
    QTest::addColumn<QByteArray>("row");
    QTest::newRow("minute values, a plus unit comes")
        << "Minute Values" << true << QByteArray("\n01.05.2024 10:01");
    QTest::newRow("service counters, another unit comes") << "Service Info" << false << QByteArray("\nA;1\n");
}

// Another unit comes on the port while the file is chosen, and the selector and pages follow it:
// the file holds what was shown when the export was asked for.
void TestMainWindow::exportIsOfTheUnitShownWhenAsked()
{
    QFETCH(QString, page);
    QFETCH(bool, plus);
    QFETCH(QByteArray, row);
    addRows();
    m_pWindow->reloadViews(true);
    QVERIFY(combo()->selectSerialNr(22, false));
    serviceTabWith({"A"}, {1});
    selectTab(page);
    const QString before = m_dir.filePath("before.csv");
    QFile::remove(before);
    {
        CDialogAnswerer answerer(before);
        m_pWindow->onExport();
    }
    const QString path = m_dir.filePath("asked.csv");
    QFile::remove(path);
    CModalAnswerer answerer(
        [&](QWidget* pWidget)
        {
            auto* pDialog = qobject_cast<QFileDialog*>(pWidget);
            if (!pDialog)
                return false;
            pDialog->selectFile(path);
            plugIn(SSimUnitModel::make(plus ? EUnitType::TolVanePlus : EUnitType::TolVane100, 44));
            QTimer::singleShot(0, pDialog, &QDialog::accept);
            return true;
        });
    m_pWindow->onExport();
    QCOMPARE(combo()->itemText(combo()->currentIndex()),
             QString(plus ? "tolVane plus: 44" : "tolVane 100: 44"));
    QVERIFY(readFile(before).contains(row));
    QCOMPARE(readFile(path), readFile(before));
}

// A unit of the other type comes on the port while the diagram's file is chosen: the page is made
// anew for its type, and the picture of the page the export was asked on is still saved.
void TestMainWindow::diagramExportOutlivesItsPage()
{
    selectTab("Diagrams");
    QPointer<CGraphicsTab> pPage = m_pWindow->findChild<CGraphicsTab*>();
    QVERIFY(pPage);
    const QString path = m_dir.filePath("diagram.png");
    CModalAnswerer answerer(
        [&](QWidget* pWidget)
        {
            auto* pDialog = qobject_cast<QFileDialog*>(pWidget);
            if (!pDialog)
                return false;
            pDialog->selectFile(path);
            plugIn(SSimUnitModel::make(EUnitType::TolVanePlus, 700123));
            QTimer::singleShot(0, pDialog, &QDialog::accept);
            return true;
        });
    pPage->findChild<QPushButton*>("m_pBtnExport")->click();
    QVERIFY(!pPage); // replaced while the dialog was open
    QImage picture;
    QVERIFY(picture.load(path));
    QVERIFY(!picture.isNull());
}

void TestMainWindow::exportAndImportRoundTrip()
{
    addRows();
    // the import takes files of three rows or more
    for (const char* time : {"2024-05-01T10:04:00", "2024-05-01T10:05:00"})
    {
        m_pWindow->minuteLogTab()->setClock([time] { return at(time); });
        m_pWindow->minuteLogTab()->setCurrentValues(values100(), 22, "", "", 1, 2, 3, 4, 5, 6, 0);
    }
    m_pWindow->reloadViews(true);
    QVERIFY(combo()->selectSerialNr(22, false));
    selectTab("Minute Values");
    const QString path = m_dir.filePath("minutes.csv");
    {
        CDialogAnswerer answerer(path);
        m_pWindow->onExport();
    }
    {
        // the header (whose cells may hold line breaks) and the rows of unit 22
        CVokDelimTextModel exported;
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(exported.load(&file, true, ';', '"', "ISO 8859-1"));
        QCOMPARE(exported.rowCount(), 3);
        QVERIFY(readFile(path).endsWith('\n'));
    }

    m_pMinute->deleteRecords(22);
    QCOMPARE(rowCount("ValueLogs", 22), 0);
    CDialogAnswerer answerer(path);
    m_pWindow->onImport();
    QCOMPARE(rowCount("ValueLogs", 22), 3);
    QCOMPARE(rowCount("ValueLogs", 11), 1);
    QCOMPARE(QSettings().value("FileImportDir").toString(), m_dir.path());
    QCOMPARE(combo()->getCurrentSerialNr(), 22);
}

void TestMainWindow::importOfUnreadableFileKeepsFolder()
{
    const QString path = m_dir.filePath("missing.csv");
    CDialogAnswerer answerer(path);
    m_pWindow->onImport();
    QCOMPARE(answerer.boxes.value(0).section('\n', 0, 0), QString("Unable to open file '%1'.").arg(path));
    QCOMPARE(answerer.boxes.count(), 1);
    QCOMPARE(QSettings().value("FileImportDir").toString(), m_dir.path());
}

void TestMainWindow::importRefusesAPipe()
{
    // Opening a pipe for reading waits for a writer. A writer of our own, which waits for a reader,
    // lets a program that opens it go on to an empty file instead of hanging the test.
    const QString path = m_dir.filePath("pipe.csv");
    QCOMPARE(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    std::thread writer([&path] { ::close(::open(QFile::encodeName(path).constData(), O_WRONLY)); });
    CDialogAnswerer answerer(path);
    m_pWindow->onImport();
    // a reader that never blocks sets the writer free if the import did not
    ::close(::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK));
    writer.join();
    QCOMPARE(answerer.boxes,
             QStringList{QString("Unable to open file '%1'.\nNot a regular file.").arg(path)});
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
