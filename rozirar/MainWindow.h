#pragma once

#include "FanValues.h"
#include "FanValues70.h"
#include "Logging.h"
#include "MainObject.h"
#include "PortEnumerator.h"
#include "PortFollower.h"

#include <QMainWindow>
#include <QString>

namespace Ui
{
class CMainWindow;
}
class CMyGraphicsView;
class COverviewSceneBase;
class CDetailedInfoTabBase;
class CGraphicsTab;
class CServiceTab;
class CWLANTab;
class CMinuteLogTab;
class CSecLogTab;
class CTabBase;
class QIODevice;
class CMinuteLogDB;
class CMinuteLogDB70;
class CSecLogDB;
class CSecLogDB70;
class QWidget;

// The one window of tolVane-Vozudoz: tool row, connection and unit indicators, serial-number
// selector and the tab pages of the connected unit and of the stored logs. It watches the serial
// ports for the unit's adapter and tells the polling object which port to use.
class CMainWindow : public QMainWindow
{
    Q_OBJECT

public:
    static void create(CMainObject* pMainObject, CMinuteLogDB* pMinuteLogDB, CMinuteLogDB70* pMinuteLogDB70,
                       CSecLogDB* pSecLogDB, CSecLogDB70* pSecLogDB70, QWidget* parent = nullptr);
    // The single window; null before create() and after it was deleted.
    static CMainWindow* getInstance() { return s_pInstance; }
    ~CMainWindow() override;

    // The serial number selected in the selector, CDBBase::ALL_SERIAL_NUMBERS when none; its type
    // flag goes to *b70.
    qint64 getCurrentSerialNr(bool* b70 = nullptr) const;
    void reloadSerialNrs();
    // The tab-page interface of the current page (0..7), null for the Wi-Fi page or none.
    CTabBase* getCurrentTab() const;
    void adjustStatusWidgets();

    CWLANTab* wlanTab() const { return m_pWLANTab; }
    CMinuteLogTab* minuteLogTab() const { return m_pMinuteLogTab; }
    // Before the program ends: writes the minute rows still waiting for the database (each try
    // waits for a lock no longer than the connection's busy time-out) and tells of those lost.
    void writePendingMinuteRows();
    // The enumerator whose arrivals and removals the window follows (tests scan by hand).
    CPortEnumerator& portEnumerator() { return m_enumerator; }

signals:
    void signalComPortChanged(const QString& strComPort);

public slots:
    void reloadViews(bool bReloadSerialNrs);
    void reloadViews() { reloadViews(false); }
    void onDeviceListChanged();
    void onRozirarionStateChanged(ERozirarionState state, qint64 nSerialNr, bool b70);
    void onCurrentValues(CFanValues currentValues, quint32 nSerialNumber, QString strHWVer,
                         QString strBootlVer, int nOperatingHours, int nFilterHours, bool bDeicing,
                         int nFanSupplyCharac, int nFanExtractCharac, quint32 nFanCmdsSucceeded,
                         quint32 nFanCmdsFailed, int iRSSI = 1000);
    void onCurrentValues70(CFanValues70 currentValues, quint32 nSerialNumber, QString strHWVer,
                           QString strBootlVer, int nOperatingHours, int nFilterHours, bool bDeicing,
                           int nFanSupplyCharac, int nFanExtractCharac, quint32 nFanCmdsSucceeded,
                           quint32 nFanCmdsFailed);
    void onExport();
    void onImport();
    void onAbout();
    void onRetrieveSecLog();
    void onDelete();
    void updateEnableStateToolbarControls();
    void onSecLogRetrievalProcess(int nPercentage, CLogging::EMaxTimeSpan secLogType);
    void onSecLogStoreFailure(CLogging::EMaxTimeSpan secLogType, int nStored, int nEntries);
    void switchDevice(bool b70);

private:
    CMainWindow(CMainObject* pMainObject, CMinuteLogDB* pMinuteLogDB, CMinuteLogDB70* pMinuteLogDB70,
                CSecLogDB* pSecLogDB, CSecLogDB70* pSecLogDB70, QWidget* parent);

    // A page of the tab widget whose vertical layout holds the view.
    QWidget* makePage(QWidget* pView);
    void addPage(QWidget* pView, const QString& strTitle);
    void setScene(COverviewSceneBase* pScene);
    void onUnitPortChanged(const QString& strPort);
    void showUnitIndicator(int nErrorIndex, bool bError);
    // What both types' values do first: the selector offers the unit, the indicator shows its
    // error state, and the views are switched to its type. False when the values fail their
    // checksum and are not shown.
    template <class TValues> bool takeCurrentValues(const TValues& values, quint32 nSerialNr, bool b70);
    CSecLogTab* secLogTabOf(int nSpan) const;
    QString exportableTitles(bool bWithMinuteLog) const;
    // The service tab's counters as the export file.
    bool writeServiceTab(QIODevice* pDevice, const QStringList& names, const QList<quint32>& values);

    static CMainWindow* s_pInstance;

    Ui::CMainWindow* ui;
    CMyGraphicsView* m_pView;
    QString m_strComPort;
    bool m_bReloadSerialNrs = false;
    CMainObject* m_mainObject;
    CMinuteLogDB* m_pMinuteLogDB;
    CMinuteLogDB70* m_pMinuteLogDB70;
    CSecLogDB* m_pSecLogDB;
    CSecLogDB70* m_pSecLogDB70;
    CPortEnumerator m_enumerator;
    // Decides when the unit's port changed: also when its name leads to another unit now.
    CPortFollower m_portFollower;
    COverviewSceneBase* m_pScene = nullptr;
    QWidget* m_pDetailedInfoTab = nullptr;
    CMinuteLogTab* m_pMinuteLogTab = nullptr;
    CSecLogTab* m_pSecLogTabQuarterHour = nullptr;
    CSecLogTab* m_pSecLogTabDay = nullptr;
    CSecLogTab* m_pSecLogTabMonth = nullptr;
    CGraphicsTab* m_pGraphicsTab = nullptr;
    CServiceTab* m_pServiceTab = nullptr;
    CWLANTab* m_pWLANTab = nullptr;
    bool m_bRetrieving = false;
    bool m_bRozirared = false;
    bool m_b70 = false;
    // The unit of the last STATE_OK, kept in the serial-number list while it is connected.
    quint32 m_nConnectedSerialNr = 0;
    bool m_bConnected70 = false;
};
