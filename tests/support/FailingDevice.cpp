#include "FailingDevice.h"

CFailingDevice::CFailingDevice(qint64 acceptedBytes, QObject* parent)
    : QIODevice(parent), m_AcceptedBytes(acceptedBytes)
{
}

qint64 CFailingDevice::readData(char*, qint64)
{
    return -1;
}

qint64 CFailingDevice::writeData(const char* data, qint64 size)
{
    const qint64 room = m_AcceptedBytes - m_Written.size();
    if (room <= 0 && size > 0)
        return -1;
    const qint64 taken = qMin(room, size);
    m_Written.append(data, int(taken));
    return taken;
}
