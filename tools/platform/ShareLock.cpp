#include "ShareLock.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace win
{

namespace
{

std::function<void(const std::string&)>& BeforeLockHook()
{
    static std::function<void(const std::string&)> hook;
    return hook;
}

std::function<void(const std::string&)>& BeforeOpenHook()
{
    static std::function<void(const std::string&)> hook;
    return hook;
}

void RealPause(unsigned milliseconds)
{
    usleep(useconds_t(milliseconds) * 1000);
}

LockPauseFunction g_lockPause = &RealPause;

} // namespace

int OpenRegularFile(const std::string& hostPath, int flags, mode_t mode)
{
    if (BeforeOpenHook())
        BeforeOpenHook()(hostPath);
    const int fd = open(hostPath.c_str(), flags | O_NONBLOCK | O_CLOEXEC, mode);
    if (fd < 0)
    {
        if (errno == ENXIO || errno == ENODEV) // a socket, or a device without its driver
            errno = EISDIR;
        return -1;
    }
    struct stat st;
    int err = 0;
    if (fstat(fd, &st) != 0)
        err = errno;
    else if (!S_ISREG(st.st_mode))
        err = EISDIR;
    else if (!(flags & (O_NONBLOCK | O_PATH)) && fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0)
        err = errno;
    if (err == 0)
        return fd;
    close(fd);
    errno = err;
    return -1;
}

int OpenAndLockWithin(const std::string& hostPath, int flags, mode_t mode, int operation, unsigned waitMs)
{
    // bounded, so that a path replaced again and again ends in a failure rather than a loop
    constexpr int kAttempts = 100;
    const bool forever = waitMs == LOCK_WAIT_FOREVER;
    unsigned waited = 0;
    for (int attempt = 1; attempt <= kAttempts; ++attempt)
    {
        const int fd = OpenRegularFile(hostPath, flags, mode);
        if (fd < 0)
            return -1;
        ELockResult lock;
        while ((lock = LockOpenedFile(fd, hostPath, forever ? operation : operation | LOCK_NB)) ==
                   ELockResult::BUSY &&
               !forever && waited < waitMs)
        {
            g_lockPause(REGISTRATION_LOCK_PAUSE_MS);
            waited += REGISTRATION_LOCK_PAUSE_MS;
        }
        if (lock == ELockResult::LOCKED)
            return fd;
        const int err = errno;
        close(fd);
        if (lock != ELockResult::REPLACED)
        {
            errno = lock == ELockResult::BUSY ? EWOULDBLOCK : err;
            return -1;
        }
    }
    errno = EWOULDBLOCK;
    return -1;
}

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

ELockResult LockOpenedFile(int fd, const std::string& hostPath, int operation)
{
    if (BeforeLockHook())
        BeforeLockHook()(hostPath);
    if (flock(fd, operation) != 0)
        return errno == EWOULDBLOCK ? ELockResult::BUSY : ELockResult::FAILED;
    struct stat held, named;
    if (fstat(fd, &held) != 0)
        return ELockResult::FAILED;
    if (stat(hostPath.c_str(), &named) != 0 || held.st_dev != named.st_dev || held.st_ino != named.st_ino)
    {
        flock(fd, LOCK_UN);
        return ELockResult::REPLACED;
    }
    return ELockResult::LOCKED;
}

int OpenAndLock(const std::string& hostPath, int flags, mode_t mode, int operation)
{
    return OpenAndLockWithin(hostPath, flags, mode, operation, LOCK_WAIT_FOREVER);
}

void SetLockPauseFunction(LockPauseFunction pause)
{
    g_lockPause = pause ? pause : &RealPause;
}

void SetBeforeLockHook(std::function<void(const std::string&)> hook)
{
    BeforeLockHook() = std::move(hook);
}

void SetBeforeOpenHook(std::function<void(const std::string&)> hook)
{
    BeforeOpenHook() = std::move(hook);
}

} // namespace win
