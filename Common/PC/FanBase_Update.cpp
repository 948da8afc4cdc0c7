// The updater's requests of CFanBase: image upload, partition table, bootloader swap, serial number.

#include "FanBase.h"
#include "UpdateRecords.h"

#include <QCoreApplication>
#include <QDebug>
#include <QProgressBar>

namespace
{
constexpr UINT16 UPLOAD_MODE_WAIT_MS = 15000;
// The table arrives in two replies of ten entries each, without a code byte.
constexpr int PARTITIONS_PER_REPLY = 10;
constexpr int PARTITION_REPLY_SIZE = PARTITIONS_PER_REPLY * CPartitionTable::SPartition::SIZE;
static_assert(PARTITION_REPLY_SIZE == 120, "partition-table reply");
static_assert(2 * PARTITIONS_PER_REPLY == CPartitionTable::PARTITION_COUNT, "two replies make the table");

std::function<std::unique_ptr<CFlashImageCatalogue>()>& catalogueFactory()
{
    static std::function<std::unique_ptr<CFlashImageCatalogue>()> factory;
    return factory;
}
} // namespace

void CFanBase::setImageCatalogueFactory(std::function<std::unique_ptr<CFlashImageCatalogue>()> factory)
{
    catalogueFactory() = std::move(factory);
}

void CFanBase::waitShowingProgress(CLLProtocolWire& wire, UINT32 milliseconds, QProgressBar* bar)
{
    // Slices keep the window of the calling thread alive through pauses of many seconds.
    for (UINT32 waited = 0; waited < milliseconds;)
    {
        const UINT16 slice = UINT16(std::min<UINT32>(WAIT_SLICE_MS, milliseconds - waited));
        wire.Sleep(slice);
        waited += slice;
        if (bar)
            bar->setValue(int(quint64(waited) * 100 / milliseconds));
        QCoreApplication::processEvents();
    }
}

bool CFanBase::uploadImage(int system, CPartitionTable::EPartType type, QProgressBar* bar, bool wait)
{
    // The bridge firmware goes into the Wi-Fi module's partition, with its long-length header.
    const CPartitionTable::EPartType sentType =
        type == CPartitionTable::PT_WIFI_BRIDGE ? CPartitionTable::PT_WIFI_MODULE : type;
    if (!linkWire())
        return false;
    // Checked before the unit enters update mode: a unit is never left there for want of an image.
    CFlashImageCatalogue::SImage image;
    {
        const auto& factory = catalogueFactory();
        const std::unique_ptr<CFlashImageCatalogue> catalogue = factory ? factory() : nullptr;
        if (!catalogue || !catalogue->findSendableImage(type, system, image))
        {
            qDebug() << "CFanBase::uploadImage: no sendable image of type" << int(type);
            emit signalUserInfo(
                tr("The firmware image for the %1 is missing or damaged.\nNothing was sent to "
                   "the %1.")
                    .arg(getDeviceTypeText()));
            return false;
        }
    }
    if (!sendRequest(HLP_UPLOAD_MODE_BEGIN))
        return false;
    if (wait)
        waitShowingProgress(*linkWire(), UPLOAD_MODE_WAIT_MS, bar);

    for (const CFlashImageCatalogue::SMemBlock& block : image.MemBlocks)
    {
        qDebug() << "Upload Partion, Adr: " << block.MemAdr;
        if (!uploadPartition(block.MemAdr, UINT32(block.Data.size()), block.PlainLen, sentType, image.MainVer,
                             image.SubVer, image.StartAdr, block.CRC16, image.Encrypted,
                             reinterpret_cast<const UINT8*>(block.Data.constData()), bar, wait))
        {
            emit signalUserInfo(tr("The update process failed. Please switch off your %1.\nThen switch in on "
                                   "again and retry the update.")
                                    .arg(getDeviceTypeText()));
            return false;
        }
    }
    return sendRequest(HLP_UPLOAD_MODE_END);
}

bool CFanBase::getPartitionTable(CPartitionTable::SPartition (&table)[CPartitionTable::PARTITION_COUNT])
{
    CLLProtocolWire* wire = linkWire();
    if (!wire)
        return false;
    if (!sendRequest(HLP_REPORT_PARTITION_TABLE))
        return false;
    CLLProtocol protocol(*wire, m_pDebugOutput.get());
    for (int first = 0; first < CPartitionTable::PARTITION_COUNT; first += PARTITIONS_PER_REPLY)
    {
        CLLProtocolPacket reply;
        if (protocol.Receive(reply) != CLLProtocol::RC_SUCCESS)
        {
            emit signalUserInfo(tr("%1 did not (correctly) respond - ").arg(getDeviceTypeText()));
            return false;
        }
        if (reply.GetCommand() != LL_CMD_HLP || reply.GetLength() != PARTITION_REPLY_SIZE)
        {
            emit signalUserInfo(tr("%1 did respond with the wrong packet - ").arg(getDeviceTypeText()));
            return false;
        }
        for (int i = 0; i < PARTITIONS_PER_REPLY; ++i)
        {
            table[first + i] =
                CPartitionTable::SPartition::decode(reply.GetData() + i * CPartitionTable::SPartition::SIZE);
            qDebug() << "m_Start: " << table[first + i].m_Start;
        }
    }
    return true;
}

bool CFanBase::checkPartition(int type, bool mirror)
{
    CPartitionTable::SPartition table[CPartitionTable::PARTITION_COUNT];
    if (!getPartitionTable(table))
        return false;
    // The "bad" bit of the copy asked about: a set OK bit must not fail the check.
    const UINT8 bad = mirror ? CPartitionTable::CRC16_MIRKO : CPartitionTable::CRC16KO;
    bool found = false;
    for (const CPartitionTable::SPartition& partition : table)
    {
        if (partition.m_Type != type)
            continue;
        if (partition.m_CheckFlags & bad)
            return false;
        found = true;
    }
    return found;
}

bool CFanBase::swapBootloaders()
{
    CLLProtocolWire* wire = linkWire();
    if (!wire)
        return false;
    if (!sendRequest(HLP_SWAP_BOOTLOADERS))
        return false;
    CLLProtocol protocol(*wire, m_pDebugOutput.get());
    CLLProtocolPacket reply;
    if (protocol.Receive(reply) != CLLProtocol::RC_SUCCESS)
    {
        emit signalUserInfo(tr("%1 did not (correctly) respond - ").arg(getDeviceTypeText()));
        return false;
    }
    if (reply.GetPacketId() != HLPReplyId(HLP_SWAP_BOOTLOADERS_REPLY))
    {
        emit signalUserInfo(tr("%1 did respond with the wrong packet - ").arg(getDeviceTypeText()));
        return false;
    }
    // Only the received bytes count: a short reply shows zeros, not what an earlier packet left.
    const SHLP_SwapReply answer = SHLP_SwapReply::decode(reply.GetData(), reply.GetLength());
    qDebug() << "Swap return code: " << int(answer.m_ReturnCode);
    qDebug() << "Flah security bits: " << answer.m_SecurityBits;
    return true;
}

bool CFanBase::setSerialNumber(UINT32 serialNumber)
{
    CLLProtocolWire* wire = linkWire();
    if (!wire || serialNumber == 0)
        return false;
    SHLP_SetSerialNumber record;
    record.m_SerialNr = serialNumber;
    CLLProtocol protocol(*wire, m_pDebugOutput.get());
    return sendRecord(protocol, record.encode().data(), SHLP_SetSerialNumber::SIZE);
}
