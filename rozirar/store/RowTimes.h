#pragma once

#include "LocalTimeParser.h"

#include <QString>

// The stored time stamp of each row of a file, in file order, from the local time it shows.
// Second-log entries sit in the middle of their span, which a file shows only to the minute.
class CRowTimes
{
public:
    enum EResult
    {
        RT_OK,
        RT_MALFORMED,
        RT_NONEXISTENT,  // skipped where the clocks go forward
        RT_OUT_OF_RANGE, // before 1970 or beyond what unsigned 32-bit seconds hold
    };

    // nTimeSpan: -1 for minute rows; nDirection: the way the first rows run (1, -1, or 0 unknown).
    CRowTimes(int nTimeSpan, int nDirection);
    // The stamp of the next row, which is not the same row as the one before.
    EResult stampOf(const QString& strText, qint64* pStamp);

    static const qint64 LAST_STAMP = Q_INT64_C(0xFFFFFFFF);

private:
    CLocalTimeParser m_parser;
    int m_nTimeSpan;
    QString m_strPrevious;
    qint64 m_nPreviousStamp = 0;
    // The instant the previous text's rows have not taken yet, where the clocks went back.
    qint64 m_nOther = 0;
    bool m_bOtherFree = false;
};
