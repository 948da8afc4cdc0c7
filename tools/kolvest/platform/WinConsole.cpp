#include "WinConsole.h"

#include "WinError.h"
#include "WinPath.h"

#include <cerrno>
#include <cstdlib>
#include <sys/ioctl.h>
#include <unistd.h>

namespace win
{

namespace
{
std::string g_commandLine;

bool NeedsQuotes(const std::string& argument)
{
    size_t quotes = 0;
    for (char c : argument)
    {
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n')
            return true;
        quotes += c == '"';
    }
    return argument.empty() || quotes % 2 != 0;
}
} // namespace

bool WriteStd(int fd, const char* text, size_t length)
{
    while (length > 0)
    {
        const ssize_t n = write(fd, text, length);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return FailFromErrno();
        text += n;
        length -= size_t(n);
    }
    return true;
}

bool WriteConsole(int fd, const char* text, size_t length)
{
    if (!isatty(fd))
        return Fail(ERROR_INVALID_HANDLE);
    return WriteStd(fd, text, length);
}

bool GetConsoleWidth(int fd, int& width)
{
    struct winsize size;
    if (!isatty(fd) || ioctl(fd, TIOCGWINSZ, &size) != 0)
        return Fail(ERROR_INVALID_HANDLE);
    width = size.ws_col;
    return true;
}

void SetCommandLineFromArguments(int argc, char** argv)
{
    g_commandLine.clear();
    for (int i = 0; i < argc; ++i)
    {
        const std::string argument = argv[i];
        if (i)
            g_commandLine += ' ';
        if (!NeedsQuotes(argument))
        {
            g_commandLine += argument;
            continue;
        }
        g_commandLine += '"';
        for (char c : argument)
            g_commandLine += c == '"' ? std::string("\"\"") : std::string(1, c);
        g_commandLine += '"';
    }
}

const char* GetCommandLine()
{
    return g_commandLine.c_str();
}

} // namespace win
