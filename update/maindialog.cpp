#include "maindialog.h"

#include "DataDict.h"
#include "DebugCorMisto70.h"
#include "DebugTolVane100.h"
#include "Fan.h"
#include "FanValues.h"
#include "Fan_70_PC.h"
#include "flashimagelist.h"
#include "ui_maindialog.h"

#include <QDebug>
#include <QGuiApplication>
#include <QIntValidator>
#include <QMessageBox>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyleOptionFrame>
#include <QVBoxLayout>

namespace
{
// Version of this updater, shown in the title.
const char* const UPDATER_VERSION = "2.12 ";

// Persistent counters that switch the de-icing, with their values for on and off.
constexpr auto DEICE_COUNTER_1 = CPersCounter_ReadOnly::CNT_DEICE_SWITCH_OFF_TEMP;
constexpr auto DEICE_COUNTER_2 = CPersCounter_ReadOnly::CNT_DEICE_MIN_EXHAUST_TEMP;
constexpr UINT32 DEICE_ON[2] = {1, 19};
constexpr UINT32 DEICE_OFF[2] = {22, 11};

// Dictionary entries the current-information poll shows, in this order.
constexpr int CURRENT_INFO_ERROR_ENTRY = 90;
constexpr int CURRENT_INFO_ENTRIES[] = {41, 37, 46, 49, 42, 39, 50, 43, 34, 35, 31, 32};

constexpr int AUTO_PLACEMENT_MARGIN = 50;

// The number in the serial-number field; 0 when it holds none the unit can be given.
UINT32 fieldSerialNumber(const QString& strText)
{
    bool bOk = false;
    const UINT32 nNumber = strText.toUInt(&bOk);
    return bOk && CUpdateDecision::isSerialNumber(nNumber) ? nNumber : 0;
}
} // namespace

CMainDialog::CMainDialog(bool bInstallMode, bool bForceBootloader, bool bForceApplication, bool bOptionFc,
                         bool bOwner, bool bAutomatic, QString strExcludedPort, QString strSerialNumber,
                         bool bDebug, QString strTestValuesPath, QWidget* parent)
    : QDialog(parent), m_pUi(new Ui_CMainDialog), m_pFan(new CFan(false, this)),
      m_PortFollower(strExcludedPort), m_bInstallMode(bInstallMode), m_bOptionFc(bOptionFc), m_bOwner(bOwner),
      m_bAutoStartArmed(bAutomatic), m_bExitAfterSuccess(bAutomatic), m_strSerialNumber(strSerialNumber),
      m_bDebug(bDebug), m_strTestValuesPath(strTestValuesPath),
      m_Sequence(*this,
                 {bInstallMode, bForceBootloader, bForceApplication, !strSerialNumber.isEmpty(), bAutomatic})
{
    // Every upload looks its image up in a catalogue of its own.
    CFanBase::setImageCatalogueFactory(
        [] { return std::unique_ptr<CFlashImageCatalogue>(new CFlashImageList); });
    connect(m_pFan, &CFanBase::signalUserInfo, this, &CMainDialog::onUnitInfo);
    qDebug() << "sizeof(SSecLogEntry)" << SSecLogEntry::SIZE;
    qDebug() << "sizeof(SHLP_ReportSecLog)" << SHLP_ReportSecLog::SIZE;

    m_pUi->setupUi(this);
    m_strUpdatingText = m_pUi->LabelUpdating->text();
    m_pUi->DebugWidget->setLayout(new QVBoxLayout);
    // The service panel is wider than many screens: it scrolls sideways instead of widening the window.
    m_pPanelScroll = new QScrollArea(m_pUi->DebugWidget);
    m_pPanelScroll->setFrameShape(QFrame::NoFrame);
    m_pPanelScroll->setWidgetResizable(true);
    m_pPanelScroll->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_pUi->DebugWidget->layout()->addWidget(m_pPanelScroll);
    m_pUi->LineEditSerialNumber->setValidator(new QIntValidator(0, CUpdateDecision::MAX_SERIAL_NUMBER, this));
    fitFields();
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    m_pUi->LabelTitle->setText(m_pUi->LabelTitle->text().arg(QLatin1String(UPDATER_VERSION)));

    setState(ST_IDLE);

    m_pUi->DebugEdit->setReadOnly(true);
    m_pUi->DebugEdit->setVisible(m_bInstallMode || m_bDebug);
    m_pUi->widget_3->setVisible(m_bInstallMode || m_bDebug);
    m_pUi->DebugButtons->setVisible(m_bDebug);
    if (m_bDebug)
        m_pFan->setDebugOutput(m_pUi->DebugEdit);
    if (m_bInstallMode || m_bDebug)
        keepOnScreen(); // as wide as the debug box and the versions beside it need
    else
        resize(470, 400);

    UINT8 nMain = 0, nSub = 0;
    getShippedVersion(CPartitionTable::PT_BOOTLOADER_1, nMain, nSub);
    m_pUi->LineEditBootloaderVersionNew->setText(SVersion{nMain, nSub}.text());
    getShippedVersion(CPartitionTable::PT_APPLICATION, nMain, nSub);
    m_pUi->LineEditApplicationVersionNew->setText(SVersion{nMain, nSub}.text());
    getShippedVersion(CPartitionTable::PT_WIFI_MODULE, nMain, nSub);
    m_pUi->LineEditWiFiVersionNew->setText(SVersion{nMain, nSub}.text());
    m_pUi->LineEditWiFiVersionNew->hide();
    m_pUi->LabelWifiVersionNew->hide();

    // The given serial number is in the field before the first identification, so that the
    // state it leads to already counts it.
    if (!m_strSerialNumber.isEmpty())
        m_pUi->LineEditSerialNumber->setText(m_strSerialNumber);

    connect(&m_Enumerator, &CPortEnumerator::deviceDiscovered, this, &CMainDialog::on_DeviceListChanged);
    connect(&m_Enumerator, &CPortEnumerator::deviceRemoved, this, &CMainDialog::on_DeviceListChanged);
    connect(&m_PortFollower, &CPortFollower::signalPortChanged, this, &CMainDialog::onUnitPortChanged);
    m_Enumerator.setUpNotifications();
    // The first search runs from the event loop, so the window is up before a silent unit is
    // asked for half a minute.
    QMetaObject::invokeMethod(this, &CMainDialog::on_DeviceListChanged, Qt::QueuedConnection);

    connect(m_pUi->LineEditSerialNumber, &QLineEdit::textEdited, this, &CMainDialog::on_TextEditedIdentData);
    m_TimerCurrentInfo.setInterval(CURRENT_INFO_INTERVAL_MS);
    connect(&m_TimerCurrentInfo, &QTimer::timeout, this, &CMainDialog::onTimerCurrentInfo);

    if (m_bInstallMode)
        m_pUi->ButtonBurn->setText(tr("Install and test"));
    m_pUi->GroupDeIce->setVisible(m_bOwner);
    m_pUi->ButtonDeIce->setStyleSheet(QStringLiteral("QCheckBox:checked { background:yellow;}"));
}

CMainDialog::~CMainDialog()
{
    delete m_pUi;
}

QTextEdit* CMainDialog::debugEdit() const
{
    return m_pUi->DebugEdit;
}

QString CMainDialog::deviceText() const
{
    return m_pFan->getDeviceTypeText();
}

QString CMainDialog::serialNumberText() const
{
    return m_pUi->LineEditSerialNumber->text();
}

QProgressBar* CMainDialog::progressBar()
{
    return m_pUi->ProgressBar;
}

int CMainDialog::unitSystem() const
{
    return isPlusUnit() ? CFlashImage::SYS_TOLVANE_PLUS : CFlashImage::SYS_TOLVANE100;
}

void CMainDialog::fitFields()
{
    // The longest text of each field stays readable whole, however long the labels beside it are
    // in the language shown: the longest number a unit can be given, a board version byte, and
    // versions with a two-digit main version.
    const QString strVersion = SVersion{99, 99}.text();
    const QList<QPair<QLineEdit*, QString>> fields = {
        {m_pUi->LineEditSerialNumber, QString::number(CUpdateDecision::MAX_SERIAL_NUMBER)},
        {m_pUi->LineEditBoardVersion, QString::number(255)},
        {m_pUi->LineEditBootloaderVersion, strVersion + QStringLiteral(".CX")},
        {m_pUi->LineEditApplicationVersion, strVersion},
        {m_pUi->LineEditWiFiVersion, strVersion},
        {m_pUi->LineEditBootloaderVersionNew, strVersion},
        {m_pUi->LineEditApplicationVersionNew, strVersion},
        {m_pUi->LineEditWiFiVersionNew, strVersion}};
    for (const auto& field : fields)
    {
        // The line edit keeps a margin of 2 pixels on each side of its text, and uses a pixel beside
        // it; with less it scrolls the text.
        QLineEdit* pField = field.first;
        const QMargins margins = pField->textMargins();
        const QSize text(pField->fontMetrics().horizontalAdvance(field.second) + 1 + 2 * 2 + margins.left() +
                             margins.right(),
                         pField->fontMetrics().height());
        QStyleOptionFrame frame;
        frame.initFrom(pField);
        frame.lineWidth = pField->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &frame, pField);
        pField->setMinimumWidth(
            pField->style()->sizeFromContents(QStyle::CT_LineEdit, &frame, text, pField).width());
    }
}

void CMainDialog::setState(int nState)
{
    Ui_CMainDialog& ui = *m_pUi;
    ui.ButtonDeIce->setEnabled(nState == ST_READY || nState == ST_UP_TO_DATE ||
                               nState == ST_APPLICATION_RUNNING);
    if (nState < ST_IDLE || nState > ST_REBOOT_WAIT)
        nState = ST_IDLE;

    const bool bBusy = nState == ST_UPDATING || nState == ST_REBOOT_WAIT;
    ui.ProgressBar->setVisible(nState == ST_UPDATING || nState == ST_SUCCESS);
    ui.ProgressBar->setValue(nState == ST_SUCCESS ? 100 : 0);
    ui.LabelUpdating->setText(nState == ST_UPDATING ? m_strUpdatingText : QString());
    ui.LineEditSerialNumber->setReadOnly(nState != ST_ENTER_SERIAL);
    if (!bBusy)
        ui.LineEditSerialNumber->setEnabled(nState == ST_ENTER_SERIAL);
    ui.ButtonBurn->setEnabled(nState == ST_READY);
    ui.ButtonClose->setEnabled(!bBusy);
    // The service panel must not start requests while an update step owns the link.
    ui.DebugButtons->setEnabled(!bBusy);

    const QString strDevice = deviceText();
    switch (nState)
    {
    case ST_IDLE:
        ui.ButtonDeIce->setChecked(false);
        if (m_strSerialNumber.isEmpty())
            ui.LineEditSerialNumber->clear();
        ui.LineEditApplicationVersion->clear();
        ui.LineEditWiFiVersion->clear();
        ui.LineEditBootloaderVersion->clear();
        break;
    case ST_READY:
        ui.LabelMain->setText(
            (m_bInstallMode
                 ? tr("Your %1 is ready to receive updates!\nClick 'Install and test' to continue.")
                 : tr("Your %1 is ready to receive updates!\nClick 'Update Firmware' to continue."))
                .arg(strDevice));
        break;
    case ST_UP_TO_DATE:
        ui.LabelMain->setText(tr("Your %1 is up-to-date.").arg(strDevice));
        break;
    case ST_UPDATING:
        ui.LabelMain->setText(tr("Updating Firmware of your %1...").arg(strDevice));
        break;
    case ST_SUCCESS:
        ui.LabelMain->setText(
            (m_pFan->getUnitType() == 0
                 ? tr("Your %1 was successfully updated!\nPlease disconntect the USB cable and switch the %1 "
                      "off.\nWAIT until ALL LEDs are off, only then switch on again.")
                 : tr("Your %1 was successfully updated!\nPlease disconntect the USB cable and press and "
                      "hold the "
                      "button.\nuntil all LEDs are off."))
                .arg(strDevice));
        break;
    case ST_ENTER_SERIAL:
        ui.LabelMain->setText(tr("Enter serial number of %1. ").arg(strDevice));
        break;
    case ST_SERIAL_WRITTEN:
        ui.LabelMain->setText(tr("Serial number successfully written."));
        break;
    case ST_APPLICATION_RUNNING:
        ui.LabelMain->setText(
            tr("Your %1 is running the application.\n").arg(strDevice) +
            (isPlusUnit()
                 ? tr("To update it, press the button until all LEDs are on\nand are off again.\n")
                 : tr("To update it, switch it off and wait until all LEDs are off.\nThen switch it on "
                      "again.")));
        break;
    case ST_NOT_UPDATABLE:
        ui.LabelMain->setText(tr("This device can't be updated.\n"));
        break;
    case ST_REBOOT_WAIT:
        ui.LabelMain->setText(
            tr("Please REBOOT %1. \n Wait until all LEDs are off before switching on again.\n "
               "Do not disconnect the cable. Do not close this application.")
                .arg(strDevice));
        break;
    }
}

void CMainDialog::userInfo(QString strInfo)
{
    m_pUi->LabelMain->setText(strInfo);
    // The update runs in this thread: the text must show before the next blocking step.
    repaint();
}

void CMainDialog::onUnitInfo(const QString& strInfo)
{
    if (m_strFailureText.isEmpty())
        userInfo(strInfo);
}

void CMainDialog::debugOutput(const QString& strText, bool bRepaint)
{
    m_pUi->DebugEdit->append(strText);
    if (bRepaint)
        m_pUi->DebugEdit->repaint();
}

void CMainDialog::on_ButtonClose_clicked()
{
    close();
}

void CMainDialog::on_TextEditedIdentData()
{
    if (fieldSerialNumber(m_pUi->LineEditSerialNumber->text()) == 0)
    {
        m_pUi->ButtonBurn->setEnabled(false);
        return;
    }
    m_pUi->ButtonBurn->setEnabled(true);
    m_pUi->LabelMain->setText(
        tr("Your tolVane device is ready to receive updates!\nClick 'Update Firmware' to continue."));
}

void CMainDialog::reject()
{
    // States 3 and 9: an update or a restart is under way and must not be interrupted.
    if (!m_pUi->ButtonClose->isEnabled())
        return;
    QDialog::reject();
}

void CMainDialog::showEvent(QShowEvent* event)
{
    if (m_bExitAfterSuccess)
    {
        if (const QScreen* pScreen = QGuiApplication::primaryScreen())
        {
            const QRect available = pScreen->availableGeometry();
            QRect frame = frameGeometry();
            frame.moveTopRight(QPoint(available.right() - AUTO_PLACEMENT_MARGIN, AUTO_PLACEMENT_MARGIN));
            // A wide window (option d) is pushed back onto the screen rather than cut off.
            move(qMax(available.left(), qMin(frame.left(), available.right() + 1 - frame.width())),
                 qMax(available.top(), qMin(frame.top(), available.bottom() + 1 - frame.height())));
        }
    }
    QDialog::showEvent(event);
}

// Keeps the window within the screen it is on, so that none of its buttons is out of reach.
void CMainDialog::keepOnScreen()
{
    const QScreen* pScreen = screen();
    if (!pScreen)
        return;
    layout()->activate();
    const QRect available = pScreen->availableGeometry();
    QSize wanted = size().expandedTo(sizeHint());
    if (m_pDebugWidget) // wide enough for the whole panel where the screen allows it
        wanted.rwidth() += qMax(0, m_pDebugWidget->sizeHint().width() - m_pPanelScroll->sizeHint().width());
    resize(wanted.boundedTo(available.size()));
    if (!isVisible())
        return; // placed when it is shown
    const QRect frame = frameGeometry();
    move(qBound(available.left(), frame.left(), available.right() + 1 - frame.width()),
         qBound(available.top(), frame.top(), available.bottom() + 1 - frame.height()));
}

void CMainDialog::onTimerCurrentInfo()
{
    // The poll reads a tolVane100's state only, and never in the middle of a transfer.
    auto* pFan = qobject_cast<CFan*>(m_pFan);
    if (!pFan || isTransferRunning())
        return;
    const qint64 nSeconds = m_StartTime.secsTo(QDateTime::currentDateTime());
    const QString strRuntime = tr("Runtime: %1:%2")
                                   .arg(nSeconds / 60, 2, 10, QLatin1Char('0'))
                                   .arg(nSeconds % 60, 2, 10, QLatin1Char('0'));
    SPrimLogEntry entry;
    if (!pFan->getCurrentState(entry))
    {
        debugOutput(strRuntime + QStringLiteral(" - ") + tr("getCurrentState() failed"), true);
        return;
    }
    const CFanValues values(entry);
    if (values.isDefault())
    {
        debugOutput(strRuntime + QStringLiteral(" - ") + tr("Application starting..."), true);
        return;
    }
    CDataDict* pDict = CDataDict::instance();
    QString strText = QStringLiteral("\n") + strRuntime + QStringLiteral("\n");
    strText += QStringLiteral("%1: %2\n")
                   .arg(pDict->getText(CURRENT_INFO_ERROR_ENTRY, 1, false),
                        pDict->getText(CFanValues::getErrorIndex(values.ErrorState), 0, false));
    for (int nIndex : CURRENT_INFO_ENTRIES)
        strText += QStringLiteral("%1: %2 %3\n")
                       .arg(pDict->getText(nIndex, 1, false), values.getValue(nIndex).toString(),
                            pDict->getText(nIndex, 3, false));
    debugOutput(strText, true);
}

void CMainDialog::writeDeIceCounters(bool bOn, int nIdent)
{
    const UINT32* pValues = bOn ? DEICE_ON : DEICE_OFF;
    UINT32 nBefore = 0, nFirst = pValues[0], nSecond = pValues[1];
    bool bSwitched = false, bRestored = true, bRefused = false;
    // The first counter's value goes back should the second write fail: the unit must not be left
    // half-switched.
    writeFor(
        nIdent,
        [&](CFanBase& unit)
        {
            if (unit.readWriteCounterValue(DEICE_COUNTER_1, &nBefore, false))
            {
                bSwitched = unit.readWriteCounterValue(DEICE_COUNTER_1, &nFirst, true) &&
                            unit.readWriteCounterValue(DEICE_COUNTER_2, &nSecond, true);
                if (!bSwitched)
                    bRestored = unit.readWriteCounterValue(DEICE_COUNTER_1, &nBefore, true);
            }
            return bSwitched;
        },
        &bRefused);
    if (bSwitched)
        return;
    // Refused, the switch already shows the setting of the unit there now.
    if (!bRefused)
        m_pUi->ButtonDeIce->setChecked(!bOn);
    QMessageBox::warning(this, tr("Deicing Function"),
                         (bRestored ? tr("The deicing function of the %1 could not be switched.\nIts "
                                         "setting is unchanged.")
                                    : tr("The deicing function of the %1 could not be switched, and its "
                                         "previous setting could not be restored.\nPlease try again."))
                             .arg(deviceText()));
}

void CMainDialog::on_ButtonDeIce_clicked(bool bChecked)
{
    const QString strDevice = deviceText();
    // Decided on the identification of now; the boxes below let another unit come, whose
    // identification sets the switch to its own setting.
    const int nIdent = m_Sequence.writeGate().current();
    const auto undoClick = [this, bChecked, nIdent]
    {
        if (m_Sequence.writeGate().current() == nIdent)
            m_pUi->ButtonDeIce->setChecked(!bChecked);
    };
    if (!needs().deIceAvailable)
    {
        QMessageBox::information(
            this, tr("Update of the Firmware Required"),
            tr("The firmware of the %1 needs to be updated for the deicing functionality").arg(strDevice));
        undoClick();
        return;
    }
    if (isBootloader(runningImage()))
    {
        QMessageBox::information(
            this, tr("Restart Required"),
            tr("<p>The %1 is running the Bootloader. In order to change the deicing option, it needs to be "
               "restarted as follows:</p><ol><li style=\"margin:0.4em 0;\">Disconnect the USB cable to the "
               "%1.</li><li style=\"margin:0.4em 0;\">Switch off the %1 and wait until all LEDs are "
               "completely "
               "dark.</li><li style=\"margin:0.4em 0;\">Switch on the %1 again.</li><li style=\"margin:0.4em "
               "0;\">Wait for at least 5 seconds.</li><li style=\"margin:0.4em 0;\">Re-connect the USB "
               "cable.</li></ol>")
                .arg(strDevice));
        undoClick();
        return;
    }
    const auto answer = QMessageBox::question(
        this, tr("Please Note"),
        tr("<ul><li style=\"margin:0.4em 0;\">You need the permission of the owner of the building in "
           "order<br/>to switch on or off the de-icing function.</li><li style=\"margin:0.4em 0;\">The "
           "de-icing "
           "function reduces the formation of ice on the<br/>outer wall which is caused by liquid "
           "condensate.</li><li style=\"margin:0.4em 0;\">The effect of the tolVane100 is reduced by the "
           "de-icing function<br/>at temperatures below 0°C.</li></ul>"),
        QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Cancel);
    if (answer != QMessageBox::Ok)
    {
        undoClick();
        return;
    }
    writeDeIceCounters(bChecked, nIdent);
}

void CMainDialog::getShippedVersion(int nType, UINT8& rMain, UINT8& rSub) const
{
    const CFlashImageList list;
    const CFlashImage* pImage =
        list.findImage(CPartitionTable::EPartType(nType), CFlashImage::ESystem(unitSystem()));
    rMain = pImage ? pImage->m_MainVer : 0;
    rSub = pImage ? pImage->m_SubVer : 0;
}

void CMainDialog::on_DeviceListChanged()
{
    qDebug() << "*** on_DeviceListChanged(): start";
    if (!m_PortFollower.update() && !isTransferRunning())
        qDebug() << "*** on_DeviceListChanged(): com port not changed";
}

void CMainDialog::onUnitPortChanged(const QString& strPort)
{
    m_Sequence.writeGate().close();
    m_pFan->closeComPort();
    if (m_bInstallMode)
    {
        m_TimerCurrentInfo.stop();
        m_pUi->DebugEdit->clear();
    }
    if (!m_pFan->openComPort(strPort))
    {
        // No port, no unit: nothing identified before holds for whatever is plugged in next.
        m_PortFollower.portFailed();
        m_Sequence.forget();
        setState(ST_IDLE);
        qDebug() << "*** on_DeviceListChanged(): failed open com port";
        return;
    }
    m_strFailureText.clear(); // a unit is there again: what it says counts
    identifyUnit();
    qDebug() << "*** on_DeviceListChanged():com partner " << runningImage();
    if ((runningImage() == RUNNING_NONE || runningImage() == RUNNING_APPLICATION) && m_bInstallMode)
    {
        m_TimerCurrentInfo.start(CURRENT_INFO_INTERVAL_MS);
        m_StartTime = QDateTime::currentDateTime();
        qDebug() << "*** on_DeviceListChanged(): manu timer started";
    }
    qDebug() << "on_DeviceListChanged(): all good";
    // While an update runs, its sequence decides what follows a new identification: the window
    // offers no update of its own meanwhile.
    if (!m_Sequence.isRunning())
        showResultState();
}

void CMainDialog::replaceUnit(CFanBase* pNewUnit)
{
    const QString strPort = m_pFan->getComPortName();
    delete m_pFan;
    m_pFan = pNewUnit;
    connect(m_pFan, &CFanBase::signalUserInfo, this, &CMainDialog::onUnitInfo);
    if (m_bDebug)
        m_pFan->setDebugOutput(m_pUi->DebugEdit);
    m_pFan->openComPort(strPort);
}

bool CMainDialog::identifyUnit()
{
    for (int i = 0; i < IDENT_ATTEMPTS; ++i)
        if (identifyDevice())
            return true;
    return false;
}

void CMainDialog::replacePanel(CDebugWidget* pPanel)
{
    // The old panel goes once none of its slots runs: one may wait in a message box (its child),
    // or be the sender of this call ("Get Ident").
    if (m_pDebugWidget)
    {
        m_pPanelScroll->takeWidget();
        m_pDebugWidget->hide();
        m_pDebugWidget->retire();
    }
    m_pDebugWidget = pPanel;
    m_pPanelScroll->setWidget(m_pDebugWidget);
    m_pPanelScroll->setMinimumHeight(m_pDebugWidget->sizeHint().height() +
                                     m_pPanelScroll->horizontalScrollBar()->sizeHint().height());
    if (m_bDebug)
        keepOnScreen();
}

bool CMainDialog::identifyDevice()
{
    // Nothing of an earlier identification may decide about whatever answers now.
    m_Sequence.forget();
    SHLP_IdentData ident;
    // The window is repainted between the attempts.
    if (!transfer([&ident](CFanBase& unit) { return unit.getIdentData(ident); }))
        return false;

    if (!ident.m_b70)
    {
        if (m_pFan->getUnitType() != 0)
            replaceUnit(new CFan(false, this));
    }
    else if (m_pFan->getUnitType() == 0)
        replaceUnit(new CFan_70_PC(this));
    const bool bValid = ident.m_RunningPart <= RUNNING_APPLICATION;
    if (bValid)
        m_Sequence.identified(ident, m_pFan->getComPortName());
    // The window shows this identification before any message box: a box lets another unit come,
    // whose identification then shows its own, and nothing after the box is this one's any more.
    CWriteGate& gate = m_Sequence.writeGate();
    const int nIdent = gate.current();
    const auto superseded = [&gate, nIdent] { return gate.current() != nIdent; };
    if (!ident.m_b70)
        replacePanel(new CDebugTolVane100(this, ident.m_SerialNr, nullptr));
    else
        replacePanel(new CDebugCorMisto70(this, nullptr));

    // A number the field cannot hold (erased flash reads 4294967295) counts as none: the user
    // types one, and it is written before any image.
    const bool bHasSerialNr = CUpdateDecision::isSerialNumber(ident.m_SerialNr);
    if (m_strSerialNumber.isEmpty())
    {
        m_pUi->LineEditSerialNumber->clear();
        if (bHasSerialNr)
            m_pUi->LineEditSerialNumber->setText(QString::number(ident.m_SerialNr));
    }
    m_pUi->LineEditBoardVersion->setText(QStringLiteral("%1").arg(ident.m_HWVersion));
    m_pUi->LineEditBootloaderVersion->setText(CUpdateDecision::bootloaderText(ident));
    m_pUi->LineEditApplicationVersion->setText(CUpdateDecision::applicationVersion(ident).text());
    m_pUi->LineEditWiFiVersion->setText(CUpdateDecision::wifiVersion(ident).text());
    m_pUi->LineEditWiFiVersion->hide();
    m_pUi->LabelWifiVersion->hide();
    if (!bValid)
        m_pUi->LabelMain->setText(tr("- Communication failed (corrupted sender address) - "));

    // The switch shows this unit's setting, also when it has none.
    const SIdentification& identification = m_Sequence.identification();
    UINT32 nDeIce = 0;
    m_pUi->ButtonDeIce->setChecked(
        identification.needs.deIceAvailable &&
        transfer([&nDeIce](CFanBase& unit)
                 { return unit.readWriteCounterValue(DEICE_COUNTER_1, &nDeIce, false); }) &&
        nDeIce >= 1 && nDeIce <= 9);

    if (!m_strSerialNumber.isEmpty() && bHasSerialNr && ident.m_SerialNr != m_strSerialNumber.toUInt())
        QMessageBox::information(this, tr("Seriennummer bereits gesetzt"),
                                 tr("Die Seriennummer ist bereits gesetzt und kann nicht verändert werden!"));
    // A newer identification, or none, decides from here on.
    if (superseded())
        return true;
    if (!bValid)
        return false;
    if (identification.bootloadersOutOfSync)
        QMessageBox::warning(this, QStringLiteral("Bootloaders out of sync"),
                             tr("Images of Bootloader 1 and 2 have different versions."));
    if (!superseded() && identification.needs.notUpdatable)
        QMessageBox::critical(
            nullptr, tr("Update not Possible"),
            tr("It is not possible to update this device.\nThe device runs version 1.x and is "
               "therefore too old."));
    return true;
}

void CMainDialog::showResultState()
{
    const SIdentification& identification = m_Sequence.identification();
    const SUpdateNeeds& needs = identification.needs;
    if (identification.running == RUNNING_NONE)
        setState(ST_IDLE);
    else if (needs.notUpdatable)
        setState(ST_NOT_UPDATABLE);
    else if (identification.running == RUNNING_APPLICATION)
        setState(ST_APPLICATION_RUNNING);
    else if (!identification.imageFault.isEmpty())
    {
        // Not up to date and not ready: the updater itself is broken.
        setState(ST_NOT_UPDATABLE);
        userInfo(identification.imageFault);
    }
    else if (fieldSerialNumber(m_pUi->LineEditSerialNumber->text()) == 0)
        setState(ST_ENTER_SERIAL);
    else if (!needs.bootloaderNeeded && !needs.applicationNeeded && !needs.wifiModuleNeeded)
        setState(ST_UP_TO_DATE);
    else
    {
        setState(ST_READY);
        if (m_bAutoStartArmed)
        {
            m_bAutoStartArmed = false;
            QMetaObject::invokeMethod(this, "on_ButtonBurn_clicked", Qt::QueuedConnection);
        }
    }
}

void CMainDialog::showFailure()
{
    m_strFailureText = m_pUi->LabelMain->text();
    showResultState();
    m_pUi->LabelMain->setText(m_strFailureText);
}

void CMainDialog::showRebootBox(const QString& strTitle, const QString& strText)
{
    QMessageBox box(QMessageBox::Information, strTitle, strText, QMessageBox::NoButton, nullptr,
                    Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);
    box.exec();
}

bool CMainDialog::transfer(const std::function<bool(CFanBase&)>& step)
{
    // Port changes reported meanwhile wait for its end; a port that failed under it is opened anew.
    m_PortFollower.beginTransfer();
    const bool bDone = step(*m_pFan);
    if (m_pFan->comPortFailed())
        m_Sequence.writeGate().close();
    m_PortFollower.endTransfer(m_pFan->comPortFailed());
    return bDone;
}

bool CMainDialog::waitUntil(const std::function<bool()>& done)
{
    // The unit comes back through the enumerator's signals; the deadline keeps a unit that never
    // does from holding us here. While the unit is away the dialog is idle and may be closed:
    // that ends the wait as well, so the program ends instead of updating on unseen.
    QTimer deadline;
    deadline.setSingleShot(true);
    deadline.start(m_nRestartTimeoutMs);
    bool bClosed = false;
    const QMetaObject::Connection closed =
        connect(this, &QDialog::finished, this, [&bClosed] { bClosed = true; });
    while (!done() && deadline.isActive() && !bClosed)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    disconnect(closed);
    return done() && !bClosed;
}

bool CMainDialog::singleStep(bool (CUpdateSequence::*step)())
{
    if ((m_Sequence.*step)())
        return true;
    // Started alone (from the service panel) a failed step has no sequence whose failure end
    // gives the window a state again.
    showFailure();
    return false;
}

bool CMainDialog::on_ButtonAppl_clicked()
{
    return singleStep(&CUpdateSequence::installApplication);
}

bool CMainDialog::on_ButtonCC3200_clicked()
{
    return singleStep(&CUpdateSequence::installWifiModule);
}

bool CMainDialog::on_ButtonCC3200bridge_clicked()
{
    return singleStep(&CUpdateSequence::installWifiBridge);
}

bool CMainDialog::on_ButtonBootLdr_clicked()
{
    return singleStep(&CUpdateSequence::installBootloader);
}

bool CMainDialog::writeSerialNumber()
{
    return m_Sequence.writeSerialNumber();
}

void CMainDialog::on_ButtonBurn_clicked()
{
    m_strFailureText.clear();
    // With option ap the program ends once every image the unit needed is installed; after a
    // failure the window stays with its message, as without ap.
    if (m_Sequence.run() && m_bExitAfterSuccess)
        QCoreApplication::exit(EXIT_CODE_UPDATED);
}
