#pragma once

#include <QByteArray>
#include <QIODevice>

// A write device that takes a fixed number of bytes and then refuses every further write
// with -1, as a full disk or a pulled stick does. What it took is kept for inspection.
class CFailingDevice : public QIODevice
{
    Q_OBJECT

public:
    explicit CFailingDevice(qint64 acceptedBytes, QObject* parent = nullptr);

    const QByteArray& written() const { return m_Written; }

protected:
    qint64 readData(char* data, qint64 maxSize) override;
    qint64 writeData(const char* data, qint64 size) override;

private:
    qint64 m_AcceptedBytes;
    QByteArray m_Written;
};
