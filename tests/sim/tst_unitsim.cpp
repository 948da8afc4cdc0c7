#include "SerialPort.h"
#include "SimUnit.h"
#include "TestLine.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QSerialPort>
#include <QtTest>
#include <fcntl.h>
#include <memory>
#include <unistd.h>

using namespace unitsim;

Q_DECLARE_METATYPE(unitsim::EUnitType)
Q_DECLARE_METATYPE(unitsim::ESimFault)

namespace
{
QByteArray hex(const char* text)
{
    return QByteArray::fromHex(text);
}

// The acknowledgement of a command-1 frame: flags 0x20, no data, CRC 0xFFFF.
const QByteArray ACK = hex("7178766f01200000ffff");
// The timer reply of the default model: day 12, 03:04:05.678.
const QByteArray TIMER_REPLY = hex("7178766f011008000e0c00030405a6020da5");

QByteArray request(quint8 code, quint8 flags = 0x10)
{
    return CTestLine::frame(1, flags, QByteArray(1, char(code)));
}
} // namespace

#define START_UNIT(model)                                                                                    \
    do                                                                                                       \
    {                                                                                                        \
        startUnit(model);                                                                                    \
        if (QTest::currentTestFailed())                                                                      \
            return;                                                                                          \
    } while (0)

class TestUnitSim : public QObject
{
    Q_OBJECT

    std::unique_ptr<CSimUnit> m_unit;
    CTestLine m_line;

    void startUnit(const SSimUnitModel& model)
    {
        m_unit.reset(new CSimUnit(model));
        QVERIFY(m_unit->start());
        QVERIFY(m_line.open(m_unit->portName()));
    }

    // One request answered by an acknowledgement and one reply, which the test acknowledges.
    QByteArray exchange(const QByteArray& frame, int replyBytes)
    {
        m_line.write(frame);
        const QByteArray got = m_line.read(ACK.size() + replyBytes);
        m_line.write(ACK);
        return got;
    }

private slots:
    void cleanup()
    {
        m_line.close();
        m_unit.reset();
    }

    void crcOfTheFraming()
    {
        QCOMPARE(crc16("123456789"), quint16(0x29B1));
        QCOMPARE(encodeFrame(1, FLAG_ACK, QByteArray()), ACK);
    }

    void identification_data()
    {
        QTest::addColumn<EUnitType>("type");
        QTest::addColumn<QByteArray>("expected");
        // serial 0x01020304, byte 5 0x11, hardware 7, application running, flags 0x22,
        // bootloader 2.05, application 3.07, third version 9.85, bytes 15-38 0xE0...0xF7
        QTest::newRow("tolVane100")
            << EUnitType::TolVane100
            << hex("7178766f01102700020403020111070322020503075215e0e1e2e3e4e5e6e7e8e9eaebec"
                   "edeeeff0f1f2f3f4f5f6f7ecb8");
        QTest::newRow("tolVane plus")
            << EUnitType::TolVanePlus
            << hex("7178766f01102700020403020111070322020503075315e0e1e2e3e4e5e6e7e8e9eaeb"
                   "ecedeeeff0f1f2f3f4f5f6f78d14");
    }

    void identification()
    {
        QFETCH(EUnitType, type);
        QFETCH(QByteArray, expected);
        SSimUnitModel model = SSimUnitModel::make(type);
        model.ident.serialNumber = 0x01020304;
        model.ident.byte5 = 0x11;
        model.ident.hwVersion = 7;
        model.ident.runningPart = 3;
        model.ident.flags = 0x22;
        model.ident.bootMain = 2;
        model.ident.bootSub = 5;
        model.ident.appMain = 3;
        model.ident.appSub = 7;
        model.ident.thirdMain = 9;
        model.ident.thirdSub = 85;
        for (int i = 0; i < 24; ++i)
            model.ident.extra[i] = quint8(0xE0 + i);
        START_UNIT(model);

        // The identification request goes with flags 0.
        QCOMPARE(exchange(hex("7178766f0100010001d1f1"), expected.size()).toHex(), (ACK + expected).toHex());
        QVERIFY(m_line.quiet());
    }

    void currentState_data()
    {
        QTest::addColumn<EUnitType>("type");
        QTest::addColumn<QByteArray>("record");
        QTest::addColumn<QByteArray>("expected");
        QByteArray record100, recordPlus;
        for (int i = 0; i < 26; ++i)
            record100.append(char(1 + i));
        for (int i = 0; i < 28; ++i)
            recordPlus.append(char(0x41 + i));
        // 28 data bytes: 19, one zero byte, the 26-byte record
        QTest::newRow("tolVane100")
            << EUnitType::TolVane100 << record100
            << hex("7178766f01101c0013000102030405060708090a0b0c0d0e0f101112131415161718191a"
                   "a946");
        // 30 data bytes: 19, one zero byte, the 28-byte record
        QTest::newRow("tolVane plus")
            << EUnitType::TolVanePlus << recordPlus
            << hex("7178766f01101e0013004142434445464748494a4b4c4d4e4f50515253545556575859"
                   "5a5b5cb634");
    }

    void currentState()
    {
        QFETCH(EUnitType, type);
        QFETCH(QByteArray, record);
        QFETCH(QByteArray, expected);
        SSimUnitModel model = SSimUnitModel::make(type);
        model.state = record;
        START_UNIT(model);

        QCOMPARE(exchange(hex("7178766f0110010013a2c3"), expected.size()).toHex(), (ACK + expected).toHex());
        QVERIFY(m_line.quiet());
    }

    // Another process has just closed its port on a pty: the number is free again, its lock file not
    // yet gone. The system hands that number out first; the unit must come up on one that opens.
    void comesUpOnAPortThatOpens()
    {
        CSimUnit previous;
        QVERIFY(previous.start());
        QSerialPort other(previous.portName());
        QVERIFY(other.open(QIODevice::ReadWrite));
        // The other port's descriptor goes (to /dev/null, so that its number stays its own) while
        // its lock stays; with the pty's own ends closed the number is free.
        const int devNull = ::open("/dev/null", O_RDWR | O_CLOEXEC);
        QVERIFY(devNull >= 0);
        QVERIFY(::dup2(devNull, other.handle()) >= 0);
        ::close(devNull);
        previous.stop();

        CSimUnit unit;
        QVERIFY(unit.start());
        CSerialPort port(unit.portName());
        QVERIFY2(port.open(QIODevice::ReadWrite), qPrintable(unit.portName() + ": " + port.errorString()));
        other.close();
    }

    // The program's port class over the unit's pty, polled without an event loop.
    void servesThePortClass()
    {
        CSimUnit unit(SSimUnitModel::make(EUnitType::TolVanePlus));
        QVERIFY(unit.start());
        CSerialPort port(unit.portName());
        QVERIFY(port.open(QIODevice::ReadWrite));
        QCOMPARE(port.write(request(14)), qint64(request(14).size()));
        QByteArray got;
        QElapsedTimer timer;
        timer.start();
        while (got.size() < ACK.size() + TIMER_REPLY.size() && timer.elapsed() < 2000)
        {
            if (port.bytesAvailable() > 0)
                got += port.read(256);
            QThread::msleep(1);
        }
        QCOMPARE(got.toHex(), (ACK + TIMER_REPLY).toHex());
        QCOMPARE(port.write(ACK), qint64(ACK.size()));

        unit.disappear();
        QCOMPARE(port.write(request(14)), qint64(-1));
    }

    void recordsEveryFrameAndIgnoresCorruptOnes()
    {
        START_UNIT(SSimUnitModel::make(EUnitType::TolVane100));
        QByteArray corrupt = request(19);
        corrupt[corrupt.size() - 1] = char(corrupt[corrupt.size() - 1] ^ 1);
        const QByteArray garbage = hex("00717178");
        m_line.write(garbage + corrupt);
        QVERIFY(m_line.quiet()); // a corrupt request is neither acknowledged nor answered
        m_line.write(ACK);
        QCOMPARE(exchange(request(14), TIMER_REPLY.size()).toHex(), (ACK + TIMER_REPLY).toHex());

        QVERIFY(m_unit->waitForFrames(4, 2000));
        const QList<SSimFrame> frames = m_unit->receivedFrames();
        QCOMPARE(frames.size(), 4);
        QCOMPARE(frames[0].raw, corrupt);
        QVERIFY(!frames[0].crcOk);
        QCOMPARE(frames[1].raw, ACK);
        QVERIFY(frames[1].isAck());
        QCOMPARE(frames[2].raw, request(14));
        QVERIFY(frames[2].crcOk);
        QCOMPARE(frames[3].raw, ACK);
    }

    void startApplicationIsNeverAcknowledged_data()
    {
        QTest::addColumn<quint8>("flags");
        QTest::newRow("no acknowledgement wanted") << quint8(0x50);
        QTest::newRow("acknowledgement wanted") << quint8(0x10);
    }

    void startApplicationIsNeverAcknowledged()
    {
        QFETCH(quint8, flags);
        SSimUnitModel model = SSimUnitModel::make(EUnitType::TolVane100);
        model.ident.runningPart = 1;
        START_UNIT(model);
        m_line.write(request(17, flags));
        QVERIFY(m_line.quiet());
        QCOMPARE(m_unit->model().ident.runningPart, quint8(3));
    }

    void resendsAnUnacknowledgedReplyThreeTimesInAll()
    {
        START_UNIT(SSimUnitModel::make(EUnitType::TolVane100));
        m_unit->setAckTimeoutMs(40);
        m_line.write(request(14));
        QCOMPARE(m_line.read(ACK.size() + 3 * TIMER_REPLY.size()).toHex(),
                 (ACK + TIMER_REPLY + TIMER_REPLY + TIMER_REPLY).toHex());
        QVERIFY(m_line.quiet(200));

        // Acknowledged at once: sent once.
        QCOMPARE(exchange(request(14), TIMER_REPLY.size()).toHex(), (ACK + TIMER_REPLY).toHex());
        QVERIFY(m_line.quiet(200));
    }

    void aNewRequestAbandonsTheUnacknowledgedReply()
    {
        START_UNIT(SSimUnitModel::make(EUnitType::TolVane100));
        m_unit->setAckTimeoutMs(100);
        m_line.write(request(14));
        QCOMPARE(m_line.read(ACK.size() + TIMER_REPLY.size()).toHex(), (ACK + TIMER_REPLY).toHex());
        m_line.write(request(24, 0));
        const QByteArray counts = m_line.read(ACK.size() + 30);
        QCOMPARE(counts.left(ACK.size()).toHex(), ACK.toHex());
        QCOMPARE(counts.mid(ACK.size() + 8, 1).toHex(), QByteArray("18")); // code 24, not the timer again
        m_line.write(ACK);
        QVERIFY(m_line.quiet(300));
    }

    // Faults counted over requests; each hits the next request only.
    void requestFaults_data()
    {
        QTest::addColumn<ESimFault>("fault");
        QTest::addColumn<QByteArray>("expected");
        QTest::addColumn<int>("writes");
        QTest::newRow("lose request") << ESimFault::LoseRequest << QByteArray() << 0;
        QTest::newRow("drop ack") << ESimFault::DropAck << TIMER_REPLY << 1;
        QTest::newRow("corrupt ack CRC")
            << ESimFault::CorruptAckCrc << hex("7178766f01200000a5ff") + TIMER_REPLY << 2;
        QTest::newRow("merge ack and reply") << ESimFault::MergeAckAndReply << ACK + TIMER_REPLY << 1;
    }

    void requestFaults()
    {
        QFETCH(ESimFault, fault);
        QFETCH(QByteArray, expected);
        QFETCH(int, writes);
        START_UNIT(SSimUnitModel::make(EUnitType::TolVane100));
        m_unit->addFault({fault});

        m_line.write(request(14));
        QCOMPARE(m_line.read(expected.size()).toHex(), expected.toHex());
        QVERIFY(m_line.quiet());
        QCOMPARE(m_unit->writes().size(), writes);
        if (writes == 1)
            QCOMPARE(m_unit->writes().first(), expected);
        m_line.write(ACK);

        QCOMPARE(exchange(request(14), TIMER_REPLY.size()).toHex(), (ACK + TIMER_REPLY).toHex());
    }

    // Faults counted over reply packets; the resend that follows is clean.
    void replyFaults_data()
    {
        QTest::addColumn<ESimFault>("fault");
        QTest::addColumn<int>("value");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("wrong id") << ESimFault::WrongReplyId << 0x15
                                  << hex("7178766f01100800150c00030405a602164e");
        QTest::newRow("two bytes longer")
            << ESimFault::WrongReplyLength << 2 << hex("7178766f01100a000e0c00030405a60200002633");
        QTest::newRow("three bytes shorter")
            << ESimFault::WrongReplyLength << -3 << hex("7178766f011005000e0c0003044184");
        QTest::newRow("corrupt CRC") << ESimFault::CorruptCrc << 0
                                     << hex("7178766f011008000e0c00030405a60257a5");
        QTest::newRow("leading garbage") << ESimFault::LeadingGarbage << 3 << hex("a5a4a7") + TIMER_REPLY;
        QTest::newRow("debug packets first") << ESimFault::DebugBeforeReply << 2
                                             << hex("7178766f0240090002646562756720310069c4"
                                                    "7178766f024009000264656275672032003a91") +
                                                    TIMER_REPLY;
    }

    void replyFaults()
    {
        QFETCH(ESimFault, fault);
        QFETCH(int, value);
        QFETCH(QByteArray, expected);
        START_UNIT(SSimUnitModel::make(EUnitType::TolVane100));
        m_unit->setAckTimeoutMs(60);
        m_unit->addFault({fault, value});

        m_line.write(request(14));
        QCOMPARE(m_line.read(ACK.size() + expected.size()).toHex(), (ACK + expected).toHex());
        QCOMPARE(m_line.read(TIMER_REPLY.size()).toHex(), TIMER_REPLY.toHex());
        m_line.write(ACK);
        // On a loaded machine the acknowledgement can come after a further resend: only what the
        // unit sends once it has the acknowledgement would be a fault.
        QVERIFY(m_unit->waitForFrames(2, 2000));
        int written = 0;
        for (const QByteArray& w : m_unit->writes())
            written += w.size();
        const int late = written - (ACK.size() + expected.size() + TIMER_REPLY.size());
        QCOMPARE(m_line.read(late).toHex(), TIMER_REPLY.repeated(late / TIMER_REPLY.size()).toHex());
        QVERIFY(m_line.quiet());
    }

    void delayedAck()
    {
        START_UNIT(SSimUnitModel::make(EUnitType::TolVane100));
        m_unit->addFault({ESimFault::DelayAck, 150});
        QElapsedTimer timer;
        timer.start();
        m_line.write(request(14));
        QCOMPARE(m_line.read(ACK.size()).toHex(), ACK.toHex());
        QVERIFY2(timer.elapsed() >= 150, qPrintable(QString::number(timer.elapsed())));
        QCOMPARE(m_line.read(TIMER_REPLY.size()).toHex(), TIMER_REPLY.toHex());
    }

    void splitWrites()
    {
        START_UNIT(SSimUnitModel::make(EUnitType::TolVane100));
        m_unit->addFault({ESimFault::SplitWrites, 4, 1, 0});
        QCOMPARE(exchange(request(14), TIMER_REPLY.size()).toHex(), (ACK + TIMER_REPLY).toHex());
        QVERIFY(m_unit->waitForWrites(8, 2000));
        const QList<QByteArray> writes = m_unit->writes();
        QCOMPARE(writes.size(), 8);
        QCOMPARE(QByteArray(writes.mid(0, 4).join()), ACK);
        QCOMPARE(QByteArray(writes.mid(4, 4).join()), TIMER_REPLY);
        for (const QByteArray& w : writes)
            QVERIFY(!w.isEmpty() && w.size() < TIMER_REPLY.size());
    }

    void faultsHitTheNthEventForTheirCount()
    {
        START_UNIT(SSimUnitModel::make(EUnitType::TolVane100));
        m_unit->addFault({ESimFault::DropAck, 0, 2, 2}); // requests 2 and 3
        const QByteArray expected[] = {ACK + TIMER_REPLY, TIMER_REPLY, TIMER_REPLY, ACK + TIMER_REPLY};
        for (const QByteArray& e : expected)
            QCOMPARE(exchange(request(14), e.size() - ACK.size()).toHex(), e.toHex());
    }

    void silence()
    {
        START_UNIT(SSimUnitModel::make(EUnitType::TolVane100));
        m_unit->setSilent(true);
        m_line.write(request(14));
        QVERIFY(m_line.quiet(300));
        QVERIFY(m_unit->waitForFrames(1, 2000));
        QCOMPARE(m_unit->receivedFrames().first().raw, request(14));

        m_unit->setSilent(false);
        QCOMPARE(exchange(request(14), TIMER_REPLY.size()).toHex(), (ACK + TIMER_REPLY).toHex());
    }

    void disappear()
    {
        START_UNIT(SSimUnitModel::make(EUnitType::TolVane100));
        const QString port = m_unit->portName();
        QVERIFY(QFileInfo::exists(port));
        m_unit->disappear();
        QVERIFY(!m_unit->isServing());
        QVERIFY(!QFileInfo::exists(port));
        QVERIFY(m_line.hungUp());

        // ... and comes back, as a restarted unit does.
        QVERIFY(m_unit->start());
        QVERIFY(QFileInfo::exists(m_unit->portName()));
        QVERIFY(m_line.open(m_unit->portName()));
        QCOMPARE(exchange(request(14), TIMER_REPLY.size()).toHex(), (ACK + TIMER_REPLY).toHex());
    }

    // Noise the unit's reader must get over before a good request.
    void survivesNoiseOnTheLine_data()
    {
        QTest::addColumn<QByteArray>("noise");
        QTest::addColumn<int>("pauseMs");
        QTest::newRow("length above 200") << hex("7178766f0100c900") << 0;
        QTest::newRow("broken magic") << hex("71717178767178") << 0;
        QTest::newRow("stalled half frame") << hex("7178766f01000500010203") << 300;
    }

    void survivesNoiseOnTheLine()
    {
        QFETCH(QByteArray, noise);
        QFETCH(int, pauseMs);
        START_UNIT(SSimUnitModel::make(EUnitType::TolVane100));
        m_line.write(noise);
        QVERIFY(m_line.quiet(pauseMs));
        QCOMPARE(exchange(request(14), TIMER_REPLY.size()).toHex(), (ACK + TIMER_REPLY).toHex());
    }

    void debugPacketsOnRequest()
    {
        START_UNIT(SSimUnitModel::make(EUnitType::TolVane100));
        m_unit->sendDebugValue(-2);
        m_unit->sendDebugText("hello");
        // id 0x201 with -2 as 32-bit LE, id 0x202 with a zero-terminated text; no ack wanted
        const QByteArray expected = hex("7178766f0240050001feffffff2654"
                                        "7178766f024007000268656c6c6f00021a");
        QCOMPARE(m_line.read(expected.size()).toHex(), expected.toHex());
    }
};

QTEST_GUILESS_MAIN(TestUnitSim)
#include "tst_unitsim.moc"
