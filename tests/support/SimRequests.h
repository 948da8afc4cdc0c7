#pragma once

#include "SimUnit.h"

#include <algorithm>

// The frames the PC sent to the simulated unit on its own, not acknowledgements: the PC's
// acknowledgement of the last reply may still be on its way when the records are cleared, so only
// requests tell that the PC spoke.
inline int requestCount(const unitsim::CSimUnit& sim)
{
    const QList<unitsim::SSimFrame> frames = sim.receivedFrames();
    return int(std::count_if(frames.cbegin(), frames.cend(),
                             [](const unitsim::SSimFrame& f) { return !f.isAck(); }));
}
