// A list of restart-time operations in a locked host file, worked through in order. Each operation
// carried out is marked by one character over the start of its line, so an interrupted run leaves
// the rest to the next one. A mark may stay in the cache until makeDurable().
#pragma once

#include "ShareLock.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace win
{

struct SPendingOperation
{
    uint32_t flags = 0;
    std::string source; // full Windows path
    std::string target; // full Windows path; empty = delete the source
    int64_t offset = 0; // where its mark goes in the list
};

// True when the operations hold one on these paths (names compared as Windows compares them).
bool HoldsOperation(const std::vector<SPendingOperation>& operations, const std::string& source,
                    const std::string& target);

class CMarkedList
{
public:
    CMarkedList(const CMarkedList&) = delete;
    CMarkedList& operator=(const CMarkedList&) = delete;

    // Locks the list (waiting at most lockWaitMs for it) and reads the operations not yet carried
    // out; false, with the reason in the last error, when it cannot be read. What is not a regular
    // file (a folder, a FIFO) is refused at once, untouched (ERROR_ACCESS_DENIED and
    // notRegularFile()).
    virtual bool open(unsigned lockWaitMs = LOCK_WAIT_FOREVER) = 0;
    bool notRegularFile() const { return m_notRegularFile; }
    // Runs action under the list's lock, waited for as a registration waits, and only while the
    // operation on these paths is still pending there: once a restart has carried it out, what
    // action would undo is its result. True when action ran.
    bool runWhilePending(const std::string& source, const std::string& target,
                         const std::function<void()>& action);

    bool isOpen() const { return m_fd >= 0; }
    const std::vector<SPendingOperation>& operations() const { return m_operations; }
    bool markDone(const SPendingOperation& operation);
    bool makeDurable();

protected:
    explicit CMarkedList(char doneMark) : m_doneMark(doneMark) {}
    virtual ~CMarkedList();

    // Takes the list's descriptor as OpenAndLockWithin gave it; false, with the reason in the last
    // error (and errno kept), when it is -1.
    bool takeLockedFile(int fd);
    // Closes the list, unchanged, and drops what was read; returns false.
    bool abandon();
    // What open() does once the operations are read: marks that an interrupted run left
    // (anyDone) may still be in the cache only, so they are made durable first.
    bool opened(bool anyDone);

    const char m_doneMark;
    int m_fd = -1; // holds the lock
    std::vector<SPendingOperation> m_operations;

private:
    bool m_notRegularFile = false;
};

} // namespace win
