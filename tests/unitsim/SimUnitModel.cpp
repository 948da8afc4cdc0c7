#include "SimUnitModel.h"

namespace unitsim
{
namespace
{
// An 11-bit temperature in 1/8 degree into a low byte and the low three bits of the next.
void putTemp(QByteArray& rec, int offset, double degrees)
{
    const int raw = int(degrees * 8) & 0x7FF;
    rec[offset] = char(raw & 0xFF);
    rec[offset + 1] = char((quint8(rec[offset + 1]) & 0xF8) | (raw >> 8));
}

void orByte(QByteArray& rec, int offset, int bits)
{
    rec[offset] = char(quint8(rec[offset]) | bits);
}

QByteArray state100()
{
    QByteArray r(STATE_RECORD_100, '\0');
    putTemp(r, 0, 20.5);                  // supply
    putTemp(r, 2, 8.0);                   // outdoor
    orByte(r, 3, 18 << 3);                // pressure P1: 700 + 16 * 18 + P0
    putTemp(r, 4, 11.25);                 // exhaust
    orByte(r, 5, 10 << 3);                // extract vent position
    putTemp(r, 6, 22.0);                  // extract
    putTemp(r, 8, 19.5);                  // virtual supply
    orByte(r, 9, 5 << 3);                 // pressure P0: 993 hPa
    r[10] = char(65);                     // outdoor humidity
    r[11] = char(45);                     // extract humidity
    r[12] = char(37);                     // CO2 592 ppm
    r[13] = char(5 | (1 << 5));           // bath vent 5, comfort level 2
    r[14] = char(12);                     // supply vent 12, mode 0
    r[15] = char(1 | (20 << 3));          // program 1, air flow = set point
    r[16] = char(1200 & 0xFF);            // extract fan 1200 rpm
    r[17] = char((1200 >> 8) | (6 << 4)); // set point 60 m3/h
    r[18] = char(1180 & 0xFF);            // supply fan 1180 rpm
    r[19] = char(1180 >> 8);
    r[20] = char(0x12); // DIP: room code 1, second room code 2
    return r;
}

QByteArray statePlus()
{
    QByteArray r(STATE_RECORD_PLUS, '\0');
    putTemp(r, 0, 19.0);    // supply
    putTemp(r, 6, 21.5);    // extract
    const int airFlow = 40; // signed, bit 0 in byte 8 bit 7, bits 1-7 in byte 9
    r[8] = char((airFlow & 1) << 7);
    r[9] = char((airFlow >> 1) & 0x7F);
    r[10] = char(60);                    // outdoor humidity
    r[11] = char(48);                    // extract humidity
    r[14] = char(2);                     // comfort level 3, mode 0
    r[16] = char(900 & 0xFF);            // fan 900 rpm
    r[17] = char((900 >> 8) | (1 << 4)); // program 1
    r[18] = char(30);                    // air quality values, each + 100
    r[19] = char(25);
    r[20] = char(32);
    r[21] = char(27);
    r[22] = char(0x08); // DIP: room code 1
    return r;
}

QByteArray secLogEntry(EUnitType type, int i)
{
    QByteArray e(SEC_LOG_ENTRY_SIZE, '\0');
    if (type == EUnitType::TolVane100)
    {
        const char head[] = {char(20 + i % 3), char(8 - i % 5), char(60), char(12),
                             char(22),         char(45),        char(37), 0};
        e.replace(0, 8, QByteArray(head, 8));
    }
    else
    {
        const char head[] = {char(19 + i % 3), char(21), char(58), char(47), char(30), char(32)};
        e.replace(0, 6, QByteArray(head, 6));
    }
    return e;
}
} // namespace

QByteArray encodeIdent(const SSimIdent& id, EUnitType type)
{
    QByteArray r(IDENT_RECORD_SIZE, '\0');
    r[0] = char(2);
    for (int i = 0; i < 4; ++i)
        r[1 + i] = char((id.serialNumber >> (8 * i)) & 0xFF);
    r[5] = char(id.byte5);
    r[6] = char(id.hwVersion);
    r[7] = char(id.runningPart);
    r[8] = char(id.flags);
    r[9] = char(id.bootMain);
    r[10] = char(id.bootSub);
    r[11] = char(id.appMain);
    r[12] = char(id.appSub);
    r[13] = char((type == EUnitType::TolVanePlus ? 1 : 0) | ((id.thirdMain & 0x1F) << 1) |
                 ((id.thirdSub & 0x03) << 6));
    r[14] = char((id.thirdSub >> 2) & 0x1F);
    for (int i = 0; i < 24; ++i)
        r[15 + i] = char(id.extra[i]);
    return r;
}

quint32 SSimUploadedBlock::address() const
{
    quint32 a = 0;
    for (int i = 0; i < 4 && 1 + i < header.size(); ++i)
        a |= quint32(quint8(header[1 + i])) << (8 * i);
    return a;
}

QByteArray partitionEntry(quint32 start, quint16 size, quint8 type, quint8 main, quint8 sub, quint8 flags)
{
    QByteArray e(PARTITION_ENTRY_SIZE, '\0');
    for (int i = 0; i < 4; ++i)
        e[i] = char((start >> (8 * i)) & 0xFF);
    e[4] = char(size & 0xFF);
    e[5] = char(size >> 8);
    e[6] = char(type);
    e[7] = char(main);
    e[8] = char(sub);
    e[9] = char(flags);
    return e;
}

void SSecLogRing::resize(int size)
{
    entries.fill(QByteArray(SEC_LOG_ENTRY_SIZE, '\0'), size);
    used = 0;
    oldest = 0;
}

void SSecLogRing::push(const QByteArray& entry)
{
    if (entries.isEmpty())
        return;
    entries[(oldest + used) % size()] = entry.leftJustified(SEC_LOG_ENTRY_SIZE, '\0', true);
    if (used < size())
        ++used;
    else
        oldest = quint16((oldest + 1) % size());
}

void SSecLogRing::erase()
{
    resize(size());
}

SSimUnitModel SSimUnitModel::make(EUnitType type, quint32 serialNumber)
{
    SSimUnitModel m;
    m.type = type;
    const bool plus = type == EUnitType::TolVanePlus;
    m.ident.serialNumber = serialNumber ? serialNumber : (plus ? 700123 : 100456);
    m.ident.hwVersion = plus ? 2 : 3;
    m.ident.bootMain = 1;
    m.ident.bootSub = plus ? 1 : 2;
    m.ident.appMain = plus ? 1 : 2;
    m.ident.appSub = plus ? 10 : 5;
    m.ident.thirdMain = 1;
    m.ident.thirdSub = plus ? 3 : 0;
    m.state = plus ? statePlus() : state100();
    m.counters.resize(74);
    for (int id = 0; id < m.counters.size(); ++id)
        m.counters[id] = quint32(id);
    m.counters[1] = 1234; // operating hours
    m.counters[2] = 321;  // filter hours
    m.timerDay = 12;
    m.timerHour = 3;
    m.timerMinute = 4;
    m.timerSecond = 5;
    m.timerMillisecond = 678;
    const int ringSizes[SPAN_COUNT] = {96, 60, 24};
    const int filled[SPAN_COUNT] = {12, 5, 2};
    for (int span = 0; span < SPAN_COUNT; ++span)
    {
        m.secLogs[span].resize(ringSizes[span]);
        for (int i = 0; i < filled[span]; ++i)
            m.secLogs[span].push(secLogEntry(type, i));
    }
    for (int i = 0; i < 3; ++i)
        m.primLog.append(m.state);
    // Both bootloaders, the application and (tolVane100) the Wi-Fi module, their CRCs good.
    m.partitions = partitionEntry(0x0000, 0x4000, 1, 1, m.ident.bootSub, 0x05) +
                   partitionEntry(0x4000, 0x4000, 2, 1, m.ident.bootSub, 0x05) +
                   partitionEntry(0x8000, 0xC000, 3, m.ident.appMain, m.ident.appSub, 0x05);
    if (!plus)
        m.partitions += partitionEntry(0x20000, 0xFFFF, 4, 1, 0, 0x05);
    m.partitions = m.partitions.leftJustified(PARTITION_COUNT * PARTITION_ENTRY_SIZE, '\0');
    m.vents = QByteArray(VENT_RECORD_SIZE * VENT_COUNT, '\0');
    m.wifiRssi = -55;
    m.wifiRest = QByteArray(167, '\0');
    return m;
}
} // namespace unitsim
