#include "SfxFiles.h"
#include "platform/SfxSystem.h"

#include <HostIo.h>

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstring>

namespace sfx
{

namespace
{

bool HostExists(const std::string& path)
{
    struct stat st;
    return lstat(path.c_str(), &st) == 0;
}

int MakeDir(const std::string& path)
{
    return mkdir(path.c_str(), 0700) == 0 ? 0 : errno;
}

int DeleteTreeAt(int parent, const char* name);

// Deletes everything in the open folder fd but the entry `keep` (none when null); 0 or the first
// errno. Sub-folders are opened without following links.
int EmptyFolder(int fd, const char* keep)
{
    const int own = dup(fd); // the directory stream closes its descriptor, the caller keeps fd
    DIR* dir = own < 0 ? nullptr : fdopendir(own);
    if (!dir)
    {
        const int error = errno;
        if (own >= 0)
            close(own);
        return error;
    }
    int error = 0;
    errno = 0;
    while (const dirent* entry = readdir(dir))
    {
        if (std::strcmp(entry->d_name, ".") == 0 || std::strcmp(entry->d_name, "..") == 0 ||
            (keep && std::strcmp(entry->d_name, keep) == 0))
            continue;
        struct stat st;
        if (fstatat(fd, entry->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0)
            error = errno;
        else if (S_ISDIR(st.st_mode))
            error = DeleteTreeAt(fd, entry->d_name);
        else if (unlinkat(fd, entry->d_name, 0) != 0)
            error = errno;
        if (error)
            break;
        errno = 0;
    }
    if (!error && errno)
        error = errno;
    closedir(dir);
    return error;
}

// Empties and removes the folder `name` inside the open folder `parent`.
int DeleteTreeAt(int parent, const char* name)
{
    const int fd = openat(parent, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return errno;
    int error = EmptyFolder(fd, nullptr);
    close(fd);
    if (!error && unlinkat(parent, name, AT_REMOVEDIR) != 0)
        error = errno;
    return error;
}

std::function<void()>& BeforeFolderRemovalHook()
{
    static std::function<void()> hook;
    return hook;
}

bool SameFile(const struct stat& a, const struct stat& b)
{
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// Takes the lock of the folder `name` in `parent` without waiting; -1 when it is held, or when
// the name no longer leads to the folder that was locked (removed meanwhile by another start).
int LockFolder(int parent, const char* name)
{
    const int fd = openat(parent, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return -1;
    struct stat locked, named;
    if (flock(fd, LOCK_EX | LOCK_NB) != 0 || fstat(fd, &locked) != 0 ||
        fstatat(parent, name, &named, AT_SYMLINK_NOFOLLOW) != 0 || !SameFile(locked, named))
    {
        close(fd);
        return -1;
    }
    return fd;
}

bool IsTempFolderName(const char* name)
{
    if (std::strncmp(name, "xr", 2) != 0 || std::strlen(name) != 10)
        return false;
    for (const char* c = name + 2; *c; ++c)
    {
        if (!std::isdigit((unsigned char)*c) && !(*c >= 'A' && *c <= 'F'))
            return false;
    }
    return true;
}

// The stub's mark, written when it made the folder: a regular file of this user with exactly
// the mark's text for this very folder.
bool HasMark(int folderFd)
{
    const std::optional<std::string> mark = SfxFolderMark(folderFd);
    if (!mark)
        return false;
    const int fd = openat(folderFd, SFX_FOLDER_MARK_NAME, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    const std::string& expected = *mark;
    struct stat st;
    std::string text;
    const bool marked = fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_uid == geteuid() &&
                        st.st_size == off_t(expected.size()) && win::ReadToEnd(fd, text) && text == expected;
    close(fd);
    return marked;
}

// A folder the stub can prove it made: an owner-only folder of this user holding its mark, all
// seen through the locked descriptor.
bool IsStubFolder(int lockFd)
{
    struct stat st;
    return fstat(lockFd, &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == geteuid() &&
           (st.st_mode & 07777) == 0700 && HasMark(lockFd);
}

bool WriteMark(int folderFd)
{
    const std::optional<std::string> mark = SfxFolderMark(folderFd);
    if (!mark)
        return false;
    const int fd =
        openat(folderFd, SFX_FOLDER_MARK_NAME, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    const bool written = win::WriteAll(fd, *mark);
    return close(fd) == 0 && written;
}

// Removes the locked folder `name` in `parent`: its contents through the locked descriptor, the
// mark last (a folder left half-emptied stays provably the stub's), then the folder itself by name
// only while the name still leads to the locked folder.
void RemoveLockedFolder(int parent, const char* name, int lockFd)
{
    if (EmptyFolder(lockFd, SFX_FOLDER_MARK_NAME) != 0 ||
        (unlinkat(lockFd, SFX_FOLDER_MARK_NAME, 0) != 0 && errno != ENOENT))
        return;
    if (BeforeFolderRemovalHook())
        BeforeFolderRemovalHook()();
    struct stat locked, named;
    if (fstat(lockFd, &locked) == 0 && fstatat(parent, name, &named, AT_SYMLINK_NOFOLLOW) == 0 &&
        SameFile(locked, named))
        unlinkat(parent, name, AT_REMOVEDIR);
}

} // namespace

CSfxTempFolder::CSfxTempFolder(CSfxTempFolder&& other) noexcept
    : m_path(std::move(other.m_path)), m_lockFd(std::exchange(other.m_lockFd, -1))
{
}

CSfxTempFolder& CSfxTempFolder::operator=(CSfxTempFolder&& other) noexcept
{
    std::swap(m_path, other.m_path);
    std::swap(m_lockFd, other.m_lockFd);
    return *this;
}

CSfxTempFolder::~CSfxTempFolder()
{
    if (m_lockFd >= 0)
        close(m_lockFd);
}

std::optional<std::string> SfxFolderMark(int folderFd)
{
    struct statx st;
    if (statx(folderFd, "", AT_EMPTY_PATH | AT_SYMLINK_NOFOLLOW, STATX_INO | STATX_BTIME, &st) != 0 ||
        !(st.stx_mask & STATX_INO))
        return std::nullopt;
    // A copy gets another inode; a later folder on a reused inode another time of birth.
    const std::string born = (st.stx_mask & STATX_BTIME) ? std::to_string(st.stx_btime.tv_sec) + "." +
                                                               std::to_string(st.stx_btime.tv_nsec)
                                                         : std::string("unknown");
    return "Temporary folder of the uninstaller stub; it goes when the stub ends.\n"
           "device " +
           std::to_string(st.stx_dev_major) + ":" + std::to_string(st.stx_dev_minor) + " inode " +
           std::to_string(st.stx_ino) + " born " + born + "\n";
}

bool SfxFileExists(const WString& path)
{
    const auto host = ToUtf8(path);
    return host && HostExists(*host);
}

int SfxCreateDirChain(const WString& path)
{
    if (path.size() >= MAX_PATH)
        return ENAMETOOLONG;
    WString chain = path;
    if (!chain.empty() && chain.back() == u'/')
        chain.pop_back();
    const auto host = ToUtf8(chain);
    if (!host)
        return EILSEQ;
    std::string prefix = *host;
    for (size_t i = 1; i < prefix.size(); ++i)
    {
        if (prefix[i] != '/' && prefix[i] != '\\')
            continue;
        const std::string head = prefix.substr(0, i);
        if (!HostExists(head))
            MakeDir(head); // a failure shows at the next level or at the end
        prefix[i] = '/';
    }
    if (!HostExists(prefix))
        return MakeDir(prefix);
    return 0;
}

void SfxCutAtLastSeparator(WString& path)
{
    size_t cut = path.rfind(u'\\');
    if (cut == WString::npos)
        cut = path.rfind(u'/');
    if (cut == WString::npos)
    {
        cut = path.rfind(u':');
        if (cut != WString::npos)
            ++cut;
    }
    path.resize(cut == WString::npos ? 0 : cut);
}

int SfxDeleteTree(const WString& path)
{
    const auto host = ToUtf8(path);
    if (!host)
        return EILSEQ;
    std::string folder = *host;
    while (folder.size() > 1 && folder.back() == '/')
        folder.pop_back();
    return DeleteTreeAt(AT_FDCWD, folder.c_str());
}

WString SfxTempFolderName(std::uint32_t seed)
{
    static const char16_t digits[] = u"0123456789ABCDEF";
    WString name = u"xr";
    for (int shift = 28; shift >= 0; shift -= 4)
        name += digits[(seed >> shift) & 0xF];
    return name;
}

std::optional<CSfxTempFolder> SfxCreateTempFolder(const WString& tempPath)
{
    constexpr int tries = 100;
    for (int i = 0; i < tries; ++i)
    {
        const WString folder = tempPath + SfxTempFolderName(RandomSeed());
        if (folder.size() + 1 >= MAX_PATH)
            return std::nullopt;
        if (SfxFileExists(folder))
            continue;
        const auto host = ToUtf8(folder);
        if (!host)
            return std::nullopt;
        if (mkdir(host->c_str(), 0700) != 0)
        {
            if (errno != EEXIST)
                return std::nullopt;
            continue;
        }
        // Until the lock is taken, another start may see the new folder as abandoned; it then
        // holds the lock or has removed the folder, and this start takes another name.
        const int lockFd = LockFolder(AT_FDCWD, host->c_str());
        if (lockFd < 0)
            continue;
        if (WriteMark(lockFd))
            return CSfxTempFolder(folder + u'/', lockFd);
        // a folder without its mark could never be proven the stub's: it is not used
        RemoveLockedFolder(AT_FDCWD, host->c_str(), lockFd);
        close(lockFd);
        return std::nullopt;
    }
    return std::nullopt;
}

void SfxSetBeforeFolderRemovalHook(std::function<void()> hook)
{
    BeforeFolderRemovalHook() = std::move(hook);
}

void SfxRemoveAbandonedTempFolders(const WString& tempPath)
{
    const auto host = ToUtf8(tempPath);
    if (!host)
        return;
    DIR* dir = opendir(host->c_str());
    if (!dir)
        return;
    const int parent = dirfd(dir);
    while (const dirent* entry = readdir(dir))
    {
        if (!IsTempFolderName(entry->d_name))
            continue;
        const int lockFd = LockFolder(parent, entry->d_name);
        if (lockFd < 0)
            continue;
        if (IsStubFolder(lockFd))
            RemoveLockedFolder(parent, entry->d_name, lockFd);
        close(lockFd);
    }
    closedir(dir);
}

} // namespace sfx
