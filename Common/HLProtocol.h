#pragma once

// High-layer messages: the data of a command-1 link packet is a record whose first byte is the
// message code. Records are encoded and decoded field by field, little-endian; SIZE is the
// record's length on the wire.

#include "LLProtocolPacket.h"

#include <algorithm>
#include <array>
#include <cstring>

enum EHLPMessageCode : UINT8
{
    HLP_REPORT_IDENT = 1,
    HLP_IDENT_DATA = 2, // code of the identification reply
    HLP_MEM_UPLOAD_START = 7,
    HLP_MEM_UPLOAD_DATA = 8,
    HLP_MEM_UPLOAD_END = 9,
    HLP_REPORT_MEMORY = 12,
    HLP_REPORT_PERS_COUNTERS = 13,
    HLP_REPORT_TIME = 14,
    HLP_REPORT_PRIM_LOG = 15,
    HLP_SET_SIMULATION_VALUES = 16,
    HLP_START_APPLICATION = 17,
    HLP_SET_STARTUP_MODE = 18,
    HLP_REPORT_CURRENT_STATE = 19,
    HLP_REPORT_SEC_LOG = 20,
    HLP_ERASE_SEC_LOG = 21,
    HLP_CALC_AVE_SEN_VAL = 22,
    HLP_CHECK_SEC_LOG = 23,
    HLP_GET_SEC_LOG_CNT = 24,
    HLP_REPORT_VENT_INFO = 25,
    HLP_REPORT_WIFI_DATA = 26,
    HLP_READ_WRITE_PERS_COUNTER = 27,
    HLP_SET_NETWORK_CREDENTIALS = 29
};

// The id of the reply to a message code (command 1).
constexpr UINT16 HLPReplyId(UINT8 code)
{
    return UINT16(LL_CMD_HLP * 256 + code);
}

// Ids of the unit's persistent counters.
class CPersCounter_ReadOnly
{
public:
    enum ECntID : UINT8
    {
        CNT_FLASH_WRITE_CYCLES = 0,
        CNT_OPERATING_HOURS,
        CNT_FILTER_HOURS,
        CNT_BOOT_CYCLES,
        CNT_SENSOR_SUPPLY_TEMP,
        CNT_SENSOR_OUTDOOR_TEMP,
        CNT_SENSOR_OUTDOOR_HUM,
        CNT_SENSOR_EXHAUST_TEMP,
        CNT_SENSOR_EXTRACT_TEMP,
        CNT_SENSOR_EXTRACT_HUM,
        CNT_SENSOR_CO2,
        CNT_COMFORT_LEVEL,
        CNT_SYS_FILTER_HOURS,
        CNT_SYS_FILTER_DIRTY,
        CNT_SYS_TEMP_OUTSIDE,
        CNT_SYS_TEMP_EXHAUST,
        CNT_SYS_TEMP_EXTRACT,
        CNT_SYS_TEMP_SUPPLY,
        CNT_SYS_HUM_OUTSIDE,
        CNT_SYS_HUM_EXTRACT,
        CNT_SYS_CO2_SENSOR,
        CNT_SYS_FLAP_EXTRACT,
        CNT_SYS_FLAP_EXTRACT_2ND,
        CNT_SYS_FLAP_SUPPLY,
        CNT_SYS_FLAP_BYPASS,
        CNT_SYS_FAN_EXTRACT,
        CNT_SYS_FAN_SUPPLY,
        CNT_SYS_DIP_SWITCH,
        CNT_SYS_CO2_CONTENT,
        CNT_SYS_FIRE,
        CNT_ILLEGAL_INSTRUCTION,
        CNT_STACK_OVERFLOW,
        CNT_WATCHDOG,
        CNT_PREVIOUS_APP_VERSION,
        CNT_APP_VERSION,
        CNT_SEC_LOG_15MIN_ERASED,
        CNT_SEC_LOG_1DAY_ERASED,
        CNT_SEC_LOG_30DAYS_ERASED,
        CNT_SYS_AIR_PRESSURE,
        CNT_DEICE_SWITCH_OFF_TEMP,
        CNT_DEICE_MIN_EXHAUST_TEMP,
        CNT_FAN_SUPPLY_CHARACTERISTICS,
        CNT_FAN_EXTRACT_CHARACTERISTICS,
        CNT_FAN_COMM_FCA,
        CNT_FAN_COMM_FCF,
        // 45 to 49 are unused; from 50 on six properties for each of the four flaps
        // (extract air, extract air 2nd room, supply air, bypass): not present, current,
        // time, loose, speed close, speed open.
        CNT_FLAP_PROPERTIES = 50,
        CNT_COUNT = 74
    };
};

namespace HLP
{
// The record bytes of a reply: the first `length` received bytes, zero after them.
template <std::size_t N> std::array<UINT8, N> Received(const UINT8* data, int length)
{
    std::array<UINT8, N> bytes{};
    if (data && length > 0)
        std::memcpy(bytes.data(), data, std::min<std::size_t>(N, std::size_t(length)));
    return bytes;
}
} // namespace HLP

struct SHLP_SetSimulationValues
{
    static constexpr int SIZE = 22;
    UINT8 m_Code = HLP_SET_SIMULATION_VALUES;
    UINT8 m_Values8[5] = {};
    UINT16 m_Values16[8] = {};

    std::array<UINT8, SIZE> encode() const
    {
        std::array<UINT8, SIZE> b{};
        b[0] = m_Code;
        std::copy(m_Values8, m_Values8 + 5, b.begin() + 1);
        for (int i = 0; i < 8; ++i)
            LE::PutU16(&b[6 + 2 * i], m_Values16[i]);
        return b;
    }
};
static_assert(SHLP_SetSimulationValues::SIZE == 1 + 5 + 8 * 2, "simulation record");

struct SHLP_SetSimulationValues_70
{
    static constexpr int SIZE = 30;
    UINT8 m_Code = HLP_SET_SIMULATION_VALUES;
    UINT8 m_Values8[4] = {};
    UINT16 m_Values16[12] = {};

    // Byte 5 aligns the 16-bit values and goes out as 0.
    std::array<UINT8, SIZE> encode() const
    {
        std::array<UINT8, SIZE> b{};
        b[0] = m_Code;
        std::copy(m_Values8, m_Values8 + 4, b.begin() + 1);
        for (int i = 0; i < 12; ++i)
            LE::PutU16(&b[6 + 2 * i], m_Values16[i]);
        return b;
    }
};
static_assert(SHLP_SetSimulationValues_70::SIZE == 1 + 4 + 1 + 12 * 2, "plus simulation record");

// Texts are Latin-1, zero-padded to the end of their field; a text that fills its field has no zero.
struct SHLP_SetNetworkCredentials
{
    static constexpr int SIZE = 200;
    UINT8 m_Code = HLP_SET_NETWORK_CREDENTIALS;
    UINT8 m_Byte1 = 0;
    char m_Name[25] = {};
    char m_Password[25] = {};
    char m_Key[20] = {};
    UINT8 m_CredType = 0;
    UINT8 m_Address[4] = {};
    char m_DeviceName[25] = {};
    char m_Email1[49] = {};
    char m_Email2[49] = {};

    std::array<UINT8, SIZE> encode() const
    {
        std::array<UINT8, SIZE> b{};
        b[0] = m_Code;
        b[1] = m_Byte1;
        std::memcpy(&b[2], m_Name, sizeof(m_Name));
        std::memcpy(&b[27], m_Password, sizeof(m_Password));
        std::memcpy(&b[52], m_Key, sizeof(m_Key));
        b[72] = m_CredType;
        std::memcpy(&b[73], m_Address, sizeof(m_Address));
        std::memcpy(&b[77], m_DeviceName, sizeof(m_DeviceName));
        std::memcpy(&b[102], m_Email1, sizeof(m_Email1));
        std::memcpy(&b[151], m_Email2, sizeof(m_Email2));
        return b;
    }
};
static_assert(SHLP_SetNetworkCredentials::SIZE == 2 + 25 + 25 + 20 + 1 + 4 + 25 + 49 + 49,
              "credentials record");

// Travels zero-padded in a request of REQUEST_SIZE bytes.
struct SHLP_ReportSecLog
{
    static constexpr int SIZE = 6;
    static constexpr int REQUEST_SIZE = 166;
    UINT8 m_Code = HLP_REPORT_SEC_LOG;
    UINT8 m_TimeSpan = 0;
    UINT16 m_First = 0; // ring index of the first entry wanted
    UINT16 m_Count = 0; // number of entries wanted

    std::array<UINT8, REQUEST_SIZE> encode() const
    {
        std::array<UINT8, REQUEST_SIZE> b{};
        b[0] = m_Code;
        b[1] = m_TimeSpan;
        LE::PutU16(&b[2], m_First);
        LE::PutU16(&b[4], m_Count);
        return b;
    }
};
static_assert(SHLP_ReportSecLog::SIZE == 1 + 1 + 2 + 2, "second-log record");

// Also the layout of the timer reply.
struct SHLP_ReportTime
{
    static constexpr int SIZE = 8;
    UINT8 m_Code = HLP_REPORT_TIME;
    UINT16 m_Day = 0;
    UINT8 m_Hour = 0;
    UINT8 m_Minute = 0;
    UINT8 m_Second = 0;
    UINT16 m_Millisecond = 0;

    static SHLP_ReportTime decode(const UINT8* data, int length)
    {
        const auto b = HLP::Received<SIZE>(data, length);
        SHLP_ReportTime r;
        r.m_Code = b[0];
        r.m_Day = LE::GetU16(&b[1]);
        r.m_Hour = b[3];
        r.m_Minute = b[4];
        r.m_Second = b[5];
        r.m_Millisecond = LE::GetU16(&b[6]);
        return r;
    }
};
static_assert(SHLP_ReportTime::SIZE == 1 + 2 + 1 + 1 + 1 + 2, "timer record");

struct SHLP_ReportMemory
{
    static constexpr int SIZE = 9;
    UINT8 m_Code = HLP_REPORT_MEMORY;
    UINT32 m_Address = 0;
    UINT32 m_Length = 0;

    std::array<UINT8, SIZE> encode() const
    {
        std::array<UINT8, SIZE> b{};
        b[0] = m_Code;
        LE::PutU32(&b[1], m_Address);
        LE::PutU32(&b[5], m_Length);
        return b;
    }
};
static_assert(SHLP_ReportMemory::SIZE == 1 + 4 + 4, "memory record");

struct SHLP_EraseSecLog
{
    static constexpr int SIZE = 2;
    UINT8 m_Code = HLP_ERASE_SEC_LOG;
    UINT8 m_TimeSpan = 0;

    std::array<UINT8, SIZE> encode() const { return {m_Code, m_TimeSpan}; }
};
static_assert(SHLP_EraseSecLog::SIZE == 1 + 1, "erase record");

struct SHLP_CheckSecLog
{
    static constexpr int SIZE = 3;
    UINT8 m_Code = HLP_CHECK_SEC_LOG;
    UINT8 m_TimeSpan = 0;
    UINT8 m_Result = 0; // 0: the log is in order

    std::array<UINT8, SIZE> encode() const { return {m_Code, m_TimeSpan, m_Result}; }
    static SHLP_CheckSecLog decode(const UINT8* data, int length)
    {
        const auto b = HLP::Received<SIZE>(data, length);
        SHLP_CheckSecLog r;
        r.m_Code = b[0];
        r.m_TimeSpan = b[1];
        r.m_Result = b[2];
        return r;
    }
};
static_assert(SHLP_CheckSecLog::SIZE == 1 + 1 + 1, "check record");

// Each triple is indexed by time span: 0 the 15-minute, 1 the 1-day, 2 the 30-day log.
struct SHLP_GetSecLogCnt
{
    static constexpr int SIZE = 20;
    UINT8 m_Code = HLP_GET_SEC_LOG_CNT;
    UINT16 m_Sizes[3] = {};
    UINT16 m_Used[3] = {};
    UINT16 m_Oldest[3] = {};

    std::array<UINT8, SIZE> encode() const
    {
        std::array<UINT8, SIZE> b{};
        b[0] = m_Code;
        for (int i = 0; i < 3; ++i)
        {
            LE::PutU16(&b[2 + 2 * i], m_Sizes[i]);
            LE::PutU16(&b[8 + 2 * i], m_Used[i]);
            LE::PutU16(&b[14 + 2 * i], m_Oldest[i]);
        }
        return b;
    }
    static SHLP_GetSecLogCnt decode(const UINT8* data, int length)
    {
        const auto b = HLP::Received<SIZE>(data, length);
        SHLP_GetSecLogCnt r;
        r.m_Code = b[0];
        for (int i = 0; i < 3; ++i)
        {
            r.m_Sizes[i] = LE::GetU16(&b[2 + 2 * i]);
            r.m_Used[i] = LE::GetU16(&b[8 + 2 * i]);
            r.m_Oldest[i] = LE::GetU16(&b[14 + 2 * i]);
        }
        return r;
    }
};
static_assert(SHLP_GetSecLogCnt::SIZE == 1 + 1 + 3 * 3 * 2, "second-log count record");

struct SHLP_ReadWriteSinglePersCounter
{
    enum EAction : UINT8
    {
        ERead = 0,
        EWrite = 1,
        EError = 2 // set by the unit in its reply
    };

    static constexpr int SIZE = 7;
    UINT8 m_Code = HLP_READ_WRITE_PERS_COUNTER;
    UINT8 m_CntID = 0;
    UINT8 m_Action = ERead;
    UINT32 m_Value = 0;

    std::array<UINT8, SIZE> encode() const
    {
        std::array<UINT8, SIZE> b{};
        b[0] = m_Code;
        b[1] = m_CntID;
        b[2] = m_Action;
        LE::PutU32(&b[3], m_Value);
        return b;
    }
    static SHLP_ReadWriteSinglePersCounter decode(const UINT8* data, int length)
    {
        const auto b = HLP::Received<SIZE>(data, length);
        SHLP_ReadWriteSinglePersCounter r;
        r.m_Code = b[0];
        r.m_CntID = b[1];
        r.m_Action = b[2];
        r.m_Value = LE::GetU32(&b[3]);
        return r;
    }
};
static_assert(SHLP_ReadWriteSinglePersCounter::SIZE == 1 + 1 + 1 + 4, "single counter record");

// The identification reply. Versions compare as main * 100 + sub.
struct SHLP_IdentData
{
    static constexpr int SIZE = 39;
    static constexpr int FURTHER_SIZE = 24;
    // The updater reads the record up to byte 14 (unit type and Wi-Fi version).
    static constexpr int UPDATER_USED_SIZE = 15;
    UINT8 m_Code = 0;
    UINT32 m_SerialNr = 0;
    UINT8 m_Byte5 = 0;
    UINT8 m_HWVersion = 0;   // shown as a plain decimal
    UINT8 m_RunningPart = 0; // 3: the application runs
    UINT8 m_Flags = 0;
    UINT8 m_BootMainVer = 0;
    UINT8 m_BootSubVer = 0;
    UINT8 m_AppMainVer = 0;
    UINT8 m_AppSubVer = 0;
    bool m_b70 = false;      // unit type: false tolVane100, true tolVane plus
    UINT8 m_WifiMainVer = 0; // 5 bits
    UINT8 m_WifiSubVer = 0;  // 7 bits
    UINT8 m_Further[FURTHER_SIZE] = {};

    static constexpr UINT8 RUNNING_APPLICATION = 3;

    int unitType() const { return m_b70 ? 1 : 0; }

    static SHLP_IdentData decode(const UINT8* data, int length)
    {
        const auto b = HLP::Received<SIZE>(data, length);
        SHLP_IdentData r;
        r.m_Code = b[0];
        r.m_SerialNr = LE::GetU32(&b[1]);
        r.m_Byte5 = b[5];
        r.m_HWVersion = b[6];
        r.m_RunningPart = b[7];
        r.m_Flags = b[8];
        r.m_BootMainVer = b[9];
        r.m_BootSubVer = b[10];
        r.m_AppMainVer = b[11];
        r.m_AppSubVer = b[12];
        r.m_b70 = b[13] & 0x01;
        r.m_WifiMainVer = (b[13] >> 1) & 0x1F;
        r.m_WifiSubVer = UINT8(((b[14] & 0x1F) << 2) | (b[13] >> 6));
        std::memcpy(r.m_Further, &b[15], FURTHER_SIZE);
        return r;
    }
};
static_assert(SHLP_IdentData::SIZE == 15 + SHLP_IdentData::FURTHER_SIZE, "identification record");

// Announces a block of memory to be written.
struct SHLP_MemUploadStart
{
    static constexpr int SIZE = 16;
    static constexpr UINT8 LONG_LENGTH_TYPE = 4; // carries bits 16 to 19 of the length in byte 7
    UINT8 m_Code = HLP_MEM_UPLOAD_START;
    UINT32 m_Address = 0;
    UINT32 m_PartitionLength = 0;
    UINT8 m_Type = 0;
    UINT8 m_Arg8a = 0;
    UINT8 m_Arg8b = 0;
    UINT32 m_PartitionAddress = 0;
    UINT16 m_Arg16 = 0;

    std::array<UINT8, SIZE> encode() const
    {
        std::array<UINT8, SIZE> b{};
        b[0] = m_Code;
        LE::PutU32(&b[1], m_Address);
        LE::PutU16(&b[5], UINT16(m_PartitionLength));
        b[7] =
            m_Type == LONG_LENGTH_TYPE ? UINT8(((m_PartitionLength >> 16) << 4) | LONG_LENGTH_TYPE) : m_Type;
        b[8] = m_Arg8a;
        b[9] = m_Arg8b;
        LE::PutU32(&b[10], m_PartitionAddress);
        LE::PutU16(&b[14], m_Arg16);
        return b;
    }
};
static_assert(SHLP_MemUploadStart::SIZE == 1 + 4 + 2 + 1 + 1 + 1 + 4 + 2, "upload header record");

// One block of memory data; always sent whole, zero after a short last block.
struct SHLP_MemUploadData
{
    static constexpr int SIZE = 200;
    static constexpr int BLOCK_SIZE = 192;
    UINT8 m_Code = HLP_MEM_UPLOAD_DATA;
    UINT8 m_Tail = 0; // bytes by which the data sent so far exceeds the partition length
    // The record always has 200 bytes; the length tells the unit how many of them carry the
    // chunk, so a short last chunk is not taken for a whole one.
    UINT16 m_Length = 0;
    UINT32 m_Address = 0;
    UINT8 m_Data[BLOCK_SIZE] = {};

    std::array<UINT8, SIZE> encode() const
    {
        std::array<UINT8, SIZE> b{};
        b[0] = m_Code;
        b[1] = m_Tail;
        LE::PutU16(&b[2], m_Length);
        LE::PutU32(&b[4], m_Address);
        std::memcpy(&b[8], m_Data, BLOCK_SIZE);
        return b;
    }
};
static_assert(SHLP_MemUploadData::SIZE == 1 + 1 + 2 + 4 + SHLP_MemUploadData::BLOCK_SIZE,
              "upload data record");
