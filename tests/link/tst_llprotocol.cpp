#include "LLProtocol.h"
#include "LinkTestSupport.h"

#include <QtTest>

using namespace LinkTest;

class TestLLProtocol : public QObject
{
    Q_OBJECT

    static CLLProtocolPacket request(UINT8 code, bool repeat)
    {
        CLLProtocolPacket p;
        p.SetPacketByte(1, repeat, code);
        return p;
    }

private slots:
    void noAckWantedReturnsOnceWritten()
    {
        CFakeWire wire;
        CLLProtocol protocol(wire);
        CLLProtocolPacket p = request(17, true);
        p.SetNoAck(true);
        QCOMPARE(protocol.Send(p), CLLProtocol::RC_SUCCESS);
        QCOMPARE(wire.device.writes.join(), frame(1, 0x50, bytes({17})));
        QCOMPARE(wire.now, qint64(0)); // nothing was awaited
    }

    // Without an acknowledgement the packet goes out once, or three times with the repeat flag,
    // each attempt waiting 1000 polls of 1 ms.
    void attempts_data()
    {
        QTest::addColumn<bool>("repeat");
        QTest::addColumn<int>("frames");
        QTest::newRow("once") << false << 1;
        QTest::newRow("repeat") << true << 3;
    }
    void attempts()
    {
        QFETCH(bool, repeat);
        QFETCH(int, frames);
        CFakeWire wire;
        CFakeUnit unit(wire);
        unit.acknowledge = false;
        CLLProtocol protocol(wire);
        CLLProtocolPacket p = request(13, repeat);
        QCOMPARE(protocol.Send(p), CLLProtocol::RC_FAILURE);
        QCOMPARE(unit.frames.size(), frames);
        QCOMPARE(wire.now, qint64(frames) * 1000);
    }

    void acknowledgementOfAnyCommandIsAccepted()
    {
        CFakeWire wire;
        wire.device.arrive(ack(7), 3);
        CLLProtocol protocol(wire);
        CLLProtocolPacket p = request(13, false);
        QCOMPARE(protocol.Send(p), CLLProtocol::RC_SUCCESS);
        QCOMPARE(wire.now, qint64(3));
    }

    void dataPacketInsteadOfAcknowledgementCostsAnAttempt()
    {
        CFakeWire wire;
        wire.device.arrive(frame(1, 0, bytes({13, 0})));
        wire.device.arrive(ack(), 2000);
        CLLProtocol protocol(wire);
        CLLProtocolPacket once = request(13, false);
        QCOMPARE(protocol.Send(once), CLLProtocol::RC_FAILURE);

        CFakeWire wire2;
        wire2.device.arrive(frame(1, 0, bytes({13, 0})));
        wire2.device.arrive(ack(), 10);
        CLLProtocol protocol2(wire2);
        CLLProtocolPacket repeated = request(13, true);
        QCOMPARE(protocol2.Send(repeated), CLLProtocol::RC_SUCCESS);
        QCOMPARE(wire2.device.writes.size(), 2 * 3); // two attempts of three chunks
    }

    // A failed chunk write pauses 1000 ms and writes the same chunk again, as often as attempts allow.
    void writeFailures_data()
    {
        QTest::addColumn<bool>("repeat");
        QTest::addColumn<int>("failures");
        QTest::addColumn<int>("result");
        QTest::addColumn<int>("pauses");
        QTest::newRow("once, one failure") << false << 1 << int(CLLProtocol::RC_FAILURE) << 1;
        QTest::newRow("repeat, two failures") << true << 2 << int(CLLProtocol::RC_SUCCESS) << 2;
        QTest::newRow("repeat, never writable") << true << 1000 << int(CLLProtocol::RC_FAILURE) << 9;
    }
    void writeFailures()
    {
        QFETCH(bool, repeat);
        QFETCH(int, failures);
        QFETCH(int, result);
        QFETCH(int, pauses);
        CFakeWire wire;
        CFakeUnit unit(wire);
        wire.device.failWrites = failures;
        CLLProtocol protocol(wire);
        CLLProtocolPacket p = request(13, repeat);
        QCOMPARE(int(protocol.Send(p)), result);
        QCOMPARE(wire.pauses, QVector<int>(pauses, 1000));
    }

    void shortWriteIsAFailure()
    {
        CFakeWire wire;
        CFakeUnit unit(wire);
        wire.device.shortWrites = true;
        CLLProtocol protocol(wire);
        CLLProtocolPacket p = request(13, false);
        QCOMPARE(protocol.Send(p), CLLProtocol::RC_FAILURE);
        QVERIFY(unit.frames.isEmpty());
    }

    void receiveAcknowledges()
    {
        CFakeWire wire;
        wire.device.arrive(frame(1, 0, bytes({14, 1, 0, 2, 3, 4, 5, 0})), 20);
        CLLProtocol protocol(wire);
        CLLProtocolPacket reply;
        QCOMPARE(protocol.Receive(reply), CLLProtocol::RC_SUCCESS);
        QCOMPARE(int(reply.GetPacketId()), 0x10E);
        QCOMPARE(wire.device.writes.join(), bytes({'q', 'x', 'v', 'o', 1, 0x20, 0, 0, 0xFF, 0xFF}));
    }

    void receivedAcknowledgementIsRefusedAndNotAnswered()
    {
        CFakeWire wire;
        wire.device.arrive(ack());
        CLLProtocol protocol(wire);
        CLLProtocolPacket reply;
        QCOMPARE(protocol.Receive(reply), CLLProtocol::RC_FAILURE);
        QVERIFY(wire.device.writes.isEmpty());
    }

    void corruptPacketFailsWithoutReset()
    {
        CFakeWire wire;
        QByteArray bad = frame(1, 0, bytes({14, 1}));
        bad[9] = 0;
        wire.device.arrive(bad);
        CLLProtocol protocol(wire);
        CLLProtocolPacket reply;
        QCOMPARE(protocol.Receive(reply), CLLProtocol::RC_FAILURE);
        QCOMPARE(wire.resets, 0);
        QVERIFY(wire.device.writes.isEmpty());
    }

    void incompletePacketResetsTheWire()
    {
        CFakeWire wire;
        wire.device.arrive(frame(1, 0, bytes({14, 1, 2})).left(9));
        CLLProtocol protocol(wire);
        CLLProtocolPacket reply;
        QCOMPARE(protocol.RecSinglePacketNoAck(reply, 1000), CLLProtocol::RC_FAILURE);
        QCOMPARE(wire.resets, 1);
        QCOMPARE(wire.now, qint64(1 + 1000 - 1)); // the count restarts at 1 after the bytes
    }

    void idleCountRestartsOnEveryArrival()
    {
        CFakeWire wire;
        const QByteArray reply = frame(1, 0, bytes({14, 1, 2}));
        wire.device.arrive(reply.left(5), 0);
        wire.device.arrive(reply.mid(5), 900); // within 1000 polls of the last byte
        CLLProtocol protocol(wire);
        CLLProtocolPacket p;
        QCOMPARE(protocol.RecSinglePacketNoAck(p, 1000), CLLProtocol::RC_SUCCESS);
        QCOMPARE(wire.now, qint64(900));
    }

    void noPollsWithoutIdleLimit()
    {
        CFakeWire wire;
        wire.device.arrive(ack());
        CLLProtocol protocol(wire);
        CLLProtocolPacket p;
        QCOMPARE(protocol.RecSinglePacketNoAck(p, 0), CLLProtocol::RC_FAILURE);
        QCOMPARE(wire.now, qint64(0));
    }

    void bytesAfterAPacketStayForTheNext()
    {
        CFakeWire wire;
        wire.device.arrive(frame(1, 0, bytes({13, 1})) + frame(1, 0, bytes({14, 2})));
        CLLProtocol protocol(wire);
        CLLProtocolPacket first;
        CLLProtocolPacket second;
        QTest::ignoreMessage(QtDebugMsg, "Unused bytes left over!... 12");
        QCOMPARE(protocol.RecSinglePacketNoAck(first, 1000), CLLProtocol::RC_SUCCESS);
        QCOMPARE(protocol.RecSinglePacketNoAck(second, 1000), CLLProtocol::RC_SUCCESS);
        QCOMPARE(int(first.GetPacketId()), 0x10D);
        QCOMPARE(int(second.GetPacketId()), 0x10E);
    }

    // Debug packets of the unit are shown and skipped while a packet is awaited.
    void debugMessages_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<QString>("shown");
        QTest::newRow("number") << bytes({0x01, 0xFE, 0xFF, 0xFF, 0xFF}) << "-2";
        QTest::newRow("number too short") << bytes({0x01, 0x02}) << "";
        QTest::newRow("text") << bytes({0x02, 'O', 'K', 0, 'x'}) << "OK";
        QTest::newRow("text without end") << bytes({0x02, 0xC3, 0xA4, '!'}) << QString::fromUtf8("\xC3\xA4!");
        QTest::newRow("other id") << bytes({0x07, 'x'}) << "";
    }
    void debugMessages()
    {
        QFETCH(QByteArray, data);
        QFETCH(QString, shown);
        CFakeWire wire;
        wire.device.arrive(frame(2, 0, data) + frame(1, 0, bytes({19, 0})), 0);
        struct SView : CDebugMessageView
        {
            QStringList texts;
            void append(const QString& strText) override { texts << strText; }
        } view;
        CLLProtocol protocol(wire, &view);
        CLLProtocolPacket reply;
        QCOMPARE(protocol.Receive(reply), CLLProtocol::RC_SUCCESS);
        QCOMPARE(int(reply.GetPacketId()), 0x113);
        QCOMPARE(view.texts, QStringList{shown});
    }

    void debugMessageWithoutViewIsSkipped()
    {
        CFakeWire wire;
        wire.device.arrive(frame(2, 0, bytes({0x02, 'h', 'i'})), 0);
        wire.device.arrive(ack(), 500);
        CLLProtocol protocol(wire);
        CLLProtocolPacket p = request(13, false);
        QCOMPARE(protocol.Send(p), CLLProtocol::RC_SUCCESS);
    }

    // However the unit keeps talking, a wait ends.
    void endlessInputEnds_data()
    {
        QTest::addColumn<int>("kind");
        QTest::newRow("noise") << 0;
        QTest::newRow("debug packets") << 1;
    }
    void endlessInputEnds()
    {
        QFETCH(int, kind);
        CFakeWire wire;
        if (kind == 0)
            wire.device.endlessNoise = true;
        else
            for (int t = 0; t < 20000; t += 2)
                wire.device.arrive(frame(2, 0, bytes({0x02, 'x'})), t);
        CLLProtocol protocol(wire);
        CLLProtocolPacket p = request(13, true);
        QCOMPARE(protocol.Send(p), CLLProtocol::RC_FAILURE);
        QVERIFY(wire.now <= 3 * CLLProtocol::OVERALL_POLL_FACTOR * 1000);
        CLLProtocolPacket reply;
        QCOMPARE(protocol.Receive(reply), CLLProtocol::RC_FAILURE);
    }

    void processDebugMsgLeavesOtherPacketsAlone()
    {
        CLLProtocolPacket p;
        UINT16 count = 0;
        const QByteArray f = frame(1, 0, bytes({2, 9}));
        count = UINT16(f.size());
        p.PacketFromBuffer(f.constData(), count);
        QVERIFY(!ProcessDebugMsg(p, nullptr));
        QCOMPARE(int(p.GetReceiveState()), int(CLLProtocolPacket::RS_PACKET_COMPLETED_CRC_CORRECT));
    }
};

QTEST_MAIN(TestLLProtocol)
#include "tst_llprotocol.moc"
