#pragma once

#include "FanBase.h"
#include "FastWire.h"
#include "PortEnumerator.h"
#include "SimMessages.h"
#include "SimRequests.h"
#include "SimUnit.h"
#include "maindialog.h"

#include <QTemporaryDir>
#include <QTimer>
#include <QtEndian>
#include <QtTest>
#include <algorithm>
#include <memory>

// The simulated unit on a pseudo-terminal offered as the unit's USB port, with the unit
// objects' long pauses on a virtual clock (recorded), and the dialog's port polling made quick.
class CUnitRig
{
public:
    explicit CUnitRig(const unitsim::SSimUnitModel& model) : unit(model)
    {
        s_Pauses.clear();
        CFanBase::setWireFactory([](QIODevice* pPort) { return new CRecordingWire(pPort); });
        plugIn();
    }
    ~CUnitRig()
    {
        qunsetenv(CPortEnumerator::UNIT_PORT_VARIABLE);
        CFanBase::setWireFactory(nullptr);
    }

    // The unit is plugged in (again): its port is offered as the unit's. False when it cannot start.
    bool plugIn()
    {
        if (!unit.start())
            return false;
        QString strPort = unit.portName();
        if (!m_strStableName.isEmpty() && QFile::link(strPort, m_strStableName))
            strPort = m_strStableName;
        qputenv(CPortEnumerator::UNIT_PORT_VARIABLE, strPort.toLocal8Bit());
        return true;
    }
    // From now on the unit is offered under one name, whatever pseudo-terminal it comes back on,
    // as a USB adapter keeps its device name when it is plugged in again.
    bool keepPortName()
    {
        if (!m_Dir.isValid())
            return false;
        m_strStableName = m_Dir.filePath(QStringLiteral("unit"));
        unplug();
        return plugIn();
    }
    // The unit is unplugged: its port is gone, by name too, since the pseudo-terminal's path may be
    // handed at once to another process (another test's unit), which must not answer for it.
    void unplug()
    {
        unit.disappear();
        qunsetenv(CPortEnumerator::UNIT_PORT_VARIABLE);
        if (!m_strStableName.isEmpty())
            QFile::remove(m_strStableName);
    }

    // Quick port polling, and a unit that does not come back after a restart fails in seconds.
    void speedUp(CMainDialog& dialog)
    {
        dialog.portEnumerator().setPollInterval(POLL_MS);
        dialog.setRestartTimeout(RESTART_TIMEOUT_MS);
    }

    // The unit restarts: its port vanishes and comes back once the dialog has handled the removal.
    // Driven by the enumerator's removal signal (the dialog's own slot runs first), so the order
    // of events is the same however slowly the machine runs. `change` alters the unit meanwhile.
    void restartWhenReleased(CMainDialog& dialog,
                             const std::function<void(unitsim::SSimUnitModel&)>& change = {})
    {
        if (change)
            unit.updateModel(change);
        unplug();
        auto pConnection = std::make_shared<QMetaObject::Connection>();
        *pConnection = QObject::connect(&dialog.portEnumerator(), &CPortEnumerator::deviceRemoved, &dialog,
                                        [this, pConnection]
                                        {
                                            QObject::disconnect(*pConnection);
                                            plugIn();
                                        });
    }

    static QVector<int> pauses() { return s_Pauses; }

    // Requests the unit has received since its records were last cleared. Acknowledgements are
    // left out: the PC's last one of an earlier reply may reach the unit's thread later.
    int requestsReceived() const { return requestCount(unit); }

    static constexpr int POLL_MS = 20;
    // How long a test lets the dialog wait for a restarted unit.
    static constexpr int RESTART_TIMEOUT_MS = 20000;
    unitsim::CSimUnit unit;

private:
    QTemporaryDir m_Dir;
    QString m_strStableName;

    // Keeps the pauses of every wire, also of those the unit objects have dropped.
    class CRecordingWire : public CFastWire
    {
    public:
        using CFastWire::CFastWire;
        ~CRecordingWire() override { s_Pauses += pauses; }
    };
    static inline QVector<int> s_Pauses;
};

// Should the program under test not end its event loop within a minute, this ends it with -2.
class CRunGuard
{
public:
    CRunGuard()
    {
        m_Timer.setSingleShot(true);
        QObject::connect(&m_Timer, &QTimer::timeout, [] { QCoreApplication::exit(-2); });
        m_Timer.start(60000);
    }

private:
    QTimer m_Timer;
};

// A unit model with the versions and running image under test.
inline unitsim::SSimUnitModel unitModel(unitsim::EUnitType type, quint32 serial, int running, int bootMain,
                                        int bootSub, int appMain, int appSub)
{
    unitsim::SSimUnitModel model = unitsim::SSimUnitModel::make(type, serial);
    model.ident.serialNumber = serial; // make() gives a unit without one a number of its own
    model.ident.runningPart = quint8(running);
    model.ident.bootMain = quint8(bootMain);
    model.ident.bootSub = quint8(bootSub);
    model.ident.appMain = quint8(appMain);
    model.ident.appSub = quint8(appSub);
    return model;
}

// The writes among the frames the unit received: "image N from S" for the blocks of an upload of
// partition type N with start address S ("upload" for one without blocks), "swap", "serial
// number", "start-up mode", "counter", "erase log", "simulation", "average", "move vent". Data,
// block ends and the upload's end belong to what went before.
inline QStringList writesReceived(const unitsim::CSimUnit& unit)
{
    QStringList writes;
    for (const unitsim::SSimFrame& frame : unit.receivedFrames())
    {
        if (frame.isAck())
            continue;
        QString strWrite;
        switch (frame.messageCode())
        {
        case unitsim::MSG_UPLOAD_MODE_BEGIN:
            strWrite = QStringLiteral("upload");
            break;
        case unitsim::MSG_UPLOAD_START:
            strWrite = QStringLiteral("image %1 from %2")
                           .arg(quint8(frame.data.at(7)))
                           .arg(qFromLittleEndian<quint32>(frame.data.constData() + 10));
            if (!writes.isEmpty() && writes.last() == QLatin1String("upload"))
                writes.removeLast();
            break;
        case unitsim::MSG_SWAP_BOOTLOADERS:
            strWrite = QStringLiteral("swap");
            break;
        case unitsim::MSG_SET_SERIAL_NUMBER:
            strWrite = QStringLiteral("serial number");
            break;
        case unitsim::MSG_STARTUP_MODE:
        case unitsim::MSG_START_APPLICATION:
            strWrite = QStringLiteral("start-up mode");
            break;
        case unitsim::MSG_SINGLE_COUNTER:
            if (frame.data.size() < 3 || frame.data.at(2) != 1) // a read
                continue;
            strWrite = QStringLiteral("counter");
            break;
        case unitsim::MSG_ERASE_SEC_LOG:
            strWrite = QStringLiteral("erase log");
            break;
        case unitsim::MSG_SIMULATION:
            strWrite = QStringLiteral("simulation");
            break;
        case unitsim::MSG_AVERAGE:
            strWrite = QStringLiteral("average");
            break;
        case unitsim::MSG_MOVE_VENT:
            strWrite = QStringLiteral("move vent");
            break;
        default:
            continue;
        }
        // Repeats of a frame and the blocks of one upload count once.
        if (writes.isEmpty() || writes.last() != strWrite)
            writes << strWrite;
    }
    return writes;
}

// Blocks of a bootloader image that went into the bootloader the unit ran at that moment.
inline int blocksIntoTheRunningBootloader(const unitsim::SSimUnitModel& model)
{
    return int(std::count_if(model.uploadedBlocks.begin(), model.uploadedBlocks.end(),
                             [](const unitsim::SSimUploadedBlock& block)
                             {
                                 const quint8 nType =
                                     block.header.size() > 7 ? quint8(block.header.at(7)) : 0;
                                 return (nType == 1 || nType == 2) && nType == block.runningPart;
                             }));
}
