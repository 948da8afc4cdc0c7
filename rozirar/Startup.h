#pragma once

class QApplication;
class QSharedMemory;

// Start-up and shut-down of tolVane-Vozudoz on the given application object; returns the exit code.
int runVozudoz(QApplication& app);

// Creates the segment that keeps a second instance of either Qt program from starting.
// False when another instance holds it. A segment left behind by a crashed instance is
// removed first (on this platform the system keeps it after its last user died).
bool acquireSingleInstance(QSharedMemory& segment);
