#include "DebugCapture.h"
#include "FakeWireFixture.h"
#include "Fan_70_PC.h"
#include "UnitReplies.h"
#include "UnitTestHelpers.h"

#include <QtTest>
#include <cstring>

using namespace LinkTest;
using namespace UnitReplies;

class TestFan70 : public QObject
{
    Q_OBJECT

    CFakeWireFixture<CFan_70_PC> m_Fixture;
    CFan_70_PC& fan() { return *m_Fixture.fan; }
    CFakeUnit& unit() { return *m_Fixture.unit; }

private slots:
    void init() { QVERIFY(m_Fixture.start(new CFan_70_PC)); }
    void cleanup() { m_Fixture.stop(); }

    void modeNames_data();
    void modeNames();
    void requestBytes();
    void stateReplyChecks_data();
    void stateReplyChecks();
    void logs();
    void logFailures_data();
    void logFailures();
    void closedPort();
};

void TestFan70::modeNames_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("name");
    const char* const names[] = {"MinAir", "RelDry", "AbsDry", "SumCoo",
                                 "VenCO2", "HumInp", "CO2Inp", "HCO2In"};
    for (int mode = 0; mode < 8; ++mode)
        QTest::addRow("%d", mode) << mode << QString(names[mode]);
    QTest::newRow("8") << 8 << QString("- ?? -");
    QTest::newRow("-1") << -1 << QString("- ?? -");
    QTest::newRow("INT_MIN") << INT_MIN << QString("- ?? -");
}

void TestFan70::modeNames()
{
    QFETCH(int, mode);
    QFETCH(QString, name);
    QCOMPARE(QString(fan().getModeName(mode)), name);
}

void TestFan70::requestBytes()
{
    m_Fixture.setReplies(19, {replyData(19, 30)});
    m_Fixture.setReplies(15, {primLogReply(0, {}, 28)});
    m_Fixture.setReplies(20, {secLogReply(2, 0, {})});
    SPrimLogEntry_70 state;
    QVector<SPrimLogEntry_70> prim;
    QVector<SSecLogEntry_70> sec;

    SHLP_SetSimulationValues_70 sim;
    const quint8 values8[4] = {0xA1, 0xA2, 0xA3, 0xA4};
    std::copy(values8, values8 + 4, sim.m_Values8);
    for (int i = 0; i < 12; ++i)
        sim.m_Values16[i] = UINT16(0x0100 * (i + 1) + i);

    QVERIFY(fan().getCurrentState(state));
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(state.m_Bytes), 28), replyData(19, 30).mid(2));
    QVERIFY(fan().getPrimLog(prim));
    QVERIFY(fan().getSecLog(sec, CLogging_70::TS_MONTH, 0x0203, 0x0405));
    QVERIFY(fan().setSimulationValues(sim));

    QByteArray simBytes = bytes({16, 0xA1, 0xA2, 0xA3, 0xA4, 0}); // byte 5 aligns and goes out as 0
    for (int i = 0; i < 12; ++i)
        simBytes += bytes({i, i + 1});
    const QList<QByteArray> expected = {
        frame(1, 0x10, bytes({19})),
        ack(),
        frame(1, 0x10, bytes({15})),
        ack(),
        frame(1, 0x00, bytes({20, 2, 0x05, 0x04, 0x03, 0x02}) + zeros(160)),
        ack(),
        frame(1, 0x00, simBytes),
    };
    QCOMPARE(unit().frames, expected);
}

void TestFan70::stateReplyChecks_data()
{
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<QStringList>("lines");

    QTest::newRow("tolVane100 length")
        << replyData(19, 28)
        << QStringList{"CFan::getCurrentState:: Packet size mismatch", "Expected: 30, got: 28"};
    QTest::newRow("one byte long") << replyData(19, 31) << QStringList{"Expected: 30, got: 31"};
    QTest::newRow("another request's reply")
        << replyData(20, 30) << QStringList{"CFan::getCurrentState: Received wrong packet"};
}

void TestFan70::stateReplyChecks()
{
    QFETCH(QByteArray, reply);
    QFETCH(QStringList, lines);
    m_Fixture.setReplies(19, {reply});
    CDebugCapture capture;
    SPrimLogEntry_70 state;
    std::memset(state.m_Bytes, 0xAB, sizeof(state.m_Bytes));
    QVERIFY(!fan().getCurrentState(state));
    for (const QString& line : lines)
        QVERIFY2(capture.contains(line), qPrintable(line));
    QCOMPARE(state.m_Bytes[27], quint8(0xAB));
}

void TestFan70::logs()
{
    CDebugCapture capture;
    m_Fixture.setReplies(15, {primLogReply(9, {1, 2, 3, 4, 5, 6, 7}, 28), primLogReply(2, {8, 9}, 28)});
    QVector<SPrimLogEntry_70> prim;
    QVERIFY(fan().getPrimLog(prim));
    QCOMPARE(firstBytes(prim), QList<int>({1, 2, 3, 4, 5, 6, 7, 8, 9}));
    QCOMPARE(prim[8].m_Bytes[27], quint8(9));
    QVERIFY(capture.contains("sizeof(SPrimLogEntry_70): 28"));

    m_Fixture.setReplies(20, {secLogReply(0, 6, {1, 2, 3, 4, 5}), secLogReply(0, 1, {6})});
    QVector<SSecLogEntry_70> sec;
    QVERIFY(fan().getSecLog(sec, CLogging_70::TS_QUARTER_HOUR, 6, 90));
    QCOMPARE(firstBytes(sec), QList<int>({1, 2, 3, 4, 5, 6}));
    QVERIFY(capture.contains("sizeof(SSecLogEntry_70): 32"));
}

void TestFan70::logFailures_data()
{
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<QStringList>("lines");

    QTest::newRow("span of another log")
        << secLogReply(0, 5, {1, 2, 3, 4, 5})
        << QStringList{"CFan_70_PC::getSecLog: time span mismatche!", "Expected: 1, received: 0"};
    QTest::newRow("wrong length") << secLogReply(1, 5, {1}).left(160)
                                  << QStringList{"CFan_70_PC::getSecLog: Packet size mismatch",
                                                 "Expected: 166, got: 160"};
    QTest::newRow("wrong id") << replyData(15, 166)
                              << QStringList{"CFan_70_PC::getSecLog: Received wrong packet"};
    QTest::newRow("no reply") << QByteArray()
                              << QStringList{"CFan_70_PC::getSecLog: Error getting the secondary log"};
}

void TestFan70::logFailures()
{
    QFETCH(QByteArray, reply);
    QFETCH(QStringList, lines);
    m_Fixture.setReplies(20, reply.isEmpty() ? QList<QByteArray>{} : QList<QByteArray>{reply});
    CDebugCapture capture;
    QVector<SSecLogEntry_70> sec;
    QVERIFY(!fan().getSecLog(sec, CLogging_70::TS_DAY, 10, 0));
    for (const QString& line : lines)
        QVERIFY2(capture.contains(line), qPrintable(line));
}

void TestFan70::closedPort()
{
    CFanBase::closeComPort();
    SPrimLogEntry_70 state;
    QVector<SPrimLogEntry_70> prim;
    QVector<SSecLogEntry_70> sec;
    QVERIFY(!fan().getCurrentState(state));
    QVERIFY(!fan().getPrimLog(prim));
    QVERIFY(!fan().getSecLog(sec, CLogging_70::TS_DAY, 10, 0));
    QVERIFY(!fan().setSimulationValues(SHLP_SetSimulationValues_70()));
    QVERIFY(unit().frames.isEmpty());
}

QTEST_GUILESS_MAIN(TestFan70)
#include "tst_fan70.moc"
