#include "Fan.h"

#include "LogReplies.h"

#include <QDebug>
#include <cstring>

namespace
{
constexpr int STATE_REPLY_SIZE = 28;
constexpr int WIFI_REPLY_SIZE = 170;
constexpr int VENT_REPLY_SIZE = 146;
constexpr int PRIM_LOG_REPLY_SIZE = 186;

static_assert(2 + SPrimLogEntry::SIZE == STATE_REPLY_SIZE, "state reply");
static_assert(2 + CVents::VENT_COUNT * CVents::SVentInfo::SIZE == VENT_REPLY_SIZE, "vent reply");

// Wi-Fi status values (reply byte 1) that report the outcome of a credentials request.
enum EWifiStatus : quint8
{
    WIFI_IDLE = 0,
    WIFI_UPDATE_OK = 3,
    WIFI_UPDATE_FAILED = 4,
    WIFI_DELETE_OK = 5,
    WIFI_DELETE_FAILED = 6
};

std::function<QObject*()>& wifiResultReceiver()
{
    static std::function<QObject*()> provider;
    return provider;
}

// Copies text as ISO 8859-1 into a zero-filled field; false when it does not fit or a
// character has no ISO 8859-1 byte (it would otherwise go out as '?').
template <std::size_t N> bool putLatin1(char (&field)[N], const QString& text)
{
    if (text.size() > int(N))
        return false;
    for (const QChar ch : text)
    {
        if (ch.unicode() > 0xFF)
            return false;
    }
    const QByteArray bytes = text.toLatin1();
    std::memcpy(field, bytes.constData(), size_t(bytes.size()));
    return true;
}
} // namespace

CFan::CFan(bool bTestFlag, QObject* parent) : CFanBase(parent), m_bTestFlag(bTestFlag) {}

QString CFan::getDeviceTypeText() const
{
    return QStringLiteral("tolVane100");
}

int CFan::getUnitType() const
{
    return 0;
}

void CFan::setWifiResultReceiver(std::function<QObject*()> provider)
{
    wifiResultReceiver() = std::move(provider);
}

bool CFan::getCurrentState(SPrimLogEntry& entry)
{
    return readCurrentState(entry.m_Bytes, STATE_REPLY_SIZE);
}

bool CFan::readWifiStatus(quint8& status, qint8& rssi)
{
    CLLProtocolWire* wire = linkWire();
    if (!wire)
        return false;
    if (!sendRequest(HLP_REPORT_WIFI_DATA))
    {
        qDebug() << "CFan::getWifiData: Error sending request for getting the wifi data";
        return false;
    }
    CLLProtocol protocol(*wire);
    CLLProtocolPacket reply;
    const SReplyTexts texts = {"CFan::getWifiData: Error getting the wifi data",
                               "CFan::getWifiData: Received wrong packet",
                               "CFan::getWifiData: Packet size mismatch"};
    if (!receiveReply(protocol, reply, HLP_REPORT_WIFI_DATA, WIFI_REPLY_SIZE, texts))
        return false;
    status = reply.GetData()[1];
    rssi = qint8(reply.GetData()[2]);
    return true;
}

bool CFan::getWifiData(qint8& rssi)
{
    quint8 status = 0;
    if (!readWifiStatus(status, rssi))
        return false;
    wireWifiResults();
    switch (status)
    {
    case WIFI_IDLE:
        emit signalEnableButtons();
        break;
    case WIFI_UPDATE_OK:
        emit signalUpdateWlanTabAndOKMsg();
        break;
    case WIFI_UPDATE_FAILED:
        emit signalNOKMsg();
        break;
    case WIFI_DELETE_OK:
        emit signalDelOKMsg();
        break;
    case WIFI_DELETE_FAILED:
        emit signalDelNOKMsg();
        break;
    default: // 1, 2 and 7 to 255 report nothing
        break;
    }
    return true;
}

bool CFan::getWifiDataDebug(qint8& rssi, quint8& second, quint8& third)
{
    quint8 status = 0;
    if (!readWifiStatus(status, rssi))
        return false;
    second = 0;
    third = 0;
    return true;
}

// By signature, so that this shared code needs no user-interface header. A good status reply
// arrives on every poll: unique connections keep each result to one delivery.
void CFan::wireWifiResults()
{
    const auto& provider = wifiResultReceiver();
    QObject* receiver = provider ? provider() : nullptr;
    if (!receiver)
        return;
    connect(this, SIGNAL(signalUpdateWlanTabAndOKMsg()), receiver, SLOT(slotUpdateWlanTabAndOKMsg()),
            Qt::UniqueConnection);
    connect(this, SIGNAL(signalNOKMsg()), receiver, SLOT(slotNOKMsg()), Qt::UniqueConnection);
    connect(this, SIGNAL(signalDelNOKMsg()), receiver, SLOT(slotDelNOKMsg()), Qt::UniqueConnection);
    connect(this, SIGNAL(signalDelOKMsg()), receiver, SLOT(slotDelOKMsg()), Qt::UniqueConnection);
    connect(this, SIGNAL(signalEnableButtons()), receiver, SLOT(onEnableButtons()), Qt::UniqueConnection);
}

bool CFan::setNetworkCredentials(const QString& strName, const QString& strPassword, const QString& strKey,
                                 const QString& strEmail1, const QString& strEmail2,
                                 const QString& strtolVaneName, quint8 uCredType, quint8* ip)
{
    SHLP_SetNetworkCredentials record; // every byte zero but the code
    if (!putLatin1(record.m_Name, strName) || !putLatin1(record.m_Password, strPassword) ||
        !putLatin1(record.m_Key, strKey) || !putLatin1(record.m_Email1, strEmail1) ||
        !putLatin1(record.m_Email2, strEmail2) || !putLatin1(record.m_DeviceName, strtolVaneName))
        return false;
    record.m_CredType = uCredType;
    if (ip)
        std::memcpy(record.m_Address, ip, sizeof(record.m_Address));

    const auto bytes = record.encode();
    return sendOnLink(bytes.data(), UINT16(bytes.size()),
                      "CFan::setNetworkCredentials: Error sending network credentials");
}

bool CFan::setSimulationValues(const SHLP_SetSimulationValues& values)
{
    qDebug() << "sizeof(SHLP_SetSimulationValues):" << SHLP_SetSimulationValues::SIZE;
    const auto bytes = values.encode();
    return sendOnLink(bytes.data(), UINT16(bytes.size()),
                      "CFan::setSimulationValues: Error sending request for simulation values");
}

bool CFan::getVentInfo(CVents::SVentInfo* info)
{
    CLLProtocolWire* wire = linkWire();
    if (!wire || !info)
        return false;
    if (!sendRequest(HLP_REPORT_VENT_INFO))
    {
        qDebug() << "CFan::getVentInfo: Error sending request for getting the vent info";
        return false;
    }
    CLLProtocol protocol(*wire);
    CLLProtocolPacket reply;
    const SReplyTexts texts = {"CFan::getVentInfo: Error getting the vent info",
                               "CFan::getVentInfo: Received wrong packet",
                               "CFan::getVentInfo: Packet size mismatch"};
    if (!receiveReply(protocol, reply, HLP_REPORT_VENT_INFO, VENT_REPLY_SIZE, texts))
        return false;
    for (int vent = 0; vent < CVents::VENT_COUNT; ++vent)
        std::memcpy(info[vent].m_Bytes, reply.GetData() + 2 + vent * CVents::SVentInfo::SIZE,
                    CVents::SVentInfo::SIZE);
    return true;
}

bool CFan::getPrimLog(QVector<SPrimLogEntry>& entries)
{
    return requestPrimLog(entries, PRIM_LOG_REPLY_SIZE, "SPrimLogEntry", "CFan::getPrimLog");
}

bool CFan::getSecLog(QVector<SSecLogEntry>& entries, CLogging::EMaxTimeSpan span, UINT16 count, UINT16 first)
{
    return requestSecLog(entries, int(span), count, first, "SSecLogEntry", "CFan::getSecLog");
}
