#include "DataDict.h"
#include "FanValues.h"
#include "ValueTable.h"

#include <QLocale>
#include <QtTest>

namespace
{
// Every field set to a value of its own; the comment names the fields of each byte.
SPrimLogEntry fullRecord()
{
    const quint8 bytes[SPrimLogEntry::SIZE] = {
        0xA5, 0x28, // SupplyTemp 0x0A5 = 20.625, ErrorState 5
        0xE4, 0x67, // OutdoorTemp 0x7E4 = -3.5, pressure P1 12
        0x30, 0x88, // ExhaustTemp 0x030 = 6.0, VentPosExtract 17
        0xB4, 0x48, // ExtractTemp 0x0B4 = 22.5, VentPosBypass 9
        0x9C, 0xB8, // SupplyTempVirt 0x09C = 19.5, pressure P0 7, Deicing
        0xD5,       // OutdoorHum 85, FilterSupplyFull
        0x2B,       // ExtractHum 43
        0x2F,       // CO2 47 * 16
        0x76,       // VentPosBath 22, comfort level 3 + 1
        0xCB,       // VentPosSupply 11, OperationMode 6
        0xA3,       // Program 3, air-flow code 20 (set-point)
        0xDC, 0x95, // FanExtractRPM 0x5DC, set-point 9 * 10
        0xB0, 0xF4, // FanSupplyRPM 0x4B0, HumReductionMode, unused bits 5-6, SumCoolBypassOpen
        0x52,       // DIPSwitch: 2nd room code 2, room-area code 5
        0xB6,       // ReductionReason 2, ErrorFileNr 45
        0x34, 0x12, // ErrorLineNr 0x1234
        0x85,       // ErrorCode -123
        0xE4,       // VentCtrlSet: extract 0, bath 1, supply 2, bypass 3
    };
    SPrimLogEntry entry;
    memcpy(entry.m_Bytes, bytes, sizeof bytes);
    return entry;
}

// Writes an 11-bit raw temperature into its low byte and the low three bits of the next.
void setTemperature(SPrimLogEntry& entry, int offset, int raw)
{
    entry.m_Bytes[offset] = quint8(raw & 0xFF);
    entry.m_Bytes[offset + 1] = quint8((entry.m_Bytes[offset + 1] & 0xF8) | ((raw >> 8) & 0x07));
}

QMap<int, QVariant> fullRecordValues()
{
    return {
        {2, QString("tst")},
        {12, QString("col")},
        {21, QString("dfs")},
        {28, true},
        {29, true},
        {30, 4},
        {31, 75},
        {32, 60},
        {34, 1200},
        {35, 1500},
        {36, 90},
        {37, 22.5},
        {39, 43},
        {41, -3.5},
        {42, 85},
        {43, 752},
        {46, 20.625},
        {47, 19.5},
        {49, 6.0},
        {50, 899},
        {56, 1},
        {90, QString("Err-TOU")},
        {121, quint32(45)},
        {122, quint32(4660)},
        {123, quint32(4294967173u)},
        {124, 17},
        {125, 9},
        {126, 22},
        {127, 11},
        {128, 0},
        {129, 3},
        {130, 1},
        {131, 2},
        {132, 1},
        {133, 0},
        {134, 82},
    };
}

class CValuesSender : public QObject
{
    Q_OBJECT
signals:
    void signalCurrentValues(CFanValues values);
};
} // namespace

class TestFanValues : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void fullRecordValue_data();
    void fullRecordValue();
    void otherIndicesInvalid();
    void fullRecordDerived();
    void zeroRecord();
    void temperatures_data();
    void temperatures();
    void airFlow_data();
    void airFlow();
    void roomAreaAndSecondRoom_data();
    void roomAreaAndSecondRoom();
    void errors_data();
    void errors();
    void programAndSubState_data();
    void programAndSubState();
    void modeText_data();
    void modeText();
    void recovery_data();
    void recovery();
    void defaultRecord_data();
    void defaultRecord();
    void checksumDetectsChange();
    void crossesQueuedSignal();
};

void TestFanValues::initTestCase()
{
    QLocale::setDefault(QLocale(QLocale::English));
}

void TestFanValues::fullRecordValue_data()
{
    ValueTable::addRows(fullRecordValues());
}

void TestFanValues::fullRecordValue()
{
    QFETCH(int, index);
    QFETCH(QVariant, expected);
    ValueTable::compare(CFanValues(fullRecord()).getValue(index), expected);
}

void TestFanValues::otherIndicesInvalid()
{
    ValueTable::verifyOthersInvalid(CFanValues(fullRecord()), fullRecordValues());
}

void TestFanValues::fullRecordDerived()
{
    const CFanValues values(fullRecord());
    QCOMPARE(values.AirFlowSetpoint, 90);
    QCOMPARE(values.Deicing, true);
    QCOMPARE(values.ErrorCode, -123);
    QCOMPARE(values.getProgramIndex(), 16);
    QCOMPARE(values.getSubStateIndex(), 23);
    QCOMPARE(CFanValues::getErrorIndex(values.ErrorState), 95);
    QCOMPARE(values.getSupplyTempVirt(), 19.5);
    QCOMPARE(values.getModeText(), QString("Test"));
    // F 90, E 22.5, O -3.5, V 19.5
    QCOMPARE(values.getRecoveryPercent(), 88);
    QCOMPARE(values.getRecoveryWatt(), 690);
    QCOMPARE(values.getExtractSupplyWatt(), 90);
    QCOMPARE(values.getChecksum(), 10068);
    QCOMPARE(values.calcChecksum(), 10068);
    QVERIFY(!values.isDefault());
}

void TestFanValues::zeroRecord()
{
    const CFanValues values{SPrimLogEntry()};
    QCOMPARE(values.ExtractTemp, 0.0);
    QCOMPARE(values.OutdoorTemp, 0.0);
    QCOMPARE(values.ExhaustTemp, 0.0);
    QCOMPARE(values.SupplyTemp, 0.0);
    QCOMPARE(values.SupplyTempVirt, 0.0);
    QCOMPARE(values.ComfortLevel, 1);
    QCOMPARE(values.Pressure, 700);
    QCOMPARE(values.RoomArea, 20);
    QCOMPARE(values.ExtractAirFlow, 0);
    QCOMPARE(values.getModeText(), QString("Comfort"));
    QCOMPARE(values.getProgramIndex(), 13);
    QCOMPARE(CFanValues::getErrorIndex(values.ErrorState), 91);
    QCOMPARE(values.getValue(90), QVariant(QString("ok")));
    QCOMPARE(values.getChecksum(), values.calcChecksum());

    const CFanValues empty;
    QCOMPARE(empty.getChecksum(), 0);
    QCOMPARE(empty.calcChecksum(), 0);
}

void TestFanValues::temperatures_data()
{
    QTest::addColumn<int>("offset");
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("raw");
    QTest::addColumn<double>("expected");

    const struct
    {
        int offset;
        int index;
        const char* name;
    } fields[] = {
        {0, 46, "supply"}, {2, 41, "outdoor"}, {4, 49, "exhaust"}, {6, 37, "extract"}, {8, 47, "virtual"}};
    const struct
    {
        int raw;
        double degrees;
    } raws[] = {{0x3FF, 127.875}, {0x400, -128.0}, {0x7FF, -0.125}, {0x001, 0.125}};
    for (const auto& f : fields)
        for (const auto& r : raws)
            QTest::addRow("%s 0x%03x", f.name, r.raw) << f.offset << f.index << r.raw << r.degrees;
}

void TestFanValues::temperatures()
{
    QFETCH(int, offset);
    QFETCH(int, index);
    QFETCH(int, raw);
    // The five upper bits of the high byte belong to other fields.
    SPrimLogEntry entry;
    entry.m_Bytes[offset + 1] = 0xF8;
    setTemperature(entry, offset, raw);
    QTEST(CFanValues(entry).getValue(index).toDouble(), "expected");
}

void TestFanValues::airFlow_data()
{
    QTest::addColumn<quint8>("byte15");
    QTest::addColumn<quint8>("byte17");
    QTest::addColumn<int>("flow");
    QTest::addColumn<int>("setpoint");
    QTest::newRow("code 20 takes the set-point") << quint8(0xA0) << quint8(0x90) << 90 << 90;
    QTest::newRow("code 1 is off") << quint8(0x08) << quint8(0x90) << 0 << 90;
    QTest::newRow("code 15 itself") << quint8(0x78) << quint8(0x00) << 15 << 0;
    QTest::newRow("code 0") << quint8(0x07) << quint8(0x00) << 0 << 0;
    QTest::newRow("code 31, set-point 150") << quint8(0xF8) << quint8(0xF0) << 31 << 150;
}

void TestFanValues::airFlow()
{
    QFETCH(quint8, byte15);
    QFETCH(quint8, byte17);
    SPrimLogEntry entry;
    entry.m_Bytes[15] = byte15;
    entry.m_Bytes[17] = byte17;
    const CFanValues values(entry);
    QTEST(values.ExtractAirFlow, "flow");
    QTEST(values.AirFlowSetpoint, "setpoint");
}

void TestFanValues::roomAreaAndSecondRoom_data()
{
    QTest::addColumn<int>("areaCode");
    QTest::addColumn<int>("roomCode");
    QTest::addColumn<int>("area");
    QTest::addColumn<int>("secondRoom");
    const int areas[] = {20, 25, 35, 45, 60, 75, 1, 2};
    for (int code = 0; code < 8; ++code)
        QTest::addRow("area code %d", code) << code << code % 4 << areas[code] << (code % 4) * 30;
}

void TestFanValues::roomAreaAndSecondRoom()
{
    QFETCH(int, areaCode);
    QFETCH(int, roomCode);
    SPrimLogEntry entry;
    // Bits 2, 3 and 7 of the DIP switch belong to neither code.
    const quint8 dip = quint8(0x8C | (areaCode << 4) | roomCode);
    entry.m_Bytes[20] = dip;
    const CFanValues values(entry);
    QTEST(values.RoomArea, "area");
    QTEST(values.Max2ndRoomExtract, "secondRoom");
    QCOMPARE(values.DIPSwitch, int(dip));
}

void TestFanValues::errors_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("abbreviation");
    QTest::newRow("0 ok") << 0 << 91 << "ok";
    QTest::newRow("4 supply sensor") << 4 << 98 << "Err-TSU";
    QTest::newRow("5 outdoor sensor") << 5 << 95 << "Err-TOU";
    QTest::newRow("11 pressure") << 11 << 102 << "Err-APR";
    QTest::newRow("13 bath flap") << 13 << 104 << "Err-FE2";
    QTest::newRow("15 bypass flap") << 15 << 106 << "Err-FBY";
    QTest::newRow("21 fire") << 21 << 112 << "Fire";
    QTest::newRow("22 wifi") << 22 << 118 << "Err-WiFi";
    QTest::newRow("23 none") << 23 << -1 << QString();
    QTest::newRow("31 none") << 31 << -1 << QString();
}

void TestFanValues::errors()
{
    QFETCH(int, code);
    QFETCH(QString, abbreviation);
    SPrimLogEntry entry;
    entry.m_Bytes[1] = quint8(code << 3);
    const CFanValues values(entry);
    QCOMPARE(values.ErrorState, code);
    QTEST(CFanValues::getErrorIndex(unsigned(code)), "index");
    const QVariant text = values.getValue(90);
    QCOMPARE(text.userType(), int(QMetaType::QString));
    QCOMPARE(text.toString(), abbreviation);
    QCOMPARE(text.isNull(), abbreviation.isNull());
}

void TestFanValues::programAndSubState_data()
{
    QTest::addColumn<int>("program");
    QTest::addColumn<int>("reduction");
    QTest::addColumn<int>("programIndex");
    QTest::addColumn<int>("subStateIndex");
    QTest::addColumn<QString>("subStateText");
    QTest::newRow("min air") << 0 << 0 << 13 << -1 << QString();
    QTest::newRow("defrost bypass") << 0 << 1 << 13 << 22 << "dfr";
    QTest::newRow("defrost supply") << 1 << 2 << 14 << 23 << "dfs";
    QTest::newRow("reason 3") << 2 << 3 << 15 << -1 << QString();
    QTest::newRow("CO2") << 4 << 1 << 17 << 22 << "dfr";
    QTest::newRow("5 condensing") << 5 << 0 << -1 << 25 << "win";
    QTest::newRow("6 before reduction") << 6 << 1 << -1 << 26 << "otb";
    QTest::newRow("7 humidity input") << 7 << 2 << -1 << 24 << "hin";
}

void TestFanValues::programAndSubState()
{
    QFETCH(int, program);
    QFETCH(int, reduction);
    QFETCH(QString, subStateText);
    SPrimLogEntry entry;
    entry.m_Bytes[15] = quint8(program);
    entry.m_Bytes[21] = quint8(reduction);
    const CFanValues values(entry);
    QTEST(values.getProgramIndex(), "programIndex");
    QTEST(values.getSubStateIndex(), "subStateIndex");
    QCOMPARE(values.getValue(21).toString(), subStateText);
    QCOMPARE(values.getValue(21).isNull(), subStateText.isNull());
    QCOMPARE(values.getValue(12).isNull(), program > 4);
}

void TestFanValues::modeText_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("humidityReduction");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("abbreviation");
    QTest::newRow("comfort") << 0 << false << "Comfort"
                             << "cmf";
    QTest::newRow("comfort reducing") << 0 << true << "Humidity reduction"
                                      << "cmf";
    QTest::newRow("1st room reducing") << 1 << true << "Humidity reduction (1st room)"
                                       << "cm1";
    QTest::newRow("sleep reducing keeps description") << 2 << true << "Sleep"
                                                      << "slp";
    QTest::newRow("turbo cool") << 4 << false << "Turbo Cool"
                                << "trc";
    QTest::newRow("service") << 5 << false << "Service"
                             << "svc";
    QTest::newRow("manufacturer") << 7 << false << "Manufacturer"
                                  << "mnu";
}

void TestFanValues::modeText()
{
    QFETCH(int, mode);
    QFETCH(bool, humidityReduction);
    SPrimLogEntry entry;
    entry.m_Bytes[14] = quint8(mode << 5);
    entry.m_Bytes[19] = humidityReduction ? 0x10 : 0x00;
    const CFanValues values(entry);
    QTEST(values.getModeText(), "text");
    QTEST(values.getValue(2).toString(), "abbreviation");
}

void TestFanValues::recovery_data()
{
    QTest::addColumn<int>("airFlowCode");
    QTest::addColumn<int>("extract"); // raw 1/8 degC
    QTest::addColumn<int>("outdoor");
    QTest::addColumn<int>("supplyVirt");
    QTest::addColumn<int>("percent");
    QTest::addColumn<int>("watt");
    QTest::addColumn<int>("extractSupplyWatt");

    // flow 15 unless code 1 (off)
    QTest::newRow("no flow") << 1 << 160 << 0 << 144 << 100 << 0 << 0;
    QTest::newRow("E-O below 2") << 15 << 160 << 152 << 40 << 100 << 0 << 75;
    QTest::newRow("E 20, O 0, V 18") << 15 << 160 << 0 << 144 << 90 << 90 << 10;
    QTest::newRow("V above E is cut to 100") << 15 << 160 << 0 << 176 << 100 << 110 << -10;
    QTest::newRow("V below O goes negative") << 15 << 160 << 0 << -8 << -5 << -5 << 105;
    QTest::newRow("nearest integer") << 15 << 160 << 0 << 145 << 91 << 91 << 9;
    QTest::newRow("E-O exactly 2") << 15 << 16 << 0 << 8 << 50 << 5 << 5;
    QTest::newRow("outdoor warmer") << 15 << 0 << 80 << 40 << 50 << -25 << -25;
}

void TestFanValues::recovery()
{
    QFETCH(int, airFlowCode);
    QFETCH(int, extract);
    QFETCH(int, outdoor);
    QFETCH(int, supplyVirt);
    SPrimLogEntry entry;
    entry.m_Bytes[15] = quint8(airFlowCode << 3);
    setTemperature(entry, 6, extract);
    setTemperature(entry, 2, outdoor);
    setTemperature(entry, 8, supplyVirt);
    const CFanValues values(entry);
    QTEST(values.getRecoveryPercent(), "percent");
    QTEST(values.getRecoveryWatt(), "watt");
    QTEST(values.getExtractSupplyWatt(), "extractSupplyWatt");
}

void TestFanValues::defaultRecord_data()
{
    QTest::addColumn<quint8>("outdoorHum");
    QTest::addColumn<quint8>("extractHum");
    QTest::addColumn<quint8>("fanSupplyLow");
    QTest::addColumn<quint8>("fanExtractHigh");
    QTest::addColumn<bool>("isDefault");
    QTest::newRow("start-up record") << quint8(50) << quint8(50) << quint8(0) << quint8(0) << true;
    QTest::newRow("filter flags do not count")
        << quint8(0x80 | 50) << quint8(0x80 | 50) << quint8(0) << quint8(0xF0) << true;
    QTest::newRow("supply fan turning") << quint8(50) << quint8(50) << quint8(1) << quint8(0) << false;
    QTest::newRow("extract fan turning") << quint8(50) << quint8(50) << quint8(0) << quint8(1) << false;
    QTest::newRow("humidity 51") << quint8(50) << quint8(51) << quint8(0) << quint8(0) << false;
}

void TestFanValues::defaultRecord()
{
    QFETCH(quint8, outdoorHum);
    QFETCH(quint8, extractHum);
    QFETCH(quint8, fanSupplyLow);
    QFETCH(quint8, fanExtractHigh);
    SPrimLogEntry entry;
    entry.m_Bytes[10] = outdoorHum;
    entry.m_Bytes[11] = extractHum;
    entry.m_Bytes[18] = fanSupplyLow;
    entry.m_Bytes[17] = fanExtractHigh;
    QTEST(CFanValues(entry).isDefault(), "isDefault");
}

void TestFanValues::checksumDetectsChange()
{
    CFanValues values(fullRecord());
    values.ExtractTemp += 0.125;
    QCOMPARE(values.calcChecksum(), 10069);
    QVERIFY(values.calcChecksum() != values.getChecksum());
}

void TestFanValues::crossesQueuedSignal()
{
    QVERIFY(qRegisterMetaType<CFanValues>("CFanValues") != 0);
    CValuesSender sender;
    CFanValues received;
    connect(
        &sender, &CValuesSender::signalCurrentValues, this, [&received](CFanValues v) { received = v; },
        Qt::QueuedConnection);
    emit sender.signalCurrentValues(CFanValues(fullRecord()));
    QCOMPARE(received.getChecksum(), 0);
    QTRY_COMPARE(received.getChecksum(), 10068);
    QCOMPARE(received.calcChecksum(), 10068);
    QCOMPARE(received.getValue(122), QVariant(quint32(4660)));
}

QTEST_GUILESS_MAIN(TestFanValues)
#include "tst_fanvalues.moc"
