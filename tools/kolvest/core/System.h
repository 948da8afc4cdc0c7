// System queries of the core library: error texts, version, folders, sleep.
#pragma once

#include "String.h"

#include <cstdint>

// The system's English text of a code, with its own trailing line break; empty for 0.
String SystemErrorText(uint32_t code);
// SystemErrorText of the thread's last error.
String LastErrorText();

// True on an NT-class system (the version is queried once).
bool IsWindowsNT();
String GetWindowsDir();

// Every pause of the core library goes through here, so tests can replace it.
using SleepFunction = void (*)(unsigned milliseconds);
void SetSleepFunction(SleepFunction function);
void SleepMs(unsigned milliseconds);
