#include "HostIo.h"

#include <cerrno>
#include <unistd.h>

namespace win
{

bool ReadToEnd(int fd, std::string& text)
{
    char buffer[65536];
    for (;;)
    {
        const ssize_t n = read(fd, buffer, sizeof buffer);
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
        const ssize_t n = write(fd, bytes, size);
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

} // namespace win
