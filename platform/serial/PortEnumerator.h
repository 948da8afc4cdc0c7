#pragma once

#include <QList>
#include <QMetaType>
#include <QObject>
#include <QString>

class QSocketNotifier;
class QTimer;
struct udev;
struct udev_monitor;

// One serial port as the enumerator reports it.
struct CPortInfo
{
    QString portName;   // full device path, e.g. "/dev/ttyUSB0"; the name to open
    QString friendName; // a description for people
    int vendorID = 0;   // USB ids; 0 for a port without them
    int productID = 0;
    // The device node the name leads to; a device plugged in again gets a node made anew, so a
    // re-plug between two scans is a removal and an arrival though the name stays. A permission
    // change of the node shows the same way; CPortFollower tells the two apart.
    QString nodeIdentity;

    bool operator==(const CPortInfo& o) const
    {
        return portName == o.portName && vendorID == o.vendorID && productID == o.productID &&
               nodeIdentity == o.nodeIdentity;
    }
};
Q_DECLARE_METATYPE(CPortInfo)

// Lists the serial ports with their USB ids and signals their arrival and removal.
// Changes are noticed through a udev monitor on the tty subsystem; where udev does not run
// (no udev daemon, as in containers) the port list is polled instead.
//
// The environment variable TOLVANE_UNIT_PORT may name a port without USB ids, such as the
// pseudo-terminal of the simulated unit: it is listed last with the unit's ids
// (0x0409 / 0x01D9) while its device exists. It is read at every scan, and its existence
// is polled, since a pseudo-terminal has no udev events.
class CPortEnumerator : public QObject
{
    Q_OBJECT
public:
    static constexpr int UNIT_VENDOR_ID = 0x0409;
    static constexpr int UNIT_PRODUCT_ID = 0x01D9;
    static constexpr const char* UNIT_PORT_VARIABLE = "TOLVANE_UNIT_PORT";
    static constexpr int DEFAULT_POLL_INTERVAL_MS = 1000;

    enum ENotifyMode
    {
        Automatic, // udev where it runs, else polling
        Polling
    };

    explicit CPortEnumerator(QObject* parent = nullptr);
    ~CPortEnumerator() override;

    // All serial ports now, in the system's order, the environment's unit port last.
    static QList<CPortInfo> getPorts();

    // Starts the arrival and removal signals; the ports present now are the baseline.
    void setUpNotifications(ENotifyMode mode = Automatic);
    bool usesUdev() const { return m_pMonitor != nullptr; }
    // How often the list is polled (also the unit port's check under udev).
    void setPollInterval(int ms);
    int pollInterval() const { return m_nPollIntervalMs; }

public slots:
    // Compares the ports with the last scan and signals what came and went.
    void rescan();

signals:
    void deviceDiscovered(const CPortInfo& info);
    void deviceRemoved(const CPortInfo& info);

private:
    bool startUdev();
    void stopUdev();
    void onUdevEvent();

    QList<CPortInfo> m_lstPorts;
    QTimer* m_pPollTimer;
    int m_nPollIntervalMs = DEFAULT_POLL_INTERVAL_MS;
    udev* m_pUdev = nullptr;
    udev_monitor* m_pMonitor = nullptr;
    QSocketNotifier* m_pNotifier = nullptr;
};
