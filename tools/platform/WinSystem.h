// System queries of the Windows stand-in: the Windows folder and the version of the system.
//
// The Windows folder (where "wininit.ini" and "wininit.exe" live) is TOLVANE_WINDIR in Windows
// form. Without it, it is the Windows form of "$XDG_DATA_HOME/tolvane/windows" (XDG_DATA_HOME
// defaults to ~/.local/share); when the drive table cannot reach that folder, "C:\WINDOWS".
// The folder is created on the host when it is missing, as the system's own always exists.
//
// The version is that of an NT-class system unless TOLVANE_WIN_NOT_NT=1 asks for an old one.
#pragma once

#include <cstdint>
#include <string>

namespace win
{

enum EPlatformId : uint32_t
{
    VER_PLATFORM_WIN32_WINDOWS = 1,
    VER_PLATFORM_WIN32_NT = 2,
};

struct SOsVersionInfo
{
    uint32_t majorVersion;
    uint32_t minorVersion;
    uint32_t buildNumber;
    uint32_t platformId; // EPlatformId
};

SOsVersionInfo GetVersionEx();

// The Windows folder in Windows form, without a trailing backslash (as GetWindowsDirectory).
std::string GetWindowsDirectory();

// True when an environment knob is set to "1".
bool KnobSet(const char* name);

} // namespace win
