#pragma once

// Rendering the unit's logs as fixed-width text for the updater's service panel.

#include "LLProtocolPacket.h"

#include <QString>
#include <QVector>

// Names of the values in the logs; a value outside a table gives its fallback.
const char* operationModeName(quint8 mode); // fallback "??"
const char* ventSelectionName(quint8 vent); // fallback " ?? "
const char* errorCodeName(quint8 error);    // fallback "??"
const char* ventPositionName(int position); // fallback "????"
QString ventSelectionText(quint8 vent);

namespace LogText
{
// A value written into a cell pattern holding "%1", right-aligned in `width` with blanks on the
// left (never cut); width 0 leaves a text unpadded.
QString cell(const char* pattern, qint64 value, int width);
QString fixedCell(const char* pattern, double value, int width); // three decimals
QString textCell(const char* pattern, const char* text, int width);

// Square metres of a room-area code; 0 beyond the table.
int roomArea(int code);
// Minutes, hours or days in a span (15, 24, 30); -1 for a span the logs do not have.
int spanTotal(int span);

// The entries of a second-log ring that one rendering asks for.
struct SSecLogWindow
{
    UINT16 count = 0;
    UINT16 first = 0;
};
// From the ring's capacity, stored count and first index; the first flag set wins, none means
// every stored entry.
SSecLogWindow secLogWindow(UINT16 capacity, UINT16 count, UINT16 start, bool youngest10, bool youngest100,
                           bool oldest10, bool oldest100);

// Fields of one primary-log entry (a current-state record) as the unit sends it.
class CEntryBytes
{
public:
    explicit CEntryBytes(const quint8* bytes) : m_pBytes(bytes) {}

    int byte(int n) const { return m_pBytes[n]; }
    // Bits lo to hi of byte n, as an unsigned number.
    int bits(int n, int lo, int hi) const { return (m_pBytes[n] >> lo) & ((1 << (hi - lo + 1)) - 1); }
    int s8(int n) const { return qint8(m_pBytes[n]); }
    int u16(int n) const { return m_pBytes[n] | (m_pBytes[n + 1] << 8); }
    int s16(int n) const { return qint16(u16(n)); }
    // Signed 11-bit value: low 8 bits byte lo, high 3 bits bits 0-2 of byte hi.
    int s11(int lo, int hi) const { return signExtend(byte(lo) | (bits(hi, 0, 2) << 8), 11); }
    // Signed 10-bit value: low 8 bits byte lo, high 2 bits bits 0-1 of byte hi.
    int s10(int lo, int hi) const { return signExtend(byte(lo) | (bits(hi, 0, 1) << 8), 10); }

    static int signExtend(int value, int width)
    {
        return (value & (1 << (width - 1))) ? value - (1 << width) : value;
    }

private:
    const quint8* m_pBytes;
};

// Unit texts of the second-log heading, by span.
struct SSecLogUnits
{
    const char* time;
    const char* air;
    const char* water;
    const char* energy;
};
// The third heading line with its placeholders filled: every %1 the time unit, %2 the air unit,
// %3 the water unit, %4 the energy unit.
QString unitHeading(const char* line, const SSecLogUnits& units);

// What a unit type puts around its primary-log lines.
struct SPrimaryLogFrame
{
    const char* heading1;
    const char* heading2;
    const char* noLogs; // the whole text when the log cannot be fetched
};

// The primary log as text: `line(k, CEntryBytes)` renders entry k.
template <typename Entry, typename Line>
QString primaryLogText(bool fetched, const QVector<Entry>& entries, const SPrimaryLogFrame& frame, Line line)
{
    if (!fetched)
        return QString::fromUtf8(frame.noLogs);
    QString text = QStringLiteral("\nPrimary Log:\n");
    text += QString::fromUtf8(frame.heading1);
    text += QString::fromUtf8(frame.heading2);
    for (int k = 0; k < entries.size(); ++k)
        text += line(k, CEntryBytes(entries[k].m_Bytes));
    return text;
}

// What a unit type puts around its second-log lines.
struct SSecondaryLogFrame
{
    const char* heading1;
    const char* heading2;
    const char* heading3;      // with the placeholders of unitHeading
    const SSecLogUnits* units; // by span, three of them
    const char* noLogs;        // the whole text when the entries cannot be fetched
};

// Which entries of which span to show.
struct SSecLogRequest
{
    int span;
    bool youngest10;
    bool youngest100;
    bool oldest10;
    bool oldest100;
};

// The second log of one span as text, youngest line last: asks the unit for its ring counters and
// the requested window, and renders entry i with `line(i, entry, span total)`.
template <typename Entry, typename Span, typename Fan, typename Line>
QString secondaryLogText(Fan& fan, const SSecLogRequest& request, const QString& spanTitle,
                         const SSecondaryLogFrame& frame, Line line)
{
    QString text = QStringLiteral("\nSecondary Log:");
    const int span = request.span;
    const int total = spanTotal(span);
    if (total < 0) // a span the unit does not log: nothing to ask for
        return QString::fromUtf8(frame.noLogs);
    UINT16 capacity[3] = {}, count[3] = {}, start[3] = {};
    if (!fan.getSecLogCnt(capacity, count, start))
        return text + QStringLiteral("getSecLogCnt failed!\n");
    const SSecLogWindow window = secLogWindow(capacity[span], count[span], start[span], request.youngest10,
                                              request.youngest100, request.oldest10, request.oldest100);
    QVector<Entry> entries;
    if (!fan.getSecLog(entries, Span(span), window.count, window.first))
        return QString::fromUtf8(frame.noLogs);
    text += spanTitle + QLatin1String("\n");
    text += QString::fromUtf8(frame.heading1);
    text += QString::fromUtf8(frame.heading2);
    text += unitHeading(frame.heading3, frame.units[span]);
    for (int i = entries.size() - 1; i >= 0; --i)
        text += line(i, entries[i], total);
    return text;
}
} // namespace LogText
