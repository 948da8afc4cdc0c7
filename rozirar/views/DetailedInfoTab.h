#pragma once

#include "DetailedInfoTabBase.h"

class CFanValues;

// Detailed information of a tolVane100.
class CDetailedInfoTab : public CDetailedInfoTabBase
{
    Q_OBJECT

public:
    explicit CDetailedInfoTab(QWidget* parent);

    virtual void setCurrentValues(const CFanValues& values, quint32 nSerialNr, const QString& strHWVer,
                                  const QString& strBootlVer, int nOperatingHours, int nFilterHours,
                                  bool bDeicing);

private:
    void showProgram(int nProgramIndex);
    void showDeicing(bool bDeicing);
    void showReduction(int nSubStateIndex);
};
