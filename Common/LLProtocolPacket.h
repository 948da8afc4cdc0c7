#pragma once

#include <QtGlobal>

typedef quint8 UINT8;
typedef quint16 UINT16;
typedef quint32 UINT32;

// Little-endian field access for records that travel over the link.
namespace LE
{
inline UINT16 GetU16(const UINT8* p)
{
    return UINT16(p[0] | (p[1] << 8));
}
inline UINT32 GetU32(const UINT8* p)
{
    return UINT32(p[0]) | (UINT32(p[1]) << 8) | (UINT32(p[2]) << 16) | (UINT32(p[3]) << 24);
}
inline void PutU16(UINT8* p, UINT16 v)
{
    p[0] = UINT8(v);
    p[1] = UINT8(v >> 8);
}
inline void PutU32(UINT8* p, UINT32 v)
{
    p[0] = UINT8(v);
    p[1] = UINT8(v >> 8);
    p[2] = UINT8(v >> 16);
    p[3] = UINT8(v >> 24);
}
} // namespace LE

// CRC-16/CCITT-FALSE (polynomial 0x1021, start 0xFFFF, not reflected, no final XOR),
// computed a nibble at a time from two 16-byte tables.
class CCrc16
{
public:
    // The checksum of the buffer as high * 256 + low; -1 for an empty buffer.
    int calc(const UINT8* buffer, int length);

private:
    void addNibble(UINT8 nibble);

    UINT8 m_High = 0xFF;
    UINT8 m_Low = 0xFF;
};

// Link-layer commands.
enum ELLCommand : UINT8
{
    LL_CMD_HLP = 1,  // high-layer message, data[0] is the message code
    LL_CMD_DEBUG = 2 // debug message of the unit
};

// One link-layer packet: "qxvo", command, flags, 16-bit length, up to 200 data bytes, CRC-16 of the data.
// Filled by a sender and written in three chunks, or filled byte by byte by a receiver.
class CLLProtocolPacket
{
public:
    enum EReceiveState
    {
        RS_READING_NOT_STARTED,
        RS_HEADER_STARTED,
        RS_HEADER_COMPLETED,
        RS_DATA_STARTED,
        RS_DATA_COMPLETED,
        RS_CRC_STARTED,
        RS_PACKET_COMPLETED_CRC_CORRECT,
        RS_PACKET_COMPLETED_CRC_INCORRECT
    };

    enum EFlag : UINT8
    {
        FLAG_0 = 0x01,
        FLAG_REPEAT = 0x10,
        FLAG_ACK = 0x20,
        FLAG_NO_ACK = 0x40
    };

    static constexpr UINT16 MAX_DATA = 200;
    static constexpr UINT16 HEADER_SIZE = 8;
    static constexpr UINT16 CRC_SIZE = 2;
    static constexpr UINT16 MAX_PACKET = HEADER_SIZE + MAX_DATA + CRC_SIZE;

    CLLProtocolPacket();

    // Back to an empty, not yet received packet; the data bytes are left as they are.
    void Reset();

    // False (packet unchanged) when more than 200 bytes are given. Null data makes an empty packet.
    bool SetPacket(UINT8 command, bool flag0, bool ack, bool repeat, UINT16 length, const void* data);
    bool SetPacketByte(UINT8 command, bool repeat, UINT8 byte);
    void SetAck(bool ack);
    void SetNoAck(bool noAck);

    bool IsAck() const { return GetFlags() & FLAG_ACK; }
    bool IsNoAckWanted() const { return GetFlags() & FLAG_NO_ACK; }
    bool IsRepeatWanted() const { return GetFlags() & FLAG_REPEAT; }
    bool IsFlag0Set() const { return GetFlags() & FLAG_0; }

    UINT8 GetCommand() const { return m_Header[4]; }
    UINT8 GetFlags() const { return m_Header[5]; }
    UINT16 GetLength() const { return LE::GetU16(m_Header + 6); }
    const UINT8* GetData() const { return m_Data; }
    UINT16 GetCrc() const { return m_Crc; }
    UINT16 GetReceivedCrc() const { return m_ReceivedCrc; }

    // command * 256 + data[0]; a reply to message code c has the id 0x100 + c.
    UINT16 GetPacketId() const;

    // 0: the 8-byte header; 1: the data (or the CRC of an empty packet); 2: the CRC after data.
    const UINT8* GetChunk(int index, UINT16& size) const;

    UINT16 CalcCrc();
    EReceiveState GetReceiveState() const;

    // Takes received bytes into the packet; count is left with the number of bytes not taken.
    void PacketFromBuffer(const void* bytes, UINT16& count);

private:
    void setFlag(UINT8 flag, bool on);

    UINT8 m_Header[HEADER_SIZE]; // magic, command, flags, length (little-endian), as on the wire
    UINT16 m_Crc;
    UINT8 m_CrcBytes[CRC_SIZE]; // m_Crc as on the wire
    UINT8 m_Data[MAX_DATA];
    UINT16 m_ReceiveCount;
    UINT16 m_ReceivedCrc;
};

static_assert(CLLProtocolPacket::MAX_PACKET == 210, "largest packet on the wire");
