#pragma once

#include "PartitionTable.h"
#include "UpdateDecision.h"
#include "WriteGate.h"

#include <QCoreApplication>
#include <QString>
#include <functional>

class CFanBase;
class QProgressBar;

// The states of the update window; their texts and enabled controls are the window's.
enum EUpdateState
{
    ST_IDLE = 0,
    ST_READY = 1,
    ST_UP_TO_DATE = 2,
    ST_UPDATING = 3,
    ST_SUCCESS = 4,
    ST_ENTER_SERIAL = 5,
    ST_SERIAL_WRITTEN = 6,
    ST_APPLICATION_RUNNING = 7,
    ST_NOT_UPDATABLE = 8,
    ST_REBOOT_WAIT = 9
};

// What the update sequence needs of its window.
class IUpdateView
{
public:
    virtual ~IUpdateView() = default;

    virtual void showState(EUpdateState state) = 0;
    virtual void showText(const QString& strText) = 0;
    // A modal information box without buttons of its own; returns once the user has confirmed it.
    virtual void showRebootBox(const QString& strTitle, const QString& strText) = 0;
    // The state the current identification gives, with the text on show kept as the instruction.
    virtual void showFailure() = 0;
    // The state the current identification gives.
    virtual void showIdentifiedState() = 0;
    virtual QString deviceText() const = 0;
    virtual QString serialNumberText() const = 0;
    // Where an upload shows its progress.
    virtual QProgressBar* progressBar() = 0;
    // Runs one transfer on the current unit object; port changes wait until it has ended.
    virtual bool transfer(const std::function<bool(CFanBase&)>& step) = 0;
    // Keeps the window alive until `done` holds; false when the window was closed or the time
    // for a restart ran out first.
    virtual bool waitUntil(const std::function<bool()>& done) = 0;
    // Asks the unit on the port who it is and shows what it reports.
    virtual void identify() = 0;
};

// The update of one unit: decides from each identification which shipped images it needs, and
// installs them in order, with the restarts some steps require. The identification it works on
// is always the last valid one; a failed identification leaves nothing to work on. Its writes
// rest on the identification the update was started on, or, after a restart or a swap, on the one
// that showed the unit back as expected.
class CUpdateSequence
{
    // The texts are the update window's.
    Q_DECLARE_TR_FUNCTIONS(CMainDialog)

public:
    struct SOptions
    {
        bool installMode = false;
        bool forceBootloader = false;
        bool forceApplication = false;
        bool serialNumberGiven = false; // option sn: the number is written at every run
        bool automatic = false;         // option ap: goes on by itself after a bootloader restart
    };

    CUpdateSequence(IUpdateView& view, const SOptions& options);

    // A valid identification record (running image 0 to 3) was read from the unit on `port`.
    void identified(const SHLP_IdentData& ident, const QString& port);
    // An identification failed: nothing of an earlier one holds any longer.
    void forget();
    const SIdentification& identification() const { return m_Ident; }
    // Every write to the unit passes it; the window closes it when the port goes or changes.
    CWriteGate& writeGate() { return m_Gate; }

    // The whole update; true only when every image the unit needed was installed.
    bool run();
    bool isRunning() const { return m_bRunning; }
    bool writeSerialNumber();
    // Single image steps, also started from the service panel.
    bool installApplication();
    bool installWifiModule();
    bool installWifiBridge();
    bool installBootloader();
    // The service panel's swap of the unit's bootloaders.
    bool swapBootloaders();
    // Runs a transfer that changes the unit, decided on identification nIdent, when the gate lets it
    // (with bUpdate the unit must run a bootloader as well). False when refused (*pRefused then
    // true) or failed.
    bool writeOn(int nIdent, bool bUpdate, const std::function<bool(CFanBase&)>& step, bool* pRefused);

private:
    enum EPass
    {
        PASS_FAILED,
        PASS_COMPLETE,
        PASS_RESTART_PENDING // the unit must restart into its new bootloader first
    };

    EPass runPass();
    // Runs a transfer that writes to the unit, when the gate lets it; a refusal is shown.
    bool write(const std::function<bool(CFanBase&)>& step);
    // The number of the identification the writes rest on: the update's, or for a single step the
    // current one.
    int decision() const { return m_bRunning ? m_nDecision : m_Gate.current(); }
    // Identifies the unit after a swap: true when the same unit shows `expected` running. The link
    // repeats a request whose acknowledgement was lost, so the unit may have swapped twice.
    bool swapShown(ERunningImage expected);
    // The failure end's instruction: the unit's state is unknown until it is identified again.
    QString failedText() const;
    // Nothing about the unit may be relied on any more: no update is offered, nothing written.
    void unitUnknown();
    bool uploadStep(CPartitionTable::EPartType type, bool bWait);
    // Shows the reboot box and waits for this unit to come back running a bootloader.
    bool rebootAndWait(const QString& strTitle, const QString& strText);
    bool failWith(const QString& strText);

    IUpdateView& m_View;
    const SOptions m_Options;
    SIdentification m_Ident;
    CWriteGate m_Gate;
    CUpdateDecision::SShipped m_Shipped; // for the identified unit's system
    // What this run wrote; the unit back from a restart must report at least these.
    CUpdateDecision::SShipped m_Written;
    int m_nIdentifications = 0;
    int m_nDecision = 0;
    // The unit that reported the application needing the Wi-Fi bridge keeps needing it across its
    // restarts, until an update of it is complete; no other unit inherits it.
    UINT32 m_nBridgeSerialNr = 0;
    bool m_bRunning = false;
};
