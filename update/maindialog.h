#pragma once

#include "PortEnumerator.h"
#include "PortFollower.h"
#include "UpdateSequence.h"

#include <QDateTime>
#include <QDialog>
#include <QTimer>

class CDebugWidget;
class CFanBase;
class Ui_CMainDialog;
class QTextEdit;
class QScrollArea;

// The updater's window: finds the unit on the USB serial ports, identifies it, shows its
// versions beside the shipped ones, decides which images it needs and runs the update.
// The update itself is CUpdateSequence's; the window shows it and hands it the unit.
// Everything runs in the GUI thread; long steps process events while they send.
class CMainDialog : public QDialog, private IUpdateView
{
    Q_OBJECT

public:
    static constexpr int CURRENT_INFO_INTERVAL_MS = 10000;
    static constexpr int IDENT_ATTEMPTS = 3;
    // The restart during an update waits this long for the unit to come back.
    static constexpr int DEFAULT_RESTART_TIMEOUT_MS = 10 * 60 * 1000;
    // Exit code of the program after a complete update with option ap.
    static constexpr int EXIT_CODE_UPDATED = 100;

    CMainDialog(bool bInstallMode, bool bForceBootloader, bool bForceApplication, bool bOptionFc, bool bOwner,
                bool bAutomatic, QString strExcludedPort, QString strSerialNumber, bool bDebug,
                QString strTestValuesPath, QWidget* parent = nullptr);
    ~CMainDialog() override;

    void setState(int nState);
    // Appends a paragraph to the debug text box, repainted at once when asked.
    void debugOutput(const QString& strText, bool bRepaint);
    bool identifyDevice();
    // Up to IDENT_ATTEMPTS identifications; true at the first that succeeds.
    bool identifyUnit();
    void getShippedVersion(int nType, UINT8& rMain, UINT8& rSub) const;
    void showResultState();
    bool writeSerialNumber();

    // What the service panels reach through the dialog.
    CFanBase* unit() const { return m_pFan; }
    QTextEdit* debugEdit() const;
    bool isPlusUnit() const { return m_Sequence.identification().plusUnit; }
    const QString& testValuesPath() const { return m_strTestValuesPath; }
    // True while a unit transfer runs; timers and port changes then wait.
    bool isTransferRunning() const { return m_PortFollower.isTransferRunning(); }
    // Runs a request that changes the unit (not an update step), decided on identification nIdent:
    // only while the gate lets it. False when refused (*pRefused then true) or failed.
    bool writeFor(int nIdent, const std::function<bool(CFanBase&)>& request, bool* pRefused)
    {
        return m_Sequence.writeOn(nIdent, false, request, pRefused);
    }

    // The single steps and the bootloader swap of the service panel, and the gate they pass.
    CUpdateSequence& sequence() { return m_Sequence; }
    CDebugWidget* debugWidget() const { return m_pDebugWidget; }
    CPortEnumerator& portEnumerator() { return m_Enumerator; }
    void setRestartTimeout(int nMs) { m_nRestartTimeoutMs = nMs; }
    const SUpdateNeeds& needs() const { return m_Sequence.identification().needs; }
    UINT32 knownSerialNumber() const { return m_Sequence.identification().serialNr; }
    ERunningImage runningImage() const { return m_Sequence.identification().running; }

public slots:
    void on_ButtonClose_clicked();
    void on_ButtonBurn_clicked();
    void on_DeviceListChanged();
    void on_TextEditedIdentData();
    bool on_ButtonAppl_clicked();
    bool on_ButtonCC3200_clicked();
    bool on_ButtonCC3200bridge_clicked();
    bool on_ButtonBootLdr_clicked();
    void reject() override;
    void onTimerCurrentInfo();
    void userInfo(QString strInfo);
    void on_ButtonDeIce_clicked(bool bChecked);

protected:
    void showEvent(QShowEvent* event) override;

private:
    // What the update sequence sees of the window.
    void showState(EUpdateState state) override { setState(state); }
    void showText(const QString& strText) override { userInfo(strText); }
    void showRebootBox(const QString& strTitle, const QString& strText) override;
    void showFailure() override;
    void showIdentifiedState() override { showResultState(); }
    QString deviceText() const override;
    QString serialNumberText() const override;
    QProgressBar* progressBar() override;
    bool transfer(const std::function<bool(CFanBase&)>& step) override;
    bool waitUntil(const std::function<bool()>& done) override;
    void identify() override { identifyUnit(); }

    int unitSystem() const;
    // The unit's port changed, or the one open leads to another device now (the same name): the
    // port open goes, and whatever is on the new one is identified.
    void onUnitPortChanged(const QString& strPort);
    // One image step on its own; a failure gives the window the state the identification gives.
    bool singleStep(bool (CUpdateSequence::*step)());
    void replaceUnit(CFanBase* pNewUnit);
    // Texts of the unit object; they do not hide a failed update's instruction.
    void onUnitInfo(const QString& strInfo);
    void keepOnScreen();
    void fitFields();
    void writeDeIceCounters(bool bOn, int nIdent);
    // The panel for the identified unit in place of the one shown.
    void replacePanel(CDebugWidget* pPanel);

    Ui_CMainDialog* m_pUi;
    QString m_strUpdatingText; // the form's warning, shown while updating
    CFanBase* m_pFan;
    CPortEnumerator m_Enumerator;
    CPortFollower m_PortFollower;
    bool m_bInstallMode;
    bool m_bOptionFc;
    bool m_bOwner;
    bool m_bAutoStartArmed;
    bool m_bExitAfterSuccess;
    QString m_strSerialNumber;
    bool m_bDebug;
    QString m_strTestValuesPath;
    CUpdateSequence m_Sequence;
    // What a failed update asked the user to do; shown until a unit is found again.
    QString m_strFailureText;
    QTimer m_TimerCurrentInfo;
    QDateTime m_StartTime;
    CDebugWidget* m_pDebugWidget = nullptr;
    QScrollArea* m_pPanelScroll = nullptr;
    int m_nRestartTimeoutMs = DEFAULT_RESTART_TIMEOUT_MS;
};
