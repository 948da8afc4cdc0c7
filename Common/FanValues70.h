#pragma once

#include <QMetaType>
#include <QString>
#include <QVariant>

// The current-state record of a tolVane plus as the unit sends it (data bytes 2..29 of the
// state reply). Kept as raw bytes; CFanValues70 decodes it with explicit shifts.
struct SPrimLogEntry_70
{
    static constexpr int SIZE = 28;
    quint8 m_Bytes[SIZE] = {};
};
static_assert(sizeof(SPrimLogEntry_70) == SPrimLogEntry_70::SIZE,
              "state record of the tolVane plus is 28 bytes");

// Decoded current state of a tolVane plus; the twin of CFanValues with this type's own fields
// and code tables. Field names are the data-dictionary keys.
class CFanValues70
{
public:
    CFanValues70() = default;
    explicit CFanValues70(const SPrimLogEntry_70& entry);

    // The value of a data-dictionary index (see EDataDictIndex); an invalid QVariant for
    // indices this record does not hold.
    QVariant getValue(int nIndex) const;

    int getProgramIndex() const;
    int getErrorIndex() const;
    static int getErrorIndex(unsigned int nErrorCode);
    QString getModeText() const;

    // The plus record carries no check sum of its own; receivers compare 0 with 0.
    int calcChecksum() const { return 0; }
    int getChecksum() const { return m_nChecksum; }

    double ExtractTemp = 0.0;
    double SupplyTemp70 = 0.0;
    int ExtractHum = 0;
    int OutdoorHum = 0;
    int ExtractCO270 = 0;
    int SupplyCO270 = 0;
    int ExtCO2UnCor70 = 0;
    int SupCO2UnCor70 = 0;
    int ComfortLevel = 0;
    int ExtractAirFlow = 0; // signed; readers use its magnitude
    int RoomArea = 0;
    int FanRPM70 = 0;
    int OperationMode = 0;
    int Program = 0;
    int ErrorState = 0;
    int DIPSwitch = 0;
    int ErrorFileNr = 0;
    int ErrorLineNr = 0;
    int ErrorCode = 0;

private:
    int getOperationModeIndex() const;

    int m_nChecksum = 0;
};

Q_DECLARE_METATYPE(CFanValues70)
