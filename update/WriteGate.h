#pragma once

#include "UpdateDecision.h"

#include <QObject>
#include <QString>

class CFanBase;

// Whether the unit may be written to (an upload, a bootloader swap, its serial number or start-up
// mode): only while its last identification is valid, was made on the port it is still on, shows
// a bootloader, and only with the images of the system that identification reported. Anything
// else, an identification failed or pending, the port gone or re-plugged, closes it.
class CWriteGate : public QObject
{
    Q_OBJECT

public:
    // A valid identification of the unit on `port`.
    void identified(const QString& port, ERunningImage running, bool bPlusUnit);
    // Nothing is known of the unit on the port any longer.
    void close();
    // The unit swapped its bootloaders: it runs the other one now.
    void swapped();

    bool isOpen() const { return isBootloader(m_Running); }
    // Whether `unit`, the unit object at hand, may send a write now.
    bool mayWrite(CFanBase& unit) const;
    // What the unit runs, as far as writes go: a bootloader only while open.
    ERunningImage running() const { return m_Running; }
    // The system whose images the unit takes; meaningful only while open.
    int system() const;

signals:
    void changed(bool bOpen);

private:
    void set(ERunningImage running);

    QString m_strPort;
    ERunningImage m_Running = RUNNING_NONE;
    bool m_bPlusUnit = false;
};
