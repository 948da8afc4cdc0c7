#pragma once

#include "PortEnumerator.h"
#include "UpdateDecision.h"

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
// Everything runs in the GUI thread; long steps process events while they send.
class CMainDialog : public QDialog
{
    Q_OBJECT

public:
    // The dialog states; the texts and enabled controls of each are set by setState.
    enum EState
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

    static constexpr int CURRENT_INFO_INTERVAL_MS = 10000;
    static constexpr int IDENT_ATTEMPTS = 3;
    // The restart during an update waits this long for the unit to come back.
    static constexpr int DEFAULT_RESTART_TIMEOUT_MS = 10 * 60 * 1000;
    // Exit code of the program after a successful update with option ap.
    static constexpr int EXIT_CODE_UPDATED = 100;

    CMainDialog(bool bInstallMode, bool bForceBootloader, bool bForceApplication, bool bOptionFc, bool bOwner,
                bool bAutomatic, QString strExcludedPort, QString strSerialNumber, bool bDebug,
                QString strTestValuesPath, QWidget* parent = nullptr);
    ~CMainDialog() override;

    void setState(int nState);
    // Appends a paragraph to the debug text box, repainted at once when asked.
    void debugOutput(const QString& strText, bool bRepaint);
    bool identifyDevice();
    void getShippedVersion(int nType, UINT8& rMain, UINT8& rSub) const;
    void showResultState();
    bool writeSerialNumber();

    // What the service panels reach through the dialog.
    CFanBase* unit() const { return m_pFan; }
    QTextEdit* debugEdit() const;
    bool isPlusUnit() const { return m_bPlusUnit; }
    const QString& testValuesPath() const { return m_strTestValuesPath; }
    // True while a unit transfer runs; timers and port changes then wait.
    bool isTransferRunning() const { return m_nTransfers > 0; }

    CDebugWidget* debugWidget() const { return m_pDebugWidget; }
    CPortEnumerator& portEnumerator() { return m_Enumerator; }
    void setRestartTimeout(int nMs) { m_nRestartTimeoutMs = nMs; }
    const SUpdateNeeds& needs() const { return m_Needs; }
    int knownSerialNumber() const { return m_nKnownSerialNr; }
    int runningImage() const { return m_nRunningImage; }

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
    // Counts a transfer with the unit while it runs (see isTransferRunning).
    class CTransfer;

    QString deviceText() const;
    int unitSystem() const;
    void replaceUnit(CFanBase* pNewUnit);
    void keepOnScreen();
    bool uploadStep(int nType, bool bWait);
    bool waitForRestart();
    // The update sequence behind ButtonBurn; true when no step of it failed.
    bool runUpdateSequence();
    // The sequence's end after a failed step; returns false.
    bool endWithFailure();
    void writeDeIceCounters(bool bOn);

    Ui_CMainDialog* m_pUi;
    QString m_strUpdatingText; // the form's warning, shown while updating
    CFanBase* m_pFan;
    CPortEnumerator m_Enumerator;
    bool m_bInstallMode;
    bool m_bForceBootloader;
    bool m_bForceApplication;
    bool m_bOptionFc;
    bool m_bOwner;
    bool m_bAutoStartArmed;
    bool m_bExitAfterSuccess;
    QString m_strSerialNumber;
    QString m_strExcludedPort;
    bool m_bDebug;
    QString m_strTestValuesPath;
    SUpdateNeeds m_Needs;
    bool m_bPlusUnit = false;
    int m_nKnownSerialNr = 0;
    int m_nRunningImage = 0;
    QTimer m_TimerCurrentInfo;
    QDateTime m_StartTime;
    CDebugWidget* m_pDebugWidget = nullptr;
    QScrollArea* m_pPanelScroll = nullptr;
    int m_nTransfers = 0;
    bool m_bDeviceListPending = false;
    int m_nRestartTimeoutMs = DEFAULT_RESTART_TIMEOUT_MS;
};
