#include "ShareLock.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace win
{

bool IsInUse(const std::string& hostPath)
{
    const int fd = open(hostPath.c_str(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return false;
    bool inUse = false;
    if (flock(fd, LOCK_EX | LOCK_NB) != 0)
        inUse = errno == EWOULDBLOCK;
    close(fd); // releases the probe's own lock; other descriptions keep theirs
    return inUse;
}

} // namespace win
