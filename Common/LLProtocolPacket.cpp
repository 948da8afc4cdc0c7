#include "LLProtocolPacket.h"

#include <QDebug>
#include <cstring>

namespace
{
const UINT8 MAGIC[4] = {'q', 'x', 'v', 'o'};

// Remainders of the nibbles 0..15 under 0x1021 (i times 0x1021 without carries), split in bytes.
const UINT8 CRC_TABLE_HIGH[16] = {0x00, 0x10, 0x20, 0x30, 0x40, 0x50, 0x60, 0x70,
                                  0x81, 0x91, 0xA1, 0xB1, 0xC1, 0xD1, 0xE1, 0xF1};
const UINT8 CRC_TABLE_LOW[16] = {0x00, 0x21, 0x42, 0x63, 0x84, 0xA5, 0xC6, 0xE7,
                                 0x08, 0x29, 0x4A, 0x6B, 0x8C, 0xAD, 0xCE, 0xEF};
} // namespace

void CCrc16::addNibble(UINT8 nibble)
{
    const UINT8 t = nibble ^ (m_High >> 4);
    m_High = UINT8((m_High << 4) | (m_Low >> 4)) ^ CRC_TABLE_HIGH[t];
    m_Low = UINT8(m_Low << 4) ^ CRC_TABLE_LOW[t];
}

int CCrc16::calc(const UINT8* buffer, int length)
{
    m_High = 0xFF;
    m_Low = 0xFF;
    if (length <= 0 || !buffer)
        return -1;
    for (int i = 0; i < length; ++i)
    {
        addNibble(buffer[i] >> 4);
        addNibble(buffer[i] & 0x0F);
    }
    return m_High * 256 + m_Low;
}

CLLProtocolPacket::CLLProtocolPacket()
{
    std::memset(m_Data, 0, sizeof(m_Data));
    Reset();
}

void CLLProtocolPacket::Reset()
{
    std::memcpy(m_Header, MAGIC, sizeof(MAGIC));
    std::memset(m_Header + 4, 0, HEADER_SIZE - 4);
    m_Crc = 0;
    std::memset(m_CrcBytes, 0, sizeof(m_CrcBytes));
    m_ReceivedCrc = 0;
    m_ReceiveCount = 0;
}

bool CLLProtocolPacket::SetPacket(UINT8 command, bool flag0, bool ack, bool repeat, UINT16 length,
                                  const void* data)
{
    if (!data)
        length = 0;
    else if (length > MAX_DATA)
        return false;
    m_Header[4] = command;
    m_Header[5] = UINT8((flag0 ? FLAG_0 : 0) | (ack ? FLAG_ACK : 0) | (repeat ? FLAG_REPEAT : 0));
    LE::PutU16(m_Header + 6, length);
    if (length > 0)
        std::memcpy(m_Data, data, length);
    CalcCrc();
    return true;
}

bool CLLProtocolPacket::SetPacketByte(UINT8 command, bool repeat, UINT8 byte)
{
    return SetPacket(command, false, false, repeat, 1, &byte);
}

void CLLProtocolPacket::setFlag(UINT8 flag, bool on)
{
    m_Header[5] = on ? (m_Header[5] | flag) : (m_Header[5] & ~flag);
}

void CLLProtocolPacket::SetAck(bool ack)
{
    setFlag(FLAG_ACK, ack);
    if (ack)
        LE::PutU16(m_Header + 6, 0);
    CalcCrc();
}

void CLLProtocolPacket::SetNoAck(bool noAck)
{
    setFlag(FLAG_NO_ACK, noAck);
    CalcCrc();
}

UINT16 CLLProtocolPacket::GetPacketId() const
{
    return UINT16(GetCommand() * 256 + (GetLength() > 0 ? m_Data[0] : 0));
}

const UINT8* CLLProtocolPacket::GetChunk(int index, UINT16& size) const
{
    const UINT16 n = GetLength();
    switch (index)
    {
    case 0:
        size = HEADER_SIZE;
        return m_Header;
    case 1:
        size = n > 0 ? n : CRC_SIZE;
        return n > 0 ? m_Data : m_CrcBytes;
    case 2:
        if (n > 0)
        {
            size = CRC_SIZE;
            return m_CrcBytes;
        }
        break;
    }
    size = 0;
    return nullptr;
}

UINT16 CLLProtocolPacket::CalcCrc()
{
    CCrc16 crc;
    m_Crc = UINT16(crc.calc(m_Data, GetLength()));
    LE::PutU16(m_CrcBytes, m_Crc);
    return m_Crc;
}

CLLProtocolPacket::EReceiveState CLLProtocolPacket::GetReceiveState() const
{
    const int c = m_ReceiveCount;
    const int n = GetLength();
    if (c == 0)
        return RS_READING_NOT_STARTED;
    if (c < HEADER_SIZE)
        return RS_HEADER_STARTED;
    if (c == HEADER_SIZE)
        return RS_HEADER_COMPLETED;
    if (n > 0 && c < n + HEADER_SIZE)
        return RS_DATA_STARTED;
    if (n > 0 && c == n + HEADER_SIZE)
        return RS_DATA_COMPLETED;
    if (c < n + HEADER_SIZE + CRC_SIZE)
        return RS_CRC_STARTED;
    return m_ReceivedCrc == m_Crc ? RS_PACKET_COMPLETED_CRC_CORRECT : RS_PACKET_COMPLETED_CRC_INCORRECT;
}

void CLLProtocolPacket::PacketFromBuffer(const void* bytes, UINT16& count)
{
    if (count == 0 || !bytes)
        return;
    const UINT8* in = static_cast<const UINT8*>(bytes);
    UINT16 taken = 0;
    while (taken < count)
    {
        const int n = GetLength();
        const int c = m_ReceiveCount;
        if (c >= n + HEADER_SIZE + CRC_SIZE)
            break;
        const UINT8 b = in[taken++];
        if (c < 4)
        {
            if (b == MAGIC[c])
            {
                ++m_ReceiveCount;
                continue;
            }
            // The byte that broke the magic may itself start the next one.
            qDebug() << "-------------------- Byte lost";
            m_ReceiveCount = b == MAGIC[0] ? 1 : 0;
            continue;
        }
        if (c < HEADER_SIZE)
        {
            m_Header[c] = b;
            ++m_ReceiveCount;
            if (m_ReceiveCount == HEADER_SIZE && GetLength() > MAX_DATA)
            {
                // No packet is that long: forget the header and look for the next magic.
                qDebug() << "CLLProtocolPacket: length" << GetLength() << "above" << MAX_DATA << "dropped";
                Reset();
            }
            continue;
        }
        if (c < n + HEADER_SIZE)
            m_Data[c - HEADER_SIZE] = b;
        else if (c == n + HEADER_SIZE)
            m_ReceivedCrc = (m_ReceivedCrc & 0xFF00) | b;
        else
            m_ReceivedCrc = UINT16((m_ReceivedCrc & 0x00FF) | (b << 8));
        ++m_ReceiveCount;
    }
    if (m_ReceiveCount == GetLength() + HEADER_SIZE + CRC_SIZE)
        CalcCrc();
    count -= taken;
}
