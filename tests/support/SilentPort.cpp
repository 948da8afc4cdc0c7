#include "SilentPort.h"

#include "FreePty.h"

#include <unistd.h>

CSilentPort::CSilentPort()
{
    unitsim::SPtyPair pty;
    if (!unitsim::openFreePty(pty))
        return;
    ::close(pty.slave);
    m_Master = pty.master;
    m_Name = pty.name;
}

CSilentPort::~CSilentPort()
{
    if (m_Master >= 0)
        ::close(m_Master);
}
