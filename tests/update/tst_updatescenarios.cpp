#include "ModalAnswerer.h"
#include "TestFiles.h"
#include "UnitRig.h"
#include "UpdaterStartup.h"
#include "debugwidget.h"
#include "flashimagelist.h"
#include "ui_maindialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QTemporaryDir>
#include <QtTest>

using unitsim::EUnitType;
using unitsim::SSimUnitModel;

namespace
{
using ImageList = QList<int>; // image types in upload order
using Change = std::function<void(SSimUnitModel&)>;

// One sequence of events around an update, and what it must end in.
struct SScenario
{
    SSimUnitModel unit;
    Change pluggedBeforeUpdate; // another unit takes the first one's place before the press
    QList<Change> restarts;     // what the unit is each time it comes back from a restart
    QString typedSerialNr;      // typed into the field when it asks for one
    int restartTimeoutMs = CUnitRig::RESTART_TIMEOUT_MS;
    ImageList images;     // the blocks of these images reached the unit, in this order
    QString status;       // the status text at the end starts with this
    quint32 serialNr = 0; // the unit's number at the end
};

// Another unit takes the place of the identified one while a message box is open.
struct SBoxScenario
{
    SSimUnitModel first;  // identified first
    SSimUnitModel second; // plugged in while the box is open, and identified within it
    QString serialNrOption;
    bool owner = false;
    bool debug = false;
    QByteArray testFile;                    // the test-values file, when the row needs one
    std::function<void(CMainDialog&)> open; // opens the box; none: the first identification's own
    QString box;                            // its title, or the start of its text
    bool pressUpdate = false;               // Update is pressed once it is answered
    QStringList writes;                     // what the second unit received (see writesReceived)
    QString applicationVersion;             // the window shows the second unit's at the end
};
} // namespace

Q_DECLARE_METATYPE(SScenario)
Q_DECLARE_METATYPE(SBoxScenario)
Q_DECLARE_METATYPE(SSimUnitModel)

// Sequences of events around an update against the simulated unit: whatever happens, the window
// says "successfully updated" only when the unit identified at the start got every image it needed.
class TestUpdateScenarios : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { CFlashImageList::setShippedSources({}); }
    void scenarios_data();
    void scenarios();
    void damagedImages_data();
    void damagedImages();
    void serialNumberOptionOutsideTheField();
    void failureTextOutlastsTheUnit();
    void replugIsIdentified_data();
    void replugIsIdentified();
    void silentUnitKeepsThePortAndTheFailureText();
    void permissionChangeIsNoReplug_data();
    void permissionChangeIsNoReplug();
    void failedPanelStepLeavesAClosableWindow_data();
    void failedPanelStepLeavesAClosableWindow();
    void oldBootloaderBoxWaitsForTheRestartedUnit_data();
    void oldBootloaderBoxWaitsForTheRestartedUnit();
    void unitReplacedWhileABoxIsOpen_data();
    void unitReplacedWhileABoxIsOpen();
    // Last: they run the whole program, which ends the application's event loop.
    void automaticUpdateRestsOnTheUnitThere_data();
    void automaticUpdateRestsOnTheUnitThere();
    void automaticUpdateWaitsForTheNewBootloader_data();
    void automaticUpdateWaitsForTheNewBootloader();
};

namespace
{
const QString SUCCESS = QStringLiteral("Your tolVane100 was successfully updated!");
const QString READY_PLUS =
    QStringLiteral("Your tolVane plus is ready to receive updates!\nClick 'Update Firmware' to continue.");
// The port list is scanned only where a test says so: the order of events is the test's.
constexpr int SCANS_BY_HAND_MS = 3600 * 1000;
const QString SUCCESS_PLUS = QStringLiteral("Your tolVane plus was successfully updated!");

template <typename T> T* child(QWidget& parent, const char* name)
{
    return parent.findChild<T*>(QLatin1String(name));
}

QString statusText(CMainDialog& dialog)
{
    return child<QLabel>(dialog, "LabelMain")->text();
}

// The shipped images whose blocks the unit received, in order (-1: a block of none of them).
ImageList receivedImages(const SSimUnitModel& model)
{
    const CFlashImageList list;
    const int nSystem =
        model.type == EUnitType::TolVanePlus ? CFlashImage::SYS_TOLVANE_PLUS : CFlashImage::SYS_TOLVANE100;
    ImageList images;
    for (const unitsim::SSimUploadedBlock& block : model.uploadedBlocks)
    {
        int nType = -1;
        for (const CFlashImage& image : list.images())
            for (const SMemBlock& shipped : image.m_Blocks)
                if ((image.m_System & nSystem) && shipped.MemAdr == block.address() &&
                    shipped.Data == block.data)
                    nType = image.m_Type;
        if (images.isEmpty() || images.last() != nType)
            images.append(nType);
    }
    return images;
}

// Notes whether a widget was enabled at any moment while it was watched.
class CEnabledWatch : public QObject
{
public:
    explicit CEnabledWatch(QWidget* pWidget) { pWidget->installEventFilter(this); }
    bool enabled = false;

protected:
    bool eventFilter(QObject* pObject, QEvent* pEvent) override
    {
        if (pEvent->type() == QEvent::EnabledChange && static_cast<QWidget*>(pObject)->isEnabled())
            enabled = true;
        return false;
    }
};

Change serialBecomes(quint32 nSerialNr)
{
    return [nSerialNr](SSimUnitModel& m) { m.ident.serialNumber = nSerialNr; };
}

Change runs(int nRunning, int nAppSub = 12)
{
    return [nRunning, nAppSub](SSimUnitModel& m)
    {
        m.ident.runningPart = quint8(nRunning);
        m.ident.appSub = quint8(nAppSub);
    };
}

Change both(Change first, Change second)
{
    return [first, second](SSimUnitModel& m)
    {
        first(m);
        second(m);
    };
}
} // namespace

void TestUpdateScenarios::scenarios_data()
{
    QTest::addColumn<SScenario>("scenario");
    const auto t100 = [](quint32 serial, int running, int bootMain, int bootSub, int appSub)
    { return unitModel(EUnitType::TolVane100, serial, running, bootMain, bootSub, 2, appSub); };
    const QString CORRUPTED = QStringLiteral("- Communication failed (corrupted sender address) - ");

    SScenario s;
    s.unit = t100(4711, 1, 2, 12, 1);
    s.restarts = {runs(1)};
    s.images = {5, 3, 4};
    s.status = SUCCESS;
    s.serialNr = 4711;
    QTest::newRow("application 2.01: bridge, application, restart, Wi-Fi") << s;

    s = SScenario();
    s.unit = t100(4711, 1, 1, 20, 12);
    s.pluggedBeforeUpdate = both(serialBecomes(5000), runs(5));
    s.status = CORRUPTED;
    s.serialNr = 5000;
    QTest::newRow("re-plugged unit with a corrupted identification gets nothing") << s;

    s = SScenario();
    s.unit = t100(4711, 1, 2, 12, 1);
    s.pluggedBeforeUpdate = both(serialBecomes(5000), runs(1, 5));
    s.images = {3, 4};
    s.status = SUCCESS;
    s.serialNr = 5000;
    QTest::newRow("re-plugged unit does not inherit the Wi-Fi bridge") << s;

    s = SScenario();
    s.unit = t100(4711, 1, 2, 12, 1);
    s.restarts = {runs(5)};
    s.restartTimeoutMs = 1500;
    s.images = {5, 3};
    s.status = QStringLiteral("The tolVane100 did not come back after the restart.");
    s.serialNr = 4711;
    QTest::newRow("restart: only a corrupted identification") << s;

    s = SScenario();
    s.unit = t100(4711, 1, 2, 12, 1);
    s.restarts = {runs(5), runs(1)};
    s.images = {5, 3, 4};
    s.status = SUCCESS;
    s.serialNr = 4711;
    QTest::newRow("restart: corrupted, then identified") << s;

    s = SScenario();
    s.unit = t100(4711, 1, 2, 12, 1);
    s.restarts = {both(serialBecomes(5000), runs(1))};
    s.images = {5, 3};
    s.status = QStringLiteral("Another unit answered after the restart; nothing was written to it.\nPlease "
                              "connect the tolVane100 with serial number 4711 again and retry the update.");
    s.serialNr = 5000;
    QTest::newRow("restart: another unit") << s;

    s = SScenario();
    s.unit = t100(4711, 1, 2, 12, 1);
    s.restarts = {runs(3)};
    s.images = {5, 3};
    s.status = QStringLiteral("The tolVane100 started its application after the restart");
    s.serialNr = 4711;
    QTest::newRow("restart: the unit runs its application") << s;

    s = SScenario();
    s.unit = t100(4711, 1, 2, 12, 1);
    s.restarts = {runs(1, 1)};
    s.images = {5, 3};
    s.status =
        QStringLiteral("The update process failed. Please switch off your tolVane100.\nThen switch in on "
                       "again and retry the update.");
    s.serialNr = 4711;
    QTest::newRow("restart: the unit still reports its old application") << s;

    s = SScenario();
    s.unit = unitModel(EUnitType::TolVanePlus, 0xFFFFFFFF, 2, 2, 12, 2, 10);
    s.typedSerialNr = QStringLiteral("4711");
    s.images = {3};
    s.status = SUCCESS_PLUS;
    s.serialNr = 4711;
    QTest::newRow("erased serial number: the typed one is written") << s;

    s = SScenario();
    s.unit = unitModel(EUnitType::TolVanePlus, 1000000, 2, 2, 12, 2, 10);
    s.typedSerialNr = QStringLiteral("4711");
    s.images = {3};
    s.status = SUCCESS_PLUS;
    s.serialNr = 4711;
    QTest::newRow("serial number beyond the field: the typed one is written") << s;
}

void TestUpdateScenarios::scenarios()
{
    QFETCH(SScenario, scenario);
    CUnitRig rig(scenario.unit);
    CMainDialog dialog(false, false, false, false, false, false, QString(), QString(), false, QString());
    rig.speedUp(dialog);
    dialog.setRestartTimeout(scenario.restartTimeoutMs);
    QTRY_VERIFY(child<QPushButton>(dialog, "ButtonBurn")->isEnabled() ||
                child<QLineEdit>(dialog, "LineEditSerialNumber")->isEnabled());

    if (scenario.pluggedBeforeUpdate)
    {
        rig.unit.clearRecords();
        rig.restartWhenReleased(dialog, scenario.pluggedBeforeUpdate);
        // The identification runs within the port's handler: once asked, the answer is handled.
        QTRY_VERIFY(rig.requestsReceived() > 0 && !dialog.unit()->getComPortName().isEmpty());
    }
    if (!scenario.typedSerialNr.isEmpty())
    {
        auto* pField = child<QLineEdit>(dialog, "LineEditSerialNumber");
        QVERIFY(!pField->isReadOnly());
        pField->clear();
        QTest::keyClicks(pField, scenario.typedSerialNr);
    }

    // At the reboot box the unit restarts as the scenario says; should it come back with a corrupted
    // identification and more comebacks follow, it restarts again once the dialog has said so.
    QList<Change> restarts = scenario.restarts;
    QTimer again;
    QObject::connect(&again, &QTimer::timeout,
                     [&]
                     {
                         if (restarts.isEmpty() || !statusText(dialog).contains("corrupted sender address"))
                             return;
                         rig.restartWhenReleased(dialog, restarts.takeFirst());
                     });
    CModalAnswerer answerer(
        [&](QWidget* pWidget)
        {
            auto* pBox = qobject_cast<QMessageBox*>(pWidget);
            if (!pBox)
                return false;
            QTimer::singleShot(0, pBox->buttons().value(0), &QAbstractButton::click);
            if (!restarts.isEmpty())
            {
                rig.restartWhenReleased(dialog, restarts.takeFirst());
                again.start(CUnitRig::POLL_MS);
            }
            return true;
        });
    // Pressed by hand, so a button the state leaves disabled does not hide what the press would do.
    const CEnabledWatch burnButton(child<QPushButton>(dialog, "ButtonBurn"));
    dialog.on_ButtonBurn_clicked();

    QVERIFY2(statusText(dialog).startsWith(scenario.status), qPrintable(statusText(dialog)));
    QCOMPARE(receivedImages(rig.unit.model()), scenario.images);
    QCOMPARE(rig.unit.model().ident.serialNumber, scenario.serialNr);
    QVERIFY(restarts.isEmpty());
    if (scenario.status.startsWith("The update process failed"))
        QVERIFY(!child<QPushButton>(dialog, "ButtonBurn")->isEnabled());
    // An update that went through never offered another one on the way (a unit identified while
    // it waited for the restart).
    if (scenario.status == SUCCESS)
        QVERIFY(!burnButton.enabled);
}

// The shipped images as a broken release could hold them: whatever the unit would need of them,
// nothing is sent and the window says which image is at fault, once.
void TestUpdateScenarios::damagedImages_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("from"); // empty: the file holds `to`; else the shipped one with `from`
    QTest::addColumn<QByteArray>("to");   // replaced by `to`
    QTest::addColumn<int>("bootSub");     // of the unit's bootloader 2.x and application 2.x
    QTest::addColumn<int>("appSub");
    QTest::addColumn<QString>("status");
    QTest::addColumn<QStringList>("boxes");
    QTest::newRow("application without versions")
        << "Application.ini" << QByteArray() << QByteArray("[General]\nType=3\n") << 5 << 5
        << "The application image of this updater is missing or damaged." << QStringList();
    QTest::newRow("application without blocks")
        << "Application.ini" << QByteArray()
        << QByteArray("[General]\nType=3\nMainVer=2\nSubVer=12\nStartAdr=0\nEncryption=1\n") << 5 << 5
        << "The application image of this updater is missing or damaged." << QStringList();
    // The unit with bootloader 2.12 and application 2.13 is up to date with sound images.
    QTest::newRow("bootloaders of different versions")
        << "Bootloader2.ini" << QByteArray("SubVer=12") << QByteArray("SubVer=11") << 12 << 13
        << "Images of Bootloader 1 and 2 have different versions." << QStringList{"Bootloaders out of sync"};
    // Damaged so that only the upload's own test finds it: the data are shorter than the plain
    // contents they claim, or not whole 8-byte units of them. The images needed first are sound.
    QTest::newRow("Wi-Fi module with data shorter than its plain length")
        << "cc3200.ini" << QByteArray("1\\PlainLen=700") << QByteArray("1\\PlainLen=900") << 12 << 1
        << "The WiFi module image of this updater is missing or damaged." << QStringList();
    QTest::newRow("bootloader 2 with a plain length its data do not pad to")
        << "Bootloader2.ini" << QByteArray("1\\PlainLen=600") << QByteArray("1\\PlainLen=601") << 5 << 5
        << "The bootloader 2 image of this updater is missing or damaged." << QStringList();
}

void TestUpdateScenarios::damagedImages()
{
    QFETCH(QString, file);
    QFETCH(QByteArray, from);
    QFETCH(QByteArray, to);
    QFETCH(int, bootSub);
    QFETCH(int, appSub);
    QFETCH(QString, status);
    QFETCH(QStringList, boxes);
    QTemporaryDir dir;
    QList<QPair<QString, int>> sources = CFlashImageList::shippedSources();
    for (auto& source : sources)
    {
        const QString strName = QFileInfo(source.first).fileName();
        const QString strPath = dir.filePath(strName);
        QFile in(source.first);
        QVERIFY(in.open(QIODevice::ReadOnly));
        QByteArray bytes = in.readAll();
        if (strName == file)
        {
            QVERIFY(from.isEmpty() || bytes.contains(from));
            bytes = from.isEmpty() ? to : bytes.replace(from, to);
        }
        QFile out(strPath);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(bytes);
        source.first = strPath;
    }
    CFlashImageList::setShippedSources(sources);

    CUnitRig rig(unitModel(EUnitType::TolVane100, 4711, 1, 2, bootSub, 2, appSub));
    CBoxAnswerer answerer;
    CMainDialog dialog(false, false, false, false, false, false, QString(), QString(), false, QString());
    rig.speedUp(dialog);
    QTRY_VERIFY(statusText(dialog).startsWith(status));
    QVERIFY(!child<QPushButton>(dialog, "ButtonBurn")->isEnabled());
    QStringList seen;
    for (const SBoxSeen& box : answerer.seen)
        seen << box.title;
    QCOMPARE(seen, boxes);

    rig.unit.clearRecords();
    dialog.on_ButtonBurn_clicked();
    QVERIFY2(statusText(dialog).startsWith(status), qPrintable(statusText(dialog)));
    QCOMPARE(rig.requestsReceived(), 0);
}

// A number outside what the unit can be given is not written: the window asks for one.
void TestUpdateScenarios::serialNumberOptionOutsideTheField()
{
    CUnitRig rig(unitModel(EUnitType::TolVanePlus, 0, 2, 2, 12, 2, 10));
    CMainDialog dialog(false, false, false, false, false, false, QString(), QStringLiteral("1000000"), false,
                       QString());
    QTRY_COMPARE(statusText(dialog), QStringLiteral("Enter serial number of tolVane plus. "));
    QVERIFY(!child<QPushButton>(dialog, "ButtonBurn")->isEnabled());
    dialog.on_ButtonBurn_clicked();
    QCOMPARE(rig.unit.model().ident.serialNumber, 0u);
    QVERIFY(rig.unit.model().uploadedBlocks.isEmpty());
}

// The unit goes away in the middle of an upload: what to do stays on show until it is back.
void TestUpdateScenarios::failureTextOutlastsTheUnit()
{
    CUnitRig rig(unitModel(EUnitType::TolVanePlus, 7001, 2, 2, 12, 2, 10));
    CMainDialog dialog(false, false, false, false, false, false, QString(), QString(), false, QString());
    rig.speedUp(dialog);
    QTRY_VERIFY(child<QPushButton>(dialog, "ButtonBurn")->isEnabled());
    QObject::connect(child<QProgressBar>(dialog, "ProgressBar"), &QProgressBar::valueChanged,
                     [&](int nValue)
                     {
                         if (nValue > 0 && rig.unit.isServing())
                             rig.unplug();
                     });
    const QString strFailed = QStringLiteral("The update process failed. Please switch off your tolVane "
                                             "plus.\nThen switch in on again and retry the update.");
    child<QPushButton>(dialog, "ButtonBurn")->click();
    QCOMPARE(statusText(dialog), strFailed);

    QTRY_VERIFY(dialog.unit()->getComPortName().isEmpty());
    QCOMPARE(statusText(dialog), strFailed);

    QVERIFY(rig.plugIn());
    QTRY_COMPARE(statusText(dialog),
                 QStringLiteral("Your tolVane plus is ready to receive updates!\nClick 'Update Firmware' to "
                                "continue."));
}

// Option ap with a bootloader of main version 1: the bootloader, the restart, and then the rest by
// itself; 100 only once everything is installed.
void TestUpdateScenarios::automaticUpdateWaitsForTheNewBootloader_data()
{
    QTest::addColumn<bool>("comesBack");
    QTest::addColumn<int>("bootMainBack"); // the bootloader it reports when back: 2.12 or still 1.12
    QTest::addColumn<ImageList>("images");
    QTest::addColumn<int>("exitCode");
    QTest::newRow("unit comes back") << true << 2 << ImageList{2, 3, 4} << 100;
    QTest::newRow("unit comes back with its old bootloader") << true << 1 << ImageList{2} << 0;
    QTest::newRow("window closed while waiting") << false << 2 << ImageList{2} << 0;
}

void TestUpdateScenarios::automaticUpdateWaitsForTheNewBootloader()
{
    QFETCH(bool, comesBack);
    QFETCH(int, bootMainBack);
    QFETCH(ImageList, images);
    QFETCH(int, exitCode);
    CUnitRig rig(unitModel(EUnitType::TolVane100, 4711, 1, 1, 20, 2, 5));
    CMainDialog* pDialog = nullptr;
    QTimer::singleShot(0,
                       [&]
                       {
                           for (QWidget* pWidget : QApplication::topLevelWidgets())
                               if ((pDialog = qobject_cast<CMainDialog*>(pWidget)))
                                   rig.speedUp(*pDialog);
                       });
    // Once the box is answered the user closes the window as soon as it lets him with the unit
    // switched off, or, with the unit back, once it says the update failed.
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout,
                     [&]
                     {
                         if (child<QPushButton>(*pDialog, "ButtonClose")->isEnabled() &&
                             (comesBack ? statusText(*pDialog).startsWith("The update process failed")
                                        : pDialog->unit()->getComPortName().isEmpty()))
                             pDialog->close();
                     });
    QStringList boxes;
    CModalAnswerer answerer(
        [&](QWidget* pWidget)
        {
            auto* pBox = qobject_cast<QMessageBox*>(pWidget);
            if (!pBox || !pDialog)
                return false;
            boxes << pBox->windowTitle();
            QTimer::singleShot(0, pBox->buttons().value(0), &QAbstractButton::click);
            if (comesBack) // restarted, it runs the new bootloader 2.12 from bootloader 2
            {
                rig.restartWhenReleased(*pDialog,
                                        [bootMainBack](SSimUnitModel& m)
                                        {
                                            m.ident.runningPart = 2;
                                            m.ident.bootMain = quint8(bootMainBack);
                                            m.ident.bootSub = 12;
                                        });
                closer.start(CUnitRig::POLL_MS);
            }
            else // the unit is switched off
                QObject::connect(pBox, &QDialog::finished,
                                 [&]
                                 {
                                     rig.unplug();
                                     closer.start(CUnitRig::POLL_MS);
                                 });
            return true;
        });
    const CRunGuard guard;
    QCOMPARE(CUpdaterStartup::run({"Update-tolVane", "-ap"}), exitCode);
    QCOMPARE(boxes, QStringList{"Please Reboot tolVane100"});
    QCOMPARE(receivedImages(rig.unit.model()), images);
}

namespace
{
enum EScans
{
    NO_SCAN,           // the port list is not looked at before the transfer ends
    SCAN_AFTER_REPLUG, // one scan sees the port under its old name, on another device
    SCAN_AFTER_EACH    // the removal and the arrival are each seen by a scan
};
} // namespace

// The tolVane100 12345 is unplugged and a tolVane plus 999 plugged in under the same port name:
// the window identifies the new unit however the re-plug reaches it.
void TestUpdateScenarios::replugIsIdentified_data()
{
    QTest::addColumn<bool>("duringTransfer");
    QTest::addColumn<int>("scans");
    QTest::newRow("during a transfer, no scan before it ends") << true << int(NO_SCAN);
    QTest::newRow("during a transfer, removal and arrival scanned") << true << int(SCAN_AFTER_EACH);
    QTest::newRow("during a transfer, one scan after the re-plug") << true << int(SCAN_AFTER_REPLUG);
    QTest::newRow("while idle, between two scans") << false << int(SCAN_AFTER_REPLUG);
}

void TestUpdateScenarios::replugIsIdentified()
{
    QFETCH(bool, duringTransfer);
    QFETCH(int, scans);
    CUnitRig rig(unitModel(EUnitType::TolVane100, 12345, 2, 2, 12, 2, 5));
    QVERIFY(rig.keepPortName());
    CMainDialog dialog(false, false, false, false, false, false, QString(), QString(), false, QString());
    dialog.portEnumerator().setPollInterval(SCANS_BY_HAND_MS);
    QTRY_VERIFY(child<QPushButton>(dialog, "ButtonBurn")->isEnabled());
    auto* pSerialNr = child<QLineEdit>(dialog, "LineEditSerialNumber");
    QCOMPARE(pSerialNr->text(), QStringLiteral("12345"));
    const QString strPort = dialog.unit()->getComPortName();

    bool bReplugged = false;
    const auto replug = [&]
    {
        bReplugged = true;
        rig.unplug();
        if (scans == SCAN_AFTER_EACH)
            dialog.portEnumerator().rescan();
        rig.unit.setModel(unitModel(EUnitType::TolVanePlus, 999, 2, 2, 12, 2, 5));
        rig.unit.clearRecords();
        if (rig.plugIn() && scans != NO_SCAN)
            dialog.portEnumerator().rescan();
    };
    if (duringTransfer)
    {
        QObject::connect(child<QProgressBar>(dialog, "ProgressBar"), &QProgressBar::valueChanged,
                         [&](int nValue)
                         {
                             if (nValue > 0 && !bReplugged)
                                 replug();
                         });
        dialog.on_ButtonBurn_clicked();
    }
    else
        replug();
    QVERIFY(bReplugged);

    QTRY_COMPARE(pSerialNr->text(), QStringLiteral("999"));
    QCOMPARE(statusText(dialog), READY_PLUS);
    QCOMPARE(dialog.unit()->getComPortName(), strPort);
}

// A chmod of the open port (as logind does to a node for the active session) moves its change
// time, so the enumerator reports a removal and an arrival under the name: the unit is the same,
// and the window with option m keeps talking to it and keeps its debug box. A node made anew under
// the name is another unit.
void TestUpdateScenarios::permissionChangeIsNoReplug_data()
{
    QTest::addColumn<bool>("madeAnew");
    QTest::newRow("permission change") << false;
    QTest::newRow("node made anew under the name") << true;
}

void TestUpdateScenarios::permissionChangeIsNoReplug()
{
    QFETCH(bool, madeAnew);
    CUnitRig rig(unitModel(EUnitType::TolVane100, 12345, 2, 2, 12, 2, 5));
    QVERIFY(rig.keepPortName());
    CMainDialog dialog(true, false, false, false, false, false, QString(), QString(), false, QString());
    dialog.portEnumerator().setPollInterval(SCANS_BY_HAND_MS);
    QTRY_VERIFY(child<QPushButton>(dialog, "ButtonBurn")->isEnabled());
    const QString strPort = dialog.unit()->getComPortName();
    auto* pDebug = child<QTextEdit>(dialog, "DebugEdit");
    pDebug->append(QStringLiteral("shown before"));
    rig.unit.clearRecords();

    if (madeAnew)
    {
        rig.unplug();
        rig.unit.setModel(unitModel(EUnitType::TolVane100, 999, 2, 2, 12, 2, 5));
        QVERIFY(rig.plugIn());
    }
    else
        QVERIFY(TestFiles::changePermissions(strPort));
    dialog.portEnumerator().rescan();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::MetaCall);

    QCOMPARE(rig.requestsReceived() > 0, madeAnew);
    QCOMPARE(pDebug->toPlainText().contains(QStringLiteral("shown before")), !madeAnew);
    QCOMPARE(child<QLineEdit>(dialog, "LineEditSerialNumber")->text(),
             madeAnew ? QStringLiteral("999") : QStringLiteral("12345"));
    QCOMPARE(dialog.unit()->getComPortName(), strPort);
    QVERIFY(child<QPushButton>(dialog, "ButtonBurn")->isEnabled());
}

// A unit that stops answering in the middle of an upload is still the unit on the port: the port
// stays open, nothing asks it who it is, and the failure text stays.
void TestUpdateScenarios::silentUnitKeepsThePortAndTheFailureText()
{
    CUnitRig rig(unitModel(EUnitType::TolVane100, 12345, 2, 2, 12, 2, 5));
    CMainDialog dialog(false, false, false, false, false, false, QString(), QString(), false, QString());
    dialog.portEnumerator().setPollInterval(SCANS_BY_HAND_MS);
    QTRY_VERIFY(child<QPushButton>(dialog, "ButtonBurn")->isEnabled());
    const QString strPort = dialog.unit()->getComPortName();
    QObject::connect(child<QProgressBar>(dialog, "ProgressBar"), &QProgressBar::valueChanged,
                     [&](int nValue)
                     {
                         if (nValue > 0)
                             rig.unit.setSilent(true);
                     });
    dialog.on_ButtonBurn_clicked();
    const QString strFailed = QStringLiteral("The update process failed. Please switch off your "
                                             "tolVane100.\nThen switch in on again and retry the update.");
    QCOMPARE(statusText(dialog), strFailed);

    rig.unit.clearRecords();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::MetaCall); // a deferred port check, if any
    QCOMPARE(rig.requestsReceived(), 0);
    QCOMPARE(dialog.unit()->getComPortName(), strPort);
    QCOMPARE(statusText(dialog), strFailed);
}

// A step started alone from the service panel that fails leaves the window closable, with the
// failure on show and the step ready to be tried again; a step the unit cannot take is off.
void TestUpdateScenarios::failedPanelStepLeavesAClosableWindow_data()
{
    QTest::addColumn<bool>("plusUnit");
    QTest::addColumn<QString>("step");
    QTest::addColumn<QByteArray>("slot");
    QTest::addColumn<QString>("failure");
    QTest::newRow("application, request never acknowledged")
        << false << "Update Application" << QByteArray("on_ButtonAppl_clicked")
        << "tolVane100 did not respond - ";
    QTest::newRow("Wi-Fi module on a tolVane plus")
        << true << "Update CC3200" << QByteArray("on_ButtonCC3200_clicked")
        << "The firmware image for the tolVane plus is missing or damaged.\nNothing was sent to the tolVane "
           "plus.";
}

void TestUpdateScenarios::failedPanelStepLeavesAClosableWindow()
{
    QFETCH(bool, plusUnit);
    QFETCH(QString, step);
    QFETCH(QByteArray, slot);
    QFETCH(QString, failure);
    CUnitRig rig(unitModel(plusUnit ? EUnitType::TolVanePlus : EUnitType::TolVane100, 4711, 2, 2, 12, 2, 5));
    CMainDialog dialog(false, false, false, false, false, false, QString(), QString(), true, QString());
    dialog.portEnumerator().setPollInterval(SCANS_BY_HAND_MS);
    QTRY_VERIFY(dialog.debugWidget() && child<QPushButton>(dialog, "ButtonBurn")->isEnabled());
    QPushButton* pStep = nullptr;
    for (QPushButton* pButton : dialog.debugWidget()->findChildren<QPushButton*>())
        if (pButton->text() == step)
            pStep = pButton;
    QVERIFY(pStep);
    QCOMPARE(pStep->isEnabled(), !plusUnit);

    rig.unit.addFault({unitsim::ESimFault::LoseRequest, 0, 1, 0});
    if (pStep->isEnabled())
        pStep->click();
    else // reached by its name all the same
        QVERIFY(QMetaObject::invokeMethod(&dialog, slot.constData()));

    QCOMPARE(statusText(dialog), failure);
    QVERIFY(child<QLabel>(dialog, "LabelUpdating")->text().isEmpty());
    QVERIFY(child<QWidget>(dialog, "DebugButtons")->isEnabled());
    QCOMPARE(pStep->isEnabled(), !plusUnit);
    QVERIFY(child<QPushButton>(dialog, "ButtonBurn")->isEnabled());
    QVERIFY(child<QPushButton>(dialog, "ButtonClose")->isEnabled());
    QSignalSpy closed(&dialog, &QDialog::finished);
    QTest::keyClick(&dialog, Qt::Key_Escape);
    QCOMPARE(closed.count(), 1);
}

namespace
{
enum EComeback
{
    NOT_RESTARTED,
    OFF_DURING_BOX,
    BACK_DURING_BOX,
    BACK_AFTER_BOX
};
} // namespace

// Without ap, after the bootloader and the box asking for a restart, the window offers an update
// only to the unit identified after that, and only once it runs a bootloader.
void TestUpdateScenarios::oldBootloaderBoxWaitsForTheRestartedUnit_data()
{
    QTest::addColumn<int>("comeback");
    QTest::addColumn<int>("running"); // the image the unit runs when it is back
    QTest::addColumn<QString>("status");
    QTest::addColumn<bool>("updateOffered");
    const QString REBOOT = QStringLiteral("Please REBOOT tolVane100. \n");
    const QString READY =
        QStringLiteral("Your tolVane100 is ready to receive updates!\nClick 'Update Firmware' to continue.");
    QTest::newRow("not restarted yet") << int(NOT_RESTARTED) << 0 << REBOOT << false;
    QTest::newRow("switched off while the box is up") << int(OFF_DURING_BOX) << 0 << REBOOT << false;
    QTest::newRow("back in its bootloader while the box is up") << int(BACK_DURING_BOX) << 2 << READY << true;
    QTest::newRow("back running its application while the box is up")
        << int(BACK_DURING_BOX) << 3 << "Your tolVane100 is running the application.\n"
        << false;
    QTest::newRow("back in its bootloader after the box") << int(BACK_AFTER_BOX) << 2 << READY << true;
}

void TestUpdateScenarios::oldBootloaderBoxWaitsForTheRestartedUnit()
{
    QFETCH(int, comeback);
    QFETCH(int, running);
    QFETCH(QString, status);
    QFETCH(bool, updateOffered);
    CUnitRig rig(unitModel(EUnitType::TolVane100, 4711, 1, 1, 20, 2, 5));
    CMainDialog dialog(false, false, false, false, false, false, QString(), QString(), false, QString());
    dialog.portEnumerator().setPollInterval(SCANS_BY_HAND_MS);
    QTRY_VERIFY(child<QPushButton>(dialog, "ButtonBurn")->isEnabled());

    // Switched off, and on again with the new bootloader 2.12 when it comes back.
    const auto restart = [&](bool bBack)
    {
        rig.unplug();
        dialog.portEnumerator().rescan();
        rig.unit.updateModel(
            [running](SSimUnitModel& m)
            {
                m.ident.runningPart = quint8(running);
                m.ident.bootMain = 2;
                m.ident.bootSub = 12;
            });
        if (bBack && rig.plugIn())
            dialog.portEnumerator().rescan();
    };
    CModalAnswerer answerer(
        [&](QWidget* pWidget)
        {
            auto* pBox = qobject_cast<QMessageBox*>(pWidget);
            if (!pBox)
                return false;
            if (comeback == OFF_DURING_BOX || comeback == BACK_DURING_BOX)
                restart(comeback == BACK_DURING_BOX);
            QTimer::singleShot(0, pBox->buttons().value(0), &QAbstractButton::click);
            return true;
        });
    dialog.on_ButtonBurn_clicked();
    QCOMPARE(answerer.handled(), 1);
    if (comeback == BACK_AFTER_BOX)
    {
        QVERIFY(!child<QPushButton>(dialog, "ButtonBurn")->isEnabled());
        restart(true);
    }

    QVERIFY2(statusText(dialog).startsWith(status), qPrintable(statusText(dialog)));
    QCOMPARE(child<QPushButton>(dialog, "ButtonBurn")->isEnabled(), updateOffered);
    QVERIFY(child<QPushButton>(dialog, "ButtonClose")->isEnabled());
    // Nothing more reaches a unit not seen in its bootloader since the box, even on a press.
    const int nBlocks = rig.unit.model().uploadedBlocks.size();
    if (!updateOffered)
        dialog.on_ButtonBurn_clicked();
    QCOMPARE(rig.unit.model().uploadedBlocks.size(), nBlocks);
}

namespace
{
// Answers every message box. At the first one titled `box` (or whose text starts with it), another
// unit takes the place of the one there, from the box's own loop, as the port's signals reach the
// window; the box is answered once that unit has been identified.
class CReplacingAnswerer
{
public:
    CReplacingAnswerer(CUnitRig& rig, std::function<CMainDialog*()> dialog, const QString& box,
                       const SSimUnitModel& second)
        : m_Answerer(
              [=, &rig](QWidget* pWidget)
              {
                  auto* pBox = qobject_cast<QMessageBox*>(pWidget);
                  if (!pBox || m_Answered.contains(pBox))
                      return pBox != nullptr;
                  m_Answered << pBox;
                  QAbstractButton* pOk = pBox->button(QMessageBox::Ok);
                  if (!pOk)
                      pOk = pBox->buttons().value(0);
                  // Queued on the button: a box gone meanwhile is not answered.
                  if (replaced || box.isEmpty() ||
                      (pBox->windowTitle() != box && !pBox->text().startsWith(box)))
                  {
                      QTimer::singleShot(0, pOk, &QAbstractButton::click);
                      return true;
                  }
                  replaced = true;
                  QTimer::singleShot(0, pOk,
                                     [=, &rig]
                                     {
                                         rig.unplug();
                                         rig.unit.setModel(second);
                                         rig.unit.clearRecords();
                                         if (rig.plugIn())
                                             dialog()->portEnumerator().rescan();
                                         // After whatever the new identification left to the loop.
                                         QTimer::singleShot(0, pOk, &QAbstractButton::click);
                                     });
                  return true;
              })
    {
    }

    bool replaced = false;

private:
    QList<QPointer<QMessageBox>> m_Answered;
    CModalAnswerer m_Answerer;
};

QPushButton* panelButton(CMainDialog& dialog, const QString& text)
{
    for (QPushButton* pButton : dialog.debugWidget()->findChildren<QPushButton*>())
        if (pButton->text() == text)
            return pButton;
    return nullptr;
}

const QByteArray TEST_FILE_100 =
    "Test case;Description;Hum Red;Com level;Room area;2nd room flow;Sum Cool Temp;T-Outdoor;T-Extract;"
    "T-Exhaust;T-Supply;Rel. hum. out;Rel. hum. extract;CO2;Ave RH Ext\n"
    "A;a;0;3;20;0;0;10;22;12;20;60;30;600;50\n";
} // namespace

// A message box runs its own event loop, in which the port is followed and a new unit identified.
// Whatever was decided before the box about the unit then there, nothing of it reaches the unit
// there after the box: judged in the second unit's frame log. A service panel whose slot waits in
// the box outlives it.
void TestUpdateScenarios::unitReplacedWhileABoxIsOpen_data()
{
    QTest::addColumn<SBoxScenario>("scenario");
    const SSimUnitModel t100Running = unitModel(EUnitType::TolVane100, 1234, 3, 2, 12, 2, 12);

    SBoxScenario s;
    s.first = unitModel(EUnitType::TolVane100, 1234, 1, 2, 4, 2, 4);
    s.second = unitModel(EUnitType::TolVane100, 5678, 2, 2, 5, 2, 6);
    s.serialNrOption = QStringLiteral("4711");
    s.box = QStringLiteral("Seriennummer bereits gesetzt");
    s.pressUpdate = true;
    // It runs bootloader 2: bootloader 1 is written into it.
    s.writes =
        QStringList{"serial number", "image 3 from 39081", "image 4 from 0", "image 1 from 1120", "swap"};
    s.applicationVersion = QStringLiteral("2.06");
    QTest::newRow("sn: the serial number box") << s;

    s = SBoxScenario();
    s.first = t100Running;
    s.first.counters[39] = 22;
    s.owner = true;
    s.open = [](CMainDialog& dialog) { child<QCheckBox>(dialog, "ButtonDeIce")->click(); };
    s.box = QStringLiteral("Please Note");
    s.second = unitModel(EUnitType::TolVanePlus, 5678, 3, 2, 12, 1, 19);
    s.applicationVersion = QStringLiteral("1.19");
    QTest::newRow("owner: the de-icing question, a tolVane plus 1.19 comes") << s;

    s.second = unitModel(EUnitType::TolVane100, 5678, 1, 2, 12, 2, 12);
    s.applicationVersion = QStringLiteral("2.12");
    QTest::newRow("owner: the de-icing question, a tolVane100 in its bootloader comes") << s;

    s = SBoxScenario();
    s.first = t100Running;
    s.second = unitModel(EUnitType::TolVane100, 5678, 3, 2, 12, 2, 10);
    s.debug = true;
    s.open = [](CMainDialog& dialog) { panelButton(dialog, "Erase Sec Log")->click(); };
    s.box = QStringLiteral("Confirm Erasing Log");
    s.applicationVersion = QStringLiteral("2.10");
    QTest::newRow("d: Erase Sec Log's question") << s;

    // The case selected before is applied again after the box: its values are sent.
    s.testFile = TEST_FILE_100;
    s.open = [](CMainDialog& dialog)
    {
        panelButton(dialog, "(Re)load Test File")->click();
        dialog.debugWidget()->testCaseCombo()->setCurrentIndex(0);
        QByteArray withoutColumn = TEST_FILE_100;
        QVERIFY(TestFiles::writeFile(dialog.testValuesPath(),
                                     withoutColumn.replace(";Ave RH Ext", "").replace(";50", "")));
        panelButton(dialog, "(Re)load Test File")->click();
    };
    s.box = QStringLiteral("Missing column in test file");
    QTest::newRow("d: (Re)load Test File's missing column") << s;
}

void TestUpdateScenarios::unitReplacedWhileABoxIsOpen()
{
    QFETCH(SBoxScenario, scenario);
    QTemporaryDir dir;
    const QString strTestFile = dir.filePath("values.csv");
    if (!scenario.testFile.isEmpty())
        QVERIFY(TestFiles::writeFile(strTestFile, scenario.testFile));
    CUnitRig rig(scenario.first);
    QVERIFY(rig.keepPortName());
    CMainDialog dialog(false, false, false, false, scenario.owner, false, QString(), scenario.serialNrOption,
                       scenario.debug, strTestFile);
    dialog.portEnumerator().setPollInterval(SCANS_BY_HAND_MS);

    CReplacingAnswerer answerer(
        rig, [&dialog] { return &dialog; }, scenario.box, scenario.second);
    QCoreApplication::sendPostedEvents(&dialog, QEvent::MetaCall); // the first search
    // The panel whose slot opens the box.
    const QPointer<CDebugWidget> pFirstPanel = scenario.open ? dialog.debugWidget() : nullptr;
    if (scenario.open)
        scenario.open(dialog);
    QTRY_VERIFY(answerer.replaced && !QApplication::activeModalWidget());
    if (scenario.pressUpdate)
        dialog.on_ButtonBurn_clicked();

    // The program runs on; the first unit's panel is gone once its slot has returned.
    QTRY_VERIFY(!pFirstPanel);
    QCOMPARE(writesReceived(rig.unit), scenario.writes);
    QCOMPARE(blocksIntoTheRunningBootloader(rig.unit.model()), 0);
    QCOMPARE(child<QLineEdit>(dialog, "LineEditApplicationVersion")->text(), scenario.applicationVersion);
    if (scenario.owner) // the switch shows the second unit's setting
        QVERIFY(!child<QCheckBox>(dialog, "ButtonDeIce")->isChecked());
    if (scenario.pressUpdate)
        QVERIFY2(statusText(dialog).startsWith(SUCCESS), qPrintable(statusText(dialog)));
}

// With option ap the update starts by itself, and exits with 100 only when it went through on the
// unit there: a unit that came while the serial number box was open, or one that swapped twice.
void TestUpdateScenarios::automaticUpdateRestsOnTheUnitThere_data()
{
    QTest::addColumn<SSimUnitModel>("first");
    QTest::addColumn<QString>("box");
    QTest::addColumn<SSimUnitModel>("second");
    QTest::addColumn<bool>("swapRepeated");  // the acknowledgement of the swap request is lost once
    QTest::addColumn<QStringList>("writes"); // what the unit there at the end received
    QTest::addColumn<int>("exitCode");
    QTest::newRow("sn: the serial number box")
        << unitModel(EUnitType::TolVane100, 1234, 1, 2, 4, 2, 4) << "Seriennummer bereits gesetzt"
        << unitModel(EUnitType::TolVane100, 5678, 2, 2, 5, 2, 6) << false
        << QStringList{"serial number", "image 3 from 39081", "image 4 from 0", "image 1 from 1120", "swap"}
        << 100;
    // Only its bootloader is older than the shipped one.
    QTest::newRow("plus whose swap is repeated by the link")
        << unitModel(EUnitType::TolVanePlus, 7001, 1, 2, 5, 2, 13) << QString() << SSimUnitModel() << true
        << QStringList{"serial number", "image 2 from 1120", "swap"} << 0;
}

void TestUpdateScenarios::automaticUpdateRestsOnTheUnitThere()
{
    QFETCH(SSimUnitModel, first);
    QFETCH(QString, box);
    QFETCH(SSimUnitModel, second);
    QFETCH(bool, swapRepeated);
    QFETCH(QStringList, writes);
    QFETCH(int, exitCode);
    CUnitRig rig(first);
    QVERIFY(rig.keepPortName());
    if (swapRepeated)
        rig.unit.addFault({unitsim::ESimFault::DropAck, 0, 1, 1, unitsim::MSG_SWAP_BOOTLOADERS});
    CMainDialog* pDialog = nullptr;
    QTimer::singleShot(0,
                       [&]
                       {
                           for (QWidget* pWidget : QApplication::topLevelWidgets())
                               if ((pDialog = qobject_cast<CMainDialog*>(pWidget)))
                                   pDialog->portEnumerator().setPollInterval(SCANS_BY_HAND_MS);
                       });
    CReplacingAnswerer answerer(
        rig, [&pDialog] { return pDialog; }, box, second);
    // Not updated, the window stays: the user closes it once it says the update failed.
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout,
                     [&]
                     {
                         if (pDialog && statusText(*pDialog).startsWith("The update process failed") &&
                             child<QPushButton>(*pDialog, "ButtonClose")->isEnabled())
                             pDialog->close();
                     });
    closer.start(CUnitRig::POLL_MS);
    const CRunGuard guard;
    QCOMPARE(CUpdaterStartup::run({"Update-tolVane", "-ap", "-sn", "4711"}), exitCode);
    QCOMPARE(answerer.replaced, !box.isEmpty());
    QCOMPARE(writesReceived(rig.unit), writes);
    QCOMPARE(blocksIntoTheRunningBootloader(rig.unit.model()), 0);
}

QTEST_MAIN(TestUpdateScenarios)
#include "tst_updatescenarios.moc"
