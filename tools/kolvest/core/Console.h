// Console output and the command line of the core library.
#pragma once

#include "String.h"

constexpr const char* kLineBreak = "\r\n";

// The text unchanged: to the console, or as plain bytes when the output is redirected.
void ConsoleWrite(const char* text, int fd = 1);
// Word-wrapped to the console width minus 2 on a console; unwrapped when the output is redirected.
// The wrap rule (String::wordWrap): a line longer than W breaks after its W characters when a blank
// or tab follows them (the blank stays on the first line), else after the last of " ,-;>\t\\" among
// them, else after exactly W; nothing is inserted at the end of the text or before a line break.
void ConsolePrint(const char* text, int fd = 1);
// Formats into 4096 bytes (cut at 4095), then ConsolePrint.
void ConsolePrintf(const char* format, ...) __attribute__((format(printf, 1, 2)));
// The console's width in columns; false when the output is not a console.
bool GetConsoleWidth(int fd, int& width);

// The fatal-error callback kolvest installs: "\r\n", the message wrapped, "\r\n".
void ConsoleFatalReporter(const char* message);

// Removes the next white-space separated token from line and returns it. Quoted parts may hold
// blanks and keep their quotes; inside them two quotes in a row stand for one quote.
String NextCommandLineToken(String& line);
// Removes a leading "/" or "-"; true when there was one.
bool StripSwitchChar(String& token);
// "Invalid command line switch:\r\n<text>", exit code 1.
[[noreturn]] void FailInvalidSwitch(const char* text);
