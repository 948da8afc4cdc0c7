#include "SimMessages.h"

#include <QtTest>

using namespace unitsim;

Q_DECLARE_METATYPE(unitsim::EUnitType)

namespace
{
QByteArray hex(const char* text)
{
    return QByteArray::fromHex(text);
}

QByteArray entry(int tag)
{
    return QByteArray(SEC_LOG_ENTRY_SIZE, char(tag));
}

// "code:length" of each reply packet, e.g. "13:37 13:37".
QString shape(const QList<QByteArray>& replies)
{
    QStringList parts;
    for (const QByteArray& r : replies)
        parts << QStringLiteral("%1:%2").arg(quint8(r[0])).arg(r.size());
    return parts.join(QLatin1Char(' '));
}
} // namespace

class TestSimMessages : public QObject
{
    Q_OBJECT

private slots:
    // Reply codes and data lengths per request and unit type; an empty shape is an
    // acknowledgement alone.
    void replyShapes_data()
    {
        QTest::addColumn<EUnitType>("type");
        QTest::addColumn<QByteArray>("request");
        QTest::addColumn<QString>("expected");
        const EUnitType t100 = EUnitType::TolVane100, plus = EUnitType::TolVanePlus;
        for (EUnitType t : {t100, plus})
        {
            const char* name = t == t100 ? "100" : "plus";
            auto row = [&](const char* what) -> QTestData& { return QTest::addRow("%s %s", name, what); };
            row("identification") << t << hex("01") << QString("2:39");
            row("upload start") << t << hex("07000000000000000000000000000000") << QString("");
            row("upload block") << t << QByteArray(200, '\0').replace(0, 1, hex("08")) << QString("");
            row("upload end") << t << hex("09") << QString("");
            row("memory") << t << hex("0c000000001000000000") << QString("12:17");
            row("timer") << t << hex("0e") << QString("14:8");
            row("start application") << t << hex("11") << QString("");
            row("start-up mode") << t << hex("1202") << QString("");
            row("erase second log") << t << hex("1500") << QString("");
            row("average") << t << hex("16") << QString("");
            row("check second log") << t << hex("170100") << QString("23:3");
            row("second-log counts") << t << QByteArray(20, '\0').replace(0, 1, hex("18"))
                                     << QString("24:20");
            row("single counter") << t << hex("1b0100ffffffff") << QString("27:7");
            row("serial number") << t << QByteArray(39, '\0').replace(0, 5, hex("03e8030000")) << QString("");
            row("upload mode begin") << t << hex("04") << QString("");
            row("upload mode end") << t << hex("05") << QString("");
            // The swap is the one reply under a code other than its request's.
            row("bootloader swap") << t << hex("06") << QString("10:4");
            // Two replies of ten 12-byte entries, without a code byte (the first entry starts at 0).
            row("partition table") << t << hex("0b") << QString("0:120 0:120");
            row("vent move") << t << hex("1c0102") << QString("");
            row("unknown code") << t << hex("63") << QString("");
        }
        QTest::newRow("100 state") << t100 << hex("13") << QString("19:28");
        QTest::newRow("plus state") << plus << hex("13") << QString("19:30");
        QTest::newRow("100 simulation")
            << t100 << QByteArray(22, '\0').replace(0, 1, hex("10")) << QString("");
        QTest::newRow("plus simulation")
            << plus << QByteArray(30, '\0').replace(0, 1, hex("10")) << QString("");
        QTest::newRow("100 primary log") << t100 << hex("0f") << QString("15:186");
        QTest::newRow("plus primary log") << plus << hex("0f") << QString("15:200");
        QTest::newRow("100 second log")
            << t100 << QByteArray(166, '\0').replace(0, 6, hex("140000000300")) << QString("20:166");
        QTest::newRow("plus second log")
            << plus << QByteArray(166, '\0').replace(0, 6, hex("140000000300")) << QString("20:166");
        QTest::newRow("100 vents") << t100 << hex("19") << QString("25:146");
        QTest::newRow("100 Wi-Fi") << t100 << hex("1a") << QString("26:170");
        QTest::newRow("100 credentials")
            << t100 << QByteArray(200, '\0').replace(0, 1, hex("1d")) << QString("");
        // The plus unit has no vents, Wi-Fi or credentials: it acknowledges and says nothing.
        QTest::newRow("plus vents") << plus << hex("19") << QString("");
        QTest::newRow("plus Wi-Fi") << plus << hex("1a") << QString("");
        QTest::newRow("plus credentials")
            << plus << QByteArray(200, '\0').replace(0, 1, hex("1d")) << QString("");
    }

    void replyShapes()
    {
        QFETCH(EUnitType, type);
        QFETCH(QByteArray, request);
        QFETCH(QString, expected);
        SSimUnitModel model = SSimUnitModel::make(type);
        QCOMPARE(shape(answerMessage(model, request)), expected);
    }

    // Runs of records: each packet counts the records still to come, its own included.
    void persistentCounters_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("remaining");
        QTest::newRow("none") << 0 << QString("0");
        QTest::newRow("one packet") << 8 << QString("8");
        QTest::newRow("three packets") << 20 << QString("20 12 4");
    }

    void persistentCounters()
    {
        QFETCH(int, count);
        QFETCH(QString, remaining);
        SSimUnitModel model = SSimUnitModel::make(EUnitType::TolVane100);
        model.counters.clear();
        for (int i = 0; i < count; ++i)
            model.counters.append(0x01000000u * quint32(i) + 0x0A0B0Cu);
        const QList<QByteArray> replies = answerMessage(model, hex("0d"));
        QStringList got;
        for (const QByteArray& r : replies)
        {
            QCOMPARE(r.size(), 37);
            got << QString::number(qFromLittleEndian<quint32>(r.constData() + 1));
        }
        QCOMPARE(got.join(QLatin1Char(' ')), remaining);
        if (count == 20)
        {
            QCOMPARE(replies[0].mid(5, 8).toHex(), QByteArray("0c0b0a000c0b0a01"));
            QCOMPARE(replies[2].mid(5, 16).toHex(), QByteArray("0c0b0a100c0b0a110c0b0a120c0b0a13"));
            QCOMPARE(replies[2].mid(21), QByteArray(16, '\0'));
        }
    }

    void singleCounter_data()
    {
        QTest::addColumn<QByteArray>("request");
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<quint32>("stored");
        QTest::newRow("read") << hex("1b0300ffffffff") << hex("1b030078563412") << 0x12345678u;
        QTest::newRow("write") << hex("1b0301efbeadde") << hex("1b0301efbeadde") << 0xDEADBEEFu;
        QTest::newRow("unknown id") << hex("1b5000ffffffff") << hex("1b5002ffffffff") << 0x12345678u;
        QTest::newRow("unknown action") << hex("1b0307efbeadde") << hex("1b0302ffffffff") << 0x12345678u;
    }

    void singleCounter()
    {
        QFETCH(QByteArray, request);
        QFETCH(QByteArray, reply);
        QFETCH(quint32, stored);
        SSimUnitModel model = SSimUnitModel::make(EUnitType::TolVane100);
        model.counters[3] = 0x12345678;
        QCOMPARE(answerMessage(model, request).value(0).toHex(), reply.toHex());
        QCOMPARE(model.counters[3], stored);
    }

    void timerAndCounts()
    {
        SSimUnitModel model = SSimUnitModel::make(EUnitType::TolVanePlus);
        model.timerDay = 0x0102;
        model.timerHour = 23;
        model.timerMinute = 59;
        model.timerSecond = 58;
        model.timerMillisecond = 999;
        QCOMPARE(answerMessage(model, hex("0e")).value(0).toHex(), QByteArray("0e0201173b3ae703"));

        for (int span = 0; span < SPAN_COUNT; ++span)
            model.secLogs[span].resize(10 * (span + 1));
        for (int i = 0; i < 13; ++i)
            model.secLogs[0].push(entry(i)); // wrapped: oldest 3
        model.secLogs[2].push(entry(1));
        // sizes 10, 20, 30; used 10, 0, 1; oldest 3, 0, 0
        QCOMPARE(answerMessage(model, QByteArray(20, '\0').replace(0, 1, hex("18"))).value(0).toHex(),
                 QByteArray("18000a0014001e000a0000000100030000000000"));
    }

    // The ring wraps inside a chunk; no more entries than the ring holds come back.
    void secondLogRing_data()
    {
        QTest::addColumn<QByteArray>("request");
        QTest::addColumn<QString>("remaining");
        QTest::addColumn<QByteArray>("tags");
        QTest::newRow("wraps inside a chunk") << hex("140102000300") << QString("3") << hex("030405");
        QTest::newRow("from the oldest, all") << hex("140102000400") << QString("4") << hex("03040506");
        QTest::newRow("more than held") << hex("140100000900") << QString("4") << hex("05060304");
        QTest::newRow("empty span") << hex("140000000500") << QString("0") << QByteArray();
    }

    void secondLogRing()
    {
        QFETCH(QByteArray, request);
        QFETCH(QString, remaining);
        QFETCH(QByteArray, tags);
        SSimUnitModel model = SSimUnitModel::make(EUnitType::TolVane100);
        model.secLogs[0].resize(8);
        model.secLogs[1].resize(4);
        for (int tag = 1; tag <= 6; ++tag)
            model.secLogs[1].push(entry(tag)); // slots hold 5, 6, 3, 4; oldest 2
        request = request.leftJustified(166, '\0');

        const QList<QByteArray> replies = answerMessage(model, request);
        QCOMPARE(replies.size(), 1);
        const QByteArray& r = replies[0];
        QCOMPARE(r.size(), 166);
        QCOMPARE(r.left(4), request.left(2) + QByteArray(2, '\0')); // code, span echo
        QCOMPARE(QString::number(qFromLittleEndian<quint16>(r.constData() + 4)), remaining);
        for (int i = 0; i < 5; ++i)
        {
            const QByteArray slot = r.mid(6 + 32 * i, 32);
            QCOMPARE(slot, i < tags.size() ? entry(tags[i]) : QByteArray(32, '\0'));
        }
    }

    void secondLogInSeveralPackets()
    {
        SSimUnitModel model = SSimUnitModel::make(EUnitType::TolVanePlus);
        model.secLogs[2].resize(20);
        for (int tag = 1; tag <= 12; ++tag)
            model.secLogs[2].push(entry(tag));
        const QList<QByteArray> replies = answerMessage(model, hex("140200000c00").leftJustified(166, '\0'));
        QCOMPARE(replies.size(), 3);
        const quint16 remaining[] = {12, 7, 2};
        for (int p = 0; p < 3; ++p)
        {
            QCOMPARE(replies[p][1], char(2));
            QCOMPARE(qFromLittleEndian<quint16>(replies[p].constData() + 4), remaining[p]);
        }
        QCOMPARE(replies[2].mid(6, 64), entry(11) + entry(12));
    }

    void eraseAndCheckSecondLog()
    {
        SSimUnitModel model = SSimUnitModel::make(EUnitType::TolVane100);
        model.secLogCheck[1] = 0x42;
        QCOMPARE(answerMessage(model, hex("170100")).value(0).toHex(), QByteArray("170142"));
        QVERIFY(model.secLogs[1].used > 0);
        QVERIFY(answerMessage(model, hex("1501")).isEmpty());
        QCOMPARE(model.secLogs[1].used, quint16(0));
        QCOMPARE(model.secLogs[1].oldest, quint16(0));
        QVERIFY(model.secLogs[0].used > 0);
    }

    void primaryLog_data()
    {
        QTest::addColumn<EUnitType>("type");
        QTest::addColumn<int>("records");
        QTest::addColumn<QString>("remaining");
        QTest::newRow("100 none") << EUnitType::TolVane100 << 0 << QString("0");
        QTest::newRow("100 nine") << EUnitType::TolVane100 << 9 << QString("9 2");
        QTest::newRow("plus fifteen") << EUnitType::TolVanePlus << 15 << QString("15 8 1");
    }

    void primaryLog()
    {
        QFETCH(EUnitType, type);
        QFETCH(int, records);
        QFETCH(QString, remaining);
        SSimUnitModel model = SSimUnitModel::make(type);
        const int size = model.stateRecordSize();
        model.primLog.clear();
        for (int i = 0; i < records; ++i)
            model.primLog.append(QByteArray(size, char(i + 1)));
        QStringList got;
        QByteArray entries;
        for (const QByteArray& r : answerMessage(model, hex("0f")))
        {
            got << QString::number(qFromLittleEndian<quint16>(r.constData() + 2));
            entries += r.mid(4);
        }
        QCOMPARE(got.join(QLatin1Char(' ')), remaining);
        for (int i = 0; i < records; ++i)
            QCOMPARE(entries.mid(i * size, size), QByteArray(size, char(i + 1)));
    }

    void reportMemory_data()
    {
        QTest::addColumn<QByteArray>("request");
        QTest::addColumn<QByteArray>("reply");
        QTest::newRow("across the image's start") << hex("0cfe0f000004000000") << hex("0c0000aabb");
        QTest::newRow("nothing") << hex("0c0010000000000000") << hex("0c");
        QTest::newRow("beyond the image") << hex("0c0310000002000000") << hex("0cdd00");
    }

    void reportMemory()
    {
        QFETCH(QByteArray, request);
        QFETCH(QByteArray, reply);
        SSimUnitModel model = SSimUnitModel::make(EUnitType::TolVane100);
        model.memoryBase = 0x1000;
        model.memory = hex("aabbccdd");
        QCOMPARE(answerMessage(model, request).value(0).toHex(), reply.toHex());
    }

    void reportMemoryNeverExceedsAPacket()
    {
        SSimUnitModel model = SSimUnitModel::make(EUnitType::TolVane100);
        QCOMPARE(answerMessage(model, hex("0c00000000ffffffff")).value(0).size(), 200);
    }

    void wifiStatusAndVents()
    {
        SSimUnitModel model = SSimUnitModel::make(EUnitType::TolVane100);
        model.wifiStatus = 7;
        model.wifiRssi = -70;
        model.wifiRest = QByteArray(167, char(0x33));
        const QByteArray wifi = answerMessage(model, hex("1a")).value(0);
        QCOMPARE(wifi.left(4).toHex(), QByteArray("1a07ba33"));
        QCOMPARE(wifi.mid(3), QByteArray(167, char(0x33)));

        model.vents = QByteArray(144, char(0x5C));
        QCOMPARE(answerMessage(model, hex("19")).value(0), hex("1900") + QByteArray(144, char(0x5C)));
    }

    // The unit keeps the credentials and reports their outcome in the Wi-Fi status.
    void credentials_data()
    {
        QTest::addColumn<quint8>("kind");
        QTest::addColumn<bool>("fail");
        QTest::addColumn<quint8>("status");
        QTest::newRow("update") << quint8(2) << false << quint8(3);
        QTest::newRow("update fails") << quint8(2) << true << quint8(4);
        QTest::newRow("delete") << quint8(1) << false << quint8(5);
        QTest::newRow("delete fails") << quint8(1) << true << quint8(6);
    }

    void credentials()
    {
        QFETCH(quint8, kind);
        QFETCH(bool, fail);
        QFETCH(quint8, status);
        SSimUnitModel model = SSimUnitModel::make(EUnitType::TolVane100);
        model.wifiCredentialsFail = fail;
        QByteArray request(200, '\0');
        request[0] = char(29);
        request.replace(2, 4, "home");
        request[72] = char(kind);
        request.replace(73, 4, hex("c0a80001"));
        QVERIFY(answerMessage(model, request).isEmpty());
        QCOMPARE(model.lastCredentials, request);
        QCOMPARE(answerMessage(model, hex("1a")).value(0)[1], char(status));
    }

    void recordsWhatItReceives()
    {
        SSimUnitModel model = SSimUnitModel::make(EUnitType::TolVanePlus);
        const QByteArray simulation = QByteArray(30, char(0x21)).replace(0, 1, hex("10"));
        QVERIFY(answerMessage(model, simulation).isEmpty());
        QCOMPARE(model.lastSimulationValues, simulation);

        QVERIFY(answerMessage(model, hex("1203")).isEmpty());
        QCOMPARE(model.startupMode, 3);

        answerMessage(model, hex("16"));
        answerMessage(model, hex("16"));
        QCOMPARE(model.averageRequests, 2);

        const QByteArray header = hex("07001000000002000400000000000000");
        answerMessage(model, header);
        answerMessage(model, hex("09"));
        QCOMPARE(model.uploadRecords, QList<QByteArray>({header, hex("09")}));
    }
};

QTEST_GUILESS_MAIN(TestSimMessages)
#include "tst_simmessages.moc"
