#include "DebugCorMisto70.h"
#include "DebugTolVane100.h"
#include "ModalAnswerer.h"
#include "UnitRig.h"
#include "UpdaterStartup.h"
#include "flashimagelist.h"
#include "ui_maindialog.h"

#include <QtTest>

using unitsim::EUnitType;

Q_DECLARE_METATYPE(unitsim::EUnitType)

namespace
{
using ImageList = QList<QPair<int, int>>; // (image type, system) in upload order
}

// Identification, decision and the update sequence against the simulated unit.
class TestUpdateSequence : public QObject
{
    Q_OBJECT

private slots:
    void identifiesTheUnit();
    void plusUnitReplacesUnitObjectAndPanel();
    void tolVane100WithBridgeRestartsInTheMiddle();
    void updatePathsWithoutRestart_data();
    void updatePathsWithoutRestart();
    void restartWaitGivesUpWhenTheUnitStaysAway();
    void closingDuringTheRestartWaitEndsTheUpdate();
    void portChangeDuringATransferWaitsForItsEnd();
    void oldBootloaderInstallsOnlyTheBootloader();
    void unitWithoutSerialNumberGetsTheTypedOne();
    void failedUploadKeepsTheInstructionAndReturnsToReady();
    void failedSwapAsksForANewIdentification();
    void shortIdentificationIsRefused_data();
    void shortIdentificationIsRefused();
    void firstSearchRunsOnceTheWindowIsUp();
    void deIcingSwitchWritesTheCounters();
    void deIcingFailureRestoresTheFirstCounter();
    void installModeSetsTheStartupMode();
    void automaticUpdateEndsWith100();
    void automaticUpdateWithAFailedStepStaysOpen();
};

namespace
{
std::unique_ptr<CMainDialog> makeDialog(bool bInstall = false, bool bOwner = false,
                                        const QString& sn = QString())
{
    auto pDialog = std::make_unique<CMainDialog>(bInstall, false, false, false, bOwner, false, QString(), sn,
                                                 false, QString());
    QCoreApplication::sendPostedEvents(pDialog.get(), QEvent::MetaCall); // the first search
    return pDialog;
}

template <typename T> T* child(QWidget& parent, const char* name)
{
    return parent.findChild<T*>(QLatin1String(name));
}

QString statusText(CMainDialog& dialog)
{
    return child<QLabel>(dialog, "LabelMain")->text();
}

// The header's partition type (byte 7) and the block address of each block the unit received.
QList<QPair<int, quint32>> receivedBlocks(const unitsim::SSimUnitModel& model)
{
    QList<QPair<int, quint32>> blocks;
    for (const unitsim::SSimUploadedBlock& block : model.uploadedBlocks)
        blocks.append({quint8(block.header.at(7)), block.address()});
    return blocks;
}

// The bytes every received block holds equal the catalogue's block, unchanged.
void verifyBlocksAsShipped(const unitsim::SSimUnitModel& model, const QList<QPair<int, int>>& images)
{
    const CFlashImageList list;
    int n = 0;
    for (const auto& image : images)
        for (const SMemBlock& block :
             list.findImage(CPartitionTable::EPartType(image.first), CFlashImage::ESystem(image.second))
                 ->m_Blocks)
        {
            QVERIFY(n < model.uploadedBlocks.size());
            const unitsim::SSimUploadedBlock& received = model.uploadedBlocks.at(n++);
            QVERIFY(received.ended);
            QCOMPARE(received.address(), block.MemAdr);
            QCOMPARE(received.data, block.Data);
        }
    QCOMPARE(model.uploadedBlocks.size(), n);
}
} // namespace

void TestUpdateSequence::identifiesTheUnit()
{
    CUnitRig rig(unitModel(EUnitType::TolVane100, 4711, 1, 2, 12, 2, 1));
    auto pDialog = makeDialog();
    QCOMPARE(child<QLineEdit>(*pDialog, "LineEditSerialNumber")->text(), QStringLiteral("4711"));
    QCOMPARE(child<QLineEdit>(*pDialog, "LineEditBoardVersion")->text(), QStringLiteral("3"));
    QCOMPARE(child<QLineEdit>(*pDialog, "LineEditBootloaderVersion")->text(), QStringLiteral("2.12.A"));
    QCOMPARE(child<QLineEdit>(*pDialog, "LineEditApplicationVersion")->text(), QStringLiteral("2.01"));
    QCOMPARE(pDialog->runningImage(), RUNNING_BOOTLOADER_1);
    QCOMPARE(pDialog->knownSerialNumber(), 4711u);
    QVERIFY(pDialog->needs().wifiBridgeNeeded && pDialog->needs().applicationNeeded);
    QVERIFY(!pDialog->needs().bootloaderNeeded);
    QVERIFY(qobject_cast<CDebugTolVane100*>(pDialog->debugWidget()));
    QCOMPARE(
        statusText(*pDialog),
        QStringLiteral("Your tolVane100 is ready to receive updates!\nClick 'Update Firmware' to continue."));
    QVERIFY(child<QPushButton>(*pDialog, "ButtonBurn")->isEnabled());

    // The same port again: nothing is asked.
    rig.unit.clearRecords();
    pDialog->on_DeviceListChanged();
    QCOMPARE(rig.requestsReceived(), 0);
}

void TestUpdateSequence::plusUnitReplacesUnitObjectAndPanel()
{
    CUnitRig rig(unitModel(EUnitType::TolVane100, 4711, 3, 2, 12, 2, 12));
    auto pDialog = makeDialog();
    rig.speedUp(*pDialog);
    QCOMPARE(pDialog->unit()->getUnitType(), 0);
    QCOMPARE(statusText(*pDialog),
             QStringLiteral("Your tolVane100 is running the application.\nTo update it, switch "
                            "it off and wait until all LEDs are off.\nThen switch it on again."));

    rig.restartWhenReleased(*pDialog, [](unitsim::SSimUnitModel& m)
                            { m = unitModel(EUnitType::TolVanePlus, 7001, 2, 2, 12, 2, 13); });
    QTRY_COMPARE(pDialog->unit()->getUnitType(), 1);
    QCOMPARE(pDialog->unit()->getComPortName(), rig.unit.portName());
    QVERIFY(qobject_cast<CDebugCorMisto70*>(pDialog->debugWidget()));
    QVERIFY(pDialog->isPlusUnit());
    QCOMPARE(statusText(*pDialog), QStringLiteral("Your tolVane plus is up-to-date."));
}

void TestUpdateSequence::tolVane100WithBridgeRestartsInTheMiddle()
{
    CUnitRig rig(unitModel(EUnitType::TolVane100, 4711, 1, 2, 12, 2, 1));
    {
        auto pDialog = makeDialog();
        rig.speedUp(*pDialog);
        QStringList boxes;
        QList<QPair<int, quint32>> blocksAtRestart;
        QString statusAtRestart;
        bool bCloseAtRestart = true;
        CModalAnswerer answerer(
            [&](QWidget* pWidget)
            {
                auto* pBox = qobject_cast<QMessageBox*>(pWidget);
                if (!pBox)
                    return false;
                boxes << pBox->windowTitle();
                blocksAtRestart = receivedBlocks(rig.unit.model());
                statusAtRestart = statusText(*pDialog);
                bCloseAtRestart = child<QPushButton>(*pDialog, "ButtonClose")->isEnabled();
                QTimer::singleShot(0, pBox->buttons().value(0), &QAbstractButton::click);
                // The restarted unit reports the new application.
                rig.restartWhenReleased(*pDialog, [](unitsim::SSimUnitModel& m) { m.ident.appSub = 12; });
                return true;
            });
        child<QPushButton>(*pDialog, "ButtonBurn")->click();
        // First, so that a failure shows where the dialog stopped.
        QCOMPARE(statusText(*pDialog),
                 QStringLiteral(
                     "Your tolVane100 was successfully updated!\nPlease disconntect the USB cable and "
                     "switch the tolVane100 off.\nWAIT until ALL LEDs are off, only then switch on again."));

        // Until the restart only the bridge and the application are written.
        QCOMPARE(blocksAtRestart, (QList<QPair<int, quint32>>{{4, 0x30000}, {3, 0x98A9}, {3, 0xA000}}));
        QVERIFY(statusAtRestart.startsWith("Please REBOOT tolVane100."));
        QVERIFY(!bCloseAtRestart);
        QCOMPARE(boxes, QStringList{"Please reboot the tolVane100"});
        const unitsim::SSimUnitModel model = rig.unit.model();
        verifyBlocksAsShipped(model, {{5, 1}, {3, 1}, {4, 1}});
        QVERIFY(!model.uploadMode);
        QCOMPARE(model.bootloaderSwaps, 0);
        QCOMPARE(child<QProgressBar>(*pDialog, "ProgressBar")->value(), 100);
        QVERIFY(!pDialog->needs().wifiBridgeNeeded);
    }
    // Only the Wi-Fi module waits, 15 s after its mode request and after its one block header, in
    // slices that keep the window alive.
    QCOMPARE(CUnitRig::pauses().count(CFanBase::WAIT_SLICE_MS) * CFanBase::WAIT_SLICE_MS, 2 * 15000);
    QCOMPARE(CUnitRig::pauses().count(100), 4); // 700 bytes in four data records
}

// The paths of the update decision that end without a restart prompt; the bridge and the old
// bootloader have tests of their own.
void TestUpdateSequence::updatePathsWithoutRestart_data()
{
    QTest::addColumn<EUnitType>("type");
    QTest::addColumn<int>("running");
    QTest::addColumn<int>("bootSub");
    QTest::addColumn<int>("appSub");
    QTest::addColumn<ImageList>("images");
    QTest::addColumn<int>("swaps");
    const EUnitType t100 = EUnitType::TolVane100, plus = EUnitType::TolVanePlus;
    QTest::newRow("tolVane100: application, Wi-Fi, bootloader 1")
        << t100 << 2 << 5 << 10 << ImageList{{3, 1}, {4, 1}, {1, 1}} << 1;
    QTest::newRow("tolVane100: application equal to the shipped one")
        << t100 << 1 << 12 << 12 << ImageList{{3, 1}, {4, 1}} << 0;
    QTest::newRow("plus: bootloader 2 only") << plus << 1 << 5 << 13 << ImageList{{2, 2}} << 1;
    QTest::newRow("plus: application and bootloader 1")
        << plus << 2 << 11 << 12 << ImageList{{3, 2}, {1, 2}} << 1;
}

void TestUpdateSequence::updatePathsWithoutRestart()
{
    QFETCH(EUnitType, type);
    QFETCH(int, running);
    QFETCH(int, bootSub);
    QFETCH(int, appSub);
    QFETCH(ImageList, images);
    QFETCH(int, swaps);
    CUnitRig rig(unitModel(type, 4711, running, 2, bootSub, 2, appSub));
    auto pDialog = makeDialog();
    child<QPushButton>(*pDialog, "ButtonBurn")->click();
    QVERIFY2(statusText(*pDialog).contains("was successfully updated"), qPrintable(statusText(*pDialog)));
    const unitsim::SSimUnitModel model = rig.unit.model();
    verifyBlocksAsShipped(model, images);
    QCOMPARE(model.bootloaderSwaps, swaps);
    QVERIFY(!model.uploadMode);
}

void TestUpdateSequence::restartWaitGivesUpWhenTheUnitStaysAway()
{
    CUnitRig rig(unitModel(EUnitType::TolVane100, 4711, 1, 2, 12, 2, 1));
    auto pDialog = makeDialog();
    pDialog->setRestartTimeout(0);
    CModalAnswerer answerer(
        [&](QWidget* pWidget)
        {
            auto* pBox = qobject_cast<QMessageBox*>(pWidget);
            if (!pBox)
                return false;
            rig.unplug();
            QTimer::singleShot(0, pBox->buttons().value(0), &QAbstractButton::click);
            return true;
        });
    child<QPushButton>(*pDialog, "ButtonBurn")->click();

    QVERIFY(statusText(*pDialog).startsWith("The tolVane100 did not come back after the restart."));
    QVERIFY(child<QPushButton>(*pDialog, "ButtonClose")->isEnabled());
    QVERIFY(!child<QPushButton>(*pDialog, "ButtonBurn")->isEnabled());
    // Nothing was written after the restart prompt.
    QCOMPARE(receivedBlocks(rig.unit.model()),
             (QList<QPair<int, quint32>>{{4, 0x30000}, {3, 0x98A9}, {3, 0xA000}}));
}

void TestUpdateSequence::closingDuringTheRestartWaitEndsTheUpdate()
{
    CUnitRig rig(unitModel(EUnitType::TolVane100, 4711, 1, 2, 12, 2, 1));
    auto pDialog = makeDialog();
    rig.speedUp(*pDialog);
    pDialog->show();
    auto* pClose = child<QPushButton>(*pDialog, "ButtonClose");
    // Once the unit's port is gone the dialog is idle and the user closes it; only then does the
    // unit come back, so an update that went on would reach it.
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout,
                     [&]
                     {
                         if (!pClose->isEnabled() || !pDialog->unit()->getComPortName().isEmpty())
                             return;
                         closer.stop();
                         pDialog->close();
                         rig.plugIn();
                     });
    CModalAnswerer answerer(
        [&](QWidget* pWidget)
        {
            auto* pBox = qobject_cast<QMessageBox*>(pWidget);
            if (!pBox)
                return false;
            // The user cannot reach the dialog while the box is up.
            QObject::connect(pBox, &QDialog::finished,
                             [&]
                             {
                                 rig.unplug();
                                 closer.start(CUnitRig::POLL_MS);
                             });
            QTimer::singleShot(0, pBox->buttons().value(0), &QAbstractButton::click);
            return true;
        });
    child<QPushButton>(*pDialog, "ButtonBurn")->click();

    QVERIFY(!pDialog->isVisible());
    QCOMPARE(receivedBlocks(rig.unit.model()),
             (QList<QPair<int, quint32>>{{4, 0x30000}, {3, 0x98A9}, {3, 0xA000}}));
}

void TestUpdateSequence::portChangeDuringATransferWaitsForItsEnd()
{
    CUnitRig rig(unitModel(EUnitType::TolVanePlus, 7001, 2, 2, 12, 2, 12));
    auto pDialog = makeDialog();
    const QString strPort = pDialog->unit()->getComPortName();
    QString strPortDuringUpload;
    // The unit is pulled in the middle of the upload and the removal is reported at once, as
    // the enumerator does from the upload's event processing.
    auto* pBar = child<QProgressBar>(*pDialog, "ProgressBar");
    QObject::connect(pBar, &QProgressBar::valueChanged,
                     [&](int nValue)
                     {
                         if (nValue == 0 || !strPortDuringUpload.isNull())
                             return;
                         rig.unplug();
                         pDialog->on_DeviceListChanged();
                         strPortDuringUpload = pDialog->unit()->getComPortName();
                     });
    child<QPushButton>(*pDialog, "ButtonBurn")->click();

    QCOMPARE(strPortDuringUpload, strPort);
    QVERIFY(pDialog->needs().applicationNeeded);
    // Once the transfer is over the removal is handled: the dialog lets go of the port.
    QTRY_VERIFY(pDialog->unit()->getComPortName().isEmpty());
    QVERIFY(!child<QPushButton>(*pDialog, "ButtonBurn")->isEnabled());
    QVERIFY(child<QLineEdit>(*pDialog, "LineEditApplicationVersion")->text().isEmpty());
}

void TestUpdateSequence::oldBootloaderInstallsOnlyTheBootloader()
{
    CUnitRig rig(unitModel(EUnitType::TolVane100, 4711, 1, 1, 20, 2, 12));
    auto pDialog = makeDialog();
    QVERIFY(pDialog->needs().oldBootloader && pDialog->needs().bootloaderNeeded);
    CBoxAnswerer answerer;
    child<QPushButton>(*pDialog, "ButtonBurn")->click();

    const unitsim::SSimUnitModel model = rig.unit.model();
    verifyBlocksAsShipped(model, {{2, 3}}); // the unit runs bootloader 1: bootloader 2 is written
    QCOMPARE(model.bootloaderSwaps, 1);
    QCOMPARE(answerer.seen.size(), 1);
    QCOMPARE(answerer.seen[0].title, QStringLiteral("Please Reboot tolVane100"));
    QVERIFY(answerer.seen[0].text.startsWith("The tolVane100 needs to reboot in order to continue the update "
                                             "process.\nPlease switch off the tolVane100"));
    // The rest waits for the unit to be seen again in its new bootloader.
    QVERIFY(!child<QPushButton>(*pDialog, "ButtonBurn")->isEnabled());
    QVERIFY(child<QPushButton>(*pDialog, "ButtonClose")->isEnabled());
    QVERIFY(!pDialog->needs().bootloaderNeeded);
    QVERIFY(pDialog->needs().applicationNeeded);
}

void TestUpdateSequence::unitWithoutSerialNumberGetsTheTypedOne()
{
    CUnitRig rig(unitModel(EUnitType::TolVanePlus, 0, 2, 2, 12, 2, 12));
    auto pDialog = makeDialog();
    auto* pSerial = child<QLineEdit>(*pDialog, "LineEditSerialNumber");
    QCOMPARE(statusText(*pDialog), QStringLiteral("Enter serial number of tolVane plus. "));
    QVERIFY(!pSerial->isReadOnly());
    QTest::keyClicks(pSerial, "4711");
    child<QPushButton>(*pDialog, "ButtonBurn")->click();

    const unitsim::SSimUnitModel model = rig.unit.model();
    QCOMPARE(model.ident.serialNumber, quint32(4711));
    QCOMPARE(pDialog->knownSerialNumber(), 4711u);
    verifyBlocksAsShipped(model, {{3, 2}});
    QCOMPARE(statusText(*pDialog),
             QStringLiteral("Your tolVane plus was successfully updated!\nPlease disconntect "
                            "the USB cable and press and hold the button.\nuntil all LEDs are "
                            "off."));
}

void TestUpdateSequence::failedUploadKeepsTheInstructionAndReturnsToReady()
{
    CUnitRig rig(unitModel(EUnitType::TolVanePlus, 7001, 2, 2, 12, 2, 12));
    auto pDialog = makeDialog();
    // Request 4 goes through; the first block header and its repeats are lost.
    rig.unit.addFault({unitsim::ESimFault::LoseRequest, 0, 2, 0});
    child<QPushButton>(*pDialog, "ButtonBurn")->click();

    QVERIFY(rig.unit.model().uploadMode);
    QVERIFY(pDialog->needs().applicationNeeded);
    QVERIFY(child<QPushButton>(*pDialog, "ButtonBurn")->isEnabled());
    // What to do now stays readable.
    QCOMPARE(statusText(*pDialog), QStringLiteral("The update process failed. Please switch off your tolVane "
                                                  "plus.\nThen switch in on again and retry the update."));
}

void TestUpdateSequence::failedSwapAsksForANewIdentification()
{
    CUnitRig rig(unitModel(EUnitType::TolVanePlus, 7001, 1, 1, 20, 2, 12));
    auto pDialog = makeDialog();
    rig.speedUp(*pDialog);
    // The unit swaps, but its reply is lost: it runs bootloader 2 now.
    rig.unit.addFault({unitsim::ESimFault::CorruptCrc, 0, 1, 0});
    child<QPushButton>(*pDialog, "ButtonBurn")->click();
    QCOMPARE(statusText(*pDialog), QStringLiteral("The update process failed. Please switch off your tolVane "
                                                  "plus.\nThen switch in on again and retry the update."));
    verifyBlocksAsShipped(rig.unit.model(), {{2, 2}}); // it ran bootloader 1: bootloader 2 was written

    // Nothing is written into the bootloader the unit may be running now.
    QVERIFY(!child<QPushButton>(*pDialog, "ButtonBurn")->isEnabled());
    QVERIFY(child<QLineEdit>(*pDialog, "LineEditSerialNumber")->isReadOnly());
    QVERIFY(!pDialog->on_ButtonBootLdr_clicked());
    verifyBlocksAsShipped(rig.unit.model(), {{2, 2}});

    // Switched off and on, it is identified again and the update can go on.
    rig.unit.clearFaults();
    rig.restartWhenReleased(*pDialog);
    QTRY_COMPARE(pDialog->runningImage(), RUNNING_BOOTLOADER_2);
    QVERIFY(child<QPushButton>(*pDialog, "ButtonBurn")->isEnabled());
}

// A reply that ends before the unit-type bit (byte 13) and the Wi-Fi version (byte 14) would
// pass for a tolVane100: nothing may be written on it. Older units may send fewer than 39 bytes.
void TestUpdateSequence::shortIdentificationIsRefused_data()
{
    QTest::addColumn<int>("length");
    QTest::addColumn<bool>("identified");
    QTest::newRow("13 bytes") << 13 << false;
    QTest::newRow("14 bytes") << 14 << false;
    QTest::newRow("15 bytes") << 15 << true;
}

void TestUpdateSequence::shortIdentificationIsRefused()
{
    QFETCH(int, length);
    QFETCH(bool, identified);
    CUnitRig rig(unitModel(EUnitType::TolVanePlus, 7001, 2, 2, 12, 2, 12));
    rig.unit.addFault({unitsim::ESimFault::WrongReplyLength, length - unitsim::IDENT_RECORD_SIZE, 1, 0});
    auto pDialog = makeDialog();
    QCOMPARE(pDialog->isPlusUnit(), identified);
    QCOMPARE(pDialog->runningImage(), identified ? RUNNING_BOOTLOADER_2 : RUNNING_NONE);
    QCOMPARE(child<QPushButton>(*pDialog, "ButtonBurn")->isEnabled(), identified);
    if (!identified)
        QCOMPARE(statusText(*pDialog), QStringLiteral(" The tolVane100 did not (correctly) respond - "));
}

void TestUpdateSequence::firstSearchRunsOnceTheWindowIsUp()
{
    CUnitRig rig(unitModel(EUnitType::TolVanePlus, 7001, 2, 2, 12, 2, 12));
    CMainDialog dialog(false, false, false, false, false, false, QString(), QString(), false, QString());
    QCOMPARE(rig.requestsReceived(), 0);
    dialog.show();
    QTRY_COMPARE(dialog.runningImage(), RUNNING_BOOTLOADER_2);
    QVERIFY(dialog.isVisible());
}

void TestUpdateSequence::deIcingSwitchWritesTheCounters()
{
    CUnitRig rig(unitModel(EUnitType::TolVane100, 4711, 3, 2, 12, 2, 12));
    rig.unit.updateModel([](unitsim::SSimUnitModel& m) { m.counters[39] = 22; });
    auto pDialog = makeDialog(false, true);
    auto* pDeIce = child<QCheckBox>(*pDialog, "ButtonDeIce");
    QVERIFY(pDeIce->isEnabled());
    QVERIFY(!pDeIce->isChecked()); // 22: switched off
    {
        CBoxAnswerer cancel(QMessageBox::Cancel);
        pDeIce->click();
        QCOMPARE(cancel.seen.size(), 1);
        QCOMPARE(cancel.seen[0].title, QStringLiteral("Please Note"));
    }
    QVERIFY(!pDeIce->isChecked());
    QCOMPARE(rig.unit.model().counters[39], quint32(22));
    {
        CBoxAnswerer ok(QMessageBox::Ok);
        pDeIce->click();
        QCOMPARE(ok.seen.size(), 1);
    }
    QVERIFY(pDeIce->isChecked());
    QCOMPARE(rig.unit.model().counters[39], quint32(1));
    QCOMPARE(rig.unit.model().counters[40], quint32(19));
}

void TestUpdateSequence::deIcingFailureRestoresTheFirstCounter()
{
    CUnitRig rig(unitModel(EUnitType::TolVane100, 4711, 3, 2, 12, 2, 12));
    // A unit without counter 40: its write is refused.
    rig.unit.updateModel(
        [](unitsim::SSimUnitModel& m)
        {
            m.counters.resize(40);
            m.counters[39] = 22;
        });
    auto pDialog = makeDialog(false, true);
    auto* pDeIce = child<QCheckBox>(*pDialog, "ButtonDeIce");
    CBoxAnswerer ok(QMessageBox::Ok);
    pDeIce->click();

    QVERIFY(!pDeIce->isChecked());
    QCOMPARE(rig.unit.model().counters[39], quint32(22));
    QCOMPARE(ok.seen.size(), 2);
    QCOMPARE(ok.seen[1].title, QStringLiteral("Deicing Function"));
    QCOMPARE(ok.seen[1].text,
             QStringLiteral(
                 "The deicing function of the tolVane100 could not be switched.\nIts setting is unchanged."));
}

void TestUpdateSequence::installModeSetsTheStartupMode()
{
    CUnitRig rig(unitModel(EUnitType::TolVanePlus, 7001, 2, 2, 12, 2, 12));
    auto pDialog = makeDialog(true);
    child<QPushButton>(*pDialog, "ButtonBurn")->click();
    QCOMPARE(rig.unit.model().startupMode, 1);
    QCOMPARE(child<QProgressBar>(*pDialog, "ProgressBar")->value(), 100);
}

void TestUpdateSequence::automaticUpdateEndsWith100()
{
    CUnitRig rig(unitModel(EUnitType::TolVanePlus, 7001, 2, 2, 12, 2, 12));
    const CRunGuard guard;
    QCOMPARE(CUpdaterStartup::run({"Update-tolVane", "-ap"}), 100);
    verifyBlocksAsShipped(rig.unit.model(), {{3, 2}});
}

// A later step that fails keeps the window open with its message, as without option ap.
void TestUpdateSequence::automaticUpdateWithAFailedStepStaysOpen()
{
    // Application 1.10 (no de-icing counter is read); fb adds the bootloader after the application.
    CUnitRig rig(unitModel(EUnitType::TolVanePlus, 7001, 2, 2, 12, 1, 10));
    // Reply 1 is the identification, reply 2 the swap's.
    rig.unit.addFault({unitsim::ESimFault::WrongReplyId, 6, 2, 1});
    QString strStatus;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout,
                     [&]
                     {
                         for (QWidget* pWidget : QApplication::topLevelWidgets())
                             if (auto* pDialog = qobject_cast<CMainDialog*>(pWidget))
                                 if (pDialog->isVisible() &&
                                     statusText(*pDialog).startsWith("The update process"))
                                 {
                                     strStatus = statusText(*pDialog);
                                     pDialog->close();
                                 }
                     });
    closer.start(CUnitRig::POLL_MS);
    const CRunGuard guard;
    QCOMPARE(CUpdaterStartup::run({"Update-tolVane", "-ap", "-fb"}), 0);
    QCOMPARE(strStatus, QStringLiteral("The update process failed. Please switch off your tolVane "
                                       "plus.\nThen switch in on again and retry the update."));
    QCOMPARE(rig.unit.model().bootloaderSwaps, 1);
}

QTEST_MAIN(TestUpdateSequence)
#include "tst_updatesequence.moc"
