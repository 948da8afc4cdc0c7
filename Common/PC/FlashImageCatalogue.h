#pragma once

#include "LLProtocolPacket.h"
#include "PartitionTable.h"

#include <QByteArray>
#include <QVector>

// What the image upload needs of the updater's firmware image catalogue. The updater implements
// it over its compiled-in images; the unit classes only look images up and send their blocks.
class CFlashImageCatalogue
{
public:
    // Unit systems an image is for, as bits.
    enum ESystem
    {
        SYS_TOLVANE100 = 1,
        SYS_TOLVANE_PLUS = 2
    };

    // One memory block, its bytes as stored (enciphered when the image is): sent unchanged.
    struct SMemBlock
    {
        UINT32 MemAdr = 0;
        UINT32 PlainLen = 0;
        QByteArray Data;
        UINT16 CRC16 = 0;
    };

    // What an upload hands to the unit with every block, and the blocks in upload order.
    struct SImage
    {
        UINT8 MainVer = 0;
        UINT8 SubVer = 0;
        UINT32 StartAdr = 0;
        bool Encrypted = false;
        QVector<SMemBlock> MemBlocks;
    };

    virtual ~CFlashImageCatalogue() = default;
    // The first image of `type` whose system mask shares a bit with `system`; false when none.
    virtual bool findUploadImage(CPartitionTable::EPartType type, int system, SImage& image) const = 0;
    // The image as findUploadImage gives it, and only when the unit can be given it as it is: the
    // one test of an image before anything of it is sent.
    bool findSendableImage(CPartitionTable::EPartType type, int system, SImage& image) const;
};
