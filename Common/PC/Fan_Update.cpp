// The updater's part of CFan: the logs as text and the vent move.

#include "Fan.h"
#include "LogText.h"

#include <QDebug>

using namespace LogText;

namespace
{
const char* const PRIM_HEADING_1 =
    "Log,   TExt  , TSup  , TOut  , TExh  , HExt, HOut, Pres,  CO2, TVirt , Com, Hum, Sum, Fan, AveFlow, "
    "Fan, "
    "2nd, RPM , RPM , Vent, Vent, Vent, Vent, TPE, TBA, TPS, TBY, TState , Ventil, Defrost, Fil, Fil, Room, "
    "2nd Room, IntEr, IntEr, IntEr, Error  \n";
const char* const PRIM_HEADING_2 =
    "   ,    °C   ,  °C   ,  °C   ,  °C   ,  %  ,   % ,  hPa,  ppm,  °C   , Lev, Red, Coo,m³/h,  m³/h  , "
    "Lim, "
    "o20,Suppl, Extr, Extr,  2nd, Supp, Bypa,                            , Reason, Exhaust, Sup, Ext, Area, "
    "Flow    , File , Line , Code ,   \n";
const char* const SEC_HEADING_1 =
    " Log,   TExt, TSup, TOut, TExh, HExt, HOut, Pres,  CO2, Comfort Level, --- Operation Mode ---, -- "
    "Reduced "
    "Ventilation--  ,  Ventilation Reason --------  ,  -------- Flow Values --------   , Filter  , Acc, --SW "
    "Warnings-- , Error\n";
const char* const SEC_HEADING_2 =
    "                                                        1, 2, 3, 4, 5, Std, Alt, Slp, Trb Hum, Def Exh, "
    "Sup cond, Hum Inp, Min, AbsHum, RelHum, Cool, CO2, Air  , Water, EnExt, EnRec, EnCol, Sup, Ext, Cnt, "
    "File, Line, Code,      \n";
const char* const SEC_HEADING_3 =
    "    ,    °C ,  °C ,  °C ,  °C ,  %  ,   % , hPa ,  ppm, %1    ,        %1      ,"
    "    %1              ,    %1                  ,%2,%3,    %4     \n";
const SSecLogUnits SEC_UNITS[] = {
    {"  Minutes", "1/36m³", "   g  ", " 0.333Km³ "},
    {" Hours   ", "3.55m³", "128g  ", "  42.7Km³ "},
    {"  Days   ", " 114m³", "4096g ", " 1365Km³  "},
};

QString primaryLine(int k, const CEntryBytes& e, const char* reason)
{
    QString line = cell("%1,: ", k, 3);
    line += fixedCell("%1,", e.s11(6, 7) * 0.125, 7);
    line += fixedCell("%1,", e.s11(0, 1) * 0.125, 7);
    line += fixedCell("%1,", e.s11(2, 3) * 0.125, 7);
    line += fixedCell("%1,", e.s11(4, 5) * 0.125, 7);
    line += cell("%1,", e.bits(11, 0, 6), 5);
    line += cell("%1,", e.bits(10, 0, 6), 5);
    line += cell("%1,", 700 + 16 * e.bits(3, 3, 7) + e.bits(9, 3, 6), 5);
    line += cell("%1,", 16 * e.byte(12), 5);
    line += fixedCell("%1,", e.s11(8, 9) * 0.125, 7);
    line += cell("%1,", e.bits(13, 5, 7) + 1, 4);
    line += cell("%1,", e.bits(19, 4, 4), 4);
    line += cell("%1,", e.bits(19, 7, 7), 4);
    const int fanFlow = 10 * e.bits(17, 4, 7);
    line += cell("%1,", fanFlow, 4);
    const int aveFlow = e.bits(15, 3, 7);
    if (aveFlow == 1)
        line += textCell("%1 ,", "  20/60", 0);
    else
        line += cell("%1 ,", aveFlow == 20 ? fanFlow : aveFlow, 7);
    line += cell("%1,", e.bits(19, 5, 5), 4);
    line += cell("%1,", e.bits(19, 6, 6), 4);
    line += cell("%1,", e.byte(16) + 256 * e.bits(17, 0, 3), 5);
    line += cell("%1,", e.byte(18) + 256 * e.bits(19, 0, 3), 5);
    line += textCell(" %1,", ventPositionName(e.bits(5, 3, 7)), 0);
    line += textCell(" %1,", ventPositionName(e.bits(13, 0, 4)), 0);
    line += textCell(" %1,", ventPositionName(e.bits(14, 0, 4)), 0);
    line += textCell(" %1,", ventPositionName(e.bits(7, 3, 7)), 0);
    for (int lo = 0; lo < 8; lo += 2) // TPE, TBA, TPS, TBY
        line += cell(" %1,", e.bits(25, lo, lo + 1), 3);
    line += textCell("%1,", operationModeName(quint8(e.bits(14, 5, 7))), 8);
    line += QLatin1String(" ") + QString::fromUtf8(reason) + QLatin1String(", ");
    line += textCell("%1 , ", ventSelectionName(quint8(e.bits(21, 0, 1))), 6);
    line += textCell("%1, ", e.bits(10, 7, 7) ? "FUL" : "OK", 3);
    line += textCell("%1, ", e.bits(11, 7, 7) ? "FUL" : "OK", 3);
    line += cell("%1, ", roomArea(e.bits(20, 4, 7)), 4);
    line += cell("%1, ", 30 * e.bits(20, 0, 1), 8);
    line += cell("%1, ", e.bits(21, 2, 7), 5);
    line += cell("%1, ", e.u16(22), 5);
    line += cell("%1, ", e.s8(24), 5);
    line += textCell("%1,", errorCodeName(quint8(e.bits(1, 3, 7))), 0);
    return line + QLatin1String("\n");
}

const char* humidityReduction(const SSecLogEntry& e)
{
    const bool set = e.HumRedModeSet();
    const bool cleared = e.HumRedModeClr();
    if (set && cleared)
        return " X ,";
    if (set)
        return " 1 ,";
    if (cleared)
        return " 0 ,";
    return "???,";
}

QString secondaryLine(int index, const SSecLogEntry& e, int total)
{
    QString line = QLatin1String(e.Restarted() ? "*" : " ");
    line += cell("%1,: ", index, 3);
    for (int value :
         {e.ExtractTemp(), e.SupplyTemp(), e.OutdoorTemp(), e.ExhaustTemp(), e.ExtractHum(), e.OutdoorHum()})
        line += cell("%1,", value, 5);
    line += cell("%1,", 700 + 2 * e.Pressure(), 5);
    line += cell("%1,", 16 * qint8(e.CO2()), 5); // read signed here, unlike the store
    int levels = 0;
    for (int level : {e.TimeComLev0(), e.TimeComLev1(), e.TimeComLev2(), e.TimeComLev3()})
    {
        levels += level;
        line += cell("%1,", level, 2);
    }
    line += cell("%1,", total - levels, 2);
    const int alt = e.TimeAutoAlt();
    const int sleep = e.TimeSleepMode();
    const int turbo = e.TimeTurboMode();
    line += cell("%1,", quint32(total - (alt + sleep + turbo)), 4);
    line += cell("%1,", alt, 4);
    line += cell("%1,", sleep, 4);
    line += cell("%1,", turbo, 4);
    line += QLatin1String(humidityReduction(e));
    line += cell("%1,", e.TimeDefExh(), 8);
    line += cell("%1,", e.TimeSupCond(), 9);
    line += cell("%1,", e.TimeHumInp(), 8);
    line += cell("%1,", e.TimeMinAir(), 4);
    line += cell("%1,", e.TimeAbsDrying(), 7);
    line += cell("%1,", e.TimeRelDrying(), 7);
    line += cell("%1,", e.TimeCooling(), 5);
    line += cell("%1,", e.TimeCO2Ventilation(), 4);
    line += cell("%1,", e.AirExchanged(), 6);
    line += cell("%1,", e.WaterRemoved(), 6);
    for (int energy : {e.EnergyExtracted(), e.EnergyRecovered(), e.EnergyCooled()})
        line += cell("%1,", energy, 6);
    line += QLatin1String(e.FilterSupplyFull() ? " Ful," : "  Ok,");
    line += QLatin1String(e.FilterExtractFull() ? " Ful," : "  Ok,");
    line += cell("%1,", e.AccCount(), 4);
    line += cell("%1,", e.WarningFile(), 5);
    line += cell("%1,", e.WarningLine(), 5);
    line += cell("%1, ", e.ErrorCode(), 5);
    line += textCell("%1,", errorCodeName(quint8(e.ErrorState())), 0);
    return line + QLatin1String("\n");
}

const SPrimaryLogFrame PRIMARY_FRAME = {PRIM_HEADING_1, PRIM_HEADING_2, "Didn't get any logs..."};
const SSecondaryLogFrame SECONDARY_FRAME = {SEC_HEADING_1, SEC_HEADING_2, SEC_HEADING_3, SEC_UNITS,
                                            "Didn't get any Logs..."};
} // namespace

QString CFan::getPrimaryLog()
{
    QVector<SPrimLogEntry> entries;
    const bool fetched = getPrimLog(entries);
    return primaryLogText(fetched, entries, PRIMARY_FRAME,
                          [this](int k, const CEntryBytes& e)
                          { return primaryLine(k, e, getModeName(e.bits(15, 0, 2))); });
}

QString CFan::getSecondaryLog(CLogging::EMaxTimeSpan span, bool youngest10, bool youngest100, bool oldest10,
                              bool oldest100, const QString& spanTitle)
{
    return secondaryLogText<SSecLogEntry, CLogging::EMaxTimeSpan>(
        *this, {span, youngest10, youngest100, oldest10, oldest100}, spanTitle, SECONDARY_FRAME,
        secondaryLine);
}

bool CFan::moveVent(const SHLP_MoveVent& move)
{
    return sendOnLink(move.encode().data(), SHLP_MoveVent::SIZE,
                      "CFan::moveVent: Error sending request for moving a vent");
}
