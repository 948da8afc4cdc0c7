#include "SecLogDB.h"

#include "DataDict.h"

namespace
{
// Row of SecLogs, in statement order. DL5 has no counter in this entry and stays NULL.
const QVector<int> COLUMNS = {
    DDI_LogTimestamp,    DDI_LogEntryTimeSpan,   DDI_Restarted,     DDI_TimeComLev0,   DDI_TimeComLev1,
    DDI_TimeComLev2,     DDI_TimeComLev3,        DDI_ErrorCode,     DDI_ErrorState,    DDI_TimeSupCond,
    DDI_TimeHumInp,      DDI_FilterSupplyFull,   DDI_TimeAbsDrying, DDI_TimeRelDrying, DDI_FilterExtractFull,
    DDI_TimeCooling,     DDI_TimeCO2Ventilation, DDI_HumRedModeSet, DDI_TimeSleepMode, DDI_TimeTurboMode,
    DDI_HumRedModeClr,   DDI_TimeAutoAlt,        DDI_TimeDefExh,    DDI_TimeMinAir,    DDI_EnergyExtracted,
    DDI_EnergyRecovered, DDI_EnergyCooled,       DDI_AirExchanged,  DDI_WaterRemoved,  DDI_Pressure,
    DDI_ExtractTemp,     DDI_ExtractHum,         DDI_CO2,           DDI_SupplyTemp,    DDI_OutdoorTemp,
    DDI_OutdoorHum,      DDI_ExhaustTemp,        DDI_SerialNumber,
};

// Pressure field: 2 hPa steps above 700 hPa.
int pressure(int nRaw)
{
    return nRaw * 2 + 700;
}
} // namespace

CSecLogDB::CSecLogDB(const QString& strConnectionName, QObject* parent)
    : CSecLogDBBase(TK_SEC_LOGS, strConnectionName, parent)
{
}

int CSecLogDB::energy(int nRaw, int nTimeSpan)
{
    // Raw units of 0.333, 42.7 and 1365 K·m³; 1290/3600 turns K·m³ into Wh.
    static const double SCALE[] = {0.333, 42.7, 1365.0};
    if (nTimeSpan < 0 || nTimeSpan > 2)
        return 0;
    return roundEnergy(nRaw * SCALE[nTimeSpan] * 1290.0 / 3600.0);
}

double CSecLogDB::airVolume(int nRaw, int nTimeSpan)
{
    switch (nTimeSpan)
    {
    case 0:
        return oneDecimal(nRaw / 36.0);
    case 1:
        return oneDecimal(nRaw * 3.556);
    case 2:
        return oneDecimal(nRaw * 113.8);
    default:
        return 0.0;
    }
}

bool CSecLogDB::saveSecLogValues(CLogging::EMaxTimeSpan span, QVector<SSecLogEntry>& entries,
                                 quint32 nSerialNr, QDateTime& rTimestamp)
{
    const int s = span;
    return saveEntries(columnNames(COLUMNS), entries, s, rTimestamp,
                       [&](const SSecLogEntry& e, qint64 nTimestamp)
                       {
                           return QVariantList{
                               nTimestamp,
                               s,
                               int(e.Restarted()),
                               durationSecs(e.TimeComLev0(), s),
                               durationSecs(e.TimeComLev1(), s),
                               durationSecs(e.TimeComLev2(), s),
                               durationSecs(e.TimeComLev3(), s),
                               e.ErrorCode(),
                               errorText(unsigned(e.ErrorState())),
                               durationSecs(e.TimeSupCond(), s),
                               durationSecs(e.TimeHumInp(), s),
                               int(e.FilterSupplyFull()),
                               durationSecs(e.TimeAbsDrying(), s),
                               durationSecs(e.TimeRelDrying(), s),
                               int(e.FilterExtractFull()),
                               durationSecs(e.TimeCooling(), s),
                               durationSecs(e.TimeCO2Ventilation(), s),
                               int(e.HumRedModeSet()),
                               durationSecs(e.TimeSleepMode(), s),
                               durationSecs(e.TimeTurboMode(), s),
                               int(e.HumRedModeClr()),
                               durationSecs(e.TimeAutoAlt(), s),
                               durationSecs(e.TimeDefExh(), s),
                               durationSecs(e.TimeMinAir(), s),
                               energy(e.EnergyExtracted(), s),
                               energy(e.EnergyRecovered(), s),
                               energy(e.EnergyCooled(), s),
                               airVolume(e.AirExchanged(), s),
                               water(e.WaterRemoved(), s),
                               pressure(e.Pressure()),
                               e.ExtractTemp(),
                               e.ExtractHum(),
                               e.CO2() * 16,
                               e.SupplyTemp(),
                               e.OutdoorTemp(),
                               e.OutdoorHum(),
                               e.ExhaustTemp(),
                               qint64(nSerialNr), // bound as text if it stayed unsigned
                           };
                       });
}
