#include "MarkedList.h"

#include "HostIo.h"
#include "WinError.h"

#include <unistd.h>

namespace win
{

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
