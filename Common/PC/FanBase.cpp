#include "FanBase.h"

#include "SerialPort.h"
#include "TextTable.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDebug>
#include <QProgressBar>
#include <QTextEdit>
#include <algorithm>
#include <cstring>

#ifdef TOLVANE_UPDATER
CSerialPort& CFanBase::serialPort()
{
    return m_SerialPort;
}

CLLProtocolWire*& CFanBase::wireSlot()
{
    return m_pLLWire;
}
#else
CSerialPort g_SerialPort;
CLLProtocolWire* g_pLLWire = nullptr;

CSerialPort& CFanBase::serialPort()
{
    return g_SerialPort;
}

CLLProtocolWire*& CFanBase::wireSlot()
{
    return g_pLLWire;
}
#endif

namespace
{
const char* const MODE_NAMES[] = {"MinAir", "RelDry", "AbsDry", "SumCoo",
                                  "CO2Ven", "SupCon", "MinTOu", "HumInp"};

// Counters reply: code, the number of counters still to come (this packet's included), eight values.
constexpr int COUNTERS_REPLY_SIZE = 37;
constexpr UINT32 COUNTERS_PER_REPLY = 8;

constexpr UINT16 UPLOAD_SLOW_START_MS = 15000;
constexpr UINT16 UPLOAD_SLOW_BLOCK_MS = 100;
constexpr UINT16 UPLOAD_END_PAUSE_MS = 750;

// Counter texts of ids 0 to 49: a fixed English text, or an index of the text table.
struct SCounterText
{
    const char* fixed;
    int tableIndex;
};
const SCounterText COUNTER_TEXTS[] = {
    {"Number of Flash write cycles", -1},
    {"Total operating hours", -1},
    {"Filter operating hours", -1},
    {"Number of boot cycles", -1},
    {"Sensor supply temperature value", -1},
    {"Sensor outdoor temperature value", -1},
    {"Sensor outdoor humidity value", -1},
    {"Sensor exhaust temperature value", -1},
    {"Sensor extract temperature value", -1},
    {"Sensor extract humidity value", -1},
    {"Sensor CO2 value", -1},
    {"Comfort level", -1},
    {nullptr, 75},
    {nullptr, 76},
    {nullptr, 77},
    {nullptr, 78},
    {nullptr, 79},
    {nullptr, 80},
    {nullptr, 81},
    {nullptr, 82},
    {nullptr, 83},
    {nullptr, 87},
    {nullptr, 85},
    {nullptr, 86},
    {nullptr, 84},
    {nullptr, 90},
    {nullptr, 91},
    {nullptr, 88},
    {nullptr, 92},
    {nullptr, 93},
    {"An illegal instruction have been detected", -1},
    {"A Stack overflow have been detected", -1},
    {"The Watchdog has expired", -1},
    {"The SW version of the application prior to the current application", -1},
    {"The current SW version of the application", -1},
    {"The secondary log with 15 min  per log has been erased", -1},
    {"The secondary log with  1 day  per log has been erased", -1},
    {"The secondary log with 30 days per log has been erased", -1},
    {nullptr, 89},
    {"Min. switch off temperature (de-icing)", -1},
    {"Min. exhaust temperature (de-icing)", -1},
    {"Fan supply characteristics based on pressure (FSC)", -1},
    {"Fan extract characteristics based on pressure (FEC)", -1},
    {"Fan communication FCA", -1},
    {"Fan communication FCF", -1},
    {"", -1},
    {"", -1},
    {"", -1},
    {"", -1},
    {"", -1},
};
static_assert(sizeof(COUNTER_TEXTS) / sizeof(COUNTER_TEXTS[0]) == CPersCounter_ReadOnly::CNT_FLAP_PROPERTIES,
              "a text for every counter below the flap properties");

// The flap properties: flaps 0..3 have text-table bases 95..98, property p adds 4 * p.
constexpr int FLAP_TEXT_BASE = 95;
constexpr int FLAP_PROPERTIES = 6;
constexpr int FLAP_PROPERTY_STEP = 4;

// A text field as the link's debug view. The link waits in the thread of the field with no event
// loop running, so each message is painted at once.
class CTextEditDebugView : public CDebugMessageView
{
public:
    explicit CTextEditDebugView(QTextEdit* pEdit) : m_pEdit(pEdit) {}
    void append(const QString& strText) override
    {
        m_pEdit->setPlainText(m_pEdit->toPlainText() + strText);
        m_pEdit->repaint();
    }

private:
    QTextEdit* m_pEdit;
};
} // namespace

CFanBase::CFanBase(QObject* parent) : QObject(parent) {}

CFanBase::~CFanBase()
{
    closeComPort();
}

void CFanBase::setDebugOutput(QTextEdit* view)
{
    m_pDebugOutput.reset(view ? new CTextEditDebugView(view) : nullptr);
}

void CFanBase::userInfo(QString strInfo)
{
    emit signalUserInfo(strInfo);
}

const char* CFanBase::getModeName(int mode) const
{
    if (mode < 0 || mode >= int(sizeof(MODE_NAMES) / sizeof(MODE_NAMES[0])))
        return "- ?? -";
    return MODE_NAMES[mode];
}

QString CFanBase::getComPortName()
{
    return serialPort().isOpen() ? serialPort().portName() : QString();
}

bool CFanBase::comPortFailed()
{
    return serialPort().hasFailed();
}

void CFanBase::closeComPort()
{
    if (serialPort().isOpen())
        serialPort().close();
    delete wireSlot();
    wireSlot() = nullptr;
}

CLLProtocolWire* CFanBase::linkWire()
{
    return serialPort().isOpen() ? wireSlot() : nullptr;
}

namespace
{
std::function<CLLProtocolWire*(QIODevice*)>& wireFactory()
{
    static std::function<CLLProtocolWire*(QIODevice*)> factory;
    return factory;
}
} // namespace

void CFanBase::setWireFactory(std::function<CLLProtocolWire*(QIODevice* port)> factory)
{
    wireFactory() = std::move(factory);
}

bool CFanBase::openComPort(const QString& portName)
{
    if (portName.isEmpty())
    {
        closeComPort();
        emit signalUserInfo(tr("Please connect your application via the USB cable."));
        return false;
    }
    CSerialPort& port = serialPort();
    if (port.isOpen())
    {
        if (port.portName() == portName)
            return true;
        closeComPort();
    }
    emit signalUserInfo(tr("Checking for new devices..."));
    port.setPortName(portName);
    port.setQueryMode(CSerialPort::Polling);
    if (!port.open(QIODevice::ReadWrite))
    {
        closeComPort();
        emit signalUserInfo(
            tr("Unable to open COM port for %1.\nPlease switch your %2 off and then on again.")
                .arg(getDeviceTypeText(), getDeviceTypeText()));
        return false;
    }
    delete wireSlot();
    wireSlot() = wireFactory() ? wireFactory()(&port) : new CLLProtocolWireWin(&port);
    wireSlot()->Drain();
    return true;
}

bool CFanBase::sendRecord(CLLProtocol& protocol, const UINT8* record, UINT16 size, bool repeat, bool flag0)
{
    CLLProtocolPacket packet;
    return packet.SetPacket(LL_CMD_HLP, flag0, false, repeat, size, record) &&
           protocol.Send(packet) == CLLProtocol::RC_SUCCESS;
}

bool CFanBase::sendOnLink(const UINT8* record, UINT16 size, const char* failure)
{
    CLLProtocolWire* wire = linkWire();
    if (!wire)
        return false;
    CLLProtocol protocol(*wire);
    if (sendRecord(protocol, record, size))
        return true;
    qDebug() << failure;
    return false;
}

bool CFanBase::readCurrentState(quint8* entry, int replySize)
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
    if (!receiveReply(protocol, reply, HLP_REPORT_CURRENT_STATE, replySize, texts))
        return false;
    std::memcpy(entry, reply.GetData() + 2, size_t(replySize - 2));
    return true;
}

bool CFanBase::receiveReply(CLLProtocol& protocol, CLLProtocolPacket& reply, UINT8 code, int length,
                            const SReplyTexts& texts)
{
    if (protocol.Receive(reply) != CLLProtocol::RC_SUCCESS)
    {
        qDebug() << texts.receiveFailed;
        return false;
    }
    if (reply.GetPacketId() != HLPReplyId(code))
    {
        qDebug() << texts.wrongPacket;
        return false;
    }
    if (length >= 0 && reply.GetLength() != length)
    {
        qDebug() << texts.sizeMismatch;
        qDebug() << "Expected: " << length << ", got: " << reply.GetLength();
        return false;
    }
    return true;
}

bool CFanBase::sendRequest(UINT8 code)
{
    CLLProtocolWire* wire = linkWire();
    if (!wire)
        return false;
    CLLProtocolPacket packet;
    packet.SetPacketByte(LL_CMD_HLP, true, code);
    if (code == HLP_START_APPLICATION)
        packet.SetNoAck(true);
    CLLProtocol protocol(*wire, m_pDebugOutput.get());
    if (protocol.Send(packet) == CLLProtocol::RC_SUCCESS)
        return true;
    emit signalUserInfo(tr("%1 did not respond - ").arg(getDeviceTypeText()));
    return false;
}

bool CFanBase::setStartupMode(UINT8 mode)
{
    CLLProtocolWire* wire = linkWire();
    if (!wire)
        return false;
    if (mode != 0)
    {
        const UINT8 record[2] = {HLP_SET_STARTUP_MODE, mode};
        CLLProtocol protocol(*wire, m_pDebugOutput.get());
        if (!sendRecord(protocol, record, sizeof(record)))
        {
            emit signalUserInfo(tr("Unable to set startup mode for application."));
            return false;
        }
    }
    return sendRequest(HLP_START_APPLICATION);
}

bool CFanBase::getIdentData(SHLP_IdentData& ident)
{
    CLLProtocolWire* wire = linkWire();
    if (!wire)
        return false;
    CLLProtocol protocol(*wire, m_pDebugOutput.get());
    CLLProtocolPacket packet;
    packet.SetPacketByte(LL_CMD_HLP, false, HLP_REPORT_IDENT);
    const qint64 start = wire->Milliseconds();
    bool acknowledged = false;
    do
    {
#ifdef TOLVANE_UPDATER
        // The updater identifies in its window's thread: the window stays painted while a silent
        // unit is asked again and again (user input waits until the answer is in).
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
#endif
        qDebug() << "Sending report ident request...";
        acknowledged = protocol.Send(packet) == CLLProtocol::RC_SUCCESS;
    } while (!acknowledged && wire->Milliseconds() - start < IDENT_TIMEOUT_MS);
    if (!acknowledged)
    {
        emit signalUserInfo(tr("%1 did not respond! ").arg(getDeviceTypeText()));
        return false;
    }
    qDebug() << "...Debug: appllication has answered!";
    emit signalUserInfo(tr("%1 detected!").arg(getDeviceTypeText()));
    if (protocol.Receive(packet) != CLLProtocol::RC_SUCCESS)
    {
        emit signalUserInfo(tr(" The %1 did not (correctly) respond - ").arg(getDeviceTypeText()));
        return false;
    }
    if (packet.GetPacketId() != HLPReplyId(HLP_IDENT_DATA))
    {
        emit signalUserInfo(tr("- The %1 responded with the wrong packet - ").arg(getDeviceTypeText()));
        return false;
    }
#ifdef TOLVANE_UPDATER
    // Older units may send fewer than 39 bytes, but a reply that ends before the unit-type and
    // Wi-Fi bits would pass for a tolVane100 unit: the updater writes nothing on such a record.
    if (packet.GetLength() < SHLP_IdentData::UPDATER_USED_SIZE)
    {
        qDebug() << "CFanBase::getIdentData: reply of" << packet.GetLength() << "bytes is too short";
        emit signalUserInfo(tr(" The %1 did not (correctly) respond - ").arg(getDeviceTypeText()));
        return false;
    }
#endif
    // Only the received bytes: a short reply leaves the rest of the record zero.
    ident = SHLP_IdentData::decode(packet.GetData(), packet.GetLength());
    return true;
}

bool CFanBase::getCounters()
{
    qDebug() << "CFan::getCounters at " << QDateTime::currentDateTime().toString(Qt::ISODate);
    m_Counters.clear();
    CLLProtocolWire* wire = linkWire();
    if (!wire)
        return false;
    if (!sendRequest(HLP_REPORT_PERS_COUNTERS))
    {
        qDebug() << "CFan::getCounters: Error sending request for persistant counters";
        return false;
    }
    CLLProtocol protocol(*wire);
    const SReplyTexts texts = {"CFan::getCounters: Error getting the persistant counters",
                               "CFan::getCounters: Received wrong packet",
                               "CFan::getCounters: Packet size mismatch"};
    bool first = true;
    UINT32 previous = 0;
    for (;;)
    {
        CLLProtocolPacket reply;
        if (!receiveReply(protocol, reply, HLP_REPORT_PERS_COUNTERS, COUNTERS_REPLY_SIZE, texts))
            return false;
        const UINT8* data = reply.GetData();
        const UINT32 remaining = LE::GetU32(data + 1);
        if (remaining == 0)
            return true;
        // Each reply carries up to eight counters, so the count still to come must fall by eight;
        // a unit that repeats itself would otherwise keep us here for ever.
        if (!first && remaining > previous - COUNTERS_PER_REPLY)
        {
            qDebug() << "CFan::getCounters: Count of counters to come did not fall:" << previous << "then"
                     << remaining;
            return false;
        }
        const UINT32 count = std::min(remaining, COUNTERS_PER_REPLY);
        for (UINT32 i = 0; i < count; ++i)
            m_Counters.append(LE::GetU32(data + 5 + 4 * i));
        if (remaining <= COUNTERS_PER_REPLY)
            return true;
        first = false;
        previous = remaining;
    }
}

quint32 CFanBase::getCounterValue(int id) const
{
    if (id < 0 || id >= m_Counters.size())
        return 0xFFFFFFFF;
    return m_Counters[id];
}

QString CFanBase::getCounterText(int id) const
{
    if (id < 0 || id >= m_Counters.size() || id >= CPersCounter_ReadOnly::CNT_COUNT)
        return QString();
    if (id >= CPersCounter_ReadOnly::CNT_FLAP_PROPERTIES)
    {
        const int flap = (id - CPersCounter_ReadOnly::CNT_FLAP_PROPERTIES) / FLAP_PROPERTIES;
        const int property = (id - CPersCounter_ReadOnly::CNT_FLAP_PROPERTIES) % FLAP_PROPERTIES;
        return QString::fromUtf8(GetText(FLAP_TEXT_BASE + flap + FLAP_PROPERTY_STEP * property));
    }
    const SCounterText& text = COUNTER_TEXTS[id];
    return text.fixed ? QString::fromLatin1(text.fixed) : QString::fromUtf8(GetText(text.tableIndex));
}

bool CFanBase::readWriteCounterValue(CPersCounter_ReadOnly::ECntID id, UINT32* value, bool write)
{
    if (write && !value)
        return false;
    CLLProtocolWire* wire = linkWire();
    if (!wire)
        return false;
    SHLP_ReadWriteSinglePersCounter request;
    request.m_CntID = id;
    request.m_Action =
        write ? SHLP_ReadWriteSinglePersCounter::EWrite : SHLP_ReadWriteSinglePersCounter::ERead;
    request.m_Value = write ? *value : 0xFFFFFFFF;
    qDebug() << "sizeof(SHLP_ReadWriteSinglePersCounter)" << SHLP_ReadWriteSinglePersCounter::SIZE;
    CLLProtocol protocol(*wire);
    if (!sendRecord(protocol, request.encode().data(), SHLP_ReadWriteSinglePersCounter::SIZE))
    {
        qDebug() << "CFan::counterValue: Error sending request for single pers counter";
        return false;
    }
    CLLProtocolPacket reply;
    if (!receiveReply(protocol, reply, HLP_READ_WRITE_PERS_COUNTER, SHLP_ReadWriteSinglePersCounter::SIZE,
                      {"CFan::counterValue: Error getting the result package",
                       "CFan::counterValue: Received wrong packet",
                       "CFan::counterValue:: Packet size mismatch"}))
        return false;
    const auto answer = SHLP_ReadWriteSinglePersCounter::decode(reply.GetData(), reply.GetLength());
    if (answer.m_Action == SHLP_ReadWriteSinglePersCounter::EError)
    {
        qDebug() << "CFan::counterValue:: received packet has m_Action set to 'EError'";
        return false;
    }
    if (write)
    {
        if (answer.m_Value == *value)
            return true;
        qDebug() << "CFan::counterValue (writing) received packet has wrong value";
        return false;
    }
    if (value)
        *value = answer.m_Value;
    return true;
}

bool CFanBase::getTimer(UINT16* day, UINT8* hour, UINT8* minute, UINT8* second, UINT16* millisecond)
{
    CLLProtocolWire* wire = linkWire();
    if (!wire)
        return false;
    if (!sendRequest(HLP_REPORT_TIME))
    {
        qDebug() << "CFan::getTimer: Error sending request for getting the time";
        return false;
    }
    CLLProtocol protocol(*wire);
    CLLProtocolPacket reply;
    if (!receiveReply(protocol, reply, HLP_REPORT_TIME, SHLP_ReportTime::SIZE,
                      {"CFan::getTimer: Error getting the time", "CFan::getTimer: Received wrong packet",
                       "CFan::getTimer: Packet size mismatch"}))
        return false;
    const auto time = SHLP_ReportTime::decode(reply.GetData(), reply.GetLength());
    if (day)
        *day = time.m_Day;
    if (hour)
        *hour = time.m_Hour;
    if (minute)
        *minute = time.m_Minute;
    if (second)
        *second = time.m_Second;
    if (millisecond)
        *millisecond = time.m_Millisecond;
    return true;
}

bool CFanBase::getSecLogCnt(UINT16* sizes, UINT16* used, UINT16* oldest)
{
    CLLProtocolWire* wire = linkWire();
    if (!wire)
        return false;
    qDebug() << "sizeof(SHLP_GetSecLogCnt)" << SHLP_GetSecLogCnt::SIZE;
    CLLProtocol protocol(*wire);
    if (!sendRecord(protocol, SHLP_GetSecLogCnt().encode().data(), SHLP_GetSecLogCnt::SIZE))
    {
        qDebug() << "CFan::getSecLogCnt: Error sending request for secondary log count";
        return false;
    }
    CLLProtocolPacket reply;
    if (!receiveReply(protocol, reply, HLP_GET_SEC_LOG_CNT, SHLP_GetSecLogCnt::SIZE,
                      {"CFan::getSecLogCnt: Error getting the result package",
                       "CFan::getSecLogCnt: Received wrong packet",
                       "CFan::getSecLogCnt: Packet size mismatch"}))
        return false;
    const auto counts = SHLP_GetSecLogCnt::decode(reply.GetData(), reply.GetLength());
    for (int i = 0; i < 3; ++i)
    {
        if (sizes)
            sizes[i] = counts.m_Sizes[i];
        if (used)
            used[i] = counts.m_Used[i];
        if (oldest)
            oldest[i] = counts.m_Oldest[i];
    }
    return true;
}

bool CFanBase::checkSecLog(CLogging::EMaxTimeSpan span, quint8& result)
{
    CLLProtocolWire* wire = linkWire();
    if (!wire)
        return false;
    qDebug() << "sizeof(SHLP_CheckSecLog)" << SHLP_CheckSecLog::SIZE;
    SHLP_CheckSecLog request;
    request.m_TimeSpan = UINT8(span);
    CLLProtocol protocol(*wire);
    if (!sendRecord(protocol, request.encode().data(), SHLP_CheckSecLog::SIZE))
    {
        qDebug() << "CFan::checkSecLog: Error sending request for secondary log";
        return false;
    }
    CLLProtocolPacket reply;
    if (!receiveReply(protocol, reply, HLP_CHECK_SEC_LOG, SHLP_CheckSecLog::SIZE,
                      {"CFan::checkSecLog: Error getting the result package",
                       "CFan::checkSecLog: Received wrong packet",
                       "CFan::checkSecLog:: Packet size mismatch"}))
        return false;
    result = SHLP_CheckSecLog::decode(reply.GetData(), reply.GetLength()).m_Result;
    return true;
}

bool CFanBase::eraseSecLog(CLogging::EMaxTimeSpan span)
{
    CLLProtocolWire* wire = linkWire();
    if (!wire)
        return false;
    qDebug() << "sizeof(SHLP_EraseSecLog)" << SHLP_EraseSecLog::SIZE;
    SHLP_EraseSecLog request;
    request.m_TimeSpan = UINT8(span);
    CLLProtocol protocol(*wire);
    if (sendRecord(protocol, request.encode().data(), SHLP_EraseSecLog::SIZE))
        return true;
    qDebug() << "CFan::eraseSecLog: Error sending request for secondary log";
    return false;
}

bool CFanBase::reportMemory(int address, int length, QVector<unsigned char>& out)
{
    CLLProtocolWire* wire = linkWire();
    if (!wire)
        return false;
    SHLP_ReportMemory request;
    request.m_Address = UINT32(address);
    request.m_Length = UINT32(length);
    CLLProtocol protocol(*wire);
    if (!sendRecord(protocol, request.encode().data(), SHLP_ReportMemory::SIZE))
    {
        qDebug() << "CFan::reportMemory: Error sending request for memory dump";
        return false;
    }
    CLLProtocolPacket reply;
    if (!receiveReply(protocol, reply, HLP_REPORT_MEMORY, -1,
                      {"CFan::reportMemory: Error getting the memory dump",
                       "CFan::reportMemory: Received wrong packet", ""}))
        return false;
    out.resize(reply.GetLength() - 1);
    std::copy(reply.GetData() + 1, reply.GetData() + reply.GetLength(), out.begin());
    return true;
}

bool CFanBase::calcAveSenVal()
{
    if (sendRequest(HLP_CALC_AVE_SEN_VAL))
        return true;
    qDebug() << "CFan::calcAveSenVal: Error sending request for calculate sensor values";
    return false;
}

bool CFanBase::failUpload()
{
    emit signalUserInfo(tr("Error sending data to %1.").arg(getDeviceTypeText()));
    return false;
}

bool CFanBase::uploadPartition(UINT32 address, UINT32 dataLength, UINT32 partitionLength,
                               CPartitionTable::EPartType type, UINT8 mainVer, UINT8 subVer,
                               UINT32 partitionAddress, UINT16 crc16, bool flag0, const UINT8* data,
                               QProgressBar* bar, bool slow)
{
    CLLProtocolWire* wire = linkWire();
    if (!wire || (!data && dataLength > 0))
        return false;
    qDebug() << "Start Upload, address: " << partitionAddress << ", length:" << partitionLength;
    if (bar)
    {
        bar->setValue(0);
        bar->repaint();
    }
    CLLProtocol protocol(*wire, m_pDebugOutput.get());

    SHLP_MemUploadStart header;
    header.m_Address = address;
    header.m_PartitionLength = partitionLength;
    header.m_Type = UINT8(type);
    header.m_Arg8a = mainVer;
    header.m_Arg8b = subVer;
    header.m_PartitionAddress = partitionAddress;
    header.m_Arg16 = crc16;
    if (!sendRecord(protocol, header.encode().data(), SHLP_MemUploadStart::SIZE, true))
        return failUpload();
    if (slow)
#ifdef TOLVANE_UPDATER
        waitShowingProgress(*wire, UPLOAD_SLOW_START_MS, bar);
#else
        wire->Sleep(UPLOAD_SLOW_START_MS);
#endif

    for (UINT32 offset = 0; offset < dataLength;)
    {
        const UINT32 size = std::min<UINT32>(SHLP_MemUploadData::BLOCK_SIZE, dataLength - offset);
        SHLP_MemUploadData record; // zero behind a short last block
        record.m_Length = UINT16(size);
        record.m_Address = address + offset;
        std::copy(data + offset, data + offset + size, record.m_Data);
        offset += size;
        record.m_Tail = offset > partitionLength ? UINT8(offset - partitionLength) : 0;
        const auto bytes = record.encode();
        if (!sendRecord(protocol, bytes.data(), SHLP_MemUploadData::SIZE, true, flag0))
            return failUpload();
        if (slow)
            wire->Sleep(UPLOAD_SLOW_BLOCK_MS);
        if (bar)
            bar->setValue(int(quint64(offset) * 100 / dataLength));
        QCoreApplication::processEvents();
    }

    const UINT8 end = HLP_MEM_UPLOAD_END;
    if (!sendRecord(protocol, &end, 1, true))
        return failUpload();
    wire->Sleep(UPLOAD_END_PAUSE_MS);
    return true;
}
