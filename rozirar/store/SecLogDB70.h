#pragma once

#include "Logging_70.h"
#include "SecLogDBBase.h"

#include <QVector>

// Second-log entries of the tolVane plus (table SecLogs70).
class CSecLogDB70 : public CSecLogDBBase
{
    Q_OBJECT

public:
    explicit CSecLogDB70(const QString& strConnectionName, QObject* parent = nullptr);

    // Stores the entries in order, one transaction per call; rTimestamp is the first entry's
    // time stamp and comes back as the one the next entry would get.
    bool saveSecLogValues(CLogging_70::EMaxTimeSpan span, QVector<SSecLogEntry_70>& entries,
                          quint32 nSerialNr, QDateTime& rTimestamp);
    bool deleteSecLogValues(CLogging_70::EMaxTimeSpan span);

    // Conversions of the plus scales; 0 for a span outside 0..2.
    static int energy(int nRaw, int nTimeSpan);
    static double airVolume(int nRaw, int nTimeSpan);
};
