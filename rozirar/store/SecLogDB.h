#pragma once

#include "Logging.h"
#include "SecLogDBBase.h"

#include <QVector>

// Second-log entries of the tolVane100 (table SecLogs).
class CSecLogDB : public CSecLogDBBase
{
    Q_OBJECT

public:
    explicit CSecLogDB(const QString& strConnectionName, QObject* parent = nullptr);

    // Stores the entries in order, one transaction per call; rTimestamp is the first entry's
    // time stamp and comes back as the one the next entry would get.
    bool saveSecLogValues(CLogging::EMaxTimeSpan span, QVector<SSecLogEntry>& entries, quint32 nSerialNr,
                          QDateTime& rTimestamp);

    // Conversions of the tolVane100 scales; 0 for a span outside 0..2.
    static int energy(int nRaw, int nTimeSpan);
    static double airVolume(int nRaw, int nTimeSpan);
};
