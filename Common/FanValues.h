#pragma once

#include <QCoreApplication>
#include <QMetaType>
#include <QString>
#include <QVariant>

// The current-state record of a tolVane100 as the unit sends it (data bytes 2..27 of the
// state reply). Kept as raw bytes; CFanValues decodes it with explicit shifts.
struct SPrimLogEntry
{
    static constexpr int SIZE = 26;
    quint8 m_Bytes[SIZE] = {};
};
static_assert(sizeof(SPrimLogEntry) == SPrimLogEntry::SIZE, "state record of the tolVane100 is 26 bytes");

// Decoded current state of a tolVane100. A plain value type that crosses threads in queued
// signals; it is not changed after construction (the check sum lets the receiver verify it).
// Field names are the data-dictionary keys.
class CFanValues
{
    Q_DECLARE_TR_FUNCTIONS(CFanValues)

public:
    CFanValues();
    explicit CFanValues(const SPrimLogEntry& entry);

    // The value of a data-dictionary index (see EDataDictIndex); an invalid QVariant for
    // indices this record does not hold.
    QVariant getValue(int nIndex) const;

    int getProgramIndex() const;
    int getSubStateIndex() const;
    static int getErrorIndex(unsigned int nErrorCode);

    double getSupplyTempVirt() const { return SupplyTempVirt; }
    int getRecoveryPercent() const;
    int getRecoveryWatt() const;
    int getExtractSupplyWatt() const;
    QString getModeText() const;
    // True for the record a unit sends while its application is still starting.
    bool isDefault() const;

    int calcChecksum() const;
    int getChecksum() const { return m_nChecksum; }

    double ExtractTemp = 0.0;
    double OutdoorTemp = 0.0;
    double ExhaustTemp = 0.0;
    int ExtractHum = 0;
    int OutdoorHum = 0;
    int CO2 = 0;
    int ComfortLevel = 0;
    int AirFlowSetpoint = 0;
    int ExtractAirFlow = 0;
    int RoomArea = 0;
    int Max2ndRoomExtract = 0;
    int FanSupplyRPM = 0;
    int FanExtractRPM = 0;
    int OperationMode = 0;
    int Program = 0;
    int ReductionReason = 0;
    int ErrorState = 0;
    bool Deicing = false;
    bool HumReductionMode = false;
    int VentPosExtract = 0;
    int VentPosBypass = 0;
    bool SumCoolBypassOpen = false;
    int Pressure = 0;
    int VentPosBath = 0;
    int VentPosSupply = 0;
    int FilterSupplyFull = 0;
    int FilterExtractFull = 0;
    int DIPSwitch = 0;
    int ErrorFileNr = 0;
    int ErrorLineNr = 0;
    int ErrorCode = 0;
    int VentCtrlSetExtract = 0;
    int VentCtrlSetBath = 0;
    int VentCtrlSetSupply = 0;
    int VentCtrlSetBypass = 0;
    double SupplyTemp = 0.0;
    double SupplyTempVirt = 0.0;

private:
    int getOperationModeIndex() const;

    int m_nChecksum = 0;
};

Q_DECLARE_METATYPE(CFanValues)
