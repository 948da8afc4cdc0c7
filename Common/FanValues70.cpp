#include "FanValues70.h"

#include "DataDict.h"
#include "StateRecord.h"

#include <cstdlib>

using namespace StateRecord;

namespace
{
const int s_ModeIndex[] = {DDI_OM_Auto, DDI_OM_Turbo, DDI_OM_Service, DDI_OM_Test, DDI_OM_Manufacturer};

const int s_ProgramIndex[] = {DDI_MinAir, DDI_RelDry, DDI_AbsDry, DDI_Cool,
                              DDI_VenCO2, DDI_HumInp, DDI_CO2Inp, DDI_HumUndCO2Inp};

const int s_ErrorIndex[] = {
    DDI_ERR_OK,            // 0
    DDI_ERR_General,       // 1
    -1,                    // 2
    DDI_ERR_SensorTemp,    // 3
    -1,                    // 4
    DDI_ERR_SensorHum,     // 5
    -1,                    // 6
    DDI_ERR_SensorVOC,     // 7
    -1,                    // 8
    -1,                    // 9
    -1,                    // 10
    -1,                    // 11
    -1,                    // 12
    -1,                    // 13
    DDI_ERR_Fan,           // 14
    DDI_ERR_DIPSwitch,     // 15
    DDI_ERR_DetailOnPress, // 16
    DDI_ERR_CO2TooHigh,    // 17
    DDI_ERR_Fire,          // 18
};

// Room area in m2 by its 3-bit code; this unit type reports codes 6 and 7 as 0.
const int s_RoomArea[] = {20, 25, 35, 45, 60, 75, 0, 0};

// Air-quality bytes are sent less 100.
constexpr int AIR_QUALITY_OFFSET = 100;
} // namespace

CFanValues70::CFanValues70(const SPrimLogEntry_70& entry)
{
    const quint8* b = entry.m_Bytes;

    SupplyTemp70 = temperature(b[0], b[1]);
    ErrorState = b[1] >> 3;
    ErrorFileNr = b[5] >> 2;
    ExtractTemp = temperature(b[6], b[7]);
    // The signed 8-bit air flow straddles bytes 8 and 9.
    ExtractAirFlow = qint8(quint8(((b[9] & 0x7F) << 1) | (b[8] >> 7)));
    OutdoorHum = b[10] & 0x7F;
    ExtractHum = b[11] & 0x7F;
    ComfortLevel = (b[14] & 0x07) + 1;
    OperationMode = (b[14] >> 3) & 0x07;
    FanRPM70 = ((b[17] & 0x0F) << 8) | b[16];
    Program = b[17] >> 4;
    ExtCO2UnCor70 = b[18] + AIR_QUALITY_OFFSET;
    SupCO2UnCor70 = b[19] + AIR_QUALITY_OFFSET;
    ExtractCO270 = b[20] + AIR_QUALITY_OFFSET;
    SupplyCO270 = b[21] + AIR_QUALITY_OFFSET;
    DIPSwitch = b[22];
    RoomArea = s_RoomArea[(b[22] >> 3) & 0x07];
    ErrorLineNr = uint16LE(&b[24]);
    ErrorCode = qint16(uint16LE(&b[26]));
}

QVariant CFanValues70::getValue(int nIndex) const
{
    switch (nIndex)
    {
    case DDI_OperationMode:
        return abbreviation(getOperationModeIndex());
    case DDI_Program:
        return abbreviation(getProgramIndex());
    case DDI_ComfortLevel:
        return ComfortLevel;
    case DDI_RoomArea:
        return RoomArea;
    case DDI_FanRPM70:
        return FanRPM70;
    case DDI_ExtractAirFlow:
        return std::abs(ExtractAirFlow);
    case DDI_ExtractTemp:
        return ExtractTemp;
    case DDI_SupplyTemp70:
        return SupplyTemp70;
    case DDI_ExtractHum:
        return ExtractHum;
    case DDI_OutdoorHum:
        return OutdoorHum;
    case DDI_ExtractCO270:
        return ExtractCO270;
    case DDI_SupplyCO270:
        return SupplyCO270;
    case DDI_ErrorState:
        return abbreviation(getErrorIndex());
    case DDI_ExtCO2UnCor70:
        return ExtCO2UnCor70;
    case DDI_SupCO2UnCor70:
        return SupCO2UnCor70;
    case DDI_ErrorFileNr:
        return quint32(ErrorFileNr);
    case DDI_ErrorLineNr:
        return quint32(ErrorLineNr);
    case DDI_ErrorCode:
        return quint32(ErrorCode);
    case DDI_DIPSwitch:
        return DIPSwitch;
    default:
        return QVariant();
    }
}

int CFanValues70::getOperationModeIndex() const
{
    return lookup(s_ModeIndex, unsigned(OperationMode));
}

int CFanValues70::getProgramIndex() const
{
    return lookup(s_ProgramIndex, unsigned(Program));
}

int CFanValues70::getErrorIndex() const
{
    return getErrorIndex(unsigned(ErrorState));
}

int CFanValues70::getErrorIndex(unsigned int nErrorCode)
{
    return lookup(s_ErrorIndex, nErrorCode);
}

QString CFanValues70::getModeText() const
{
    return description(getOperationModeIndex());
}
