#include "HostIo.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace win
{

SHostCalls& HostCalls()
{
    static SHostCalls calls = {&::read, &::write, &::pwrite, &::fsync, &::ftruncate};
    return calls;
}

bool ReadToEnd(int fd, std::string& text)
{
    char buffer[65536];
    for (;;)
    {
        const ssize_t n = HostCalls().read(fd, buffer, sizeof buffer);
        if (n > 0)
            text.append(buffer, size_t(n));
        else if (n == 0)
            return true;
        else if (errno != EINTR)
            return false;
    }
}

namespace
{

// Writes every byte at offset, or at the file position where offset is negative.
bool WriteEvery(int fd, int64_t offset, const void* data, size_t size)
{
    const char* bytes = static_cast<const char*>(data);
    while (size > 0)
    {
        const ssize_t n = offset < 0 ? HostCalls().write(fd, bytes, size)
                                     : HostCalls().pwrite(fd, bytes, size, off_t(offset));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return false;
        if (n == 0)
        {
            errno = EIO;
            return false;
        }
        bytes += n;
        size -= size_t(n);
        if (offset >= 0)
            offset += n;
    }
    return true;
}

} // namespace

bool WriteAll(int fd, const void* data, size_t size)
{
    return WriteEvery(fd, -1, data, size);
}

bool WriteAllAt(int fd, int64_t offset, const void* data, size_t size)
{
    return offset >= 0 ? WriteEvery(fd, offset, data, size) : (errno = EINVAL, false);
}

bool SyncFile(int fd)
{
    return HostCalls().fsync(fd) == 0;
}

bool SyncFolder(const std::string& hostFolder)
{
    const int fd = open(hostFolder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool synced = SyncFile(fd);
    const int err = errno;
    close(fd);
    errno = err;
    return synced;
}

namespace
{

std::function<void(const std::string&)>& BeforeReplaceHook()
{
    static std::function<void(const std::string&)> hook;
    return hook;
}

// Writes the text over the file that fd has open; if that fails part-way, the old bytes go back.
bool WriteInPlace(int fd, const std::string& text)
{
    std::string old;
    if (lseek(fd, 0, SEEK_SET) != 0 || !ReadToEnd(fd, old))
        return false;
    if (WriteAllAt(fd, 0, text.data(), text.size()) && HostCalls().ftruncate(fd, off_t(text.size())) == 0 &&
        SyncFile(fd))
        return true;
    const int err = errno;
    if (WriteAllAt(fd, 0, old.data(), old.size()) && HostCalls().ftruncate(fd, off_t(old.size())) == 0)
        SyncFile(fd);
    errno = err;
    return false;
}

// The names of the file's extended attributes, each ending in '\0'; false (errno set) on failure.
bool AttributeNames(int fd, std::string& names)
{
    names.assign(4096, '\0');
    ssize_t size;
    while ((size = flistxattr(fd, &names[0], names.size())) < 0 && errno == ERANGE)
        names.resize(names.size() * 2);
    names.resize(size_t(std::max<ssize_t>(size, 0)));
    return size >= 0;
}

// Gives the file `to` the extended attributes of the file `from` (access control lists among them),
// and no others: not the access list that a new file takes from its folder's default one either.
bool CopyExtendedAttributes(int from, int to)
{
    std::string names, own;
    if (!AttributeNames(from, names) || !AttributeNames(to, own))
        return errno == ENOTSUP; // none on this file system
    for (size_t at = 0; at < names.size(); at = names.find('\0', at) + 1)
    {
        const char* name = names.c_str() + at;
        const ssize_t length = fgetxattr(from, name, nullptr, 0);
        std::string value(size_t(std::max<ssize_t>(length, 0)), '\0');
        if (length < 0 || fgetxattr(from, name, &value[0], value.size()) != length ||
            fsetxattr(to, name, value.data(), value.size(), 0) != 0)
            return false;
    }
    const std::string held = '\0' + names; // each name between two '\0'
    for (size_t at = 0; at < own.size(); at = own.find('\0', at) + 1)
    {
        const std::string name = own.c_str() + at;
        if (held.find('\0' + name + '\0') == std::string::npos && fremovexattr(to, name.c_str()) != 0)
            return false;
    }
    return true;
}

enum class ENewFile
{
    WRITTEN,  // complete and durable, with the old file's owner, group, mode and extended attributes
    NOT_HERE, // it could not be made, or not be given what the old file has: nothing is left behind
    FAILED,   // errno tells why; nothing is left behind
};

ENewFile WriteNewFile(const std::string& temporary, int fd, int oldFd, const struct stat& old,
                      const std::string& text)
{
    if (fd < 0)
        return errno == EACCES || errno == EPERM ? ENewFile::NOT_HERE : ENewFile::FAILED;
    ENewFile result = ENewFile::WRITTEN;
    struct stat made;
    // ownership before the mode: a change of owner may clear the set-user-ID and set-group-ID bits
    if (fstat(fd, &made) != 0)
        result = ENewFile::FAILED;
    else if ((made.st_uid != old.st_uid || made.st_gid != old.st_gid) &&
             fchown(fd, old.st_uid, old.st_gid) != 0)
        result = errno == EPERM ? ENewFile::NOT_HERE : ENewFile::FAILED;
    else if (fchmod(fd, old.st_mode & 07777) != 0)
        result = errno == EPERM ? ENewFile::NOT_HERE : ENewFile::FAILED;
    else if (!CopyExtendedAttributes(oldFd, fd))
        result = ENewFile::NOT_HERE;
    else if (!WriteAll(fd, text) || !SyncFile(fd))
        result = ENewFile::FAILED;
    const int err = errno;
    close(fd);
    if (result != ENewFile::WRITTEN)
        unlink(temporary.c_str());
    errno = err;
    return result;
}

} // namespace

bool ReplaceFileWhole(const std::string& hostPath, int fd, const std::string& text)
{
    struct stat old;
    if (fstat(fd, &old) != 0)
        return false;
    if (!S_ISREG(old.st_mode))
    {
        errno = EISDIR;
        return false;
    }
    if (old.st_nlink > 1)
        return WriteInPlace(fd, text);
    if (BeforeReplaceHook())
        BeforeReplaceHook()(hostPath);
    char* resolved = realpath(hostPath.c_str(), nullptr);
    if (!resolved)
        return false;
    const std::string file = resolved;
    free(resolved);

    std::string temporary = file + ".new-XXXXXX";
    const int newFd = mkostemp(&temporary[0], O_CLOEXEC);
    switch (WriteNewFile(temporary, newFd, fd, old, text))
    {
    case ENewFile::NOT_HERE:
        return WriteInPlace(fd, text);
    case ENewFile::FAILED:
        return false;
    case ENewFile::WRITTEN:
        break;
    }
    // The name may lead to another file by now (a link pointed elsewhere, a file renamed into its
    // place): the text was made from the locked file and replaces that one or nothing.
    struct stat named;
    if (lstat(file.c_str(), &named) != 0 || named.st_dev != old.st_dev || named.st_ino != old.st_ino)
    {
        unlink(temporary.c_str());
        errno = EBUSY;
        return false;
    }
    if (std::rename(temporary.c_str(), file.c_str()) != 0)
    {
        const int err = errno;
        unlink(temporary.c_str());
        errno = err;
        return false;
    }
    return SyncFolder(file.substr(0, file.find_last_of('/') + 1));
}

bool RenameNoReplace(const std::string& source, const std::string& target)
{
    if (renameat2(AT_FDCWD, source.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL)
        return false;
    // a file system that cannot rename without replacing: look once more, as closely as it allows
    struct stat st;
    if (lstat(target.c_str(), &st) == 0)
        return errno = EEXIST, false;
    return std::rename(source.c_str(), target.c_str()) == 0;
}

void SetBeforeReplaceHook(std::function<void(const std::string&)> hook)
{
    BeforeReplaceHook() = std::move(hook);
}

} // namespace win
