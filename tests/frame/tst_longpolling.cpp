#include "ComboDayFilter.h"
#include "FanBase.h"
#include "MainObject.h"
#include "MainWindow.h"
#include "MinuteLogDB.h"
#include "MinuteLogTab.h"
#include "PortEnumerator.h"
#include "SecLogDB.h"
#include "SecLogDB70.h"
#include "SimUnit.h"

#include <QtTest>

#include <malloc.h>
#include <memory>
#include <sqlite3.h>

// The program as owners run it: the window shown, a unit answering every poll for hours. The
// polls run one after another on a driven clock, so hours take seconds.
using namespace unitsim;

class TestLongPolling : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void memoryStaysFlatOverHoursOfPolling_data();
    void memoryStaysFlatOverHoursOfPolling();

private:
    std::unique_ptr<CMinuteLogDB> m_pMinute;
    std::unique_ptr<CMinuteLogDB70> m_pMinute70;
    std::unique_ptr<CSecLogDB> m_pSec;
    std::unique_ptr<CSecLogDB70> m_pSec70;
};

void TestLongPolling::initTestCase()
{
    QCoreApplication::setOrganizationName("Quorvanix");
    QCoreApplication::setApplicationName("tolVane-Vozudoz");
    m_pMinute.reset(new CMinuteLogDB("UIThread"));
    m_pMinute70.reset(new CMinuteLogDB70("UIThread"));
    m_pSec.reset(new CSecLogDB("UIThread"));
    m_pSec70.reset(new CSecLogDB70("UIThread"));
    QVERIFY(m_pMinute->createTable() && m_pMinute70->createTable() && m_pSec->createTable() &&
            m_pSec70->createTable());
}

void TestLongPolling::memoryStaysFlatOverHoursOfPolling_data()
{
    QTest::addColumn<int>("type");
    QTest::newRow("tolVane100") << int(EUnitType::TolVane100);
    QTest::newRow("tolVane plus") << int(EUnitType::TolVanePlus);
}

void TestLongPolling::memoryStaysFlatOverHoursOfPolling()
{
    // Each poll the disabled serial-number box showed the unit under a new icon, and Qt's pixmap
    // cache kept a greyed copy of every one: about a kilobyte per poll, 8 MB a day.
    QFETCH(int, type);
    CSimUnit sim(SSimUnitModel::make(EUnitType(type), 4711));
    QVERIFY(sim.start());
    CMainObject object(false);
    object.setPollInterval(600000); // the polls below are driven by hand
    object.setSleep([](int) {});
    CMainWindow::create(&object, m_pMinute.get(), m_pMinute70.get(), m_pSec.get(), m_pSec70.get());
    std::unique_ptr<CMainWindow> pWindow(CMainWindow::getInstance());
    // The unit's first values are stored on a day before; the minute page keeps that day as the
    // user chose it, so the rows stored meanwhile (a day of them at most) are not held for display.
    const QDate shown(2024, 4, 29);
    QDateTime now(shown, QTime(12, 0));
    pWindow->minuteLogTab()->setClock([&now] { return now; });
    pWindow->reloadViews(true);
    pWindow->show();
    QVERIFY(QTest::qWaitForWindowExposed(pWindow.get()));
    qputenv(CPortEnumerator::UNIT_PORT_VARIABLE, sim.portName().toLocal8Bit());
    pWindow->onDeviceListChanged();
    QCOMPARE(object.state(), STATE_OK);
    QVERIFY(pWindow->minuteLogTab()->dayFilter()->selectDate(shown));
    now = QDateTime(QDate(2024, 5, 1), QTime(10, 0));

    // Polls for the time given; returns how many of them the unit answered.
    const auto pollFor = [&](int nSeconds)
    {
        int nAnswered = 0;
        const auto answered = [&nAnswered] { ++nAnswered; };
        const QMetaObject::Connection values = connect(&object, &CMainObject::signalCurrentValues, answered);
        const QMetaObject::Connection values70 =
            connect(&object, &CMainObject::signalCurrentValues70, answered);
        for (int nPassed = 0; nPassed < nSeconds; nPassed += CMainObject::POLL_INTERVAL_MS / 1000)
        {
            now = now.addMSecs(CMainObject::POLL_INTERVAL_MS);
            object.on_Timer();
            QCoreApplication::processEvents(); // painted as the owner sees it
            sim.clearRecords();
        }
        disconnect(values);
        disconnect(values70);
        return nAnswered;
    };
    // The first hour fills what fills once (caches of what is drawn, pools).
    pollFor(3600);
    QCOMPARE(pWindow->minuteLogTab()->shownDate(), shown);
    // SQLite's page cache grows with the file up to its bound and is left out.
    const auto heapInUse = [] { return qint64(mallinfo2().uordblks) - sqlite3_memory_used(); };
    const qint64 nHeap = heapInUse();
    const int nPolls = 2 * 3600 * 1000 / CMainObject::POLL_INTERVAL_MS;
    const int nAnswered = pollFor(2 * 3600);
    const qint64 nGrowth = heapInUse() - nHeap;

    pWindow.reset();
    CFanBase::closeComPort();
    qunsetenv(CPortEnumerator::UNIT_PORT_VARIABLE);
    QVERIFY2(nAnswered > nPolls * 9 / 10,
             qPrintable(QString("%1 of %2 polls answered").arg(nAnswered).arg(nPolls)));
    QVERIFY2(nGrowth < 64 * 1024, qPrintable(QString("the heap grew by %1 bytes in two hours").arg(nGrowth)));
}

QTEST_MAIN(TestLongPolling)
#include "tst_longpolling.moc"
