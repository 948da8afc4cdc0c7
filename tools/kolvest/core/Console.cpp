#include "Console.h"

#include "Fatal.h"
#include "WinConsole.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

void ConsoleWrite(const char* text, int fd)
{
    if (!text || !*text)
        return;
    const size_t length = std::strlen(text);
    if (!win::WriteConsole(fd, text, length))
        win::WriteStd(fd, text, length);
}

bool GetConsoleWidth(int fd, int& width)
{
    return win::GetConsoleWidth(fd, width);
}

void ConsolePrint(const char* text, int fd)
{
    if (!text || !*text)
        return;
    int width = 0;
    String wrapped(text);
    if (GetConsoleWidth(fd, width))
        wrapped.wordWrap(width - 2, kLineBreak);
    if (!win::WriteConsole(fd, wrapped.c_str(), size_t(wrapped.length())))
        win::WriteStd(fd, text, std::strlen(text));
}

void ConsolePrintf(const char* format, ...)
{
    char buffer[4096];
    va_list args;
    va_start(args, format);
    std::vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    ConsolePrint(buffer);
}

void ConsoleFatalReporter(const char* message)
{
    ConsoleWrite(kLineBreak);
    ConsolePrint(message);
    ConsoleWrite(kLineBreak);
}

String NextCommandLineToken(String& line)
{
    String token;
    line.trimLeft(" \r\n\t");
    while (!line.isEmpty())
    {
        if (line.startsWith('"'))
        {
            token.append('"');
            token.append(line.takeQuoted('"'));
            token.append('"');
            continue;
        }
        const char c = line.first();
        line.removeFirst(1);
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n')
            break;
        token.append(c);
    }
    return token;
}

bool StripSwitchChar(String& token)
{
    return token.stripLeadingOf("/-");
}

void FailInvalidSwitch(const char* text)
{
    FatalErrorf("Invalid command line switch:\r\n%s", text);
}
