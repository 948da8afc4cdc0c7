#include "DelayedMove.h"

#include "HostIo.h"
#include "ShareLock.h"
#include "WinError.h"
#include "WinPath.h"
#include "WinSystem.h"

#include <algorithm>
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

// Makes the missing folders above the host file; returns those it made, outermost first.
std::vector<std::string> MakeParentFolders(const std::string& host)
{
    std::vector<std::string> made;
    for (size_t pos = 1; pos < host.size(); ++pos)
    {
        if (host[pos] == '/' && mkdir(host.substr(0, pos).c_str(), 0755) == 0)
            made.push_back(host.substr(0, pos));
    }
    return made;
}

std::string FolderOf(const std::string& host)
{
    return host.substr(0, std::max<size_t>(host.find_last_of('/'), 1));
}

// Takes the folders made for the list away again, innermost first, so that what failed leaves the
// user's folders as they were; one that holds something by now stays.
void RemoveFolders(const std::vector<std::string>& made)
{
    for (auto folder = made.rbegin(); folder != made.rend(); ++folder)
        rmdir(folder->c_str());
}

// Opens the list with an exclusive lock, so that programs registering at the same time never
// interleave their lines; a registration waits for it at most REGISTRATION_LOCK_WAIT_MS.
// madeFolders: the folders made for it; none are left when it cannot be opened.
int OpenLockedList(int flags, unsigned lockWaitMs, std::vector<std::string>& madeFolders)
{
    const std::string path = PendingOperationsFile();
    madeFolders = MakeParentFolders(path);
    const int fd = OpenAndLockWithin(path, flags, 0644, LOCK_EX, lockWaitMs);
    if (fd < 0)
    {
        const int err = errno;
        RemoveFolders(madeFolders);
        madeFolders.clear();
        errno = err;
    }
    return fd;
}

// A registration that failed in a list made for it, under the list's lock: the list goes while it
// is empty and lies in the innermost folder made for it (no other registration has used it), and
// then the folders.
void TakeBackNewList(int fd, const std::vector<std::string>& madeFolders)
{
    const std::string path = PendingOperationsFile();
    struct stat held, named;
    if (!madeFolders.empty() && FolderOf(path) == madeFolders.back() && fstat(fd, &held) == 0 &&
        held.st_size == 0 && lstat(path.c_str(), &named) == 0 && named.st_dev == held.st_dev &&
        named.st_ino == held.st_ino)
        unlink(path.c_str());
    RemoveFolders(madeFolders);
}

// The length of the list's whole lines. What follows the last line break is the rest of a write
// that failed part-way (a full disk, a crash), never an operation.
bool WholeLinesLength(int fd, off_t size, off_t& length)
{
    char buffer[4096];
    for (off_t end = size; end > 0;)
    {
        const off_t start = std::max<off_t>(0, end - off_t(sizeof buffer));
        const ssize_t n = pread(fd, buffer, size_t(end - start), start);
        if (n < 0 && errno == EINTR)
            continue;
        if (n != end - start)
            return n >= 0 ? (errno = EIO, false) : false;
        for (ssize_t i = n; i > 0; --i)
        {
            if (buffer[i - 1] == '\n')
            {
                length = start + i;
                return true;
            }
        }
        end = start;
    }
    length = 0;
    return true;
}

// The operations of the list text not yet carried out; anyDone tells whether it holds a mark.
std::vector<SPendingOperation> ParseList(const std::string& text, char doneMark, bool& anyDone)
{
    std::vector<SPendingOperation> operations;
    anyDone = false;
    size_t start = 0;
    while (start < text.size())
    {
        const size_t end = text.find('\n', start);
        if (end == std::string::npos)
            break; // the rest of a write cut short
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

// Appends the line to the locked list after its last whole line: a fragment left there is cut,
// since a line break after it would turn it into an operation. A write that fails part-way is cut
// back to the same length under the same lock, so nothing of it is ever carried out. On success
// the line is on the disk (and the list's name, where the list was empty), so that the caller may
// delete what it covers. False with errno set.
bool AppendLine(int fd, const std::string& line, const std::vector<std::string>& madeFolders)
{
    struct stat st;
    off_t length = 0;
    if (fstat(fd, &st) != 0 || !WholeLinesLength(fd, st.st_size, length) ||
        (length < st.st_size && HostCalls().ftruncate(fd, length) != 0))
        return false;
    bool written = WriteAll(fd, line) && SyncFile(fd);
    if (written && length == 0)
    {
        written = SyncFolder(FolderOf(PendingOperationsFile()));
        for (const std::string& folder : madeFolders)
            written = written && SyncFolder(FolderOf(folder));
    }
    if (written)
        return true;
    const int err = errno;
    if (HostCalls().ftruncate(fd, length) == 0)
        SyncFile(fd); // a line that reached the disk whole must not run either
    errno = err;
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
    const std::string line = std::to_string(flags) + "\t" + source + "\t" + target + "\n";
    std::vector<std::string> madeFolders;
    const int fd = OpenLockedList(O_RDWR | O_CREAT | O_APPEND, REGISTRATION_LOCK_WAIT_MS, madeFolders);
    if (fd < 0)
        return FailFromErrno();
    std::string text;
    bool anyDone = false;
    if (registration == REGISTER_ONCE)
    {
        if (!ReadToEnd(fd, text))
        {
            const int err = errno;
            TakeBackNewList(fd, madeFolders);
            close(fd);
            errno = err;
            return FailReadFromErrno();
        }
        if (HoldsOperation(ParseList(text, PENDING_DONE_MARK, anyDone), source, target))
        {
            close(fd);
            SetLastError(ERROR_SUCCESS);
            return true;
        }
    }
    const bool appended = AppendLine(fd, line, madeFolders);
    const int err = errno;
    if (!appended)
        TakeBackNewList(fd, madeFolders);
    close(fd);
    if (!appended)
    {
        errno = err;
        return FailFromErrno();
    }
    SetLastError(ERROR_SUCCESS);
    return true;
}

// True when both host paths name one entry: one folder, whatever path reaches it, and one name
// ignoring case (on a file system that ignores it, every spelling reaches the entry).
bool SameEntry(const std::string& first, const std::string& second)
{
    const size_t firstSlash = first.find_last_of('/'), secondSlash = second.find_last_of('/');
    struct stat firstFolder, secondFolder;
    return NamesEqual(first.substr(firstSlash), second.substr(secondSlash)) &&
           stat(first.substr(0, firstSlash + 1).c_str(), &firstFolder) == 0 &&
           stat(second.substr(0, secondSlash + 1).c_str(), &secondFolder) == 0 &&
           firstFolder.st_dev == secondFolder.st_dev && firstFolder.st_ino == secondFolder.st_ino;
}

std::function<void(const std::string&)>& BeforeMoveHook()
{
    static std::function<void(const std::string&)> hook;
    return hook;
}

bool MoveNow(const char* existing, const char* newName, uint32_t flags)
{
    std::string source, target;
    return HostPathOf(existing, source) && HostPathOf(newName, target) &&
           MoveHostFileNow(source, target, newName, flags);
}

} // namespace

bool MoveHostFileNow(const std::string& source, std::string target, const char* newName, uint32_t flags)
{
    struct stat sourceStat, targetStat;
    if (lstat(source.c_str(), &sourceStat) != 0)
        return errno == ENOENT ? Fail(MissingPathError(source)) : FailFromErrno();
    if (IsInUse(source))
        return Fail(ERROR_SHARING_VIOLATION);
    bool replace = flags & MOVEFILE_REPLACE_EXISTING;
    bool linkOfSource = false; // the target is another name of the source's file
    if (lstat(target.c_str(), &targetStat) == 0)
    {
        const bool sameFile =
            sourceStat.st_dev == targetStat.st_dev && sourceStat.st_ino == targetStat.st_ino;
        if (sameFile && SameEntry(source, target))
        {
            // A change of letter case only: the case-insensitive lookup found the source itself.
            std::string full;
            if (!GetFullPathName(newName, full))
                return false;
            target =
                target.substr(0, target.find_last_of('/') + 1) + full.substr(full.find_last_of('\\') + 1);
            replace = true; // where case is ignored, the new spelling is the source's own
        }
        else if (!(flags & MOVEFILE_REPLACE_EXISTING))
            return Fail(ERROR_ALREADY_EXISTS);
        else if (S_ISDIR(targetStat.st_mode) || !(targetStat.st_mode & S_IWUSR))
            return Fail(ERROR_ACCESS_DENIED);
        else if (IsInUse(target))
            return Fail(ERROR_SHARING_VIOLATION);
        else
            linkOfSource = sameFile;
    }
    if (BeforeMoveHook())
        BeforeMoveHook()(target);
    // a rename between two links of one file changes nothing: the source's name goes instead
    const bool moved = linkOfSource ? unlink(source.c_str()) == 0
                       : replace    ? std::rename(source.c_str(), target.c_str()) == 0
                                    : RenameNoReplace(source, target);
    if (!moved)
        return errno == ENOENT ? Fail(MissingPathError(target)) : FailFromErrno();
    SetLastError(ERROR_SUCCESS);
    return true;
}

void SetBeforeMoveHook(std::function<void(const std::string&)> hook)
{
    BeforeMoveHook() = std::move(hook);
}

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

bool WhileDelayedMovePending(const char* existing, const char* newName, const std::function<void()>& action)
{
    std::string source, target;
    if (!GetFullPathName(existing, source) || (newName && !GetFullPathName(newName, target)))
        return false;
    return CPendingList().runWhilePending(source, target, action);
}

bool MoveFileExOnce(const char* existing, const char* newName, uint32_t flags)
{
    if (!existing || !*existing)
        return Fail(ERROR_INVALID_PARAMETER);
    return RegisterDelayed(existing, newName, flags | MOVEFILE_DELAY_UNTIL_REBOOT, REGISTER_ONCE);
}

bool CPendingList::open(unsigned lockWaitMs)
{
    m_operations.clear();
    std::vector<std::string> madeFolders;
    if (!takeLockedFile(OpenLockedList(O_RDWR | O_CREAT, lockWaitMs, madeFolders)))
        return false;
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
