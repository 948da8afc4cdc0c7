#pragma once

#include "FanBase.h"
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

template <typename Entry> CLLProtocolWire* CFanBase::startLog(QVector<Entry>& entries, const char* entryName)
{
    CLLProtocolWire* wire = linkWire();
    if (!wire)
        return nullptr;
    entries.clear();
    qDebug() << "\n======================";
    const QByteArray sizeLine = "sizeof(" + QByteArray(entryName) + "): ";
    qDebug() << sizeLine.constData() << Entry::SIZE;
    return wire;
}

template <typename Entry>
bool CFanBase::takeLog(QVector<Entry>& entries, CLLProtocol& protocol, UINT8 code, int replySize,
                       const SLogReplyLayout& layout, int wanted, const QByteArray& context,
                       const char* logName)
{
    const QByteArray receiveFailed = context + ": Error getting the " + logName;
    const QByteArray wrongPacket = context + ": Received wrong packet";
    const QByteArray sizeMismatch = context + ": Packet size mismatch";
    const SReplyTexts texts = {receiveFailed.constData(), wrongPacket.constData(), sizeMismatch.constData()};
    const QByteArray where = context + ":";
    return takeLogReplies(
        entries, wanted, layout,
        [&](CLLProtocolPacket& reply) { return receiveReply(protocol, reply, code, replySize, texts); },
        where.constData());
}

template <typename Entry>
bool CFanBase::requestPrimLog(QVector<Entry>& entries, int replySize, const char* entryName,
                              const char* context)
{
    CLLProtocolWire* wire = startLog(entries, entryName);
    if (!wire)
        return false;
    const QByteArray where(context);
    if (!sendRequest(HLP_REPORT_PRIM_LOG))
    {
        qDebug() << (where + ": Error sending request for primary log").constData();
        return false;
    }
    CLLProtocol protocol(*wire);
    return takeLog(entries, protocol, HLP_REPORT_PRIM_LOG, replySize, {2, 4, 7}, -1, where, "primary log");
}

template <typename Entry>
bool CFanBase::requestSecLog(QVector<Entry>& entries, int span, UINT16 count, UINT16 first,
                             const char* entryName, const char* context)
{
    CLLProtocolWire* wire = startLog(entries, entryName);
    if (!wire)
        return false;
    SHLP_ReportSecLog request;
    request.m_TimeSpan = UINT8(span);
    request.m_First = first;
    request.m_Count = count;
    const auto bytes = request.encode();
    CLLProtocol protocol(*wire);
    const QByteArray where(context);
    if (!sendRecord(protocol, bytes.data(), UINT16(bytes.size())))
    {
        qDebug() << (where + ": Error sending request for secondary log").constData();
        return false;
    }
    // The reply has the request's size.
    return takeLog(entries, protocol, HLP_REPORT_SEC_LOG, SHLP_ReportSecLog::REQUEST_SIZE, {4, 6, 5, 1, span},
                   count, where, "secondary log");
}
