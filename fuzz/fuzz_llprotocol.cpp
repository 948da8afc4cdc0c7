// libFuzzer target: the link protocol's send and receive over a scripted wire on a virtual clock.
//
// The input scripts the unit's side: when bytes arrive, which writes fail or come up short, and
// whether the line carries endless noise. Every wait must end within its bound in virtual time,
// and a packet reported as received must be complete and correct.

#include "FuzzSupport.h"
#include "LLProtocol.h"
#include "LinkTestSupport.h"

#include <QString>
#include <fuzzer/FuzzedDataProvider.h>

namespace
{
// Longest waits in virtual milliseconds: writes retried with pauses, then the bounded wait for the
// acknowledgement, three attempts for a packet that wants repeats.
constexpr qint64 MAX_WAIT_MS = CLLProtocol::OVERALL_POLL_FACTOR * CLLProtocol::IDLE_POLLS;
constexpr qint64 MAX_SEND_MS = 3 * (3 * 3 * CLLProtocol::WRITE_RETRY_PAUSE_MS + MAX_WAIT_MS);

// Keeps what the debug messages show, as the updater's field does.
class CDebugText : public CDebugMessageView
{
public:
    void append(const QString& strText) override { m_strText += strText; }
    void clear() { m_strText.clear(); }

private:
    QString m_strText;
};

CDebugText g_debugView;

void requireComplete(const CLLProtocolPacket& packet)
{
    if (packet.GetReceiveState() != CLLProtocolPacket::RS_PACKET_COMPLETED_CRC_CORRECT ||
        packet.GetLength() > CLLProtocolPacket::MAX_DATA)
        __builtin_trap();
}
} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzzSilenceQtMessages();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzedDataProvider in(data, size);

    LinkTest::CFakeWire wire;
    const int operation = in.ConsumeIntegralInRange(0, 2);
    const bool withView = in.ConsumeBool();
    wire.device.failWrites = in.ConsumeIntegralInRange(0, 4);
    wire.device.shortWrites = in.ConsumeProbability<float>() < 0.05f;
    wire.device.endlessNoise = in.ConsumeProbability<float>() < 0.02f;
    const UINT8 flags = in.ConsumeIntegral<UINT8>();
    const std::string payload = in.ConsumeRandomLengthString(CLLProtocolPacket::MAX_DATA);
    // An optional well-formed frame helps the fuzzer past the checksum.
    const bool validFrame = in.ConsumeBool();
    const UINT8 frameCommand = in.ConsumeIntegral<UINT8>();
    const UINT8 frameFlags = in.ConsumeIntegral<UINT8>();
    const std::string frameData = in.ConsumeRandomLengthString(CLLProtocolPacket::MAX_DATA);
    if (validFrame)
        wire.device.arrive(LinkTest::frame(frameCommand, frameFlags, QByteArray::fromStdString(frameData)),
                           in.ConsumeIntegralInRange<qint64>(0, 8000));
    while (in.remaining_bytes() > 0)
    {
        const qint64 at = in.ConsumeIntegralInRange<qint64>(0, 8000);
        wire.device.arrive(QByteArray::fromStdString(in.ConsumeRandomLengthString(600)), at);
    }

    g_debugView.clear();
    CLLProtocol link(wire, withView ? &g_debugView : nullptr);
    CLLProtocolPacket packet;
    switch (operation)
    {
    case 0:
    {
        packet.SetPacket(LL_CMD_HLP, flags & 1, false, flags & 2, UINT16(payload.size()), payload.data());
        packet.SetNoAck(flags & 4);
        link.Send(packet);
        if (wire.now > MAX_SEND_MS)
            __builtin_trap();
        break;
    }
    case 1:
        if (link.Receive(packet) == CLLProtocol::RC_SUCCESS)
            requireComplete(packet);
        if (wire.now > MAX_WAIT_MS)
            __builtin_trap();
        break;
    default:
    {
        const UINT16 idle = UINT16(1 + flags * 4);
        if (link.RecSinglePacketNoAck(packet, idle) == CLLProtocol::RC_SUCCESS)
            requireComplete(packet);
        if (wire.now > CLLProtocol::OVERALL_POLL_FACTOR * idle)
            __builtin_trap();
        break;
    }
    }
    return 0;
}
