#include "Logging.h"
#include "Logging_70.h"

#include <QtTest>

// Entries written by hand from the field tables; neighbouring fields hold different values and
// the unused bits are set, so that a wrong shift or mask shows.
class TestSecLogEntry : public QObject
{
    Q_OBJECT

private slots:
    void tolVane100Fields();
    void tolVane100Boundaries();
    void plusFields();
    void plusBoundaries();
};

namespace
{
template <typename Entry> Entry entryOf(std::initializer_list<int> bytes)
{
    Entry entry;
    int i = 0;
    for (int b : bytes)
        entry.m_Bytes[i++] = quint8(b);
    return entry;
}
} // namespace

void TestSecLogEntry::tolVane100Fields()
{
    const auto e = entryOf<SSecLogEntry>({
        0xF6, 0x05, 0x3C, 0xFE, 0x15, 0x2D, 0xC8, 0x80, // temperatures, humidities, CO2, error code
        0x41, 0x8C,                                     // 1, 2, 3, supply filter full
        0x1F, 0x3C,                                     // 31, 0, 15, extract filter ok
        0xA4, 0x98,                                     // 4, 5, 6, humidity-reduction mode set
        0x07, 0x25,                                     // 7, 8, 9, not cleared
        0x6A, 0xB1,                                     // 10, 11, 12, restarted
        0xD4, 0xFE, 0xD2, 0x04, 0xFF, 0xFF,             // energies -300, 1234, -1
        0xE8, 0xEF,                                     // air 1000, entry state 3, unused bits 13-15 set
        0xF6, 0xFF,                                     // error state 22, water -1
        0xFF, 0xFF,                                     // pressure 255 between set unused bits
        0xAA, 0x55,
    });

    QCOMPARE(e.SupplyTemp(), -10);
    QCOMPARE(e.OutdoorTemp(), 5);
    QCOMPARE(e.OutdoorHum(), 60);
    QCOMPARE(e.ExhaustTemp(), -2);
    QCOMPARE(e.ExtractTemp(), 21);
    QCOMPARE(e.ExtractHum(), 45);
    QCOMPARE(e.CO2(), 200);
    QCOMPARE(e.ErrorCode(), -128);

    QCOMPARE(e.TimeSupCond(), 1);
    QCOMPARE(e.TimeHumInp(), 2);
    QCOMPARE(e.TimeComLev0(), 3);
    QCOMPARE(e.FilterSupplyFull(), true);
    QCOMPARE(e.TimeAbsDrying(), 31);
    QCOMPARE(e.TimeRelDrying(), 0);
    QCOMPARE(e.TimeComLev1(), 15);
    QCOMPARE(e.FilterExtractFull(), false);
    QCOMPARE(e.TimeCooling(), 4);
    QCOMPARE(e.TimeCO2Ventilation(), 5);
    QCOMPARE(e.TimeComLev2(), 6);
    QCOMPARE(e.HumRedModeSet(), true);
    QCOMPARE(e.TimeSleepMode(), 7);
    QCOMPARE(e.TimeTurboMode(), 8);
    QCOMPARE(e.TimeComLev3(), 9);
    QCOMPARE(e.HumRedModeClr(), false);
    QCOMPARE(e.TimeAutoAlt(), 10);
    QCOMPARE(e.TimeDefExh(), 11);
    QCOMPARE(e.TimeMinAir(), 12);
    QCOMPARE(e.Restarted(), true);

    QCOMPARE(e.EnergyExtracted(), -300);
    QCOMPARE(e.EnergyRecovered(), 1234);
    QCOMPARE(e.EnergyCooled(), -1);
    QCOMPARE(e.AirExchanged(), 1000);
    QCOMPARE(e.EntryState(), SSecLogEntry::ENTRY_STATE_NOT_STORED);
    QCOMPARE(e.ErrorState(), 22);
    QCOMPARE(e.WaterRemoved(), -1);
    QCOMPARE(e.Pressure(), 255);
    QCOMPARE(e.m_Bytes[30], quint8(0xAA)); // the bytes are kept as received
}

void TestSecLogEntry::tolVane100Boundaries()
{
    auto e = entryOf<SSecLogEntry>({});
    e.m_Bytes[24] = 0x00; // air 0, entry state 0 under set unused bits 13-15
    e.m_Bytes[25] = 0xE0;
    e.m_Bytes[26] = 0xE0; // error state 0, water +1023
    e.m_Bytes[27] = 0x7F;
    e.m_Bytes[28] = 0x7F; // pressure 0 between set unused bits
    e.m_Bytes[29] = 0x80;
    QCOMPARE(e.AirExchanged(), 0);
    QCOMPARE(e.EntryState(), 0);
    QCOMPARE(e.ErrorState(), 0);
    QCOMPARE(e.WaterRemoved(), 1023);
    QCOMPARE(e.Pressure(), 0);

    e.m_Bytes[26] = 0x00; // water -1024
    e.m_Bytes[27] = 0x80;
    QCOMPARE(e.WaterRemoved(), -1024);
    e.m_Bytes[18] = 0x00; // energy -32768
    e.m_Bytes[19] = 0x80;
    QCOMPARE(e.EnergyExtracted(), -32768);
}

void TestSecLogEntry::plusFields()
{
    const auto e = entryOf<SSecLogEntry_70>({
        0xEC, 0x16, 0x28, 0x32, 0xFA, 0x0A, // temperatures, humidities, air qualities
        0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, // not used
        0x41, 0x8C,                         // 1, 2, 3, unused bit 15 set
        0xA4, 0x98,                         // 4, 5, 6, unused bit 15 set
        0x07, 0x25,                         // 7, 8, 9
        0x6A, 0xB1,                         // 10, 11, 12, unused bit 15 set
        0xCD, 0xFD,                         // 13, 14, unused bits 10-14 set, restarted
        0xFE, 0xFF,                         // energy -2
        0xFF, 0xDF,                         // air 2047, entry state 3, unused bits 14-15 set
        0xFF, 0xFF,                         // water -1, unused bits 11-15 set
        0x11, 0xC8,                         // not used, error code 200
    });

    QCOMPARE(e.SupplyTemp70(), -20);
    QCOMPARE(e.ExtractTemp(), 22);
    QCOMPARE(e.OutdoorHum(), 40);
    QCOMPARE(e.ExtractHum(), 50);
    QCOMPARE(e.SupplyCO270(), 250);
    QCOMPARE(e.ExtractCO270(), 10);

    QCOMPARE(e.TimeHumInp(), 1);
    QCOMPARE(e.TimeCO2Inp(), 2);
    QCOMPARE(e.TimeHumCO2Inp(), 3);
    QCOMPARE(e.TimeComLev0(), 4);
    QCOMPARE(e.TimeAbsDrying(), 5);
    QCOMPARE(e.TimeRelDrying(), 6);
    QCOMPARE(e.TimeComLev1(), 7);
    QCOMPARE(e.TimeCooling(), 8);
    QCOMPARE(e.TimeCO2Ventilation(), 9);
    QCOMPARE(e.TimeComLev2(), 10);
    QCOMPARE(e.TimeServiceMode(), 11);
    QCOMPARE(e.TimeTurboMode(), 12);
    QCOMPARE(e.TimeComLev3(), 13);
    QCOMPARE(e.TimeMinAir(), 14);
    QCOMPARE(e.Restarted(), true);

    QCOMPARE(e.EnergyCooled(), -2);
    QCOMPARE(e.AirExchanged(), 2047);
    QCOMPARE(e.EntryState(), SSecLogEntry_70::ENTRY_STATE_NOT_STORED);
    QCOMPARE(e.WaterRemoved(), -1);
    QCOMPARE(e.ErrorCode(), 200);
}

void TestSecLogEntry::plusBoundaries()
{
    auto e = entryOf<SSecLogEntry_70>({});
    e.m_Bytes[20] = 0x00; // not restarted under set unused bits 10-14
    e.m_Bytes[21] = 0x7C;
    e.m_Bytes[24] = 0x00; // air 0, entry state 0 under set unused bits 14-15
    e.m_Bytes[25] = 0xC0;
    e.m_Bytes[26] = 0xFF; // water +1023 under set unused bits 11-15
    e.m_Bytes[27] = 0xFB;
    QCOMPARE(e.Restarted(), false);
    QCOMPARE(e.TimeComLev3(), 0);
    QCOMPARE(e.AirExchanged(), 0);
    QCOMPARE(e.EntryState(), 0);
    QCOMPARE(e.WaterRemoved(), 1023);

    e.m_Bytes[26] = 0x00; // water -1024
    e.m_Bytes[27] = 0x04;
    QCOMPARE(e.WaterRemoved(), -1024);
}

QTEST_GUILESS_MAIN(TestSecLogEntry)
#include "tst_seclogentry.moc"
