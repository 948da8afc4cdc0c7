#include "MinuteRowQueue.h"

#include <QDebug>

bool CMinuteRowQueue::write(FWriteRow fnRow)
{
    m_rows.push_back(std::move(fnRow));
    if (int(m_rows.size()) > MAX_PENDING_ROWS)
    {
        qWarning() << "CMinuteRowQueue: the oldest unwritten minute row is dropped";
        m_rows.pop_front();
    }
    return retry();
}

bool CMinuteRowQueue::retry()
{
    while (!m_rows.empty())
    {
        if (!m_rows.front()())
            return false;
        m_rows.pop_front();
    }
    return true;
}
