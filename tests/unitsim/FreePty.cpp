#include "FreePty.h"

#include <QSerialPort>
#include <pty.h>
#include <unistd.h>
#include <vector>

namespace
{
constexpr int ATTEMPTS = 16;

void closePair(const unitsim::SPtyPair& pair)
{
    ::close(pair.master);
    ::close(pair.slave);
}

// Opening is the one sure test: the lock's folder and its owner's liveness are QSerialPort's business.
bool serialPortOpens(const QString& name)
{
    QSerialPort probe(name);
    return probe.open(QIODevice::ReadWrite);
}
} // namespace

bool unitsim::openFreePty(SPtyPair& pair)
{
    std::vector<SPtyPair> held;
    bool found = false;
    for (int i = 0; i < ATTEMPTS && !found; ++i)
    {
        SPtyPair candidate;
        char name[256];
        if (::openpty(&candidate.master, &candidate.slave, nullptr, nullptr, nullptr) != 0)
            break;
        if (ttyname_r(candidate.slave, name, sizeof name) != 0)
        {
            closePair(candidate);
            break;
        }
        candidate.name = QString::fromLocal8Bit(name);
        found = serialPortOpens(candidate.name);
        if (found)
            pair = candidate;
        else
            held.push_back(candidate);
    }
    for (const SPtyPair& candidate : held)
        closePair(candidate);
    return found;
}
