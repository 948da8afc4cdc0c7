#pragma once

#include "FanBase.h"
#include "LinkTestSupport.h"
#include "UnitTestHelpers.h"

#include <QList>
#include <QString>
#include <QVector>
#include <pty.h>
#include <unistd.h>

// A unit object whose requests run on the link's fake wire with a virtual clock. The
// program-wide port is opened on a pseudo-terminal nobody answers, so that requests see an
// open port; its wire is then replaced by the fake one. Deleting the unit object closes both.
template <typename Fan> class CFakeWireFixture
{
public:
    ~CFakeWireFixture()
    {
        stop();
        if (m_Master >= 0)
            ::close(m_Master);
    }

    bool start(Fan* pFan)
    {
        if (m_Master < 0)
        {
            int slave = -1;
            char name[256] = {};
            if (openpty(&m_Master, &slave, name, nullptr, nullptr) != 0)
                return false;
            ::close(slave);
            m_PortName = QString::fromLocal8Bit(name);
        }
        fan = pFan;
        if (!fan->openComPort(m_PortName))
            return false;
        delete g_pLLWire;
        wire = new LinkTest::CFakeWire;
        g_pLLWire = wire;
        unit = new LinkTest::CFakeUnit(*wire);
        return true;
    }

    void stop()
    {
        delete unit;
        delete fan;
        unit = nullptr;
        fan = nullptr;
        wire = nullptr;
    }

    // A reply packet as the unit sends it.
    static QByteArray reply(const QByteArray& data) { return LinkTest::frame(1, 0x10, data); }
    // The replies the unit sends to requests of `code`, one per request in turn.
    void setReplies(int code, const QList<QByteArray>& data)
    {
        unit->replies[code].clear();
        for (const QByteArray& d : data)
            unit->replies[code] << reply(d);
    }

    Fan* fan = nullptr;
    LinkTest::CFakeWire* wire = nullptr; // owned by the program-wide wire pointer
    LinkTest::CFakeUnit* unit = nullptr;

private:
    int m_Master = -1;
    QString m_PortName;
};

// Replies and entries whose bytes are recognisable.
namespace UnitReplies
{
inline QByteArray zeros(int n)
{
    return QByteArray(n, '\0');
}

// Data of a reply: code, then `length - 1` bytes, each its own offset (so slices are recognisable).
inline QByteArray replyData(int code, int length)
{
    QByteArray d(length, '\0');
    d[0] = char(code);
    for (int i = 1; i < length; ++i)
        d[i] = char(i);
    return d;
}

// One second-log entry whose bytes all hold the value n.
inline QByteArray entryBytes(int n)
{
    return QByteArray(32, char(n));
}

// A second-log reply: span, entries still to come, and up to five entries (the rest zero).
inline QByteArray secLogReply(int span, int remaining, const QList<int>& entries)
{
    QByteArray d = LinkTest::bytes({20, span, 0, 0, remaining & 0xFF, remaining >> 8});
    for (int n : entries)
        d += entryBytes(n);
    return d + zeros(166 - d.size());
}

// A primary-log reply: entries still to come and up to seven state records of entrySize bytes.
inline QByteArray primLogReply(int remaining, const QList<int>& entries, int entrySize = 26)
{
    QByteArray d = LinkTest::bytes({15, 0, remaining & 0xFF, remaining >> 8});
    for (int n : entries)
        d += QByteArray(entrySize, char(n));
    return d + zeros(4 + 7 * entrySize - d.size());
}

} // namespace UnitReplies
