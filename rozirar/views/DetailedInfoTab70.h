#pragma once

#include "DetailedInfoTabBase.h"

class CFanValues70;

// Detailed information of a tolVane plus: one fan, no filter hours, de-icing or second room;
// the reduction group shows the CO2 and humidity inputs, which may be active together.
class CDetailedInfoTab70 : public CDetailedInfoTabBase
{
    Q_OBJECT

public:
    explicit CDetailedInfoTab70(QWidget* parent);

    // The filter hours and the de-icing flag do not apply to this unit type.
    virtual void setCurrentValues(const CFanValues70& values, quint32 nSerialNr, const QString& strHWVer,
                                  const QString& strBootlVer, int nOperatingHours, int nFilterHours,
                                  bool bDeicing);
};
