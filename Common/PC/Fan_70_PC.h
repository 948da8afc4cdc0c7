#pragma once

#include "FanBase.h"
#include "FanValues70.h"
#include "Logging_70.h"

#include <QString>
#include <QVector>

// The PC-side object of a connected tolVane plus: current state, simulation values, its own
// operating-mode names and the two logs. It has no Wi-Fi, credentials or vent requests.
class CFan_70_PC : public CFanBase
{
    Q_OBJECT
public:
    explicit CFan_70_PC(QObject* parent = nullptr);

    const char* getModeName(int mode) const override;
    QString getDeviceTypeText() const override;
    int getUnitType() const override;
    virtual bool getPrimLog(QVector<SPrimLogEntry_70>& entries);
    // At most `count` entries of the ring of `span`, starting at ring index `first`.
    virtual bool getSecLog(QVector<SSecLogEntry_70>& entries, CLogging_70::EMaxTimeSpan span, UINT16 count,
                           UINT16 first);

    bool getCurrentState(SPrimLogEntry_70& entry);
    bool setSimulationValues(const SHLP_SetSimulationValues_70& values);

#ifdef TOLVANE_UPDATER
    QString getPrimaryLog() override;
    // The span is one of CLogging_70::EMaxTimeSpan (same values).
    QString getSecondaryLog(CLogging::EMaxTimeSpan span, bool youngest10, bool youngest100, bool oldest10,
                            bool oldest100, const QString& spanTitle) override;
#endif
};
