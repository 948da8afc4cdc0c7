#include "flashimagelist.h"

#include <QDebug>
#include <QSettings>
#include <QVariant>

// Resources of a static library are registered only when initialised by name, from the
// global namespace.
static void initImageResources()
{
    static const bool s_bDone = []
    {
        Q_INIT_RESOURCE(update_images);
        return true;
    }();
    Q_UNUSED(s_bDone)
}

namespace
{
bool isMissing(const QVariant& value)
{
    return value == QVariant();
}

// A value that is no number counts as out of range, so a typing error is not read as 0.
bool inRange(const QVariant& value, int nMin, int nMax, int& rValue)
{
    bool bOk = false;
    rValue = value.toInt(&bOk);
    return bOk && rValue >= nMin && rValue <= nMax;
}
} // namespace

int CFlashImage::load(const QString& strPath, int nSystemMask)
{
    m_System = nSystemMask;
    m_Blocks.clear();

    QSettings settings(strPath, QSettings::IniFormat);
    int nValue = 0;

    const QVariant type = settings.value(QStringLiteral("Type"));
    if (isMissing(type))
        return -1;
    if (!inRange(type, 1, INT_MAX, nValue))
        return -2;
    if (nValue > 5)
        return -3;
    m_Type = CPartitionTable::EPartType(nValue);

    const QVariant mainVer = settings.value(QStringLiteral("MainVer"));
    if (isMissing(mainVer))
        return -4;
    if (!inRange(mainVer, 0, 255, nValue))
        return -5;
    m_MainVer = UINT8(nValue);

    const QVariant subVer = settings.value(QStringLiteral("SubVer"));
    if (isMissing(subVer))
        return -6;
    if (!inRange(subVer, 0, 255, nValue))
        return -7;
    m_SubVer = UINT8(nValue);

    const QVariant startAdr = settings.value(QStringLiteral("StartAdr"));
    if (isMissing(startAdr))
        return -8;
    m_StartAdr = startAdr.toUInt();

    const QVariant encryption = settings.value(QStringLiteral("Encryption"));
    if (isMissing(encryption))
        return -9;
    if (!inRange(encryption, 0, 1, nValue))
        return -10;
    m_Encryption = nValue;

    const int nBlocks = settings.beginReadArray(QStringLiteral("MemBlocks"));
    if (nBlocks < 0)
        return -11;
    for (int i = 0; i < nBlocks; ++i)
    {
        settings.setArrayIndex(i);
        SMemBlock block;
        const QVariant memAdr = settings.value(QStringLiteral("MemAdr"));
        if (isMissing(memAdr))
            return -12;
        block.MemAdr = memAdr.toUInt();
        const QVariant plainLen = settings.value(QStringLiteral("PlainLen"));
        if (isMissing(plainLen))
            return -13;
        block.PlainLen = plainLen.toUInt();
        const QVariant data = settings.value(QStringLiteral("Data"));
        if (isMissing(data))
            return -14;
        block.Data = data.toByteArray();
        const QVariant crc = settings.value(QStringLiteral("CRC16"));
        if (isMissing(crc))
            return -15;
        if (!inRange(crc, 0, 65535, nValue))
            return -16;
        block.CRC16 = UINT16(nValue);
        m_Blocks.append(block);
    }
    settings.endArray();
    return 0;
}

namespace
{
QList<QPair<QString, int>>& sourcesInstead()
{
    static QList<QPair<QString, int>> s_Sources;
    return s_Sources;
}
} // namespace

void CFlashImageList::setShippedSources(const QList<QPair<QString, int>>& sources)
{
    sourcesInstead() = sources;
}

QList<QPair<QString, int>> CFlashImageList::shippedSources()
{
    if (!sourcesInstead().isEmpty())
        return sourcesInstead();
    const int both = CFlashImage::SYS_TOLVANE100 | CFlashImage::SYS_TOLVANE_PLUS;
    return {{QStringLiteral(":/Images/Bootloader1.ini"), both},
            {QStringLiteral(":/Images/Bootloader2.ini"), both},
            {QStringLiteral(":/Images/Application.ini"), CFlashImage::SYS_TOLVANE100},
            {QStringLiteral(":/Images/tolVaneplus.ini"), CFlashImage::SYS_TOLVANE_PLUS},
            {QStringLiteral(":/Images/cc3200.ini"), CFlashImage::SYS_TOLVANE100},
            {QStringLiteral(":/Images/cc3200_bridge.ini"), CFlashImage::SYS_TOLVANE100}};
}

CFlashImageList::CFlashImageList() : CFlashImageList(shippedSources()) {}

CFlashImageList::CFlashImageList(const QList<QPair<QString, int>>& sources)
{
    initImageResources();
    for (const auto& source : sources)
    {
        CFlashImage image; // placeholders, all overwritten by a successful load
        if (image.load(source.first, source.second) == 0)
            m_Images.append(image);
        else
            qDebug() << "CFlashImageList::CFlashImageList: Could not read from Resources: " << source.first;
    }
}

const CFlashImage* CFlashImageList::findImage(CPartitionTable::EPartType type,
                                              CFlashImage::ESystem system) const
{
    for (const CFlashImage& image : m_Images)
        if (image.m_Type == type && (image.m_System & system))
            return &image;
    return nullptr;
}

bool CFlashImageList::findUploadImage(CPartitionTable::EPartType type, int system, SImage& image) const
{
    const CFlashImage* pImage = findImage(type, CFlashImage::ESystem(system));
    if (!pImage)
        return false;
    image.MainVer = pImage->m_MainVer;
    image.SubVer = pImage->m_SubVer;
    image.StartAdr = pImage->m_StartAdr;
    image.Encrypted = pImage->m_Encryption != 0;
    image.MemBlocks = pImage->m_Blocks.toVector();
    return true;
}
