#pragma once

#include <QIODevice>

class QFileDevice;

// Writes straight to the descriptor of an open file and keeps the system's reason when a write
// fails. The file's own buffered writes lose it: a disk that fills up takes part of a block
// without an error, and the file then reports "Unknown error".
class CDescriptorWriter : public QIODevice
{
    Q_OBJECT

public:
    // The file stays open and owned by the caller; the writer opens itself for writing.
    explicit CDescriptorWriter(const QFileDevice& file);

    bool isSequential() const override { return true; }

protected:
    qint64 readData(char* data, qint64 maxSize) override;
    qint64 writeData(const char* data, qint64 size) override;

private:
    int m_nDescriptor;
};
