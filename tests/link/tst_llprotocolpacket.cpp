#include "LLProtocolPacket.h"
#include "LinkTestSupport.h"

#include <QtTest>

using namespace LinkTest;

class TestLLProtocolPacket : public QObject
{
    Q_OBJECT

    static QByteArray wireBytes(const CLLProtocolPacket& packet)
    {
        QByteArray out;
        UINT16 size = 0;
        for (int i = 0; i < 3; ++i)
            if (const UINT8* chunk = packet.GetChunk(i, size))
                out.append(reinterpret_cast<const char*>(chunk), size);
        return out;
    }

private slots:
    void crc_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<int>("expected");
        QTest::newRow("check value") << QByteArray("123456789") << 0x29B1;
        QTest::newRow("empty") << QByteArray() << -1;
        QTest::newRow("request 13") << bytes({0x0D}) << 0x305D;
        QTest::newRow("start-up mode 2") << bytes({0x12, 0x02}) << 0x585C;
    }
    void crc()
    {
        QFETCH(QByteArray, data);
        QFETCH(int, expected);
        CCrc16 crc;
        QCOMPARE(crc.calc(reinterpret_cast<const UINT8*>(data.constData()), data.size()), expected);
        // the independent oracle of the other tests agrees
        if (!data.isEmpty())
            QCOMPARE(int(crc16(data)), expected);
    }

    void frames_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("acknowledgement") << 0 << bytes({'q', 'x', 'v', 'o', 1, 0x20, 0, 0, 0xFF, 0xFF});
        QTest::newRow("counters request, repeat")
            << 1 << bytes({'q', 'x', 'v', 'o', 1, 0x10, 1, 0, 0x0D, 0x5D, 0x30});
        QTest::newRow("start application")
            << 2 << bytes({'q', 'x', 'v', 'o', 1, 0x50, 1, 0, 0x11, 0xE0, 0xE3});
        QTest::newRow("identification, one attempt")
            << 3 << bytes({'q', 'x', 'v', 'o', 1, 0x00, 1, 0, 0x01, 0xD1, 0xF1});
        QTest::newRow("start-up mode record")
            << 4 << bytes({'q', 'x', 'v', 'o', 1, 0, 2, 0, 0x12, 2, 0x5C, 0x58});
        QTest::newRow("flag 0 data") << 5 << bytes({'q', 'x', 'v', 'o', 2, 0x01, 1, 0, 0x02, 0xB2, 0xC1});
        QTest::newRow("ack set on a request drops its data")
            << 6 << bytes({'q', 'x', 'v', 'o', 1, 0x30, 0, 0, 0xFF, 0xFF});
    }
    void frames()
    {
        QFETCH(int, kind);
        QFETCH(QByteArray, expected);
        CLLProtocolPacket p;
        const UINT8 mode[2] = {0x12, 2};
        const UINT8 two = 2;
        switch (kind)
        {
        case 0:
            QVERIFY(p.SetPacket(1, false, true, false, 0, nullptr));
            break;
        case 1:
            QVERIFY(p.SetPacketByte(1, true, 13));
            break;
        case 2:
            p.SetPacketByte(1, true, 17);
            p.SetNoAck(true);
            break;
        case 3:
            p.SetPacketByte(1, false, 1);
            break;
        case 4:
            QVERIFY(p.SetPacket(1, false, false, false, 2, mode));
            break;
        case 5:
            QVERIFY(p.SetPacket(2, true, false, false, 1, &two));
            QVERIFY(p.IsFlag0Set());
            break;
        case 6:
            p.SetPacketByte(1, true, 13);
            p.SetAck(true);
            QVERIFY(p.IsAck());
            break;
        }
        QCOMPARE(wireBytes(p), expected);
    }

    void setPacketRefusals()
    {
        CLLProtocolPacket p;
        p.SetPacketByte(1, true, 13);
        const QByteArray before = wireBytes(p);
        UINT8 big[201] = {};
        QVERIFY(!p.SetPacket(1, false, false, false, 201, big));
        QCOMPARE(wireBytes(p), before);

        // null data with a length makes an empty packet
        QVERIFY(p.SetPacket(1, false, false, false, 5, nullptr));
        QCOMPARE(wireBytes(p), bytes({'q', 'x', 'v', 'o', 1, 0, 0, 0, 0xFF, 0xFF}));
        QCOMPARE(int(p.GetPacketId()), 0x100);
        UINT16 size = 99;
        QVERIFY(!p.GetChunk(2, size));
        QVERIFY(!p.GetChunk(3, size));
        QCOMPARE(int(size), 0);
    }

    void packetId()
    {
        CLLProtocolPacket p;
        const UINT8 ident[3] = {2, 0x11, 0x22};
        p.SetPacket(1, false, false, false, 3, ident);
        QCOMPARE(int(p.GetPacketId()), 0x102);
    }

    // Input is offered in blocks of `block` bytes, as a wire would; each block is offered until the
    // packet is complete, and what it leaves untaken is counted.
    void receive_data()
    {
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<int>("block");
        QTest::addColumn<int>("state");
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<int>("untaken");

        const QByteArray reply = frame(1, 0, bytes({0x0E, 1, 0, 2, 3, 4, 5, 0}));
        const QByteArray replyData = bytes({0x0E, 1, 0, 2, 3, 4, 5, 0});
        const int complete = CLLProtocolPacket::RS_PACKET_COMPLETED_CRC_CORRECT;
        const int corrupt = CLLProtocolPacket::RS_PACKET_COMPLETED_CRC_INCORRECT;

        QTest::newRow("whole") << reply << 256 << complete << replyData << 0;
        QTest::newRow("byte by byte") << reply << 1 << complete << replyData << 0;
        QTest::newRow("split in threes") << reply << 3 << complete << replyData << 0;
        QTest::newRow("merged with the next") << reply + ack() << 256 << complete << replyData << 10;
        QTest::newRow("empty packet") << ack() << 256 << complete << QByteArray() << 0;
        QTest::newRow("leading noise")
            << QByteArray("\x00zzqx", 5) + reply << 256 << complete << replyData << 0;
        QTest::newRow("magic broken by its own start")
            << QByteArray("qq") + reply.mid(1) << 256 << complete << replyData << 0;
        QTest::newRow("magic broken late")
            << QByteArray("qxvq") + reply.mid(1) << 2 << complete << replyData << 0;

        QByteArray badData = reply;
        badData[10] = char(badData[10] ^ 0x40);
        QByteArray badDataExpected = replyData;
        badDataExpected[2] = char(badDataExpected[2] ^ 0x40);
        QTest::newRow("data damaged") << badData << 256 << corrupt << badDataExpected << 0;
        QByteArray badCrc = reply;
        badCrc[badCrc.size() - 1] = char(badCrc[badCrc.size() - 1] ^ 1);
        QTest::newRow("crc damaged") << badCrc << 256 << corrupt << replyData << 0;
        QByteArray badHeader = reply;
        badHeader[4] = 7;
        badHeader[5] = char(0x80);
        QTest::newRow("command and flags damaged") << badHeader << 256 << complete << replyData << 0;

        QTest::newRow("header only") << reply.left(8) << 256 << int(CLLProtocolPacket::RS_HEADER_COMPLETED)
                                     << QByteArray() << 0;
        QTest::newRow("data cut") << reply.left(12) << 256 << int(CLLProtocolPacket::RS_DATA_STARTED)
                                  << QByteArray() << 0;
        QTest::newRow("crc missing") << reply.left(16) << 256 << int(CLLProtocolPacket::RS_DATA_COMPLETED)
                                     << QByteArray() << 0;
        QTest::newRow("crc half") << reply.left(17) << 256 << int(CLLProtocolPacket::RS_CRC_STARTED)
                                  << QByteArray() << 0;

        // No packet is longer than 200 bytes: such a header is dropped, and a packet behind it is found.
        QByteArray tooLong = bytes({'q', 'x', 'v', 'o', 1, 0, 201, 0});
        QTest::newRow("length 201, then a packet") << tooLong + reply << 256 << complete << replyData << 0;
        QByteArray huge = bytes({'q', 'x', 'v', 'o', 1, 0, 0xFF, 0xFF}) + QByteArray(300, char(0x55));
        QTest::newRow("length 65535 never completes")
            << huge << 256 << int(CLLProtocolPacket::RS_READING_NOT_STARTED) << QByteArray() << 0;
    }
    void receive()
    {
        QFETCH(QByteArray, input);
        QFETCH(int, block);
        QFETCH(int, state);
        QFETCH(QByteArray, data);
        QFETCH(int, untaken);

        CLLProtocolPacket p;
        int left = 0;
        for (int at = 0; at < input.size(); at += block)
        {
            UINT16 count = UINT16(qMin(block, input.size() - at));
            p.PacketFromBuffer(input.constData() + at, count);
            if (p.GetReceiveState() > CLLProtocolPacket::RS_CRC_STARTED)
            {
                left = count + qMax(0, input.size() - at - block);
                break;
            }
            QCOMPARE(int(count), 0); // an incomplete packet takes everything it is offered
        }
        QCOMPARE(int(p.GetReceiveState()), state);
        QCOMPARE(left, untaken);
        if (!data.isEmpty())
            QCOMPARE(QByteArray(reinterpret_cast<const char*>(p.GetData()), p.GetLength()), data);
        QVERIFY(p.GetLength() <= CLLProtocolPacket::MAX_DATA);

        p.Reset();
        QCOMPARE(int(p.GetReceiveState()), int(CLLProtocolPacket::RS_READING_NOT_STARTED));
    }

    void receiveNothing()
    {
        CLLProtocolPacket p;
        UINT16 count = 0;
        p.PacketFromBuffer("q", count);
        UINT16 five = 5;
        p.PacketFromBuffer(nullptr, five);
        QCOMPARE(int(five), 5);
        QCOMPARE(int(p.GetReceiveState()), int(CLLProtocolPacket::RS_READING_NOT_STARTED));
    }
};

QTEST_APPLESS_MAIN(TestLLProtocolPacket)
#include "tst_llprotocolpacket.moc"
