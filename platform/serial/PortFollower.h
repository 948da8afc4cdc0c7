#pragma once

#include <QObject>
#include <QString>

// Follows the unit's USB port for a program that talks to one unit: decides which port of the
// enumerator's list the program uses and when it must let go of the one it has. The program looks
// (update) at every arrival and removal the enumerator reports.
//
// A name is not an identity. The follower holds a path-only descriptor on the device node it
// handed to the program; when the name no longer leads to that node (the unit unplugged, re-plugged
// or replaced, also between two scans under the same name), the port is reported anew, so the
// program closes it and opens whatever is there now. A permission change of the node (chmod, chown,
// an ACL: its change time moves, so the enumerator reports a removal and an arrival) leaves the
// name on the same node and is no change.
//
// While the program talks to the unit (a transfer) nothing is reported: what happened meanwhile
// is looked at once the last transfer ended, from the event loop.
class CPortFollower : public QObject
{
    Q_OBJECT
public:
    // A port named strExcludedPort (compared ignoring case) is never followed.
    explicit CPortFollower(const QString& strExcludedPort = QString(), QObject* parent = nullptr)
        : QObject(parent), m_strExcludedPort(strExcludedPort)
    {
    }
    ~CPortFollower() override;

    // The port last reported; empty when none.
    QString port() const { return m_strPort; }

    void beginTransfer() { ++m_nTransfers; }
    // bPortFailed: the port's device failed under the transfer; it is reported anew, since the unit
    // may be back under the same name before any change is seen.
    void endTransfer(bool bPortFailed);
    bool isTransferRunning() const { return m_nTransfers > 0; }
    // The program could not open the port reported: the next look reports it again.
    void portFailed() { m_bLost = !m_strPort.isEmpty(); }

public slots:
    // Looks at the ports now and reports the unit's port when it changed: true then. False when
    // nothing changed, or while a transfer runs.
    bool update();

signals:
    // The unit is on this port now (empty: on none). Whatever port the program has open goes,
    // also under the same name: it leads to another device.
    void signalPortChanged(const QString& strPortName);

private:
    // True while the reported name still leads to the node it led to when reported.
    bool isOnPinnedNode() const;
    void follow(const QString& strPortName);
    void unpin();

    QString m_strExcludedPort;
    QString m_strPort;
    int m_nPin = -1;
    bool m_bLost = false;
    int m_nTransfers = 0;
    bool m_bPending = false;
};
