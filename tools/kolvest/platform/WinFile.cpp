#include "WinFile.h"

#include "HostIo.h"
#include "HostMount.h"
#include "ShareLock.h"
#include "WinError.h"
#include "WinPath.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace win
{

namespace
{

bool HostOf(const char* name, std::string& host)
{
    if (!name || !*name)
        return Fail(ERROR_PATH_NOT_FOUND);
    return HostPathOf(name, host);
}

bool FailMissingOrErrno(const std::string& host)
{
    return errno == ENOENT ? Fail(MissingPathError(host)) : FailFromErrno();
}

// The host path of a name and the status of what it names, links not followed; false, with the
// error set, for a bad or missing name.
bool LinkStatOf(const char* name, std::string& host, struct stat& st)
{
    if (!HostOf(name, host))
        return false;
    return lstat(host.c_str(), &st) == 0 || FailMissingOrErrno(host);
}

bool IsReadOnlyMode(mode_t mode)
{
    return !(mode & S_IWUSR);
}

// A link has attributes of its own, as on Windows: never the read-only bit of what it points to,
// which is not the link's to change.
uint32_t AttributesOf(const std::string& host, const struct stat& linkStat)
{
    if (S_ISLNK(linkStat.st_mode))
    {
        struct stat st;
        const bool toFolder = stat(host.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
        return FILE_ATTRIBUTE_REPARSE_POINT | (toFolder ? uint32_t(FILE_ATTRIBUTE_DIRECTORY) : 0u);
    }
    if (S_ISDIR(linkStat.st_mode))
        return FILE_ATTRIBUTE_DIRECTORY;
    return IsReadOnlyMode(linkStat.st_mode) ? FILE_ATTRIBUTE_READONLY : FILE_ATTRIBUTE_NORMAL;
}

char UpperAscii(char c)
{
    return (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c;
}

std::string Upper(std::string text)
{
    for (char& c : text)
        c = UpperAscii(c);
    return text;
}

// Windows turns a search pattern into the file system's own expression: "?" becomes DOS_QM,
// "*" before a point DOS_STAR, a point before "?", "*" or the end DOS_DOT.
constexpr char DOS_STAR = '<';
constexpr char DOS_QM = '>';
constexpr char DOS_DOT = '"';

std::string DosExpression(const std::string& pattern)
{
    std::string expression;
    for (size_t i = 0; i < pattern.size(); ++i)
    {
        const char c = pattern[i];
        const char next = i + 1 < pattern.size() ? pattern[i + 1] : '\0';
        if (c == '?')
            expression += DOS_QM;
        else if (c == '*' && next == '.')
            expression += DOS_STAR;
        else if (c == '.' && (next == '?' || next == '*' || next == '\0'))
            expression += DOS_DOT;
        else
            expression += UpperAscii(c);
    }
    return expression;
}

std::string UrlEncoded(const std::string& path)
{
    static const char kHex[] = "0123456789ABCDEF";
    std::string encoded;
    for (unsigned char c : path)
    {
        if (isalnum(c) || std::string("/-_.~").find(char(c)) != std::string::npos)
            encoded += char(c);
        else
            encoded += std::string("%") + kHex[c >> 4] + kHex[c & 15];
    }
    return encoded;
}

// One attempt of CreateFile on the host path; `replaced` when the file was replaced by another
// between the open and the lock.
HANDLE OpenHostFile(const std::string& host, uint32_t access, uint32_t share, uint32_t creation,
                    uint32_t attributes, bool& replaced)
{
    int accessMode = O_RDONLY;
    if ((access & GENERIC_READ) && (access & GENERIC_WRITE))
        accessMode = O_RDWR;
    else if (access & GENERIC_WRITE)
        accessMode = O_WRONLY;
    // Every test is made on what was opened, never on an earlier look at the path: a file put in
    // its place meanwhile would escape it. A folder is refused as Windows refuses it, and whatever
    // else is not a regular file too (a FIFO would hang the open or the read). A probe, and the
    // look for an old file before a new one is made, open without access (no sharing conflict).
    const bool withAccess = access && creation != CREATE_NEW;
    int fd = OpenRegularFile(host, withAccess ? accessMode : O_PATH, 0);
    const bool exists = fd >= 0;
    if (!exists && errno != ENOENT)
        return FailFromErrno(), INVALID_HANDLE_VALUE;
    if (exists)
    {
        struct stat st;
        uint32_t refusal = ERROR_SUCCESS;
        if (creation == CREATE_NEW)
            refusal = ERROR_FILE_EXISTS;
        else if ((access & GENERIC_WRITE) && (fstat(fd, &st) != 0 || IsReadOnlyMode(st.st_mode)))
            refusal = ERROR_ACCESS_DENIED;
        if (refusal != ERROR_SUCCESS)
        {
            close(fd);
            return Fail(refusal), INVALID_HANDLE_VALUE;
        }
    }
    else if (creation == OPEN_EXISTING)
        return Fail(MissingPathError(host)), INVALID_HANDLE_VALUE;
    else
    {
        const mode_t mode = (attributes & FILE_ATTRIBUTE_READONLY) ? 0444 : 0666;
        fd = OpenRegularFile(host, accessMode | O_CREAT | O_EXCL, mode);
        if (fd < 0)
            return FailMissingOrErrno(host), INVALID_HANDLE_VALUE;
    }
    const ELockResult lock =
        access ? LockOpenedFile(fd, host, (share ? LOCK_SH : LOCK_EX) | LOCK_NB) : ELockResult::LOCKED;
    if (lock != ELockResult::LOCKED)
    {
        const int err = errno;
        close(fd);
        replaced = lock == ELockResult::REPLACED;
        return Fail(lock == ELockResult::FAILED ? ErrorFromErrno(err) : ERROR_SHARING_VIOLATION),
               INVALID_HANDLE_VALUE;
    }
    // truncate only once the handle is ours, so a refused open never harms the file
    if (exists && creation == CREATE_ALWAYS && ftruncate(fd, 0) != 0)
    {
        close(fd);
        return FailFromErrno(), INVALID_HANDLE_VALUE;
    }
    SetLastError(exists && (creation == OPEN_ALWAYS || creation == CREATE_ALWAYS) ? ERROR_ALREADY_EXISTS
                                                                                  : ERROR_SUCCESS);
    return fd;
}

} // namespace

HANDLE CreateFile(const char* name, uint32_t access, uint32_t share, uint32_t creation, uint32_t attributes)
{
    std::string host;
    if (!HostOf(name, host))
        return INVALID_HANDLE_VALUE;
    // A handle must never write to a file that another program has just replaced by rename (the
    // restart does so with "wininit.ini"): such an open starts again with the file now there.
    constexpr int kAttempts = 100;
    for (int attempt = 1;; ++attempt)
    {
        bool replaced = false;
        const HANDLE handle = OpenHostFile(host, access, share, creation, attributes, replaced);
        if (!replaced || attempt == kAttempts)
            return handle;
    }
}

bool CloseHandle(HANDLE handle)
{
    return close(handle) == 0 || FailFromErrno();
}

bool ReadFile(HANDLE handle, void* buffer, uint32_t size, uint32_t& done)
{
    done = 0;
    while (done < size)
    {
        const ssize_t n = read(handle, static_cast<char*>(buffer) + done, size - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return FailFromErrno();
        if (n == 0)
            break;
        done += uint32_t(n);
    }
    return true;
}

bool WriteFile(HANDLE handle, const void* buffer, uint32_t size, uint32_t& done)
{
    done = 0;
    while (done < size)
    {
        const ssize_t n = write(handle, static_cast<const char*>(buffer) + done, size - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return FailFromErrno();
        done += uint32_t(n);
    }
    return true;
}

bool ReplaceFileContents(HANDLE handle, const char* name, const void* data, size_t size)
{
    std::string host;
    if (!HostOf(name, host))
        return false;
    return ReplaceFileWhole(host, handle, std::string(static_cast<const char*>(data), size)) ||
           FailFromErrno();
}

int64_t SetFilePointer(HANDLE handle, int64_t distance, int whence)
{
    const off_t position = lseek(handle, off_t(distance),
                                 whence == 0   ? SEEK_SET
                                 : whence == 1 ? SEEK_CUR
                                               : SEEK_END);
    if (position < 0)
        FailFromErrno();
    return position;
}

bool SetEndOfFile(HANDLE handle)
{
    const off_t position = lseek(handle, 0, SEEK_CUR);
    return (position >= 0 && ftruncate(handle, position) == 0) || FailFromErrno();
}

uint32_t GetFileAttributes(const char* name)
{
    std::string host;
    struct stat st;
    if (!LinkStatOf(name, host, st))
        return INVALID_FILE_ATTRIBUTES;
    return AttributesOf(host, st);
}

bool SetFileAttributes(const char* name, uint32_t attributes)
{
    std::string host;
    struct stat st;
    if (!LinkStatOf(name, host, st))
        return false;
    // read-only means nothing for a folder, and a link has no mode of its own on the host: the
    // mode that chmod would change is that of what it points to
    if (S_ISDIR(st.st_mode) || S_ISLNK(st.st_mode))
        return true;
    mode_t mode = st.st_mode & 07777;
    mode = (attributes & FILE_ATTRIBUTE_READONLY) ? (mode & ~mode_t(0222)) : (mode | S_IWUSR);
    // not following a link that took the file's place since the lstat either
    if (fchmodat(AT_FDCWD, host.c_str(), mode, AT_SYMLINK_NOFOLLOW) == 0)
        return true;
    return errno == EOPNOTSUPP || FailFromErrno();
}

bool IsSameFile(const char* first, const char* second)
{
    std::string firstFull, secondFull, firstHost, secondHost;
    if (!first || !second || !GetFullPathName(first, firstFull) || !GetFullPathName(second, secondFull))
        return false;
    if (NamesEqual(firstFull, secondFull))
        return true;
    struct stat firstStat, secondStat;
    return HostPathOf(firstFull, firstHost) && HostPathOf(secondFull, secondHost) &&
           stat(firstHost.c_str(), &firstStat) == 0 && stat(secondHost.c_str(), &secondStat) == 0 &&
           firstStat.st_dev == secondStat.st_dev && firstStat.st_ino == secondStat.st_ino;
}

bool OnSameFileSystem(const char* source, const char* target)
{
    std::string sourceHost, folder;
    struct stat sourceStat, folderStat;
    if (!HostOf(source, sourceHost) || !HostOf(target, folder) || lstat(sourceHost.c_str(), &sourceStat) != 0)
        return true;
    do
    {
        if (folder == "/")
            return true;
        folder = folder.substr(0, std::max<size_t>(folder.find_last_of('/'), 1));
    } while (stat(folder.c_str(), &folderStat) != 0);
    if (folderStat.st_dev != sourceStat.st_dev)
        return Fail(ERROR_NOT_SAME_DEVICE);
    // one file system mounted twice (a bind mount): one device number, but no rename between them
    const std::string sourceFolder = sourceHost.substr(0, std::max<size_t>(sourceHost.find_last_of('/'), 1));
    uint64_t sourceMount = 0, folderMount = 0;
    return !MountIdOf(sourceFolder, sourceMount) || !MountIdOf(folder, folderMount) ||
           sourceMount == folderMount || Fail(ERROR_NOT_SAME_DEVICE);
}

bool DeleteFile(const char* name)
{
    std::string host;
    struct stat st;
    if (!LinkStatOf(name, host, st))
        return false;
    if (S_ISDIR(st.st_mode) || (S_ISREG(st.st_mode) && IsReadOnlyMode(st.st_mode)))
        return Fail(ERROR_ACCESS_DENIED);
    if (IsInUse(host))
        return Fail(ERROR_SHARING_VIOLATION);
    return unlink(host.c_str()) == 0 || FailFromErrno();
}

bool RemoveDirectory(const char* name)
{
    std::string host;
    struct stat st, target;
    if (!LinkStatOf(name, host, st))
        return false;
    if (S_ISLNK(st.st_mode) && stat(host.c_str(), &target) == 0 && S_ISDIR(target.st_mode))
        return unlink(host.c_str()) == 0 || FailFromErrno();
    if (!S_ISDIR(st.st_mode))
        return Fail(ERROR_DIRECTORY);
    if (IsInUse(host))
        return Fail(ERROR_SHARING_VIOLATION);
    return rmdir(host.c_str()) == 0 || (errno == EEXIST ? Fail(ERROR_DIR_NOT_EMPTY) : FailFromErrno());
}

bool CreateDirectory(const char* name)
{
    std::string host;
    if (!HostOf(name, host))
        return false;
    return mkdir(host.c_str(), 0777) == 0 || FailMissingOrErrno(host);
}

bool MoveToRecycleBin(const char* name)
{
    std::string host;
    struct stat st;
    if (!LinkStatOf(name, host, st))
        return false;
    const char* xdg = std::getenv("XDG_DATA_HOME");
    const char* home = std::getenv("HOME");
    const std::string trash =
        (xdg && *xdg == '/' ? std::string(xdg) : std::string(home ? home : "") + "/.local/share") + "/Trash";
    for (size_t slash = trash.find('/', 1); slash != std::string::npos; slash = trash.find('/', slash + 1))
        mkdir(trash.substr(0, slash).c_str(), 0700);
    mkdir(trash.c_str(), 0700);
    mkdir((trash + "/files").c_str(), 0700);
    mkdir((trash + "/info").c_str(), 0700);

    const std::string base = host.substr(host.find_last_of('/') + 1);
    char stamp[32];
    const time_t now = time(nullptr);
    struct tm local;
    localtime_r(&now, &local);
    strftime(stamp, sizeof stamp, "%Y-%m-%dT%H:%M:%S", &local);
    for (int attempt = 1; attempt < 10000; ++attempt)
    {
        const std::string entry = attempt == 1 ? base : base + "." + std::to_string(attempt);
        const std::string info = trash + "/info/" + entry + ".trashinfo";
        // the info file is created exclusively first: it reserves the name
        const int fd = open(info.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd < 0 && errno == EEXIST)
            continue;
        if (fd < 0)
            return FailFromErrno();
        const std::string text =
            "[Trash Info]\nPath=" + UrlEncoded(host) + "\nDeletionDate=" + std::string(stamp) + "\n";
        uint32_t written;
        const bool ok = WriteFile(fd, text.data(), uint32_t(text.size()), written);
        close(fd);
        // what the bin holds under that name without an info file is not replaced either
        if (ok && RenameNoReplace(host, trash + "/files/" + entry))
            return true;
        const int err = errno;
        unlink(info.c_str());
        if (ok && err == EEXIST)
            continue;
        errno = err;
        return FailFromErrno();
    }
    return Fail(ERROR_ALREADY_EXISTS);
}

bool WildcardMatch(const std::string& pattern, const std::string& name)
{
    const std::string expression = DosExpression(pattern);
    const std::string text = Upper(name);
    const size_t lastDot = text.rfind('.');
    const size_t n = text.size();
    // reach[j]: the expression so far can end right before text[j]
    std::vector<bool> reach(n + 1, false), next(n + 1);
    reach[0] = true;
    for (char token : expression)
    {
        std::fill(next.begin(), next.end(), false);
        for (size_t j = 0; j <= n; ++j)
        {
            if (!reach[j])
                continue;
            switch (token)
            {
            case '*':
                for (size_t k = j; k <= n; ++k)
                    next[k] = true;
                break;
            case DOS_STAR: // anything that does not take the last point
                for (size_t k = j; k <= n && (lastDot == std::string::npos || k <= lastDot); ++k)
                    next[k] = true;
                break;
            case DOS_QM: // one character, or nothing before a point or at the end
                if (j == n || text[j] == '.')
                    next[j] = true;
                if (j < n)
                    next[j + 1] = true;
                break;
            case DOS_DOT: // a point, or nothing at the end
                if (j == n)
                    next[j] = true;
                else if (text[j] == '.')
                    next[j + 1] = true;
                break;
            default:
                if (j < n && text[j] == token)
                    next[j + 1] = true;
            }
        }
        reach.swap(next);
    }
    return reach[n];
}

bool FindFiles(const std::string& pattern, std::vector<SFindData>& found)
{
    found.clear();
    const size_t split = pattern.find_last_of("\\/:");
    std::string folder = split == std::string::npos ? std::string() : pattern.substr(0, split + 1);
    const std::string namePattern = split == std::string::npos ? pattern : pattern.substr(split + 1);
    if (namePattern.empty())
        return Fail(ERROR_FILE_NOT_FOUND);
    if (folder.empty() || folder.back() == ':')
        folder += ".";
    std::string host;
    if (!HostPathOf(folder, host))
        return false;
    DIR* dir = opendir(host.c_str());
    if (!dir)
        return errno == ENOENT || errno == ENOTDIR ? Fail(ERROR_PATH_NOT_FOUND) : FailFromErrno();
    while (dirent* entry = readdir(dir))
    {
        const std::string name = entry->d_name;
        if (name == "." || name == ".." || !WildcardMatch(namePattern, name))
            continue;
        const std::string path = (host == "/" ? "" : host) + "/" + name;
        struct stat st;
        if (lstat(path.c_str(), &st) != 0)
            continue;
        SFindData data;
        data.name = name;
        data.attributes = AttributesOf(path, st);
        data.size = S_ISREG(st.st_mode) ? uint64_t(st.st_size) : 0;
        data.lastWriteTime = st.st_mtime;
        found.push_back(data);
    }
    closedir(dir);
    std::sort(found.begin(), found.end(),
              [](const SFindData& a, const SFindData& b)
              {
                  const std::string ua = Upper(a.name), ub = Upper(b.name);
                  return ua != ub ? ua < ub : a.name < b.name;
              });
    if (found.empty())
        return Fail(ERROR_FILE_NOT_FOUND);
    SetLastError(ERROR_SUCCESS);
    return true;
}

} // namespace win
