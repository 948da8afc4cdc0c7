#include "SimFrame.h"

namespace unitsim
{
namespace
{
const QByteArray MAGIC("qxvo");
}

quint16 crc16(const QByteArray& data)
{
    quint16 crc = 0xFFFF;
    for (char c : data)
    {
        crc ^= quint16(quint8(c)) << 8;
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 0x8000) ? quint16((crc << 1) ^ 0x1021) : quint16(crc << 1);
    }
    return crc;
}

QByteArray encodeFrame(quint8 command, quint8 flags, const QByteArray& data)
{
    QByteArray frame = MAGIC;
    const int n = data.size();
    frame.append(char(command));
    frame.append(char(flags));
    frame.append(char(n & 0xFF));
    frame.append(char((n >> 8) & 0xFF));
    frame.append(data);
    const quint16 crc = crc16(data);
    frame.append(char(crc & 0xFF));
    frame.append(char(crc >> 8));
    return frame;
}

void CSimFrameReader::feed(const QByteArray& bytes)
{
    m_buffer.append(bytes);
    parse();
}

bool CSimFrameReader::takeFrame(SSimFrame& frame)
{
    if (m_frames.isEmpty())
        return false;
    frame = m_frames.takeFirst();
    return true;
}

void CSimFrameReader::parse()
{
    for (;;)
    {
        const int start = m_buffer.indexOf(MAGIC);
        if (start < 0)
        {
            // Keep a tail that may be the beginning of a magic.
            int keep = 0;
            for (int k = qMin(3, m_buffer.size()); k > 0; --k)
                if (MAGIC.startsWith(m_buffer.right(k)))
                {
                    keep = k;
                    break;
                }
            m_buffer = m_buffer.right(keep);
            return;
        }
        m_buffer.remove(0, start);
        if (m_buffer.size() < FRAME_HEADER)
            return;
        const int n = quint8(m_buffer[6]) | (quint8(m_buffer[7]) << 8);
        if (n > FRAME_MAX_DATA)
        {
            m_buffer.remove(0, 1);
            continue;
        }
        if (m_buffer.size() < n + FRAME_OVERHEAD)
            return;
        SSimFrame frame;
        frame.raw = m_buffer.left(n + FRAME_OVERHEAD);
        frame.command = quint8(frame.raw[4]);
        frame.flags = quint8(frame.raw[5]);
        frame.data = frame.raw.mid(FRAME_HEADER, n);
        const quint16 received =
            quint8(frame.raw[FRAME_HEADER + n]) | (quint8(frame.raw[FRAME_HEADER + n + 1]) << 8);
        frame.crcOk = received == crc16(frame.data);
        m_frames.append(frame);
        m_buffer.remove(0, frame.raw.size());
    }
}
} // namespace unitsim
