// kolvest: deletes files and folders, or replaces a file with another, now or at the next restart.
#include "Console.h"
#include "Engine.h"
#include "Fatal.h"
#include "File.h"
#include "FileOps.h"
#include "FileSpec.h"
#include "Path.h"
#include "System.h"
#include "Vector.h"

#include "WinConsole.h"

namespace
{

const char* const kTitle = "Restart-Time File Remover";
const char* const kVersion = "4.1";
const int kLastCopyrightYear = 2010;

const char* const kUsage = "Usage:\r\n"
                           "kolvest [/d\"...\"] [/move\"...\"] [/s] [/nologo] [/now] files...\r\n"
                           "\r\n"
                           "Switches:\r\n"
                           "/d       Set the default directory where the files are located.\r\n"
                           "/move    Replace the target file with the specified file.\r\n"
                           "/s       Recursively enter subdirectories.\r\n"
                           "/nologo  Do not display the program banner.\r\n"
                           "/now     Delete the file immediately if possible.\r\n";

struct SOptions
{
    String defaultDirectory;
    String moveSource;
    String specifications;
    uint32_t expandFlags = 0x1;
    bool usage = false;
    bool now = false;
    bool noBanner = false;
};

// The rest of a "d\"" or "move\"" switch, one trailing quote removed.
String SwitchValue(const String& token, int prefixLength)
{
    String value = token.mid(prefixLength);
    value.stripTrailing('"');
    return value;
}

SOptions ParseCommandLine()
{
    SOptions options;
    String line(win::GetCommandLine());
    NextCommandLineToken(line); // the program's own name
    if (line.isBlank())
        line = "/?";
    while (!line.isEmpty())
    {
        String token = NextCommandLineToken(line);
        if (token.isEmpty())
            break;
        token.stripEnclosing();
        if (StripSwitchChar(token))
        {
            if (token.compare("?") == 0)
                options.usage = true;
            else if (token.findText("d\"") == 0)
                options.defaultDirectory = SwitchValue(token, 2);
            else if (token.compare("now") == 0)
                options.now = true;
            else if (token.compare("s") == 0)
                options.expandFlags |= 0x2;
            else if (token.compare("nologo") == 0)
                options.noBanner = true;
            else if (token.findText("move\"", 0, true) == 0)
                options.moveSource = SwitchValue(token, 5);
            else
                FailInvalidSwitch(token.c_str());
            continue;
        }
        if (!options.specifications.isEmpty())
            options.specifications.append(kLineBreak);
        token.trim();
        token.stripEnclosing();
        token.trim();
        options.specifications.append(token);
    }
    return options;
}

void PrintFailure()
{
    const String reason = LastErrorText(); // before the console calls can change the last error
    ConsolePrint("FAILED\r\n");
    ConsolePrint(reason.c_str());
    ConsoleWrite(kLineBreak);
}

int ProcessPath(String path, const SOptions& options)
{
    const bool directory = IsDirectory(path);
    if (directory)
        path.appendIfMissing('\\');
    ConsolePrintf("%s ... ", path.c_str());
    if (!directory && !FileExists(path))
    {
        ConsoleWrite("doesn't exist\r\n");
        return -2;
    }
    ClearFileAttributes(path, 3);
    const bool move = !options.moveSource.isEmpty();
    if (options.now)
    {
        if (move && MoveFileOrSchedule(options.moveSource.c_str(), path, 0))
        {
            ConsolePrint("moved\r\n");
            return 0;
        }
        if (!move && (directory ? DeleteDirectoryNow(path) : DeleteFileOrSchedule(path.c_str(), 0)))
        {
            ConsolePrint("deleted\r\n");
            return 0;
        }
    }
    const bool scheduled = move ? MoveFileOrSchedule(options.moveSource.c_str(), path, MOVE_AT_RESTART)
                                : DeleteFileOrSchedule(path.c_str(), DELETE_AT_RESTART);
    if (scheduled)
        ConsolePrint("success\r\n");
    else
        PrintFailure();
    return 0;
}

int Run()
{
    SOptions options = ParseCommandLine();
    if (!options.noBanner)
        ConsolePrintf(
            "Brastomyr %s %s (kolvest.exe)\r\nCopyright (C) 2005-%d Brastomyr.  All rights reserved.\r\n\r\n",
            kTitle, kVersion, kLastCopyrightYear);
    if (options.usage)
    {
        ConsolePrint(kUsage);
        return 0;
    }
    if (options.specifications.isEmpty())
    {
        ConsolePrint("You must specify the name of the file to be deleted.\r\n");
        return -1;
    }

    StringList paths;
    String warnings;
    ExpandFileSpecList(options.specifications.c_str(), paths, options.defaultDirectory, &warnings, nullptr,
                       nullptr, options.expandFlags, nullptr);
    if (!warnings.isEmpty())
    {
        ConsoleWrite("Warnings:\r\n");
        warnings.append(kLineBreak);
        ConsolePrint(warnings.c_str());
    }

    if (!options.moveSource.isEmpty())
    {
        if (paths.count() != 1)
        {
            ConsolePrint("When using the /move switch, there must be exactly one target file.");
            return -2;
        }
        // a folder can neither be replaced nor take a file's place
        if (IsDirectory(paths[0]) || IsDirectory(options.moveSource))
        {
            ConsolePrint("The /move switch cannot be used on directories.");
            return -3;
        }
        MakePathAbsolute(options.moveSource, GetCurrentDir());
    }

    int exitCode = 0;
    for (const String& path : paths)
    {
        if (ProcessPath(path, options) != 0)
            exitCode = -2;
    }
    return exitCode;
}

} // namespace

int main(int argc, char** argv)
{
    win::SetCommandLineFromArguments(argc, argv);
    SetFatalErrorCallback(&ConsoleFatalReporter);
    ResolveMoveFileExA();
    return Run();
}
