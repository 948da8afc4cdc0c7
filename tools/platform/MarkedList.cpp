#include "MarkedList.h"

#include "HostIo.h"
#include "WinError.h"
#include "WinPath.h"

#include <cerrno>
#include <unistd.h>

namespace win
{

bool HoldsOperation(const std::vector<SPendingOperation>& operations, const std::string& source,
                    const std::string& target)
{
    for (const SPendingOperation& operation : operations)
    {
        if (NamesEqual(operation.source, source) && NamesEqual(operation.target, target))
            return true;
    }
    return false;
}

bool CMarkedList::runWhilePending(const std::string& source, const std::string& target,
                                  const std::function<void()>& action)
{
    if (!open(REGISTRATION_LOCK_WAIT_MS) || !HoldsOperation(m_operations, source, target))
        return false;
    action();
    return true;
}

CMarkedList::~CMarkedList()
{
    if (m_fd >= 0)
        close(m_fd); // releases the lock
}

bool CMarkedList::markDone(const SPendingOperation& operation)
{
    return WriteByteAt(m_fd, operation.offset, m_doneMark) || FailFromErrno();
}

bool CMarkedList::makeDurable()
{
    return SyncFile(m_fd) || FailFromErrno();
}

bool CMarkedList::takeLockedFile(int fd)
{
    m_fd = fd;
    m_notRegularFile = fd < 0 && errno == EISDIR;
    return fd >= 0 || FailFromErrno();
}

bool CMarkedList::abandon()
{
    m_operations.clear();
    close(m_fd);
    m_fd = -1;
    return false;
}

bool CMarkedList::opened(bool anyDone)
{
    if (anyDone && !makeDurable())
        return abandon();
    SetLastError(ERROR_SUCCESS);
    return true;
}

} // namespace win
