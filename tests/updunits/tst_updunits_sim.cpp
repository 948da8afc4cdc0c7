#include "Fan.h"
#include "FastWire.h"
#include "SimUnit.h"

#include <QProgressBar>
#include <QSignalSpy>
#include <QtTest>

using namespace unitsim;

namespace
{
CFlashImageCatalogue::SImage g_Image;

class CImageCatalogue : public CFlashImageCatalogue
{
public:
    bool findUploadImage(CPartitionTable::EPartType, int, SImage& image) const override
    {
        image = g_Image;
        return true;
    }
};

QByteArray pattern(int length, int seed)
{
    QByteArray b;
    for (int i = 0; i < length; ++i)
        b.append(char((i * 31 + seed) & 0xFF));
    return b;
}

CFlashImageCatalogue::SMemBlock block(quint32 address, const QByteArray& data, quint32 plainLength)
{
    CFlashImageCatalogue::SMemBlock b;
    b.MemAdr = address;
    b.Data = data;
    b.PlainLen = plainLength;
    b.CRC16 = quint16(address);
    return b;
}
} // namespace

// The updater's requests against the simulated unit over a pseudo-terminal. Polls run in real
// time; the long pauses of the upload only advance the wire's virtual clock.
class TestUpdaterWithSimulatedUnit : public QObject
{
    Q_OBJECT

    CSimUnit* m_pUnit = nullptr;
    CFan* m_pFan = nullptr;
    CFastWire* m_pWire = nullptr;

private slots:
    void initTestCase()
    {
        CFanBase::setWireFactory(
            [this](QIODevice* port)
            {
                m_pWire = new CFastWire(port);
                return m_pWire;
            });
        CFanBase::setImageCatalogueFactory(
            [] { return std::unique_ptr<CFlashImageCatalogue>(new CImageCatalogue); });
    }
    void init()
    {
        m_pUnit = new CSimUnit(SSimUnitModel::make(EUnitType::TolVane100, 100456));
        QVERIFY(m_pUnit->start());
        m_pFan = new CFan(false);
        QVERIFY(m_pFan->openComPort(m_pUnit->portName()));
    }
    void cleanup()
    {
        delete m_pFan;
        delete m_pUnit;
    }

    // Three blocks: one whose last chunk is short (its record padded to 200 bytes), one of exactly
    // one chunk, one of a single enciphered unit of 8 bytes. The unit ends up with every block byte
    // for byte.
    void uploadImage()
    {
        g_Image.MainVer = 2;
        g_Image.SubVer = 12;
        g_Image.StartAdr = 39081;
        g_Image.Encrypted = true;
        g_Image.MemBlocks = {block(0x00008000, pattern(400, 1), 395), block(0x00010000, pattern(192, 2), 192),
                             block(0x00018000, pattern(8, 3), 1)};
        QProgressBar bar;
        QSignalSpy progress(&bar, &QProgressBar::valueChanged);
        QVERIFY(m_pFan->uploadImage(CFlashImageCatalogue::SYS_TOLVANE100, CPartitionTable::PT_APPLICATION,
                                    &bar, false));

        const SSimUnitModel model = m_pUnit->model();
        QVERIFY(!model.uploadMode);
        QCOMPARE(model.uploadedBlocks.size(), 3);
        const QList<QList<int>> chunks = {{192, 192, 16}, {192}, {8}};
        for (int i = 0; i < 3; ++i)
        {
            const SSimUploadedBlock& written = model.uploadedBlocks[i];
            QVERIFY(written.ended);
            QCOMPARE(written.address(), g_Image.MemBlocks[i].MemAdr);
            QCOMPARE(written.data, g_Image.MemBlocks[i].Data);
            QCOMPARE(written.chunkLengths, chunks[i]);
            QCOMPARE(written.header.mid(7, 3), QByteArray("\x03\x02\x0C", 3)); // type, version 2.12
        }
        // The short last chunk of the first block: 16 data bytes, then zeros to 200.
        const QByteArray last = model.uploadRecords.at(3);
        QCOMPARE(last.size(), 200);
        QCOMPARE(int(quint8(last[1])), 5); // 400 sent, 395 plain
        QCOMPARE(last.mid(8 + 16), QByteArray(192 - 16, '\0'));

        QCOMPARE(m_pWire->pauses, QVector<int>({750, 750, 750}));
        QList<int> values;
        for (const auto& args : progress)
            values << args.at(0).toInt();
        QCOMPARE(values, QList<int>({0, 48, 96, 100, 0, 100, 0, 100}));
    }

    void partitionTable()
    {
        CPartitionTable::SPartition table[CPartitionTable::PARTITION_COUNT];
        QVERIFY(m_pFan->getPartitionTable(table));
        QCOMPARE(int(table[2].m_Type), 3);
        QCOMPARE(table[2].m_Start, 0x8000u);
        QCOMPARE(int(table[2].m_MainVer), 2);
        QCOMPARE(int(table[2].m_SubVer), 5);
        QCOMPARE(table[3].m_Start, 0x20000u);
        QCOMPARE(int(table[19].m_Type), 0);
        QVERIFY(m_pFan->checkPartition(CPartitionTable::PT_APPLICATION, true));
        QVERIFY(!m_pFan->checkPartition(CPartitionTable::PT_WIFI_BRIDGE, false));
    }

    void swapSerialNumberAndVentMove()
    {
        m_pUnit->updateModel([](SSimUnitModel& m) { m.swapReturnCode = 9; });
        QVERIFY(m_pFan->swapBootloaders());
        QCOMPARE(m_pUnit->model().bootloaderSwaps, 1);

        QVERIFY(m_pFan->setSerialNumber(4711));
        SHLP_IdentData ident;
        QVERIFY(m_pFan->getIdentData(ident));
        QCOMPARE(ident.m_SerialNr, 4711u);

        SHLP_MoveVent move;
        move.m_Vent = 2;
        move.m_Position = 25;
        QVERIFY(m_pFan->moveVent(move));
        QCOMPARE(m_pUnit->model().ventMoves, QList<QByteArray>({QByteArray("\x1C\x02\x19", 3)}));
    }

    // A restart takes the port away and brings the unit back on another one: the old link fails,
    // the unit object moves to the new port.
    void restart()
    {
        QVERIFY(m_pUnit->restart());
        QVERIFY(!m_pFan->sendRequest(13));
        QVERIFY(m_pFan->openComPort(m_pUnit->portName()));
        SHLP_IdentData ident;
        QVERIFY(m_pFan->getIdentData(ident));
        QCOMPARE(ident.m_SerialNr, 100456u);
    }
};

QTEST_MAIN(TestUpdaterWithSimulatedUnit)
#include "tst_updunits_sim.moc"
