#include "Fatal.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>

namespace
{
bool g_fatalInProgress = false;
FatalErrorCallback g_callback = nullptr;
} // namespace

void SetFatalErrorCallback(FatalErrorCallback callback)
{
    g_callback = callback;
}

void FatalErrorf(const char* format, ...)
{
    char buffer[4096];
    va_list args;
    va_start(args, format);
    std::vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    buffer[sizeof buffer - 1] = '\0';
    RunFatalHandlersAndExit(buffer);
}

void RunFatalHandlersAndExit(const char* message)
{
    if (!g_fatalInProgress)
    {
        g_fatalInProgress = true;
        if (g_callback)
            g_callback(message);
    }
    std::exit(1);
}

void InternalFatalError(const char* source, int line)
{
    FatalErrorf("Internal Fatal Error\r\nModule: %s\r\nLine: %d", source, line);
}

void FormatOutOfMemory(size_t size, char (&buffer)[1024])
{
    // no heap here: the allocator has just failed
    int used =
        std::snprintf(buffer, sizeof buffer,
                      "Out Of Memory.  Make sure the hard drive is not full.\r\nRequested size = %u (0x%08X)"
                      "\r\n\r\nStack contents:",
                      unsigned(size), unsigned(size));
    const unsigned kMarkers[] = {0x11223344u, 0x55667788u};
    for (unsigned i = 0; i < 2 && used > 0 && size_t(used) < sizeof buffer; ++i)
        used += std::snprintf(buffer + used, sizeof buffer - size_t(used), "%c%08X", i % 8 == 0 ? '\r' : ' ',
                              kMarkers[i]);
}

void OutOfMemory(size_t size)
{
    // no memory-release handlers are registered in kolvest, so there is nothing to retry
    char message[1024];
    FormatOutOfMemory(size, message);
    RunFatalHandlersAndExit(message);
}
