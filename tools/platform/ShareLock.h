// Windows sharing on the host. A program that holds a file open without letting others delete or
// replace it holds a flock() lock on it: LOCK_EX for "no sharing", LOCK_SH when it shares.
// Renaming or deleting such a file fails with ERROR_SHARING_VIOLATION, as on Windows.
#pragma once

#include <functional>
#include <string>
#include <sys/types.h>

namespace win
{

// True when some open handle (of any process, or another handle of this one) holds a flock() lock
// on the host file or folder.
bool IsInUse(const std::string& hostPath);

enum class ELockResult
{
    LOCKED,   // the lock is held and the descriptor is the file at the path
    BUSY,     // another handle holds a conflicting lock
    REPLACED, // the path names another file by now (or none): open it again
    FAILED,   // errno tells why
};

// Takes the flock() lock `operation` (LOCK_SH or LOCK_EX, with LOCK_NB not to wait) on fd, which
// was opened from hostPath. On Windows an open file cannot be replaced; here a rename can put another file in
// its place between the open and the lock, and whatever is written through fd would then be lost
// with the unlinked file. So the lock only counts when fd is still the file at the path.
ELockResult LockOpenedFile(int fd, const std::string& hostPath, int operation);

// Opens hostPath (open(2) flags and mode) without waiting, as the open or the read of a FIFO would
// wait for good, and refuses (EISDIR) what is not a regular file (a folder, a FIFO, a device). The
// test is made on what was opened, so nothing put in the path's place meanwhile escapes it. With
// O_PATH the descriptor only names the file; else it blocks as usual unless flags hold O_NONBLOCK.
// -1 (errno set) when it cannot be opened or is refused.
int OpenRegularFile(const std::string& hostPath, int flags, mode_t mode);

// Opens hostPath (open(2) flags and mode) and takes the lock `operation`, waiting for it; a file
// that another program put in the path's place meanwhile is opened again. What is not a regular
// file (a folder, a FIFO, a device) is refused at once, untouched, with EISDIR. -1 (errno set)
// when it cannot be opened or locked.
int OpenAndLock(const std::string& hostPath, int flags, mode_t mode, int operation);

// How long a registration waits for the lock of a list that other programs write too (the
// pending-operations list, wininit.ini), and the pause between two tries.
constexpr unsigned REGISTRATION_LOCK_WAIT_MS = 10000;
constexpr unsigned REGISTRATION_LOCK_PAUSE_MS = 20;

// OpenAndLock that waits for the lock at most waitMs (LOCK_WAIT_FOREVER: as OpenAndLock): while
// another handle holds it, the descriptor stays open and the lock is tried again after each
// pause. -1 with EWOULDBLOCK when the pauses have added up to waitMs.
constexpr unsigned LOCK_WAIT_FOREVER = ~0u;
int OpenAndLockWithin(const std::string& hostPath, int flags, mode_t mode, int operation, unsigned waitMs);

// Test seam: the pause of OpenAndLockWithin (by default it sleeps), so that tests decide when a
// waiting registration tries again.
using LockPauseFunction = void (*)(unsigned milliseconds);
void SetLockPauseFunction(LockPauseFunction pause);

// Test seam: runs in LockOpenedFile before the lock is taken, with the path.
void SetBeforeLockHook(std::function<void(const std::string&)> hook);

// Test seam: runs in OpenRegularFile right before the path is opened, with the path.
void SetBeforeOpenHook(std::function<void(const std::string&)> hook);

} // namespace win
