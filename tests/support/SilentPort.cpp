#include "SilentPort.h"

#include <pty.h>
#include <unistd.h>

CSilentPort::CSilentPort()
{
    int slave = -1;
    char name[256] = {};
    if (openpty(&m_Master, &slave, name, nullptr, nullptr) != 0)
    {
        m_Master = -1;
        return;
    }
    ::close(slave);
    m_Name = QString::fromLocal8Bit(name);
}

CSilentPort::~CSilentPort()
{
    if (m_Master >= 0)
        ::close(m_Master);
}
