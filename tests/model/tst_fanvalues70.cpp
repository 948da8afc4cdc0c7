#include "DataDict.h"
#include "FanValues70.h"
#include "ValueTable.h"

#include <QLocale>
#include <QtTest>

namespace
{
// Every field set to a value of its own; unused bits and bytes are all ones.
SPrimLogEntry_70 fullRecord()
{
    const quint8 bytes[SPrimLogEntry_70::SIZE] = {
        0xF4, 0x3F,       // SupplyTemp70 0x7F4 = -1.5, ErrorState 7
        0xFF, 0xFF, 0xFF, // not used
        0x97,             // ErrorFileNr 37
        0xB8, 0xF8,       // ExtractTemp 0x0B8 = 23.0
        0x5A, 0xEB,       // air flow A = 0xD6 = -42 (bit 0 in byte 8 bit 7, bits 1-7 in byte 9)
        0xBD,             // OutdoorHum 61
        0xAF,             // ExtractHum 47
        0xFF, 0xFF,       // not used
        0xDA,             // comfort level 2 + 1, OperationMode 3
        0xFF,             // not used
        0xE8, 0x63,       // FanRPM70 0x3E8, Program 6
        0x96,             // ExtCO2UnCor70 150 + 100
        0x50,             // SupCO2UnCor70 80 + 100
        0xFF,             // ExtractCO270 255 + 100
        0x00,             // SupplyCO270 0 + 100
        0x2D,             // DIPSwitch 45, room-area code 5
        0xFF,             // not used
        0xCD, 0xAB,       // ErrorLineNr 0xABCD
        0x18, 0xFC,       // ErrorCode -1000
    };
    SPrimLogEntry_70 entry;
    memcpy(entry.m_Bytes, bytes, sizeof bytes);
    return entry;
}

QMap<int, QVariant> fullRecordValues()
{
    return {
        {2, QString("tst")},
        {12, QString("CO2Inp")},
        {30, 3},
        {31, 75},
        {33, 1000},
        {36, 42},
        {37, 23.0},
        {38, -1.5},
        {39, 47},
        {42, 61},
        {44, 355},
        {45, 100},
        {90, QString("Err-VOC")},
        {119, 250},
        {120, 180},
        {121, quint32(37)},
        {122, quint32(43981)},
        {123, quint32(4294966296u)},
        {134, 45},
    };
}

class CValuesSender : public QObject
{
    Q_OBJECT
signals:
    void signalCurrentValues70(CFanValues70 values);
};
} // namespace

class TestFanValues70 : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void fullRecordValue_data();
    void fullRecordValue();
    void otherIndicesInvalid();
    void fullRecordFields();
    void zeroRecord();
    void airFlow_data();
    void airFlow();
    void roomArea_data();
    void roomArea();
    void errors_data();
    void errors();
    void modes_data();
    void modes();
    void programs_data();
    void programs();
    void crossesQueuedSignal();
};

void TestFanValues70::initTestCase()
{
    QLocale::setDefault(QLocale(QLocale::English));
}

void TestFanValues70::fullRecordValue_data()
{
    ValueTable::addRows(fullRecordValues());
}

void TestFanValues70::fullRecordValue()
{
    QFETCH(int, index);
    QFETCH(QVariant, expected);
    ValueTable::compare(CFanValues70(fullRecord()).getValue(index), expected);
}

void TestFanValues70::otherIndicesInvalid()
{
    // Among them the values of the other unit type: 34, 41, 46, 50.
    ValueTable::verifyOthersInvalid(CFanValues70(fullRecord()), fullRecordValues());
}

void TestFanValues70::fullRecordFields()
{
    const CFanValues70 values(fullRecord());
    QCOMPARE(values.ExtractAirFlow, -42);
    QCOMPARE(values.ErrorCode, -1000);
    QCOMPARE(values.ErrorState, 7);
    QCOMPARE(values.OperationMode, 3);
    QCOMPARE(values.getModeText(), QString("Test"));
    QCOMPARE(values.getProgramIndex(), 18);
    QCOMPARE(values.getErrorIndex(), 117);
    QCOMPARE(values.getChecksum(), 0);
    QCOMPARE(values.calcChecksum(), 0);
}

void TestFanValues70::zeroRecord()
{
    const CFanValues70 values{SPrimLogEntry_70()};
    QCOMPARE(values.ExtractTemp, 0.0);
    QCOMPARE(values.SupplyTemp70, 0.0);
    QCOMPARE(values.ComfortLevel, 1);
    QCOMPARE(values.RoomArea, 20);
    QCOMPARE(values.ExtractCO270, 100);
    QCOMPARE(values.SupplyCO270, 100);
    QCOMPARE(values.ExtCO2UnCor70, 100);
    QCOMPARE(values.SupCO2UnCor70, 100);
    QCOMPARE(values.getModeText(), QString("Auto"));
    QCOMPARE(values.getValue(2), QVariant(QString("aut")));
    QCOMPARE(values.getProgramIndex(), 13);
    QCOMPARE(values.getErrorIndex(), 91);
}

void TestFanValues70::airFlow_data()
{
    QTest::addColumn<quint8>("byte8");
    QTest::addColumn<quint8>("byte9");
    QTest::addColumn<int>("flow");
    QTest::addColumn<int>("magnitude");
    QTest::newRow("-1") << quint8(0x80) << quint8(0x7F) << -1 << 1;
    QTest::newRow("-128") << quint8(0x00) << quint8(0x40) << -128 << 128;
    QTest::newRow("127") << quint8(0x80) << quint8(0x3F) << 127 << 127;
    QTest::newRow("1") << quint8(0x80) << quint8(0x00) << 1 << 1;
    QTest::newRow("unused bits only") << quint8(0x7F) << quint8(0x80) << 0 << 0;
}

void TestFanValues70::airFlow()
{
    QFETCH(quint8, byte8);
    QFETCH(quint8, byte9);
    SPrimLogEntry_70 entry;
    entry.m_Bytes[8] = byte8;
    entry.m_Bytes[9] = byte9;
    const CFanValues70 values(entry);
    QTEST(values.ExtractAirFlow, "flow");
    QTEST(values.getValue(36).toInt(), "magnitude");
}

void TestFanValues70::roomArea_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("area");
    const int areas[] = {20, 25, 35, 45, 60, 75, 0, 0};
    for (int code = 0; code < 8; ++code)
        QTest::addRow("code %d", code) << code << areas[code];
}

void TestFanValues70::roomArea()
{
    QFETCH(int, code);
    SPrimLogEntry_70 entry;
    const quint8 dip = quint8(0xC7 | (code << 3)); // the other bits are set and ignored
    entry.m_Bytes[22] = dip;
    const CFanValues70 values(entry);
    QTEST(values.RoomArea, "area");
    QCOMPARE(values.getValue(134), QVariant(int(dip)));
}

void TestFanValues70::errors_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("abbreviation");
    QTest::newRow("0") << 0 << 91 << "ok";
    QTest::newRow("1") << 1 << 94 << "ge1";
    QTest::newRow("2 none") << 2 << -1 << QString();
    QTest::newRow("3") << 3 << 113 << "Err-TSE";
    QTest::newRow("5") << 5 << 114 << "Err-HSE";
    QTest::newRow("8 none") << 8 << -1 << QString();
    QTest::newRow("14") << 14 << 116 << "Err-FAN";
    QTest::newRow("15") << 15 << 109 << "Err-DIP";
    QTest::newRow("16") << 16 << 110 << "ge2";
    QTest::newRow("17") << 17 << 111 << "CO2";
    QTest::newRow("18") << 18 << 112 << "Fire";
    QTest::newRow("19 none") << 19 << -1 << QString();
    QTest::newRow("31 none") << 31 << -1 << QString();
}

void TestFanValues70::errors()
{
    QFETCH(int, code);
    QFETCH(QString, abbreviation);
    SPrimLogEntry_70 entry;
    entry.m_Bytes[1] = quint8(code << 3);
    const CFanValues70 values(entry);
    QTEST(values.getErrorIndex(), "index");
    QTEST(CFanValues70::getErrorIndex(unsigned(code)), "index");
    const QVariant text = values.getValue(90);
    QCOMPARE(text.userType(), int(QMetaType::QString));
    QCOMPARE(text.toString(), abbreviation);
    QCOMPARE(text.isNull(), abbreviation.isNull());
}

void TestFanValues70::modes_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("abbreviation");
    QTest::newRow("0 auto") << 0 << "Auto"
                            << "aut";
    QTest::newRow("1 turbo") << 1 << "Turbo"
                             << "trb";
    QTest::newRow("2 service") << 2 << "Service"
                               << "svc";
    QTest::newRow("4 manufacturer") << 4 << "Manufacturer"
                                    << "mnu";
    QTest::newRow("5 none") << 5 << "" << QString();
    QTest::newRow("7 none") << 7 << "" << QString();
}

void TestFanValues70::modes()
{
    QFETCH(int, mode);
    QFETCH(QString, text);
    QFETCH(QString, abbreviation);
    SPrimLogEntry_70 entry;
    entry.m_Bytes[14] = quint8(0xC7 | (mode << 3)); // comfort level 8, top bits ignored
    const CFanValues70 values(entry);
    QCOMPARE(values.ComfortLevel, 8);
    QCOMPARE(values.getModeText(), text);
    QVERIFY(!values.getModeText().isNull());
    QCOMPARE(values.getValue(2).toString(), abbreviation);
    QCOMPARE(values.getValue(2).isNull(), abbreviation.isNull());
}

void TestFanValues70::programs_data()
{
    QTest::addColumn<int>("program");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("abbreviation");
    QTest::newRow("4") << 4 << 17 << "co2";
    QTest::newRow("5") << 5 << 20 << "HumInp";
    QTest::newRow("7") << 7 << 19 << "HCO2Inp";
    QTest::newRow("8 none") << 8 << -1 << QString();
    QTest::newRow("15 none") << 15 << -1 << QString();
}

void TestFanValues70::programs()
{
    QFETCH(int, program);
    QFETCH(QString, abbreviation);
    SPrimLogEntry_70 entry;
    entry.m_Bytes[17] = quint8((program << 4) | 0x0F);
    entry.m_Bytes[16] = 0xFF;
    const CFanValues70 values(entry);
    QCOMPARE(values.FanRPM70, 4095);
    QTEST(values.getProgramIndex(), "index");
    QCOMPARE(values.getValue(12).toString(), abbreviation);
    QCOMPARE(values.getValue(12).isNull(), abbreviation.isNull());
}

void TestFanValues70::crossesQueuedSignal()
{
    QVERIFY(qRegisterMetaType<CFanValues70>("CFanValues70") != 0);
    CValuesSender sender;
    CFanValues70 received;
    connect(
        &sender, &CValuesSender::signalCurrentValues70, this, [&received](CFanValues70 v) { received = v; },
        Qt::QueuedConnection);
    emit sender.signalCurrentValues70(CFanValues70(fullRecord()));
    QCOMPARE(received.ErrorCode, 0);
    QTRY_COMPARE(received.ErrorCode, -1000);
    QCOMPARE(received.ExtractAirFlow, -42);
}

QTEST_GUILESS_MAIN(TestFanValues70)
#include "tst_fanvalues70.moc"
