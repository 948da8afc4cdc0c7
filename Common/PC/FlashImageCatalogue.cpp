#include "FlashImageCatalogue.h"

namespace
{
// The Wi-Fi module's header carries bits 16 to 19 of the plain length as well.
constexpr UINT32 MAX_LONG_PLAIN_LEN = 0xFFFFF;
} // namespace

bool CFlashImageCatalogue::findSendableImage(CPartitionTable::EPartType type, int system, SImage& image) const
{
    if (!findUploadImage(type, system, image) || image.MemBlocks.isEmpty())
        return false;
    // At least one block, and each block's data as long as its plain contents (padded to whole
    // 8-byte units when enciphered), with a plain length that the block header can carry. The
    // bridge firmware goes into the Wi-Fi module's partition, with its long-length header.
    const bool bLongHeader =
        type == CPartitionTable::PT_WIFI_MODULE || type == CPartitionTable::PT_WIFI_BRIDGE;
    const UINT32 maxPlainLen = bLongHeader ? MAX_LONG_PLAIN_LEN : 0xFFFF;
    for (const SMemBlock& block : image.MemBlocks)
    {
        const qint64 expected =
            image.Encrypted ? (qint64(block.PlainLen) + 7) / 8 * 8 : qint64(block.PlainLen);
        if (block.PlainLen > maxPlainLen || block.Data.size() != expected)
            return false;
    }
    return true;
}
