#pragma once

#include "FanBase.h"
#include "FanValues.h"
#include "Logging.h"

#include <QObject>
#include <QString>
#include <QVector>
#include <functional>

#ifdef TOLVANE_UPDATER
#include "UpdateRecords.h"
#endif

// The vents of a tolVane100.
class CVents
{
public:
    // The vent-information reply carries one record per vent, in this order.
    enum EVent
    {
        VENT_EXTRACT,
        VENT_BATH,
        VENT_SUPPLY,
        VENT_BYPASS,
        VENT_COUNT
    };

    // One vent's statistics as the unit sends them (36 bytes, little-endian). The bytes nobody
    // reads are carried unchanged.
    struct SVentInfo
    {
        static constexpr int SIZE = 36;
        quint8 m_Bytes[SIZE] = {};

        quint32 SpeedSumOpen() const { return u32(12); }
        quint32 SpeedSumClose() const { return u32(16); }
        int NoStops() const { return m_Bytes[25] >> 4; }
        int ShakeLoose() const { return m_Bytes[25] & 0x0F; }
        int RunTimeOpen() const { return m_Bytes[27]; }  // units of 0.25
        int RunTimeClose() const { return m_Bytes[28]; } // units of 0.25
        int MaxIMean() const { return m_Bytes[32] | (m_Bytes[33] << 8); }

    private:
        quint32 u32(int offset) const
        {
            return quint32(m_Bytes[offset]) | (quint32(m_Bytes[offset + 1]) << 8) |
                   (quint32(m_Bytes[offset + 2]) << 16) | (quint32(m_Bytes[offset + 3]) << 24);
        }
    };
};
static_assert(sizeof(CVents::SVentInfo) == CVents::SVentInfo::SIZE, "vent record is 36 bytes");

// The PC-side object of a connected tolVane100: current state, Wi-Fi status and credentials,
// simulation values, vent statistics and the two logs.
class CFan : public CFanBase
{
    Q_OBJECT
public:
    CFan(bool bTestFlag, QObject* parent = nullptr);

    QString getDeviceTypeText() const override;
    int getUnitType() const override;
    virtual bool getPrimLog(QVector<SPrimLogEntry>& entries);
    // At most `count` entries of the ring of `span`, starting at ring index `first`.
    virtual bool getSecLog(QVector<SSecLogEntry>& entries, CLogging::EMaxTimeSpan span, UINT16 count,
                           UINT16 first);

    bool getCurrentState(SPrimLogEntry& entry);
    // Reads the Wi-Fi status: sets the RSSI, wires the result signals and emits the one the
    // status selects.
    bool getWifiData(qint8& rssi);
    // The same request for the service panel: wires and emits nothing; the last two outputs are 0.
    bool getWifiDataDebug(qint8& rssi, quint8& second, quint8& third);
    // Texts go out in ISO 8859-1; a text that is too long for its field or not exactly
    // representable is refused and nothing is sent. ip points to four bytes; null sends 0.0.0.0.
    // The outcome arrives later with the Wi-Fi status.
    bool setNetworkCredentials(const QString& strName, const QString& strPassword, const QString& strKey,
                               const QString& strEmail1, const QString& strEmail2,
                               const QString& strtolVaneName, quint8 uCredType, quint8* ip);
    bool setSimulationValues(const SHLP_SetSimulationValues& values);
    // Fills four consecutive records: extract, bath, supply, bypass vent.
    bool getVentInfo(CVents::SVentInfo* info);

#ifdef TOLVANE_UPDATER
    QString getPrimaryLog() override;
    QString getSecondaryLog(CLogging::EMaxTimeSpan span, bool youngest10, bool youngest100, bool oldest10,
                            bool oldest100, const QString& spanTitle) override;
    // Values are sent unchecked; the unit only acknowledges.
    bool moveVent(const SHLP_MoveVent& move);
#endif

    // The receiver of the Wi-Fi results: an object with the slots slotUpdateWlanTabAndOKMsg(),
    // slotNOKMsg(), slotDelNOKMsg(), slotDelOKMsg() and onEnableButtons(). The main program sets
    // the provider once, before the polling thread starts; without one nothing is wired.
    static void setWifiResultReceiver(std::function<QObject*()> provider);

signals:
    void signalUpdateWlanTabAndOKMsg();
    void signalEnableButtons();
    void signalNOKMsg();
    void signalDelNOKMsg();
    void signalDelOKMsg();

private:
    bool readWifiStatus(quint8& status, qint8& rssi);
    void wireWifiResults();

    bool m_bTestFlag;
};
