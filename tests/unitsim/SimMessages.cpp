#include "SimMessages.h"

namespace unitsim
{
namespace
{
using Replies = QList<QByteArray>;

quint32 get(const QByteArray& r, int offset, int bytes)
{
    quint32 v = 0;
    for (int i = 0; i < bytes; ++i)
        if (offset + i < r.size())
            v |= quint32(quint8(r[offset + i])) << (8 * i);
    return v;
}

void put(QByteArray& r, int offset, quint32 value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        r[offset + i] = char((value >> (8 * i)) & 0xFF);
}

QByteArray reply(quint8 code, int size)
{
    QByteArray r(size, '\0');
    r[0] = char(code);
    return r;
}

bool is100(const SSimUnitModel& m)
{
    return m.type == EUnitType::TolVane100;
}

// Runs of records in packets of `perReply` entries: each packet carries the number of records
// still to come, its own included; no records still makes one packet that says 0.
Replies chunked(const QList<QByteArray>& records, int perReply, int replySize, quint8 code, int countOffset,
                int countBytes, int firstSlot, int slotSize, const QByteArray& head = QByteArray())
{
    Replies out;
    int sent = 0;
    do
    {
        QByteArray r = reply(code, replySize);
        r.replace(0, head.size(), head);
        put(r, countOffset, quint32(records.size() - sent), countBytes);
        for (int slot = 0; slot < perReply && sent < records.size(); ++slot, ++sent)
            r.replace(firstSlot + slot * slotSize, slotSize,
                      records[sent].leftJustified(slotSize, '\0', true));
        out.append(r);
    } while (sent < records.size());
    return out;
}

Replies ident(SSimUnitModel& m, const QByteArray&)
{
    return {encodeIdent(m.ident, m.type)};
}

Replies setSerialNumber(SSimUnitModel& m, const QByteArray& req)
{
    m.ident.serialNumber = get(req, 1, 4);
    return {};
}

Replies uploadModeBegin(SSimUnitModel& m, const QByteArray&)
{
    m.uploadMode = true;
    return {};
}

Replies uploadModeEnd(SSimUnitModel& m, const QByteArray&)
{
    m.uploadMode = false;
    return {};
}

Replies swapBootloaders(SSimUnitModel& m, const QByteArray&)
{
    ++m.bootloaderSwaps;
    // A unit in a bootloader runs the other one from now on.
    if (m.ident.runningPart == 1 || m.ident.runningPart == 2)
        m.ident.runningPart = quint8(3 - m.ident.runningPart);
    QByteArray r = reply(MSG_SWAP_BOOTLOADERS_REPLY, SWAP_REPLY);
    r[1] = char(m.swapReturnCode);
    put(r, 2, m.flashSecurityBits, 2);
    return {r};
}

Replies partitionTable(SSimUnitModel& m, const QByteArray&)
{
    const QByteArray table = m.partitions.leftJustified(PARTITION_COUNT * PARTITION_ENTRY_SIZE, '\0', true);
    return {table.left(PARTITION_REPLY), table.mid(PARTITION_REPLY, PARTITION_REPLY)};
}

Replies uploadStart(SSimUnitModel& m, const QByteArray& req)
{
    m.uploadRecords.append(req);
    SSimUploadedBlock block;
    block.header = req;
    block.runningPart = m.ident.runningPart;
    m.uploadedBlocks.append(block);
    return {};
}

Replies uploadData(SSimUnitModel& m, const QByteArray& req)
{
    m.uploadRecords.append(req);
    if (m.uploadedBlocks.isEmpty() || m.uploadedBlocks.last().ended)
        return {}; // data outside a block is not written
    SSimUploadedBlock& block = m.uploadedBlocks.last();
    const int length = int(get(req, 2, 2));
    const qint64 offset = qint64(get(req, 4, 4)) - block.address();
    block.chunkLengths.append(length);
    if (offset < 0 || length > req.size() - 8)
        return {};
    const QByteArray chunk = req.mid(8, length);
    if (block.data.size() < offset + length)
        block.data.resize(int(offset + length));
    block.data.replace(int(offset), length, chunk);
    return {};
}

Replies uploadEnd(SSimUnitModel& m, const QByteArray& req)
{
    m.uploadRecords.append(req);
    if (!m.uploadedBlocks.isEmpty())
        m.uploadedBlocks.last().ended = true;
    return {};
}

Replies moveVent(SSimUnitModel& m, const QByteArray& req)
{
    if (is100(m))
        m.ventMoves.append(req);
    return {};
}

Replies reportMemory(SSimUnitModel& m, const QByteArray& req)
{
    const quint32 address = get(req, 1, 4);
    const int length = int(qMin<quint32>(get(req, 5, 4), MEMORY_REPLY_MAX - 1));
    QByteArray r = reply(MSG_REPORT_MEMORY, 1 + length);
    for (int i = 0; i < length; ++i)
    {
        const qint64 at = qint64(address) + i - m.memoryBase;
        if (at >= 0 && at < m.memory.size())
            r[1 + i] = m.memory[int(at)];
    }
    return {r};
}

Replies counters(SSimUnitModel& m, const QByteArray&)
{
    QList<QByteArray> values;
    for (quint32 v : m.counters)
    {
        QByteArray b(4, '\0');
        put(b, 0, v, 4);
        values.append(b);
    }
    return chunked(values, COUNTERS_PER_REPLY, COUNTERS_REPLY, MSG_COUNTERS, 1, 4, 5, 4);
}

Replies timer(SSimUnitModel& m, const QByteArray&)
{
    QByteArray r = reply(MSG_TIMER, TIMER_REPLY);
    put(r, 1, m.timerDay, 2);
    r[3] = char(m.timerHour);
    r[4] = char(m.timerMinute);
    r[5] = char(m.timerSecond);
    put(r, 6, m.timerMillisecond, 2);
    return {r};
}

Replies primLog(SSimUnitModel& m, const QByteArray&)
{
    const int size = m.stateRecordSize();
    return chunked(m.primLog, PRIM_LOG_PER_REPLY, is100(m) ? PRIM_LOG_REPLY_100 : PRIM_LOG_REPLY_PLUS,
                   MSG_PRIM_LOG, 2, 2, 4, size);
}

Replies simulation(SSimUnitModel& m, const QByteArray& req)
{
    m.lastSimulationValues = req;
    return {};
}

Replies startApplication(SSimUnitModel& m, const QByteArray&)
{
    m.ident.runningPart = 3;
    return {};
}

Replies startupMode(SSimUnitModel& m, const QByteArray& req)
{
    m.startupMode = int(get(req, 1, 1));
    return {};
}

Replies state(SSimUnitModel& m, const QByteArray&)
{
    QByteArray r = reply(MSG_STATE, 2 + m.stateRecordSize());
    r.replace(2, m.stateRecordSize(), m.state.leftJustified(m.stateRecordSize(), '\0', true));
    return {r};
}

// Entries from `first` on, wrapping at the ring's end; never more than the ring holds.
Replies secLog(SSimUnitModel& m, const QByteArray& req)
{
    const quint8 span = quint8(get(req, 1, 1));
    QList<QByteArray> entries;
    if (span < SPAN_COUNT)
    {
        const SSecLogRing& ring = m.secLogs[span];
        const int first = int(get(req, 2, 2));
        const int count = qMin(int(get(req, 4, 2)), int(ring.used));
        for (int i = 0; i < count; ++i)
            entries.append(ring.entries[(first + i) % ring.size()]);
    }
    QByteArray head(2, '\0');
    head[0] = char(MSG_SEC_LOG);
    head[1] = char(span);
    return chunked(entries, SEC_LOG_PER_REPLY, SEC_LOG_REPLY, MSG_SEC_LOG, 4, 2, 6, SEC_LOG_ENTRY_SIZE, head);
}

Replies eraseSecLog(SSimUnitModel& m, const QByteArray& req)
{
    const quint8 span = quint8(get(req, 1, 1));
    if (span < SPAN_COUNT)
        m.secLogs[span].erase();
    return {};
}

Replies average(SSimUnitModel& m, const QByteArray&)
{
    ++m.averageRequests;
    return {};
}

Replies checkSecLog(SSimUnitModel& m, const QByteArray& req)
{
    const quint8 span = quint8(get(req, 1, 1));
    QByteArray r = reply(MSG_CHECK_SEC_LOG, CHECK_REPLY);
    r[1] = char(span);
    r[2] = char(span < SPAN_COUNT ? m.secLogCheck[span] : 0xFF);
    return {r};
}

Replies secLogCount(SSimUnitModel& m, const QByteArray&)
{
    QByteArray r = reply(MSG_SEC_LOG_COUNT, SEC_LOG_COUNT_REPLY);
    for (int span = 0; span < SPAN_COUNT; ++span)
    {
        put(r, 2 + 2 * span, m.secLogs[span].size(), 2);
        put(r, 8 + 2 * span, m.secLogs[span].used, 2);
        put(r, 14 + 2 * span, m.secLogs[span].oldest, 2);
    }
    return {r};
}

Replies vents(SSimUnitModel& m, const QByteArray&)
{
    if (!is100(m))
        return {};
    QByteArray r = reply(MSG_VENTS, VENT_REPLY);
    r.replace(2, VENT_REPLY - 2, m.vents.leftJustified(VENT_REPLY - 2, '\0', true));
    return {r};
}

Replies wifi(SSimUnitModel& m, const QByteArray&)
{
    if (!is100(m))
        return {};
    QByteArray r = reply(MSG_WIFI, WIFI_REPLY);
    r[1] = char(m.wifiStatus);
    r[2] = char(m.wifiRssi);
    r.replace(3, WIFI_REPLY - 3, m.wifiRest.leftJustified(WIFI_REPLY - 3, '\0', true));
    return {r};
}

Replies singleCounter(SSimUnitModel& m, const QByteArray& req)
{
    const quint8 id = quint8(get(req, 1, 1));
    const quint8 action = quint8(get(req, 2, 1));
    QByteArray r = reply(MSG_SINGLE_COUNTER, SINGLE_COUNTER_REPLY);
    r[1] = char(id);
    r[2] = char(action);
    if (id >= m.counters.size() || action > 1)
    {
        r[2] = char(2);
        put(r, 3, 0xFFFFFFFF, 4);
        return {r};
    }
    if (action == 1)
        m.counters[id] = get(req, 3, 4);
    put(r, 3, m.counters[id], 4);
    return {r};
}

// The outcome shows later in the Wi-Fi status: 3/5 for an update/delete that worked, 4/6 otherwise.
Replies credentials(SSimUnitModel& m, const QByteArray& req)
{
    if (!is100(m))
        return {};
    m.lastCredentials = req;
    const bool remove = get(req, 72, 1) == 1;
    m.wifiStatus = quint8((remove ? 5 : 3) + (m.wifiCredentialsFail ? 1 : 0));
    return {};
}

struct SHandler
{
    quint8 code;
    Replies (*answer)(SSimUnitModel&, const QByteArray&);
};

const SHandler HANDLERS[] = {
    {MSG_IDENT, ident},
    {MSG_SET_SERIAL_NUMBER, setSerialNumber},
    {MSG_UPLOAD_MODE_BEGIN, uploadModeBegin},
    {MSG_UPLOAD_MODE_END, uploadModeEnd},
    {MSG_SWAP_BOOTLOADERS, swapBootloaders},
    {MSG_UPLOAD_START, uploadStart},
    {MSG_UPLOAD_DATA, uploadData},
    {MSG_UPLOAD_END, uploadEnd},
    {MSG_PARTITION_TABLE, partitionTable},
    {MSG_REPORT_MEMORY, reportMemory},
    {MSG_COUNTERS, counters},
    {MSG_TIMER, timer},
    {MSG_PRIM_LOG, primLog},
    {MSG_SIMULATION, simulation},
    {MSG_START_APPLICATION, startApplication},
    {MSG_STARTUP_MODE, startupMode},
    {MSG_STATE, state},
    {MSG_SEC_LOG, secLog},
    {MSG_ERASE_SEC_LOG, eraseSecLog},
    {MSG_AVERAGE, average},
    {MSG_CHECK_SEC_LOG, checkSecLog},
    {MSG_SEC_LOG_COUNT, secLogCount},
    {MSG_VENTS, vents},
    {MSG_WIFI, wifi},
    {MSG_SINGLE_COUNTER, singleCounter},
    {MSG_MOVE_VENT, moveVent},
    {MSG_CREDENTIALS, credentials},
};
} // namespace

QList<QByteArray> answerMessage(SSimUnitModel& model, const QByteArray& request)
{
    if (request.isEmpty())
        return {};
    for (const SHandler& h : HANDLERS)
        if (h.code == quint8(request[0]))
            return h.answer(model, request);
    return {};
}
} // namespace unitsim
