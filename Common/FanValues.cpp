#include "FanValues.h"

#include "DataDict.h"
#include "StateRecord.h"

#include <cmath>

using namespace StateRecord;

namespace
{
const int s_ModeIndex[] = {DDI_OM_Standard,  DDI_OM_Alternate, DDI_OM_Sleep, DDI_OM_Turbo,
                           DDI_OM_TurboCool, DDI_OM_Service,   DDI_OM_Test,  DDI_OM_Manufacturer};

const int s_ProgramIndex[] = {DDI_MinAir, DDI_RelDry, DDI_AbsDry, DDI_Cool, DDI_VenCO2};

const int s_ErrorIndex[] = {
    DDI_ERR_OK,                // 0
    DDI_ERR_FilterOld,         // 1
    DDI_ERR_FilterDirty,       // 2
    DDI_ERR_General,           // 3
    DDI_ERR_SensorTempSupply,  // 4
    DDI_ERR_SensorTempOutdoor, // 5
    DDI_ERR_SensorHumOutdoor,  // 6
    DDI_ERR_SensorTempExhaust, // 7
    DDI_ERR_SensorTempExtract, // 8
    DDI_ERR_SensorHumExtract,  // 9
    DDI_ERR_SensorCO2,         // 10
    DDI_ERR_SensorPressure,    // 11
    DDI_ERR_VentExtract,       // 12
    DDI_ERR_VentBath,          // 13
    DDI_ERR_VentSupply,        // 14
    DDI_ERR_VentBypass,        // 15
    DDI_ERR_FanExtract,        // 16
    DDI_ERR_FanSupply,         // 17
    DDI_ERR_DIPSwitch,         // 18
    DDI_ERR_DetailOnPress,     // 19
    DDI_ERR_CO2TooHigh,        // 20
    DDI_ERR_Fire,              // 21
    DDI_ERR_Wlan,              // 22
};

// Room area in m2 by its 3-bit code; codes 6 and 7 are passed on as 1 and 2.
const int s_RoomArea[] = {20, 25, 35, 45, 60, 75, 1, 2};

// Air-flow code meaning "the set-point applies".
constexpr int AIR_FLOW_SETPOINT_CODE = 20;

// Nearest integer, halves away from zero: adding 0.5 and cutting toward zero would turn an exact
// -10 W into -9 W.
int roundNearest(double x)
{
    return int(std::lround(x));
}
} // namespace

CFanValues::CFanValues()
{
    m_nChecksum = calcChecksum();
}

CFanValues::CFanValues(const SPrimLogEntry& entry)
{
    const quint8* b = entry.m_Bytes;

    SupplyTemp = temperature(b[0], b[1]);
    ErrorState = b[1] >> 3;
    OutdoorTemp = temperature(b[2], b[3]);
    ExhaustTemp = temperature(b[4], b[5]);
    VentPosExtract = b[5] >> 3;
    ExtractTemp = temperature(b[6], b[7]);
    VentPosBypass = b[7] >> 3;
    SupplyTempVirt = temperature(b[8], b[9]);
    Pressure = 700 + 16 * (b[3] >> 3) + ((b[9] >> 3) & 0x0F);
    Deicing = (b[9] >> 7) != 0;

    OutdoorHum = b[10] & 0x7F;
    FilterSupplyFull = b[10] >> 7;
    ExtractHum = b[11] & 0x7F;
    FilterExtractFull = b[11] >> 7;

    CO2 = b[12] * 16;
    VentPosBath = b[13] & 0x1F;
    ComfortLevel = (b[13] >> 5) + 1;
    VentPosSupply = b[14] & 0x1F;
    OperationMode = b[14] >> 5;
    Program = b[15] & 0x07;

    FanExtractRPM = ((b[17] & 0x0F) << 8) | b[16];
    AirFlowSetpoint = (b[17] >> 4) * 10;
    FanSupplyRPM = ((b[19] & 0x0F) << 8) | b[18];
    HumReductionMode = (b[19] & 0x10) != 0;
    SumCoolBypassOpen = (b[19] & 0x80) != 0;

    const int airFlowCode = b[15] >> 3;
    if (airFlowCode == AIR_FLOW_SETPOINT_CODE)
        ExtractAirFlow = AirFlowSetpoint;
    else if (airFlowCode == 1)
        ExtractAirFlow = 0;
    else
        ExtractAirFlow = airFlowCode;

    DIPSwitch = b[20];
    Max2ndRoomExtract = (b[20] & 0x03) * 30;
    RoomArea = s_RoomArea[(b[20] >> 4) & 0x07];

    ReductionReason = b[21] & 0x03;
    ErrorFileNr = b[21] >> 2;
    ErrorLineNr = uint16LE(&b[22]);
    ErrorCode = qint8(b[24]);

    VentCtrlSetExtract = b[25] & 0x03;
    VentCtrlSetBath = (b[25] >> 2) & 0x03;
    VentCtrlSetSupply = (b[25] >> 4) & 0x03;
    VentCtrlSetBypass = (b[25] >> 6) & 0x03;

    m_nChecksum = calcChecksum();
}

QVariant CFanValues::getValue(int nIndex) const
{
    switch (nIndex)
    {
    case DDI_OperationMode:
        return abbreviation(getOperationModeIndex());
    case DDI_Program:
        return abbreviation(getProgramIndex());
    case DDI_ReductionReason:
        return abbreviation(getSubStateIndex());
    case DDI_HumReductionMode:
        return HumReductionMode;
    case DDI_SumCoolBypassOpen:
        return SumCoolBypassOpen;
    case DDI_ComfortLevel:
        return ComfortLevel;
    case DDI_RoomArea:
        return RoomArea;
    case DDI_Max2ndRoomExtract:
        return Max2ndRoomExtract;
    case DDI_FanSupplyRPM:
        return FanSupplyRPM;
    case DDI_FanExtractRPM:
        return FanExtractRPM;
    case DDI_ExtractAirFlow:
        return ExtractAirFlow;
    case DDI_ExtractTemp:
        return ExtractTemp;
    case DDI_OutdoorTemp:
        return OutdoorTemp;
    case DDI_SupplyTemp:
        return SupplyTemp;
    case DDI_SupplyTempVirt:
        return SupplyTempVirt;
    case DDI_ExhaustTemp:
        return ExhaustTemp;
    case DDI_ExtractHum:
        return ExtractHum;
    case DDI_OutdoorHum:
        return OutdoorHum;
    case DDI_CO2:
        return CO2;
    case DDI_Pressure:
        return Pressure;
    case DDI_Deicing:
        return int(Deicing);
    case DDI_ErrorState:
        return abbreviation(getErrorIndex(unsigned(ErrorState)));
    case DDI_ErrorFileNr:
        return quint32(ErrorFileNr);
    case DDI_ErrorLineNr:
        return quint32(ErrorLineNr);
    case DDI_ErrorCode:
        return quint32(ErrorCode);
    case DDI_VentPosExtract:
        return VentPosExtract;
    case DDI_VentPosBypass:
        return VentPosBypass;
    case DDI_VentPosBath:
        return VentPosBath;
    case DDI_VentPosSupply:
        return VentPosSupply;
    case DDI_VentCtrlSetExtract:
        return VentCtrlSetExtract;
    case DDI_VentCtrlSetBypass:
        return VentCtrlSetBypass;
    case DDI_VentCtrlSetBath:
        return VentCtrlSetBath;
    case DDI_VentCtrlSetSupply:
        return VentCtrlSetSupply;
    case DDI_FilterSupplyFull:
        return FilterSupplyFull;
    case DDI_FilterExtractFull:
        return FilterExtractFull;
    case DDI_DIPSwitch:
        return DIPSwitch;
    default:
        return QVariant();
    }
}

int CFanValues::getOperationModeIndex() const
{
    return lookup(s_ModeIndex, unsigned(OperationMode));
}

int CFanValues::getProgramIndex() const
{
    return lookup(s_ProgramIndex, unsigned(Program));
}

int CFanValues::getSubStateIndex() const
{
    switch (Program)
    {
    case 5:
        return DDI_SupplyCondensing;
    case 6:
        return DDI_MinTOut;
    case 7:
        return DDI_HumInput;
    default:
        break;
    }
    switch (ReductionReason)
    {
    case 1:
        return DDI_DefrostBypass;
    case 2:
        return DDI_DefrostSupply;
    default:
        return -1;
    }
}

int CFanValues::getErrorIndex(unsigned int nErrorCode)
{
    return lookup(s_ErrorIndex, nErrorCode);
}

int CFanValues::getRecoveryPercent() const
{
    if (ExtractAirFlow == 0 || std::fabs(ExtractTemp - OutdoorTemp) < 2)
        return 100;
    const int percent =
        roundNearest((1 - (ExtractTemp - SupplyTempVirt) / (ExtractTemp - OutdoorTemp)) * 100);
    return qMin(percent, 100);
}

int CFanValues::getRecoveryWatt() const
{
    if (std::fabs(ExtractTemp - OutdoorTemp) < 2)
        return 0;
    return roundNearest(ExtractAirFlow * (SupplyTempVirt - OutdoorTemp) / 3);
}

int CFanValues::getExtractSupplyWatt() const
{
    return roundNearest(ExtractAirFlow * (ExtractTemp - SupplyTempVirt) / 3);
}

QString CFanValues::getModeText() const
{
    if (HumReductionMode && OperationMode == 0)
        return tr("Humidity reduction");
    if (HumReductionMode && OperationMode == 1)
        return tr("Humidity reduction (1st room)");
    return description(getOperationModeIndex());
}

bool CFanValues::isDefault() const
{
    return FanSupplyRPM == 0 && FanExtractRPM == 0 && OutdoorHum == 50 && ExtractHum == 50;
}

int CFanValues::calcChecksum() const
{
    // Temperatures enter as their raw 1/8-degree values.
    const double temperatures[] = {ExtractTemp, OutdoorTemp, ExhaustTemp, SupplyTemp, SupplyTempVirt};
    const int ints[] = {ExtractHum,
                        OutdoorHum,
                        CO2,
                        ComfortLevel,
                        AirFlowSetpoint,
                        ExtractAirFlow,
                        RoomArea,
                        Max2ndRoomExtract,
                        FanSupplyRPM,
                        FanExtractRPM,
                        OperationMode,
                        Program,
                        ReductionReason,
                        ErrorState,
                        int(Deicing),
                        int(HumReductionMode),
                        VentPosExtract,
                        VentPosBypass,
                        int(SumCoolBypassOpen),
                        Pressure,
                        VentPosBath,
                        VentPosSupply,
                        FilterSupplyFull,
                        FilterExtractFull,
                        DIPSwitch,
                        ErrorFileNr,
                        ErrorLineNr,
                        ErrorCode,
                        VentCtrlSetExtract,
                        VentCtrlSetBath,
                        VentCtrlSetSupply,
                        VentCtrlSetBypass};
    quint32 sum = 0; // unsigned: the sum wraps around
    for (double t : temperatures)
        sum += quint32(int(t * 8));
    for (int v : ints)
        sum += quint32(v);
    return int(sum);
}
