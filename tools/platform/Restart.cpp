#include "Restart.h"

#include "DelayedMove.h"
#include "HostIo.h"
#include "WinError.h"
#include "WinPath.h"
#include "WinSystem.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace win
{

namespace
{

const char kDoneMark = ';'; // an INI comment: the system's own reader passes over it too

std::string Reason()
{
    std::string text = ErrorMessageText(GetLastError());
    while (!text.empty() && (text.back() == '\r' || text.back() == '\n'))
        text.pop_back();
    return text;
}

bool DeleteNow(const std::string& winPath)
{
    std::string host;
    if (!HostPathOf(winPath, host))
        return false;
    struct stat st;
    if (lstat(host.c_str(), &st) != 0)
        return errno == ENOENT ? Fail(MissingPathError(host)) : FailFromErrno();
    const int rc = S_ISDIR(st.st_mode) ? rmdir(host.c_str()) : unlink(host.c_str());
    return rc == 0 || FailFromErrno();
}

void Apply(const SPendingOperation& operation, int& failures,
           const std::function<void(const std::string&)>& report)
{
    if (operation.target.empty())
    {
        if (!DeleteNow(operation.source))
        {
            ++failures;
            report("cannot delete " + operation.source + ": " + Reason());
        }
        return;
    }
    const uint32_t flags = operation.flags & MOVEFILE_REPLACE_EXISTING;
    if (!MoveFileEx(operation.source.c_str(), operation.target.c_str(), flags))
    {
        ++failures;
        report("cannot move " + operation.source + " to " + operation.target + ": " + Reason());
    }
}

// One line of the text: where it starts, and where its first character other than a blank is.
struct SLine
{
    size_t start = 0;
    size_t firstChar = 0;
    std::string raw;     // with its own line break, so untouched lines are written back as they were
    std::string trimmed; // without blanks and line breaks at either end
};

std::vector<SLine> Lines(const std::string& text)
{
    std::vector<SLine> lines;
    size_t start = 0;
    while (start < text.size())
    {
        size_t end = text.find('\n', start);
        end = end == std::string::npos ? text.size() : end + 1;
        SLine line;
        line.start = start;
        line.raw = text.substr(start, end - start);
        const size_t first = line.raw.find_first_not_of(" \t\r\n");
        line.firstChar = start + (first == std::string::npos ? 0 : first);
        if (first != std::string::npos)
            line.trimmed = line.raw.substr(first, line.raw.find_last_not_of(" \t\r\n") - first + 1);
        lines.push_back(line);
        start = end;
    }
    return lines;
}

// Replaces the file with text in one step: an interruption leaves either the old or the new text.
bool ReplaceFile(const std::string& host, const std::string& text, mode_t mode)
{
    const std::string temporary = host + ".restart";
    const int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, mode & 07777);
    if (fd < 0)
        return false;
    const bool written = WriteAll(fd, text) && fsync(fd) == 0;
    close(fd);
    if (written && std::rename(temporary.c_str(), host.c_str()) == 0)
        return true;
    unlink(temporary.c_str());
    return false;
}

// The "[rename]" lines in file order. Each line carried out is turned into a comment at once
// (";" over its first character), so an interrupted restart does not carry it out again; at the
// end the sections go.
void ApplyWininit(int& failures, const std::function<void(const std::string&)>& report)
{
    std::string host;
    if (!HostPathOf(GetWindowsDirectory() + "\\wininit.ini", host))
        return;
    const int fd = open(host.c_str(), O_RDWR | O_CLOEXEC);
    if (fd < 0)
        return;
    std::string text;
    struct stat st;
    if (flock(fd, LOCK_EX) != 0 || fstat(fd, &st) != 0 || !ReadToEnd(fd, text))
    {
        close(fd);
        ++failures;
        report("cannot read " + host);
        return;
    }

    std::string kept;
    bool inRename = false, anyRename = false;
    for (const SLine& line : Lines(text))
    {
        if (!line.trimmed.empty() && line.trimmed[0] == '[')
        {
            inRename = NamesEqual(line.trimmed, "[rename]");
            anyRename = anyRename || inRename;
        }
        if (!inRename)
        {
            kept += line.raw;
            continue;
        }
        const size_t eq = line.trimmed.find('=');
        if (line.trimmed.empty() || line.trimmed[0] == '[' || line.trimmed[0] == kDoneMark ||
            eq == std::string::npos)
            continue;
        SPendingOperation operation;
        operation.target = line.trimmed.substr(0, eq);
        operation.source = line.trimmed.substr(eq + 1);
        operation.flags = MOVEFILE_REPLACE_EXISTING;
        if (NamesEqual(operation.target, "NUL"))
            operation.target.clear();
        Apply(operation, failures, report);
        if (pwrite(fd, &kDoneMark, 1, off_t(line.firstChar)) != 1)
        {
            ++failures;
            report("cannot mark a line of " + host + " as done");
        }
    }

    if (anyRename && !ReplaceFile(host, kept, st.st_mode))
    {
        ++failures;
        report("cannot rewrite " + host);
    }
    close(fd);
}

} // namespace

int ApplyRestartOperations(const std::function<void(const std::string&)>& report)
{
    int failures = 0;
    {
        CPendingList list;
        if (!list.open())
        {
            ++failures;
            report("cannot read " + PendingOperationsFile() + ": " + Reason());
        }
        for (const SPendingOperation& operation : list.operations())
        {
            Apply(operation, failures, report);
            if (!list.markDone(operation))
            {
                // stop here rather than carry out what a later run would carry out again
                ++failures;
                report("cannot mark an operation in " + PendingOperationsFile() + " as done: " + Reason());
                return failures;
            }
        }
        if (list.isOpen() && !list.clear())
        {
            ++failures;
            report("cannot empty " + PendingOperationsFile() + ": " + Reason());
        }
    }
    ApplyWininit(failures, report);
    return failures;
}

} // namespace win
