#include "PortEnumerator.h"

#include <QFile>
#include <QFileInfo>
#include <QSerialPortInfo>
#include <QSocketNotifier>
#include <QTimer>
#include <libudev.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
// udevd announces itself through its control socket; without it a monitor never hears anything.
bool udevRuns()
{
    return ::access("/run/udev/control", F_OK) == 0;
}

// Device number, inode and the time the node was made or last changed: a node made for
// a new arrival differs in one of them, even when the system gives it the same name and number.
QString nodeIdentity(const QString& path)
{
    struct stat st = {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return QString();
    return QStringLiteral("%1:%2:%3.%4")
        .arg(quint64(st.st_rdev))
        .arg(quint64(st.st_ino))
        .arg(qint64(st.st_ctim.tv_sec))
        .arg(qint64(st.st_ctim.tv_nsec));
}
} // namespace

CPortEnumerator::CPortEnumerator(QObject* parent) : QObject(parent), m_pPollTimer(new QTimer(this))
{
    qRegisterMetaType<CPortInfo>("CPortInfo");
    connect(m_pPollTimer, &QTimer::timeout, this, &CPortEnumerator::rescan);
}

CPortEnumerator::~CPortEnumerator()
{
    stopUdev();
}

QList<CPortInfo> CPortEnumerator::getPorts()
{
    const QString unitPort = qEnvironmentVariable(UNIT_PORT_VARIABLE);
    const QFileInfo unitFile(unitPort);
    const QString unitCanonical = unitFile.canonicalFilePath();
    bool unitHasIds = false;

    QList<CPortInfo> ports;
    for (const QSerialPortInfo& p : QSerialPortInfo::availablePorts())
    {
        CPortInfo info;
        info.portName = p.systemLocation();
        info.friendName = p.description();
        if (p.hasVendorIdentifier() && p.hasProductIdentifier())
        {
            info.vendorID = p.vendorIdentifier();
            info.productID = p.productIdentifier();
        }
        const bool isUnitPort =
            !unitPort.isEmpty() && (info.portName == unitPort || info.portName == unitCanonical);
        if (isUnitPort && info.vendorID == 0)
            continue; // listed below with the unit's ids
        unitHasIds = unitHasIds || isUnitPort;
        info.nodeIdentity = nodeIdentity(info.portName);
        ports.append(info);
    }
    if (!unitPort.isEmpty() && !unitHasIds && unitFile.exists())
    {
        CPortInfo info;
        info.portName = unitPort;
        info.friendName = QStringLiteral("tolVane unit (%1)").arg(QLatin1String(UNIT_PORT_VARIABLE));
        info.vendorID = UNIT_VENDOR_ID;
        info.productID = UNIT_PRODUCT_ID;
        info.nodeIdentity = nodeIdentity(unitPort);
        ports.append(info);
    }
    return ports;
}

void CPortEnumerator::setUpNotifications(ENotifyMode mode)
{
    m_lstPorts = getPorts();
    stopUdev();
    const bool udev = mode == Automatic && startUdev();
    if (!udev || qEnvironmentVariableIsSet(UNIT_PORT_VARIABLE))
        m_pPollTimer->start(m_nPollIntervalMs);
    else
        m_pPollTimer->stop();
}

void CPortEnumerator::setPollInterval(int ms)
{
    m_nPollIntervalMs = ms;
    if (m_pPollTimer->isActive())
        m_pPollTimer->start(ms);
}

void CPortEnumerator::rescan()
{
    const QList<CPortInfo> now = getPorts();
    const QList<CPortInfo> before = m_lstPorts;
    m_lstPorts = now;
    for (const CPortInfo& p : before)
        if (!now.contains(p))
            emit deviceRemoved(p);
    for (const CPortInfo& p : now)
        if (!before.contains(p))
            emit deviceDiscovered(p);
}

bool CPortEnumerator::startUdev()
{
    if (!udevRuns())
        return false;
    m_pUdev = udev_new();
    if (m_pUdev)
        m_pMonitor = udev_monitor_new_from_netlink(m_pUdev, "udev");
    if (!m_pMonitor || udev_monitor_filter_add_match_subsystem_devtype(m_pMonitor, "tty", nullptr) < 0 ||
        udev_monitor_enable_receiving(m_pMonitor) < 0)
    {
        stopUdev();
        return false;
    }
    m_pNotifier = new QSocketNotifier(udev_monitor_get_fd(m_pMonitor), QSocketNotifier::Read, this);
    connect(m_pNotifier, &QSocketNotifier::activated, this, &CPortEnumerator::onUdevEvent);
    return true;
}

void CPortEnumerator::stopUdev()
{
    delete m_pNotifier;
    m_pNotifier = nullptr;
    if (m_pMonitor)
        udev_monitor_unref(m_pMonitor);
    m_pMonitor = nullptr;
    if (m_pUdev)
        udev_unref(m_pUdev);
    m_pUdev = nullptr;
}

void CPortEnumerator::onUdevEvent()
{
    // Take the event off the socket; the new list says what it meant.
    if (udev_device* device = udev_monitor_receive_device(m_pMonitor))
        udev_device_unref(device);
    rescan();
}
