#pragma once

#include <QString>

namespace unitsim
{
struct SPtyPair
{
    int master = -1;
    int slave = -1;
    QString name; // the slave's path, which the PC side opens
};

// Opens a pseudo-terminal pair whose slave a serial port can open now. False when none is to be had.
//
// The system hands out the lowest free number, so a number another process has just let go comes
// back at once, while that process may still hold the serial port's lock file of its name
// (QSerialPort closes the device before it removes its lock); a port opened under that name fails.
// Such a pair is held until the end, so that the system hands out another number, and the next
// is taken.
bool openFreePty(SPtyPair& pair);
} // namespace unitsim
