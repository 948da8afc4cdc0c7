#include "DebugCapture.h"
#include "FakeWireFixture.h"
#include "Fan.h"
#include "UnitReplies.h"
#include "UnitTestHelpers.h"

#include <QSignalSpy>
#include <QtTest>
#include <cstring>
#include <memory>

using namespace LinkTest;
using namespace UnitReplies;

namespace
{
// A text field of the credentials record: ISO 8859-1 bytes, zero-padded to its size.
QByteArray field(const QString& text, int size)
{
    return text.toLatin1().leftJustified(size, '\0');
}

// The credentials message as its table lays it out.
QByteArray credentialsRecord(const QString& name, const QString& password, const QString& key, int kind,
                             const QByteArray& ip, const QString& device, const QString& email1,
                             const QString& email2)
{
    return bytes({29, 0}) + field(name, 25) + field(password, 25) + field(key, 20) + bytes({kind}) + ip +
           field(device, 25) + field(email1, 49) + field(email2, 49);
}

} // namespace

class TestFan : public QObject
{
    Q_OBJECT

    CFakeWireFixture<CFan> m_Fixture;
    CFan& fan() { return *m_Fixture.fan; }
    CFakeUnit& unit() { return *m_Fixture.unit; }

private slots:
    void init() { QVERIFY(m_Fixture.start(new CFan(false))); }
    void cleanup()
    {
        CFan::setWifiResultReceiver(nullptr);
        m_Fixture.stop();
    }

    void closedPortSendsNothing();
    void requestBytes();
    void currentStateAndVents();
    void replyChecks_data();
    void replyChecks();
    void wrongReplyIsNotKept();
    void secLog_data();
    void secLog();
    void primLog_data();
    void primLog();
    void wifiStatus_data();
    void wifiStatus();
    void wifiResultsReachThePageOncePerReply();
    void wifiResultsQueuedAcrossThreads();
    void wifiWithoutReceiver();
    void credentials_data();
    void credentials();
    void credentialsSendFailure();
};

void TestFan::closedPortSendsNothing()
{
    CFanBase::closeComPort();
    CDebugCapture capture;
    SPrimLogEntry state;
    qint8 rssi = 7;
    quint8 a = 1, b = 1;
    CVents::SVentInfo vents[4];
    QVector<SPrimLogEntry> prim;
    QVector<SSecLogEntry> sec(3);
    quint8 ip[4] = {1, 2, 3, 4};
    QVERIFY(!fan().getCurrentState(state));
    QVERIFY(!fan().getWifiData(rssi));
    QVERIFY(!fan().getWifiDataDebug(rssi, a, b));
    QVERIFY(!fan().getVentInfo(vents));
    QVERIFY(!fan().getPrimLog(prim));
    QVERIFY(!fan().getSecLog(sec, CLogging::TS_DAY, 10, 0));
    QVERIFY(!fan().setNetworkCredentials("n", "p", "1234", "", "", "d", 2, ip));
    QVERIFY(!fan().setSimulationValues(SHLP_SetSimulationValues()));
    QCOMPARE(rssi, qint8(7));
    QCOMPARE(sec.size(), 3); // left as it was
    QVERIFY(unit().frames.isEmpty());
    // Only the record size of the simulation request is written, before any test.
    QCOMPARE(capture.lines().size(), 1);
}

void TestFan::requestBytes()
{
    SPrimLogEntry state;
    qint8 rssi = 0;
    CVents::SVentInfo vents[4];
    QVector<SPrimLogEntry> prim;
    QVector<SSecLogEntry> sec;
    m_Fixture.setReplies(19, {replyData(19, 28)});
    m_Fixture.setReplies(26, {replyData(26, 170)});
    m_Fixture.setReplies(25, {replyData(25, 146)});
    m_Fixture.setReplies(15, {primLogReply(0, {})});
    m_Fixture.setReplies(20, {secLogReply(1, 0, {})});

    SHLP_SetSimulationValues sim;
    const quint8 values8[5] = {1, 2, 3, 4, 5};
    std::copy(values8, values8 + 5, sim.m_Values8);
    for (int i = 0; i < 8; ++i)
        sim.m_Values16[i] = UINT16(0x1101 * (i + 1));

    QVERIFY(fan().getCurrentState(state));
    QVERIFY(fan().getWifiData(rssi));
    QVERIFY(fan().getVentInfo(vents));
    QVERIFY(fan().getPrimLog(prim));
    QVERIFY(fan().getSecLog(sec, CLogging::TS_DAY, 10, 0x0162));
    QVERIFY(fan().setSimulationValues(sim));

    // One-byte requests ask for up to three attempts (0x10); records go once (flags 0).
    // Every reply is acknowledged with flags 0x20 and no data.
    const QList<QByteArray> expected = {
        frame(1, 0x10, bytes({19})),
        ack(),
        frame(1, 0x10, bytes({26})),
        ack(),
        frame(1, 0x10, bytes({25})),
        ack(),
        frame(1, 0x10, bytes({15})),
        ack(),
        frame(1, 0x00, bytes({20, 1, 0x62, 0x01, 10, 0}) + zeros(160)),
        ack(),
        frame(1, 0x00, bytes({16,   1,    2,    3,    4,    5,    0x01, 0x11, 0x02, 0x22, 0x03,
                              0x33, 0x04, 0x44, 0x05, 0x55, 0x06, 0x66, 0x07, 0x77, 0x08, 0x88})),
    };
    QCOMPARE(unit().frames, expected);
}

void TestFan::currentStateAndVents()
{
    m_Fixture.setReplies(19, {replyData(19, 28)});
    SPrimLogEntry state;
    QVERIFY(fan().getCurrentState(state));
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(state.m_Bytes), 26), replyData(19, 28).mid(2));

    // Four 36-byte records from data byte 2 on: extract, bath, supply, bypass.
    QByteArray data = bytes({25, 0});
    for (int vent = 0; vent < 4; ++vent)
    {
        QByteArray record(36, char(0xEE));
        record.replace(12, 4, u32(1000 + vent));    // SpeedSumOpen
        record.replace(16, 4, u32(0x01020304));     // SpeedSumClose
        record[25] = char(0x3A);                    // 3 stops, 10 shake-loose cycles
        record[27] = char(8 + vent);                // RunTimeOpen
        record[28] = char(20);                      // RunTimeClose
        record.replace(32, 2, bytes({0x34, 0x12})); // MaxIMean
        data += record;
    }
    m_Fixture.setReplies(25, {data});
    CVents::SVentInfo vents[4];
    QVERIFY(fan().getVentInfo(vents));
    QCOMPARE(vents[CVents::VENT_SUPPLY].SpeedSumOpen(), quint32(1002));
    QCOMPARE(vents[CVents::VENT_BYPASS].RunTimeOpen(), 11);
    QCOMPARE(vents[0].SpeedSumClose(), quint32(0x01020304));
    QCOMPARE(vents[0].NoStops(), 3);
    QCOMPARE(vents[0].ShakeLoose(), 10);
    QCOMPARE(vents[0].RunTimeClose(), 20);
    QCOMPARE(vents[0].MaxIMean(), 0x1234);
    QCOMPARE(vents[3].m_Bytes[35], quint8(0xEE)); // unread bytes carried unchanged
}

enum EReadOp
{
    OP_STATE,
    OP_WIFI,
    OP_WIFI_DEBUG,
    OP_VENTS
};

void TestFan::replyChecks_data()
{
    QTest::addColumn<int>("op");
    QTest::addColumn<int>("code"); // request code
    QTest::addColumn<bool>("acknowledged");
    QTest::addColumn<QList<QByteArray>>("replyFrames");
    QTest::addColumn<QStringList>("lines");

    const auto r = [](const QByteArray& d) { return QList<QByteArray>{frame(1, 0x10, d)}; };
    struct SOp
    {
        EReadOp op;
        const char* name;
        int code;
        int length;
        const char* prefix;
        const char* mismatch;
        const char* sendFailed;
        const char* receiveFailed;
    };
    const SOp ops[] = {
        {OP_STATE, "state", 19, 28, "CFan::getCurrentState:", "CFan::getCurrentState:: Packet size mismatch",
         "CFan::getCurrentState: Error sending request for current state",
         "CFan::getCurrentState: Error getting the current state"},
        {OP_WIFI, "wifi", 26, 170, "CFan::getWifiData:", "CFan::getWifiData: Packet size mismatch",
         "CFan::getWifiData: Error sending request for getting the wifi data",
         "CFan::getWifiData: Error getting the wifi data"},
        {OP_WIFI_DEBUG, "wifi debug", 26, 170,
         "CFan::getWifiData:", "CFan::getWifiData: Packet size mismatch",
         "CFan::getWifiData: Error sending request for getting the wifi data",
         "CFan::getWifiData: Error getting the wifi data"},
        {OP_VENTS, "vents", 25, 146, "CFan::getVentInfo:", "CFan::getVentInfo: Packet size mismatch",
         "CFan::getVentInfo: Error sending request for getting the vent info",
         "CFan::getVentInfo: Error getting the vent info"},
    };
    for (const SOp& o : ops)
    {
        const QString wrong = QString(o.prefix) + " Received wrong packet";
        const QString expected = QString("Expected: %1, got: %2");
        QTest::addRow("%s: reply of another request", o.name)
            << int(o.op) << o.code << true << r(replyData(20, o.length)) << QStringList{wrong};
        QTest::addRow("%s: one byte short", o.name)
            << int(o.op) << o.code << true << r(replyData(o.code, o.length - 1))
            << QStringList{o.mismatch, expected.arg(o.length).arg(o.length - 1)};
        QTest::addRow("%s: one byte long", o.name)
            << int(o.op) << o.code << true << r(replyData(o.code, o.length + 1))
            << QStringList{o.mismatch, expected.arg(o.length).arg(o.length + 1)};
        QTest::addRow("%s: no reply", o.name)
            << int(o.op) << o.code << true << QList<QByteArray>{} << QStringList{o.receiveFailed};
        QTest::addRow("%s: no acknowledgement", o.name)
            << int(o.op) << o.code << false << QList<QByteArray>{} << QStringList{o.sendFailed};
    }
}

void TestFan::replyChecks()
{
    QFETCH(int, op);
    QFETCH(int, code);
    QFETCH(bool, acknowledged);
    QFETCH(QList<QByteArray>, replyFrames);
    QFETCH(QStringList, lines);

    unit().acknowledge = acknowledged;
    unit().replies[code] = replyFrames;
    CDebugCapture capture;
    SPrimLogEntry state;
    std::memset(state.m_Bytes, 0xAB, sizeof(state.m_Bytes));
    CVents::SVentInfo vents[4];
    for (CVents::SVentInfo& v : vents)
        std::memset(v.m_Bytes, 0xAB, sizeof(v.m_Bytes));
    qint8 rssi = 99;
    quint8 second = 99, third = 99;
    QSignalSpy enable(&fan(), &CFan::signalEnableButtons);

    bool result = true;
    switch (op)
    {
    case OP_STATE:
        result = fan().getCurrentState(state);
        break;
    case OP_WIFI:
        result = fan().getWifiData(rssi);
        break;
    case OP_WIFI_DEBUG:
        result = fan().getWifiDataDebug(rssi, second, third);
        break;
    case OP_VENTS:
        result = fan().getVentInfo(vents);
        break;
    }
    QVERIFY(!result);
    for (const QString& line : lines)
        QVERIFY2(capture.contains(line), qPrintable(line));

    // Outputs are written only after every check passed.
    QCOMPARE(state.m_Bytes[0], quint8(0xAB));
    QCOMPARE(state.m_Bytes[25], quint8(0xAB));
    QCOMPARE(vents[3].m_Bytes[35], quint8(0xAB));
    QCOMPARE(rssi, qint8(99));
    QCOMPARE(second, quint8(99));
    QCOMPARE(third, quint8(99));
    QCOMPARE(enable.count(), 0);
}

void TestFan::wrongReplyIsNotKept()
{
    m_Fixture.setReplies(19, {replyData(20, 28)});
    SPrimLogEntry state;
    QVERIFY(!fan().getCurrentState(state));
    m_Fixture.setReplies(19, {replyData(19, 28)});
    QVERIFY(fan().getCurrentState(state));
    QCOMPARE(state.m_Bytes[0], quint8(2));
}

void TestFan::secLog_data()
{
    QTest::addColumn<int>("count"); // entries asked for
    QTest::addColumn<QList<QByteArray>>("replyData");
    QTest::addColumn<bool>("result");
    QTest::addColumn<QList<int>>("entries"); // first byte of each entry returned
    QTest::addColumn<QString>("line");

    QTest::newRow("count 0: empty") << 10 << QList<QByteArray>{secLogReply(1, 0, {})} << true << QList<int>{}
                                    << QString();
    QTest::newRow("ten in two replies")
        << 10 << QList<QByteArray>{secLogReply(1, 10, {1, 2, 3, 4, 5}), secLogReply(1, 5, {6, 7, 8, 9, 10})}
        << true << QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10} << QString();
    QTest::newRow("short final reply")
        << 10
        << QList<QByteArray>{secLogReply(1, 7, {1, 2, 3, 4, 5}), secLogReply(1, 2, {6, 7, 0xEE, 0xEE, 0xEE})}
        << true << QList<int>{1, 2, 3, 4, 5, 6, 7} << QString();
    QTest::newRow("span of another log")
        << 10 << QList<QByteArray>{secLogReply(0, 5, {1, 2, 3, 4, 5})} << false << QList<int>{}
        << QString("CFan::getSecLog: time span mismatche!|Expected: 1, received: 0");
    QTest::newRow("wrong length") << 10 << QList<QByteArray>{secLogReply(1, 5, {1, 2, 3, 4, 5}).left(165)}
                                  << false << QList<int>{}
                                  << QString("CFan::getSecLog: Packet size mismatch|Expected: 166, got: 165");
    QTest::newRow("wrong id") << 10 << QList<QByteArray>{replyData(19, 166)} << false << QList<int>{}
                              << QString("CFan::getSecLog: Received wrong packet");
    QTest::newRow("rest of the answer missing")
        << 10 << QList<QByteArray>{secLogReply(1, 10, {1, 2, 3, 4, 5})} << false << QList<int>{1, 2, 3, 4, 5}
        << QString("CFan::getSecLog: Error getting the secondary log");
    // A unit that repeats its count would otherwise be read for as long as it talks.
    QTest::newRow("count does not fall")
        << 10
        << QList<QByteArray>{secLogReply(1, 10, {1, 2, 3, 4, 5}), secLogReply(1, 10, {6, 7, 8, 9, 10}),
                             secLogReply(1, 5, {11, 12, 13, 14, 15})}
        << false << QList<int>{1, 2, 3, 4, 5} << QString();
    QTest::newRow("more sent than asked for") << 3 << QList<QByteArray>{secLogReply(1, 5, {1, 2, 3, 4, 5})}
                                              << true << QList<int>{1, 2, 3} << QString();
}

void TestFan::secLog()
{
    QFETCH(int, count);
    QFETCH(QList<QByteArray>, replyData);
    QFETCH(bool, result);
    QFETCH(QList<int>, entries);
    QFETCH(QString, line);

    m_Fixture.setReplies(20, replyData);
    CDebugCapture capture;
    QVector<SSecLogEntry> log(2); // emptied by the read
    QCOMPARE(fan().getSecLog(log, CLogging::TS_DAY, UINT16(count), 7), result);
    if (result)
        QCOMPARE(firstBytes(log), entries);
    else
        QVERIFY(log.size() <= entries.size());
    for (const QString& l : line.split('|', Qt::SkipEmptyParts))
        QVERIFY2(capture.contains(l), qPrintable(l));
    QVERIFY(capture.contains("sizeof(SSecLogEntry): 32"));
    QCOMPARE(unit().requests().size(), 1); // later replies of the answer come without a new request
}

void TestFan::primLog_data()
{
    QTest::addColumn<QList<QByteArray>>("replyData");
    QTest::addColumn<bool>("result");
    QTest::addColumn<QList<int>>("entries");

    QTest::newRow("empty") << QList<QByteArray>{primLogReply(0, {})} << true << QList<int>{};
    QTest::newRow("eight in two replies")
        << QList<QByteArray>{primLogReply(8, {1, 2, 3, 4, 5, 6, 7}), primLogReply(1, {8, 0xEE})} << true
        << QList<int>{1, 2, 3, 4, 5, 6, 7, 8};
    QTest::newRow("count does not fall")
        << QList<QByteArray>{primLogReply(9, {1, 2, 3, 4, 5, 6, 7}), primLogReply(9, {1, 2, 3, 4, 5, 6, 7}),
                             primLogReply(2, {1, 2})}
        << false << QList<int>{};
    QTest::newRow("wrong length") << QList<QByteArray>{primLogReply(1, {1}).left(185)} << false
                                  << QList<int>{};
}

void TestFan::primLog()
{
    QFETCH(QList<QByteArray>, replyData);
    QFETCH(bool, result);
    QFETCH(QList<int>, entries);

    m_Fixture.setReplies(15, replyData);
    QVector<SPrimLogEntry> log;
    QCOMPARE(fan().getPrimLog(log), result);
    if (result)
        QCOMPARE(firstBytes(log), entries);
}

void TestFan::wifiStatus_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<QStringList>("calls");

    QTest::newRow("0 idle") << 0 << QStringList{"Enable"};
    QTest::newRow("1") << 1 << QStringList{};
    QTest::newRow("2") << 2 << QStringList{};
    QTest::newRow("3 update ok") << 3 << QStringList{"OK"};
    QTest::newRow("4 update failed") << 4 << QStringList{"NOK"};
    QTest::newRow("5 delete ok") << 5 << QStringList{"DelOK"};
    QTest::newRow("6 delete failed") << 6 << QStringList{"DelNOK"};
    QTest::newRow("7") << 7 << QStringList{};
    QTest::newRow("255") << 255 << QStringList{};
}

void TestFan::wifiStatus()
{
    QFETCH(int, status);
    QFETCH(QStringList, calls);

    CWifiPage page;
    CFan::setWifiResultReceiver([&page]() { return &page; });
    QByteArray data = zeros(170);
    data[0] = char(26);
    data[1] = char(status);
    data[2] = char(0xC4); // -60 dBm
    m_Fixture.setReplies(26, {data});

    qint8 rssi = 0;
    QVERIFY(fan().getWifiData(rssi));
    QCOMPARE(rssi, qint8(-60));
    QCOMPARE(page.calls, calls);

    // The connections are made whatever the status.
    emit fan().signalDelOKMsg();
    QCOMPARE(page.calls.last(), QString("DelOK"));

    // The service panel's variant reads the same reply and reaches nobody.
    page.calls.clear();
    quint8 second = 9, third = 9;
    rssi = 0;
    QVERIFY(fan().getWifiDataDebug(rssi, second, third));
    QCOMPARE(rssi, qint8(-60));
    QCOMPARE(second, quint8(0));
    QCOMPARE(third, quint8(0));
    QVERIFY(page.calls.isEmpty());
}

void TestFan::wifiResultsReachThePageOncePerReply()
{
    CWifiPage page;
    int asked = 0;
    CFan::setWifiResultReceiver(
        [&]()
        {
            ++asked;
            return &page;
        });
    QByteArray data = zeros(170);
    data[0] = char(26);
    data[1] = char(3);
    m_Fixture.setReplies(26, {data});

    qint8 rssi = 0;
    for (int poll = 0; poll < 3; ++poll)
        QVERIFY(fan().getWifiData(rssi));
    QCOMPARE(page.calls, QStringList({"OK", "OK", "OK"}));
    QCOMPARE(asked, 3); // the page is looked up on every good reply

    // A new unit object is wired afresh.
    m_Fixture.stop();
    QVERIFY(m_Fixture.start(new CFan(false)));
    m_Fixture.setReplies(26, {data});
    page.calls.clear();
    QVERIFY(fan().getWifiData(rssi));
    QCOMPARE(page.calls, QStringList({"OK"}));
}

// The unit object works in the polling thread, the page lives in the user-interface thread.
void TestFan::wifiResultsQueuedAcrossThreads()
{
    CWifiPage page;
    CFan::setWifiResultReceiver([&page]() { return &page; });
    QByteArray data = zeros(170);
    data[0] = char(26);
    data[1] = char(5);
    m_Fixture.setReplies(26, {data});

    bool ok = true;
    std::unique_ptr<QThread> polling(QThread::create(
        [&]()
        {
            qint8 rssi = 0;
            ok = fan().getWifiData(rssi) && fan().getWifiData(rssi);
        }));
    polling->start();
    QVERIFY(polling->wait());
    QVERIFY(ok);
    QVERIFY(page.calls.isEmpty()); // nothing ran in the polling thread
    QCoreApplication::sendPostedEvents();
    QCOMPARE(page.calls, QStringList({"DelOK", "DelOK"}));
}

void TestFan::wifiWithoutReceiver()
{
    QByteArray data = zeros(170);
    data[0] = char(26);
    data[1] = char(4);
    m_Fixture.setReplies(26, {data});
    QSignalSpy nok(&fan(), &CFan::signalNOKMsg);
    qint8 rssi = 0;
    QVERIFY(fan().getWifiData(rssi));
    QCOMPARE(nok.count(), 1);
}

void TestFan::credentials_data()
{
    QTest::addColumn<QStringList>("texts"); // name, password, key, e-mail 1, e-mail 2, device name
    QTest::addColumn<int>("kind");
    QTest::addColumn<QByteArray>("ip"); // empty: no address given
    QTest::addColumn<QByteArray>("sent");

    const QByteArray ip = bytes({192, 168, 1, 20});
    const QString n25(25, 'N');
    QTest::newRow("update") << QStringList{"HomeNet",       "secret123",     "1234",
                                           "a@example.org", "b@example.org", "Living room"}
                            << 2 << ip
                            << credentialsRecord("HomeNet", "secret123", "1234", 2, ip, "Living room",
                                                 "a@example.org", "b@example.org");
    QTest::newRow("name of 25 characters has no terminating zero")
        << QStringList{n25, "pw", "1234", "", "", "dev"} << 2 << ip
        << bytes({29, 0}) + n25.toLatin1() + field("pw", 25) + field("1234", 20) + bytes({2}) + ip +
               field("dev", 25) + zeros(98);
    QTest::newRow("every field full")
        << QStringList{n25,
                       QString(25, 'P'),
                       QString(20, 'K'),
                       QString(49, 'e'),
                       QString(49, 'f'),
                       QString(25, 'D')}
        << 2 << ip
        << bytes({29, 0}) + QByteArray(25, 'N') + QByteArray(25, 'P') + QByteArray(20, 'K') + bytes({2}) +
               ip + QByteArray(25, 'D') + QByteArray(49, 'e') + QByteArray(49, 'f');
    QTest::newRow("ISO 8859-1 letters")
        << QStringList{"Caf\u00e9", "gr\u00fc\u00df", "1234", "", "", "K\u00fcche"} << 2 << ip
        << credentialsRecord("Caf\u00e9", "gr\u00fc\u00df", "1234", 2, ip, "K\u00fcche", "", "");
    QTest::newRow("delete carries empty texts")
        << QStringList{"", "", "", "", "", ""} << 1 << bytes({0, 0, 0, 0})
        << credentialsRecord("", "", "", 1, zeros(4), "", "", "");
    QTest::newRow("no address sends zeros") << QStringList{"n", "p", "1234", "", "", "d"} << 2 << QByteArray()
                                            << credentialsRecord("n", "p", "1234", 2, zeros(4), "d", "", "");

    // Refused: false and nothing sent.
    QTest::newRow("name of 26") << QStringList{n25 + "X", "p", "1234", "", "", "d"} << 2 << ip
                                << QByteArray();
    QTest::newRow("password of 26") << QStringList{"n", QString(26, 'p'), "1234", "", "", "d"} << 2 << ip
                                    << QByteArray();
    QTest::newRow("key of 21") << QStringList{"n", "p", QString(21, 'k'), "", "", "d"} << 2 << ip
                               << QByteArray();
    QTest::newRow("e-mail 1 of 50") << QStringList{"n", "p", "1234", QString(50, 'e'), "", "d"} << 2 << ip
                                    << QByteArray();
    QTest::newRow("e-mail 2 of 50") << QStringList{"n", "p", "1234", "", QString(50, 'e'), "d"} << 2 << ip
                                    << QByteArray();
    QTest::newRow("device name of 26")
        << QStringList{"n", "p", "1234", "", "", QString(26, 'd')} << 2 << ip << QByteArray();
    QTest::newRow("name outside ISO 8859-1")
        << QStringList{"Stra\u00dfe \u2603", "p", "1234", "", "", "d"} << 2 << ip << QByteArray();
    QTest::newRow("euro sign in an e-mail")
        << QStringList{"n", "p", "1234", "", "x\u20ac@example.org", "d"} << 2 << ip << QByteArray();
}

void TestFan::credentials()
{
    QFETCH(QStringList, texts);
    QFETCH(int, kind);
    QFETCH(QByteArray, ip);
    QFETCH(QByteArray, sent);

    quint8 address[4] = {};
    std::memcpy(address, ip.constData(), size_t(qMin(ip.size(), 4)));
    const bool ok = fan().setNetworkCredentials(texts[0], texts[1], texts[2], texts[3], texts[4], texts[5],
                                                quint8(kind), ip.isEmpty() ? nullptr : address);
    QCOMPARE(ok, !sent.isEmpty());
    if (sent.isEmpty())
        QVERIFY(unit().frames.isEmpty());
    else
        QCOMPARE(unit().frames, QList<QByteArray>{frame(1, 0x00, sent)});
}

void TestFan::credentialsSendFailure()
{
    unit().acknowledge = false;
    CDebugCapture capture;
    quint8 ip[4] = {};
    QVERIFY(!fan().setNetworkCredentials("n", "p", "1234", "", "", "d", 2, ip));
    QVERIFY(capture.contains("CFan::setNetworkCredentials: Error sending network credentials"));
    QCOMPARE(unit().frames.size(), 1); // a record goes once
}

QTEST_GUILESS_MAIN(TestFan)
#include "tst_fan.moc"
