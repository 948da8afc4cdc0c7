#pragma once

#include "LLProtocolPacket.h"

#include <QElapsedTimer>

class QIODevice;

// The byte wire the link protocol reads and writes through. Every wait of the link and of the
// unit classes goes through Sleep and Milliseconds, so a test wire can run them on a virtual clock.
class CLLProtocolWire
{
public:
    virtual ~CLLProtocolWire() = default;

    // Flush the device and forget buffered bytes.
    virtual void Reset() = 0;
    // Write one chunk; true only when every byte was written.
    virtual bool Send(const void* data, UINT16 size) = 0;
    // The bytes that have arrived, or null with size 0.
    virtual const UINT8* Receive(UINT16& size) = 0;
    // Of the bytes last offered by Receive, the last `untaken` were not used.
    virtual void Consume(UINT16 offered, UINT16 untaken);
    // The fixed pauses: always the full length.
    virtual void Sleep(UINT16 milliseconds) = 0;
    // One idle poll: waits up to the limit and ends as soon as bytes have arrived; without bytes it
    // lasts the full limit, so time-outs counted in polls keep their length.
    virtual void WaitForInput(UINT16 milliseconds);
    // A monotonic clock in milliseconds, advanced by Sleep.
    virtual qint64 Milliseconds() = 0;

    // Discards what has arrived. Bounded, so a unit that never stops talking cannot hold us here.
    void Drain();

    static constexpr int DRAIN_MAX_BLOCKS = 64;
};

// The wire over a Qt I/O device, in practice the serial port, with a read-ahead buffer of one block.
class CLLProtocolWireWin : public CLLProtocolWire
{
public:
    explicit CLLProtocolWireWin(QIODevice* device);

    void Reset() override;
    bool Send(const void* data, UINT16 size) override;
    const UINT8* Receive(UINT16& size) override;
    void Consume(UINT16 offered, UINT16 untaken) override;
    void Sleep(UINT16 milliseconds) override;
    void WaitForInput(UINT16 milliseconds) override;
    qint64 Milliseconds() override;
    virtual qint64 BytesAvailable();

    static constexpr UINT16 BUFFER_SIZE = 256;

private:
    void flushDevice();

    QIODevice* m_pDevice;
    UINT8 m_Buffer[BUFFER_SIZE];
    // Up to a whole block may be left over, so 8 bits are not enough.
    UINT16 m_Pending = 0;
    QElapsedTimer m_Clock;
};
