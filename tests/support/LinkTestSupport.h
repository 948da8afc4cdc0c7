#pragma once

// Test doubles of the link: a scripted byte device, a wire on a virtual clock over it, and a
// scripted unit that acknowledges and answers the frames written to the device.

#include "LLProtocolWire.h"

#include <QByteArray>
#include <QIODevice>
#include <QList>
#include <QMap>
#include <QVector>
#include <functional>

namespace LinkTest
{
// CRC-16/CCITT-FALSE bit by bit, independent of the table-driven one under test.
inline quint16 crc16(const QByteArray& data)
{
    quint16 crc = 0xFFFF;
    for (char ch : data)
    {
        crc ^= quint16(quint8(ch) << 8);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 0x8000) ? quint16((crc << 1) ^ 0x1021) : quint16(crc << 1);
    }
    return crc;
}

// One link frame as it travels on the wire.
inline QByteArray frame(quint8 command, quint8 flags, const QByteArray& data = QByteArray())
{
    QByteArray f("qxvo");
    f.append(char(command)).append(char(flags));
    f.append(char(data.size() & 0xFF)).append(char(data.size() >> 8));
    f.append(data);
    const quint16 crc = crc16(data);
    f.append(char(crc & 0xFF)).append(char(crc >> 8));
    return f;
}

inline QByteArray ack(quint8 command = 1)
{
    return frame(command, 0x20);
}

inline QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray b;
    for (int v : values)
        b.append(char(v));
    return b;
}

inline QByteArray u32(quint32 v)
{
    return bytes({int(v & 0xFF), int((v >> 8) & 0xFF), int((v >> 16) & 0xFF), int(v >> 24)});
}

// A sequential device whose incoming bytes arrive at scripted virtual times.
class CScriptedDevice : public QIODevice
{
public:
    explicit CScriptedDevice(const qint64& now) : m_Now(now) { open(ReadWrite | Unbuffered); }

    bool isSequential() const override { return true; }
    void arrive(const QByteArray& data, qint64 atMs = 0) { m_Incoming.append({atMs, data}); }
    qint64 bytesAvailable() const override
    {
        if (endlessNoise)
            return 256;
        qint64 n = 0;
        for (const auto& chunk : m_Incoming)
            if (chunk.first <= m_Now)
                n += chunk.second.size();
        return n;
    }

    QList<QByteArray> writes; // every write call, as given
    int failWrites = 0;       // the next this many writes fail
    bool shortWrites = false; // writes take all but the last byte
    bool endlessNoise = false;
    std::function<void(const QByteArray&)> onWrite;

protected:
    qint64 readData(char* data, qint64 maxSize) override
    {
        if (endlessNoise)
        {
            memset(data, 'z', size_t(maxSize));
            return maxSize;
        }
        qint64 n = 0;
        while (n < maxSize && !m_Incoming.isEmpty() && m_Incoming.first().first <= m_Now)
        {
            QByteArray& chunk = m_Incoming.first().second;
            const qint64 take = qMin<qint64>(maxSize - n, chunk.size());
            memcpy(data + n, chunk.constData(), size_t(take));
            chunk.remove(0, int(take));
            n += take;
            if (chunk.isEmpty())
                m_Incoming.removeFirst();
        }
        return n;
    }
    qint64 writeData(const char* data, qint64 size) override
    {
        if (failWrites > 0)
        {
            --failWrites;
            return -1;
        }
        const qint64 taken = shortWrites ? size - 1 : size;
        const QByteArray written(data, int(taken));
        writes.append(written);
        if (onWrite)
            onWrite(written);
        return taken;
    }

private:
    const qint64& m_Now;
    QList<QPair<qint64, QByteArray>> m_Incoming;
};

// Holds the clock and the device so that both exist before the wire is built over them.
struct SFakeWireParts
{
    qint64 now = 0;
    CScriptedDevice device{now};
};

// The real wire over the scripted device, with Sleep advancing virtual time.
class CFakeWire : private SFakeWireParts, public CLLProtocolWireWin
{
public:
    CFakeWire() : CLLProtocolWireWin(&device) {}

    void Sleep(UINT16 ms) override
    {
        now += ms;
        if (ms != 1)
            pauses.append(ms);
    }
    qint64 Milliseconds() override { return now; }
    void Reset() override
    {
        ++resets;
        m_Untaken = 0;
        CLLProtocolWireWin::Reset();
    }
    const UINT8* Receive(UINT16& size) override
    {
        m_Untaken = 0;
        return CLLProtocolWireWin::Receive(size);
    }
    void Consume(UINT16 offered, UINT16 untaken) override
    {
        CLLProtocolWireWin::Consume(offered, untaken);
        if (untaken <= offered && offered <= BUFFER_SIZE)
            m_Untaken = untaken;
    }
    // An idle poll on the virtual clock alone: over at once while bytes are left over, else one
    // Sleep of the full limit (the scripted device cannot wait). The real wire's wait measures real
    // time, which a loaded machine would let into the virtual clock.
    void WaitForInput(UINT16 ms) override
    {
        if (m_Untaken == 0)
            Sleep(ms);
    }

    using SFakeWireParts::device;
    using SFakeWireParts::now;
    QVector<int> pauses; // every sleep other than the 1 ms polls
    int resets = 0;

private:
    UINT16 m_Untaken = 0; // bytes offered by Receive and left over by Consume
};

// A unit on the far side of the scripted device: splits what is written into frames, acknowledges
// every frame that wants it, and answers request codes with scripted replies.
class CFakeUnit
{
public:
    explicit CFakeUnit(CFakeWire& wire) : m_Wire(wire)
    {
        wire.device.onWrite = [this](const QByteArray& b) { take(b); };
    }

    bool acknowledge = true;
    qint64 replyDelayMs = 5;
    QMap<int, QList<QByteArray>> replies; // request code -> reply frames
    QList<QByteArray> frames;             // every complete frame written by the PC

    // The data of the frames that were not acknowledgements.
    QList<QByteArray> requests() const
    {
        QList<QByteArray> out;
        for (const QByteArray& f : frames)
            if (!(quint8(f[5]) & 0x20))
                out.append(f.mid(8, f.size() - 10));
        return out;
    }

private:
    void take(const QByteArray& b)
    {
        m_Pending += b;
        while (m_Pending.size() >= 10)
        {
            const int length = quint8(m_Pending[6]) | (quint8(m_Pending[7]) << 8);
            if (m_Pending.size() < length + 10)
                return;
            const QByteArray f = m_Pending.left(length + 10);
            m_Pending.remove(0, length + 10);
            frames.append(f);
            const quint8 flags = quint8(f[5]);
            if (flags & 0x20)
                continue;
            const qint64 at = m_Wire.now + replyDelayMs;
            if (acknowledge && !(flags & 0x40))
                m_Wire.device.arrive(ack(quint8(f[4])), at);
            if (quint8(f[4]) == 1 && length > 0)
                for (const QByteArray& reply : replies.value(quint8(f[8])))
                    m_Wire.device.arrive(reply, at);
        }
    }

    CFakeWire& m_Wire;
    QByteArray m_Pending;
};
} // namespace LinkTest
