// The one way out for conditions kolvest cannot recover from: the message is shown once through
// the fatal-error callback and the process ends with exit code 1 (the runtime's exit work runs).
#pragma once

#include <cstddef>

using FatalErrorCallback = void (*)(const char* message);

// kolvest sets the console reporter at start-up (Console.h).
void SetFatalErrorCallback(FatalErrorCallback callback);

// Formats into 4096 bytes (longer texts are cut at 4095) and ends the process.
[[noreturn]] void FatalErrorf(const char* format, ...) __attribute__((format(printf, 1, 2)));
// A fatal error raised while another is being reported goes straight to the exit.
[[noreturn]] void RunFatalHandlersAndExit(const char* message);
// "Internal Fatal Error\r\nModule: <source>\r\nLine: <line>"
[[noreturn]] void InternalFatalError(const char* source, int line);

// The out-of-memory report for an allocation of size bytes. It keeps the marker words that
// introduce the stack dump but reads no stack memory.
void FormatOutOfMemory(size_t size, char (&buffer)[1024]);
// Called by every object allocation that finds no memory: reports and ends the process.
[[noreturn]] void OutOfMemory(size_t size);
