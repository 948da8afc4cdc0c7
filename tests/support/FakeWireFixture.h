#pragma once

#include "FanBase.h"
#include "LinkTestSupport.h"
#include "SilentPort.h"

#include <QList>
#include <QSignalSpy>
#include <QStringList>

// A unit object whose requests run on the link's fake wire with a virtual clock. Its port is
// opened on a port nobody answers, so that requests see an open port; the wire factory hands it
// the fake wire instead of one over that port. Deleting the unit object closes both.
template <typename Fan> class CFakeWireFixture
{
public:
    ~CFakeWireFixture() { stop(); }

    bool start(Fan* pFan)
    {
        fan = pFan;
        wire = nullptr;
        CFanBase::setWireFactory(
            [this](QIODevice*)
            {
                wire = new LinkTest::CFakeWire;
                return wire;
            });
        const bool opened = fan->openComPort(port.name());
        CFanBase::setWireFactory(nullptr);
        if (!opened || !wire)
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
    // The replies the unit sends to requests of `code`, one per request in turn.
    void setReplies(int code, const QList<QByteArray>& data)
    {
        unit->replies[code].clear();
        for (const QByteArray& d : data)
            unit->replies[code] << reply(d);
    }

    Fan* fan = nullptr;
    LinkTest::CFakeWire* wire = nullptr; // owned by the unit object's link
    LinkTest::CFakeUnit* unit = nullptr;
    CSilentPort port;
};

// The first argument of every signal caught, as text.
inline QStringList signalTexts(const QSignalSpy& spy)
{
    QStringList out;
    for (const QList<QVariant>& args : spy)
        out << args.at(0).toString();
    return out;
}
