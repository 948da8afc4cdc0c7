#pragma once

#include <QtGlobal>

// Logs of the tolVane100.
class CLogging
{
public:
    // The second log keeps one ring of entries per span; the value selects the span in requests,
    // stored rows (column LTS) and tab pages.
    enum EMaxTimeSpan
    {
        TS_QUARTER_HOUR = 0, // 900 s
        TS_DAY = 1,          // 86400 s
        TS_MONTH = 2         // 2592000 s
    };
};

// Bit fields of the unit's log entries: bits are numbered from bit 0 of a little-endian 16-bit
// word; signed fields are two's complement of their width.
namespace LogEntryBits
{
inline quint16 word(const quint8* data, int offset)
{
    return quint16(data[offset] | (data[offset + 1] << 8));
}

inline int field(const quint8* data, int offset, int lowBit, int width)
{
    return (word(data, offset) >> lowBit) & ((1 << width) - 1);
}

inline int signedField(const quint8* data, int offset, int lowBit, int width)
{
    const int value = field(data, offset, lowBit, width);
    return (value & (1 << (width - 1))) ? value - (1 << width) : value;
}
} // namespace LogEntryBits

// One second-log entry of the tolVane100 as the unit sends it. The bytes are kept whole (the
// updater renders them byte by byte); the accessors are named after the data-dictionary keys of
// the values the store writes from them. Time counters count minutes, hours or days and the
// quantities have a raw unit that depends on the span of the log the entry came from.
struct SSecLogEntry
{
    static constexpr int SIZE = 32;
    // The entry state that marks an entry the store skips.
    static constexpr int ENTRY_STATE_NOT_STORED = 3;

    quint8 m_Bytes[SIZE] = {};

    int SupplyTemp() const { return qint8(m_Bytes[0]); }
    int OutdoorTemp() const { return qint8(m_Bytes[1]); }
    int OutdoorHum() const { return qint8(m_Bytes[2]); }
    int ExhaustTemp() const { return qint8(m_Bytes[3]); }
    int ExtractTemp() const { return qint8(m_Bytes[4]); }
    int ExtractHum() const { return qint8(m_Bytes[5]); }
    int CO2() const { return m_Bytes[6]; } // units of 16 ppm
    int ErrorCode() const { return qint8(m_Bytes[7]); }

    int TimeSupCond() const { return bits(8, 0, 5); }
    int TimeHumInp() const { return bits(8, 5, 5); }
    int TimeComLev0() const { return bits(8, 10, 5); }
    bool FilterSupplyFull() const { return bits(8, 15, 1); }
    int TimeAbsDrying() const { return bits(10, 0, 5); }
    int TimeRelDrying() const { return bits(10, 5, 5); }
    int TimeComLev1() const { return bits(10, 10, 5); }
    bool FilterExtractFull() const { return bits(10, 15, 1); }
    int TimeCooling() const { return bits(12, 0, 5); }
    int TimeCO2Ventilation() const { return bits(12, 5, 5); }
    int TimeComLev2() const { return bits(12, 10, 5); }
    bool HumRedModeSet() const { return bits(12, 15, 1); }
    int TimeSleepMode() const { return bits(14, 0, 5); }
    int TimeTurboMode() const { return bits(14, 5, 5); }
    int TimeComLev3() const { return bits(14, 10, 5); }
    bool HumRedModeClr() const { return bits(14, 15, 1); }
    int TimeAutoAlt() const { return bits(16, 0, 5); }
    int TimeDefExh() const { return bits(16, 5, 5); }
    int TimeMinAir() const { return bits(16, 10, 5); }
    bool Restarted() const { return bits(16, 15, 1); }

    int EnergyExtracted() const { return qint16(LogEntryBits::word(m_Bytes, 18)); }
    int EnergyRecovered() const { return qint16(LogEntryBits::word(m_Bytes, 20)); }
    int EnergyCooled() const { return qint16(LogEntryBits::word(m_Bytes, 22)); }
    int AirExchanged() const { return bits(24, 0, 10); }
    int EntryState() const { return bits(24, 10, 3); }
    int ErrorState() const { return bits(26, 0, 5); }
    int WaterRemoved() const { return LogEntryBits::signedField(m_Bytes, 26, 5, 11); }
    int Pressure() const { return bits(28, 7, 8); } // 700 + 2 * value hPa
    int AccCount() const { return bits(28, 0, 7); }
    // Where the unit's software last warned: source file number and line.
    int WarningFile() const { return bits(30, 10, 6); }
    int WarningLine() const { return bits(30, 0, 10); }

private:
    int bits(int offset, int lowBit, int width) const
    {
        return LogEntryBits::field(m_Bytes, offset, lowBit, width);
    }
};
static_assert(sizeof(SSecLogEntry) == SSecLogEntry::SIZE, "second-log entry is 32 bytes");
