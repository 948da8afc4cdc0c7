#pragma once

#include "UpdateDecision.h"

#include <QObject>
#include <QString>

class CFanBase;

// Whether the unit may be written to. Every identification gets a number, and so does every event
// that leaves nothing known of the unit (an identification failed or pending, the port gone or
// re-plugged, a swap the unit has not shown yet). A write rests on the identification it was
// decided on: it goes out only while that number is still the current one, the identification was
// valid, made on the port the unit object is on, and for the unit object's type. A message box or
// any other nested event loop between the decision and the write may let another unit come.
class CWriteGate : public QObject
{
    Q_OBJECT

public:
    // A valid identification of the unit on `port`: a new number.
    void identified(const QString& port, ERunningImage running, bool bPlusUnit);
    // Nothing is known of the unit on the port any longer: a new number.
    void close();

    // The number of the identification writes may rest on now.
    int current() const { return m_nIdent; }
    bool isIdentified() const { return m_Running != RUNNING_NONE; }
    // Whether the current identification shows a bootloader, which takes uploads.
    bool isOpen() const { return isBootloader(m_Running); }
    // Whether `unit`, the unit object at hand, may be sent a write decided on identification nIdent.
    bool mayWrite(CFanBase& unit, int nIdent) const;
    // The same for an upload, a bootloader swap, the serial number or the start-up mode: the unit
    // must run a bootloader as well.
    bool mayUpdate(CFanBase& unit, int nIdent) const { return isOpen() && mayWrite(unit, nIdent); }
    // What the unit runs, as far as writes go.
    ERunningImage running() const { return m_Running; }
    // The system whose images the unit takes; meaningful only while identified.
    int system() const;

signals:
    // A new number.
    void changed();

private:
    void set(ERunningImage running);

    QString m_strPort;
    ERunningImage m_Running = RUNNING_NONE;
    bool m_bPlusUnit = false;
    int m_nIdent = 0;
};
