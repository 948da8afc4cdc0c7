#pragma once

#include "LinkTestSupport.h"

#include <QList>

// Replies and entries whose bytes are recognisable.
namespace UnitReplies
{
inline QByteArray zeros(int n)
{
    return QByteArray(n, '\0');
}

// Data of a reply: code, then `length - 1` bytes, each its own offset (so slices are recognisable).
inline QByteArray replyData(int code, int length)
{
    QByteArray d(length, '\0');
    d[0] = char(code);
    for (int i = 1; i < length; ++i)
        d[i] = char(i);
    return d;
}

// One second-log entry whose bytes all hold the value n.
inline QByteArray entryBytes(int n)
{
    return QByteArray(32, char(n));
}

// A second-log reply: span, entries still to come, and up to five entries (the rest zero).
inline QByteArray secLogReply(int span, int remaining, const QList<int>& entries)
{
    QByteArray d = LinkTest::bytes({20, span, 0, 0, remaining & 0xFF, remaining >> 8});
    for (int n : entries)
        d += entryBytes(n);
    return d + zeros(166 - d.size());
}

// A primary-log reply: entries still to come and up to seven state records of entrySize bytes.
inline QByteArray primLogReply(int remaining, const QList<int>& entries, int entrySize = 26)
{
    QByteArray d = LinkTest::bytes({15, 0, remaining & 0xFF, remaining >> 8});
    for (int n : entries)
        d += QByteArray(entrySize, char(n));
    return d + zeros(4 + 7 * entrySize - d.size());
}

} // namespace UnitReplies
