#include "FanBase.h"
#include "SimUnit.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTextEdit>
#include <QtTest>

using namespace unitsim;

namespace
{
class CTestFan : public CFanBase
{
public:
    QString getDeviceTypeText() const override { return QStringLiteral("tolVane100"); }
    int getUnitType() const override { return 0; }
};

QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray b;
    for (int v : values)
        b.append(char(v));
    return b;
}
} // namespace

Q_DECLARE_METATYPE(ESimFault)
Q_DECLARE_METATYPE(EUnitType)

// The unit classes against the simulated unit over a pseudo-terminal, on the real clock.
class TestLinkUnitSim : public QObject
{
    Q_OBJECT

    std::unique_ptr<CSimUnit> m_Unit;
    std::unique_ptr<CTestFan> m_Fan;

    void startUnit(EUnitType type)
    {
        m_Unit = std::make_unique<CSimUnit>(SSimUnitModel::make(type, 4711));
        QVERIFY(m_Unit->start());
        m_Fan = std::make_unique<CTestFan>();
        QVERIFY(m_Fan->openComPort(m_Unit->portName()));
    }

    // The timer request: a one-byte request with up to three attempts, then one reply.
    bool readTimer(UINT16& day)
    {
        UINT8 hour = 0;
        return m_Fan->getTimer(&day, &hour, nullptr, nullptr, nullptr);
    }

private slots:
    void cleanup()
    {
        m_Fan.reset(); // closes the port
        if (m_Unit)
            m_Unit->stop();
        m_Unit.reset();
    }

    void identification_data()
    {
        QTest::addColumn<EUnitType>("type");
        QTest::addColumn<bool>("b70");
        QTest::newRow("tolVane100") << EUnitType::TolVane100 << false;
        QTest::newRow("tolVane plus") << EUnitType::TolVanePlus << true;
    }
    void identification()
    {
        QFETCH(EUnitType, type);
        QFETCH(bool, b70);
        startUnit(type);
        m_Unit->updateModel(
            [](SSimUnitModel& m)
            {
                m.ident.hwVersion = 9;
                m.ident.bootMain = 1;
                m.ident.bootSub = 7;
                m.ident.appMain = 3;
                m.ident.appSub = 12;
                m.ident.thirdMain = 2;
                m.ident.thirdSub = 101;
            });
        SHLP_IdentData ident;
        QVERIFY(m_Fan->getIdentData(ident));
        QCOMPARE(ident.m_SerialNr, 4711u);
        QCOMPARE(int(ident.m_HWVersion), 9);
        QCOMPARE(int(ident.m_RunningPart), 3);
        QCOMPARE(int(ident.m_BootMainVer), 1);
        QCOMPARE(int(ident.m_BootSubVer), 7);
        QCOMPARE(int(ident.m_AppMainVer), 3);
        QCOMPARE(int(ident.m_AppSubVer), 12);
        QCOMPARE(ident.m_b70, b70);
        QCOMPARE(ident.unitType(), b70 ? 1 : 0);
        QCOMPARE(int(ident.m_WifiMainVer), 2);
        QCOMPARE(int(ident.m_WifiSubVer), 101);
        // the request went out once, with no flags
        QCOMPARE(m_Unit->receivedFrames().first().raw,
                 bytes({'q', 'x', 'v', 'o', 1, 0, 1, 0, 1, 0xD1, 0xF1}));
    }

    void startupMode()
    {
        startUnit(EUnitType::TolVane100);
        m_Unit->updateModel([](SSimUnitModel& m) { m.ident.runningPart = 1; });
        SHLP_IdentData ident;
        QVERIFY(m_Fan->getIdentData(ident));
        QCOMPARE(int(ident.m_RunningPart), 1);
        QVERIFY(m_Fan->setStartupMode(2));
        QVERIFY(m_Unit->waitForFrames(4, 2000)); // request 18, its acknowledgement's answer, request 17
        QTRY_COMPARE(m_Unit->model().ident.runningPart, quint8(3));
        QCOMPARE(m_Unit->model().startupMode, 2);
        QVERIFY(m_Fan->getIdentData(ident));
        QCOMPARE(int(ident.m_RunningPart), 3);
    }

    void serviceRequests()
    {
        startUnit(EUnitType::TolVane100);
        QVERIFY(m_Fan->getCounters());
        QCOMPARE(m_Fan->getCounterValue(1), 1234u);
        QCOMPARE(m_Fan->getCounterValue(73), 73u);
        QCOMPARE(m_Fan->getCounterValue(74), 0xFFFFFFFFu);
        QCOMPARE(m_Fan->getCounterText(2), QStringLiteral("Filter operating hours"));

        UINT32 value = 0;
        QVERIFY(m_Fan->readWriteCounterValue(CPersCounter_ReadOnly::CNT_FILTER_HOURS, &value, false));
        QCOMPARE(value, 321u);
        value = 22;
        QVERIFY(m_Fan->readWriteCounterValue(CPersCounter_ReadOnly::CNT_DEICE_SWITCH_OFF_TEMP, &value, true));
        QCOMPARE(m_Unit->model().counters[39], 22u);

        UINT16 day = 0, ms = 0;
        UINT8 hour = 0, minute = 0, second = 0;
        QVERIFY(m_Fan->getTimer(&day, &hour, &minute, &second, &ms));
        QCOMPARE(QList<int>({day, hour, minute, second, ms}), QList<int>({12, 3, 4, 5, 678}));

        UINT16 sizes[3] = {}, used[3] = {}, oldest[3] = {};
        QVERIFY(m_Fan->getSecLogCnt(sizes, used, oldest));
        QCOMPARE(QList<int>({sizes[0], sizes[1], sizes[2], used[0], used[1], used[2]}),
                 QList<int>({96, 60, 24, 12, 5, 2}));
        quint8 result = 9;
        QVERIFY(m_Fan->checkSecLog(CLogging::TS_DAY, result));
        QCOMPARE(int(result), 0);
        QVERIFY(m_Fan->eraseSecLog(CLogging::TS_DAY));
        QVERIFY(m_Fan->getSecLogCnt(sizes, used, oldest));
        QCOMPARE(int(used[1]), 0);

        QVERIFY(m_Fan->calcAveSenVal());
        QCOMPARE(m_Unit->model().averageRequests, 1);

        m_Unit->updateModel(
            [](SSimUnitModel& m)
            {
                m.memoryBase = 0x100;
                m.memory = bytes({1, 2, 3, 4});
            });
        QVector<unsigned char> memory;
        QVERIFY(m_Fan->reportMemory(0x101, 2, memory));
        QCOMPARE(memory, QVector<unsigned char>({2, 3}));
    }

    void upload()
    {
        startUnit(EUnitType::TolVane100);
        QByteArray data(200, 'd');
        QVERIFY(m_Fan->uploadPartition(0x4000, 200, 198, CPartitionTable::PT_APPLICATION, 1, 2, 0x4000,
                                       0x1234, false, reinterpret_cast<const UINT8*>(data.constData()),
                                       nullptr, false));
        const QList<QByteArray> records = m_Unit->model().uploadRecords;
        QCOMPARE(records.size(), 4);
        QCOMPARE(records[0], bytes({7, 0, 0x40, 0, 0, 198, 0, 3, 1, 2, 0, 0x40, 0, 0, 0x34, 0x12}));
        QCOMPARE(records[1].left(8), bytes({8, 0, 192, 0, 0, 0x40, 0, 0}));
        QCOMPARE(records[2].left(16),
                 bytes({8, 2, 8, 0, 0xC0, 0x40, 0, 0, 'd', 'd', 'd', 'd', 'd', 'd', 'd', 'd'}));
        QCOMPARE(records[2].mid(16), QByteArray(184, 0));
        QCOMPARE(records[3], bytes({9}));
    }

    // Each fault hits the timer request once; the request ends with its documented result.
    void faults_data()
    {
        QTest::addColumn<ESimFault>("fault");
        QTest::addColumn<int>("value");
        QTest::addColumn<bool>("result");
        QTest::newRow("lost request: the next attempt") << ESimFault::LoseRequest << 0 << true;
        QTest::newRow("dropped acknowledgement: the next attempt") << ESimFault::DropAck << 0 << true;
        QTest::newRow("late acknowledgement") << ESimFault::DelayAck << 300 << true;
        QTest::newRow("acknowledgement and reply merged") << ESimFault::MergeAckAndReply << 0 << true;
        QTest::newRow("corrupt reply") << ESimFault::CorruptCrc << 0 << false;
        QTest::newRow("wrong reply id") << ESimFault::WrongReplyId << 15 << false;
        QTest::newRow("reply too long") << ESimFault::WrongReplyLength << 1 << false;
        QTest::newRow("reply too short") << ESimFault::WrongReplyLength << -1 << false;
        QTest::newRow("noise before the reply") << ESimFault::LeadingGarbage << 7 << true;
        QTest::newRow("debug packets before the reply") << ESimFault::DebugBeforeReply << 2 << true;
        QTest::newRow("packets split in pieces") << ESimFault::SplitWrites << 4 << true;
    }
    void faults()
    {
        QFETCH(ESimFault, fault);
        QFETCH(int, value);
        QFETCH(bool, result);
        startUnit(EUnitType::TolVane100);
        SSimFault f{fault};
        f.value = value;
        m_Unit->addFault(f);
        UINT16 day = 0;
        QCOMPARE(readTimer(day), result);
        QCOMPARE(day, UINT16(result ? 12 : 0));
        // the link is usable again afterwards
        QVERIFY(readTimer(day));
        QCOMPARE(int(day), 12);
    }

    void debugMessagesReachTheView()
    {
        startUnit(EUnitType::TolVane100);
        QTextEdit view;
        m_Fan->setDebugOutput(&view);
        m_Unit->sendDebugText("fan ");
        m_Unit->sendDebugValue(-2);
        QVERIFY(m_Unit->waitForWrites(2, 2000));
        QVERIFY(m_Fan->calcAveSenVal());
        QCOMPARE(view.toPlainText(), QStringLiteral("fan -2"));
    }

    void silentUnit()
    {
        startUnit(EUnitType::TolVane100);
        m_Unit->setSilent(true);
        QVERIFY(!m_Fan->eraseSecLog(CLogging::TS_DAY));
        // One attempt: once the unit answers the next request, it has read all that came before.
        m_Unit->setSilent(false);
        UINT16 day = 0;
        QVERIFY(readTimer(day));
        int attempts = 0;
        for (const SSimFrame& frame : m_Unit->receivedFrames())
            attempts += frame.messageCode() == HLP_ERASE_SEC_LOG ? 1 : 0;
        QCOMPARE(attempts, 1);
    }

    void unitDisappears()
    {
        startUnit(EUnitType::TolVane100);
        m_Unit->disappear();
        QElapsedTimer clock;
        clock.start();
        QVERIFY(!m_Fan->eraseSecLog(CLogging::TS_DAY));
        QVERIFY(clock.elapsed() < 5000);
    }
};

QTEST_MAIN(TestLinkUnitSim)
#include "tst_link_unitsim.moc"
