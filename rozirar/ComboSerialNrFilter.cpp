#include "ComboSerialNrFilter.h"

#include "FrameResources.h"

#include <QIcon>
#include <QStyledItemDelegate>

namespace
{
const char* const CONNECTED_ICON = ":/Pixmaps/FanRozirared.png";
const char* const NOT_CONNECTED_ICON = ":/Pixmaps/FanNotRozirared.png";
// The serial number is read back from the text after this many characters ("tolVane 100: ").
constexpr int SERIAL_TEXT_OFFSET = 13;
} // namespace

CComboSerialNrFilter::CComboSerialNrFilter(QWidget* parent) : QComboBox(parent)
{
    initFrameResources();
    m_connectedIcon = QIcon(CONNECTED_ICON);
    m_notConnectedIcon = QIcon(NOT_CONNECTED_ICON);
    setSizeAdjustPolicy(QComboBox::AdjustToContents);
    // Under the program's style sheet the pop-up would draw its items as menu entries, which keep
    // room for a check mark and cut the text; plain list items are as wide as the box's own text.
    setItemDelegate(new QStyledItemDelegate(this));
    connectIndex(true);
}

void CComboSerialNrFilter::connectIndex(bool bConnect)
{
    const auto signal = QOverload<int>::of(&QComboBox::currentIndexChanged);
    if (bConnect)
        connect(this, signal, this, &CComboSerialNrFilter::onCurrentIndexChanged);
    else
        disconnect(this, signal, this, &CComboSerialNrFilter::onCurrentIndexChanged);
}

QString CComboSerialNrFilter::makeItemText(quint32 nSerialNr, bool b70)
{
    if (nSerialNr == 0)
        return tr(" - ");
    return QString(b70 ? "tolVane plus: " : "tolVane 100: ") + QString::number(nSerialNr);
}

qint64 CComboSerialNrFilter::serialNrAt(int nIndex) const
{
    if (nIndex < 0 || nIndex >= count())
        return NO_SERIAL_NR;
    return itemText(nIndex).mid(SERIAL_TEXT_OFFSET).trimmed().toUInt();
}

bool CComboSerialNrFilter::isPlusAt(int nIndex) const
{
    return itemData(nIndex, Qt::UserRole).toBool();
}

qint64 CComboSerialNrFilter::getCurrentSerialNr(bool* pb70) const
{
    const int nIndex = currentIndex();
    if (pb70)
        *pb70 = nIndex >= 0 && isPlusAt(nIndex);
    return serialNrAt(nIndex);
}

void CComboSerialNrFilter::onCurrentIndexChanged(int nIndex)
{
    emit serialNrChanged(serialNrAt(nIndex), nIndex >= 0 && isPlusAt(nIndex));
}

bool CComboSerialNrFilter::comesBefore(qint64 nSerialNr, bool b70, int nIndex) const
{
    const bool bPlusAt = isPlusAt(nIndex);
    if (b70 != bPlusAt)
        return b70;
    return nSerialNr < serialNrAt(nIndex);
}

bool CComboSerialNrFilter::isAt(qint64 nSerialNr, bool b70, int nIndex) const
{
    return isPlusAt(nIndex) == b70 && serialNrAt(nIndex) == nSerialNr;
}

int CComboSerialNrFilter::findSerialNr(int lo, int hi, qint64 nSerialNr, bool b70, bool& bFound) const
{
    if (hi - lo > 1)
    {
        const int mid = (lo + hi) / 2;
        if (comesBefore(nSerialNr, b70, mid))
            return findSerialNr(lo, mid, nSerialNr, b70, bFound);
        if (isAt(nSerialNr, b70, mid))
        {
            bFound = true;
            return mid;
        }
        return findSerialNr(mid, hi, nSerialNr, b70, bFound);
    }
    for (int nIndex : {lo, hi})
    {
        if (isAt(nSerialNr, b70, nIndex))
        {
            bFound = true;
            return nIndex;
        }
    }
    if (comesBefore(nSerialNr, b70, lo))
        return lo;
    return comesBefore(nSerialNr, b70, hi) ? hi : hi + 1;
}

void CComboSerialNrFilter::addSerialNr(quint32 nSerialNr, bool bConnected, bool b70)
{
    const QIcon& icon = bConnected ? m_connectedIcon : m_notConnectedIcon;
    int nPos = 0;
    if (count() > 0)
    {
        bool bFound = false;
        nPos = findSerialNr(0, count() - 1, nSerialNr, b70, bFound);
        if (bFound)
        {
            setItemIcon(nPos, icon);
            return;
        }
    }
    connectIndex(false);
    insertItem(nPos, icon, makeItemText(nSerialNr, b70), b70);
    connectIndex(true);
}

bool CComboSerialNrFilter::selectSerialNr(quint32 nSerialNr, bool b70)
{
    if (count() == 0)
        return false;
    bool bFound = false;
    const int nIndex = findSerialNr(0, count() - 1, nSerialNr, b70, bFound);
    if (!bFound)
        return false;
    if (nIndex != currentIndex())
    {
        setCurrentIndex(nIndex);
        emit serialNrChanged(nSerialNr, b70);
    }
    return true;
}

void CComboSerialNrFilter::setSerialNrs(const QList<quint32>& lst100, const QList<quint32>& lst70)
{
    connectIndex(false);
    bool bNoted70 = false;
    const qint64 nNoted = getCurrentSerialNr(&bNoted70);
    clear();
    for (quint32 nSerialNr : lst70)
        addItem(m_notConnectedIcon, makeItemText(nSerialNr, true), true);
    for (quint32 nSerialNr : lst100)
        addItem(m_notConnectedIcon, makeItemText(nSerialNr, false), false);
    if (count() > 0)
    {
        bool bFound = false;
        const int nIndex = findSerialNr(0, count() - 1, nNoted, bNoted70, bFound);
        setCurrentIndex(bFound ? nIndex : 0);
    }
    bool b70 = false;
    const qint64 nCurrent = getCurrentSerialNr(&b70);
    if (nCurrent != nNoted && b70 == bNoted70)
        emit serialNrChanged(nCurrent, b70);
    connectIndex(true);
}
