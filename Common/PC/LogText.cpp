#include "LogText.h"

#include <iterator>

namespace
{
const char* const OPERATION_MODE_NAMES[] = {"AutoStd",   "AutoAlt", "Sleep", "Turbo",
                                            "TurboCool", "Service", "Test"};
const char* const VENT_SELECTION_NAMES[] = {"None", "Bypa", "Supp"};
const char* const ERROR_CODE_NAMES[] = {
    "OK",
    "Filter old",
    "Filter dirty",
    "General error",
    "Error TSup",
    "Error TOut",
    "Error HOut",
    "Error TExh",
    "Error TExt",
    "Error HExt",
    "Error CO2",
    "Error Pres",
    "Error Vent Extract",
    "Error Vent Bath",
    "Error Vent Supply",
    "Error Vent Bypass",
    "Error Fan Extract",
    "Error Fan Supply",
    "Error DIP switch",
    "?Detail on press??",
    "CO2 too high",
    "Fire",
    "Wlan Error",
};
static_assert(std::size(ERROR_CODE_NAMES) == 23, "error codes 0 to 22");

// Four characters each: unknown, 24 timed positions, closed, the angles, open.
const char* const VENT_POSITION_NAMES[] = {
    "UNKN", "T 00", "T 01", "T 02", "T 03", "T 04", "T 05", "T 06", "T 07", "T 08", "T 09",
    "T 10", "T 11", "T 12", "T 13", "T 14", "T 15", "T 16", "T 17", "T 18", "T 19", "T 20",
    "T 21", "T 22", "T 23", "CLOS", " 15°", " 30°", " 45°", " 60°", " 75°", "OPEN",
};
static_assert(std::size(VENT_POSITION_NAMES) == 32, "vent positions 0 to 31");

const int ROOM_AREAS[] = {20, 25, 35, 45, 60, 75};

template <std::size_t N> const char* lookup(const char* const (&table)[N], int value, const char* fallback)
{
    return value >= 0 && value < int(N) ? table[value] : fallback;
}
} // namespace

const char* operationModeName(quint8 mode)
{
    return lookup(OPERATION_MODE_NAMES, mode, "??");
}

const char* ventSelectionName(quint8 vent)
{
    return lookup(VENT_SELECTION_NAMES, vent, " ?? ");
}

const char* errorCodeName(quint8 error)
{
    return lookup(ERROR_CODE_NAMES, error, "??");
}

const char* ventPositionName(int position)
{
    return lookup(VENT_POSITION_NAMES, position, "????");
}

QString ventSelectionText(quint8 vent)
{
    return QString::fromUtf8(ventSelectionName(vent));
}

namespace LogText
{
QString cell(const char* pattern, qint64 value, int width)
{
    return QString::fromUtf8(pattern).arg(value, width);
}

QString fixedCell(const char* pattern, double value, int width)
{
    return QString::fromUtf8(pattern).arg(value, width, 'f', 3);
}

QString textCell(const char* pattern, const char* text, int width)
{
    return QString::fromUtf8(pattern).arg(QString::fromUtf8(text), width);
}

int roomArea(int code)
{
    return code >= 0 && code < int(std::size(ROOM_AREAS)) ? ROOM_AREAS[code] : 0;
}

int spanTotal(int span)
{
    static const int TOTALS[] = {15, 24, 30};
    return span >= 0 && span < int(std::size(TOTALS)) ? TOTALS[span] : -1;
}

// Ring arithmetic in 16 bits, as the unit counts.
SSecLogWindow secLogWindow(UINT16 capacity, UINT16 count, UINT16 start, bool youngest10, bool youngest100,
                           bool oldest10, bool oldest100)
{
    UINT16 end = UINT16(start + count);
    if (capacity <= end)
        end = UINT16(start + count - capacity);
    // The oldest window ends at `end` itself.
    auto oldest = [&](UINT16 size) -> SSecLogWindow {
        return {size, UINT16(end > size - 2 ? end - (size - 1) : end + capacity - (size - 1))};
    };
    if (youngest10)
        return {10, start};
    if (youngest100)
        return {100, start};
    if (oldest10)
        return oldest(10);
    if (oldest100)
        return oldest(100);
    return {count, start};
}

QString unitHeading(const char* line, const SSecLogUnits& units)
{
    // One pass, so a unit text cannot be taken for a placeholder.
    const QString text = QString::fromUtf8(line);
    QString out;
    for (int i = 0; i < text.size(); ++i)
    {
        if (text[i] == '%' && i + 1 < text.size() && text[i + 1] >= '1' && text[i + 1] <= '4')
        {
            const char* const unit[] = {units.time, units.air, units.water, units.energy};
            out += QString::fromUtf8(unit[text[i + 1].unicode() - '1']);
            ++i;
            continue;
        }
        out += text[i];
    }
    return out;
}
} // namespace LogText
