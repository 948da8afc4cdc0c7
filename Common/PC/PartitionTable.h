#pragma once

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
};
