#pragma once

#include "FanBase.h"
#include "LinkTestSupport.h"

#include <QSignalSpy>
#include <QStringList>
#include <pty.h>
#include <unistd.h>

// A unit object of the updater's build whose requests run on the link's fake wire with a virtual
// clock. Its own port is opened on a pseudo-terminal nobody answers, so that requests see an
// open port; the wire factory then hands it the fake wire instead of one over that port.
template <typename Fan> class CUpdaterFixture
{
public:
    CUpdaterFixture()
    {
        int slave = -1;
        char name[256] = {};
        if (openpty(&m_Master, &slave, name, nullptr, nullptr) == 0)
        {
            ::close(slave);
            portName = QString::fromLocal8Bit(name);
        }
    }
    ~CUpdaterFixture()
    {
        stop();
        if (m_Master >= 0)
            ::close(m_Master);
    }

    bool start(Fan* pFan)
    {
        CFanBase::setWireFactory(
            [this](QIODevice*)
            {
                wire = new LinkTest::CFakeWire;
                return wire;
            });
        fan = pFan;
        const bool opened = fan->openComPort(portName);
        CFanBase::setWireFactory(nullptr);
        if (!opened)
            return false;
        unit = new LinkTest::CFakeUnit(*wire);
        return true;
    }

    void stop()
    {
        delete unit;
        delete fan; // deletes the wire
        unit = nullptr;
        fan = nullptr;
        wire = nullptr;
    }

    // A reply packet as the unit sends it.
    static QByteArray reply(const QByteArray& data) { return LinkTest::frame(1, 0x10, data); }

    Fan* fan = nullptr;
    LinkTest::CFakeWire* wire = nullptr; // owned by the unit object
    LinkTest::CFakeUnit* unit = nullptr;
    QString portName;

private:
    int m_Master = -1;
};

inline QStringList signalTexts(const QSignalSpy& spy)
{
    QStringList out;
    for (const QList<QVariant>& args : spy)
        out << args.at(0).toString();
    return out;
}
