#include "DelayedMove.h"

#include "HostIo.h"
#include "ShareLock.h"
#include "WinError.h"
#include "WinPath.h"
#include "WinSystem.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace win
{

namespace
{

std::string StateHome()
{
    const char* xdg = std::getenv("XDG_STATE_HOME");
    if (xdg && *xdg == '/')
        return xdg;
    const char* home = std::getenv("HOME");
    return std::string(home ? home : "") + "/.local/state";
}

void MakeParentFolders(const std::string& host)
{
    for (size_t pos = 1; pos < host.size(); ++pos)
    {
        if (host[pos] == '/')
            mkdir(host.substr(0, pos).c_str(), 0755);
    }
}

// Opens the list with an exclusive lock, so that programs registering at the same time
// never interleave their lines.
int OpenLockedList(int flags)
{
    const std::string path = PendingOperationsFile();
    MakeParentFolders(path);
    return OpenAndLock(path, flags, 0644, LOCK_EX);
}

// The operations of the list text not yet carried out; anyDone tells whether it holds a mark.
std::vector<SPendingOperation> ParseList(const std::string& text, char doneMark, bool& anyDone)
{
    std::vector<SPendingOperation> operations;
    anyDone = false;
    size_t start = 0;
    while (start < text.size())
    {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        const size_t lineStart = start;
        const std::string line = text.substr(start, end - start);
        start = end + 1;
        anyDone = anyDone || (!line.empty() && line[0] == doneMark);
        if (line.empty() || line[0] == doneMark)
            continue;
        const size_t tab1 = line.find('\t');
        const size_t tab2 = tab1 == std::string::npos ? tab1 : line.find('\t', tab1 + 1);
        if (tab2 == std::string::npos)
            continue; // not an operation
        SPendingOperation operation;
        operation.flags = uint32_t(std::strtoul(line.substr(0, tab1).c_str(), nullptr, 10));
        operation.source = line.substr(tab1 + 1, tab2 - tab1 - 1);
        operation.target = line.substr(tab2 + 1);
        operation.offset = int64_t(lineStart);
        operations.push_back(operation);
    }
    return operations;
}

bool IsPending(const std::vector<SPendingOperation>& operations, const std::string& source,
               const std::string& target)
{
    for (const SPendingOperation& operation : operations)
    {
        if (NamesEqual(operation.source, source) && NamesEqual(operation.target, target))
            return true;
    }
    return false;
}

enum ERegistration
{
    REGISTER_ALWAYS,
    REGISTER_ONCE,
};

// Appends the operation to the list; with REGISTER_ONCE not when it is pending already, which is
// decided under the same lock as the append.
bool RegisterDelayed(const char* existing, const char* newName, uint32_t flags, ERegistration registration)
{
    if (KnobSet("TOLVANE_WIN_DELAYED_MOVE_REFUSED"))
        return Fail(ERROR_ACCESS_DENIED);
    std::string source, target;
    if (!GetFullPathName(existing, source))
        return false;
    if (newName && !GetFullPathName(newName, target))
        return false;
    std::string line = std::to_string(flags) + "\t" + source + "\t" + target + "\n";
    const int fd = OpenLockedList(O_RDWR | O_CREAT | O_APPEND);
    if (fd < 0)
        return FailFromErrno();
    std::string text;
    bool anyDone = false;
    if (registration == REGISTER_ONCE)
    {
        if (!ReadToEnd(fd, text))
        {
            close(fd);
            return FailReadFromErrno();
        }
        if (IsPending(ParseList(text, PENDING_DONE_MARK, anyDone), source, target))
        {
            close(fd);
            SetLastError(ERROR_SUCCESS);
            return true;
        }
    }
    // a last line without its line break (written by hand, or cut short) keeps its operation
    struct stat st;
    char last = '\n';
    if (fstat(fd, &st) == 0 && st.st_size > 0 && pread(fd, &last, 1, st.st_size - 1) == 1 && last != '\n')
        line.insert(0, "\n");
    const bool written = WriteAll(fd, line);
    const int err = errno;
    close(fd);
    if (!written)
    {
        errno = err;
        return FailFromErrno();
    }
    SetLastError(ERROR_SUCCESS);
    return true;
}

bool MoveNow(const char* existing, const char* newName, uint32_t flags)
{
    std::string source, target;
    if (!HostPathOf(existing, source) || !HostPathOf(newName, target))
        return false;
    struct stat sourceStat, targetStat;
    if (lstat(source.c_str(), &sourceStat) != 0)
        return errno == ENOENT ? Fail(MissingPathError(source)) : FailFromErrno();
    if (IsInUse(source))
        return Fail(ERROR_SHARING_VIOLATION);
    if (lstat(target.c_str(), &targetStat) == 0)
    {
        const bool sameFile =
            sourceStat.st_dev == targetStat.st_dev && sourceStat.st_ino == targetStat.st_ino;
        if (sameFile)
        {
            // A change of letter case only: the case-insensitive lookup found the source itself.
            std::string full;
            if (!GetFullPathName(newName, full))
                return false;
            target =
                target.substr(0, target.find_last_of('/') + 1) + full.substr(full.find_last_of('\\') + 1);
        }
        else if (!(flags & MOVEFILE_REPLACE_EXISTING))
            return Fail(ERROR_ALREADY_EXISTS);
        else if (S_ISDIR(targetStat.st_mode) || !(targetStat.st_mode & S_IWUSR))
            return Fail(ERROR_ACCESS_DENIED);
        else if (IsInUse(target))
            return Fail(ERROR_SHARING_VIOLATION);
    }
    if (std::rename(source.c_str(), target.c_str()) != 0)
        return errno == ENOENT ? Fail(MissingPathError(target)) : FailFromErrno();
    SetLastError(ERROR_SUCCESS);
    return true;
}

} // namespace

std::string PendingOperationsFile()
{
    const char* env = std::getenv("TOLVANE_PENDING_OPS");
    if (env && *env)
        return env;
    return StateHome() + "/tolvane/pending-operations";
}

bool MoveFileEx(const char* existing, const char* newName, uint32_t flags)
{
    if (!existing || !*existing)
        return Fail(ERROR_INVALID_PARAMETER);
    if (flags & MOVEFILE_DELAY_UNTIL_REBOOT)
        return RegisterDelayed(existing, newName, flags, REGISTER_ALWAYS);
    if (!newName || !*newName)
        return Fail(ERROR_INVALID_PARAMETER);
    return MoveNow(existing, newName, flags);
}

MoveFileExFn ResolveMoveFileEx()
{
    if (KnobSet("TOLVANE_WIN_NO_DELAYED_MOVE"))
    {
        SetLastError(ERROR_PROC_NOT_FOUND);
        return nullptr;
    }
    return &MoveFileEx;
}

bool MoveFileExOnce(const char* existing, const char* newName, uint32_t flags)
{
    if (!existing || !*existing)
        return Fail(ERROR_INVALID_PARAMETER);
    return RegisterDelayed(existing, newName, flags | MOVEFILE_DELAY_UNTIL_REBOOT, REGISTER_ONCE);
}

bool CPendingList::open()
{
    m_operations.clear();
    m_fd = OpenLockedList(O_RDWR | O_CREAT);
    if (m_fd < 0)
        return FailFromErrno();
    std::string text;
    if (!ReadToEnd(m_fd, text))
        return FailReadFromErrno() || abandon();

    bool anyDone = false;
    m_operations = ParseList(text, m_doneMark, anyDone);
    return opened(anyDone);
}

bool CPendingList::clear()
{
    return HostCalls().ftruncate(m_fd, 0) == 0 || FailFromErrno();
}

} // namespace win
