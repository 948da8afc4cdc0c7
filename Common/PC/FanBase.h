#pragma once

#include "HLProtocol.h"
#include "LLProtocol.h"
#include "Logging.h"
#include "PartitionTable.h"
#include "SerialPort.h"

#include <QObject>
#include <QString>
#include <QVector>
#include <functional>
#include <memory>

class QIODevice;
class QProgressBar;
class QTextEdit;
struct SLogReplyLayout;

#ifdef TOLVANE_UPDATER
#include "FlashImageCatalogue.h"

#include <memory>

// The updater's unit object owns its port and wire, so the dialog can replace it freely.
#define UNIT_LINK_SCOPE
#else
// The port and the one wire over it are shared by every unit object of the program; only the
// polling thread uses them. The wire exists while the port is open.
#define UNIT_LINK_SCOPE static
extern CSerialPort g_SerialPort;
extern CLLProtocolWire* g_pLLWire;
#endif

// The PC-side model of a connected ventilation unit: opens and closes the link, identifies the
// unit and sends the requests both unit types share. Every request returns false, without a
// message, while the port is closed or no wire exists.
class CFanBase : public QObject
{
    Q_OBJECT
public:
    explicit CFanBase(QObject* parent = nullptr);
    // Closes the port: in the main program destroying any unit object ends the link.
    ~CFanBase() override;

#ifdef TOLVANE_UPDATER
    // The logs as text for the service panel. The span is a CLogging::EMaxTimeSpan, or the same
    // value of CLogging_70::EMaxTimeSpan for the plus unit.
    virtual QString getPrimaryLog() = 0;
    virtual QString getSecondaryLog(CLogging::EMaxTimeSpan span, bool youngest10, bool youngest100,
                                    bool oldest10, bool oldest100, const QString& spanTitle) = 0;

    // Writes the catalogue's image of `type` for the unit system (CFlashImageCatalogue::ESystem)
    // block by block between mode requests 4 and 5; `wait` adds the pauses the Wi-Fi module needs.
    bool uploadImage(int system, CPartitionTable::EPartType type, QProgressBar* bar, bool wait);
    // Each upload builds its own catalogue through this factory (set once by the updater).
    static void setImageCatalogueFactory(std::function<std::unique_ptr<CFlashImageCatalogue>()> factory);
    // Long pauses of an upload are taken in slices of this length, with events processed between.
    static constexpr UINT16 WAIT_SLICE_MS = 200;

    bool getPartitionTable(CPartitionTable::SPartition (&table)[CPartitionTable::PARTITION_COUNT]);
    // True when the freshly read table has the type and none of its entries reports a bad CRC
    // (of the mirror when `mirror`).
    bool checkPartition(int type, bool mirror);
    bool swapBootloaders();
    // 0 is refused and nothing is sent.
    bool setSerialNumber(UINT32 serialNumber);
#endif

    virtual bool eraseSecLog(CLogging::EMaxTimeSpan span);
    virtual bool checkSecLog(CLogging::EMaxTimeSpan span, quint8& result);
    // Each pointer designates three values indexed by time span.
    virtual bool getSecLogCnt(UINT16* sizes, UINT16* used, UINT16* oldest);
    virtual const char* getModeName(int mode) const;
    virtual QString getDeviceTypeText() const = 0;
    virtual int getUnitType() const = 0;

    // The text field that shows the unit's debug messages; null shows none.
    void setDebugOutput(QTextEdit* view);
    // Makes the wire openComPort puts over a freshly opened port; null (the default) makes a
    // CLLProtocolWireWin. Tests hand in a wire whose long pauses run on a virtual clock.
    static void setWireFactory(std::function<CLLProtocolWire*(QIODevice* port)> factory);

    UNIT_LINK_SCOPE QString getComPortName();
    UNIT_LINK_SCOPE void closeComPort();
    // The open port's device failed or went away (see CSerialPort::hasFailed).
    UNIT_LINK_SCOPE bool comPortFailed();
    bool openComPort(const QString& portName);

    bool sendRequest(UINT8 code);
    bool setStartupMode(UINT8 mode);
    bool getIdentData(SHLP_IdentData& ident);

    bool getCounters();
    quint32 getCounterValue(int id) const;
    QString getCounterText(int id) const;
    bool readWriteCounterValue(CPersCounter_ReadOnly::ECntID id, UINT32* value, bool write);
    bool getTimer(UINT16* day, UINT8* hour, UINT8* minute, UINT8* second, UINT16* millisecond);
    bool reportMemory(int address, int length, QVector<unsigned char>& out);
    bool calcAveSenVal();
    // Writes a block of memory into the unit in records of 192 data bytes; bar may be null.
    bool uploadPartition(UINT32 address, UINT32 dataLength, UINT32 partitionLength,
                         CPartitionTable::EPartType type, UINT8 mainVer, UINT8 subVer,
                         UINT32 partitionAddress, UINT16 crc16, bool flag0, const UINT8* data,
                         QProgressBar* bar, bool slow);

    static constexpr int IDENT_TIMEOUT_MS = 10000;

signals:
    void signalUserInfo(QString strInfo);

public slots:
    void userInfo(QString strInfo);

protected:
    // The wire when the port is open, else null.
    UNIT_LINK_SCOPE CLLProtocolWire* linkWire();

    // Debug lines of one request whose reply is checked by id and length.
    struct SReplyTexts
    {
        const char* receiveFailed;
        const char* wrongPacket;
        const char* sizeMismatch;
    };
    // Receives and acknowledges one reply with the id of `code` and, unless length is -1, that length.
    static bool receiveReply(CLLProtocol& protocol, CLLProtocolPacket& reply, UINT8 code, int length,
                             const SReplyTexts& texts);
    // Sends a record on command 1 (flags 0 unless asked) and waits for its acknowledgement.
    static bool sendRecord(CLLProtocol& protocol, const UINT8* record, UINT16 size, bool repeat = false,
                           bool flag0 = false);
    // Sends one record on the link; `failure` is the debug line when it is not acknowledged.
    bool sendOnLink(const UINT8* record, UINT16 size, const char* failure);
    // Reads the current state into the entry behind the reply's two leading bytes.
    bool readCurrentState(quint8* entry, int replySize);

    // The log requests both unit types share, defined in LogReplies.h. `entryName` names the entry
    // type in a debug line, `context` (as "CFan::getPrimLog") starts the others.
    template <typename Entry>
    bool requestPrimLog(QVector<Entry>& entries, int replySize, const char* entryName, const char* context);
    // At most `count` entries of the ring of `span`, starting at ring index `first`.
    template <typename Entry>
    bool requestSecLog(QVector<Entry>& entries, int span, UINT16 count, UINT16 first, const char* entryName,
                       const char* context);

    std::unique_ptr<CDebugMessageView> m_pDebugOutput;

private:
    // The wire of a log request, its entries cleared; null while no wire exists.
    template <typename Entry> CLLProtocolWire* startLog(QVector<Entry>& entries, const char* entryName);
    // Takes the entries of the run of replies with the id of `code`; `logName` as "primary log".
    template <typename Entry>
    bool takeLog(QVector<Entry>& entries, CLLProtocol& protocol, UINT8 code, int replySize,
                 const SLogReplyLayout& layout, int wanted, const QByteArray& context, const char* logName);

    bool failUpload();
#ifdef TOLVANE_UPDATER
    // A pause of the upload that keeps the window alive and shows its course on the bar (if any).
    void waitShowingProgress(CLLProtocolWire& wire, UINT32 milliseconds, QProgressBar* bar);
#endif
    UNIT_LINK_SCOPE CSerialPort& serialPort();
    UNIT_LINK_SCOPE CLLProtocolWire*& wireSlot();

#ifdef TOLVANE_UPDATER
    CSerialPort m_SerialPort;
    CLLProtocolWire* m_pLLWire = nullptr;
#endif
    QVector<quint32> m_Counters;
};
