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

QString secondaryLine(int index, const SSecLogEntry_70& e, int total)
{
    QString line = QLatin1String(e.Restarted() ? "*" : " ");
    line += cell("%1,: ", index, 3);
    for (int value : {e.ExtractTemp(), e.SupplyTemp70(), e.ExtractHum(), e.OutdoorHum()})
        line += cell("%1,", value, 4);
    line += cell("%1,", 16 * e.ExtractCO270(), 5);
    line += cell("%1,", 16 * e.SupplyCO270(), 5);
    int levels = 0;
    for (int level : {e.TimeComLev0(), e.TimeComLev1(), e.TimeComLev2(), e.TimeComLev3()})
    {
        levels += level;
        line += cell("%1,", level, 2);
    }
    line += cell("%1,", total - levels, 2);
    const int service = e.TimeServiceMode();
    const int turbo = e.TimeTurboMode();
    line += cell("%1,", quint32(total - (service + turbo)), 4);
    line += cell("%1,", service, 4);
    line += cell("%1,", turbo, 4);
    // Under the headings HumInp, HumCO2Inp, CO2Inp.
    line += cell("%1,", e.TimeHumInp(), 8);
    line += cell("%1,", e.TimeCO2Inp(), 8);
    line += cell("%1,", e.TimeHumCO2Inp(), 8);
    line += cell("%1,", e.TimeMinAir(), 4);
    line += cell("%1,", e.TimeAbsDrying(), 7);
    line += cell("%1,", e.TimeRelDrying(), 7);
    line += cell("%1,", e.TimeCooling(), 5);
    line += cell("%1,", e.TimeCO2Ventilation(), 4);
    line += cell("%1,", e.AirExchanged() / 15, 6);
    line += cell("%1,", e.WaterRemoved(), 6);
    line += cell("%1,", e.EnergyCooled(), 6);
    line += cell("%1,", e.AccCount(), 4);
    line += cell("%1,", e.WarningFile(), 5);
    line += cell("%1,", e.WarningLine(), 5);
    line += cell("%1, ", e.ErrorCode(), 5);
    return line + QLatin1String("\n");
}

const SPrimaryLogFrame PRIMARY_FRAME = {PRIM_HEADING_1, PRIM_HEADING_2, " Didn't get any logs"};
const SSecondaryLogFrame SECONDARY_FRAME = {SEC_HEADING_1, SEC_HEADING_2, SEC_HEADING_3, SEC_UNITS,
                                            " Didn't get any Logs..."};
} // namespace

QString CFan_70_PC::getPrimaryLog()
{
    QVector<SPrimLogEntry_70> entries;
    const bool fetched = getPrimLog(entries);
    return primaryLogText(fetched, entries, PRIMARY_FRAME,
                          [this](int k, const CEntryBytes& e)
                          { return primaryLine(k, e, getModeName(e.bits(17, 4, 7))); });
}

QString CFan_70_PC::getSecondaryLog(CLogging::EMaxTimeSpan span, bool youngest10, bool youngest100,
                                    bool oldest10, bool oldest100, const QString& spanTitle)
{
    return secondaryLogText<SSecLogEntry_70, CLogging_70::EMaxTimeSpan>(
        *this, {span, youngest10, youngest100, oldest10, oldest100}, spanTitle, SECONDARY_FRAME,
        secondaryLine);
}
