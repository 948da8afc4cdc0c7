#include "System.h"

#include "WinConsole.h"
#include "WinError.h"
#include "WinSystem.h"

#include <unistd.h>

namespace
{

void RealSleep(unsigned milliseconds)
{
    usleep(useconds_t(milliseconds) * 1000);
}

SleepFunction g_sleep = &RealSleep;

} // namespace

String SystemErrorText(uint32_t code)
{
    if (code == 0)
        return String();
    const std::string text = win::ErrorMessageText(code);
    return String(text.c_str(), int(text.size()));
}

String LastErrorText()
{
    return SystemErrorText(win::GetLastError());
}

bool IsWindowsNT()
{
    static const win::SOsVersionInfo version = win::GetVersionEx();
    return version.platformId == win::VER_PLATFORM_WIN32_NT;
}

String GetWindowsDir()
{
    return String(win::GetWindowsDirectory().c_str());
}

void SetSleepFunction(SleepFunction function)
{
    g_sleep = function ? function : &RealSleep;
}

void SleepMs(unsigned milliseconds)
{
    g_sleep(milliseconds);
}
