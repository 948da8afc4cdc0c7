#include "DataDict.h"

#include "TextTable.h"

namespace
{
constexpr int NO_TEXT = -1;

// One row of the dictionary. A text is either a literal (translatable where marked) or,
// when its text-table index is not NO_TEXT, the text of that index in the text table.
struct SRow
{
    const char* key;
    const char* column;
    const char* abbreviation;
    int abbreviationText;
    int type;
    int tableMask;
    int group;
    bool plottable;
    const char* unit;
    const char* description;
    int descriptionText;
};

// clang-format off
const SRow s_Rows[] = {
    {"LogTimestamp", "LogTimestamp", QT_TRANSLATE_NOOP("CDataDict", "TIM"), NO_TEXT, 1, 27, 5, false, "", QT_TRANSLATE_NOOP("CDataDict", "Timestamp of log entry"), NO_TEXT}, // 0
    {"Restarted", "RES", QT_TRANSLATE_NOOP("CDataDict", "RES"), NO_TEXT, 1, 18, 5, false, "", QT_TRANSLATE_NOOP("CDataDict", "Restarted"), NO_TEXT}, // 1
    {"OperationMode", "OM", QT_TRANSLATE_NOOP("CDataDict", "OM"), NO_TEXT, 4, 9, 5, false, "", QT_TRANSLATE_NOOP("CDataDict", "Operation mode"), NO_TEXT}, // 2
    {"OM_Standard", "", QT_TRANSLATE_NOOP("CDataDict", "cmf"), NO_TEXT, 0, 0, 5, false, "", QT_TRANSLATE_NOOP("CDataDict", "Comfort"), NO_TEXT}, // 3
    {"OM_Alternate", "", QT_TRANSLATE_NOOP("CDataDict", "cm1"), NO_TEXT, 0, 0, 5, false, "", QT_TRANSLATE_NOOP("CDataDict", "Comfort (1st room)"), NO_TEXT}, // 4
    {"OM_Auto", "", QT_TRANSLATE_NOOP("CDataDict", "aut"), NO_TEXT, 0, 0, 5, false, "", QT_TRANSLATE_NOOP("CDataDict", "Auto"), NO_TEXT}, // 5
    {"OM_Sleep", "", QT_TRANSLATE_NOOP("CDataDict", "slp"), NO_TEXT, 0, 0, 5, false, "", QT_TRANSLATE_NOOP("CDataDict", "Sleep"), NO_TEXT}, // 6
    {"OM_Turbo", "", QT_TRANSLATE_NOOP("CDataDict", "trb"), NO_TEXT, 0, 0, 5, false, "", QT_TRANSLATE_NOOP("CDataDict", "Turbo"), NO_TEXT}, // 7
    {"OM_TurboCool", "", QT_TRANSLATE_NOOP("CDataDict", "trc"), NO_TEXT, 0, 0, 5, false, "", QT_TRANSLATE_NOOP("CDataDict", "Turbo Cool"), NO_TEXT}, // 8
    {"OM_Service", "", QT_TRANSLATE_NOOP("CDataDict", "svc"), NO_TEXT, 0, 0, 5, false, "", QT_TRANSLATE_NOOP("CDataDict", "Service"), NO_TEXT}, // 9
    {"OM_Test", "", QT_TRANSLATE_NOOP("CDataDict", "tst"), NO_TEXT, 0, 0, 5, false, "", QT_TRANSLATE_NOOP("CDataDict", "Test"), NO_TEXT}, // 10
    {"OM_Manufacturer", "", QT_TRANSLATE_NOOP("CDataDict", "mnu"), NO_TEXT, 0, 0, 5, false, "", QT_TRANSLATE_NOOP("CDataDict", "Manufacturer"), NO_TEXT}, // 11
    {"Program", "PRG", QT_TRANSLATE_NOOP("CDataDict", "PRG"), NO_TEXT, 4, 9, 5, false, "", QT_TRANSLATE_NOOP("CDataDict", "Program"), NO_TEXT}, // 12
    {"MinAir", "", QT_TRANSLATE_NOOP("CDataDict", "mve"), NO_TEXT, 0, 0, 5, false, "", QT_TRANSLATE_NOOP("CDataDict", "Minimum Ventilation"), NO_TEXT}, // 13
    {"RelDry", "", QT_TRANSLATE_NOOP("CDataDict", "hrr"), NO_TEXT, 0, 0, 5, false, "", QT_TRANSLATE_NOOP("CDataDict", "Humidity Reduction (relative)"), NO_TEXT}, // 14
    {"AbsDry", "", QT_TRANSLATE_NOOP("CDataDict", "hra"), NO_TEXT, 0, 0, 5, false, "", QT_TRANSLATE_NOOP("CDataDict", "Humidity Reduction (absolute)"), NO_TEXT}, // 15
    {"Cool", "", QT_TRANSLATE_NOOP("CDataDict", "col"), NO_TEXT, 0, 0, 5, false, "", QT_TRANSLATE_NOOP("CDataDict", "Active Cooling"), NO_TEXT}, // 16
    {"VenCO2", "", QT_TRANSLATE_NOOP("CDataDict", "co2"), NO_TEXT, 0, 0, 5, false, "", QT_TRANSLATE_NOOP("CDataDict", "CO2 Reduction"), NO_TEXT}, // 17
    {"CO2Inp", "", QT_TRANSLATE_NOOP("CDataDict", "CO2Inp"), NO_TEXT, 0, 0, 5, false, "", QT_TRANSLATE_NOOP("CDataDict", "CO2 Input"), NO_TEXT}, // 18
    {"HumUndCO2Inp", "", QT_TRANSLATE_NOOP("CDataDict", "HCO2Inp"), NO_TEXT, 0, 0, 5, false, "", QT_TRANSLATE_NOOP("CDataDict", "CO2 and Humidity Input"), NO_TEXT}, // 19
    {"HumInp", "", QT_TRANSLATE_NOOP("CDataDict", "HumInp"), NO_TEXT, 0, 0, 5, false, "", QT_TRANSLATE_NOOP("CDataDict", "Humidity Input"), NO_TEXT}, // 20
    {"ReductionReason", "RED", QT_TRANSLATE_NOOP("CDataDict", "RED"), NO_TEXT, 4, 9, 5, false, "", QT_TRANSLATE_NOOP("CDataDict", "Reduction (mini)"), NO_TEXT}, // 21
    {"DefrostBypass", "", QT_TRANSLATE_NOOP("CDataDict", "dfr"), NO_TEXT, 0, 0, 5, false, "", QT_TRANSLATE_NOOP("CDataDict", "Defrosting"), NO_TEXT}, // 22
    {"DefrostSupply", "", QT_TRANSLATE_NOOP("CDataDict", "dfs"), NO_TEXT, 0, 0, 1, false, "", QT_TRANSLATE_NOOP("CDataDict", "Defrosting Supply"), NO_TEXT}, // 23
    {"HumInput", "", QT_TRANSLATE_NOOP("CDataDict", "hin"), NO_TEXT, 0, 0, 5, false, "", QT_TRANSLATE_NOOP("CDataDict", "Humidity Input"), NO_TEXT}, // 24
    {"SupplyCondensing", "", QT_TRANSLATE_NOOP("CDataDict", "win"), NO_TEXT, 0, 0, 1, false, "", QT_TRANSLATE_NOOP("CDataDict", "Water Insertion"), NO_TEXT}, // 25
    {"MinTOut", "", QT_TRANSLATE_NOOP("CDataDict", "otb"), NO_TEXT, 0, 0, 3, false, "", nullptr, 9}, // 26
    {"MinTOutDeicing", "", QT_TRANSLATE_NOOP("CDataDict", "dow"), NO_TEXT, 0, 0, 3, false, "", QT_TRANSLATE_NOOP("CDataDict", "Deicing outer wall"), NO_TEXT}, // 27
    {"HumReductionMode", "HR", QT_TRANSLATE_NOOP("CDataDict", "HR"), NO_TEXT, 3, 1, 5, false, "", nullptr, 26}, // 28
    {"SumCoolBypassOpen", "SC", nullptr, 27, 3, 1, 5, false, "", QT_TRANSLATE_NOOP("CDataDict", "Cooling"), NO_TEXT}, // 29
    {"ComfortLevel", "CL", QT_TRANSLATE_NOOP("CDataDict", "CL"), NO_TEXT, 1, 9, 5, false, "", QT_TRANSLATE_NOOP("CDataDict", "Comfort Level"), NO_TEXT}, // 30
    {"RoomArea", "RA", QT_TRANSLATE_NOOP("CDataDict", "RA"), NO_TEXT, 1, 9, 5, false, QT_TRANSLATE_NOOP("CDataDict", "m²"), nullptr, 28}, // 31
    {"Max2ndRoomExtract", "A2", QT_TRANSLATE_NOOP("CDataDict", "2A"), NO_TEXT, 1, 1, 2, false, QT_TRANSLATE_NOOP("CDataDict", "m³/h"), nullptr, 29}, // 32
    {"FanRPM70", "FSP", nullptr, 127, 1, 8, 5, true, QT_TRANSLATE_NOOP("CDataDict", "1/min"), nullptr, 128}, // 33
    {"FanSupplyRPM", "FSS", nullptr, 32, 1, 1, 1, true, QT_TRANSLATE_NOOP("CDataDict", "1/min"), nullptr, 30}, // 34
    {"FanExtractRPM", "FSE", nullptr, 33, 1, 1, 2, true, QT_TRANSLATE_NOOP("CDataDict", "1/min"), nullptr, 31}, // 35
    {"ExtractAirFlow", "AFL", QT_TRANSLATE_NOOP("CDataDict", "AFL"), NO_TEXT, 1, 9, 2, true, QT_TRANSLATE_NOOP("CDataDict", "m³/h"), QT_TRANSLATE_NOOP("CDataDict", "Air flow"), NO_TEXT}, // 36
    {"ExtractTemp", "TET", nullptr, 11, 2, 27, 2, true, QT_TRANSLATE_NOOP("CDataDict", "°C"), nullptr, 14}, // 37
    {"SupplyTemp70", "TSU", QT_TRANSLATE_NOOP("CDataDict", "TSU"), NO_TEXT, 2, 24, 1, true, QT_TRANSLATE_NOOP("CDataDict", "°C"), QT_TRANSLATE_NOOP("CDataDict", "Supply temperature"), NO_TEXT}, // 38
    {"ExtractHum", "HET", nullptr, 12, 1, 27, 2, true, QT_TRANSLATE_NOOP("CDataDict", "%"), nullptr, 13}, // 39
    {"ExtractHumAbs", "", QT_TRANSLATE_NOOP("CDataDict", "HEA"), NO_TEXT, 0, 0, 2, false, QT_TRANSLATE_NOOP("CDataDict", "g/m³"), QT_TRANSLATE_NOOP("CDataDict", "Extract humidity (abs)"), NO_TEXT}, // 40
    {"OutdoorTemp", "TOU", nullptr, 10, 2, 3, 3, true, QT_TRANSLATE_NOOP("CDataDict", "°C"), nullptr, 15}, // 41
    {"OutdoorHum", "HOU", QT_TRANSLATE_NOOP("CDataDict", "HOU"), NO_TEXT, 1, 27, 3, true, QT_TRANSLATE_NOOP("CDataDict", "%"), nullptr, 16}, // 42
    {"CO2", "CO2", QT_TRANSLATE_NOOP("CDataDict", "CO2"), NO_TEXT, 1, 3, 2, true, QT_TRANSLATE_NOOP("CDataDict", "ppm"), QT_TRANSLATE_NOOP("CDataDict", "CO2"), NO_TEXT}, // 43
    {"ExtractCO270", "AQE", nullptr, 119, 1, 24, 2, true, QT_TRANSLATE_NOOP("CDataDict", "VOC"), nullptr, 121}, // 44
    {"SupplyCO270", "AQS", nullptr, 120, 1, 24, 1, true, QT_TRANSLATE_NOOP("CDataDict", "VOC"), nullptr, 122}, // 45
    {"SupplyTemp", "TSU", QT_TRANSLATE_NOOP("CDataDict", "TSU"), NO_TEXT, 2, 3, 1, false, QT_TRANSLATE_NOOP("CDataDict", "°C"), nullptr, 17}, // 46
    {"SupplyTempVirt", "TSC", QT_TRANSLATE_NOOP("CDataDict", "TSC"), NO_TEXT, 2, 1, 1, true, QT_TRANSLATE_NOOP("CDataDict", "°C"), nullptr, 18}, // 47
    {"OutdoorHumAbs", "", QT_TRANSLATE_NOOP("CDataDict", "HOA"), NO_TEXT, 0, 0, 3, false, QT_TRANSLATE_NOOP("CDataDict", "g/m³"), QT_TRANSLATE_NOOP("CDataDict", "Outdoor humidity (abs)"), NO_TEXT}, // 48
    {"ExhaustTemp", "TEH", QT_TRANSLATE_NOOP("CDataDict", "TEH"), NO_TEXT, 2, 3, 4, true, QT_TRANSLATE_NOOP("CDataDict", "°C"), nullptr, 19}, // 49
    {"Pressure", "PRS", QT_TRANSLATE_NOOP("CDataDict", "APR"), NO_TEXT, 1, 3, 5, true, QT_TRANSLATE_NOOP("CDataDict", "hPa"), QT_TRANSLATE_NOOP("CDataDict", "Air pressure"), NO_TEXT}, // 50
    {"AirDensity", "", QT_TRANSLATE_NOOP("CDataDict", "ADY"), NO_TEXT, 2, 3, 5, true, QT_TRANSLATE_NOOP("CDataDict", "kg/m³"), QT_TRANSLATE_NOOP("CDataDict", "Air density"), NO_TEXT}, // 51
    {"RecoveryPercent", "", QT_TRANSLATE_NOOP("CDataDict", "HRP"), NO_TEXT, 2, 3, 5, true, QT_TRANSLATE_NOOP("CDataDict", "%"), QT_TRANSLATE_NOOP("CDataDict", "Heat recovery (rel)"), NO_TEXT}, // 52
    {"RecoveryWatt", "", QT_TRANSLATE_NOOP("CDataDict", "HRW"), NO_TEXT, 2, 1, 5, true, QT_TRANSLATE_NOOP("CDataDict", "W"), QT_TRANSLATE_NOOP("CDataDict", "Heat recovery (abs)"), NO_TEXT}, // 53
    {"OperatingHours", "OPH", QT_TRANSLATE_NOOP("CDataDict", "OPH"), NO_TEXT, 1, 9, 5, false, QT_TRANSLATE_NOOP("CDataDict", "h"), QT_TRANSLATE_NOOP("CDataDict", "Operating hours"), NO_TEXT}, // 54
    {"FilterHours", "FIH", QT_TRANSLATE_NOOP("CDataDict", "FIH"), NO_TEXT, 1, 1, 5, false, QT_TRANSLATE_NOOP("CDataDict", "h"), QT_TRANSLATE_NOOP("CDataDict", "Filter hours"), NO_TEXT}, // 55
    {"Deicing", "DEI", QT_TRANSLATE_NOOP("CDataDict", "DEI"), NO_TEXT, 1, 1, 5, false, "", QT_TRANSLATE_NOOP("CDataDict", "Deicing"), NO_TEXT}, // 56
    {"SoftwareVersion", "", QT_TRANSLATE_NOOP("CDataDict", "SWV"), NO_TEXT, 0, 0, 5, false, "", QT_TRANSLATE_NOOP("CDataDict", "Software version"), NO_TEXT}, // 57
    {"BoardVersion", "", QT_TRANSLATE_NOOP("CDataDict", "CBV"), NO_TEXT, 0, 0, 5, false, "", QT_TRANSLATE_NOOP("CDataDict", "Circuit board version"), NO_TEXT}, // 58
    {"SerialNumber", "SNR", QT_TRANSLATE_NOOP("CDataDict", "SNR"), NO_TEXT, 1, 27, 5, false, "", QT_TRANSLATE_NOOP("CDataDict", "Serial number"), NO_TEXT}, // 59
    {"SupplyAirFlow", "", QT_TRANSLATE_NOOP("CDataDict", "AFL"), NO_TEXT, 0, 0, 1, false, QT_TRANSLATE_NOOP("CDataDict", "m³/h"), QT_TRANSLATE_NOOP("CDataDict", "Supply Air flow"), NO_TEXT}, // 60
    {"RSSI", "RSSI", QT_TRANSLATE_NOOP("CDataDict", "RSSI"), NO_TEXT, 1, 1, 2, true, "", nullptr, 34}, // 61
    {"LogEntryTimeSpan", "LTS", QT_TRANSLATE_NOOP("CDataDict", "LTS"), NO_TEXT, 1, 18, 5, false, "", "", NO_TEXT}, // 62
    {"TimeComLev0", "DL1", QT_TRANSLATE_NOOP("CDataDict", "DL1"), NO_TEXT, 1, 18, 5, false, QT_TRANSLATE_NOOP("CDataDict", "H:M"), nullptr, 20}, // 63
    {"TimeComLev1", "DL2", QT_TRANSLATE_NOOP("CDataDict", "DL2"), NO_TEXT, 1, 18, 5, false, QT_TRANSLATE_NOOP("CDataDict", "H:M"), nullptr, 21}, // 64
    {"TimeComLev2", "DL3", QT_TRANSLATE_NOOP("CDataDict", "DL3"), NO_TEXT, 1, 18, 5, false, QT_TRANSLATE_NOOP("CDataDict", "H:M"), nullptr, 22}, // 65
    {"TimeComLev3", "DL4", QT_TRANSLATE_NOOP("CDataDict", "DL4"), NO_TEXT, 1, 18, 5, false, QT_TRANSLATE_NOOP("CDataDict", "H:M"), nullptr, 23}, // 66
    {"TimeComLev4", "DL5", QT_TRANSLATE_NOOP("CDataDict", "DL5"), NO_TEXT, 1, 18, 5, false, QT_TRANSLATE_NOOP("CDataDict", "H:M"), nullptr, 24}, // 67
    {"TimeSleepMode", "DSM", QT_TRANSLATE_NOOP("CDataDict", "DSM"), NO_TEXT, 1, 2, 5, false, QT_TRANSLATE_NOOP("CDataDict", "H:M"), QT_TRANSLATE_NOOP("CDataDict", "Duration sleep mode"), NO_TEXT}, // 68
    {"TimeTurboMode", "DTM", QT_TRANSLATE_NOOP("CDataDict", "DTM"), NO_TEXT, 1, 18, 5, false, QT_TRANSLATE_NOOP("CDataDict", "H:M"), QT_TRANSLATE_NOOP("CDataDict", "Duration turbo mode"), NO_TEXT}, // 69
    {"TimeServiceMode", "DSeM", nullptr, 123, 1, 16, 5, false, QT_TRANSLATE_NOOP("CDataDict", "H:M"), nullptr, 124}, // 70
    {"TimeAutoAlt", "D1R", QT_TRANSLATE_NOOP("CDataDict", "D1R"), NO_TEXT, 1, 2, 5, false, QT_TRANSLATE_NOOP("CDataDict", "H:M"), QT_TRANSLATE_NOOP("CDataDict", "Duration Comfort (1st room)"), NO_TEXT}, // 71
    {"TimeDefExh", "DDF", QT_TRANSLATE_NOOP("CDataDict", "DDF"), NO_TEXT, 1, 2, 5, false, QT_TRANSLATE_NOOP("CDataDict", "H:M"), QT_TRANSLATE_NOOP("CDataDict", "Duration defrosting"), NO_TEXT}, // 72
    {"TimeMinAir", "DMV", QT_TRANSLATE_NOOP("CDataDict", "DMV"), NO_TEXT, 1, 18, 5, false, QT_TRANSLATE_NOOP("CDataDict", "H:M"), QT_TRANSLATE_NOOP("CDataDict", "Duration minimum ventilation"), NO_TEXT}, // 73
    {"TimeSupCond", "DWI", QT_TRANSLATE_NOOP("CDataDict", "DWI"), NO_TEXT, 1, 2, 5, false, QT_TRANSLATE_NOOP("CDataDict", "H:M"), QT_TRANSLATE_NOOP("CDataDict", "Duration water insertion"), NO_TEXT}, // 74
    {"TimeHumInp", "DHI", QT_TRANSLATE_NOOP("CDataDict", "DHI"), NO_TEXT, 1, 18, 5, false, QT_TRANSLATE_NOOP("CDataDict", "H:M"), QT_TRANSLATE_NOOP("CDataDict", "Duration humidity input"), NO_TEXT}, // 75
    {"TimeCO2Inp", "DCO2I", nullptr, 125, 1, 16, 5, false, QT_TRANSLATE_NOOP("CDataDict", "H:M"), QT_TRANSLATE_NOOP("CDataDict", "Duration CO2 insertion"), NO_TEXT}, // 76
    {"TimeHumCO2Inp", "DHuCO2I", nullptr, 126, 1, 16, 5, false, QT_TRANSLATE_NOOP("CDataDict", "H:M"), QT_TRANSLATE_NOOP("CDataDict", "Duration humidity and CO2 insertion"), NO_TEXT}, // 77
    {"TimeAbsDrying", "DRA", QT_TRANSLATE_NOOP("CDataDict", "DRA"), NO_TEXT, 1, 18, 5, false, QT_TRANSLATE_NOOP("CDataDict", "H:M"), QT_TRANSLATE_NOOP("CDataDict", "Duration humidity reduction (absolute)"), NO_TEXT}, // 78
    {"TimeRelDrying", "DRR", QT_TRANSLATE_NOOP("CDataDict", "DRR"), NO_TEXT, 1, 18, 5, false, QT_TRANSLATE_NOOP("CDataDict", "H:M"), QT_TRANSLATE_NOOP("CDataDict", "Duration humidity reduction (relative)"), NO_TEXT}, // 79
    {"TimeCooling", "DCO", QT_TRANSLATE_NOOP("CDataDict", "DCO"), NO_TEXT, 1, 18, 5, false, QT_TRANSLATE_NOOP("CDataDict", "H:M"), QT_TRANSLATE_NOOP("CDataDict", "Duration cooling"), NO_TEXT}, // 80
    {"TimeCO2Ventilation", "DC2", nullptr, 25, 1, 18, 5, false, QT_TRANSLATE_NOOP("CDataDict", "H:M"), QT_TRANSLATE_NOOP("CDataDict", "Duration CO2 reduction"), NO_TEXT}, // 81
    {"HumRedModeSet", "HRU", QT_TRANSLATE_NOOP("CDataDict", "HRU"), NO_TEXT, 1, 2, 5, false, "", QT_TRANSLATE_NOOP("CDataDict", "Humidity reduction mode used"), NO_TEXT}, // 82
    {"HumRedModeClr", "HRN", QT_TRANSLATE_NOOP("CDataDict", "HRN"), NO_TEXT, 1, 2, 5, false, "", QT_TRANSLATE_NOOP("CDataDict", "Humidity reduction mode not used"), NO_TEXT}, // 83
    {"EnergyExtracted", "EXE", QT_TRANSLATE_NOOP("CDataDict", "EXE"), NO_TEXT, 1, 2, 2, true, QT_TRANSLATE_NOOP("CDataDict", "Wh"), QT_TRANSLATE_NOOP("CDataDict", "Extracted energy"), NO_TEXT}, // 84
    {"EnergyRecovered", "REE", QT_TRANSLATE_NOOP("CDataDict", "REE"), NO_TEXT, 1, 2, 5, true, QT_TRANSLATE_NOOP("CDataDict", "Wh"), QT_TRANSLATE_NOOP("CDataDict", "Recovered energy"), NO_TEXT}, // 85
    {"PowerConsumption", "", QT_TRANSLATE_NOOP("CDataDict", "PCO"), NO_TEXT, 2, 2, 5, true, QT_TRANSLATE_NOOP("CDataDict", "Wh"), QT_TRANSLATE_NOOP("CDataDict", "Power consumption"), NO_TEXT}, // 86
    {"EnergyCooled", "COE", QT_TRANSLATE_NOOP("CDataDict", "COE"), NO_TEXT, 1, 18, 5, true, QT_TRANSLATE_NOOP("CDataDict", "Wh"), QT_TRANSLATE_NOOP("CDataDict", "Cooling energy"), NO_TEXT}, // 87
    {"AirExchanged", "AEX", QT_TRANSLATE_NOOP("CDataDict", "AEX"), NO_TEXT, 2, 18, 5, true, QT_TRANSLATE_NOOP("CDataDict", "m³"), QT_TRANSLATE_NOOP("CDataDict", "Air exchanged"), NO_TEXT}, // 88
    {"WaterRemoved", "WAR", QT_TRANSLATE_NOOP("CDataDict", "WAR"), NO_TEXT, 1, 18, 5, true, QT_TRANSLATE_NOOP("CDataDict", "g"), QT_TRANSLATE_NOOP("CDataDict", "Water removed"), NO_TEXT}, // 89
    {"ErrorState", "ES", QT_TRANSLATE_NOOP("CDataDict", "ES"), NO_TEXT, 4, 27, 5, false, "", QT_TRANSLATE_NOOP("CDataDict", "Error state"), NO_TEXT}, // 90
    {"ERR_OK", "", QT_TRANSLATE_NOOP("CDataDict", "ok"), NO_TEXT, 0, 0, 5, false, "", QT_TRANSLATE_NOOP("CDataDict", "ok"), NO_TEXT}, // 91
    {"ERR_FilterOld", "", nullptr, 58, 0, 0, 5, false, "", nullptr, 40}, // 92
    {"ERR_FilterDirty", "", nullptr, 59, 0, 0, 5, false, "", nullptr, 41}, // 93
    {"ERR_General", "", QT_TRANSLATE_NOOP("CDataDict", "ge1"), NO_TEXT, 0, 0, 5, false, "", QT_TRANSLATE_NOOP("CDataDict", "general error"), NO_TEXT}, // 94
    {"ERR_SensorTempOutdoor", "", nullptr, 60, 0, 0, 5, false, "", nullptr, 42}, // 95
    {"ERR_SensorTempExhaust", "", nullptr, 61, 0, 0, 5, false, "", nullptr, 43}, // 96
    {"ERR_SensorTempExtract", "", nullptr, 62, 0, 0, 5, false, "", nullptr, 44}, // 97
    {"ERR_SensorTempSupply", "", nullptr, 63, 0, 0, 5, false, "", nullptr, 45}, // 98
    {"ERR_SensorHumOutdoor", "", nullptr, 64, 0, 0, 5, false, "", nullptr, 46}, // 99
    {"ERR_SensorHumExtract", "", nullptr, 65, 0, 0, 5, false, "", nullptr, 47}, // 100
    {"ERR_SensorCO2", "", nullptr, 66, 0, 0, 5, false, "", nullptr, 48}, // 101
    {"ERR_SensorPressure", "", nullptr, 74, 0, 0, 5, false, "", nullptr, 56}, // 102
    {"ERR_VentExtract", "", nullptr, 67, 0, 0, 5, false, "", nullptr, 49}, // 103
    {"ERR_VentBath", "", nullptr, 69, 0, 0, 5, false, "", nullptr, 52}, // 104
    {"ERR_VentSupply", "", nullptr, 70, 0, 0, 5, false, "", nullptr, 51}, // 105
    {"ERR_VentBypass", "", nullptr, 68, 0, 0, 5, false, "", nullptr, 50}, // 106
    {"ERR_FanExtract", "", nullptr, 72, 0, 0, 5, false, "", nullptr, 54}, // 107
    {"ERR_FanSupply", "", nullptr, 71, 0, 0, 5, false, "", nullptr, 53}, // 108
    {"ERR_DIPSwitch", "", nullptr, 73, 0, 0, 5, false, "", nullptr, 55}, // 109
    {"ERR_DetailOnPress", "", QT_TRANSLATE_NOOP("CDataDict", "ge2"), NO_TEXT, 0, 0, 5, false, "", QT_TRANSLATE_NOOP("CDataDict", "general error 2"), NO_TEXT}, // 110
    {"ERR_CO2TooHigh", "", nullptr, 38, 0, 0, 5, false, "", nullptr, 36}, // 111
    {"ERR_Fire", "", nullptr, 37, 0, 0, 5, false, "", nullptr, 35}, // 112
    {"ERR_SensorTemp", "", nullptr, 134, 0, 0, 5, false, "", nullptr, 133}, // 113
    {"ERR_SensorHum", "", nullptr, 136, 0, 0, 5, false, "", nullptr, 135}, // 114
    {"ERR_SenErr", "", QT_TRANSLATE_NOOP("CDataDict", "se"), NO_TEXT, 0, 0, 5, false, "", QT_TRANSLATE_NOOP("CDataDict", "sensor error"), NO_TEXT}, // 115
    {"ERR_Fan", "", nullptr, 132, 0, 0, 5, false, "", nullptr, 131}, // 116
    {"ERR_SensorVOC", "", nullptr, 130, 0, 0, 5, false, "", nullptr, 129}, // 117
    {"ERR_Wlan", "", nullptr, 57, 0, 0, 5, false, "", nullptr, 39}, // 118
    {"ExtCO2UnCor70", "QEU", QT_TRANSLATE_NOOP("CDataDict", "QEU"), NO_TEXT, 1, 8, 2, false, QT_TRANSLATE_NOOP("CDataDict", "VOC"), QT_TRANSLATE_NOOP("CDataDict", "Extract air quality (uncor.)"), NO_TEXT}, // 119
    {"SupCO2UnCor70", "QSU", QT_TRANSLATE_NOOP("CDataDict", " QSU"), NO_TEXT, 1, 8, 1, false, QT_TRANSLATE_NOOP("CDataDict", "VOC"), QT_TRANSLATE_NOOP("CDataDict", "Supply air quality  (uncor.)"), NO_TEXT}, // 120
    {"ErrorFileNr", "EFN", QT_TRANSLATE_NOOP("CDataDict", "EFN"), NO_TEXT, 1, 27, 5, false, "", "", NO_TEXT}, // 121
    {"ErrorLineNr", "ELN", QT_TRANSLATE_NOOP("CDataDict", "ELN"), NO_TEXT, 1, 27, 5, false, "", "", NO_TEXT}, // 122
    {"ErrorCode", "ECO", QT_TRANSLATE_NOOP("CDataDict", "ECO"), NO_TEXT, 1, 27, 5, false, "", "", NO_TEXT}, // 123
    {"VentPosExtract", "VPE", QT_TRANSLATE_NOOP("CDataDict", "VPE"), NO_TEXT, 1, 1, 2, false, "", "", NO_TEXT}, // 124
    {"VentPosBypass", "VBY", QT_TRANSLATE_NOOP("CDataDict", "VBY"), NO_TEXT, 1, 1, 5, false, "", "", NO_TEXT}, // 125
    {"VentPosBath", "VBA", QT_TRANSLATE_NOOP("CDataDict", "VBA"), NO_TEXT, 1, 1, 5, false, "", "", NO_TEXT}, // 126
    {"VentPosSupply", "VPS", QT_TRANSLATE_NOOP("CDataDict", "VPS"), NO_TEXT, 1, 1, 1, false, "", "", NO_TEXT}, // 127
    {"VentCtrlSetExtract", "TPE", QT_TRANSLATE_NOOP("CDataDict", "TPE"), NO_TEXT, 1, 1, 2, false, "", "", NO_TEXT}, // 128
    {"VentCtrlSetBypass", "TBY", QT_TRANSLATE_NOOP("CDataDict", "TBY"), NO_TEXT, 1, 1, 5, false, "", "", NO_TEXT}, // 129
    {"VentCtrlSetBath", "TBA", QT_TRANSLATE_NOOP("CDataDict", "TBA"), NO_TEXT, 1, 1, 5, false, "", "", NO_TEXT}, // 130
    {"VentCtrlSetSupply", "TPS", QT_TRANSLATE_NOOP("CDataDict", "TPS"), NO_TEXT, 1, 1, 1, false, "", "", NO_TEXT}, // 131
    {"FilterSupplyFull", "FSF", QT_TRANSLATE_NOOP("CDataDict", "FSF"), NO_TEXT, 1, 3, 1, false, "", "", NO_TEXT}, // 132
    {"FilterExtractFull", "FEF", QT_TRANSLATE_NOOP("CDataDict", "FEF"), NO_TEXT, 1, 3, 2, false, "", "", NO_TEXT}, // 133
    {"DIPSwitch", "DIP", QT_TRANSLATE_NOOP("CDataDict", "DIP"), NO_TEXT, 1, 9, 5, false, "", "", NO_TEXT}, // 134
    {"FanSupplyCharac", "FSC", QT_TRANSLATE_NOOP("CDataDict", "FSC"), NO_TEXT, 1, 1, 5, false, "", "", NO_TEXT}, // 135
    {"FanExtractCharac", "FEC", QT_TRANSLATE_NOOP("CDataDict", "FEC"), NO_TEXT, 1, 1, 2, false, "", "", NO_TEXT}, // 136
    {"FanCmdsSucceeded", "CSU", QT_TRANSLATE_NOOP("CDataDict", "CSU"), NO_TEXT, 1, 1, 5, false, "", "", NO_TEXT}, // 137
    {"FanCmdsFailed", "CFA", QT_TRANSLATE_NOOP("CDataDict", "CFA"), NO_TEXT, 1, 1, 5, false, "", "", NO_TEXT}, // 138
};
// clang-format on

static_assert(sizeof(s_Rows) / sizeof(s_Rows[0]) == CDataDict::ENTRY_COUNT, "one row per dictionary index");
} // namespace

CDataDict* CDataDict::instance()
{
    // Never destroyed: value records and views may still read it during shut-down.
    static CDataDict* const s_pInstance = new CDataDict;
    return s_pInstance;
}

CDataDict::CDataDict()
{
    m_Entries.reserve(ENTRY_COUNT);
    m_NameMap.reserve(ENTRY_COUNT);
    for (int i = 0; i < ENTRY_COUNT; ++i)
    {
        const SRow& row = s_Rows[i];
        CDataDictEntry entry;
        entry.m_strDescription = row.descriptionText == NO_TEXT
                                     ? (*row.description ? tr(row.description) : QString(""))
                                     : QString::fromUtf8(GetText(row.descriptionText));
        entry.m_strUnit = *row.unit ? tr(row.unit) : QString("");
        entry.m_pAbbreviation =
            row.abbreviationText == NO_TEXT ? row.abbreviation : GetText(row.abbreviationText);
        entry.m_strColumnName = QString::fromLatin1(row.column);
        entry.m_nType = row.type;
        entry.m_nTableMask = row.tableMask;
        entry.m_nGroup = row.group;
        entry.m_bPlottable = row.plottable;
        m_Entries.append(entry);
        m_NameMap.insert(QString::fromLatin1(row.key), i);
    }
}

const CDataDictEntry* CDataDict::entry(int nIndex) const
{
    return nIndex >= 0 && nIndex < ENTRY_COUNT ? &m_Entries[nIndex] : nullptr;
}

QString CDataDict::getText(int nIndex, int nColumn, bool bInParentheses) const
{
    const CDataDictEntry* pEntry = entry(nIndex);
    if (!pEntry)
        return QString();

    QString strText;
    switch (nColumn)
    {
    case COL_DESCRIPTION:
        strText = pEntry->m_strDescription;
        break;
    case COL_ABBREVIATION:
        strText = tr(pEntry->m_pAbbreviation);
        break;
    case COL_ABBREVIATION_RAW:
        strText = QString::fromUtf8(pEntry->m_pAbbreviation);
        break;
    case COL_UNIT:
        strText = pEntry->m_strUnit;
        break;
    case COL_COLUMN_NAME:
        strText = pEntry->m_strColumnName;
        break;
    default:
        return QString("");
    }
    return bInParentheses ? QLatin1Char('(') + strText + QLatin1Char(')') : strText;
}

int CDataDict::getType(int nIndex) const
{
    const CDataDictEntry* pEntry = entry(nIndex);
    return pEntry ? pEntry->m_nType : 0;
}

int CDataDict::getTableMask(int nIndex) const
{
    const CDataDictEntry* pEntry = entry(nIndex);
    return pEntry ? pEntry->m_nTableMask : 0;
}

int CDataDict::getGroup(int nIndex) const
{
    const CDataDictEntry* pEntry = entry(nIndex);
    return pEntry ? pEntry->m_nGroup : 0;
}

bool CDataDict::isPlottable(int nIndex) const
{
    const CDataDictEntry* pEntry = entry(nIndex);
    return pEntry && pEntry->m_bPlottable;
}

QColor CDataDict::getGroupColor(int nGroup)
{
    switch (nGroup)
    {
    case GRP_SUPPLY:
        return QColor(128, 0, 0);
    case GRP_EXTRACT:
        return QColor(128, 128, 0);
    case GRP_OUTDOOR:
        return QColor(0, 128, 0);
    case GRP_EXHAUST:
        return QColor(196, 160, 96);
    case GRP_GENERAL:
        return QColor(249, 169, 49);
    default:
        return QColor(0, 0, 0);
    }
}

int CDataDict::indexOf(const QString& strKey) const
{
    return m_NameMap.value(strKey, NOT_FOUND);
}

QString CDataDict::getKey(int nIndex) const
{
    return m_NameMap.key(nIndex);
}
