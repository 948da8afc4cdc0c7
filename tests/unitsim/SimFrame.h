#pragma once

#include <QByteArray>
#include <QList>

// The unit's side of the link framing, written apart from the PC's packet class so that
// a misreading of the wire format is not shared by both ends.
// Frame: "qxvo", command, flags, length (16 bit LE, at most 200), data, CRC-16 of the data (LE).
namespace unitsim
{
constexpr int FRAME_MAX_DATA = 200;
constexpr int FRAME_HEADER = 8;
constexpr int FRAME_OVERHEAD = FRAME_HEADER + 2;

constexpr quint8 FLAG_0 = 0x01;
constexpr quint8 FLAG_REPEAT = 0x10;
constexpr quint8 FLAG_ACK = 0x20;
constexpr quint8 FLAG_NO_ACK = 0x40;

constexpr quint8 CMD_MESSAGE = 1;
constexpr quint8 CMD_DEBUG = 2;

// CRC-16/CCITT-FALSE (poly 0x1021, init 0xFFFF, unreflected), computed bit by bit.
quint16 crc16(const QByteArray& data);

// A whole frame as it goes on the wire; data longer than 200 bytes is the caller's fault
// and is sent as given (the fault switches use that).
QByteArray encodeFrame(quint8 command, quint8 flags, const QByteArray& data);

struct SSimFrame
{
    quint8 command = 0;
    quint8 flags = 0;
    QByteArray data;
    QByteArray raw; // every byte of the frame as received
    bool crcOk = false;

    bool isAck() const { return flags & FLAG_ACK; }
    int messageCode() const { return data.isEmpty() ? -1 : quint8(data[0]); }
};

// Cuts frames out of a byte stream. Bytes before a magic are dropped; a header announcing
// more than 200 data bytes is taken for noise and the search resumes one byte later.
class CSimFrameReader
{
public:
    void feed(const QByteArray& bytes);
    bool takeFrame(SSimFrame& frame);
    // Forgets a half-received frame (the unit's inter-byte time-out).
    void discardPartial() { m_buffer.clear(); }
    bool hasPartial() const { return !m_buffer.isEmpty(); }

private:
    void parse();

    QByteArray m_buffer;
    QList<SSimFrame> m_frames;
};
} // namespace unitsim
