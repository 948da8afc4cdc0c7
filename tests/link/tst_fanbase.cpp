#include "FakeWireFixture.h"
#include "SerialPort.h"

#include <QProgressBar>
#include <QSignalSpy>
#include <QtTest>

using namespace LinkTest;

namespace
{
class CTestFan : public CFanBase
{
public:
    QString getDeviceTypeText() const override { return QStringLiteral("tolVane100"); }
    int getUnitType() const override { return 0; }
};

template <typename T> QList<T> repeated(int n, const T& value)
{
    QList<T> out;
    for (int i = 0; i < n; ++i)
        out << value;
    return out;
}

QByteArray counterReply(quint32 remaining, quint32 firstValue)
{
    QByteArray data = bytes({13}) + u32(remaining);
    for (quint32 i = 0; i < 8; ++i)
        data += u32(firstValue + i);
    return frame(1, 0x10, data);
}
} // namespace

class TestFanBase : public QObject
{
    Q_OBJECT

    CFakeWireFixture<CTestFan> m_Fixture;

    CTestFan& fan() { return *m_Fixture.fan; }
    CFakeWire& wire() { return *m_Fixture.wire; }
    CFakeUnit& unit() { return *m_Fixture.unit; }

private slots:
    void init() { QVERIFY(m_Fixture.start(new CTestFan)); }
    void cleanup()
    {
        m_Fixture.stop(); // closes the port and deletes the wire
        QVERIFY(!g_pLLWire);
    }

    void closedPortFailsSilently()
    {
        CFanBase::closeComPort();
        QSignalSpy info(&fan(), &CFanBase::signalUserInfo);
        SHLP_IdentData ident;
        quint8 result = 0;
        UINT32 value = 1;
        QVector<unsigned char> memory;
        const UINT8 data[4] = {};
        QVERIFY(!fan().sendRequest(13));
        QVERIFY(!fan().setStartupMode(1));
        QVERIFY(!fan().getIdentData(ident));
        QVERIFY(!fan().getCounters());
        QVERIFY(!fan().readWriteCounterValue(CPersCounter_ReadOnly::CNT_BOOT_CYCLES, &value, false));
        QVERIFY(!fan().getTimer(nullptr, nullptr, nullptr, nullptr, nullptr));
        QVERIFY(!fan().getSecLogCnt(nullptr, nullptr, nullptr));
        QVERIFY(!fan().checkSecLog(CLogging::TS_DAY, result));
        QVERIFY(!fan().eraseSecLog(CLogging::TS_DAY));
        QVERIFY(!fan().reportMemory(0, 4, memory));
        QVERIFY(!fan().calcAveSenVal());
        QVERIFY(!fan().uploadPartition(0, 4, 4, CPartitionTable::PT_APPLICATION, 1, 0, 0, 0, false, data,
                                       nullptr, false));
        QCOMPARE(info.count(), 0);
        QCOMPARE(CFanBase::getComPortName(), QString());
    }

    void openComPort()
    {
        QSignalSpy info(&fan(), &CFanBase::signalUserInfo);
        QVERIFY(fan().openComPort(m_Fixture.port.name())); // the open port again: nothing happens
        QCOMPARE(info.count(), 0);
        QCOMPARE(g_pLLWire, static_cast<CLLProtocolWire*>(m_Fixture.wire));
        QCOMPARE(CFanBase::getComPortName(), m_Fixture.port.name());

        QVERIFY(!fan().openComPort(QStringLiteral("/dev/no-such-port")));
        QVERIFY(!g_pLLWire);
        QCOMPARE(signalTexts(info),
                 QStringList({"Checking for new devices...",
                              "Unable to open COM port for tolVane100.\nPlease switch your "
                              "tolVane100 off and then on again."}));
        info.clear();
        QVERIFY(!fan().openComPort(QString()));
        QVERIFY(!fan().openComPort(QString()));
        QCOMPARE(signalTexts(info),
                 repeated<QString>(2, "Please connect your application via the USB cable."));
    }

    void modeNames_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("name");
        QTest::newRow("0") << 0 << "MinAir";
        QTest::newRow("4") << 4 << "CO2Ven";
        QTest::newRow("7") << 7 << "HumInp";
        QTest::newRow("8") << 8 << "- ?? -";
        QTest::newRow("-1") << -1 << "- ?? -";
    }
    void modeNames()
    {
        QFETCH(int, mode);
        QFETCH(QString, name);
        QCOMPARE(QString::fromLatin1(fan().getModeName(mode)), name);
    }

    void oneByteRequests()
    {
        QSignalSpy info(&fan(), &CFanBase::signalUserInfo);
        QVERIFY(fan().calcAveSenVal());
        QCOMPARE(unit().frames, QList<QByteArray>({frame(1, 0x10, bytes({22}))}));

        // start application is written and not awaited, with or without a unit
        unit().acknowledge = false;
        unit().frames.clear();
        QVERIFY(fan().setStartupMode(0));
        QCOMPARE(unit().frames, QList<QByteArray>({frame(1, 0x50, bytes({17}))}));

        unit().frames.clear();
        QVERIFY(!fan().sendRequest(13));
        QCOMPARE(unit().frames, repeated(3, frame(1, 0x10, bytes({13}))));
        QCOMPARE(signalTexts(info), QStringList({"tolVane100 did not respond - "}));
    }

    void setStartupMode()
    {
        QSignalSpy info(&fan(), &CFanBase::signalUserInfo);
        QVERIFY(fan().setStartupMode(2));
        QCOMPARE(unit().frames,
                 QList<QByteArray>({frame(1, 0x00, bytes({18, 2})), frame(1, 0x50, bytes({17}))}));

        unit().acknowledge = false;
        unit().frames.clear();
        QVERIFY(!fan().setStartupMode(2));
        QCOMPARE(unit().frames.size(), 1);
        QCOMPARE(signalTexts(info), QStringList({"Unable to set startup mode for application."}));
    }

    void identification_data()
    {
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<quint32>("serial");
        QTest::addColumn<int>("appSub");
        QTest::addColumn<bool>("b70");
        QTest::addColumn<int>("wifiMain");
        QTest::addColumn<int>("wifiSub");
        QTest::addColumn<int>("further0");

        const QByteArray full = bytes({2, 0x95, 0x2D, 0x01, 0x00, 9, 7, 3, 0, 1, 2, 2, 5, 0x47, 0x0B}) +
                                QByteArray(1, char(0x5A)) + QByteArray(23, char(0x11));
        QTest::newRow("plus unit") << full << quint32(77205) << 5 << true << 3 << 45 << 0x5A;
        QByteArray type100 = full;
        type100[13] = 0x00;
        type100[14] = 0x00;
        QTest::newRow("tolVane100") << type100 << quint32(77205) << 5 << false << 0 << 0 << 0x5A;
        QTest::newRow("longer reply")
            << full + QByteArray(10, char(0x77)) << quint32(77205) << 5 << true << 3 << 45 << 0x5A;
        // a short reply leaves the rest of the record zero
        QTest::newRow("short reply") << full.left(12) << quint32(77205) << 0 << false << 0 << 0 << 0;
    }
    void identification()
    {
        QFETCH(QByteArray, reply);
        QFETCH(quint32, serial);
        QFETCH(int, appSub);
        QFETCH(bool, b70);
        QFETCH(int, wifiMain);
        QFETCH(int, wifiSub);
        QFETCH(int, further0);

        unit().replies[1] = {frame(1, 0x10, reply)};
        QSignalSpy info(&fan(), &CFanBase::signalUserInfo);
        SHLP_IdentData ident;
        QVERIFY(fan().getIdentData(ident));
        QCOMPARE(unit().frames.first(), frame(1, 0x00, bytes({1})));
        QCOMPARE(ident.m_SerialNr, serial);
        QCOMPARE(int(ident.m_HWVersion), reply.size() > 6 ? 7 : 0);
        QCOMPARE(int(ident.m_RunningPart), 3);
        QCOMPARE(int(ident.m_BootMainVer), 1);
        QCOMPARE(int(ident.m_BootSubVer), 2);
        QCOMPARE(int(ident.m_AppMainVer), 2);
        QCOMPARE(int(ident.m_AppSubVer), appSub);
        QCOMPARE(ident.m_b70, b70);
        QCOMPARE(int(ident.m_WifiMainVer), wifiMain);
        QCOMPARE(int(ident.m_WifiSubVer), wifiSub);
        QCOMPARE(int(ident.m_Further[0]), further0);
        QCOMPARE(int(ident.m_Further[23]), reply.size() >= 39 ? 0x11 : 0);
        QCOMPARE(signalTexts(info), QStringList({"tolVane100 detected!"}));
    }

    void identificationFailures_data()
    {
        QTest::addColumn<bool>("acknowledge");
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<int>("requests");
        QTest::newRow("silent unit") << false << QByteArray() << QStringList({"tolVane100 did not respond! "})
                                     << 10;
        QTest::newRow("no reply") << true << QByteArray()
                                  << QStringList({"tolVane100 detected!",
                                                  " The tolVane100 did not (correctly) respond - "})
                                  << 1;
        QTest::newRow("wrong id") << true << frame(1, 0x10, bytes({3, 1, 2, 3}))
                                  << QStringList({"tolVane100 detected!",
                                                  "- The tolVane100 responded with the wrong packet - "})
                                  << 1;
    }
    void identificationFailures()
    {
        QFETCH(bool, acknowledge);
        QFETCH(QByteArray, reply);
        QFETCH(QStringList, messages);
        QFETCH(int, requests);
        unit().acknowledge = acknowledge;
        if (!reply.isEmpty())
            unit().replies[1] = {reply};
        QSignalSpy info(&fan(), &CFanBase::signalUserInfo);
        SHLP_IdentData ident;
        QVERIFY(!fan().getIdentData(ident));
        QCOMPARE(signalTexts(info), messages);
        QCOMPARE(unit().requests().size(), requests);
        if (!acknowledge)
            QVERIFY(wire().now >= CFanBase::IDENT_TIMEOUT_MS &&
                    wire().now < CFanBase::IDENT_TIMEOUT_MS + 1100);
    }

    // Replies announce the counters still to come, this one's included.
    void counters_data()
    {
        QTest::addColumn<QList<QByteArray>>("replies");
        QTest::addColumn<bool>("result");
        QTest::addColumn<int>("count");
        QTest::newRow("none") << QList<QByteArray>({counterReply(0, 1)}) << true << 0;
        QTest::newRow("three") << QList<QByteArray>({counterReply(3, 100)}) << true << 3;
        QTest::newRow("twenty in three replies")
            << QList<QByteArray>({counterReply(20, 0), counterReply(12, 8), counterReply(4, 16)}) << true
            << 20;
        QTest::newRow("count does not fall") << repeated(50, counterReply(20, 0)) << false << 8;
        QTest::newRow("count falls too little")
            << QList<QByteArray>({counterReply(20, 0), counterReply(13, 8)}) << false << 8;
        QTest::newRow("second reply missing") << QList<QByteArray>({counterReply(12, 0)}) << false << 8;
        QTest::newRow("wrong length")
            << QList<QByteArray>({frame(1, 0x10, bytes({13}) + u32(2) + u32(7) + u32(8))}) << false << 0;
        QTest::newRow("wrong id") << QList<QByteArray>({frame(1, 0x10, bytes({14}) + QByteArray(36, 0))})
                                  << false << 0;
    }
    void counters()
    {
        QFETCH(QList<QByteArray>, replies);
        QFETCH(bool, result);
        QFETCH(int, count);
        unit().replies[13] = replies;
        QCOMPARE(fan().getCounters(), result);
        QCOMPARE(unit().requests().first(), bytes({13}));
        for (int id = 0; id < count; ++id)
            QCOMPARE(fan().getCounterValue(id),
                     replies.first() == counterReply(3, 100) ? 100u + id : quint32(id));
        QCOMPARE(fan().getCounterValue(count), 0xFFFFFFFFu);
        QCOMPARE(fan().getCounterValue(-1), 0xFFFFFFFFu);
        QCOMPARE(fan().getCounterText(count), QString());
    }

    void counterTexts_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<QString>("text");
        QTest::newRow("0") << 0 << "Number of Flash write cycles";
        QTest::newRow("11") << 11 << "Comfort level";
        QTest::newRow("12 table") << 12 << "System value filter operating hours";
        QTest::newRow("21 table") << 21 << "System value flap extract air";
        QTest::newRow("24 table") << 24 << "System value flap bypass";
        QTest::newRow("29 table") << 29 << "System value fire";
        QTest::newRow("35") << 35 << "The secondary log with 15 min  per log has been erased";
        QTest::newRow("36") << 36 << "The secondary log with  1 day  per log has been erased";
        QTest::newRow("38 table") << 38 << "System value air pressure sensor";
        QTest::newRow("44") << 44 << "Fan communication FCF";
        QTest::newRow("45") << 45 << "";
        QTest::newRow("47") << 47 << "";
        QTest::newRow("50") << 50 << "System value flap extract air - not present";
        QTest::newRow("54") << 54 << "System value flap extract air - speed close";
        QTest::newRow("57") << 57 << "System value flap extract air 2nd room - current";
        QTest::newRow("64") << 64 << "System value flap supply air - time";
        QTest::newRow("71") << 71 << "System value flap bypass - loose";
        QTest::newRow("73") << 73 << "System value flap bypass - speed open";
        QTest::newRow("74") << 74 << "";
        QTest::newRow("79") << 79 << "";
        QTest::newRow("-1") << -1 << "";
    }
    void counterTexts()
    {
        QFETCH(int, id);
        QFETCH(QString, text);
        QList<QByteArray> replies;
        for (quint32 remaining = 80; remaining > 0; remaining -= qMin(remaining, 8u))
            replies << counterReply(remaining, 80 - remaining);
        unit().replies[13] = replies;
        QVERIFY(fan().getCounters());
        QCOMPARE(fan().getCounterValue(79), 79u);
        QCOMPARE(fan().getCounterText(id), text);
    }

    void singleCounter_data()
    {
        QTest::addColumn<bool>("write");
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<bool>("result");
        QTest::addColumn<QByteArray>("request");
        QTest::addColumn<quint32>("value");
        const QByteArray read = bytes({27, 39, 0, 0xFF, 0xFF, 0xFF, 0xFF});
        const QByteArray write = bytes({27, 39, 1, 19, 0, 0, 0});
        QTest::newRow("read") << false << bytes({27, 39, 0, 5, 1, 0, 0}) << true << read << quint32(261);
        QTest::newRow("read, unit reports an error")
            << false << bytes({27, 39, 2, 5, 1, 0, 0}) << false << read << quint32(19);
        QTest::newRow("read, short reply")
            << false << bytes({27, 39, 0, 5, 1, 0}) << false << read << quint32(19);
        QTest::newRow("read, wrong id")
            << false << bytes({26, 39, 0, 5, 1, 0, 0}) << false << read << quint32(19);
        QTest::newRow("write, echoed")
            << true << bytes({27, 39, 1, 19, 0, 0, 0}) << true << write << quint32(19);
        QTest::newRow("write, other value")
            << true << bytes({27, 39, 1, 20, 0, 0, 0}) << false << write << quint32(19);
    }
    void singleCounter()
    {
        QFETCH(bool, write);
        QFETCH(QByteArray, reply);
        QFETCH(bool, result);
        QFETCH(QByteArray, request);
        QFETCH(quint32, value);
        unit().replies[27] = {frame(1, 0x10, reply)};
        UINT32 v = 19;
        QCOMPARE(fan().readWriteCounterValue(CPersCounter_ReadOnly::CNT_DEICE_SWITCH_OFF_TEMP, &v, write),
                 result);
        QCOMPARE(unit().frames.first(), frame(1, 0x00, request));
        QCOMPARE(v, value);
    }

    void writingNeedsAValue()
    {
        QVERIFY(!fan().readWriteCounterValue(CPersCounter_ReadOnly::CNT_BOOT_CYCLES, nullptr, true));
        QVERIFY(unit().frames.isEmpty());
        unit().replies[27] = {frame(1, 0x10, bytes({27, 3, 0, 1, 0, 0, 0}))};
        QVERIFY(fan().readWriteCounterValue(CPersCounter_ReadOnly::CNT_BOOT_CYCLES, nullptr, false));
    }

    void timer()
    {
        unit().replies[14] = {frame(1, 0x10, bytes({14, 0x2C, 0x01, 23, 59, 58, 0xE7, 0x03}))};
        UINT16 day = 0, ms = 0;
        UINT8 hour = 0, minute = 0, second = 0;
        QVERIFY(fan().getTimer(&day, &hour, &minute, &second, &ms));
        QCOMPARE(unit().frames.first(), frame(1, 0x10, bytes({14})));
        QCOMPARE(int(day), 300);
        QCOMPARE(int(hour), 23);
        QCOMPARE(int(minute), 59);
        QCOMPARE(int(second), 58);
        QCOMPARE(int(ms), 999);
        QVERIFY(fan().getTimer(nullptr, nullptr, nullptr, nullptr, nullptr));

        unit().replies[14] = {frame(1, 0x10, bytes({14, 0x2C, 0x01, 23, 59, 58, 0xE7}))};
        QVERIFY(!fan().getTimer(&day, nullptr, nullptr, nullptr, nullptr));
    }

    void secondLogBookkeeping()
    {
        unit().replies[24] = {frame(
            1, 0x10, bytes({24, 0, 96, 0, 200, 0, 0x2C, 0x01, 10, 0, 200, 0, 5, 0, 7, 0, 0, 0, 0x2B, 0x01}))};
        UINT16 sizes[3] = {}, used[3] = {}, oldest[3] = {};
        QVERIFY(fan().getSecLogCnt(sizes, used, oldest));
        QCOMPARE(unit().frames.first(), frame(1, 0x00, bytes({24}) + QByteArray(19, 0)));
        QCOMPARE(QVector<UINT16>(sizes, sizes + 3), QVector<UINT16>({96, 200, 300}));
        QCOMPARE(QVector<UINT16>(used, used + 3), QVector<UINT16>({10, 200, 5}));
        QCOMPARE(QVector<UINT16>(oldest, oldest + 3), QVector<UINT16>({7, 0, 299}));

        unit().frames.clear();
        unit().replies[23] = {frame(1, 0x10, bytes({23, 2, 4}))};
        quint8 result = 0;
        QVERIFY(fan().checkSecLog(CLogging::TS_MONTH, result));
        QCOMPARE(unit().frames.first(), frame(1, 0x00, bytes({23, 2, 0})));
        QCOMPARE(int(result), 4);

        unit().frames.clear();
        QVERIFY(fan().eraseSecLog(CLogging::TS_DAY));
        QCOMPARE(unit().frames, QList<QByteArray>({frame(1, 0x00, bytes({21, 1}))}));
        unit().acknowledge = false;
        QVERIFY(!fan().eraseSecLog(CLogging::TS_DAY));
    }

    void memory()
    {
        unit().replies[12] = {frame(1, 0x10, bytes({12, 0xAA, 0xBB, 0xCC}))};
        QVector<unsigned char> out;
        QVERIFY(fan().reportMemory(0x12345678, 3, out));
        QCOMPARE(unit().frames.first(), frame(1, 0x00, bytes({12, 0x78, 0x56, 0x34, 0x12, 3, 0, 0, 0})));
        QCOMPARE(out, QVector<unsigned char>({0xAA, 0xBB, 0xCC}));
    }

    // 400 bytes go out as 192, 192 and 16 in records of 200 bytes; byte 1 tells by how much the data
    // sent so far exceeds the partition length.
    void upload()
    {
        QByteArray data;
        for (int i = 0; i < 400; ++i)
            data.append(char(i * 7 + 1));
        QProgressBar bar;
        QSignalSpy progress(&bar, &QProgressBar::valueChanged);
        QVERIFY(fan().uploadPartition(0x08004000, 400, 395, CPartitionTable::PT_APPLICATION, 2, 5, 0x08000000,
                                      0xBEEF, true, reinterpret_cast<const UINT8*>(data.constData()), &bar,
                                      false));

        const QList<QByteArray> requests = unit().requests();
        QCOMPARE(requests.size(), 5);
        QCOMPARE(unit().frames.first(), frame(1, 0x10,
                                              bytes({7, 0x00, 0x40, 0x00, 0x08, 0x8B, 0x01, 3, 2, 5, 0x00,
                                                     0x00, 0x00, 0x08, 0xEF, 0xBE})));
        const int tails[3] = {0, 0, 5};
        const quint32 addresses[3] = {0x08004000, 0x080040C0, 0x08004180};
        for (int i = 0; i < 3; ++i)
        {
            const QByteArray& record = requests[1 + i];
            QCOMPARE(record.size(), 200);
            QCOMPARE(quint8(unit().frames.at(1 + i).at(5)), quint8(0x11)); // the data records carry flag 0
            const int size = i < 2 ? 192 : 16;
            QCOMPARE(record.left(8), bytes({8, tails[i], size, 0}) + u32(addresses[i]));
            QCOMPARE(record.mid(8, size), data.mid(192 * i, size));
            QCOMPARE(record.mid(8 + size), QByteArray(192 - size, 0));
        }
        QCOMPARE(requests.last(), bytes({9}));
        QCOMPARE(quint8(unit().frames.last().at(5)), quint8(0x10));
        QCOMPARE(wire().pauses, QVector<int>({750}));
        QList<int> values;
        for (const auto& args : progress)
            values << args.at(0).toInt();
        QCOMPARE(values, QList<int>({0, 48, 96, 100}));
    }

    void uploadHeaderOfALongWifiPartition()
    {
        const UINT8 data[8] = {1, 2, 3, 4, 5, 6, 7, 8};
        QVERIFY(fan().uploadPartition(0x20000, 8, 0x2F00A, CPartitionTable::PT_WIFI_MODULE, 1, 3, 0x1000, 7,
                                      false, data, nullptr, true));
        QCOMPARE(unit().requests().first(),
                 bytes({7, 0, 0, 2, 0, 0x0A, 0xF0, 36, 1, 3, 0, 0x10, 0, 0, 7, 0}));
        QCOMPARE(unit().requests().at(1).left(16), bytes({8, 0, 8, 0, 0, 0, 2, 0, 1, 2, 3, 4, 5, 6, 7, 8}));
        QCOMPARE(wire().pauses, QVector<int>({15000, 100, 750}));
    }

    void uploadStopsAtTheFirstFailure()
    {
        QSignalSpy info(&fan(), &CFanBase::signalUserInfo);
        QByteArray data(600, 'x');
        wire().device.onWrite = [&, inner = wire().device.onWrite](const QByteArray& b)
        {
            inner(b);
            if (unit().frames.size() == 1)
                unit().acknowledge = false; // the header is acknowledged, nothing after it
        };
        QVERIFY(!fan().uploadPartition(0, 600, 600, CPartitionTable::PT_APPLICATION, 1, 0, 0, 0, false,
                                       reinterpret_cast<const UINT8*>(data.constData()), nullptr, false));
        QCOMPARE(unit().requests().size(), 1 + 3); // the header, then one data record tried three times
        QCOMPARE(signalTexts(info), QStringList({"Error sending data to tolVane100."}));
    }

    void emptyUpload()
    {
        QVERIFY(fan().uploadPartition(0, 0, 0, CPartitionTable::PT_APPLICATION, 1, 0, 0, 0, false, nullptr,
                                      nullptr, false));
        QCOMPARE(unit().requests().size(), 2);
    }
};

QTEST_MAIN(TestFanBase)
#include "tst_fanbase.moc"
