// A list of restart-time operations in a locked host file, worked through in order. Each operation
// carried out is marked by one character over the start of its line, so an interrupted run leaves
// the rest to the next one. A mark may stay in the cache until makeDurable().
#pragma once

#include <cstdint>
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

class CMarkedList
{
public:
    CMarkedList(const CMarkedList&) = delete;
    CMarkedList& operator=(const CMarkedList&) = delete;

    bool isOpen() const { return m_fd >= 0; }
    const std::vector<SPendingOperation>& operations() const { return m_operations; }
    bool markDone(const SPendingOperation& operation);
    bool makeDurable();

protected:
    explicit CMarkedList(char doneMark) : m_doneMark(doneMark) {}
    ~CMarkedList();

    // Closes the list, unchanged, and drops what was read; returns false.
    bool abandon();
    // What open() does once the operations are read: marks that an interrupted run left
    // (anyDone) may still be in the cache only, so they are made durable first.
    bool opened(bool anyDone);

    const char m_doneMark;
    int m_fd = -1; // holds the lock
    std::vector<SPendingOperation> m_operations;
};

} // namespace win
