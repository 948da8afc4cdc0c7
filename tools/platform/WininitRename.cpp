#include "WininitRename.h"

#include "DelayedMove.h"
#include "HostIo.h"
#include "ShareLock.h"
#include "WinError.h"
#include "WinPath.h"
#include "WinSystem.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace win
{

namespace
{

// One line of the text: where its first character other than a blank is.
struct SLine
{
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

} // namespace

SRenameSections ReadRenameSections(const std::string& text)
{
    SRenameSections sections;
    bool inRename = false;
    for (const SLine& line : Lines(text))
    {
        if (!line.trimmed.empty() && line.trimmed[0] == '[')
        {
            inRename = NamesEqual(line.trimmed, "[rename]");
            sections.any = sections.any || inRename;
        }
        if (!inRename)
        {
            sections.kept += line.raw;
            continue;
        }
        sections.anyDone =
            sections.anyDone || (!line.trimmed.empty() && line.trimmed[0] == WININIT_DONE_MARK);
        const size_t eq = line.trimmed.find('=');
        if (line.trimmed.empty() || line.trimmed[0] == '[' || line.trimmed[0] == WININIT_DONE_MARK ||
            eq == std::string::npos)
            continue;
        SPendingOperation operation;
        operation.target = line.trimmed.substr(0, eq);
        operation.source = line.trimmed.substr(eq + 1);
        operation.flags = MOVEFILE_REPLACE_EXISTING;
        operation.offset = int64_t(line.firstChar);
        if (NamesEqual(operation.target, "NUL"))
            operation.target.clear();
        sections.operations.push_back(operation);
    }
    return sections;
}

bool CWininitRename::open(unsigned lockWaitMs)
{
    m_operations.clear();
    if (!HostPathOf(GetWindowsDirectory() + "\\wininit.ini", m_host))
        return true; // no Windows folder, no file
    // A writer replaces the file by rename under its lock: the lock counts only on the file that
    // the name still leads to, or its text would be lost when the sections are removed.
    const int fd = OpenAndLockWithin(m_host, O_RDWR, 0, LOCK_EX, lockWaitMs);
    if (fd < 0 && errno == ENOENT)
        return true; // no file, no lines
    if (!takeLockedFile(fd))
        return false;
    std::string text;
    if (!ReadToEnd(m_fd, text))
        return FailReadFromErrno() || abandon();

    SRenameSections sections = ReadRenameSections(text);
    m_operations = std::move(sections.operations);
    m_kept = std::move(sections.kept);
    m_anyRename = sections.any;
    return opened(sections.anyDone);
}

bool CWininitRename::removeSections()
{
    return !m_anyRename || ReplaceFileWhole(m_host, m_fd, m_kept) || FailFromErrno();
}

} // namespace win
