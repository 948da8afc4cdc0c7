#include "LinkTestSupport.h"

#include <QtTest>

using namespace LinkTest;

class TestLLProtocolWire : public QObject
{
    Q_OBJECT

    static QByteArray received(CLLProtocolWire& wire)
    {
        UINT16 size = 0;
        const UINT8* b = wire.Receive(size);
        return b ? QByteArray(reinterpret_cast<const char*>(b), size) : QByteArray();
    }

    static QByteArray counting(int n, int from = 0)
    {
        QByteArray b;
        for (int i = 0; i < n; ++i)
            b.append(char(from + i));
        return b;
    }

private slots:
    void receiveReadsAtMostABlock()
    {
        CFakeWire wire;
        QCOMPARE(received(wire), QByteArray());
        wire.device.arrive(counting(300));
        QCOMPARE(received(wire), counting(256));
        QCOMPARE(received(wire), counting(44, 256));
    }

    // Untaken bytes are offered again before anything is read from the device.
    void consume_data()
    {
        QTest::addColumn<int>("offered");
        QTest::addColumn<int>("untaken");
        QTest::addColumn<QByteArray>("next");
        QTest::newRow("end of a block") << 256 << 100 << counting(100, 156);
        QTest::newRow("whole block") << 256 << 256 << counting(256);
        QTest::newRow("nothing left") << 256 << 0 << QByteArray("new");
        QTest::newRow("offered above a block") << 300 << 10 << QByteArray("new");
        QTest::newRow("untaken above offered") << 10 << 11 << QByteArray("new");
    }
    void consume()
    {
        QFETCH(int, offered);
        QFETCH(int, untaken);
        QFETCH(QByteArray, next);
        CFakeWire wire;
        wire.device.arrive(counting(256));
        QCOMPARE(received(wire).size(), 256);
        wire.device.arrive("new");
        wire.Consume(UINT16(offered), UINT16(untaken));
        QCOMPARE(received(wire), next);
    }

    void resetForgetsPendingButKeepsThePortsBytes()
    {
        CFakeWire wire;
        wire.device.arrive(counting(20));
        received(wire);
        wire.device.arrive("port");
        wire.Consume(20, 5);
        wire.Reset();
        QCOMPARE(received(wire), QByteArray("port"));
    }

    void send_data()
    {
        QTest::addColumn<bool>("null");
        QTest::addColumn<bool>("shortWrite");
        QTest::addColumn<bool>("result");
        QTest::addColumn<int>("writes");
        QTest::newRow("whole") << false << false << true << 1;
        QTest::newRow("null") << true << false << false << 0;
        QTest::newRow("short") << false << true << false << 1;
    }
    void send()
    {
        QFETCH(bool, null);
        QFETCH(bool, shortWrite);
        QFETCH(bool, result);
        QFETCH(int, writes);
        CFakeWire wire;
        wire.device.shortWrites = shortWrite;
        QCOMPARE(wire.Send(null ? nullptr : "abcd", 4), result);
        QCOMPARE(wire.device.writes.size(), writes);
    }

    void drainIsBounded()
    {
        CFakeWire wire;
        wire.device.endlessNoise = true;
        wire.Drain();
        wire.device.endlessNoise = false;
        wire.device.arrive("abc");
        wire.Drain();
        QCOMPARE(received(wire), QByteArray());
    }
};

QTEST_APPLESS_MAIN(TestLLProtocolWire)
#include "tst_llprotocolwire.moc"
