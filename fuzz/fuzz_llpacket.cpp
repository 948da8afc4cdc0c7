// libFuzzer target: the link packet receiver on any byte stream, delivered in any split.
//
// Input: one byte n, n block lengths (one byte each), then the stream. The stream is received once
// whole and once in the given blocks (the rest in one block); both must yield the same packets,
// and every packet must agree with a frame rebuilt from its own parts.

#include "FuzzSupport.h"
#include "LLProtocolPacket.h"

#include <cstring>
#include <vector>

namespace
{
struct SReceived
{
    std::vector<UINT8> wire; // header, data and received CRC as they came
    CLLProtocolPacket::EReceiveState state;

    bool operator==(const SReceived& other) const { return wire == other.wire && state == other.state; }
};

quint16 bitwiseCrc(const UINT8* data, int length)
{
    quint16 crc = 0xFFFF;
    for (int i = 0; i < length; ++i)
    {
        crc ^= quint16(data[i] << 8);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 0x8000) ? quint16((crc << 1) ^ 0x1021) : quint16(crc << 1);
    }
    return crc;
}

SReceived check(const CLLProtocolPacket& packet)
{
    const UINT16 length = packet.GetLength();
    if (length > CLLProtocolPacket::MAX_DATA)
        __builtin_trap();
    SReceived r;
    r.state = packet.GetReceiveState();
    UINT16 size = 0;
    const UINT8* header = packet.GetChunk(0, size);
    if (size != CLLProtocolPacket::HEADER_SIZE || std::memcmp(header, "qxvo", 4) != 0)
        __builtin_trap();
    r.wire.assign(header, header + size);
    r.wire.insert(r.wire.end(), packet.GetData(), packet.GetData() + length);
    r.wire.push_back(UINT8(packet.GetReceivedCrc()));
    r.wire.push_back(UINT8(packet.GetReceivedCrc() >> 8));

    const bool correct = r.state == CLLProtocolPacket::RS_PACKET_COMPLETED_CRC_CORRECT;
    if (!correct && r.state != CLLProtocolPacket::RS_PACKET_COMPLETED_CRC_INCORRECT)
        __builtin_trap();
    const bool crcMatches = packet.GetReceivedCrc() == bitwiseCrc(packet.GetData(), length);
    if (correct != crcMatches)
        __builtin_trap();
    return r;
}

// Receives the stream in blocks of the given lengths, restarting after every complete packet with
// the bytes it left over, as the link does.
std::vector<SReceived> receive(const UINT8* data, size_t size, const std::vector<size_t>& blocks)
{
    std::vector<SReceived> packets;
    CLLProtocolPacket packet;
    size_t pos = 0;
    size_t block = 0;
    while (pos < size)
    {
        size_t n = block < blocks.size() ? blocks[block++] : size - pos;
        n = std::min(n, size - pos);
        while (n > 0)
        {
            UINT16 untaken = UINT16(n);
            packet.PacketFromBuffer(data + pos, untaken);
            if (untaken > n)
                __builtin_trap();
            pos += n - untaken;
            n = untaken;
            if (packet.GetReceiveState() > CLLProtocolPacket::RS_CRC_STARTED)
            {
                packets.push_back(check(packet));
                packet.Reset();
            }
            else if (untaken > 0)
                __builtin_trap(); // an unfinished packet takes every byte offered
        }
    }
    return packets;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const UINT8* data, size_t size)
{
    static const bool quiet = (fuzzSilenceQtMessages(), true);
    (void)quiet;
    if (size < 1 || size > 65535)
        return 0;
    size_t blockCount = data[0];
    if (size < 1 + blockCount)
        return 0;
    std::vector<size_t> blocks(data + 1, data + 1 + blockCount);
    const UINT8* stream = data + 1 + blockCount;
    const size_t streamSize = size - 1 - blockCount;

    if (receive(stream, streamSize, {}) != receive(stream, streamSize, blocks))
        __builtin_trap();
    return 0;
}
