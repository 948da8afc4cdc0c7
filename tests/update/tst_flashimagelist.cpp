#include "TestFiles.h"
#include "flashimagelist.h"

#include <QResource>
#include <QTemporaryDir>
#include <QtTest>

// The compiled-in catalogue, the INI reader's checks and the image lookup.
class TestFlashImageList : public QObject
{
    Q_OBJECT

private slots:
    void shippedCatalogue();
    void findImage_data();
    void findImage();
    void loadChecks_data();
    void loadChecks();
    void firstLoadedWinsAndBrokenImagesAreDropped();

private:
    // Writes an image file: a valid two-block image with the edits applied. An edit
    // "Section/Key=value" sets a value, "-Section/Key" drops it.
    QString writeImage(const QStringList& edits);

    QTemporaryDir m_Dir;
    int m_nFiles = 0;
};

void TestFlashImageList::shippedCatalogue()
{
    const CFlashImageList list;
    struct
    {
        int type, system, main, sub;
        UINT32 startAdr;
        int blocks;
    } const expected[] = {{1, 3, 2, 12, 1120, 3},  {2, 3, 2, 12, 1120, 2}, {3, 1, 2, 12, 39081, 2},
                          {3, 2, 2, 12, 39781, 3}, {4, 1, 3, 11, 0, 1},    {5, 1, 3, 11, 0, 1}};
    QCOMPARE(list.images().size(), 6);
    for (int i = 0; i < 6; ++i)
    {
        const CFlashImage& image = list.images().at(i);
        QCOMPARE(int(image.m_Type), expected[i].type);
        QCOMPARE(image.m_System, expected[i].system);
        QCOMPARE(int(image.m_MainVer), expected[i].main);
        QCOMPARE(int(image.m_SubVer), expected[i].sub);
        QCOMPARE(image.m_StartAdr, expected[i].startAdr);
        QCOMPARE(image.m_Encryption, 1);
        QCOMPARE(image.m_Blocks.size(), expected[i].blocks);
        for (const SMemBlock& block : image.m_Blocks)
            QCOMPARE(UINT32(block.Data.size()), (block.PlainLen + 7) / 8 * 8); // enciphered: padded to 8
    }
    // The first application block: 995 plain bytes in 1000, marked as a placeholder.
    const SMemBlock& block = list.images().at(2).m_Blocks.first();
    QCOMPARE(block.MemAdr, UINT32(0x98A9));
    QCOMPARE(block.PlainLen, UINT32(995));
    QVERIFY(block.Data.startsWith("tolVane placeholder image"));
    QCOMPARE(QResource(QStringLiteral(":/Images/cc3200.ini")).compressionAlgorithm(),
             QResource::ZlibCompression);
}

void TestFlashImageList::findImage_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("system");
    QTest::addColumn<QString>("expected"); // first block's text, empty for none

    QTest::newRow("application 100") << 3 << 1 << "type 3, block 1";
    QTest::newRow("application plus") << 3 << 2 << "type 3, block 1";
    QTest::newRow("bootloader 1 plus") << 1 << 2 << "type 1, block 1";
    QTest::newRow("bootloader 2 100") << 2 << 1 << "type 2, block 1";
    QTest::newRow("wifi module 100") << 4 << 1 << "type 4, block 1";
    QTest::newRow("wifi module plus") << 4 << 2 << "";
    QTest::newRow("wifi bridge plus") << 5 << 2 << "";
}

void TestFlashImageList::findImage()
{
    QFETCH(int, type);
    QFETCH(int, system);
    QFETCH(QString, expected);

    const CFlashImageList list;
    const CFlashImage* pImage =
        list.findImage(CPartitionTable::EPartType(type), CFlashImage::ESystem(system));
    if (expected.isEmpty())
    {
        QVERIFY(!pImage);
        return;
    }
    QVERIFY(pImage);
    QCOMPARE(int(pImage->m_Type), type);
    QVERIFY(pImage->m_System & system);
    QVERIFY(pImage->m_Blocks.first().Data.contains(expected.toLatin1()));
    if (type == 3)
        QCOMPARE(pImage->m_StartAdr, system == 1 ? UINT32(39081) : UINT32(39781));
}

QString TestFlashImageList::writeImage(const QStringList& edits)
{
    QList<QPair<QString, QString>> entries = {{"General/Type", "3"},
                                              {"General/MainVer", "2"},
                                              {"General/SubVer", "12"},
                                              {"General/StartAdr", "39081"},
                                              {"General/Encryption", "1"},
                                              {"MemBlocks/size", "2"},
                                              {"MemBlocks/1\\MemAdr", "4096"},
                                              {"MemBlocks/1\\PlainLen", "5"},
                                              {"MemBlocks/1\\Data", "@ByteArray(abcde\\0\\0\\0)"},
                                              {"MemBlocks/1\\CRC16", "4660"},
                                              {"MemBlocks/2\\MemAdr", "8192"},
                                              {"MemBlocks/2\\PlainLen", "8"},
                                              {"MemBlocks/2\\Data", "@ByteArray(12345678)"},
                                              {"MemBlocks/2\\CRC16", "65535"}};
    for (const QString& edit : edits)
    {
        const bool bDrop = edit.startsWith('-');
        const QString key = bDrop ? edit.mid(1) : edit.section('=', 0, 0);
        auto it = std::find_if(entries.begin(), entries.end(), [&](const auto& e) { return e.first == key; });
        if (bDrop)
            entries.erase(it);
        else if (it != entries.end())
            it->second = edit.section('=', 1);
        else
            entries.append({key, edit.section('=', 1)});
    }
    QString text;
    QString section;
    for (const auto& entry : entries)
    {
        const QString entrySection = entry.first.section('/', 0, 0);
        if (entrySection != section)
            text += QStringLiteral("\n[%1]\n").arg(section = entrySection);
        text += entry.first.section('/', 1) + '=' + entry.second + '\n';
    }
    // A new name per image: QSettings caches what it read per file.
    const QString path = m_Dir.filePath(QStringLiteral("image%1.ini").arg(++m_nFiles));
    return TestFiles::writeFile(path, text.toLatin1()) ? path : QString();
}

void TestFlashImageList::loadChecks_data()
{
    QTest::addColumn<QStringList>("edits");
    QTest::addColumn<int>("result");
    QTest::addColumn<int>("blocks");

    QTest::newRow("valid") << QStringList() << 0 << 2;
    QTest::newRow("empty block array") << QStringList{"MemBlocks/size=0"} << 0 << 0;
    QTest::newRow("no MemBlocks section") << QStringList{"-MemBlocks/size"} << 0 << 0;
    QTest::newRow("Type missing") << QStringList{"-General/Type"} << -1 << 0;
    QTest::newRow("Type 0") << QStringList{"General/Type=0"} << -2 << 0;
    QTest::newRow("Type 6") << QStringList{"General/Type=6"} << -3 << 0;
    QTest::newRow("MainVer missing") << QStringList{"-General/MainVer"} << -4 << 0;
    QTest::newRow("MainVer 256") << QStringList{"General/MainVer=256"} << -5 << 0;
    QTest::newRow("MainVer no number") << QStringList{"General/MainVer=two"} << -5 << 0;
    QTest::newRow("SubVer missing") << QStringList{"-General/SubVer"} << -6 << 0;
    QTest::newRow("SubVer -1") << QStringList{"General/SubVer=-1"} << -7 << 0;
    QTest::newRow("StartAdr missing") << QStringList{"-General/StartAdr"} << -8 << 0;
    QTest::newRow("Encryption missing") << QStringList{"-General/Encryption"} << -9 << 0;
    QTest::newRow("Encryption 2") << QStringList{"General/Encryption=2"} << -10 << 0;
    QTest::newRow("negative block count") << QStringList{"MemBlocks/size=-1"} << -11 << 0;
    QTest::newRow("MemAdr missing") << QStringList{"-MemBlocks/1\\MemAdr"} << -12 << 0;
    QTest::newRow("PlainLen missing") << QStringList{"-MemBlocks/1\\PlainLen"} << -13 << 0;
    QTest::newRow("Data missing") << QStringList{"-MemBlocks/1\\Data"} << -14 << 0;
    QTest::newRow("CRC16 missing") << QStringList{"-MemBlocks/1\\CRC16"} << -15 << 0;
    QTest::newRow("CRC16 70000") << QStringList{"MemBlocks/1\\CRC16=70000"} << -16 << 0;
    QTest::newRow("second block broken") << QStringList{"-MemBlocks/2\\CRC16"} << -15 << 1;
}

void TestFlashImageList::loadChecks()
{
    QFETCH(QStringList, edits);
    QFETCH(int, result);
    QFETCH(int, blocks);

    const QString path = writeImage(edits);
    QVERIFY(!path.isEmpty());
    CFlashImage image;
    QCOMPARE(image.load(path, 2), result);
    QCOMPARE(image.m_System, 2);
    QCOMPARE(image.m_Blocks.size(), blocks);
    if (result == 0 && blocks == 2)
    {
        QCOMPARE(int(image.m_Type), 3);
        QCOMPARE(int(image.m_MainVer), 2);
        QCOMPARE(int(image.m_SubVer), 12);
        QCOMPARE(image.m_StartAdr, UINT32(39081));
        QCOMPARE(image.m_Encryption, 1);
        const SMemBlock& first = image.m_Blocks.at(0);
        QCOMPARE(first.MemAdr, UINT32(4096));
        QCOMPARE(first.PlainLen, UINT32(5));
        QCOMPARE(first.Data, QByteArray("abcde\0\0\0", 8));
        QCOMPARE(first.CRC16, UINT16(4660));
        QCOMPARE(image.m_Blocks.at(1).CRC16, UINT16(65535));
    }
}

void TestFlashImageList::firstLoadedWinsAndBrokenImagesAreDropped()
{
    const QString older = writeImage({"General/SubVer=11"});
    const QString broken = writeImage({"General/Type=9"});
    const QString newer = writeImage({"General/SubVer=13"});
    const CFlashImageList list({{older, 3}, {broken, 3}, {m_Dir.filePath("missing.ini"), 3}, {newer, 3}});

    QCOMPARE(list.images().size(), 2);
    const CFlashImage* pImage =
        list.findImage(CPartitionTable::PT_APPLICATION, CFlashImage::SYS_TOLVANE_PLUS);
    QVERIFY(pImage);
    QCOMPARE(int(pImage->m_SubVer), 11);
    QVERIFY(!list.findImage(CPartitionTable::PT_BOOTLOADER_1, CFlashImage::SYS_TOLVANE100));
}

QTEST_GUILESS_MAIN(TestFlashImageList)
#include "tst_flashimagelist.moc"
