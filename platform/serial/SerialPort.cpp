#include "SerialPort.h"

#include <QElapsedTimer>

CSerialPort::CSerialPort(const QString& portName, EQueryMode mode, QObject* parent)
    : QIODevice(parent), m_port(this), m_strName(portName), m_eMode(mode)
{
    connect(&m_port, &QSerialPort::readyRead, this,
            [this]
            {
                if (m_eMode == EventDriven)
                    emit readyRead();
            });
}

CSerialPort::~CSerialPort()
{
    close();
}

void CSerialPort::setPortName(const QString& name)
{
    m_strName = name;
}

void CSerialPort::setQueryMode(EQueryMode mode)
{
    m_eMode = mode;
}

bool CSerialPort::open(OpenMode mode)
{
    if (isOpen())
        return false;
    m_port.setPortName(m_strName);
    if (!m_port.open(mode & ReadWrite))
    {
        setErrorString(m_port.errorString());
        return false;
    }
    return QIODevice::open(mode | Unbuffered);
}

void CSerialPort::close()
{
    if (!isOpen())
        return;
    QIODevice::close();
    m_port.close();
}

bool CSerialPort::waitForBytesWritten(int msecs)
{
    if (!isOpen())
        return false;
    return msecs == 0 ? m_port.flush() : m_port.waitForBytesWritten(msecs);
}

bool CSerialPort::hasFailed() const
{
    return isOpen() && (!m_port.isOpen() || m_port.error() == QSerialPort::ResourceError);
}

void CSerialPort::pump() const
{
    // QSerialPort fills its buffer only from the event loop or a wait; polling callers have neither.
    if (m_port.isOpen() && m_port.bytesAvailable() == 0)
        m_port.waitForReadyRead(0);
}

qint64 CSerialPort::bytesAvailable() const
{
    if (!isOpen())
        return 0;
    pump();
    return m_port.bytesAvailable() + QIODevice::bytesAvailable();
}

bool CSerialPort::waitForReadyRead(int msecs)
{
    if (!isOpen())
        return false;
    return QIODevice::bytesAvailable() > 0 || m_port.bytesAvailable() > 0 || m_port.waitForReadyRead(msecs);
}

qint64 CSerialPort::readData(char* data, qint64 maxSize)
{
    if (!m_port.isOpen())
        return -1;
    pump();
    return m_port.read(data, maxSize);
}

qint64 CSerialPort::writeData(const char* data, qint64 size)
{
    if (!m_port.isOpen() || m_port.error() == QSerialPort::ResourceError)
        return -1;
    if (m_port.write(data, size) != size)
        return -1;
    // Most writes go out at once; only what the driver does not take yet is waited for.
    m_port.flush();
    QElapsedTimer timer;
    timer.start();
    while (m_port.bytesToWrite() > 0)
    {
        const int left = WRITE_TIMEOUT_MS - int(timer.elapsed());
        if (left <= 0 || !m_port.waitForBytesWritten(left))
        {
            m_port.clear(QSerialPort::Output);
            return -1;
        }
    }
    return size;
}
