#pragma once

#include "LLProtocolWire.h"

#include <QVector>

// The real wire over a port, for tests against the simulated unit: its 1 ms polls really sleep
// (the unit needs the time to answer), longer pauses only advance a virtual clock and are recorded.
class CFastWire : public CLLProtocolWireWin
{
public:
    explicit CFastWire(QIODevice* port) : CLLProtocolWireWin(port) {}

    void Sleep(UINT16 ms) override
    {
        if (ms <= 1)
        {
            CLLProtocolWireWin::Sleep(ms);
            return;
        }
        pauses.append(ms);
        m_Skipped += ms;
    }
    qint64 Milliseconds() override { return CLLProtocolWireWin::Milliseconds() + m_Skipped; }

    QVector<int> pauses; // every pause other than the 1 ms polls, in order

private:
    qint64 m_Skipped = 0;
};
