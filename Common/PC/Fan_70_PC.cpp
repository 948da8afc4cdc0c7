#include "Fan_70_PC.h"

#include "LogReplies.h"

#include <QDebug>
#include <cstring>
#include <iterator>

namespace
{
constexpr int STATE_REPLY_SIZE = 30;
constexpr int PRIM_LOG_REPLY_SIZE = 200;
constexpr int SEC_LOG_REPLY_SIZE = SHLP_ReportSecLog::REQUEST_SIZE;

static_assert(2 + SPrimLogEntry_70::SIZE == STATE_REPLY_SIZE, "state reply");
static_assert(4 + 7 * SPrimLogEntry_70::SIZE == PRIM_LOG_REPLY_SIZE, "primary-log reply");

const char* const MODE_NAMES[] = {"MinAir", "RelDry", "AbsDry", "SumCoo",
                                  "VenCO2", "HumInp", "CO2Inp", "HCO2In"};
} // namespace

CFan_70_PC::CFan_70_PC(QObject* parent) : CFanBase(parent) {}

const char* CFan_70_PC::getModeName(int mode) const
{
    if (unsigned(mode) >= unsigned(std::size(MODE_NAMES)))
        return "- ?? -";
    return MODE_NAMES[mode];
}

QString CFan_70_PC::getDeviceTypeText() const
{
    return QStringLiteral("tolVane plus");
}

int CFan_70_PC::getUnitType() const
{
    return 1;
}

bool CFan_70_PC::getCurrentState(SPrimLogEntry_70& entry)
{
    CLLProtocolWire* wire = linkWire();
    if (!wire)
        return false;
    if (!sendRequest(HLP_REPORT_CURRENT_STATE))
    {
        qDebug() << "CFan::getCurrentState: Error sending request for current state";
        return false;
    }
    CLLProtocol protocol(*wire);
    CLLProtocolPacket reply;
    const SReplyTexts texts = {"CFan::getCurrentState: Error getting the current state",
                               "CFan::getCurrentState: Received wrong packet",
                               "CFan::getCurrentState:: Packet size mismatch"};
    if (!receiveReply(protocol, reply, HLP_REPORT_CURRENT_STATE, STATE_REPLY_SIZE, texts))
        return false;
    std::memcpy(entry.m_Bytes, reply.GetData() + 2, SPrimLogEntry_70::SIZE);
    return true;
}

bool CFan_70_PC::setSimulationValues(const SHLP_SetSimulationValues_70& values)
{
    qDebug() << "sizeof(SHLP_SetSimulationValues_70):" << SHLP_SetSimulationValues_70::SIZE;
    CLLProtocolWire* wire = linkWire();
    if (!wire)
        return false;
    const auto bytes = values.encode();
    CLLProtocol protocol(*wire);
    if (!sendRecord(protocol, bytes.data(), UINT16(bytes.size())))
    {
        qDebug() << "CFan_70::setSimulationValues: Error sending request for simulation values";
        return false;
    }
    return true;
}

bool CFan_70_PC::getPrimLog(QVector<SPrimLogEntry_70>& entries)
{
    CLLProtocolWire* wire = linkWire();
    if (!wire)
        return false;
    entries.clear();
    qDebug() << "\n======================";
    qDebug() << "sizeof(SPrimLogEntry_70): " << SPrimLogEntry_70::SIZE;
    if (!sendRequest(HLP_REPORT_PRIM_LOG))
    {
        qDebug() << "CFan_70_PC::getPrimLog: Error sending request for primary log";
        return false;
    }
    CLLProtocol protocol(*wire);
    const SReplyTexts texts = {"CFan_70_PC::getPrimLog: Error getting the primary log",
                               "CFan_70_PC::getPrimLog: Received wrong packet",
                               "CFan_70_PC::getPrimLog: Packet size mismatch"};
    const SLogReplyLayout layout = {2, 4, 7};
    return takeLogReplies(
        entries, -1, layout,
        [&](CLLProtocolPacket& reply)
        { return receiveReply(protocol, reply, HLP_REPORT_PRIM_LOG, PRIM_LOG_REPLY_SIZE, texts); },
        "CFan_70_PC::getPrimLog:");
}

bool CFan_70_PC::getSecLog(QVector<SSecLogEntry_70>& entries, CLogging_70::EMaxTimeSpan span, UINT16 count,
                           UINT16 first)
{
    CLLProtocolWire* wire = linkWire();
    if (!wire)
        return false;
    entries.clear();
    qDebug() << "\n======================";
    qDebug() << "sizeof(SSecLogEntry_70): " << SSecLogEntry_70::SIZE;

    SHLP_ReportSecLog request;
    request.m_TimeSpan = UINT8(span);
    request.m_First = first;
    request.m_Count = count;
    const auto bytes = request.encode();
    CLLProtocol protocol(*wire);
    if (!sendRecord(protocol, bytes.data(), UINT16(bytes.size())))
    {
        qDebug() << "CFan_70_PC::getSecLog: Error sending request for secondary log";
        return false;
    }
    const SReplyTexts texts = {"CFan_70_PC::getSecLog: Error getting the secondary log",
                               "CFan_70_PC::getSecLog: Received wrong packet",
                               "CFan_70_PC::getSecLog: Packet size mismatch"};
    const SLogReplyLayout layout = {4, 6, 5, 1, int(span)};
    return takeLogReplies(
        entries, count, layout,
        [&](CLLProtocolPacket& reply)
        { return receiveReply(protocol, reply, HLP_REPORT_SEC_LOG, SEC_LOG_REPLY_SIZE, texts); },
        "CFan_70_PC::getSecLog:");
}
