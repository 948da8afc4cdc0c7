#pragma once

#include <QByteArray>
#include <QString>

// The PC end of a pseudo-terminal as the tests see it: raw bytes in and out, with a tiny
// frame writer of its own (independent of the PC's packet class and of the unit's framing).
class CTestLine
{
public:
    ~CTestLine() { close(); }
    bool open(const QString& path);
    void close();
    bool write(const QByteArray& bytes);
    // Reads until `count` bytes arrived or `timeoutMs` passed; returns what arrived.
    QByteArray read(int count, int timeoutMs = 2000);
    // True when nothing arrives within `ms`.
    bool quiet(int ms = 150);
    // True when the other end has gone (hang-up or read error).
    bool hungUp(int timeoutMs = 2000);

    // "qxvo", command, flags, length LE, data, CRC-16/CCITT-FALSE of the data LE.
    static QByteArray frame(quint8 command, quint8 flags, const QByteArray& data);
    static quint16 crc(const QByteArray& data);

private:
    int m_fd = -1;
};
