#include "UpdateSequence.h"

#include "FanBase.h"
#include "flashimagelist.h"

namespace
{
const char* imageName(CPartitionTable::EPartType type)
{
    switch (type)
    {
    case CPartitionTable::PT_BOOTLOADER_1:
        return QT_TRANSLATE_NOOP("CMainDialog", "bootloader 1");
    case CPartitionTable::PT_BOOTLOADER_2:
        return QT_TRANSLATE_NOOP("CMainDialog", "bootloader 2");
    case CPartitionTable::PT_APPLICATION:
        return QT_TRANSLATE_NOOP("CMainDialog", "application");
    case CPartitionTable::PT_WIFI_MODULE:
        return QT_TRANSLATE_NOOP("CMainDialog", "WiFi module");
    case CPartitionTable::PT_WIFI_BRIDGE:
        break;
    }
    return QT_TRANSLATE_NOOP("CMainDialog", "WiFi bridge");
}

// The bootloader a unit running `running` runs after a swap; none when it runs no bootloader.
ERunningImage otherBootloader(ERunningImage running)
{
    switch (running)
    {
    case RUNNING_BOOTLOADER_1:
        return RUNNING_BOOTLOADER_2;
    case RUNNING_BOOTLOADER_2:
        return RUNNING_BOOTLOADER_1;
    default:
        return RUNNING_NONE;
    }
}

SVersion versionOf(const CFlashImage* pImage)
{
    return pImage ? SVersion{pImage->m_MainVer, pImage->m_SubVer} : SVersion();
}
} // namespace

CUpdateSequence::CUpdateSequence(IUpdateView& view, const SOptions& options)
    : m_View(view), m_Options(options)
{
}

void CUpdateSequence::forget()
{
    m_Ident = SIdentification();
    m_Gate.close();
}

void CUpdateSequence::unitUnknown()
{
    m_Ident.running = RUNNING_NONE;
    m_Gate.close();
}

QString CUpdateSequence::failedText() const
{
    return tr("The update process failed. Please switch off your %1.\nThen switch in on again and retry the "
              "update.")
        .arg(m_View.deviceText());
}

void CUpdateSequence::identified(const SHLP_IdentData& ident, const QString& port)
{
    ++m_nIdentifications;
    SIdentification id;
    id.running = ERunningImage(ident.m_RunningPart);
    id.serialNr = CUpdateDecision::isSerialNumber(ident.m_SerialNr) ? ident.m_SerialNr : 0;
    id.plusUnit = ident.m_b70;
    id.bootloader = CUpdateDecision::bootloaderVersion(ident);
    id.application = CUpdateDecision::applicationVersion(ident);
    const CFlashImageList images;
    const auto system =
        CFlashImage::ESystem(id.plusUnit ? CFlashImage::SYS_TOLVANE_PLUS : CFlashImage::SYS_TOLVANE100);
    const SVersion boot1 = versionOf(images.findImage(CPartitionTable::PT_BOOTLOADER_1, system));
    const SVersion boot2 = versionOf(images.findImage(CPartitionTable::PT_BOOTLOADER_2, system));
    id.bootloadersOutOfSync = boot1.value() != boot2.value();
    m_Shipped = {boot1, versionOf(images.findImage(CPartitionTable::PT_APPLICATION, system))};
    id.needs =
        CUpdateDecision::decide(ident, m_Shipped, m_Options.forceBootloader, m_Options.forceApplication);
    if (id.needs.wifiBridgeNeeded)
        m_nBridgeSerialNr = id.serialNr;
    else if (id.serialNr != 0 && id.serialNr == m_nBridgeSerialNr)
        id.needs.wifiBridgeNeeded = true;

    QList<CPartitionTable::EPartType> wanted = {
        CPartitionTable::PT_BOOTLOADER_1, CPartitionTable::PT_BOOTLOADER_2, CPartitionTable::PT_APPLICATION};
    if (!id.plusUnit && id.needs.wifiModuleNeeded)
        wanted << CPartitionTable::PT_WIFI_MODULE;
    if (!id.plusUnit && id.needs.wifiBridgeNeeded)
        wanted << CPartitionTable::PT_WIFI_BRIDGE;
    // Each with the upload's own test, so that no image is found wanting after others were sent.
    for (CPartitionTable::EPartType type : wanted)
    {
        CFlashImageCatalogue::SImage image;
        if (!images.findSendableImage(type, system, image))
        {
            id.imageFault =
                tr("The %1 image of this updater is missing or damaged.\nThe %2 cannot be updated; "
                   "please install the updater again.")
                    .arg(tr(imageName(type)), m_View.deviceText());
            break;
        }
    }
    if (id.imageFault.isEmpty() && id.bootloadersOutOfSync)
        id.imageFault = tr("Images of Bootloader 1 and 2 have different versions.");
    m_Ident = id;
    m_Gate.identified(port, id.running, id.plusUnit);
}

bool CUpdateSequence::run()
{
    // Nothing is sent to a unit that is not identified in a bootloader. The button is back while
    // the sequence waits for a restart; a press then starts nothing either.
    if (m_bRunning || !isBootloader(m_Ident.running))
        return false;
    m_bRunning = true;
    m_nDecision = m_Gate.current();
    m_Written = CUpdateDecision::SShipped();
    EPass pass;
    do
        pass = runPass();
    while (pass == PASS_RESTART_PENDING && m_Options.automatic);
    m_bRunning = false;
    return pass == PASS_COMPLETE;
}

bool CUpdateSequence::failWith(const QString& strText)
{
    m_View.showText(strText);
    m_View.showFailure();
    return false;
}

CUpdateSequence::EPass CUpdateSequence::runPass()
{
    m_View.showState(ST_UPDATING);
    const QString strDevice = m_View.deviceText();
    const auto failed = [this]
    {
        m_View.showFailure();
        return PASS_FAILED;
    };
    // Nothing is sent when an image the unit needs is at fault.
    if (!m_Ident.imageFault.isEmpty())
    {
        failWith(m_Ident.imageFault);
        return PASS_FAILED;
    }
    if (m_Ident.serialNr == 0 || m_Options.serialNumberGiven)
    {
        m_View.showText(tr("Updating %1 serial number...").arg(strDevice));
        if (!writeSerialNumber())
            return failed();
    }
    // A restart below brings a new identification: the flags are read where they are used.
    const SUpdateNeeds& needs = m_Ident.needs;
    if (needs.notUpdatable)
    {
        m_View.showText(tr("Unable to update!"));
        return failed();
    }
    if (needs.wifiBridgeNeeded && !m_Ident.plusUnit && needs.wifiModuleNeeded && !needs.oldBootloader)
    {
        m_View.showText(tr("Updating %1 WiFi...").arg(strDevice));
        if (!installWifiBridge())
            return failed();
    }
    if (needs.applicationNeeded && !needs.oldBootloader)
    {
        m_View.showText(tr("Updating %1 application...").arg(strDevice));
        if (!installApplication())
            return failed();
    }
    if (needs.wifiBridgeNeeded && !m_Ident.plusUnit &&
        !rebootAndWait(
            tr("Please reboot the %1").arg(strDevice),
            tr("Please reboot %1.\nDo not close this Update-%1 application.\nDo not remove the USB "
               "cable.\nPlease wait until all LEDs are off before switching %1 on.\nAfter switching "
               "on again, please press the button \"Update Firmware\" again.")
                .arg(strDevice)))
        return PASS_FAILED;
    if (needs.wifiModuleNeeded && !needs.oldBootloader && !m_Ident.plusUnit)
    {
        m_View.showText(tr("Updating %1 WiFi...").arg(m_View.deviceText()));
        if (!installWifiModule())
            return failed();
    }
    // The identification after the swap shows the new bootloader: the restart it needs was decided
    // before.
    const bool bOldBootloader = needs.oldBootloader;
    if (needs.bootloaderNeeded && !installBootloader())
        return failed();
    if (bOldBootloader)
    {
        const QString strText =
            m_Ident.plusUnit
                ? tr("The %1 needs to reboot in order to continue the update process.\nPlease press and hold "
                     "the "
                     "button until all LEDs are on and \noff again.\nDo not remove the USB cable.\nDo not "
                     "close "
                     "this Update-%1 application.\nAfter the %1 is switched on again, please press the "
                     "button "
                     "\"Update Firmware\" again.")
                : tr("The %1 needs to reboot in order to continue the update process.\nPlease switch off the "
                     "%1 and wait until all LEDs are completely dark\nThen switch on the %1 again.\nDo not "
                     "remove the USB cable.\nDo not close this Update-%1 application.\nAfter the %1 is "
                     "switched on again, please press the button \"Update Firmware\" again.");
        const QString strTitle = tr("Please Reboot %1").arg(strDevice);
        // Unattended, the update goes on by itself once the unit is back with its new bootloader.
        if (m_Options.automatic)
            return rebootAndWait(strTitle, strText.arg(strDevice)) ? PASS_RESTART_PENDING : PASS_FAILED;
        const int nIdentifications = m_nIdentifications;
        m_View.showRebootBox(strTitle, strText.arg(strDevice));
        // The unit identified while the box was up decides; until one is, what it runs is
        // unknown: no update is offered, and the restart instruction of the wait stays on show.
        if (m_nIdentifications != nIdentifications)
            m_View.showIdentifiedState();
        else
        {
            unitUnknown();
            m_View.showState(ST_REBOOT_WAIT);
            m_View.showFailure();
        }
        return PASS_RESTART_PENDING;
    }
    if (m_Options.installMode && !write([](CFanBase& unit) { return unit.setStartupMode(1); }))
    {
        m_View.showState(ST_IDLE);
        return PASS_FAILED;
    }
    m_View.showState(ST_SUCCESS);
    m_Ident.needs.wifiBridgeNeeded = false;
    m_nBridgeSerialNr = 0;
    return PASS_COMPLETE;
}

bool CUpdateSequence::rebootAndWait(const QString& strTitle, const QString& strText)
{
    const QString strDevice = m_View.deviceText();
    const UINT32 nSerialNr = m_Ident.serialNr;
    const bool bPlusUnit = m_Ident.plusUnit;
    // The unit may be back while the box is still up.
    const int nIdentifications = m_nIdentifications;
    m_View.showState(ST_REBOOT_WAIT);
    m_View.showRebootBox(strTitle, strText);
    if (!m_View.waitUntil([&] { return m_nIdentifications != nIdentifications; }))
    {
        m_View.showState(ST_IDLE);
        m_View.showText(
            tr("The %1 did not come back after the restart.\nPlease switch it off and on again and "
               "retry the update.")
                .arg(strDevice));
        return false;
    }
    if (m_Ident.serialNr != nSerialNr || m_Ident.plusUnit != bPlusUnit)
        return failWith(
            tr("Another unit answered after the restart; nothing was written to it.\nPlease connect "
               "the %1 with serial number %2 again and retry the update.")
                .arg(strDevice)
                .arg(nSerialNr));
    if (!isBootloader(m_Ident.running))
        return failWith(
            tr("The %1 started its application after the restart, so the update could not go "
               "on.\nPlease switch it off, wait until all LEDs are off, switch it on again and retry "
               "the update.")
                .arg(strDevice));
    // Back with less than it was given, the unit did not take it.
    if (m_Ident.application.value() < m_Written.application.value() ||
        m_Ident.bootloader.value() < m_Written.bootloader.value())
    {
        unitUnknown();
        return failWith(failedText());
    }
    m_nDecision = m_Gate.current();
    m_View.showState(ST_UPDATING);
    return true;
}

bool CUpdateSequence::writeOn(int nIdent, bool bUpdate, const std::function<bool(CFanBase&)>& step,
                              bool* pRefused)
{
    // Checked within the transfer: nothing can come between the check and the write.
    bool bRefused = false;
    const bool bWritten = m_View.transfer(
        [&](CFanBase& unit)
        {
            bRefused = !(bUpdate ? m_Gate.mayUpdate(unit, nIdent) : m_Gate.mayWrite(unit, nIdent));
            return !bRefused && step(unit);
        });
    *pRefused = bRefused;
    return bWritten;
}

bool CUpdateSequence::write(const std::function<bool(CFanBase&)>& step)
{
    bool bRefused = false;
    const bool bWritten = writeOn(decision(), true, step, &bRefused);
    if (bRefused)
        m_View.showText(failedText());
    return bWritten;
}

bool CUpdateSequence::writeSerialNumber()
{
    bool bOk = false;
    const UINT32 nNumber = m_View.serialNumberText().toUInt(&bOk);
    if (!bOk || !CUpdateDecision::isSerialNumber(nNumber) ||
        !write([nNumber](CFanBase& unit) { return unit.setSerialNumber(nNumber); }))
    {
        m_View.showState(ST_IDLE);
        m_View.showText(tr("Unable to set Serial number."));
        return false;
    }
    if (m_Ident.needs.wifiBridgeNeeded)
        m_nBridgeSerialNr = nNumber;
    m_Ident.serialNr = nNumber;
    m_View.showState(ST_SERIAL_WRITTEN);
    return true;
}

bool CUpdateSequence::uploadStep(CPartitionTable::EPartType type, bool bWait)
{
    m_View.showState(ST_UPDATING);
    m_View.showText(tr("Updating %1 ...").arg(m_View.deviceText()));
    if (!write([&](CFanBase& unit)
               { return unit.uploadImage(m_Gate.system(), type, m_View.progressBar(), bWait); }))
        return false;
    m_View.showState(ST_SUCCESS);
    return true;
}

bool CUpdateSequence::installApplication()
{
    if (!uploadStep(CPartitionTable::PT_APPLICATION, false))
        return false;
    m_Ident.needs.applicationNeeded = false;
    m_Written.application = m_Shipped.application;
    return true;
}

bool CUpdateSequence::installWifiModule()
{
    // Only the Wi-Fi module's own upload pauses for the module to write its flash.
    if (!uploadStep(CPartitionTable::PT_WIFI_MODULE, true))
        return false;
    m_Ident.needs.wifiModuleNeeded = false;
    return true;
}

bool CUpdateSequence::installWifiBridge()
{
    if (!uploadStep(CPartitionTable::PT_WIFI_BRIDGE, false))
        return false;
    // The bridge makes way for the module image, written after the restart.
    m_Ident.needs.wifiModuleNeeded = false;
    return true;
}

bool CUpdateSequence::installBootloader()
{
    const QString strDevice = m_View.deviceText();
    m_View.showState(ST_UPDATING);
    m_View.showText(tr("Updating %1 bootloader...").arg(strDevice));
    // The bootloader the unit is not running is the one written, and the one it runs after the swap.
    const ERunningImage swapped = otherBootloader(m_Gate.running());
    if (swapped == RUNNING_NONE)
    {
        m_View.showState(ST_IDLE);
        m_View.showText(
            tr("The update process failed due to an unexpected software on the %1. Please switch off your "
               "%1.\nThen switch in on again and retry the update.")
                .arg(strDevice));
        return false;
    }
    const auto type =
        swapped == RUNNING_BOOTLOADER_1 ? CPartitionTable::PT_BOOTLOADER_1 : CPartitionTable::PT_BOOTLOADER_2;
    if (!write(
            [&](CFanBase& unit) {
                return unit.uploadImage(m_Gate.system(), type, m_View.progressBar(), false) &&
                       unit.swapBootloaders();
            }))
    {
        // The unit may now run either bootloader (a swap whose reply was lost) or wait in update
        // mode: nothing is written into it before it has been identified again.
        unitUnknown();
        m_View.showState(ST_IDLE);
        m_View.showText(failedText());
        return false;
    }
    if (!swapShown(swapped))
    {
        m_View.showText(failedText());
        return false;
    }
    m_Written.bootloader = m_Shipped.bootloader;
    m_Ident.needs.bootloaderNeeded = false;
    m_View.showState(ST_SUCCESS);
    return true;
}

bool CUpdateSequence::swapBootloaders()
{
    const ERunningImage swapped = otherBootloader(m_Gate.running());
    if (swapped == RUNNING_NONE)
        return false;
    if (!write([](CFanBase& unit) { return unit.swapBootloaders(); }))
    {
        // A swap whose reply was lost may have happened all the same.
        unitUnknown();
        m_View.showFailure();
        return false;
    }
    const bool bShown = swapShown(swapped);
    m_View.showIdentifiedState();
    return bShown;
}

bool CUpdateSequence::swapShown(ERunningImage expected)
{
    const UINT32 nSerialNr = m_Ident.serialNr;
    const bool bPlusUnit = m_Ident.plusUnit;
    const int nIdentifications = m_nIdentifications;
    unitUnknown();
    m_View.identify();
    if (m_nIdentifications == nIdentifications || m_Ident.serialNr != nSerialNr ||
        m_Ident.plusUnit != bPlusUnit || m_Ident.running != expected)
        return false;
    m_nDecision = m_Gate.current();
    return true;
}
