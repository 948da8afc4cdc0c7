// Console and process stand-ins of kolvest.
#pragma once

#include <string>

namespace win
{

// WriteConsole: only when the output is a terminal (false otherwise, as for a redirected handle).
bool WriteConsole(int fd, const char* text, size_t length);
// WriteFile on a standard handle: the bytes as they are.
bool WriteStd(int fd, const char* text, size_t length);
// The terminal's width in columns; false when the output is not a terminal.
bool GetConsoleWidth(int fd, int& width);

// The process command line as Windows would pass it: the arguments joined by blanks; an argument
// that holds white space or an odd number of quotes is enclosed in quotes, its quotes doubled.
void SetCommandLineFromArguments(int argc, char** argv);
const char* GetCommandLine();

} // namespace win
