#pragma once

#include "FlashImageCatalogue.h"
#include "PartitionTable.h"

#include <QList>
#include <QPair>
#include <QString>

// One memory block of a firmware image, as the release stores it: the bytes are enciphered
// (and padded) for the unit and are sent on unchanged.
using SMemBlock = CFlashImageCatalogue::SMemBlock;

// One firmware image of the catalogue, read from an INI file with a [General] and a
// [MemBlocks] section.
class CFlashImage
{
public:
    // Unit types an image is for, as bits.
    enum ESystem
    {
        SYS_TOLVANE100 = CFlashImageCatalogue::SYS_TOLVANE100,
        SYS_TOLVANE_PLUS = CFlashImageCatalogue::SYS_TOLVANE_PLUS
    };

    // 0 on success, else the negative code of the first check that failed (-1 to -16). Blocks
    // read before a failure stay in the image.
    int load(const QString& strPath, int nSystemMask);

    CPartitionTable::EPartType m_Type = CPartitionTable::PT_APPLICATION;
    int m_System = SYS_TOLVANE100 | SYS_TOLVANE_PLUS;
    UINT8 m_MainVer = 3;
    UINT8 m_SubVer = 11;
    QList<SMemBlock> m_Blocks;
    int m_Encryption = 0;
    UINT32 m_StartAdr = 0;
};

// The firmware images compiled into the updater (":/Images/"), in a fixed order. Built anew
// where needed; a missing or malformed image only drops its own entry.
class CFlashImageList : public CFlashImageCatalogue
{
public:
    CFlashImageList();
    // The images of the given files and system masks, in this order.
    explicit CFlashImageList(const QList<QPair<QString, int>>& sources);

    // The first image of the type whose system mask shares a bit with system; null when none.
    const CFlashImage* findImage(CPartitionTable::EPartType type, CFlashImage::ESystem system) const;
    const QList<CFlashImage>& images() const { return m_Images; }
    // The upload's view of findImage.
    bool findUploadImage(CPartitionTable::EPartType type, int system, SImage& image) const override;

    // The compiled-in catalogue: resource path and system mask of each image.
    static QList<QPair<QString, int>> shippedSources();
    // Replaces the compiled-in catalogue for a test; an empty list restores it.
    static void setShippedSources(const QList<QPair<QString, int>>& sources);

private:
    QList<CFlashImage> m_Images;
};
