#pragma once

#include "HLProtocol.h"
#include "LLProtocol.h"
#include "Logging.h"
#include "PartitionTable.h"

#include <QObject>
#include <QString>
#include <QVector>

class CSerialPort;
class QProgressBar;
class QTextEdit;

// The port and the one wire over it are shared by every unit object of the program; only the
// polling thread uses them. The wire exists while the port is open.
extern CSerialPort g_SerialPort;
extern CLLProtocolWire* g_pLLWire;

// The PC-side model of a connected ventilation unit: opens and closes the link, identifies the
// unit and sends the requests both unit types share. Every request returns false, without a
// message, while the port is closed or no wire exists.
class CFanBase : public QObject
{
    Q_OBJECT
public:
    explicit CFanBase(QObject* parent = nullptr);
    // Closes the program-wide port: destroying any unit object ends the link.
    ~CFanBase() override;

    virtual bool eraseSecLog(CLogging::EMaxTimeSpan span);
    virtual bool checkSecLog(CLogging::EMaxTimeSpan span, quint8& result);
    // Each pointer designates three values indexed by time span.
    virtual bool getSecLogCnt(UINT16* sizes, UINT16* used, UINT16* oldest);
    virtual const char* getModeName(int mode) const;
    virtual QString getDeviceTypeText() const = 0;
    virtual int getUnitType() const = 0;

    void setDebugOutput(QTextEdit* view) { m_pDebugOutput = view; }

    static QString getComPortName();
    static void closeComPort();
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
    static CLLProtocolWire* linkWire();

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

    QTextEdit* m_pDebugOutput = nullptr;

private:
    bool failUpload();

    QVector<quint32> m_Counters;
};
