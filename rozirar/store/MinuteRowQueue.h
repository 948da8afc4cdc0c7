#pragma once

#include <deque>
#include <functional>

// Minute rows that could not be written yet (the file locked by another writer, read-only or
// full): kept in order and written, oldest first, before the next row and at every retry, so a
// lock or a passing failure loses no row. A day of rows is kept at most; older ones are dropped.
class CMinuteRowQueue
{
public:
    // Writes one row; true when it is stored.
    using FWriteRow = std::function<bool()>;

    static constexpr int MAX_PENDING_ROWS = 24 * 60;

    // Queues the row, then writes what is queued. True when nothing is left.
    bool write(FWriteRow fnRow);
    // Writes the queued rows in order until one fails. True when nothing is left.
    bool retry();
    int pendingRows() const { return int(m_rows.size()); }

private:
    std::deque<FWriteRow> m_rows;
};
