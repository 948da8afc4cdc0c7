#include "ModalAnswerer.h"
#include "SimMessages.h"
#include "UnitRig.h"
#include "debugwidget.h"
#include "ui_maindialog.h"

#include <QPushButton>
#include <QtEndian>
#include <QtTest>

using unitsim::EUnitType;
using unitsim::SSimUnitModel;

namespace
{
// What happens to the identified unit before the steps are pressed.
using Event = std::function<void(CUnitRig&, CMainDialog&)>;

struct SGateScenario
{
    SSimUnitModel unit;
    Event before;
    bool gateOpen = false; // the panel's writing steps are on once `before` has happened
    QStringList steps;     // pressed in this order; a step that is off is started by its name
    QStringList writes;    // the writes that reached the unit meanwhile, from its frame log
};
} // namespace

Q_DECLARE_METATYPE(SGateScenario)

// Every write to the unit, from the sequence or the service panel, passes one gate: the unit's
// last identification is valid, was made on the port it is on, shows a bootloader, and the image
// is its own system's. Judged by what reached the simulated unit, not by what the window says.
class TestWriteGate : public QObject
{
    Q_OBJECT

private slots:
    void scenarios_data();
    void scenarios();
};

namespace
{
const QStringList WRITE_STEPS = {"Update Application", "Update CC3200", "Update Bootloader", "Swap Boot"};
const QStringList EVERY_WRITE = WRITE_STEPS + QStringList{"Update Firmware"};

QPushButton* panelButton(CMainDialog& dialog, const QString& text)
{
    for (QPushButton* pButton : dialog.debugWidget()->findChildren<QPushButton*>())
        if (pButton->text() == text)
            return pButton;
    return nullptr;
}

void press(CMainDialog& dialog, const QString& step)
{
    if (step == "Update Firmware")
    {
        dialog.on_ButtonBurn_clicked();
        return;
    }
    QPushButton* pButton = panelButton(dialog, step);
    QVERIFY(pButton);
    if (pButton->isEnabled())
        pButton->click();
    else if (step == "Swap Boot")
        dialog.debugWidget()->slotButtonSwap();
    else if (step == "Update Application")
        dialog.on_ButtonAppl_clicked();
    else if (step == "Update CC3200")
        dialog.on_ButtonCC3200_clicked();
    else
        dialog.on_ButtonBootLdr_clicked();
}

// The writes among the frames the unit received: "image N from S" for the blocks of an upload of
// partition type N with start address S ("upload" for one without blocks), "swap", "serial
// number", "start-up mode". Data, block ends and the upload's end belong to what went before.
QStringList writesReceived(const unitsim::CSimUnit& unit)
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
        default:
            continue;
        }
        // Repeats of a frame and the blocks of one upload count once.
        if (writes.isEmpty() || writes.last() != strWrite)
            writes << strWrite;
    }
    return writes;
}

// The identification record ends before the unit type: no identification can be made of it.
const unitsim::SSimFault UNREADABLE_IDENT{unitsim::ESimFault::WrongReplyLength,
                                          13 - unitsim::IDENT_RECORD_SIZE, 1, 0};

Event getIdentFails(const unitsim::SSimFault& fault)
{
    return [fault](CUnitRig& rig, CMainDialog& dialog)
    {
        rig.unit.addFault(fault);
        panelButton(dialog, "Get Ident")->click();
        rig.unit.clearFaults();
    };
}
} // namespace

void TestWriteGate::scenarios_data()
{
    QTest::addColumn<SGateScenario>("scenario");
    const SSimUnitModel plusInBootloader1 = unitModel(EUnitType::TolVanePlus, 7001, 1, 2, 12, 2, 5);
    const SSimUnitModel t100InBootloader1 = unitModel(EUnitType::TolVane100, 4711, 1, 2, 12, 2, 5);

    SGateScenario s;
    s.unit = unitModel(EUnitType::TolVanePlus, 7001, 7, 2, 12, 2, 5);
    s.steps = EVERY_WRITE;
    QTest::newRow("plus reporting running image 7") << s;

    s = SGateScenario();
    s.unit = plusInBootloader1;
    s.before = getIdentFails({unitsim::ESimFault::LoseRequest, 0, 1, 0});
    s.steps = EVERY_WRITE;
    QTest::newRow("plus whose Get Ident was lost") << s;

    s.unit = t100InBootloader1;
    s.before = getIdentFails(UNREADABLE_IDENT);
    QTest::newRow("tolVane100 whose Get Ident failed") << s;

    s = SGateScenario();
    s.unit = t100InBootloader1;
    s.before = [](CUnitRig& rig, CMainDialog& dialog)
    {
        rig.unplug();
        rig.unit.setModel(unitModel(EUnitType::TolVanePlus, 7001, 1, 2, 12, 2, 5));
        rig.unit.addFault(UNREADABLE_IDENT);
        QVERIFY(rig.plugIn());
        dialog.portEnumerator().rescan();
        rig.unit.clearFaults();
    };
    s.steps = EVERY_WRITE;
    QTest::newRow("unidentifiable plus plugged in on the identified tolVane100's port") << s;

    s = SGateScenario();
    s.unit = unitModel(EUnitType::TolVane100, 4711, 3, 2, 12, 2, 5);
    s.steps = EVERY_WRITE;
    QTest::newRow("unit running its application") << s;

    s = SGateScenario();
    s.unit = plusInBootloader1;
    s.before = [](CUnitRig& rig, CMainDialog& dialog)
    {
        rig.unit.addFault({unitsim::ESimFault::CorruptCrc, 0, 1, 0});
        dialog.on_ButtonBootLdr_clicked();
        rig.unit.clearFaults();
    };
    s.steps = EVERY_WRITE;
    QTest::newRow("after a failed bootloader swap") << s;

    s.before = [](CUnitRig& rig, CMainDialog& dialog)
    {
        rig.unit.addFault({unitsim::ESimFault::CorruptCrc, 0, 1, 0});
        panelButton(dialog, "Swap Boot")->click();
        rig.unit.clearFaults();
    };
    QTest::newRow("after a failed Swap Boot") << s;

    // Only the bootloader the unit is not running is written, whatever button swapped last.
    s = SGateScenario();
    s.unit = t100InBootloader1;
    s.gateOpen = true;
    s.steps = QStringList{"Update Bootloader", "Update Bootloader"};
    s.writes = QStringList{"image 2 from 1120", "swap", "image 1 from 1120", "swap"};
    QTest::newRow("Update Bootloader twice") << s;

    s.steps = QStringList{"Swap Boot", "Update Bootloader"};
    s.writes = QStringList{"swap", "image 1 from 1120", "swap"};
    QTest::newRow("Swap Boot, then Update Bootloader") << s;

    s.unit = plusInBootloader1;
    s.steps = QStringList{"Update Application"};
    s.writes = QStringList{"image 3 from 39781"};
    QTest::newRow("plus in its bootloader: its own application") << s;
}

void TestWriteGate::scenarios()
{
    QFETCH(SGateScenario, scenario);
    CUnitRig rig(scenario.unit);
    QVERIFY(rig.keepPortName());
    CBoxAnswerer answerer;
    CMainDialog dialog(false, false, false, false, false, false, QString(), QString(), true, QString());
    dialog.portEnumerator().setPollInterval(3600 * 1000); // the port list is looked at where the row says
    QCoreApplication::sendPostedEvents(&dialog, QEvent::MetaCall); // the first search
    QVERIFY(dialog.debugWidget());
    if (scenario.before)
        scenario.before(rig, dialog);

    for (const QString& step : WRITE_STEPS)
    {
        const bool bWifiModule = step == "Update CC3200" && dialog.unit()->getUnitType() != 0;
        QCOMPARE(panelButton(dialog, step)->isEnabled(), scenario.gateOpen && !bWifiModule);
    }
    QVERIFY(panelButton(dialog, "Get Ident")->isEnabled());
    QVERIFY(panelButton(dialog, "Get Part Table")->isEnabled());

    rig.unit.clearRecords();
    for (const QString& step : scenario.steps)
        press(dialog, step);
    QCOMPARE(writesReceived(rig.unit), scenario.writes);
}

QTEST_MAIN(TestWriteGate)
#include "tst_writegate.moc"
