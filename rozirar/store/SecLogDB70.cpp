#include "SecLogDB70.h"

#include "DataDict.h"

namespace
{
// Row of SecLogs70, in statement order.
const QVector<int> COLUMNS = {
    DDI_LogTimestamp,       DDI_LogEntryTimeSpan, DDI_Restarted,     DDI_TimeComLev0,   DDI_TimeComLev1,
    DDI_TimeComLev2,        DDI_TimeComLev3,      DDI_TimeComLev4,   DDI_ErrorCode,     DDI_TimeHumInp,
    DDI_TimeCO2Inp,         DDI_TimeHumCO2Inp,    DDI_TimeAbsDrying, DDI_TimeRelDrying, DDI_TimeCooling,
    DDI_TimeCO2Ventilation, DDI_TimeServiceMode,  DDI_TimeTurboMode, DDI_TimeMinAir,    DDI_EnergyCooled,
    DDI_AirExchanged,       DDI_WaterRemoved,     DDI_ExtractTemp,   DDI_SupplyTemp70,  DDI_ExtractHum,
    DDI_OutdoorHum,         DDI_ExtractCO270,     DDI_SupplyCO270,   DDI_SerialNumber,
};

// Counter units in one span: a quarter hour in minutes, a day in hours, a month in days.
int unitsPerSpan(int nTimeSpan)
{
    static const int UNITS[] = {15, 24, 30};
    return nTimeSpan >= 0 && nTimeSpan <= 2 ? UNITS[nTimeSpan] : 0;
}
} // namespace

CSecLogDB70::CSecLogDB70(const QString& strConnectionName, QObject* parent)
    : CSecLogDBBase(TK_SEC_LOGS_70, strConnectionName, parent)
{
}

int CSecLogDB70::energy(int nRaw, int nTimeSpan)
{
    static const double SCALE[] = {1.0, 128.0, 128.0 * 32.0};
    if (nTimeSpan < 0 || nTimeSpan > 2)
        return 0;
    return roundEnergy(nRaw * SCALE[nTimeSpan] * 1290.0 / 3456.0);
}

double CSecLogDB70::airVolume(int nRaw, int nTimeSpan)
{
    switch (nTimeSpan)
    {
    case 0:
        return oneDecimal(nRaw / 60.0);
    // The day and month scales drop the remainder of the division on purpose.
    case 1:
        return oneDecimal((nRaw / 60) * 128); // NOLINT(bugprone-integer-division)
    case 2:
        return oneDecimal((nRaw / 60) * 4096); // NOLINT(bugprone-integer-division)
    default:
        return 0.0;
    }
}

bool CSecLogDB70::saveSecLogValues(CLogging_70::EMaxTimeSpan span, QVector<SSecLogEntry_70>& entries,
                                   quint32 nSerialNr, QDateTime& rTimestamp)
{
    const int s = span;
    return saveEntries(columnNames(COLUMNS), entries, s, rTimestamp,
                       [&](const SSecLogEntry_70& e, qint64 nTimestamp)
                       {
                           const int nLevels =
                               e.TimeComLev0() + e.TimeComLev1() + e.TimeComLev2() + e.TimeComLev3();
                           return QVariantList{
                               nTimestamp,
                               s,
                               int(e.Restarted()),
                               durationSecs(e.TimeComLev0(), s),
                               durationSecs(e.TimeComLev1(), s),
                               durationSecs(e.TimeComLev2(), s),
                               durationSecs(e.TimeComLev3(), s),
                               durationSecs(unitsPerSpan(s) - nLevels, s),
                               e.ErrorCode(),
                               durationSecs(e.TimeHumInp(), s),
                               durationSecs(e.TimeCO2Inp(), s),
                               durationSecs(e.TimeHumCO2Inp(), s),
                               durationSecs(e.TimeAbsDrying(), s),
                               durationSecs(e.TimeRelDrying(), s),
                               durationSecs(e.TimeCooling(), s),
                               durationSecs(e.TimeCO2Ventilation(), s),
                               durationSecs(e.TimeServiceMode(), s),
                               durationSecs(e.TimeTurboMode(), s),
                               durationSecs(e.TimeMinAir(), s),
                               energy(e.EnergyCooled(), s),
                               airVolume(e.AirExchanged(), s),
                               water(e.WaterRemoved(), s),
                               e.ExtractTemp(),
                               e.SupplyTemp70(),
                               e.ExtractHum(),
                               e.OutdoorHum(),
                               e.ExtractCO270() + 100,
                               e.SupplyCO270() + 100,
                               qint64(nSerialNr), // bound as text if it stayed unsigned
                           };
                       });
}

bool CSecLogDB70::deleteSecLogValues(CLogging_70::EMaxTimeSpan span)
{
    return CSecLogDBBase::deleteSecLogValues(span);
}
