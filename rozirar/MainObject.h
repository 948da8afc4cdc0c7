#pragma once

#include "FanValues.h"
#include "FanValues70.h"
#include "Logging.h"
#include "Logging_70.h"
#include "PollingTypes.h"

#include <QDateTime>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <functional>

class CFan;
class CFan_70_PC;
class CFanBase;
struct SHLP_IdentData;

// The polling object: lives in the polling thread and holds the whole conversation with the
// unit. It follows the unit's port, identifies the unit, picks the unit class, polls the
// current state and reads logs and counters on request. The user interface reaches it through
// queued signals and slots only.
class CMainObject : public QObject
{
    Q_OBJECT

public:
    static constexpr int POLL_INTERVAL_MS = 11000;
    // After asking a unit in its bootloader to start the application.
    static constexpr int APPLICATION_START_WAIT_MS = 8000;
    static constexpr int SEC_LOG_CHUNK = 10;
    // The serial number before the unit has been identified: no unit reports it, since serial
    // numbers are unsigned 32-bit.
    static constexpr qint64 SERIAL_NR_UNKNOWN = -1;

    // Progress values of signalSecLogRetrievalProcess besides 0..99.
    enum ESecLogProgress
    {
        PROGRESS_DONE = -1,
        PROGRESS_NOTHING_STORED = -2,
        PROGRESS_COMMUNICATION_ERROR = -3,
        // A chunk could not be stored; signalSecLogStoreFailure follows. No -1 after it.
        PROGRESS_STORE_FAILED = -4
    };

    explicit CMainObject(bool bTestFlag, QObject* parent = nullptr);

    ERozirarionState state() const { return m_eState; }
    qint64 serialNr() const { return m_nSerialNr; }
    CFanBase* fan() const { return m_pFan; }
    int pollInterval() const { return m_nPollIntervalMs; }
    bool isPolling() const { return m_timer.isActive(); }

    // Test hooks: the poll interval, the wait after starting the application (by default the
    // link wire's Sleep, so it runs on the link's clock) and the wall clock of the retrieval.
    void setPollInterval(int ms) { m_nPollIntervalMs = ms; }
    void setSleep(std::function<void(int)> sleep) { m_sleep = std::move(sleep); }
    void setClock(std::function<QDateTime()> clock) { m_clock = std::move(clock); }

    void setRozirarionState(ERozirarionState state);
    void updateRozirarionState(ERozirarionState state);
    int getWifiRssi();

signals:
    void signalRozirarionState(ERozirarionState state, qint64 iSerialNr, bool bCorMisto70);
    void signalCurrentValues(CFanValues currentValues, quint32 nSerialNumber, QString strHWVer,
                             QString strBootlVer, int nOperatingHours, int nFilterHours, bool bDeicing,
                             int nFanSupplyCharac, int nFanExtractCharac, quint32 nFanCmdsSucceeded,
                             quint32 nFanCmdsFailed, int iRSSI = 1000);
    void signalCurrentValues70(CFanValues70 currentValues, quint32 nSerialNumber, QString strHWVer,
                               QString strBootlVer, int nOperatingHours, int nFilterHours, bool bDeicing,
                               int nFanSupplyCharac, int nFanExtractCharac, quint32 nFanCmdsSucceeded,
                               quint32 nFanCmdsFailed);
    void signalSecLogRetrievalProcess(int nPercentage, CLogging::EMaxTimeSpan secLogType);
    // The retrieval ended because the database refused a chunk: nStored of nEntries entries were
    // stored before it.
    void signalSecLogStoreFailure(CLogging::EMaxTimeSpan secLogType, int nStored, int nEntries);
    void signalPersCountersUpdated(QStringList lstNames, QList<quint32> lstValues);
    // Wi-Fi credentials of this kind were refused or could not be sent: the unit will report no
    // result for them.
    void signalCredentialsNotSent(quint8 uCredType);

public slots:
    void on_Timer();
    void onComPortChanged(const QString& strPortName);
    // The log of the unit identified as nSerialNr of its type (a plus unit when b70): the question
    // before the request lets another unit come on the port, which gives none of its log.
    void retrieveSecLog(CLogging::EMaxTimeSpan span, qint64 nSerialNr, bool b70);
    void cancelSecLogRetrieval();
    void retrievePersCounter();
    void setNetworkCredentials(QString strName, QString strPass = QString(), QString strKey = QString(),
                               QString strEmail1 = QString(), QString strEmail2 = QString(),
                               QString strDeviceName = QString(), quint8 uCredType = 0,
                               SIpAddress address = SIpAddress(), qint64 nSerialNr = SERIAL_NR_UNKNOWN);

private:
    bool isPlus() const;
    // The unit on the port is identified, as nSerialNr of the type b70 tells.
    bool isIdentifiedAs(qint64 nSerialNr, bool b70) const;
    // Puts the unit object of the type in use (a plus unit's when b70), made the first time it is
    // needed.
    void chooseUnitClass(bool b70);
    void takeIdentification(const SHLP_IdentData& ident, int nVerMain, int nVerSub);
    void startPolling();
    void sleep(int ms);
    template <typename Fan, typename Entry, typename DB, typename Span>
    void retrieveSecLogOf(Fan* pFan, Span span, const quint16* sizes, const quint16* used,
                          const quint16* oldest, QDateTime timestamp);

    // One unit object of each type, kept for the next swap rather than replaced: deleting a unit
    // object closes the program-wide port, just opened for the other type, and one made anew at
    // each swap would live until the end. No state of a unit outlives its use: the counters are
    // read afresh after each port change.
    CFan* m_pFan100;
    CFan_70_PC* m_pFan70 = nullptr;
    // The one of the two in use.
    CFanBase* m_pFan;
    ERozirarionState m_eState = STATE_NOT_ROZIRARED;
    QTimer m_timer;
    qint64 m_nSerialNr = SERIAL_NR_UNKNOWN;
    QString m_strHWVer;
    QString m_strBootlVer;
    int m_nPollCount = 0;
    int m_nAppVerMain = 0;

    int m_nPollIntervalMs = POLL_INTERVAL_MS;
    std::function<void(int)> m_sleep;
    std::function<QDateTime()> m_clock;
};

Q_DECLARE_METATYPE(CLogging::EMaxTimeSpan)
Q_DECLARE_METATYPE(CLogging_70::EMaxTimeSpan)
