#include "HostIo.h"

#include <cerrno>
#include <fcntl.h>
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

} // namespace win
