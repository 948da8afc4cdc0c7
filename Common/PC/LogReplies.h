#pragma once

#include "LLProtocolPacket.h"

#include <QDebug>
#include <QVector>
#include <cstring>

// Where a log reply keeps its count and its entries.
struct SLogReplyLayout
{
    int countOffset;     // 16-bit count of the entries still to come, this reply's included
    int entriesOffset;   // the first entry slot
    int entriesPerReply; // slots per reply; the first min(count, slots) are valid
    int spanOffset = -1; // where a second-log reply echoes the requested span; -1: no echo
    int span = 0;        // the requested span
};

// Takes the entries of the run of replies that answers one log request. receive(reply) gets the
// next reply and checks it. The count still to come must fall by a reply's worth each time, or a
// unit that repeats itself would hold us forever; at most `wanted` entries are kept (-1: all).
template <typename Entry, typename ReceiveFn>
bool takeLogReplies(QVector<Entry>& entries, int wanted, const SLogReplyLayout& layout, ReceiveFn receive,
                    const char* context)
{
    int previous = -1;
    for (;;)
    {
        CLLProtocolPacket reply;
        if (!receive(reply))
            return false;
        const UINT8* data = reply.GetData();
        if (layout.spanOffset >= 0 && data[layout.spanOffset] != layout.span)
        {
            qDebug() << context << "time span mismatche!";
            qDebug() << "Expected: " << layout.span << ", received: " << int(data[layout.spanOffset]);
            return false;
        }
        const int remaining = LE::GetU16(data + layout.countOffset);
        if (remaining == 0)
            return true;
        if (previous >= 0 && remaining > previous - layout.entriesPerReply)
        {
            qDebug() << context << "count of entries to come did not fall:" << previous << "then"
                     << remaining;
            return false;
        }
        const int inReply = qMin(remaining, layout.entriesPerReply);
        for (int i = 0; i < inReply; ++i)
        {
            if (wanted >= 0 && entries.size() >= wanted)
            {
                qDebug() << context << "more entries sent than asked for; kept" << wanted;
                break;
            }
            Entry entry;
            std::memcpy(entry.m_Bytes, data + layout.entriesOffset + i * Entry::SIZE, Entry::SIZE);
            entries.append(entry);
        }
        if (remaining <= layout.entriesPerReply)
            return true;
        previous = remaining;
    }
}
