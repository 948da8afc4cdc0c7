#include "LLProtocolWire.h"

#include <QIODevice>
#include <QThread>
#include <cstring>

void CLLProtocolWire::Consume(UINT16, UINT16) {}

void CLLProtocolWire::WaitForInput(UINT16 milliseconds)
{
    Sleep(milliseconds);
}

void CLLProtocolWire::Drain()
{
    UINT16 size = 0;
    for (int i = 0; i < DRAIN_MAX_BLOCKS && Receive(size); ++i)
    {
    }
}

CLLProtocolWireWin::CLLProtocolWireWin(QIODevice* device) : m_pDevice(device)
{
    m_Clock.start();
    flushDevice();
}

void CLLProtocolWireWin::flushDevice()
{
    // Pushes pending output out without waiting; input the port holds is kept.
    if (m_pDevice)
        m_pDevice->waitForBytesWritten(0);
    m_Pending = 0;
}

void CLLProtocolWireWin::Reset()
{
    flushDevice();
}

bool CLLProtocolWireWin::Send(const void* data, UINT16 size)
{
    if (!data || !m_pDevice)
        return false;
    // A short write loses bytes of the packet: that is a failure, not a success.
    return m_pDevice->write(static_cast<const char*>(data), size) == size;
}

const UINT8* CLLProtocolWireWin::Receive(UINT16& size)
{
    size = 0;
    if (m_Pending > 0)
    {
        size = m_Pending;
        m_Pending = 0;
        return m_Buffer;
    }
    if (!m_pDevice || m_pDevice->bytesAvailable() <= 0)
        return nullptr;
    const qint64 n = m_pDevice->read(reinterpret_cast<char*>(m_Buffer), BUFFER_SIZE);
    if (n <= 0)
        return nullptr;
    size = UINT16(n);
    return m_Buffer;
}

void CLLProtocolWireWin::Consume(UINT16 offered, UINT16 untaken)
{
    if (offered > BUFFER_SIZE || untaken > offered)
        return;
    std::memmove(m_Buffer, m_Buffer + (offered - untaken), untaken);
    m_Pending = untaken;
}

void CLLProtocolWireWin::Sleep(UINT16 milliseconds)
{
    QThread::msleep(milliseconds);
}

void CLLProtocolWireWin::WaitForInput(UINT16 milliseconds)
{
    if (m_Pending > 0)
        return;
    QElapsedTimer waited;
    waited.start();
    if (m_pDevice && m_pDevice->waitForReadyRead(milliseconds))
        return;
    // A device that cannot wait (or failed at once) leaves the rest of the poll to Sleep.
    const qint64 rest = milliseconds - (waited.nsecsElapsed() + 500000) / 1000000;
    if (rest > 0)
        Sleep(UINT16(rest));
}

qint64 CLLProtocolWireWin::Milliseconds()
{
    return m_Clock.elapsed();
}

qint64 CLLProtocolWireWin::BytesAvailable()
{
    return m_pDevice ? m_pDevice->bytesAvailable() : 0;
}
