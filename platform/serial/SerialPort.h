#pragma once

#include <QIODevice>
#include <QSerialPort>

// The serial port the link talks through: a sequential QIODevice over QSerialPort
// that also works without an event loop. In polling mode every bytesAvailable/read
// first pulls what the OS holds, and every write hands all bytes to the OS before
// it returns; a write that cannot do so reports -1.
// Line settings stay at their defaults: 9600 baud, 8N1, no flow control.
class CSerialPort : public QIODevice
{
    Q_OBJECT
public:
    enum EQueryMode
    {
        Polling,
        EventDriven
    };

    explicit CSerialPort(const QString& portName = QStringLiteral("COM1"), EQueryMode mode = Polling,
                         QObject* parent = nullptr);
    ~CSerialPort() override;

    void setPortName(const QString& name);
    // The name as given: a full device path stays a full path.
    QString portName() const { return m_strName; }
    void setQueryMode(EQueryMode mode);
    EQueryMode queryMode() const { return m_eMode; }

    bool open(OpenMode mode) override;
    void close() override;
    bool isSequential() const override { return true; }
    qint64 bytesAvailable() const override;
    // True at once when bytes are waiting, else waits up to msecs for some to arrive.
    bool waitForReadyRead(int msecs) override;
    // Pushes pending output to the OS, with 0 without waiting; input is kept. The link reaches
    // it through QIODevice, so it needs no knowledge of this class.
    bool waitForBytesWritten(int msecs) override;
    // True once the device went from under the open port (an I/O error, the device gone): the
    // port is of no use any longer, even should a device come back under its name.
    bool hasFailed() const;

    // Longest a write may wait for the OS to take its bytes.
    static constexpr int WRITE_TIMEOUT_MS = 2000;

protected:
    qint64 readData(char* data, qint64 maxSize) override;
    qint64 writeData(const char* data, qint64 size) override;

private:
    void pump() const;

    // A child, so that moving the port to the thread that uses it moves the QSerialPort along.
    mutable QSerialPort m_port;
    QString m_strName;
    EQueryMode m_eMode;
};
