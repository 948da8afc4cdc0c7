#include "Fan.h"
#include "Fan_70_PC.h"
#include "SimUnit.h"
#include "UnitTestHelpers.h"

#include <QtTest>
#include <memory>

// The unit classes against the simulated unit over a pseudo-terminal (real time, short).
using namespace unitsim;

namespace
{
// A second-log entry whose bytes all hold n.
QByteArray entry(int n)
{
    return QByteArray(SEC_LOG_ENTRY_SIZE, char(n));
}

// Fills the ring of `span` with `pushed` entries 1, 2, ...; a ring smaller than that wraps.
void fillRing(SSimUnitModel& m, int span, int size, int pushed)
{
    m.secLogs[span].resize(size);
    for (int n = 1; n <= pushed; ++n)
        m.secLogs[span].push(entry(n));
}

// Reads a whole span as the retrieval does: the counts, then chunks of at most ten entries from
// the oldest one on, wrapping at the ring size.
template <typename Fan, typename Entry, typename Span> bool readSpan(Fan& fan, Span span, QVector<Entry>& all)
{
    UINT16 sizes[3], used[3], oldest[3];
    if (!fan.getSecLogCnt(sizes, used, oldest))
        return false;
    int index = oldest[span];
    for (int left = used[span]; left > 0;)
    {
        const int count = qMin(left, 10);
        QVector<Entry> chunk;
        if (!fan.getSecLog(chunk, span, UINT16(count), UINT16(index)))
            return false;
        all += chunk;
        left -= count;
        index = (index + count) % sizes[span];
    }
    return true;
}
} // namespace

class TestFanSim : public QObject
{
    Q_OBJECT

    std::unique_ptr<CSimUnit> m_pSim;

    template <typename Fan> std::unique_ptr<Fan> connectTo(Fan* fan)
    {
        std::unique_ptr<Fan> owned(fan);
        if (!m_pSim->start() || !owned->openComPort(m_pSim->portName()))
            return nullptr;
        return owned;
    }

private slots:
    void cleanup()
    {
        CFan::setWifiResultReceiver(nullptr);
        CFanBase::closeComPort();
        m_pSim.reset();
    }

    void tolVane100();
    void tolVane100Wifi();
    void plus();
    void faultyReplies_data();
    void faultyReplies();
};

void TestFanSim::tolVane100()
{
    SSimUnitModel model = SSimUnitModel::make(EUnitType::TolVane100);
    fillRing(model, CLogging::TS_QUARTER_HOUR, 24, 30); // wrapped: oldest at 6
    fillRing(model, CLogging::TS_DAY, 60, 0);
    model.primLog.clear();
    for (int n = 1; n <= 9; ++n)
        model.primLog << QByteArray(STATE_RECORD_100, char(n));
    model.vents = QByteArray(VENT_RECORD_SIZE * VENT_COUNT, char(0x5A));
    m_pSim.reset(new CSimUnit(model));
    auto fan = connectTo(new CFan(true));
    QVERIFY(fan);

    SPrimLogEntry state;
    QVERIFY(fan->getCurrentState(state));
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(state.m_Bytes), STATE_RECORD_100), model.state);

    QVector<SSecLogEntry> quarter;
    QVERIFY((readSpan<CFan, SSecLogEntry, CLogging::EMaxTimeSpan>(*fan, CLogging::TS_QUARTER_HOUR, quarter)));
    QList<int> expected;
    for (int n = 7; n <= 30; ++n)
        expected << n;
    QCOMPARE(firstBytes(quarter), expected);

    QVector<SSecLogEntry> day(1);
    QVERIFY(fan->getSecLog(day, CLogging::TS_DAY, 10, 0)); // an empty log
    QVERIFY(day.isEmpty());

    QVector<SPrimLogEntry> prim;
    QVERIFY(fan->getPrimLog(prim));
    QCOMPARE(firstBytes(prim), QList<int>({1, 2, 3, 4, 5, 6, 7, 8, 9}));

    CVents::SVentInfo vents[4];
    QVERIFY(fan->getVentInfo(vents));
    QCOMPARE(vents[3].m_Bytes[35], quint8(0x5A));

    SHLP_SetSimulationValues sim;
    sim.m_Values8[0] = 7;
    sim.m_Values16[7] = 0xBEEF;
    QVERIFY(fan->setSimulationValues(sim));
    QByteArray simBytes(22, '\0');
    simBytes[0] = 16;
    simBytes[1] = 7;
    simBytes[20] = char(0xEF);
    simBytes[21] = char(0xBE);
    QCOMPARE(m_pSim->model().lastSimulationValues, simBytes);
}

// The outcome of a credentials request comes back with the Wi-Fi status of later polls.
void TestFanSim::tolVane100Wifi()
{
    m_pSim.reset(new CSimUnit(SSimUnitModel::make(EUnitType::TolVane100)));
    auto fan = connectTo(new CFan(false));
    QVERIFY(fan);
    CWifiPage page;
    CFan::setWifiResultReceiver([&page]() { return &page; });

    qint8 rssi = 0;
    QVERIFY(fan->getWifiData(rssi));
    QCOMPARE(rssi, qint8(-55));
    QCOMPARE(page.calls, QStringList({"Enable"}));

    quint8 ip[4] = {10, 0, 0, 7};
    QVERIFY(fan->setNetworkCredentials("HomeNet", "secret", "1234", "a@example.org", "", "Hall", 2, ip));
    const QByteArray sent = m_pSim->model().lastCredentials;
    QCOMPARE(sent.size(), 200);
    QCOMPARE(sent.mid(0, 9), QByteArray("\x1d\0HomeNet", 9));
    QCOMPARE(sent.mid(72, 5), QByteArray("\x02\x0a\x00\x00\x07", 5));
    QCOMPARE(sent.mid(77, 5), QByteArray("Hall\0", 5));

    page.calls.clear();
    QVERIFY(fan->getWifiData(rssi));
    QVERIFY(fan->getWifiData(rssi));
    QCOMPARE(page.calls, QStringList({"OK", "OK"}));

    m_pSim->updateModel([](SSimUnitModel& m) { m.wifiCredentialsFail = true; });
    QVERIFY(fan->setNetworkCredentials("", "", "", "", "", "", 1, ip));
    page.calls.clear();
    QVERIFY(fan->getWifiData(rssi));
    QCOMPARE(page.calls, QStringList({"DelNOK"}));

    // Refused texts never reach the unit.
    m_pSim->clearRecords();
    QVERIFY(!fan->setNetworkCredentials(QString(26, 'n'), "", "", "", "", "", 2, ip));
    QVERIFY(!fan->setNetworkCredentials("\u0141\u00f3d\u017a", "", "", "", "", "", 2, ip));
    for (const SSimFrame& frame : m_pSim->receivedFrames())
        QVERIFY(frame.isAck()); // at most the acknowledgement of the last reply, late
}

void TestFanSim::plus()
{
    SSimUnitModel model = SSimUnitModel::make(EUnitType::TolVanePlus);
    fillRing(model, CLogging_70::TS_MONTH, 12, 17); // wrapped: oldest at 5
    model.primLog.clear();
    for (int n = 1; n <= 7; ++n)
        model.primLog << QByteArray(STATE_RECORD_PLUS, char(n));
    m_pSim.reset(new CSimUnit(model));
    auto fan = connectTo(new CFan_70_PC);
    QVERIFY(fan);

    SPrimLogEntry_70 state;
    QVERIFY(fan->getCurrentState(state));
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(state.m_Bytes), STATE_RECORD_PLUS), model.state);

    QVector<SSecLogEntry_70> month;
    QVERIFY((readSpan<CFan_70_PC, SSecLogEntry_70, CLogging_70::EMaxTimeSpan>(*fan, CLogging_70::TS_MONTH,
                                                                              month)));
    QCOMPARE(firstBytes(month), QList<int>({6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17}));

    QVector<SPrimLogEntry_70> prim;
    QVERIFY(fan->getPrimLog(prim));
    QCOMPARE(firstBytes(prim), QList<int>({1, 2, 3, 4, 5, 6, 7}));

    SHLP_SetSimulationValues_70 sim;
    sim.m_Values8[3] = 0x44;
    sim.m_Values16[0] = 0x0201;
    QVERIFY(fan->setSimulationValues(sim));
    const QByteArray sent = m_pSim->model().lastSimulationValues;
    QCOMPARE(sent.size(), 30);
    QCOMPARE(sent.left(8), QByteArray("\x10\0\0\0\x44\0\x01\x02", 8));
}

void TestFanSim::faultyReplies_data()
{
    QTest::addColumn<int>("fault");
    QTest::addColumn<int>("value");
    QTest::newRow("wrong id") << int(ESimFault::WrongReplyId) << 20;
    QTest::newRow("one byte short") << int(ESimFault::WrongReplyLength) << -1;
    QTest::newRow("one byte long") << int(ESimFault::WrongReplyLength) << 1;
    QTest::newRow("corrupt CRC") << int(ESimFault::CorruptCrc) << 0;
}

// A refused reply fails its request only; the next request gets its own reply.
void TestFanSim::faultyReplies()
{
    QFETCH(int, fault);
    QFETCH(int, value);
    SSimUnitModel model = SSimUnitModel::make(EUnitType::TolVanePlus);
    m_pSim.reset(new CSimUnit(model));
    auto fan = connectTo(new CFan_70_PC);
    QVERIFY(fan);
    m_pSim->setAckTimeoutMs(50);

    SPrimLogEntry_70 state;
    std::fill(std::begin(state.m_Bytes), std::end(state.m_Bytes), quint8(0xAB));
    m_pSim->addFault({ESimFault(fault), value});
    QVERIFY(!fan->getCurrentState(state));
    QCOMPARE(state.m_Bytes[0], quint8(0xAB));
    QVERIFY(fan->getCurrentState(state));
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(state.m_Bytes), STATE_RECORD_PLUS), model.state);
}

QTEST_GUILESS_MAIN(TestFanSim)
#include "tst_fan_sim.moc"
