#pragma once

#include <QByteArray>
#include <QList>
#include <QVector>
#include <array>

// What the simulated unit knows and remembers. Plain values: set them before or while the
// unit serves (through CSimUnit::updateModel); records the unit sends are raw bytes so that
// tests state exactly what goes on the wire.
namespace unitsim
{
enum class EUnitType
{
    TolVane100 = 0,
    TolVanePlus = 1
};

// Sizes of the records the unit sends.
constexpr int IDENT_RECORD_SIZE = 39;
constexpr int STATE_RECORD_100 = 26;
constexpr int STATE_RECORD_PLUS = 28;
constexpr int SEC_LOG_ENTRY_SIZE = 32;
constexpr int VENT_RECORD_SIZE = 36;
constexpr int VENT_COUNT = 4;
constexpr int CREDENTIALS_SIZE = 200;
constexpr int SIMULATION_100_SIZE = 22;
constexpr int SIMULATION_PLUS_SIZE = 30;
constexpr int SPAN_COUNT = 3; // quarter hour, day, month
constexpr int PARTITION_ENTRY_SIZE = 12;
constexpr int PARTITION_COUNT = 20;

// The identification record's fields.
struct SSimIdent
{
    quint32 serialNumber = 0;
    quint8 byte5 = 0;
    quint8 hwVersion = 0;
    quint8 runningPart = 3; // 3: the application runs; request 17 makes it 3
    quint8 flags = 0;
    quint8 bootMain = 0, bootSub = 0;
    quint8 appMain = 0, appSub = 0;
    quint8 thirdMain = 0; // 5 bits
    quint8 thirdSub = 0;  // 7 bits
    std::array<quint8, 24> extra{};
};

// One 12-byte partition-table entry: start, size, type, version, check flags, two zero bytes.
QByteArray partitionEntry(quint32 start, quint16 size, quint8 type, quint8 main, quint8 sub, quint8 flags);

// The 39-byte identification record (code 2 first) of a unit of the given type.
QByteArray encodeIdent(const SSimIdent& ident, EUnitType type);

// One second log: a ring of `size` entries, `used` of them valid, the oldest at `oldest`.
struct SSecLogRing
{
    QVector<QByteArray> entries; // by ring position; size() is the ring size; 32 bytes each
    quint16 used = 0;
    quint16 oldest = 0;

    quint16 size() const { return quint16(entries.size()); }
    void resize(int size);
    // Stores an entry after the newest one; a full ring drops its oldest entry.
    void push(const QByteArray& entry);
    void erase();
};

// One block written by an upload: the 16-byte header (request 7) and the bytes of its data
// records placed at their offsets (each record's address minus the block's); `ended` once
// request 9 came.
struct SSimUploadedBlock
{
    QByteArray header;
    QByteArray data;
    QList<int> chunkLengths; // bytes 2-3 of each data record
    bool ended = false;
    quint8 runningPart = 0; // what the unit ran when the header came

    quint32 address() const;
};

struct SSimUnitModel
{
    EUnitType type = EUnitType::TolVane100;
    SSimIdent ident;
    QByteArray state;          // 26 (tolVane100) or 28 (plus) bytes, sent after code and one zero byte
    QVector<quint32> counters; // persistent counters, by id
    quint16 timerDay = 0;
    quint8 timerHour = 0, timerMinute = 0, timerSecond = 0;
    quint16 timerMillisecond = 0;
    std::array<SSecLogRing, SPAN_COUNT> secLogs;
    std::array<quint8, SPAN_COUNT> secLogCheck{}; // reply of the log check per span; 0 = in order
    QList<QByteArray> primLog;                    // state records, 26 or 28 bytes each
    QByteArray vents;                             // 144 bytes: four vent records (tolVane100)
    quint8 wifiStatus = 0;                        // data byte 1 of the Wi-Fi reply (tolVane100)
    qint8 wifiRssi = 0;
    QByteArray wifiRest;              // data bytes 3-169 (167 bytes)
    bool wifiCredentialsFail = false; // the outcome the next credentials get: 4/6 instead of 3/5
    quint32 memoryBase = 0;
    QByteArray memory; // what "report memory" reads; zeros outside

    // What the unit received.
    QByteArray lastSimulationValues;
    QByteArray lastCredentials;
    int startupMode = -1;            // last mode of request 18, -1 before any
    int averageRequests = 0;         // number of requests 22
    QList<QByteArray> uploadRecords; // the records of requests 7, 8 and 9, as received

    // The updater's requests.
    QByteArray partitions;                   // 240 bytes: the 20 partition-table entries of 12 bytes
    quint8 swapReturnCode = 0;               // reply to the bootloader swap
    quint16 flashSecurityBits = 0;           // ditto
    int bootloaderSwaps = 0;                 // number of requests 6; each swaps the running bootloader
    bool uploadMode = false;                 // between requests 4 and 5
    QList<SSimUploadedBlock> uploadedBlocks; // what the upload records wrote, block by block
    QList<QByteArray> ventMoves;             // the records of requests 28 (tolVane100)

    int stateRecordSize() const
    {
        return type == EUnitType::TolVane100 ? STATE_RECORD_100 : STATE_RECORD_PLUS;
    }

    // A unit of the type with plausible values: identification, state, counters, logs.
    static SSimUnitModel make(EUnitType type, quint32 serialNumber = 0);
};
} // namespace unitsim
