#include "LLProtocol.h"

#include <QDebug>

namespace
{
const char* stateName(CLLProtocolPacket::EReceiveState state)
{
    switch (state)
    {
    case CLLProtocolPacket::RS_READING_NOT_STARTED:
        return "CLLProtocolPacket::RS_READING_NOT_STARTED";
    case CLLProtocolPacket::RS_HEADER_STARTED:
        return "CLLProtocolPacket::RS_HEADER_STARTED";
    case CLLProtocolPacket::RS_HEADER_COMPLETED:
        return "CLLProtocolPacket::RS_HEADER_COMPLETED";
    case CLLProtocolPacket::RS_DATA_STARTED:
        return "CLLProtocolPacket::RS_DATA_STARTED";
    case CLLProtocolPacket::RS_DATA_COMPLETED:
        return "CLLProtocolPacket::RS_DATA_COMPLETED";
    case CLLProtocolPacket::RS_CRC_STARTED:
        return "CLLProtocolPacket::RS_CRC_STARTED";
    default:
        return "";
    }
}

bool isComplete(const CLLProtocolPacket& packet)
{
    return packet.GetReceiveState() > CLLProtocolPacket::RS_CRC_STARTED;
}

// Debug message ids (command 2).
constexpr UINT16 DEBUG_ID_INT = 0x201;
constexpr UINT16 DEBUG_ID_TEXT = 0x202;
} // namespace

CLLProtocol::CLLProtocol(CLLProtocolWire& wire, CDebugMessageView* debugView)
    : m_Wire(wire), m_pDebugView(debugView)
{
}

bool CLLProtocol::writePacket(const CLLProtocolPacket& packet, int attempts)
{
    for (int index = 0; index < 3; ++index)
    {
        UINT16 size = 0;
        const UINT8* chunk = packet.GetChunk(index, size);
        if (!chunk)
            continue;
        int failures = 0;
        while (!m_Wire.Send(chunk, size))
        {
            qDebug() << "CLLProtocol::Send: m_Wire.Send failed! Chunk: " << index;
            m_Wire.Sleep(WRITE_RETRY_PAUSE_MS);
            if (++failures >= attempts)
                return false;
        }
    }
    return true;
}

CLLProtocol::EReturnCode CLLProtocol::Send(CLLProtocolPacket& packet)
{
    const int attempts = packet.IsRepeatWanted() ? 3 : 1;
    for (int attempt = 0; attempt < attempts; ++attempt)
    {
        qDebug() << "Sending packet...:" << attempt;
        if (!writePacket(packet, attempts))
            continue;
        if (packet.IsNoAckWanted())
            return RC_SUCCESS;

        qDebug() << "Sending completed, now waiting for ACK...";
        CLLProtocolPacket ack;
        if (RecSinglePacketNoAck(ack, IDLE_POLLS) != RC_SUCCESS)
            continue;
        qDebug() << "Received packet...";
        qDebug() << "Received complete and correct packet";
        if (ack.IsAck())
        {
            qDebug() << "Received ACK packet";
            return RC_SUCCESS;
        }
        qDebug() << "Received non-ACK packet";
    }
    qDebug() << "Did not receive ACK packet\n";
    m_Wire.Drain();
    return RC_FAILURE;
}

CLLProtocol::EReturnCode CLLProtocol::RecSinglePacketNoAck(CLLProtocolPacket& packet, UINT16 maxIdlePolls)
{
    packet.Reset();
    const int maxPolls = OVERALL_POLL_FACTOR * maxIdlePolls;
    UINT16 idle = 0;
    int polls = 0;
    while (idle < maxIdlePolls)
    {
        if (polls++ >= maxPolls)
        {
            qDebug() << "CLLProtocol: no packet within" << maxPolls << "polls";
            break;
        }
        m_Wire.WaitForInput(POLL_MS);
        UINT16 size = 0;
        const UINT8* bytes = m_Wire.Receive(size);
        if (!bytes || size == 0)
        {
            ++idle;
            continue;
        }
        UINT16 untaken = size;
        packet.PacketFromBuffer(bytes, untaken);
        m_Wire.Consume(size, untaken);
        idle = 1;
        if (!isComplete(packet) || ProcessDebugMsg(packet, m_pDebugView))
            continue;
        if (untaken > 0)
            qDebug() << "Unused bytes left over!..." << untaken;
        break;
    }

    const CLLProtocolPacket::EReceiveState state = packet.GetReceiveState();
    if (state == CLLProtocolPacket::RS_PACKET_COMPLETED_CRC_CORRECT)
        return RC_SUCCESS;
    if (state == CLLProtocolPacket::RS_PACKET_COMPLETED_CRC_INCORRECT)
    {
        qDebug() << "Received packet corrupt.";
        return RC_FAILURE;
    }
    qDebug() << "Packet not completlely received.";
    qDebug() << stateName(state);
    m_Wire.Reset();
    return RC_FAILURE;
}

CLLProtocol::EReturnCode CLLProtocol::Receive(CLLProtocolPacket& packet)
{
    qDebug() << "Try to receicve packet...";
    if (RecSinglePacketNoAck(packet, IDLE_POLLS) != RC_SUCCESS)
    {
        qDebug() << "Receive failed.";
        return RC_FAILURE;
    }
    if (packet.IsAck())
    {
        qDebug() << "Received out-of place ACK package.";
        return RC_FAILURE;
    }

    CLLProtocolPacket ack;
    ack.SetPacket(packet.GetCommand(), false, true, false, 0, nullptr);
    qDebug() << "Sending ACK...";
    bool ok = true;
    UINT16 size = 0;
    for (int index = 0; const UINT8* chunk = ack.GetChunk(index, size); ++index)
    {
        if (!m_Wire.Send(chunk, size))
        {
            qDebug() << "Sending failed.";
            ok = false;
            break;
        }
    }
    qDebug() << "Sending completed with success code: " << (ok ? "true" : "false");
    return ok ? RC_SUCCESS : RC_FAILURE;
}

bool ProcessDebugMsg(CLLProtocolPacket& packet, CDebugMessageView* view)
{
    if (packet.GetReceiveState() != CLLProtocolPacket::RS_PACKET_COMPLETED_CRC_CORRECT ||
        packet.GetCommand() != LL_CMD_DEBUG)
        return false;

    QString text;
    if (view)
    {
        const UINT8* data = packet.GetData();
        const int length = packet.GetLength();
        switch (packet.GetPacketId())
        {
        case DEBUG_ID_TEXT:
        {
            // Ends at the first zero byte or at the end of the data.
            const char* start = reinterpret_cast<const char*>(data + 1);
            text = QString::fromUtf8(start, int(qstrnlen(start, uint(length - 1))));
            break;
        }
        case DEBUG_ID_INT:
            // A message too short for its number carries no number.
            if (length >= 5)
                text = QString::number(qint32(LE::GetU32(data + 1)));
            break;
        }
        view->append(text);
    }
    qDebug() << "Debug message received: " << text;
    packet.Reset();
    return true;
}
