#pragma once

#include "LLProtocolPacket.h"
#include "LLProtocolWire.h"

class QString;

// Where the unit's debug messages are shown (the updater's debug field); each message's text is
// appended as it arrives.
class CDebugMessageView
{
public:
    virtual ~CDebugMessageView() = default;
    virtual void append(const QString& strText) = 0;
};

// Sends and receives link packets over a wire with acknowledgements, a bounded number of
// attempts and time-outs counted in polls of up to 1 ms. Debug messages of the unit (command 2) that
// arrive while waiting go to the optional view instead of to the caller. Blocking, one thread.
class CLLProtocol
{
public:
    enum EReturnCode
    {
        RC_SUCCESS = 0,
        RC_FAILURE = 3
    };

    // Longest wait of one poll; a poll ends early when bytes arrive.
    static constexpr UINT16 POLL_MS = 1;
    // Polls without a byte that end a wait.
    static constexpr UINT16 IDLE_POLLS = 1000;
    // A wait ends after this many times its idle limit in polls even while bytes keep arriving,
    // so noise or a talkative unit cannot hold a request forever.
    static constexpr int OVERALL_POLL_FACTOR = 5;
    static constexpr UINT16 WRITE_RETRY_PAUSE_MS = 1000;

    explicit CLLProtocol(CLLProtocolWire& wire, CDebugMessageView* debugView = nullptr);

    EReturnCode Send(CLLProtocolPacket& packet);
    EReturnCode Receive(CLLProtocolPacket& packet);
    EReturnCode RecSinglePacketNoAck(CLLProtocolPacket& packet, UINT16 maxIdlePolls);

private:
    bool writePacket(const CLLProtocolPacket& packet, int attempts);

    CLLProtocolWire& m_Wire;
    CDebugMessageView* m_pDebugView;
};

// True when the complete packet was a debug message of the unit; it has then been shown
// (when a view is given), logged and reset.
bool ProcessDebugMsg(CLLProtocolPacket& packet, CDebugMessageView* view);
