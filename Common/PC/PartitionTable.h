#pragma once

#include "LLProtocolPacket.h"

// The unit's flash partitions.
class CPartitionTable
{
public:
    // Image and partition types.
    enum EPartType
    {
        PT_BOOTLOADER_1 = 1,
        PT_BOOTLOADER_2 = 2,
        PT_APPLICATION = 3,
        PT_WIFI_MODULE = 4,
        PT_WIFI_BRIDGE = 5
    };

    // Check flags of an entry.
    enum ECheckFlag : UINT8
    {
        CRC16OK = 1,
        CRC16KO = 2,
        CRC16_MIROK = 4,
        CRC16_MIRKO = 8
    };

    static constexpr int PARTITION_COUNT = 20;

    // One entry of the table as the unit sends it (12 bytes, little-endian).
    struct SPartition
    {
        static constexpr int SIZE = 12;
        UINT32 m_Start = 0;
        UINT16 m_Size = 0;
        UINT8 m_Type = 0;
        UINT8 m_MainVer = 0;
        UINT8 m_SubVer = 0;
        UINT8 m_CheckFlags = 0;
        UINT8 m_Reserved[2] = {}; // not interpreted here, carried along

        static SPartition decode(const UINT8* data)
        {
            SPartition p;
            p.m_Start = LE::GetU32(data);
            p.m_Size = LE::GetU16(data + 4);
            p.m_Type = data[6];
            p.m_MainVer = data[7];
            p.m_SubVer = data[8];
            p.m_CheckFlags = data[9];
            p.m_Reserved[0] = data[10];
            p.m_Reserved[1] = data[11];
            return p;
        }
    };
};
static_assert(CPartitionTable::SPartition::SIZE == 4 + 2 + 1 + 1 + 1 + 1 + 2, "partition entry");
