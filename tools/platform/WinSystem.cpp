#include "WinSystem.h"

#include "WinPath.h"

#include <cstdlib>
#include <cstring>
#include <sys/stat.h>

namespace win
{

namespace
{

std::string DataHome()
{
    const char* xdg = std::getenv("XDG_DATA_HOME");
    if (xdg && *xdg == '/')
        return xdg;
    const char* home = std::getenv("HOME");
    return std::string(home ? home : "") + "/.local/share";
}

void MakeHostFolders(const std::string& host)
{
    for (size_t pos = 1; pos <= host.size(); ++pos)
    {
        if (pos == host.size() || host[pos] == '/')
            mkdir(host.substr(0, pos).c_str(), 0755);
    }
}

} // namespace

bool KnobSet(const char* name)
{
    const char* value = std::getenv(name);
    return value && std::strcmp(value, "1") == 0;
}

SOsVersionInfo GetVersionEx()
{
    if (KnobSet("TOLVANE_WIN_NOT_NT"))
        return {4, 10, 2222, VER_PLATFORM_WIN32_WINDOWS};
    return {6, 1, 7601, VER_PLATFORM_WIN32_NT};
}

std::string GetWindowsDirectory()
{
    std::string winDir;
    const char* env = std::getenv("TOLVANE_WINDIR");
    if (env && *env)
        winDir = env;
    else if (!WindowsPathOf(DataHome() + "/tolvane/windows", winDir))
        winDir = "C:\\WINDOWS";
    while (winDir.size() > 3 && (winDir.back() == '\\' || winDir.back() == '/'))
        winDir.pop_back();
    std::string host;
    if (HostPathOf(winDir, host))
        MakeHostFolders(host);
    return winDir;
}

} // namespace win
