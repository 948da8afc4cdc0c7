#include "HostIo.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
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

bool WriteAll(int fd, const void* data, size_t size)
{
    const char* bytes = static_cast<const char*>(data);
    while (size > 0)
    {
        const ssize_t n = HostCalls().write(fd, bytes, size);
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
    }
    return true;
}

bool WriteByteAt(int fd, int64_t offset, char byte)
{
    for (;;)
    {
        const ssize_t n = HostCalls().pwrite(fd, &byte, 1, off_t(offset));
        if (n == 1)
            return true;
        if (n == 0)
            errno = EIO;
        if (n == 0 || errno != EINTR)
            return false;
    }
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

bool ReplaceFileWhole(const std::string& hostPath, const std::string& text, mode_t mode)
{
    const std::string temporary = hostPath + ".restart";
    if (unlink(temporary.c_str()) != 0 && errno != ENOENT)
        return false;
    const int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    const bool written = WriteAll(fd, text) && fchmod(fd, mode & 07777) == 0 && SyncFile(fd);
    int err = errno;
    close(fd);
    const size_t slash = hostPath.find_last_of('/');
    if (written && std::rename(temporary.c_str(), hostPath.c_str()) == 0)
        return SyncFolder(slash == std::string::npos ? std::string(".") : hostPath.substr(0, slash + 1));
    err = written ? errno : err;
    unlink(temporary.c_str());
    errno = err;
    return false;
}

} // namespace win
