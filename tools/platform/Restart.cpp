#include "Restart.h"

#include "DelayedMove.h"
#include "WinError.h"
#include "WinPath.h"
#include "WinSystem.h"

#include <cerrno>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace win
{

namespace
{

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

std::string Trimmed(const std::string& line)
{
    const size_t first = line.find_first_not_of(" \t\r\n");
    if (first == std::string::npos)
        return std::string();
    return line.substr(first, line.find_last_not_of(" \t\r\n") - first + 1);
}

// Splits the text into lines that keep their own line break, so untouched lines are written back
// byte for byte.
std::vector<std::string> RawLines(const std::string& text)
{
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size())
    {
        size_t end = text.find('\n', start);
        end = end == std::string::npos ? text.size() : end + 1;
        lines.push_back(text.substr(start, end - start));
        start = end;
    }
    return lines;
}

void ApplyWininit(int& failures, const std::function<void(const std::string&)>& report)
{
    std::string host;
    if (!HostPathOf(GetWindowsDirectory() + "\\wininit.ini", host))
        return;
    std::ifstream in(host, std::ios::binary);
    if (!in)
        return;
    std::stringstream content;
    content << in.rdbuf();
    in.close();

    std::string kept;
    bool inRename = false;
    for (const std::string& raw : RawLines(content.str()))
    {
        const std::string line = Trimmed(raw);
        if (!line.empty() && line[0] == '[')
            inRename = NamesEqual(line, "[rename]");
        if (!inRename)
        {
            kept += raw;
            continue;
        }
        const size_t eq = line.find('=');
        if (line.empty() || line[0] == '[' || eq == std::string::npos)
            continue;
        SPendingOperation operation;
        operation.target = line.substr(0, eq);
        operation.source = line.substr(eq + 1);
        operation.flags = MOVEFILE_REPLACE_EXISTING;
        if (NamesEqual(operation.target, "NUL"))
            operation.target.clear();
        Apply(operation, failures, report);
    }

    std::ofstream out(host, std::ios::binary | std::ios::trunc);
    out << kept;
    if (!out.flush())
    {
        ++failures;
        report("cannot rewrite " + host);
    }
}

} // namespace

int ApplyRestartOperations(const std::function<void(const std::string&)>& report)
{
    int failures = 0;
    std::vector<SPendingOperation> operations;
    if (!TakePendingOperations(operations, true))
    {
        ++failures;
        report("cannot read " + PendingOperationsFile() + ": " + Reason());
    }
    for (const SPendingOperation& operation : operations)
        Apply(operation, failures, report);
    ApplyWininit(failures, report);
    return failures;
}

} // namespace win
