#pragma once

#include <QColor>
#include <QHash>
#include <QObject>
#include <QString>
#include <QVector>

// Index of every value the program knows; the common currency of value records, log tables,
// views, diagrams and CSV files. Named after the entry's key.
enum EDataDictIndex
{
    DDI_LogTimestamp = 0,
    DDI_Restarted = 1,
    DDI_OperationMode = 2,
    DDI_OM_Standard = 3,
    DDI_OM_Alternate = 4,
    DDI_OM_Auto = 5,
    DDI_OM_Sleep = 6,
    DDI_OM_Turbo = 7,
    DDI_OM_TurboCool = 8,
    DDI_OM_Service = 9,
    DDI_OM_Test = 10,
    DDI_OM_Manufacturer = 11,
    DDI_Program = 12,
    DDI_MinAir = 13,
    DDI_RelDry = 14,
    DDI_AbsDry = 15,
    DDI_Cool = 16,
    DDI_VenCO2 = 17,
    DDI_CO2Inp = 18,
    DDI_HumUndCO2Inp = 19,
    DDI_HumInp = 20,
    DDI_ReductionReason = 21,
    DDI_DefrostBypass = 22,
    DDI_DefrostSupply = 23,
    DDI_HumInput = 24,
    DDI_SupplyCondensing = 25,
    DDI_MinTOut = 26,
    DDI_MinTOutDeicing = 27,
    DDI_HumReductionMode = 28,
    DDI_SumCoolBypassOpen = 29,
    DDI_ComfortLevel = 30,
    DDI_RoomArea = 31,
    DDI_Max2ndRoomExtract = 32,
    DDI_FanRPM70 = 33,
    DDI_FanSupplyRPM = 34,
    DDI_FanExtractRPM = 35,
    DDI_ExtractAirFlow = 36,
    DDI_ExtractTemp = 37,
    DDI_SupplyTemp70 = 38,
    DDI_ExtractHum = 39,
    DDI_ExtractHumAbs = 40,
    DDI_OutdoorTemp = 41,
    DDI_OutdoorHum = 42,
    DDI_CO2 = 43,
    DDI_ExtractCO270 = 44,
    DDI_SupplyCO270 = 45,
    DDI_SupplyTemp = 46,
    DDI_SupplyTempVirt = 47,
    DDI_OutdoorHumAbs = 48,
    DDI_ExhaustTemp = 49,
    DDI_Pressure = 50,
    DDI_AirDensity = 51,
    DDI_RecoveryPercent = 52,
    DDI_RecoveryWatt = 53,
    DDI_OperatingHours = 54,
    DDI_FilterHours = 55,
    DDI_Deicing = 56,
    DDI_SoftwareVersion = 57,
    DDI_BoardVersion = 58,
    DDI_SerialNumber = 59,
    DDI_SupplyAirFlow = 60,
    DDI_RSSI = 61,
    DDI_LogEntryTimeSpan = 62,
    DDI_TimeComLev0 = 63,
    DDI_TimeComLev1 = 64,
    DDI_TimeComLev2 = 65,
    DDI_TimeComLev3 = 66,
    DDI_TimeComLev4 = 67,
    DDI_TimeSleepMode = 68,
    DDI_TimeTurboMode = 69,
    DDI_TimeServiceMode = 70,
    DDI_TimeAutoAlt = 71,
    DDI_TimeDefExh = 72,
    DDI_TimeMinAir = 73,
    DDI_TimeSupCond = 74,
    DDI_TimeHumInp = 75,
    DDI_TimeCO2Inp = 76,
    DDI_TimeHumCO2Inp = 77,
    DDI_TimeAbsDrying = 78,
    DDI_TimeRelDrying = 79,
    DDI_TimeCooling = 80,
    DDI_TimeCO2Ventilation = 81,
    DDI_HumRedModeSet = 82,
    DDI_HumRedModeClr = 83,
    DDI_EnergyExtracted = 84,
    DDI_EnergyRecovered = 85,
    DDI_PowerConsumption = 86,
    DDI_EnergyCooled = 87,
    DDI_AirExchanged = 88,
    DDI_WaterRemoved = 89,
    DDI_ErrorState = 90,
    DDI_ERR_OK = 91,
    DDI_ERR_FilterOld = 92,
    DDI_ERR_FilterDirty = 93,
    DDI_ERR_General = 94,
    DDI_ERR_SensorTempOutdoor = 95,
    DDI_ERR_SensorTempExhaust = 96,
    DDI_ERR_SensorTempExtract = 97,
    DDI_ERR_SensorTempSupply = 98,
    DDI_ERR_SensorHumOutdoor = 99,
    DDI_ERR_SensorHumExtract = 100,
    DDI_ERR_SensorCO2 = 101,
    DDI_ERR_SensorPressure = 102,
    DDI_ERR_VentExtract = 103,
    DDI_ERR_VentBath = 104,
    DDI_ERR_VentSupply = 105,
    DDI_ERR_VentBypass = 106,
    DDI_ERR_FanExtract = 107,
    DDI_ERR_FanSupply = 108,
    DDI_ERR_DIPSwitch = 109,
    DDI_ERR_DetailOnPress = 110,
    DDI_ERR_CO2TooHigh = 111,
    DDI_ERR_Fire = 112,
    DDI_ERR_SensorTemp = 113,
    DDI_ERR_SensorHum = 114,
    DDI_ERR_SenErr = 115,
    DDI_ERR_Fan = 116,
    DDI_ERR_SensorVOC = 117,
    DDI_ERR_Wlan = 118,
    DDI_ExtCO2UnCor70 = 119,
    DDI_SupCO2UnCor70 = 120,
    DDI_ErrorFileNr = 121,
    DDI_ErrorLineNr = 122,
    DDI_ErrorCode = 123,
    DDI_VentPosExtract = 124,
    DDI_VentPosBypass = 125,
    DDI_VentPosBath = 126,
    DDI_VentPosSupply = 127,
    DDI_VentCtrlSetExtract = 128,
    DDI_VentCtrlSetBypass = 129,
    DDI_VentCtrlSetBath = 130,
    DDI_VentCtrlSetSupply = 131,
    DDI_FilterSupplyFull = 132,
    DDI_FilterExtractFull = 133,
    DDI_DIPSwitch = 134,
    DDI_FanSupplyCharac = 135,
    DDI_FanExtractCharac = 136,
    DDI_FanCmdsSucceeded = 137,
    DDI_FanCmdsFailed = 138,
};

// One description of a value. The key name lives only in the dictionary's name map.
struct CDataDictEntry
{
    QString m_strDescription;    // translated once when the dictionary is built
    QString m_strUnit;           // translated once when the dictionary is built
    const char* m_pAbbreviation; // UTF-8, translated on each request for the translated column
    QString m_strColumnName;     // SQL column in the log tables, empty when never stored
    int m_nType;
    int m_nTableMask;
    int m_nGroup;
    bool m_bPlottable;
};

// The process-wide data dictionary: 139 entries, built on first use and never destroyed.
// Read-only after construction, so it may be read from any thread.
class CDataDict : public QObject
{
    Q_OBJECT

public:
    enum
    {
        ENTRY_COUNT = 139,
        NOT_FOUND = ENTRY_COUNT // answer of indexOf for an unknown key
    };

    enum EValueType
    {
        VT_NONE = 0,
        VT_INT = 1,
        VT_REAL = 2,
        VT_FLAG = 3, // a bool in the value records, stored as 0 or 1
        VT_TEXT = 4
    };

    // Bits of the table mask, one per log table.
    enum ETableMask
    {
        TM_VALUE_LOGS = 1,
        TM_SEC_LOGS = 2,
        TM_VALUE_LOGS_70 = 8,
        TM_SEC_LOGS_70 = 16
    };

    enum EGroup
    {
        GRP_SUPPLY = 1,
        GRP_EXTRACT = 2,
        GRP_OUTDOOR = 3,
        GRP_EXHAUST = 4,
        GRP_GENERAL = 5
    };

    // Columns of getText.
    enum EColumn
    {
        COL_DESCRIPTION = 0,
        COL_ABBREVIATION = 1,     // translated at each call
        COL_ABBREVIATION_RAW = 2, // untranslated
        COL_UNIT = 3,
        COL_COLUMN_NAME = 4
    };

    static CDataDict* instance();

    // A null string for an index outside 0..138; an empty string for an unknown column.
    // With bInParentheses the text of columns 0..4 is put into "(...)".
    QString getText(int nIndex, int nColumn, bool bInParentheses = false) const;
    int getType(int nIndex) const;
    int getTableMask(int nIndex) const;
    int getGroup(int nIndex) const;
    bool isPlottable(int nIndex) const;
    static QColor getGroupColor(int nGroup);
    // Exact, case-sensitive lookup of a key name; NOT_FOUND when no entry has it.
    int indexOf(const QString& strKey) const;
    // The key name of an entry; a null string for an index outside 0..138.
    QString getKey(int nIndex) const;

private:
    CDataDict();
    Q_DISABLE_COPY(CDataDict)

    const CDataDictEntry* entry(int nIndex) const;

    QVector<CDataDictEntry> m_Entries;
    QHash<QString, int> m_NameMap;
};
