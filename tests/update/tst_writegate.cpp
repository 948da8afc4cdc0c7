#include "DebugCorMisto70.h"
#include "DebugTolVane100.h"
#include "ModalAnswerer.h"
#include "UnitRig.h"
#include "ui_maindialog.h"

#include <QPushButton>
#include <QRadioButton>
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
    bool gateOpen = false;    // the panel's update steps are on once `before` has happened
    bool panelWrites = false; // and so are its own requests that change the unit
    QStringList steps;        // pressed in this order; a step that is off is started by its name
    QStringList writes;       // the writes that reached the unit meanwhile, from its frame log
};
} // namespace

Q_DECLARE_METATYPE(SGateScenario)

// Every write to the unit, from the sequence or the service panel, passes one gate: the
// identification it was decided on is still the current one, was valid and made on the port the
// unit is on; an update step also needs a bootloader shown, and the image is its own system's.
// After a swap only a new identification tells which bootloader runs. Judged by what reached the
// simulated unit, not by what the window says.
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
// The service panels' own requests that change the unit.
const QStringList UNIT_WRITES = {"Set Values 100", "Set Values 70", "Calc.Ave.Sensor Values",
                                 "Move Extract",   "Move 2nd",      "Move Supply",
                                 "Move Bypass",    "Erase Sec Log"};
const QStringList WRITES_100 = {"Set Values 100", "Calc.Ave.Sensor Values", "Move 2nd", "Erase Sec Log"};
const QStringList WRITES_PLUS = {"Set Values 70", "Calc.Ave.Sensor Values", "Erase Sec Log"};

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
    CDebugWidget* pPanel = dialog.debugWidget();
    if (step == "Move 2nd")
        for (QRadioButton* pPosition : pPanel->findChildren<QRadioButton*>())
            if (pPosition->text() == "Tick-")
                pPosition->setChecked(true);
    if (pButton->isEnabled())
        pButton->click();
    else if (step == "Set Values 100")
        qobject_cast<CDebugTolVane100*>(pPanel)->slotButtonSetValues();
    else if (step == "Set Values 70")
        qobject_cast<CDebugCorMisto70*>(pPanel)->slotButtonSetSensorValues();
    else if (step == "Calc.Ave.Sensor Values")
        pPanel->slotCalcAveSenVal();
    else if (step == "Move 2nd")
        qobject_cast<CDebugTolVane100*>(pPanel)->onButonMoveVent_clicked(1);
    else if (step == "Erase Sec Log")
        pPanel->slotEraseSecLog();
    else if (step == "Swap Boot")
        dialog.debugWidget()->slotButtonSwap();
    else if (step == "Update Application")
        dialog.on_ButtonAppl_clicked();
    else if (step == "Update CC3200")
        dialog.on_ButtonCC3200_clicked();
    else
        dialog.on_ButtonBootLdr_clicked();
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
    s.steps = EVERY_WRITE + WRITES_PLUS;
    QTest::newRow("plus reporting running image 7") << s;

    s = SGateScenario();
    s.unit = plusInBootloader1;
    s.before = getIdentFails({unitsim::ESimFault::LoseRequest, 0, 1, 0});
    s.steps = EVERY_WRITE + WRITES_PLUS;
    QTest::newRow("plus whose Get Ident was lost") << s;

    s.unit = t100InBootloader1;
    s.before = getIdentFails(UNREADABLE_IDENT);
    s.steps = EVERY_WRITE + WRITES_100;
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
    // The tolVane100's panel stays: its requests would reach the plus in the tolVane100's layout.
    s.steps = EVERY_WRITE + WRITES_100;
    QTest::newRow("unidentifiable plus plugged in on the identified tolVane100's port") << s;

    s = SGateScenario();
    s.unit = unitModel(EUnitType::TolVane100, 4711, 3, 2, 12, 2, 5);
    s.panelWrites = true;
    s.steps = EVERY_WRITE + WRITES_100;
    s.writes = QStringList{"simulation", "average", "move vent", "erase log"};
    QTest::newRow("unit running its application") << s;

    s = SGateScenario();
    s.unit = plusInBootloader1;
    s.before = [](CUnitRig& rig, CMainDialog& dialog)
    {
        rig.unit.addFault({unitsim::ESimFault::CorruptCrc, 0, 1, 0});
        dialog.on_ButtonBootLdr_clicked();
        rig.unit.clearFaults();
    };
    s.steps = EVERY_WRITE + WRITES_PLUS;
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
    s.panelWrites = true;
    s.steps = QStringList{"Update Bootloader", "Update Bootloader"};
    s.writes = QStringList{"image 2 from 1120", "swap", "image 1 from 1120", "swap"};
    QTest::newRow("Update Bootloader twice") << s;

    s.steps = QStringList{"Swap Boot", "Update Bootloader"};
    s.writes = QStringList{"swap", "image 1 from 1120", "swap"};
    QTest::newRow("Swap Boot, then Update Bootloader") << s;

    // The acknowledgement of the swap request is lost once: the link sends it again, and the unit
    // swaps twice, back to the bootloader it ran.
    const Event swapRepeated = [](CUnitRig& rig, CMainDialog&) {
        rig.unit.addFault({unitsim::ESimFault::DropAck, 0, 1, 1, unitsim::MSG_SWAP_BOOTLOADERS});
    };
    s.before = swapRepeated;
    s.steps = QStringList{"Update Bootloader", "Update Bootloader"};
    s.writes = QStringList{"image 2 from 1120", "swap", "image 2 from 1120", "swap"};
    QTest::newRow("Update Bootloader whose swap is repeated, twice") << s;

    s.steps = QStringList{"Swap Boot", "Update Bootloader"};
    s.writes = QStringList{"swap", "image 2 from 1120", "swap"};
    QTest::newRow("Swap Boot repeated, then Update Bootloader") << s;

    s.unit = plusInBootloader1;
    s.before = Event();
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
    for (const QString& write : UNIT_WRITES)
        if (QPushButton* pButton = panelButton(dialog, write))
            QVERIFY2(pButton->isEnabled() == scenario.panelWrites, qPrintable(write));
    QVERIFY(panelButton(dialog, "Get Ident")->isEnabled());
    QVERIFY(panelButton(dialog, "Get Part Table")->isEnabled());

    rig.unit.clearRecords();
    for (const QString& step : scenario.steps)
        press(dialog, step);
    QCOMPARE(writesReceived(rig.unit), scenario.writes);
    QCOMPARE(blocksIntoTheRunningBootloader(rig.unit.model()), 0);
}

QTEST_MAIN(TestWriteGate)
#include "tst_writegate.moc"
