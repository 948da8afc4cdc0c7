#include "MainWindow.h"

#include "ui_MainWindow.h"

#include "DataDict.h"
#include "DetailedInfoTab.h"
#include "DetailedInfoTab70.h"
#include "FrameResources.h"
#include "GraphicsTab.h"
#include "MinuteLogDB.h"
#include "MinuteLogTab.h"
#include "MyGraphicsView.h"
#include "OverviewScene.h"
#include "OverviewScene70.h"
#include "SecLogDB.h"
#include "SecLogDB70.h"
#include "SecLogTab.h"
#include "ServiceTab.h"
#include "WaitCursor.h"
#include "wlantab.h"

#include <QVBoxLayout>
#include <algorithm>

CMainWindow* CMainWindow::s_pInstance = nullptr;

namespace
{
const char* const UI_CONNECTION = "UIThread";

// The label in front of the unit indicator.
QString unitLabel(bool b70)
{
    return b70 ? QStringLiteral("tolVane plus:") : QStringLiteral("tolVane100:");
}

QList<quint32> sortedUnique(QList<quint32> list)
{
    std::sort(list.begin(), list.end());
    list.erase(std::unique(list.begin(), list.end()), list.end());
    return list;
}
} // namespace

void CMainWindow::create(CMainObject* pMainObject, CMinuteLogDB* pMinuteLogDB, CMinuteLogDB70* pMinuteLogDB70,
                         CSecLogDB* pSecLogDB, CSecLogDB70* pSecLogDB70, QWidget* parent)
{
    s_pInstance = new CMainWindow(pMainObject, pMinuteLogDB, pMinuteLogDB70, pSecLogDB, pSecLogDB70, parent);
}

CMainWindow::CMainWindow(CMainObject* pMainObject, CMinuteLogDB* pMinuteLogDB, CMinuteLogDB70* pMinuteLogDB70,
                         CSecLogDB* pSecLogDB, CSecLogDB70* pSecLogDB70, QWidget* parent)
    : QMainWindow(parent), ui(new Ui::CMainWindow), m_pView(new CMyGraphicsView(nullptr, nullptr)),
      m_mainObject(pMainObject), m_pMinuteLogDB(pMinuteLogDB), m_pMinuteLogDB70(pMinuteLogDB70),
      m_pSecLogDB(pSecLogDB), m_pSecLogDB70(pSecLogDB70)
{
    initFrameResources();
    ui->setupUi(this);
    setStatusBar(nullptr);
    adjustStatusWidgets();
    onRozirarionStateChanged(STATE_NOT_ROZIRARED, CMainObject::SERIAL_NR_UNKNOWN, false);

    // Before the diagrams, which show today by its clock.
    m_pMinuteLogTab = new CMinuteLogTab(m_pMinuteLogDB);
    switchDevice(false);
    QWidget* pOverview = makePage(m_pView);
    pOverview->layout()->setContentsMargins(0, 0, 0, 0);
    ui->tabWidget->addTab(pOverview, m_pScene->getTitle());

    m_pSecLogTabQuarterHour = new CSecLogTab(m_pSecLogDB, CLogging::TS_QUARTER_HOUR);
    m_pSecLogTabDay = new CSecLogTab(m_pSecLogDB, CLogging::TS_DAY);
    m_pSecLogTabMonth = new CSecLogTab(m_pSecLogDB, CLogging::TS_MONTH);
    for (CLogTabBase* pTab : std::initializer_list<CLogTabBase*>{m_pMinuteLogTab, m_pSecLogTabQuarterHour,
                                                                 m_pSecLogTabDay, m_pSecLogTabMonth})
        pTab->setSerialNrSource([this] { return getCurrentSerialNr(); });
    m_pServiceTab = new CServiceTab();
    m_pWLANTab = new CWLANTab();
    addPage(m_pDetailedInfoTab, dynamic_cast<CTabBase*>(m_pDetailedInfoTab)->getTitle());
    addPage(m_pGraphicsTab, m_pGraphicsTab->getTitle());
    addPage(m_pMinuteLogTab, m_pMinuteLogTab->getTitle());
    for (CSecLogTab* pTab : {m_pSecLogTabQuarterHour, m_pSecLogTabDay, m_pSecLogTabMonth})
        addPage(pTab, pTab->getTitle());
    addPage(m_pServiceTab, m_pServiceTab->getTitle());
    addPage(m_pWLANTab, m_pWLANTab->getTitle());
    m_pServiceTab->setVisible(!m_b70);
    m_pWLANTab->setVisible(!m_b70);
    ui->tabWidget->setCurrentIndex(0);

    connect(ui->m_pComboSerialNr, &CComboSerialNrFilter::serialNrChanged, this,
            QOverload<>::of(&CMainWindow::reloadViews));
    connect(m_mainObject, &CMainObject::signalRozirarionState, this, &CMainWindow::onRozirarionStateChanged);
    connect(m_mainObject, &CMainObject::signalRozirarionState, m_pServiceTab,
            &CServiceTab::onRozirarionStateChanged);
    connect(m_mainObject, &CMainObject::signalRozirarionState, m_pWLANTab,
            &CWLANTab::onRozirarionStateChanged);
    connect(m_mainObject, &CMainObject::signalCurrentValues, this, &CMainWindow::onCurrentValues);
    connect(m_mainObject, &CMainObject::signalCurrentValues70, this, &CMainWindow::onCurrentValues70);
    connect(m_mainObject, &CMainObject::signalSecLogRetrievalProcess, this,
            &CMainWindow::onSecLogRetrievalProcess);
    connect(m_mainObject, &CMainObject::signalSecLogStoreFailure, this, &CMainWindow::onSecLogStoreFailure);
    qRegisterMetaType<QList<quint32>>("QList<quint32>");
    qRegisterMetaType<quint8>("quint8");
    connect(m_pServiceTab, &CServiceTab::updateCounters, m_mainObject, &CMainObject::retrievePersCounter);
    connect(m_mainObject, &CMainObject::signalPersCountersUpdated, m_pServiceTab,
            &CServiceTab::onUpdateCounters);
    connect(m_pWLANTab, &CWLANTab::setNetworkCredentials, m_mainObject, &CMainObject::setNetworkCredentials);
    connect(m_mainObject, &CMainObject::signalCredentialsNotSent, m_pWLANTab,
            &CWLANTab::onCredentialsNotSent);
    connect(&m_enumerator, &CPortEnumerator::deviceDiscovered, this, &CMainWindow::onDeviceListChanged);
    connect(&m_enumerator, &CPortEnumerator::deviceRemoved, this, &CMainWindow::onDeviceListChanged);
    connect(&m_portFollower, &CPortFollower::signalPortChanged, this, &CMainWindow::onUnitPortChanged);

    m_enumerator.setUpNotifications();
    onDeviceListChanged();
    updateEnableStateToolbarControls();
}

CMainWindow::~CMainWindow()
{
    if (s_pInstance == this)
        s_pInstance = nullptr;
    m_pView->setScene(nullptr);
    delete m_pScene;
    delete ui;
}

QWidget* CMainWindow::makePage(QWidget* pView)
{
    auto* pPage = new QWidget;
    auto* pLayout = new QVBoxLayout(pPage);
    pLayout->addWidget(pView);
    return pPage;
}

void CMainWindow::addPage(QWidget* pView, const QString& strTitle)
{
    ui->tabWidget->addTab(makePage(pView), strTitle);
}

void CMainWindow::adjustStatusWidgets()
{
    ui->progressSecLog->hide();
    const int nHeight = ui->m_pComboSerialNr->height() - 4;
    ui->labelRozirarionStateIndicator->setMaximumHeight(nHeight);
    ui->labelErrorStateIndicator->setMaximumHeight(nHeight);
}

qint64 CMainWindow::getCurrentSerialNr(bool* b70) const
{
    return ui->m_pComboSerialNr->getCurrentSerialNr(b70);
}

CTabBase* CMainWindow::getCurrentTab() const
{
    switch (ui->tabWidget->currentIndex())
    {
    case 0:
        return m_pScene;
    case 1:
        return dynamic_cast<CTabBase*>(m_pDetailedInfoTab);
    case 2:
        return m_pGraphicsTab;
    case 3:
        return m_pMinuteLogTab;
    case 4:
        return m_pSecLogTabQuarterHour;
    case 5:
        return m_pSecLogTabDay;
    case 6:
        return m_pSecLogTabMonth;
    case 7:
        return m_pServiceTab;
    default:
        return nullptr;
    }
}

void CMainWindow::onDeviceListChanged()
{
    m_portFollower.update();
}

void CMainWindow::onUnitPortChanged(const QString& strPort)
{
    // The same name again leads to another unit (swapped or re-plugged between two scans): the
    // one before is gone, and the polling object closes its port before it opens the name anew.
    if (!strPort.isEmpty() && strPort == m_strComPort)
        emit signalComPortChanged(QString());
    m_strComPort = strPort;
    m_bReloadSerialNrs = true;
    emit signalComPortChanged(strPort);
}

void CMainWindow::onRozirarionStateChanged(ERozirarionState state, qint64 nSerialNr, bool b70)
{
    if (m_pWLANTab)
        m_pWLANTab->setVisible(!b70);
    if (m_pServiceTab)
        m_pServiceTab->setVisible(!b70);
    ui->m_pComboSerialNr->setEnabled(true);

    CTriStateIndicator* pConnection = ui->labelRozirarionStateIndicator;
    if (state == STATE_OK)
    {
        pConnection->setState(CTriStateIndicator::STATE_GREEN, tr("ok"));
        m_bRozirared = true;
        m_nConnectedSerialNr = quint32(nSerialNr); // ok comes after the identification
        m_bConnected70 = b70;
        switchDevice(b70);
        CComboSerialNrFilter* pCombo = ui->m_pComboSerialNr;
        if (!pCombo->selectSerialNr(m_nConnectedSerialNr, b70))
        {
            pCombo->addSerialNr(m_nConnectedSerialNr, true, b70);
            pCombo->selectSerialNr(m_nConnectedSerialNr, b70);
        }
        pCombo->setEnabled(false);
    }
    else
    {
        m_bRozirared = false; // before the serial numbers are reloaded below
        switch (state)
        {
        case STATE_COMMUNICATION_ERROR:
            pConnection->setState(CTriStateIndicator::STATE_RED, tr("communication error"));
            break;
        case STATE_WAITING_FOR_RESPONSE:
            pConnection->setState(CTriStateIndicator::STATE_GREY, tr("waiting for response"));
            break;
        case STATE_NOT_ROZIRARED:
            pConnection->setState(CTriStateIndicator::STATE_GREY, tr("not connected"));
            reloadSerialNrs();
            break;
        default:
            pConnection->setState(CTriStateIndicator::STATE_GREY, "INVALID!!");
            reloadSerialNrs();
            break;
        }
        ui->labelErrorStateIndicator->setState(CTriStateIndicator::STATE_GREY, "-");
    }
    updateEnableStateToolbarControls();
}

void CMainWindow::showUnitIndicator(int nErrorIndex, bool bError)
{
    ui->labelErrorStateIndicator->setState(bError ? CTriStateIndicator::STATE_RED
                                                  : CTriStateIndicator::STATE_GREEN,
                                           CDataDict::instance()->getText(nErrorIndex, 0, false));
}

void CMainWindow::setScene(COverviewSceneBase* pScene)
{
    m_pView->setScene(nullptr);
    delete m_pScene;
    m_pScene = pScene;
    m_pView->setScene(pScene);
    // The scene of either type forgets the readings of the unit whose port went away before the
    // polling object, when it lives in this thread, reports those of the next unit.
    disconnect(this, &CMainWindow::signalComPortChanged, m_mainObject, &CMainObject::onComPortChanged);
    if (auto* p100 = qobject_cast<COverviewScene*>(pScene))
        connect(this, &CMainWindow::signalComPortChanged, p100, &COverviewScene::onComPortChanged);
    else if (auto* p70 = qobject_cast<COverviewScene70*>(pScene))
        connect(this, &CMainWindow::signalComPortChanged, p70, &COverviewScene70::onComPortChanged);
    connect(this, &CMainWindow::signalComPortChanged, m_mainObject, &CMainObject::onComPortChanged);
}

template <class TValues>
bool CMainWindow::takeCurrentValues(const TValues& values, quint32 nSerialNr, bool b70)
{
    ui->m_pComboSerialNr->addSerialNr(nSerialNr, true, b70);
    if (m_bReloadSerialNrs)
    {
        ui->m_pComboSerialNr->selectSerialNr(nSerialNr, b70);
        m_bReloadSerialNrs = false;
    }
    ui->labelErrorState->setText(unitLabel(b70));
    showUnitIndicator(TValues::getErrorIndex(unsigned(values.ErrorState)), values.ErrorState != 0);
    if (values.getChecksum() != values.calcChecksum())
        return false;
    if (b70 != m_b70)
        switchDevice(b70);
    return true;
}

void CMainWindow::onCurrentValues(CFanValues currentValues, quint32 nSerialNumber, QString strHWVer,
                                  QString strBootlVer, int nOperatingHours, int nFilterHours, bool bDeicing,
                                  int nFanSupplyCharac, int nFanExtractCharac, quint32 nFanCmdsSucceeded,
                                  quint32 nFanCmdsFailed, int iRSSI)
{
    if (!takeCurrentValues(currentValues, nSerialNumber, false))
        return;
    static_cast<CDetailedInfoTab*>(m_pDetailedInfoTab)
        ->setCurrentValues(currentValues, nSerialNumber, strHWVer, strBootlVer, nOperatingHours, nFilterHours,
                           bDeicing);
    m_pScene->setCurrentValues(&currentValues, nSerialNumber, iRSSI);
    m_pMinuteLogTab->setCurrentValues(currentValues, nSerialNumber, strHWVer, strBootlVer, nOperatingHours,
                                      nFilterHours, nFanSupplyCharac, nFanExtractCharac, nFanCmdsSucceeded,
                                      nFanCmdsFailed, iRSSI);
}

void CMainWindow::onCurrentValues70(CFanValues70 currentValues, quint32 nSerialNumber, QString strHWVer,
                                    QString strBootlVer, int nOperatingHours, int nFilterHours, bool bDeicing,
                                    int nFanSupplyCharac, int nFanExtractCharac, quint32 nFanCmdsSucceeded,
                                    quint32 nFanCmdsFailed)
{
    if (!takeCurrentValues(currentValues, nSerialNumber, true))
        return;
    static_cast<CDetailedInfoTab70*>(m_pDetailedInfoTab)
        ->setCurrentValues(currentValues, nSerialNumber, strHWVer, strBootlVer, nOperatingHours, nFilterHours,
                           bDeicing);
    m_pScene->setCurrentValues(&currentValues, nSerialNumber, 0);
    m_pMinuteLogTab->setCurrentValues70(currentValues, nSerialNumber, strHWVer, strBootlVer, nOperatingHours,
                                        nFilterHours, nFanSupplyCharac, nFanExtractCharac, nFanCmdsSucceeded,
                                        nFanCmdsFailed);
}

void CMainWindow::updateEnableStateToolbarControls()
{
    ui->buttonRetrieveSecLog->setEnabled(m_bRozirared && !m_bRetrieving);
    ui->buttonExport->setEnabled(!m_bRetrieving);
}

void CMainWindow::switchDevice(bool b70)
{
    QWidget* pDetailedPage = nullptr;
    QWidget* pGraphicsPage = nullptr;
    if (b70 != m_b70)
    {
        pDetailedPage = m_pDetailedInfoTab ? m_pDetailedInfoTab->parentWidget() : nullptr;
        pGraphicsPage = m_pGraphicsTab ? m_pGraphicsTab->parentWidget() : nullptr;
        delete m_pDetailedInfoTab;
        m_pDetailedInfoTab = nullptr;
        setScene(nullptr);
        delete m_pGraphicsTab;
        m_pGraphicsTab = nullptr;

        CMinuteLogDBBase* pMinuteDB = b70 ? static_cast<CMinuteLogDBBase*>(m_pMinuteLogDB70) : m_pMinuteLogDB;
        CSecLogDBBase* pSecDB = b70 ? static_cast<CSecLogDBBase*>(m_pSecLogDB70) : m_pSecLogDB;
        m_pMinuteLogTab->setDB(pMinuteDB);
        for (CSecLogTab* pTab : {m_pSecLogTabQuarterHour, m_pSecLogTabDay, m_pSecLogTabMonth})
            pTab->setDB(pSecDB);
        // The service and Wi-Fi pages are kept aside while a tolVane plus is shown.
        QWidget* pServicePage = m_pServiceTab->parentWidget();
        QWidget* pWLANPage = m_pWLANTab->parentWidget();
        if (b70)
        {
            ui->tabWidget->removeTab(ui->tabWidget->indexOf(pWLANPage));
            ui->tabWidget->removeTab(ui->tabWidget->indexOf(pServicePage));
        }
        else
        {
            ui->tabWidget->addTab(pServicePage, m_pServiceTab->getTitle());
            ui->tabWidget->addTab(pWLANPage, m_pWLANTab->getTitle());
        }
    }

    if (!m_pScene)
        setScene(b70 ? static_cast<COverviewSceneBase*>(new COverviewScene70(nullptr))
                     : new COverviewScene(nullptr));
    if (!m_pDetailedInfoTab)
    {
        m_pDetailedInfoTab =
            b70 ? static_cast<QWidget*>(new CDetailedInfoTab70(nullptr)) : new CDetailedInfoTab(nullptr);
        if (pDetailedPage)
            pDetailedPage->layout()->addWidget(m_pDetailedInfoTab);
    }
    if (!m_pGraphicsTab)
    {
        m_pGraphicsTab = new CGraphicsTab(b70, nullptr);
        m_pGraphicsTab->setSerialNrSource([this] { return getCurrentSerialNr(); });
        // The day the minute page offers as today, by the same clock.
        m_pGraphicsTab->setTodaySource([this] { return m_pMinuteLogTab->today(); });
        if (pGraphicsPage)
            pGraphicsPage->layout()->addWidget(m_pGraphicsTab);
    }
    if (!m_bRozirared)
        ui->labelErrorState->setText(unitLabel(b70));
    m_b70 = b70;
}

void CMainWindow::reloadSerialNrs()
{
    QList<quint32> lst100;
    QList<quint32> lst70;
    CSecLogDB(UI_CONNECTION).getSerialNumbers(lst100);
    CSecLogDB70(UI_CONNECTION).getSerialNumbers(lst70);
    CMinuteLogDB(UI_CONNECTION).getSerialNumbers(lst100);
    CMinuteLogDB70(UI_CONNECTION).getSerialNumbers(lst70);
    // A connected unit whose rows were all deleted must stay selected: the disabled selector
    // would otherwise hold another unit, and the views its type, until the unit is plugged in again.
    if (m_bRozirared)
        (m_bConnected70 ? lst70 : lst100).append(m_nConnectedSerialNr);
    ui->m_pComboSerialNr->setSerialNrs(sortedUnique(lst100), sortedUnique(lst70));
}

void CMainWindow::reloadViews(bool bReloadSerialNrs)
{
    SWaitCursor wait;
    if (bReloadSerialNrs)
        reloadSerialNrs();
    bool b70 = false;
    getCurrentSerialNr(&b70);
    switchDevice(b70);
    // A unit chosen in the selector without a connected one: the overview has no readings of it.
    if (!m_bRozirared)
        m_pScene->clearValues();
    m_pGraphicsTab->reload();
    m_pMinuteLogTab->reload();
    m_pMinuteLogTab->scrollToBottom();
    for (CSecLogTab* pTab : {m_pSecLogTabDay, m_pSecLogTabQuarterHour, m_pSecLogTabMonth})
    {
        pTab->reload();
        pTab->scrollToBottom();
    }
}

CSecLogTab* CMainWindow::secLogTabOf(int nSpan) const
{
    if (nSpan == CLogging::TS_QUARTER_HOUR)
        return m_pSecLogTabQuarterHour;
    return nSpan == CLogging::TS_DAY ? m_pSecLogTabDay : m_pSecLogTabMonth;
}
