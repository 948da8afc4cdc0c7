#include "WriteGate.h"

#include "FanBase.h"
#include "FlashImageCatalogue.h"

void CWriteGate::identified(const QString& port, ERunningImage running, bool bPlusUnit)
{
    m_strPort = port;
    m_bPlusUnit = bPlusUnit;
    set(running);
}

void CWriteGate::close()
{
    set(RUNNING_NONE);
}

void CWriteGate::set(ERunningImage running)
{
    ++m_nIdent;
    m_Running = running;
    if (!isIdentified())
        m_strPort.clear();
    emit changed();
}

bool CWriteGate::mayWrite(CFanBase& unit, int nIdent) const
{
    // The unit object must be the one for the identified unit type: a tolVane100 object speaks
    // for a tolVane100 only.
    const bool bPlusObject = unit.getUnitType() != 0;
    return nIdent == m_nIdent && isIdentified() && !m_strPort.isEmpty() &&
           unit.getComPortName() == m_strPort && !unit.comPortFailed() && bPlusObject == m_bPlusUnit;
}

int CWriteGate::system() const
{
    return m_bPlusUnit ? CFlashImageCatalogue::SYS_TOLVANE_PLUS : CFlashImageCatalogue::SYS_TOLVANE100;
}
