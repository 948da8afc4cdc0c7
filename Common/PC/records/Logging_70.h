#pragma once

#include "Logging.h"

// Logs of the tolVane plus.
class CLogging_70
{
public:
    // Same values and meaning as CLogging::EMaxTimeSpan.
    enum EMaxTimeSpan
    {
        TS_QUARTER_HOUR = 0, // 900 s
        TS_DAY = 1,          // 86400 s
        TS_MONTH = 2         // 2592000 s
    };
};

// One second-log entry of the tolVane plus as the unit sends it; see SSecLogEntry. Time counters
// count minutes, hours or days by span. The record has no counter for the fifth comfort level.
struct SSecLogEntry_70
{
    static constexpr int SIZE = 32;
    // The entry state that marks an entry the store skips.
    static constexpr int ENTRY_STATE_NOT_STORED = 3;

    quint8 m_Bytes[SIZE] = {};

    int SupplyTemp70() const { return qint8(m_Bytes[0]); }
    int ExtractTemp() const { return qint8(m_Bytes[1]); }
    int OutdoorHum() const { return qint8(m_Bytes[2]); }
    int ExtractHum() const { return qint8(m_Bytes[3]); }
    int SupplyCO270() const { return m_Bytes[4]; }  // air quality - 100
    int ExtractCO270() const { return m_Bytes[5]; } // air quality - 100

    int TimeHumInp() const { return bits(12, 0, 5); }
    int TimeCO2Inp() const { return bits(12, 5, 5); }
    int TimeHumCO2Inp() const { return bits(12, 10, 5); }
    int TimeComLev0() const { return bits(14, 0, 5); }
    int TimeAbsDrying() const { return bits(14, 5, 5); }
    int TimeRelDrying() const { return bits(14, 10, 5); }
    int TimeComLev1() const { return bits(16, 0, 5); }
    int TimeCooling() const { return bits(16, 5, 5); }
    int TimeCO2Ventilation() const { return bits(16, 10, 5); }
    int TimeComLev2() const { return bits(18, 0, 5); }
    int TimeServiceMode() const { return bits(18, 5, 5); }
    int TimeTurboMode() const { return bits(18, 10, 5); }
    int TimeComLev3() const { return bits(20, 0, 5); }
    int TimeMinAir() const { return bits(20, 5, 5); }
    bool Restarted() const { return bits(20, 15, 1); }

    int EnergyCooled() const { return qint16(LogEntryBits::word(m_Bytes, 22)); }
    int AirExchanged() const { return bits(24, 0, 11); }
    int EntryState() const { return bits(24, 11, 3); }
    int WaterRemoved() const { return LogEntryBits::signedField(m_Bytes, 26, 0, 11); }
    int AccCount() const { return bits(28, 0, 7); }
    int ErrorCode() const { return m_Bytes[29]; }
    // Where the unit's software last warned: source file number and line.
    int WarningFile() const { return bits(30, 10, 6); }
    int WarningLine() const { return bits(30, 0, 10); }

private:
    int bits(int offset, int lowBit, int width) const
    {
        return LogEntryBits::field(m_Bytes, offset, lowBit, width);
    }
};
static_assert(sizeof(SSecLogEntry_70) == SSecLogEntry_70::SIZE, "plus second-log entry is 32 bytes");
