// The updater's part of CFan_70_PC: the logs as text.

#include "Fan_70_PC.h"
#include "LogText.h"

#include <QDebug>
#include <iterator>

using namespace LogText;

namespace
{
const char* const PRIM_HEADING_1 = "Log,  TExt,    TOut,HExt,HSup,CO2Ex,CO2Su,  HTExt,  HTSup,HUEx,HUSu,Com, "
                                   "Sum, Fan,  Flow,SBFlow,  RPM,   "
                                   "State,   Fan    Ventil, Room,   IntEr, IntEr, IntEr, Error  \n";
const char* const PRIM_HEADING_2 = "   ,    °C,      °C,   %,   %,  ppm,  ppm,     °C,     °C,   %,   %,Lev, "
                                   "Coo, Speed,m³/h,                "
                                   "         State, Reason, Area,   File , Line , Code ,         \n";
const char* const SEC_HEADING_1 =
    " Log,  TExt,TSup,HExt,HOut, CO2E, CO2S, Comfort Level, Operation Mode, -- Reduced Ventilation , "
    "Ventilation Reason --------, Flow Values -------, Acc, --SW Warnings-- , Error\n";
const char* const SEC_HEADING_2 =
    "                                        1, 2, 3, 4, 5, Auto, Ser, Trb, HumInp,HumCO2Inp,CO2Inp, "
    "Min,AbsHum,RelHum,Cool, CO2, Air  , Water, EnCol, Cnt, File, Line, Code,      \n";
const char* const SEC_HEADING_3 = "    ,   °C , °C , %  ,  % ,  log,  log,    ,       %1      ,    %1        "
                                  ",    %1     ,  %2,    %3, %4     \n";
const SSecLogUnits SEC_UNITS[] = {
    {"  Minutes", "1/4m³", "   g  ", " 0.333Km³ "},
    {" Hours   ", "32m³", "128g  ", "  42.7Km³ "},
    {"  Days   ", " 1024m³", "4096g ", " 1365Km³  "},
};

const char* const STATE_NAMES[] = {"Auto", "Turbo", "Service", "Test", "Manufacturer"};
const char* const FAN_STATE_NAMES[] = {"Normal", "Back", "CDown", "CDownB", "NorNoM", "BackNoM"};
constexpr int STATE_SERVICE = 2;
constexpr int SUMMER_COOLING_ABSENT = 3; // byte 22 bits 1-3: the unit has no summer cooling

template <std::size_t N> const char* name(const char* const (&table)[N], int value)
{
    return value < int(N) ? table[value] : "??";
}

QString primaryLine(int k, const CEntryBytes& e, const char* reason)
{
    QString line = cell("%1: ", k, 3);
    line += fixedCell("%1,", e.s11(6, 7) * 0.125, 6);
    line += fixedCell("%1,", e.s11(0, 1) * 0.125, 7);
    line += cell("%1,", e.bits(11, 0, 6), 4);
    line += cell("%1,", e.bits(10, 0, 6), 4);
    line += cell("%1,", e.byte(20), 5);
    line += cell("%1,", e.byte(21), 5);
    line += fixedCell("%1,", e.s10(4, 5) * 0.25, 7);
    line += fixedCell("%1,", (4 * e.byte(15) + e.bits(14, 6, 7)) * 0.25, 7);
    line += cell("%1,", e.bits(2, 0, 6), 4);
    line += cell("%1,", e.bits(2, 7, 7) + 2 * e.bits(3, 0, 5), 4);
    const int state = e.bits(14, 3, 5);
    if (state == STATE_SERVICE)
        line += cell("%1,", e.bits(13, 3, 6) + 1, 4);
    else
        line += cell("%1,", e.bits(14, 0, 2) + 1, 3);
    if (e.bits(22, 1, 3) == SUMMER_COOLING_ABSENT)
        line += QLatin1String("  --,");
    else
        line += cell("%1,", e.bits(13, 7, 7), 4);
    line += cell("%1,", CEntryBytes::signExtend(e.bits(8, 7, 7) | (e.bits(9, 0, 6) << 1), 8), 4);
    line += cell("%1,", e.s8(23), 6);
    line += cell("%1,", e.bits(8, 0, 6), 6);
    line += cell("%1,", e.byte(16) + 256 * e.bits(17, 0, 3), 5);
    line += textCell("%1,", name(STATE_NAMES, state), 8);
    line += textCell("%1,", name(FAN_STATE_NAMES, e.bits(7, 3, 5)), 8);
    qDebug() << "logEntries[ nLog ].ControlAuto = " << e.bits(17, 4, 7);
    line += QLatin1String(" ") + QString::fromUtf8(reason) + QLatin1String(", ");
    line += cell("%1, ", roomArea(e.bits(22, 3, 7)), 4);
    line += cell("%1, ", e.bits(5, 2, 7), 5);
    line += cell("%1, ", e.u16(24), 5);
    line += cell("%1, ", e.s16(26), 5);
    return line + QLatin1String("\n");
}

QString secondaryLine(int index, const CEntryBytes& e, int total)
{
    QString line = QLatin1String(e.bits(21, 7, 7) ? "*" : " ");
    line += cell("%1,: ", index, 3);
    for (int n : {1, 0, 3, 2}) // TExt, TSup, HExt, HOut
        line += cell("%1,", e.s8(n), 4);
    line += cell("%1,", 16 * e.byte(5), 5);
    line += cell("%1,", 16 * e.byte(4), 5);
    int levels = 0;
    for (int n : {14, 16, 18, 20})
    {
        levels += e.bits(n, 0, 4);
        line += cell("%1,", e.bits(n, 0, 4), 2);
    }
    line += cell("%1,", total - levels, 2);
    const int service = e.bits(18, 5, 7) + 8 * e.bits(19, 0, 1);
    const int turbo = e.bits(19, 2, 6);
    line += cell("%1,", quint32(total - (service + turbo)), 4);
    line += cell("%1,", service, 4);
    line += cell("%1,", turbo, 4);
    line += cell("%1,", e.bits(12, 0, 4), 8);
    line += cell("%1,", e.bits(12, 5, 7) + 8 * e.bits(13, 0, 1), 8);
    line += cell("%1,", e.bits(13, 2, 6), 8);
    line += cell("%1,", e.bits(20, 5, 7) + 8 * e.bits(21, 0, 1), 4);
    line += cell("%1,", e.bits(14, 5, 7) + 8 * e.bits(15, 0, 1), 7);
    line += cell("%1,", e.bits(15, 2, 6), 7);
    line += cell("%1,", e.bits(16, 5, 7) + 8 * e.bits(17, 0, 1), 5);
    line += cell("%1,", e.bits(17, 2, 6), 4);
    line += cell("%1,", (e.byte(24) + 256 * e.bits(25, 0, 2)) / 15, 6);
    line += cell("%1,", e.s11(26, 27), 6);
    line += cell("%1,", e.s16(22), 6);
    line += cell("%1,", e.bits(28, 0, 6), 4);
    line += cell("%1,", e.bits(31, 2, 7), 5);
    line += cell("%1,", e.byte(30) + 256 * e.bits(31, 0, 1), 5);
    line += cell("%1, ", e.byte(29), 5);
    return line + QLatin1String("\n");
}
} // namespace

QString CFan_70_PC::getPrimaryLog()
{
    QVector<SPrimLogEntry_70> entries;
    if (!getPrimLog(entries))
        return QStringLiteral(" Didn't get any logs");
    QString text = QStringLiteral("\nPrimary Log:\n");
    text += QString::fromUtf8(PRIM_HEADING_1);
    text += QString::fromUtf8(PRIM_HEADING_2);
    for (int k = 0; k < entries.size(); ++k)
    {
        const CEntryBytes e(entries[k].m_Bytes);
        text += primaryLine(k, e, getModeName(e.bits(17, 4, 7)));
    }
    return text;
}

QString CFan_70_PC::getSecondaryLog(CLogging::EMaxTimeSpan span, bool youngest10, bool youngest100,
                                    bool oldest10, bool oldest100, const QString& spanTitle)
{
    QString text = QStringLiteral("\nSecondary Log:");
    const int total = spanTotal(span);
    if (total < 0) // a span the unit does not log: nothing to ask for
        return QStringLiteral(" Didn't get any Logs...");
    UINT16 capacity[3] = {}, count[3] = {}, start[3] = {};
    if (!getSecLogCnt(capacity, count, start))
        return text + QStringLiteral("getSecLogCnt failed!\n");
    const SSecLogWindow window =
        secLogWindow(capacity[span], count[span], start[span], youngest10, youngest100, oldest10, oldest100);
    QVector<SSecLogEntry_70> entries;
    if (!getSecLog(entries, CLogging_70::EMaxTimeSpan(span), window.count, window.first))
        return QStringLiteral(" Didn't get any Logs...");
    text += spanTitle + QLatin1String("\n");
    text += QString::fromUtf8(SEC_HEADING_1);
    text += QString::fromUtf8(SEC_HEADING_2);
    text += unitHeading(SEC_HEADING_3, SEC_UNITS[span]);
    for (int i = entries.size() - 1; i >= 0; --i)
        text += secondaryLine(i, CEntryBytes(entries[i].m_Bytes), total);
    return text;
}
