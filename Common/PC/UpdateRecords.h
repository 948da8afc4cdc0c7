#pragma once

// Messages only the updater sends (command 1; records little-endian, SIZE their length on the wire).

#include "HLProtocol.h"

enum EHLPUpdateCode : UINT8
{
    HLP_SET_SERIAL_NUMBER = 3,
    HLP_UPLOAD_MODE_BEGIN = 4, // before an image
    HLP_UPLOAD_MODE_END = 5,   // after it
    HLP_SWAP_BOOTLOADERS = 6,
    HLP_SWAP_BOOTLOADERS_REPLY = 10, // the swap is answered under a code of its own
    HLP_REPORT_PARTITION_TABLE = 11,
    HLP_MOVE_VENT = 28
};

struct SHLP_SetSerialNumber
{
    static constexpr int SIZE = 39;
    UINT8 m_Code = HLP_SET_SERIAL_NUMBER;
    UINT32 m_SerialNr = 0;

    // Bytes 5 to 38 go out as 0.
    std::array<UINT8, SIZE> encode() const
    {
        std::array<UINT8, SIZE> b{};
        b[0] = m_Code;
        LE::PutU32(&b[1], m_SerialNr);
        return b;
    }
};
static_assert(SHLP_SetSerialNumber::SIZE == 1 + 4 + 34, "serial-number record");

// The reply to the bootloader swap: what the unit did, shown and never judged.
struct SHLP_SwapReply
{
    static constexpr int SIZE = 4;
    UINT8 m_Code = HLP_SWAP_BOOTLOADERS_REPLY;
    UINT8 m_ReturnCode = 0;
    UINT16 m_SecurityBits = 0; // flash security bits

    static SHLP_SwapReply decode(const UINT8* data, int length)
    {
        const auto b = HLP::Received<SIZE>(data, length);
        SHLP_SwapReply r;
        r.m_Code = b[0];
        r.m_ReturnCode = b[1];
        r.m_SecurityBits = LE::GetU16(&b[2]);
        return r;
    }
};
static_assert(SHLP_SwapReply::SIZE == 1 + 1 + 2, "swap reply");

// Drives one vent motor of a tolVane100 to a position; the unit only acknowledges.
struct SHLP_MoveVent
{
    static constexpr int SIZE = 3;
    UINT8 m_Code = HLP_MOVE_VENT;
    UINT8 m_Vent = 0;     // vent motor number
    UINT8 m_Position = 0; // target position code

    std::array<UINT8, SIZE> encode() const { return {m_Code, m_Vent, m_Position}; }
};
static_assert(SHLP_MoveVent::SIZE == 1 + 1 + 1, "vent move record");
