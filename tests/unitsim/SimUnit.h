#pragma once

#include "SimFrame.h"
#include "SimUnitModel.h"

#include <QString>
#include <functional>
#include <memory>

// A simulated ventilation unit at the far end of a pseudo-terminal pair.
//
//   unitsim::CSimUnit unit(unitsim::SSimUnitModel::make(unitsim::EUnitType::TolVanePlus, 4711));
//   unit.start();                       // opens the pty, serves in its own thread
//   port.setPortName(unit.portName());  // the PC side opens this path
//
// The link as the unit speaks it:
// - every good frame that wants it (no flag 0x40) is acknowledged: same command, flags 0x20,
//   no data; request 17 (start application) never is; command-1 frames are then answered;
// - a frame with a bad CRC is recorded and otherwise ignored;
// - replies go out right after the acknowledgement, on command 1 with flag 0x10; each reply
//   packet waits for the PC's acknowledgement (any frame with flag 0x20) and is resent after
//   ackTimeoutMs, three sends in all, before the rest of the reply is given up; a new request
//   while waiting abandons the rest;
// - debug packets go out on command 2 with flag 0x40 (id 0x202 text, 0x201 a 32-bit value).
// What the unit answers to each message code is in SimMessages.h; its values in SimUnitModel.h.
//
// All members are safe to call from any thread while the unit serves.
namespace unitsim
{
enum class ESimFault
{
    // Counted over good request frames from the PC (frames that are not acknowledgements):
    LoseRequest,      // the frame is ignored, as if it never arrived
    DropAck,          // the request is handled, but not acknowledged
    DelayAck,         // the acknowledgement goes out `value` ms late
    CorruptAckCrc,    // the acknowledgement carries a wrong CRC
    MergeAckAndReply, // the acknowledgement and the first reply packet go out in one write

    // Counted over reply packets (first sends; a resend is clean):
    CorruptCrc,       // the reply packet carries a wrong CRC
    WrongReplyId,     // the reply carries message code `value` instead of its own
    WrongReplyLength, // the reply carries `value` data bytes more (zeros) or fewer (cut)
    LeadingGarbage,   // `value` bytes of noise go out before the reply packet
    DebugBeforeReply, // `value` debug packets (text "debug 1", "debug 2", ...) go out before it

    // Counted over writes of packets (acknowledgements, replies, debug packets):
    SplitWrites, // the packet goes out in `value` pieces, 20 ms apart
};

struct SSimFault
{
    ESimFault kind;
    int value = 0;
    int nth = 1;   // the first event it hits: 1 = the next one after arming
    int times = 1; // how many events in a row it hits; 0 = all from then on
    // Request faults only: counted over the requests with this message code alone; -1: any request.
    int messageCode = -1;
};

class CSimUnit
{
public:
    explicit CSimUnit(const SSimUnitModel& model = SSimUnitModel::make(EUnitType::TolVane100));
    ~CSimUnit();
    CSimUnit(const CSimUnit&) = delete;
    CSimUnit& operator=(const CSimUnit&) = delete;

    // Opens the pseudo-terminal pair (both ends raw) and starts serving. False when no pty is
    // to be had or the unit serves already. After disappear() it comes back on a new pty
    // (the system may hand out the same path again); model, faults and records are kept.
    bool start();
    // Stops serving and closes both ends.
    void stop();
    bool isServing() const;
    // The device path the PC opens (the pty's slave end), empty before start.
    QString portName() const;

    SSimUnitModel model() const;
    void setModel(const SSimUnitModel& model);
    void updateModel(const std::function<void(SSimUnitModel&)>& change);

    void addFault(const SSimFault& fault);
    void clearFaults();
    // Silent: frames are still read and recorded, nothing is written.
    void setSilent(bool silent);
    // The unit goes away: both ends of the pty are closed and the port vanishes before this returns.
    void disappear();
    // A restart as the PC sees it: the port vanishes, then the unit serves on a new pty.
    bool restart();
    void setAckTimeoutMs(int ms);

    void sendDebugText(const QByteArray& text);
    void sendDebugValue(qint32 value);

    // Every frame received from the PC, acknowledgements and corrupt ones included.
    QList<SSimFrame> receivedFrames() const;
    // Every write() the unit made, in order.
    QList<QByteArray> writes() const;
    void clearRecords();
    // Waits (real time, bounded) until at least `count` frames have been received.
    bool waitForFrames(int count, int timeoutMs) const;
    // Waits until at least `count` writes have been made.
    bool waitForWrites(int count, int timeoutMs) const;

private:
    struct SImpl;
    std::unique_ptr<SImpl> d;
};
} // namespace unitsim
