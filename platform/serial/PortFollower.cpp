#include "PortFollower.h"

#include "PortEnumerator.h"

#include <QFile>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

CPortFollower::~CPortFollower()
{
    unpin();
}

void CPortFollower::endTransfer(bool bPortFailed)
{
    if (bPortFailed)
    {
        portFailed();
        m_bPending = true;
    }
    // Control is back in an event loop only once the outermost transfer has returned.
    if (--m_nTransfers == 0 && m_bPending)
    {
        m_bPending = false;
        QMetaObject::invokeMethod(
            this, [this] { update(); }, Qt::QueuedConnection);
    }
}

bool CPortFollower::update()
{
    if (isTransferRunning())
    {
        // Letting go of the port now would pull the wire from under the transfer.
        m_bPending = true;
        return false;
    }
    QString strCandidate;
    for (const CPortInfo& info : CPortEnumerator::getPorts())
        if (info.vendorID == CPortEnumerator::UNIT_VENDOR_ID &&
            info.productID == CPortEnumerator::UNIT_PRODUCT_ID &&
            info.portName.compare(m_strExcludedPort, Qt::CaseInsensitive) != 0)
            strCandidate = info.portName;

    if (!m_strPort.isEmpty() && !isOnPinnedNode())
        m_bLost = true;
    if (strCandidate == m_strPort && !m_bLost)
        return false;
    follow(strCandidate);
    return true;
}

bool CPortFollower::isOnPinnedNode() const
{
    // A chmod changes the node the descriptor holds and the node the name leads to alike; a node
    // made anew under the name (a pseudo-terminal may even get the same number and inode) has a
    // change time of its own.
    struct stat pinned = {}, named = {};
    return m_nPin >= 0 && ::fstat(m_nPin, &pinned) == 0 &&
           ::stat(QFile::encodeName(m_strPort).constData(), &named) == 0 && pinned.st_dev == named.st_dev &&
           pinned.st_ino == named.st_ino && pinned.st_rdev == named.st_rdev &&
           pinned.st_ctim.tv_sec == named.st_ctim.tv_sec && pinned.st_ctim.tv_nsec == named.st_ctim.tv_nsec;
}

void CPortFollower::follow(const QString& strPortName)
{
    unpin();
    m_strPort = strPortName;
    m_bLost = false;
    // Taken before the program opens the port, so the pinned node is never newer than the open one:
    // a node replaced in between is reported as a re-plug, never taken for a permission change.
    if (!strPortName.isEmpty())
        m_nPin = ::open(QFile::encodeName(strPortName).constData(), O_PATH | O_CLOEXEC);
    emit signalPortChanged(strPortName);
}

void CPortFollower::unpin()
{
    if (m_nPin >= 0)
        ::close(m_nPin);
    m_nPin = -1;
}
