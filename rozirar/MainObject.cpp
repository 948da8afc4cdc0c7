#include "MainObject.h"

#include "Fan.h"
#include "Fan_70_PC.h"
#include "SecLogDB.h"
#include "SecLogDB70.h"

#include <QDebug>
#include <QThread>

#include <algorithm>

namespace
{
const char* const WORKER_CONNECTION = "WorkerThread";

// "main.sub" with the sub part in at least two digits.
QString versionText(int nMain, int nSub)
{
    return QStringLiteral("%1.%2").arg(nMain).arg(nSub, 2, 10, QLatin1Char('0'));
}
} // namespace

CMainObject::CMainObject(bool bTestFlag, QObject* parent)
    : QObject(parent), m_pFan100(new CFan(bTestFlag, this)), m_pFan(m_pFan100), m_timer(this),
      m_sleep(
          [](int ms)
          {
              if (g_pLLWire)
                  g_pLLWire->Sleep(UINT16(ms));
              else
                  QThread::msleep(ulong(ms));
          }),
      m_clock([] { return QDateTime::currentDateTime(); })
{
    qRegisterMetaType<ERozirarionState>("ERozirarionState");
    qRegisterMetaType<CFanValues>("CFanValues");
    qRegisterMetaType<CFanValues70>("CFanValues70");
    qRegisterMetaType<CLogging_70::EMaxTimeSpan>("CLogging_70::EMaxTimeSpan");
    qRegisterMetaType<CLogging::EMaxTimeSpan>("CLogging::EMaxTimeSpan");
    qRegisterMetaType<SIpAddress>("SIpAddress");
    connect(&m_timer, &QTimer::timeout, this, &CMainObject::on_Timer);
}

bool CMainObject::isPlus() const
{
    return qobject_cast<CFan_70_PC*>(m_pFan) != nullptr;
}

bool CMainObject::isIdentifiedAs(qint64 nSerialNr, bool b70) const
{
    return m_nSerialNr != SERIAL_NR_UNKNOWN && m_nSerialNr == nSerialNr && isPlus() == b70;
}

void CMainObject::setRozirarionState(ERozirarionState state)
{
    m_eState = state;
    emit signalRozirarionState(state, m_nSerialNr, isPlus());
}

void CMainObject::updateRozirarionState(ERozirarionState state)
{
    if (state != m_eState)
        setRozirarionState(state);
}

void CMainObject::sleep(int ms)
{
    if (m_sleep)
        m_sleep(ms);
}

void CMainObject::startPolling()
{
    m_timer.start(m_nPollIntervalMs);
}

int CMainObject::getWifiRssi()
{
    auto* pFan = qobject_cast<CFan*>(m_pFan);
    if (!pFan || m_pFan->getUnitType() != 0)
        return 0;
    qint8 rssi = qint8(120);
    return pFan->getWifiData(rssi) ? rssi : 100;
}

void CMainObject::chooseUnitClass(bool b70)
{
    if (b70 && !m_pFan70)
        m_pFan70 = new CFan_70_PC(this);
    m_pFan = b70 ? static_cast<CFanBase*>(m_pFan70) : m_pFan100;
}

void CMainObject::takeIdentification(const SHLP_IdentData& ident, int nVerMain, int nVerSub)
{
    m_nSerialNr = qint64(ident.m_SerialNr);
    m_strHWVer = QString::number(ident.m_HWVersion);
    m_strBootlVer = versionText(nVerMain, nVerSub);
    m_nAppVerMain = ident.m_AppMainVer;
}

void CMainObject::on_Timer()
{
    if (m_nSerialNr == SERIAL_NR_UNKNOWN)
    {
        SHLP_IdentData ident;
        if (!m_pFan->getIdentData(ident))
        {
            updateRozirarionState(STATE_COMMUNICATION_ERROR);
            return;
        }
        // A unit whose identification failed at the port change is only identified here, so
        // the unit class follows the type here too; else a plus unit would be polled as a
        // tolVane100 until it is plugged in again.
        chooseUnitClass(ident.m_b70);
        takeIdentification(ident, ident.m_AppMainVer, ident.m_AppSubVer);
    }

    SPrimLogEntry state100;
    SPrimLogEntry_70 state70;
    auto* pPlus = qobject_cast<CFan_70_PC*>(m_pFan);
    auto* p100 = qobject_cast<CFan*>(m_pFan);
    const bool bRead = pPlus ? pPlus->getCurrentState(state70) : (p100 && p100->getCurrentState(state100));
    if (!bRead)
    {
        updateRozirarionState(STATE_COMMUNICATION_ERROR);
        return;
    }
    qDebug() << (pPlus ? "70!" : "100!");

    if (m_nPollCount == 0 && !m_pFan->getCounters())
    {
        updateRozirarionState(STATE_COMMUNICATION_ERROR);
        return;
    }
    updateRozirarionState(STATE_OK);
    if (++m_nPollCount > 5)
        m_nPollCount = 0;

    const quint32 nDeiceTemp = m_pFan->getCounterValue(CPersCounter_ReadOnly::CNT_DEICE_SWITCH_OFF_TEMP);
    const bool bDeicing = nDeiceTemp != 0 && nDeiceTemp <= 9;
    const int nSupplyCharac =
        int(m_pFan->getCounterValue(CPersCounter_ReadOnly::CNT_FAN_SUPPLY_CHARACTERISTICS) & 0x3F) - 1;
    const int nExtractCharac =
        int(m_pFan->getCounterValue(CPersCounter_ReadOnly::CNT_FAN_EXTRACT_CHARACTERISTICS) & 0x3F) - 1;
    const quint32 nSucceeded = m_pFan->getCounterValue(CPersCounter_ReadOnly::CNT_FAN_COMM_FCA);
    const quint32 nFailed = m_pFan->getCounterValue(CPersCounter_ReadOnly::CNT_FAN_COMM_FCF);

    int iRSSI = 0;
    if (m_nAppVerMain > 1)
    {
        iRSSI = qint8(getWifiRssi());
        g_bWifiAvailable = true;
    }

    const int nFilterHours = int(m_pFan->getCounterValue(CPersCounter_ReadOnly::CNT_FILTER_HOURS));
    const int nOperatingHours = int(m_pFan->getCounterValue(CPersCounter_ReadOnly::CNT_OPERATING_HOURS));
    if (pPlus)
        emit signalCurrentValues70(CFanValues70(state70), quint32(m_nSerialNr), m_strHWVer, m_strBootlVer,
                                   nOperatingHours, nFilterHours, bDeicing, nSupplyCharac, nExtractCharac,
                                   nSucceeded, nFailed);
    else
        emit signalCurrentValues(CFanValues(state100), quint32(m_nSerialNr), m_strHWVer, m_strBootlVer,
                                 nOperatingHours, nFilterHours, bDeicing, nSupplyCharac, nExtractCharac,
                                 nSucceeded, nFailed, iRSSI);
}

void CMainObject::onComPortChanged(const QString& strPortName)
{
    if (CFanBase::getComPortName() == strPortName)
        return;
    if (strPortName.isEmpty())
    {
        // Unplugged: the timer keeps running, so the next polls report the lost connection.
        CFanBase::closeComPort();
        chooseUnitClass(false);
        return;
    }

    updateRozirarionState(STATE_NOT_ROZIRARED);
    m_timer.stop();
    m_nSerialNr = SERIAL_NR_UNKNOWN;
    m_nPollCount = 0;
    if (!m_pFan->openComPort(strPortName))
        return;

    SHLP_IdentData ident;
    if (!m_pFan->getIdentData(ident))
    {
        updateRozirarionState(STATE_COMMUNICATION_ERROR);
        startPolling();
        return;
    }
    chooseUnitClass(ident.m_b70);
    takeIdentification(ident, ident.m_BootMainVer, ident.m_BootSubVer);

    if (ident.m_RunningPart == SHLP_IdentData::RUNNING_APPLICATION)
    {
        updateRozirarionState(STATE_OK);
        on_Timer();
    }
    else
    {
        updateRozirarionState(STATE_COMMUNICATION_ERROR);
        m_pFan->setStartupMode(0);
        sleep(APPLICATION_START_WAIT_MS);
    }
    startPolling();
}

template <typename Fan, typename Entry, typename DB, typename Span>
void CMainObject::retrieveSecLogOf(Fan* pFan, Span span, const quint16* sizes, const quint16* used,
                                   const quint16* oldest, QDateTime timestamp)
{
    const auto progress = [this, span](int nValue)
    { emit signalSecLogRetrievalProcess(nValue, CLogging::EMaxTimeSpan(span)); };

    int nRemaining = used[span];
    quint16 nIndex = oldest[span];
    while (nRemaining != 0)
    {
        const int nCount = std::min(nRemaining, SEC_LOG_CHUNK);
        DB db(WORKER_CONNECTION);
        QVector<Entry> entries;
        if (!pFan->getSecLog(entries, span, UINT16(nCount), nIndex))
        {
            updateRozirarionState(STATE_COMMUNICATION_ERROR);
            progress(PROGRESS_COMMUNICATION_ERROR);
            return;
        }
        // A chunk the database refuses (locked past the wait, full, read-only) would fail the
        // same way for the rest: stop and say how much was stored.
        if (!db.saveSecLogValues(span, entries, quint32(m_nSerialNr), timestamp))
        {
            progress(PROGRESS_STORE_FAILED);
            emit signalSecLogStoreFailure(CLogging::EMaxTimeSpan(span), used[span] - nRemaining, used[span]);
            return;
        }
        progress((used[span] - nRemaining) * 100 / used[span]);
        nIndex = quint16(nIndex + SEC_LOG_CHUNK);
        if (nIndex >= sizes[span])
            nIndex = quint16(nIndex - sizes[span]);
        nRemaining -= nCount;
    }
    progress(PROGRESS_DONE);
}

void CMainObject::retrieveSecLog(CLogging::EMaxTimeSpan span, qint64 nSerialNr, bool b70)
{
    const qint64 nSpanSecs = CSecLogDBBase::getTimeSpanSecs(span);
    if (nSpanSecs == 0)
    {
        qWarning() << "CMainObject::retrieveSecLog: no such time span:" << int(span);
        return;
    }
    // Another unit than the one asked about gives nothing; one not yet identified would have its
    // entries stored under the serial number of an unprogrammed unit.
    if (!isIdentifiedAs(nSerialNr, b70))
    {
        emit signalSecLogRetrievalProcess(PROGRESS_COMMUNICATION_ERROR, span);
        return;
    }
    UINT16 sizes[3] = {}, used[3] = {}, oldest[3] = {};
    if (!m_pFan->getSecLogCnt(sizes, used, oldest))
    {
        updateRozirarionState(STATE_COMMUNICATION_ERROR);
        return;
    }

    // Entries are stamped with the middle of their period; the newest one is that of the last
    // complete period.
    const qint64 nNow = quint32(m_clock().toSecsSinceEpoch());
    const qint64 nNewest = nNow - nNow % nSpanSecs - nSpanSecs / 2;
    const QDateTime oldestStamp =
        QDateTime::fromSecsSinceEpoch(nNewest + (1 - qint64(used[span])) * nSpanSecs);

    emit signalSecLogRetrievalProcess(0, span);
    if (used[span] == 0)
        emit signalSecLogRetrievalProcess(PROGRESS_NOTHING_STORED, span);
    if (auto* pPlus = qobject_cast<CFan_70_PC*>(m_pFan))
        retrieveSecLogOf<CFan_70_PC, SSecLogEntry_70, CSecLogDB70>(pPlus, CLogging_70::EMaxTimeSpan(span),
                                                                   sizes, used, oldest, oldestStamp);
    else
        retrieveSecLogOf<CFan, SSecLogEntry, CSecLogDB>(qobject_cast<CFan*>(m_pFan), span, sizes, used,
                                                        oldest, oldestStamp);
}

void CMainObject::cancelSecLogRetrieval() {}

void CMainObject::retrievePersCounter()
{
    QStringList names;
    QList<quint32> values;
    if (m_pFan && m_pFan->getCounters())
    {
        for (int id = 0; id < CPersCounter_ReadOnly::CNT_COUNT; ++id)
        {
            names << m_pFan->getCounterText(id);
            values << m_pFan->getCounterValue(id);
        }
    }
    emit signalPersCountersUpdated(names, values);
}

void CMainObject::setNetworkCredentials(QString strName, QString strPass, QString strKey, QString strEmail1,
                                        QString strEmail2, QString strDeviceName, quint8 uCredType,
                                        SIpAddress address, qint64 nSerialNr)
{
    auto* pFan = qobject_cast<CFan*>(m_pFan);
    const bool bSent = pFan && m_pFan->getUnitType() == 0 && isIdentifiedAs(nSerialNr, false) &&
                       pFan->setNetworkCredentials(strName, strPass, strKey, strEmail1, strEmail2,
                                                   strDeviceName, uCredType, address.m_Bytes);
    if (!bSent)
        emit signalCredentialsNotSent(uCredType);
}
