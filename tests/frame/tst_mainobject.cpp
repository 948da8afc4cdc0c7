#include "Fan.h"
#include "FanPollingThread.h"
#include "Fan_70_PC.h"
#include "MainObject.h"
#include "SecLogDB.h"
#include "SecLogDB70.h"
#include "SimRequests.h"
#include "SimUnit.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QtTest>
#include <atomic>
#include <memory>

// The polling object against the simulated unit over a pseudo-terminal, in the test's thread.
using namespace unitsim;

namespace
{
QList<int> states(const QSignalSpy& spy)
{
    QList<int> out;
    for (const auto& args : spy)
        out << args.at(0).toInt();
    return out;
}

QList<int> progress(const QSignalSpy& spy)
{
    QList<int> out;
    for (const auto& args : spy)
        out << args.at(0).toInt();
    return out;
}

// The ring indices the retrieval asked for, in order.
QList<int> secLogRequestStarts(const CSimUnit& sim)
{
    QList<int> out;
    for (const SSimFrame& f : sim.receivedFrames())
        if (!f.isAck() && f.messageCode() == HLP_REPORT_SEC_LOG)
            out << (quint8(f.data[2]) | (quint8(f.data[3]) << 8));
    return out;
}

int identificationRequests(const CSimUnit& sim)
{
    int n = 0;
    for (const SSimFrame& f : sim.receivedFrames())
        n += !f.isAck() && f.messageCode() == HLP_REPORT_IDENT ? 1 : 0;
    return n;
}

QList<qint64> storedStamps(const QString& table, int serial)
{
    QSqlQuery q(QSqlDatabase::database("WorkerThread"));
    q.prepare(QString("SELECT LogTimestamp FROM %1 WHERE SNR = ? ORDER BY LogTimestamp").arg(table));
    q.addBindValue(serial);
    QList<qint64> out;
    if (q.exec())
        while (q.next())
            out << q.value(0).toLongLong();
    return out;
}

qint64 utc(const char* text)
{
    return QDateTime::fromString(text, Qt::ISODate).toSecsSinceEpoch();
}
} // namespace

class TestMainObject : public QObject
{
    Q_OBJECT

    std::unique_ptr<CSimUnit> m_pSim;
    std::unique_ptr<CMainObject> m_pObject;
    QList<int> m_Sleeps;

    // Starts a unit and a polling object whose waits are recorded, not slept.
    void start(const SSimUnitModel& model)
    {
        m_pSim.reset(new CSimUnit(model));
        QVERIFY(m_pSim->start());
        m_pObject.reset(new CMainObject(false));
        m_pObject->setPollInterval(600000);
        m_pObject->setSleep([this](int ms) { m_Sleeps << ms; });
        m_pObject->setClock([] { return QDateTime::fromString("2024-01-10T12:07:00Z", Qt::ISODate); });
    }

private slots:
    void initTestCase()
    {
        CSecLogDB db("WorkerThread");
        QVERIFY(db.createTable());
        CSecLogDB70 db70("WorkerThread");
        QVERIFY(db70.createTable());
    }
    void init()
    {
        m_Sleeps.clear();
        CSecLogDB("WorkerThread").deleteRecords(-1);
        CSecLogDB70("WorkerThread").deleteRecords(-1);
    }
    void cleanup()
    {
        m_pObject.reset();
        CFanBase::closeComPort();
        m_pSim.reset();
    }

    void identifiesAndChoosesUnitClass_data();
    void identifiesAndChoosesUnitClass();
    void bootloaderIsAskedToStartTheApplication();
    void pollIdentifiesAfterFailedIdentification();
    void unprogrammedUnitIsIdentifiedOnce();
    void samePortAndUnplugging();
    void unitObjectsStayFewOverManySwaps_data();
    void unitObjectsStayFewOverManySwaps();
    void pollTimerDrivesPolls();
    void failedRequestsReportCommunicationError_data();
    void failedRequestsReportCommunicationError();
    void countersAreReadEverySixthPoll();
    void derivedCounterValues_data();
    void derivedCounterValues();
    void wifiSignalStrength_data();
    void wifiSignalStrength();
    void retrievalInChunksOverTheRingEnd();
    void retrievalOfAnEmptySpan();
    void retrievalStopsAtCommunicationError();
    void retrievalStopsWhenTheStoreFails();
    void retrievalOfPlusUnit();
    void retrievalRefusesUnknownSpan();
    void retrievalOnlyOfTheUnitAskedFor_data();
    void retrievalOnlyOfTheUnitAskedFor();
    void persistentCounters();
    void credentialsReachOnlyATolVane100_data();
    void credentialsReachOnlyATolVane100();
    void pollingThreadHandsOverItsObject();
};

void TestMainObject::identifiesAndChoosesUnitClass_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("bootVersion");
    QTest::addColumn<QString>("hwVersion");
    QTest::newRow("tolVane100") << int(EUnitType::TolVane100) << "1.02"
                                << "3";
    QTest::newRow("plus") << int(EUnitType::TolVanePlus) << "1.01"
                          << "2";
}

void TestMainObject::identifiesAndChoosesUnitClass()
{
    QFETCH(int, type);
    QFETCH(QString, bootVersion);
    QFETCH(QString, hwVersion);
    const bool bPlus = type == int(EUnitType::TolVanePlus);
    start(SSimUnitModel::make(EUnitType(type), 4711));
    QSignalSpy stateSpy(m_pObject.get(), &CMainObject::signalRozirarionState);
    QSignalSpy values(m_pObject.get(), &CMainObject::signalCurrentValues);
    QSignalSpy values70(m_pObject.get(), &CMainObject::signalCurrentValues70);

    m_pObject->onComPortChanged(m_pSim->portName());

    QCOMPARE(states(stateSpy), QList<int>({STATE_OK}));
    QCOMPARE(stateSpy.at(0).at(1).toInt(), 4711);
    QCOMPARE(stateSpy.at(0).at(2).toBool(), bPlus);
    QCOMPARE(qobject_cast<CFan_70_PC*>(m_pObject->fan()) != nullptr, bPlus);
    QCOMPARE(m_pObject->fan()->getUnitType(), bPlus ? 1 : 0);
    // one poll at once after the identification
    const QSignalSpy& got = bPlus ? values70 : values;
    QCOMPARE(got.count(), 1);
    QCOMPARE((bPlus ? values : values70).count(), 0);
    QCOMPARE(got.at(0).at(1).toInt(), 4711);
    QCOMPARE(got.at(0).at(2).toString(), hwVersion);
    QCOMPARE(got.at(0).at(3).toString(), bootVersion); // the bootloader's at a port change
    QCOMPARE(got.at(0).at(4).toInt(), 1234);           // operating hours
    QCOMPARE(got.at(0).at(5).toInt(), 321);            // filter hours
    QVERIFY(m_pObject->isPolling());
    QCOMPARE(m_Sleeps, QList<int>());

    // the other type plugged in on another port replaces the unit object
    CSimUnit other(SSimUnitModel::make(bPlus ? EUnitType::TolVane100 : EUnitType::TolVanePlus, 99));
    QVERIFY(other.start());
    m_pObject->onComPortChanged(other.portName());
    QCOMPARE(m_pObject->fan()->getUnitType(), bPlus ? 0 : 1);
    QCOMPARE(m_pObject->serialNr(), 99);
    QCOMPARE(states(stateSpy), QList<int>({STATE_OK, STATE_NOT_ROZIRARED, STATE_OK}));
    QCOMPARE(stateSpy.last().at(2).toBool(), !bPlus);
    CFanBase::closeComPort();
}

void TestMainObject::bootloaderIsAskedToStartTheApplication()
{
    SSimUnitModel model = SSimUnitModel::make(EUnitType::TolVane100, 12);
    model.ident.runningPart = 1;
    start(model);
    QSignalSpy stateSpy(m_pObject.get(), &CMainObject::signalRozirarionState);
    QSignalSpy values(m_pObject.get(), &CMainObject::signalCurrentValues);

    m_pObject->onComPortChanged(m_pSim->portName());

    QCOMPARE(states(stateSpy), QList<int>({STATE_COMMUNICATION_ERROR}));
    QCOMPARE(m_Sleeps, QList<int>({8000}));
    QTRY_COMPARE(int(m_pSim->model().ident.runningPart), 3); // the start request arrives unacknowledged
    QCOMPARE(values.count(), 0);
    QVERIFY(m_pObject->isPolling());

    // the next poll knows the serial number and reads the state
    m_pObject->on_Timer();
    QCOMPARE(values.count(), 1);
    QCOMPARE(values.at(0).at(1).toInt(), 12);
    QCOMPARE(states(stateSpy).last(), int(STATE_OK));
}

void TestMainObject::pollIdentifiesAfterFailedIdentification()
{
    start(SSimUnitModel::make(EUnitType::TolVanePlus, 70002));
    QSignalSpy stateSpy(m_pObject.get(), &CMainObject::signalRozirarionState);
    QSignalSpy values70(m_pObject.get(), &CMainObject::signalCurrentValues70);
    m_pSim->addFault({ESimFault::WrongReplyId, 99, 1, 1});

    m_pObject->onComPortChanged(m_pSim->portName());
    QCOMPARE(states(stateSpy), QList<int>({STATE_COMMUNICATION_ERROR}));
    QCOMPARE(m_pObject->serialNr(), -1);
    QVERIFY(m_pObject->isPolling());

    // the poll identifies the unit, and a plus unit is then polled as one
    m_pObject->on_Timer();
    QCOMPARE(m_pObject->serialNr(), 70002);
    QCOMPARE(m_pObject->fan()->getUnitType(), 1);
    QCOMPARE(values70.count(), 1);
    QCOMPARE(values70.at(0).at(3).toString(), QString("1.10")); // the application's version here
    QCOMPARE(states(stateSpy).last(), int(STATE_OK));
}

void TestMainObject::unprogrammedUnitIsIdentifiedOnce()
{
    // 0xFFFFFFFF is a serial number like any other, not "not identified yet"
    start(SSimUnitModel::make(EUnitType::TolVane100, 0xFFFFFFFFu));
    QSignalSpy stateSpy(m_pObject.get(), &CMainObject::signalRozirarionState);
    QSignalSpy values(m_pObject.get(), &CMainObject::signalCurrentValues);
    m_pObject->onComPortChanged(m_pSim->portName());
    m_pObject->on_Timer();
    m_pObject->on_Timer();
    QCOMPARE(values.count(), 3);
    QCOMPARE(identificationRequests(*m_pSim), 1);
    QCOMPARE(m_pObject->serialNr(), qint64(0xFFFFFFFFu));
    QCOMPARE(values.last().at(1).value<quint32>(), 0xFFFFFFFFu);
    QCOMPARE(stateSpy.at(0).at(1).toLongLong(), qint64(0xFFFFFFFFu));
}

void TestMainObject::samePortAndUnplugging()
{
    start(SSimUnitModel::make(EUnitType::TolVanePlus, 5));
    m_pObject->onComPortChanged(m_pSim->portName());
    QSignalSpy stateSpy(m_pObject.get(), &CMainObject::signalRozirarionState);
    QSignalSpy values(m_pObject.get(), &CMainObject::signalCurrentValues70);
    m_pSim->clearRecords();

    m_pObject->onComPortChanged(m_pSim->portName());
    QCOMPARE(stateSpy.count(), 0);
    QCOMPARE(values.count(), 0);
    QCOMPARE(requestCount(*m_pSim), 0);

    // unplugged: the port is closed, the plus object gives way to a tolVane100 object, the
    // timer keeps running and the state is left to the next poll
    m_pObject->onComPortChanged(QString());
    QVERIFY(CFanBase::getComPortName().isEmpty());
    QCOMPARE(m_pObject->fan()->getUnitType(), 0);
    QVERIFY(m_pObject->isPolling());
    QCOMPARE(stateSpy.count(), 0);
    m_pObject->on_Timer();
    QCOMPARE(states(stateSpy), QList<int>({STATE_COMMUNICATION_ERROR}));
}

void TestMainObject::unitObjectsStayFewOverManySwaps_data()
{
    QTest::addColumn<bool>("unplugged");
    QTest::newRow("the other type on another port") << false;
    QTest::newRow("unplugged between") << true;
}

// A program left running for months sees units of both types come and go: every swap of the unit
// type kept the replaced unit object until the end. The object in use still talks to the unit
// there: it polls it and reads its second log.
void TestMainObject::unitObjectsStayFewOverManySwaps()
{
    QFETCH(bool, unplugged);
    start(SSimUnitModel::make(EUnitType::TolVane100, 100));
    CSimUnit plus(SSimUnitModel::make(EUnitType::TolVanePlus, 70));
    QVERIFY(plus.start());
    QSignalSpy values(m_pObject.get(), &CMainObject::signalCurrentValues);
    QSignalSpy values70(m_pObject.get(), &CMainObject::signalCurrentValues70);
    QSignalSpy progressSpy(m_pObject.get(), &CMainObject::signalSecLogRetrievalProcess);
    const int nSwaps = 20;
    for (int nSwap = 1; nSwap <= nSwaps + 2; ++nSwap)
    {
        const bool bPlus = nSwap % 2 == 1;
        if (unplugged)
            m_pObject->onComPortChanged(QString());
        values.clear();
        values70.clear();
        m_pObject->onComPortChanged((bPlus ? plus : *m_pSim).portName());
        QCOMPARE(m_pObject->serialNr(), bPlus ? 70 : 100);
        QCOMPARE(m_pObject->fan()->getUnitType(), bPlus ? 1 : 0);
        if (nSwap <= nSwaps)
            continue;
        // the last two swaps: one unit of each type, polled and read as the owner would
        m_pObject->on_Timer();
        QCOMPARE((bPlus ? values70 : values).count(), 2);
        QCOMPARE((bPlus ? values : values70).count(), 0);
        QCOMPARE((bPlus ? values70 : values).last().at(1).toInt(), bPlus ? 70 : 100);
        progressSpy.clear();
        m_pObject->retrieveSecLog(CLogging::TS_DAY, bPlus ? 70 : 100, bPlus);
        QCOMPARE(progress(progressSpy).last(), int(CMainObject::PROGRESS_DONE));
        QVERIFY(!storedStamps(bPlus ? "SecLogs70" : "SecLogs", bPlus ? 70 : 100).isEmpty());
    }
    const QList<CFanBase*> units = m_pObject->findChildren<CFanBase*>();
    QVERIFY(units.contains(m_pObject->fan()));
    QVERIFY2(units.size() <= 2, qPrintable(QString("%1 unit objects alive").arg(units.size())));
    CFanBase::closeComPort();
}

void TestMainObject::pollTimerDrivesPolls()
{
    start(SSimUnitModel::make(EUnitType::TolVane100));
    m_pObject->setPollInterval(5);
    QSignalSpy values(m_pObject.get(), &CMainObject::signalCurrentValues);
    m_pObject->onComPortChanged(m_pSim->portName());
    QCOMPARE(values.count(), 1);
    QVERIFY(values.wait(5000));
}

void TestMainObject::failedRequestsReportCommunicationError_data()
{
    QTest::addColumn<int>("failingReply");
    // After the identification at the port change: replies 1 state, 2.. counters.
    QTest::newRow("state") << 1;
    QTest::newRow("counters") << 2;
}

void TestMainObject::failedRequestsReportCommunicationError()
{
    QFETCH(int, failingReply);
    start(SSimUnitModel::make(EUnitType::TolVane100));
    QSignalSpy stateSpy(m_pObject.get(), &CMainObject::signalRozirarionState);
    QSignalSpy values(m_pObject.get(), &CMainObject::signalCurrentValues);
    // the identification is the first reply
    m_pSim->addFault({ESimFault::WrongReplyId, 99, 1 + failingReply, 1});

    m_pObject->onComPortChanged(m_pSim->portName());

    QCOMPARE(states(stateSpy), QList<int>({STATE_OK, STATE_COMMUNICATION_ERROR}));
    QCOMPARE(values.count(), 0);
}

void TestMainObject::countersAreReadEverySixthPoll()
{
    start(SSimUnitModel::make(EUnitType::TolVane100));
    QSignalSpy values(m_pObject.get(), &CMainObject::signalCurrentValues);
    m_pObject->onComPortChanged(m_pSim->portName()); // poll 1 reads them
    m_pSim->updateModel([](SSimUnitModel& m) { m.counters[CPersCounter_ReadOnly::CNT_FAN_COMM_FCA] = 777; });
    for (int poll = 2; poll <= 7; ++poll)
        m_pObject->on_Timer();
    QList<quint32> succeeded;
    for (const auto& args : values)
        succeeded << args.at(9).value<quint32>();
    QCOMPARE(succeeded, QList<quint32>({43, 43, 43, 43, 43, 43, 777}));
}

void TestMainObject::derivedCounterValues_data()
{
    QTest::addColumn<quint32>("deiceTemp");
    QTest::addColumn<bool>("deicing");
    QTest::newRow("0") << 0u << false;
    QTest::newRow("1") << 1u << true;
    QTest::newRow("9") << 9u << true;
    QTest::newRow("10") << 10u << false;
    QTest::newRow("negative") << 0xFFFFFFFFu << false;
}

void TestMainObject::derivedCounterValues()
{
    QFETCH(quint32, deiceTemp);
    QFETCH(bool, deicing);
    SSimUnitModel model = SSimUnitModel::make(EUnitType::TolVane100);
    model.counters[39] = deiceTemp;
    model.counters[41] = 0xC5; // only the low six bits count: 5
    model.counters[42] = 0x40; // 0
    model.counters[43] = 100000;
    model.counters[44] = 17;
    start(model);
    QSignalSpy values(m_pObject.get(), &CMainObject::signalCurrentValues);
    m_pObject->onComPortChanged(m_pSim->portName());
    QCOMPARE(values.count(), 1);
    const QList<QVariant>& args = values.at(0);
    QCOMPARE(args.at(6).toBool(), deicing);
    QCOMPARE(args.at(7).toInt(), 4);
    QCOMPARE(args.at(8).toInt(), -1);
    QCOMPARE(args.at(9).value<quint32>(), 100000u);
    QCOMPARE(args.at(10).value<quint32>(), 17u);
}

void TestMainObject::wifiSignalStrength_data()
{
    QTest::addColumn<int>("appMain");
    QTest::addColumn<bool>("failWifi");
    QTest::addColumn<int>("rssi");
    QTest::newRow("application 1: no Wi-Fi") << 1 << false << 0;
    QTest::newRow("application 2") << 2 << false << -55;
    QTest::newRow("application 2, failed read") << 2 << true << 100;
}

void TestMainObject::wifiSignalStrength()
{
    QFETCH(int, appMain);
    QFETCH(bool, failWifi);
    QFETCH(int, rssi);
    SSimUnitModel model = SSimUnitModel::make(EUnitType::TolVane100);
    model.ident.appMain = quint8(appMain);
    start(model);
    QSignalSpy values(m_pObject.get(), &CMainObject::signalCurrentValues);
    m_pObject->onComPortChanged(m_pSim->portName());
    if (failWifi)
        m_pSim->addFault({ESimFault::WrongReplyId, 99, 2, 1}); // state, then Wi-Fi
    m_pObject->on_Timer();
    QCOMPARE(values.count(), 2);
    QCOMPARE(values.at(1).at(11).toInt(), rssi);
    if (appMain > 1)
        QVERIFY(g_bWifiAvailable);
}

void TestMainObject::retrievalInChunksOverTheRingEnd()
{
    SSimUnitModel model = SSimUnitModel::make(EUnitType::TolVane100, 4711);
    SSecLogRing& ring = model.secLogs[CLogging::TS_QUARTER_HOUR];
    const QByteArray entry = ring.entries[0];
    ring.resize(100);
    for (int i = 0; i < 100; ++i)
        ring.entries[i] = entry;
    ring.used = 25;
    ring.oldest = 95;
    start(model);
    m_pObject->onComPortChanged(m_pSim->portName());
    QSignalSpy spy(m_pObject.get(), &CMainObject::signalSecLogRetrievalProcess);

    m_pObject->retrieveSecLog(CLogging::TS_QUARTER_HOUR, 4711, false);

    QCOMPARE(progress(spy), QList<int>({0, 0, 40, 80, -1}));
    QCOMPARE(spy.at(0).at(1).value<CLogging::EMaxTimeSpan>(), CLogging::TS_QUARTER_HOUR);
    QCOMPARE(secLogRequestStarts(*m_pSim), QList<int>({95, 5, 15}));
    // 12:07 lies in the period from 12:00; the newest entry stands for the middle of the one
    // before, the oldest 24 quarter hours earlier
    const QList<qint64> stamps = storedStamps("SecLogs", 4711);
    QCOMPARE(stamps.count(), 25);
    QCOMPARE(stamps.first(), utc("2024-01-10T05:52:30Z"));
    QCOMPARE(stamps.last(), utc("2024-01-10T11:52:30Z"));
}

void TestMainObject::retrievalOfAnEmptySpan()
{
    SSimUnitModel model = SSimUnitModel::make(EUnitType::TolVane100, 4711);
    model.secLogs[CLogging::TS_DAY].erase();
    start(model);
    m_pObject->onComPortChanged(m_pSim->portName());
    QSignalSpy spy(m_pObject.get(), &CMainObject::signalSecLogRetrievalProcess);
    m_pObject->retrieveSecLog(CLogging::TS_DAY, 4711, false);
    QCOMPARE(progress(spy), QList<int>({0, -2, -1}));
    QCOMPARE(secLogRequestStarts(*m_pSim), QList<int>());
}

void TestMainObject::retrievalStopsAtCommunicationError()
{
    SSimUnitModel model = SSimUnitModel::make(EUnitType::TolVane100, 8);
    model.secLogs[CLogging::TS_MONTH].resize(24);
    for (int i = 0; i < 24; ++i)
        model.secLogs[CLogging::TS_MONTH].push(model.secLogs[CLogging::TS_QUARTER_HOUR].entries[0]);
    start(model);
    m_pObject->onComPortChanged(m_pSim->portName());
    QSignalSpy stateSpy(m_pObject.get(), &CMainObject::signalRozirarionState);
    QSignalSpy spy(m_pObject.get(), &CMainObject::signalSecLogRetrievalProcess);
    // replies: the counts, then two per chunk of ten (five entries each); the third chunk fails
    m_pSim->addFault({ESimFault::WrongReplyId, 99, 6, 1});

    m_pObject->retrieveSecLog(CLogging::TS_MONTH, 8, false);

    QCOMPARE(progress(spy), QList<int>({0, 0, 41, -3}));
    QCOMPARE(states(stateSpy), QList<int>({STATE_COMMUNICATION_ERROR}));
    QCOMPARE(storedStamps("SecLogs", 8).count(), 20);
}

void TestMainObject::retrievalStopsWhenTheStoreFails()
{
    // The database takes the first chunk, then refuses (as a full disk or a lock past the wait
    // would): the retrieval ends with a failure that says how much was stored, never with "done".
    SSimUnitModel model = SSimUnitModel::make(EUnitType::TolVane100, 4711);
    model.secLogs[CLogging::TS_QUARTER_HOUR].resize(30);
    for (int i = 0; i < 25; ++i)
        model.secLogs[CLogging::TS_QUARTER_HOUR].push(model.secLogs[CLogging::TS_QUARTER_HOUR].entries[0]);
    start(model);
    m_pObject->onComPortChanged(m_pSim->portName());
    QSqlQuery(QSqlDatabase::database("WorkerThread"))
        .exec("CREATE TRIGGER refuse BEFORE INSERT ON SecLogs WHEN (SELECT count(*) FROM SecLogs) >= 10 "
              "BEGIN SELECT RAISE(ABORT, 'database or disk is full'); END;");
    QSignalSpy spy(m_pObject.get(), &CMainObject::signalSecLogRetrievalProcess);
    QSignalSpy failure(m_pObject.get(), &CMainObject::signalSecLogStoreFailure);

    m_pObject->retrieveSecLog(CLogging::TS_QUARTER_HOUR, 4711, false);
    QSqlQuery(QSqlDatabase::database("WorkerThread")).exec("DROP TRIGGER refuse");

    QCOMPARE(progress(spy), QList<int>({0, 0, CMainObject::PROGRESS_STORE_FAILED}));
    QCOMPARE(failure.count(), 1);
    QCOMPARE(failure.at(0).at(0).value<CLogging::EMaxTimeSpan>(), CLogging::TS_QUARTER_HOUR);
    QCOMPARE(failure.at(0).at(1).toInt(), 10);
    QCOMPARE(failure.at(0).at(2).toInt(), 25);
    QCOMPARE(storedStamps("SecLogs", 4711).count(), 10);
}

void TestMainObject::retrievalOfPlusUnit()
{
    start(SSimUnitModel::make(EUnitType::TolVanePlus, 70001)); // five daily entries
    m_pObject->onComPortChanged(m_pSim->portName());
    QSignalSpy spy(m_pObject.get(), &CMainObject::signalSecLogRetrievalProcess);
    m_pObject->retrieveSecLog(CLogging::TS_DAY, 70001, true);
    QCOMPARE(progress(spy), QList<int>({0, 0, -1}));
    const QList<qint64> stamps = storedStamps("SecLogs70", 70001);
    QCOMPARE(stamps.count(), 5);
    QCOMPARE(stamps.last(), utc("2024-01-09T12:00:00Z"));
    QCOMPARE(storedStamps("SecLogs", 70001).count(), 0);
}

void TestMainObject::retrievalRefusesUnknownSpan()
{
    start(SSimUnitModel::make(EUnitType::TolVane100, 4711));
    m_pObject->onComPortChanged(m_pSim->portName());
    QSignalSpy spy(m_pObject.get(), &CMainObject::signalSecLogRetrievalProcess);
    m_pSim->clearRecords();
    m_pObject->retrieveSecLog(CLogging::EMaxTimeSpan(3), 4711, false);
    QCOMPARE(spy.count(), 0);
    QCOMPARE(requestCount(*m_pSim), 0);
}

void TestMainObject::retrievalOnlyOfTheUnitAskedFor_data()
{
    QTest::addColumn<qint64>("serialNr"); // the unit on the port is the tolVane100 4711
    QTest::addColumn<bool>("plus");
    QTest::newRow("another serial number") << qint64(4712) << false;
    QTest::newRow("a plus unit of the number") << qint64(4711) << true;
    QTest::newRow("no unit") << qint64(CMainObject::SERIAL_NR_UNKNOWN) << false;
}

// The request arrives after the unit it was made for may have gone: another is asked for nothing.
void TestMainObject::retrievalOnlyOfTheUnitAskedFor()
{
    QFETCH(qint64, serialNr);
    QFETCH(bool, plus);
    start(SSimUnitModel::make(EUnitType::TolVane100, 4711));
    m_pObject->onComPortChanged(m_pSim->portName());
    QSignalSpy spy(m_pObject.get(), &CMainObject::signalSecLogRetrievalProcess);
    m_pSim->clearRecords();
    m_pObject->retrieveSecLog(CLogging::TS_QUARTER_HOUR, serialNr, plus);
    QCOMPARE(progress(spy), QList<int>({CMainObject::PROGRESS_COMMUNICATION_ERROR}));
    QCOMPARE(requestCount(*m_pSim), 0);
}

void TestMainObject::persistentCounters()
{
    start(SSimUnitModel::make(EUnitType::TolVane100));
    QSignalSpy spy(m_pObject.get(), &CMainObject::signalPersCountersUpdated);
    m_pObject->retrievePersCounter(); // no port yet
    m_pObject->onComPortChanged(m_pSim->portName());
    m_pObject->retrievePersCounter();
    QCOMPARE(spy.count(), 2);
    QVERIFY(spy.at(0).at(0).toStringList().isEmpty());
    QVERIFY(spy.at(0).at(1).value<QList<quint32>>().isEmpty());
    const QStringList names = spy.at(1).at(0).toStringList();
    const QList<quint32> values = spy.at(1).at(1).value<QList<quint32>>();
    QCOMPARE(names.count(), 74);
    QCOMPARE(values.count(), 74);
    QCOMPARE(names.at(1), QString("Total operating hours"));
    QCOMPARE(values.at(1), 1234u);
    QCOMPARE(values.at(73), 73u);
}

void TestMainObject::credentialsReachOnlyATolVane100_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<bool>("portOpen");
    QTest::addColumn<QString>("name");
    QTest::addColumn<qint64>("unit"); // the serial number the request was made for; the unit has 7
    QTest::addColumn<bool>("sent");
    QTest::newRow("tolVane100") << int(EUnitType::TolVane100) << true << "net" << qint64(7) << true;
    QTest::newRow("tolVane plus") << int(EUnitType::TolVanePlus) << true << "net" << qint64(7) << false;
    QTest::newRow("port closed") << int(EUnitType::TolVane100) << false << "net" << qint64(7) << false;
    QTest::newRow("name longer than its field")
        << int(EUnitType::TolVane100) << true << QString(26, 'n') << qint64(7) << false;
    QTest::newRow("made for another unit")
        << int(EUnitType::TolVane100) << true << "net" << qint64(5) << false;
    QTest::newRow("made for no unit")
        << int(EUnitType::TolVane100) << true << "net" << qint64(CMainObject::SERIAL_NR_UNKNOWN) << false;
}

// Whatever keeps a request from the unit is reported, since no result will come for it.
void TestMainObject::credentialsReachOnlyATolVane100()
{
    QFETCH(int, type);
    QFETCH(bool, portOpen);
    QFETCH(QString, name);
    QFETCH(qint64, unit);
    QFETCH(bool, sent);
    start(SSimUnitModel::make(EUnitType(type), 7));
    m_pObject->onComPortChanged(m_pSim->portName());
    if (!portOpen)
        CFanBase::closeComPort();
    QSignalSpy notSent(m_pObject.get(), &CMainObject::signalCredentialsNotSent);

    const SIpAddress ip{{192, 168, 1, 20}};
    m_pObject->setNetworkCredentials(name, "secret12", "1234", "a@b.c", "", "hall", 2, ip, unit);

    const QByteArray received = m_pSim->model().lastCredentials;
    QCOMPARE(!received.isEmpty(), sent);
    if (sent)
        QCOMPARE(received.mid(73, 4), QByteArray::fromHex("c0a80114"));
    QCOMPARE(notSent.count(), sent ? 0 : 1);
    if (!sent)
        QCOMPARE(notSent.at(0).at(0).value<quint8>(), quint8(2));
}

void TestMainObject::pollingThreadHandsOverItsObject()
{
    CFanPollingThread thread(false);
    thread.start();
    CMainObject* pObject = thread.getMainObject();
    QVERIFY(pObject);
    QCOMPARE(thread.getMainObject(), pObject);
    QCOMPARE(pObject->thread(), &thread);
    QCOMPARE(pObject->fan()->thread(), &thread);
    std::atomic<bool> bDestroyed{false};
    connect(pObject, &QObject::destroyed, [&bDestroyed] { bDestroyed = true; });

    // across the threads the state arrives queued, as the main window gets it
    start(SSimUnitModel::make(EUnitType::TolVane100, 31));
    QSignalSpy spy(pObject, &CMainObject::signalRozirarionState);
    QMetaObject::invokeMethod(pObject, "onComPortChanged", Q_ARG(QString, m_pSim->portName()));
    QVERIFY(spy.wait(10000));
    QCOMPARE(spy.at(0).at(0).value<ERozirarionState>(), STATE_OK);
    QCOMPARE(spy.at(0).at(1).toInt(), 31);
    // the polling object ends with its thread, and with it the link
    thread.quit();
    QVERIFY(thread.wait(2000));
    QVERIFY(bDestroyed);
    QVERIFY(!g_SerialPort.isOpen());
    QVERIFY(!g_pLLWire);
}

QTEST_MAIN(TestMainObject)
#include "tst_mainobject.moc"
