#include "FakeWireFixture.h"
#include "Fan.h"
#include "Fan_70_PC.h"

#include <QProgressBar>
#include <QtTest>

using namespace LinkTest;

namespace
{
// The catalogue the uploads look images up in: one scripted image, and what was asked for.
struct SCatalogueScript
{
    bool hasImage = true;
    CFlashImageCatalogue::SImage image;
    QList<QPair<int, int>> asked; // (type, system)
};
SCatalogueScript g_Catalogue;

class CScriptedCatalogue : public CFlashImageCatalogue
{
public:
    bool findUploadImage(CPartitionTable::EPartType type, int system, SImage& image) const override
    {
        g_Catalogue.asked.append({int(type), system});
        if (!g_Catalogue.hasImage)
            return false;
        image = g_Catalogue.image;
        return true;
    }
};

CFlashImageCatalogue::SMemBlock block(quint32 address, int length, quint32 plainLength, quint16 crc,
                                      char fill)
{
    CFlashImageCatalogue::SMemBlock b;
    b.MemAdr = address;
    b.PlainLen = plainLength;
    b.CRC16 = crc;
    for (int i = 0; i < length; ++i)
        b.Data.append(char(fill + i % 7));
    return b;
}

QByteArray partitionEntry(quint32 start, quint16 size, int type, int main, int sub, int flags, int r0 = 0,
                          int r1 = 0)
{
    return u32(start) + bytes({size & 0xFF, size >> 8, type, main, sub, flags, r0, r1});
}

QList<int> flagsOf(const QList<QByteArray>& frames)
{
    QList<int> out;
    for (const QByteArray& f : frames)
        out << quint8(f[5]);
    return out;
}
} // namespace

Q_DECLARE_METATYPE(CFlashImageCatalogue::SMemBlock)
Q_DECLARE_METATYPE(QVector<CFlashImageCatalogue::SMemBlock>)

class TestUpdaterRequests : public QObject
{
    Q_OBJECT

    CFakeWireFixture<CFan>* m_pFixture = nullptr;

    CFan& fan() { return *m_pFixture->fan; }
    CFakeUnit& unit() { return *m_pFixture->unit; }
    CFakeWire& wire() { return *m_pFixture->wire; }
    static QByteArray reply(const QByteArray& data) { return CFakeWireFixture<CFan>::reply(data); }

private slots:
    void initTestCase()
    {
        CFanBase::setImageCatalogueFactory(
            [] { return std::unique_ptr<CFlashImageCatalogue>(new CScriptedCatalogue); });
    }

    void init()
    {
        m_pFixture = new CFakeWireFixture<CFan>;
        QVERIFY(m_pFixture->start(new CFan(false)));
        g_Catalogue = SCatalogueScript();
    }
    void cleanup()
    {
        delete m_pFixture;
        m_pFixture = nullptr;
    }

    // Each unit object has a port of its own: two can be open at once, and deleting one leaves
    // the other's link alone.
    void eachObjectOwnsItsPort()
    {
        CSilentPort other;
        auto* second = new CFan_70_PC;
        QSignalSpy info(second, &CFanBase::signalUserInfo);
        QVERIFY(second->openComPort(other.name()));
        QCOMPARE(signalTexts(info), QStringList({"Checking for new devices..."}));
        QCOMPARE(second->getComPortName(), other.name());
        QCOMPARE(fan().getComPortName(), m_pFixture->port.name());

        QVERIFY(second->openComPort(other.name())); // the same port again: nothing happens
        QCOMPARE(info.size(), 1);

        delete second;
        unit().replies[14] = {reply(bytes({14, 1, 0, 2, 3, 4, 5, 0}))};
        QVERIFY(fan().getTimer(nullptr, nullptr, nullptr, nullptr, nullptr));
    }

    void openAnotherPortOrNone()
    {
        CSilentPort other;
        QSignalSpy info(&fan(), &CFanBase::signalUserInfo);
        QVERIFY(fan().openComPort(other.name()));
        QCOMPARE(fan().getComPortName(), other.name());
        QCOMPARE(signalTexts(info), QStringList({"Checking for new devices..."}));

        QVERIFY(!fan().openComPort(QString()));
        QCOMPARE(fan().getComPortName(), QString());
        QCOMPARE(info.last().at(0).toString(), QString("Please connect your application via the USB cable."));

        QVERIFY(!fan().openComPort("/dev/no-such-unit"));
        QCOMPARE(
            info.last().at(0).toString(),
            QString("Unable to open COM port for tolVane100.\nPlease switch your tolVane100 off and then on "
                    "again."));
    }

    void requestsNeedAnOpenPort()
    {
        fan().closeComPort();
        QSignalSpy info(&fan(), &CFanBase::signalUserInfo);
        CPartitionTable::SPartition table[CPartitionTable::PARTITION_COUNT];
        QVERIFY(!fan().sendRequest(17));
        QVERIFY(!fan().setSerialNumber(1000));
        QVERIFY(!fan().setStartupMode(1));
        QVERIFY(!fan().getPartitionTable(table));
        QVERIFY(!fan().swapBootloaders());
        QVERIFY(!fan().moveVent(SHLP_MoveVent()));
        QVERIFY(!fan().uploadImage(1, CPartitionTable::PT_APPLICATION, nullptr, false));
        QCOMPARE(info.size(), 0);
    }

    void sendRequest_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<bool>("acknowledge");
        QTest::addColumn<bool>("result");
        QTest::addColumn<QList<int>>("flags");
        QTest::addColumn<QStringList>("messages");
        QTest::newRow("acknowledged") << 4 << true << true << QList<int>{0x10} << QStringList();
        QTest::newRow("three attempts, then given up") << 4 << false << false << QList<int>{0x10, 0x10, 0x10}
                                                       << QStringList{"tolVane100 did not respond - "};
        QTest::newRow("start application waits for nothing")
            << 17 << false << true << QList<int>{0x50} << QStringList();
    }
    void sendRequest()
    {
        QFETCH(int, code);
        QFETCH(bool, acknowledge);
        QFETCH(bool, result);
        QFETCH(QList<int>, flags);
        QFETCH(QStringList, messages);
        unit().acknowledge = acknowledge;
        QSignalSpy info(&fan(), &CFanBase::signalUserInfo);
        QCOMPARE(fan().sendRequest(UINT8(code)), result);
        QCOMPARE(flagsOf(unit().frames), flags);
        for (const QByteArray& f : unit().frames)
            QCOMPARE(f.mid(8, 1), bytes({code}));
        QCOMPARE(signalTexts(info), messages);
    }

    void setSerialNumber()
    {
        QVERIFY(fan().setSerialNumber(1000));
        QCOMPARE(unit().frames,
                 QList<QByteArray>({frame(1, 0x00, bytes({3, 0xE8, 0x03, 0, 0}) + QByteArray(34, 0))}));
    }

    void serialNumberRefused_data()
    {
        QTest::addColumn<quint32>("number");
        QTest::addColumn<bool>("acknowledge");
        QTest::addColumn<int>("frames");
        QTest::newRow("0 is never sent") << 0u << true << 0;
        QTest::newRow("not acknowledged: one attempt") << 1000u << false << 1;
    }
    void serialNumberRefused()
    {
        QFETCH(quint32, number);
        QFETCH(bool, acknowledge);
        QFETCH(int, frames);
        unit().acknowledge = acknowledge;
        QSignalSpy info(&fan(), &CFanBase::signalUserInfo);
        QVERIFY(!fan().setSerialNumber(number));
        QCOMPARE(unit().frames.size(), frames);
        QCOMPARE(info.size(), 0); // the caller reports
    }

    void setStartupMode_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("acknowledge");
        QTest::addColumn<bool>("result");
        QTest::addColumn<QList<QByteArray>>("frames");
        QTest::addColumn<QStringList>("messages");
        const QByteArray start = frame(1, 0x50, bytes({17}));
        QTest::newRow("mode 0: only the start")
            << 0 << false << true << QList<QByteArray>{start} << QStringList();
        QTest::newRow("mode 1, then the start")
            << 1 << true << true << QList<QByteArray>{frame(1, 0x00, bytes({18, 1})), start} << QStringList();
        QTest::newRow("mode not acknowledged: no start")
            << 1 << false << false << QList<QByteArray>{frame(1, 0x00, bytes({18, 1}))}
            << QStringList{"Unable to set startup mode for application."};
    }
    void setStartupMode()
    {
        QFETCH(int, mode);
        QFETCH(bool, acknowledge);
        QFETCH(bool, result);
        QFETCH(QList<QByteArray>, frames);
        QFETCH(QStringList, messages);
        unit().acknowledge = acknowledge;
        QSignalSpy info(&fan(), &CFanBase::signalUserInfo);
        QCOMPARE(fan().setStartupMode(UINT8(mode)), result);
        QCOMPARE(unit().frames, frames);
        QCOMPARE(signalTexts(info), messages);
    }

    // Two replies of ten entries, no code byte: entry fields little-endian.
    void partitionTable()
    {
        QByteArray first, second;
        for (int i = 0; i < 10; ++i)
        {
            first += partitionEntry(0x1000u * i, quint16(0x100 + i), 1 + i % 5, 2, i, 0);
            second +=
                partitionEntry(0x00A00000u + i, quint16(0xFF00 + i), 3, 9, 10 + i, 1 << (i % 4), 0xAB, i);
        }
        unit().replies[11] = {reply(first), reply(second)};
        CPartitionTable::SPartition table[CPartitionTable::PARTITION_COUNT];
        QVERIFY(fan().getPartitionTable(table));
        QCOMPARE(unit().requests().first(), bytes({11}));
        QCOMPARE(table[0].m_Start, 0u);
        QCOMPARE(table[9].m_Start, 0x9000u);
        QCOMPARE(int(table[9].m_Size), 0x109);
        QCOMPARE(int(table[9].m_Type), 5);
        QCOMPARE(int(table[9].m_SubVer), 9);
        QCOMPARE(table[19].m_Start, 0x00A00009u);
        QCOMPARE(int(table[19].m_Size), 0xFF09);
        QCOMPARE(int(table[19].m_Type), 3);
        QCOMPARE(int(table[19].m_MainVer), 9);
        QCOMPARE(int(table[19].m_SubVer), 19);
        QCOMPARE(int(table[19].m_CheckFlags), 2);
        QCOMPARE(int(table[19].m_Reserved[0]), 0xAB);
        QCOMPARE(int(table[19].m_Reserved[1]), 9);
    }

    void partitionTableRefused_data()
    {
        QTest::addColumn<QList<QByteArray>>("replies");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("firstHalfKept");
        const QByteArray good = reply(QByteArray(120, 0x11));
        QTest::newRow("118 bytes") << QList<QByteArray>{reply(QByteArray(118, 0))}
                                   << "tolVane100 did respond with the wrong packet - " << false;
        QTest::newRow("debug command") << QList<QByteArray>{frame(3, 0x10, QByteArray(120, 0))}
                                       << "tolVane100 did respond with the wrong packet - " << false;
        QTest::newRow("second reply missing")
            << QList<QByteArray>{good} << "tolVane100 did not (correctly) respond - " << true;
    }
    void partitionTableRefused()
    {
        QFETCH(QList<QByteArray>, replies);
        QFETCH(QString, message);
        QFETCH(bool, firstHalfKept);
        unit().replies[11] = replies;
        QSignalSpy info(&fan(), &CFanBase::signalUserInfo);
        CPartitionTable::SPartition table[CPartitionTable::PARTITION_COUNT];
        QVERIFY(!fan().getPartitionTable(table));
        QCOMPARE(signalTexts(info), QStringList({message}));
        QCOMPARE(table[9].m_Start, firstHalfKept ? 0x11111111u : 0u);
    }

    void checkPartition_data()
    {
        QTest::addColumn<QByteArray>("entries");
        QTest::addColumn<int>("type");
        QTest::addColumn<bool>("mirror");
        QTest::addColumn<bool>("result");
        const QByteArray good = partitionEntry(0, 1, 3, 2, 1, 0x05) + partitionEntry(0, 1, 3, 2, 1, 0x01);
        QTest::newRow("type present, CRCs good") << good << 3 << false << true;
        QTest::newRow("type present, mirror asked") << good << 3 << true << true;
        QTest::newRow("type absent") << good << 4 << false << false;
        QTest::newRow("one entry with a bad CRC")
            << good + partitionEntry(0, 1, 3, 2, 1, 0x02) << 3 << false << false;
        QTest::newRow("bad CRC, mirror asked")
            << good + partitionEntry(0, 1, 3, 2, 1, 0x02) << 3 << true << true;
        QTest::newRow("bad mirror CRC") << good + partitionEntry(0, 1, 3, 2, 1, 0x08) << 3 << true << false;
        QTest::newRow("bad mirror CRC, main asked")
            << good + partitionEntry(0, 1, 3, 2, 1, 0x08) << 3 << false << true;
    }
    void checkPartition()
    {
        QFETCH(QByteArray, entries);
        QFETCH(int, type);
        QFETCH(bool, mirror);
        QFETCH(bool, result);
        const QByteArray table = entries.leftJustified(240, 0);
        unit().replies[11] = {reply(table.left(120)), reply(table.mid(120))};
        QCOMPARE(fan().checkPartition(type, mirror), result);
    }

    void swapBootloaders_data()
    {
        QTest::addColumn<QList<QByteArray>>("replies");
        QTest::addColumn<bool>("result");
        QTest::addColumn<QStringList>("messages");
        QTest::newRow("any return code")
            << QList<QByteArray>{reply(bytes({10, 0xEE, 0x34, 0x12}))} << true << QStringList();
        QTest::newRow("short reply") << QList<QByteArray>{reply(bytes({10}))} << true << QStringList();
        // The swap is answered with id 0x10A, not with its request's code.
        QTest::newRow("request's own code") << QList<QByteArray>{reply(bytes({6, 0, 0, 0}))} << false
                                            << QStringList{"tolVane100 did respond with the wrong packet - "};
        QTest::newRow("wrong id") << QList<QByteArray>{reply(bytes({7, 0, 0, 0}))} << false
                                  << QStringList{"tolVane100 did respond with the wrong packet - "};
        QTest::newRow("no reply") << QList<QByteArray>() << false
                                  << QStringList{"tolVane100 did not (correctly) respond - "};
    }
    void swapBootloaders()
    {
        QFETCH(QList<QByteArray>, replies);
        QFETCH(bool, result);
        QFETCH(QStringList, messages);
        unit().replies[6] = replies;
        QSignalSpy info(&fan(), &CFanBase::signalUserInfo);
        QCOMPARE(fan().swapBootloaders(), result);
        QCOMPARE(unit().frames.first(), frame(1, 0x10, bytes({6})));
        QCOMPARE(signalTexts(info), messages);
    }

    // Vent and position go out unchecked; one attempt, no reply read.
    void moveVent()
    {
        SHLP_MoveVent move;
        move.m_Vent = 7;
        move.m_Position = 0xFF;
        QVERIFY(fan().moveVent(move));
        QCOMPARE(unit().frames.first(), frame(1, 0x00, bytes({28, 7, 0xFF})));

        unit().acknowledge = false;
        unit().frames.clear();
        QVERIFY(!fan().moveVent(SHLP_MoveVent()));
        QCOMPARE(unit().frames, QList<QByteArray>({frame(1, 0x00, bytes({28, 0, 0}))}));
    }

    // A block of 1000 bytes with PlainLen 995 goes out as five chunks of 192 and one of 40, the
    // last one telling the 5 bytes beyond PlainLen; enciphered data carry flag 0x01.
    void uploadOneBlock()
    {
        g_Catalogue.image.MainVer = 2;
        g_Catalogue.image.SubVer = 12;
        g_Catalogue.image.StartAdr = 39081;
        g_Catalogue.image.Encrypted = true;
        g_Catalogue.image.MemBlocks = {block(0x00012000, 1000, 995, 0xBEEF, 'a')};
        QProgressBar bar;
        QSignalSpy progress(&bar, &QProgressBar::valueChanged);

        QVERIFY(fan().uploadImage(CFlashImageCatalogue::SYS_TOLVANE100, CPartitionTable::PT_APPLICATION, &bar,
                                  false));
        QCOMPARE(g_Catalogue.asked, (QList<QPair<int, int>>{{3, 1}}));
        const QList<QByteArray> requests = unit().requests();
        QCOMPARE(requests.size(), 1 + 1 + 6 + 1 + 1);
        QCOMPARE(unit().frames.first(), frame(1, 0x10, bytes({4})));
        QCOMPARE(unit().frames.at(1), frame(1, 0x10,
                                            bytes({7, 0x00, 0x20, 0x01, 0x00, 0xE3, 0x03, 3, 2, 12, 0xA9,
                                                   0x98, 0x00, 0x00, 0xEF, 0xBE})));
        const int lengths[6] = {192, 192, 192, 192, 192, 40};
        const int tails[6] = {0, 0, 0, 0, 0, 5};
        const QByteArray data = g_Catalogue.image.MemBlocks[0].Data;
        for (int i = 0; i < 6; ++i)
        {
            const QByteArray& record = requests[2 + i];
            QCOMPARE(record.size(), 200);
            QCOMPARE(quint8(unit().frames.at(2 + i).at(5)), quint8(0x11));
            QCOMPARE(record.left(8),
                     bytes({8, tails[i], lengths[i] & 0xFF, lengths[i] >> 8}) + u32(0x00012000u + 192 * i));
            QCOMPARE(record.mid(8, lengths[i]), data.mid(192 * i, lengths[i]));
        }
        QCOMPARE(unit().frames.at(8), frame(1, 0x10, bytes({9})));
        QCOMPARE(unit().frames.at(9), frame(1, 0x10, bytes({5})));
        QCOMPARE(wire().pauses, QVector<int>({750}));
        QList<int> values;
        for (const auto& args : progress)
            values << args.at(0).toInt();
        QCOMPARE(values, QList<int>({0, 19, 38, 57, 76, 96, 100}));
    }

    // The bridge firmware is looked up as type 5 and announced as the Wi-Fi module's type 4, whose
    // header byte 7 carries bits 16-19 of PlainLen; waiting adds the Wi-Fi module's pauses, the
    // long ones in slices that keep the window alive and fill the bar.
    void uploadBridgeWithWaits()
    {
        g_Catalogue.image.MemBlocks = {block(0x20000, 0x2F00A, 0x2F00A, 7, 'x')};
        QProgressBar bar;
        QList<int> values;
        QObject::connect(&bar, &QProgressBar::valueChanged, [&](int nValue) { values << nValue; });
        QVERIFY(fan().uploadImage(CFlashImageCatalogue::SYS_TOLVANE100, CPartitionTable::PT_WIFI_BRIDGE, &bar,
                                  true));
        QCOMPARE(g_Catalogue.asked, (QList<QPair<int, int>>{{5, 1}}));
        QCOMPARE(unit().requests().at(1), bytes({7, 0, 0, 2, 0, 0x0A, 0xF0, 36, 0, 0, 0, 0, 0, 0, 7, 0}));
        QCOMPARE(quint8(unit().frames.at(2).at(5)), quint8(0x10)); // plain data: no flag 0x01
        const int nSlices = 15000 / CFanBase::WAIT_SLICE_MS;
        const int nChunks = (0x2F00A + 191) / 192;
        QCOMPARE(wire().pauses, QVector<int>(2 * nSlices, CFanBase::WAIT_SLICE_MS) +
                                    QVector<int>(nChunks, 100) + QVector<int>{750});
        QCOMPARE(values.mid(0, 3), (QList<int>{1, 2, 4})); // the wait after request 4
        QCOMPARE(values.at(nSlices - 1), 100);
    }

    // An image the unit could not take as it is is refused before request 4: nothing is sent.
    void uploadRefusesUnsendableImages_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<bool>("encrypted");
        QTest::addColumn<QVector<CFlashImageCatalogue::SMemBlock>>("blocks");
        const auto plain = [](int length, quint32 plainLength)
        { return block(0x1000, length, plainLength, 1, 'a'); };
        QTest::newRow("application beyond 16 bits")
            << 3 << false << QVector<CFlashImageCatalogue::SMemBlock>{plain(70000, 70000)};
        QTest::newRow("Wi-Fi module beyond 20 bits")
            << 4 << false << QVector<CFlashImageCatalogue::SMemBlock>{plain(0x100000, 0x100000)};
        QTest::newRow("plain data shorter than PlainLen")
            << 3 << false << QVector<CFlashImageCatalogue::SMemBlock>{plain(100, 100), plain(100, 101)};
        QTest::newRow("plain data padded")
            << 1 << false << QVector<CFlashImageCatalogue::SMemBlock>{plain(104, 100)};
        QTest::newRow("enciphered data not padded to 8")
            << 3 << true << QVector<CFlashImageCatalogue::SMemBlock>{plain(100, 100)};
        QTest::newRow("no blocks") << 3 << true << QVector<CFlashImageCatalogue::SMemBlock>();
    }
    void uploadRefusesUnsendableImages()
    {
        QFETCH(int, type);
        QFETCH(bool, encrypted);
        QFETCH(QVector<CFlashImageCatalogue::SMemBlock>, blocks);
        g_Catalogue.image.Encrypted = encrypted;
        g_Catalogue.image.MemBlocks = blocks;
        QProgressBar bar;
        QSignalSpy info(&fan(), &CFanBase::signalUserInfo);
        QVERIFY(!fan().uploadImage(CFlashImageCatalogue::SYS_TOLVANE100, CPartitionTable::EPartType(type),
                                   &bar, false));
        QVERIFY(unit().frames.isEmpty());
        QCOMPARE(
            signalTexts(info),
            QStringList{"The firmware image for the tolVane100 is missing or damaged.\nNothing was sent to "
                        "the tolVane100."});
    }

    void uploadEmptyBlock()
    {
        g_Catalogue.image.MemBlocks = {block(0x4000, 0, 0, 0, 'x')};
        QProgressBar bar;
        QSignalSpy progress(&bar, &QProgressBar::valueChanged);
        QVERIFY(fan().uploadImage(CFlashImageCatalogue::SYS_TOLVANE_PLUS, CPartitionTable::PT_APPLICATION,
                                  &bar, false));
        QCOMPARE(g_Catalogue.asked, (QList<QPair<int, int>>{{3, 2}}));
        QList<QByteArray> codes;
        for (const QByteArray& r : unit().requests())
            codes << r.left(1);
        QCOMPARE(codes, QList<QByteArray>({bytes({4}), bytes({7}), bytes({9}), bytes({5})}));
        QCOMPARE(progress.size(), 1);
        QCOMPARE(bar.value(), 0);
    }

    // A failure in the second block ends the image there: no end message, no later block, no mode 5.
    void uploadStopsInTheSecondBlock()
    {
        g_Catalogue.image.MemBlocks = {block(0x1000, 100, 100, 1, 'a'), block(0x2000, 100, 100, 2, 'b'),
                                       block(0x3000, 100, 100, 3, 'c')};
        wire().device.onWrite = [&, inner = wire().device.onWrite](const QByteArray& b)
        {
            inner(b);
            if (unit().frames.size() == 5) // request 4 and the first block went through, the next header too
                unit().acknowledge = false;
        };
        QProgressBar bar;
        QSignalSpy info(&fan(), &CFanBase::signalUserInfo);
        QVERIFY(!fan().uploadImage(CFlashImageCatalogue::SYS_TOLVANE100, CPartitionTable::PT_APPLICATION,
                                   &bar, false));
        QList<int> codes;
        for (const QByteArray& r : unit().requests())
            codes << quint8(r[0]);
        QCOMPARE(codes, QList<int>({4, 7, 8, 9, 7, 8, 8, 8}));
        QCOMPARE(signalTexts(info),
                 QStringList({"Error sending data to tolVane100.",
                              "The update process failed. Please switch off your "
                              "tolVane100.\nThen switch in on again and retry the update."}));
    }

    void uploadWithoutImageOrUnit_data()
    {
        QTest::addColumn<bool>("hasImage");
        QTest::addColumn<bool>("acknowledge");
        QTest::addColumn<QList<int>>("flags");
        QTest::addColumn<QStringList>("messages");
        QTest::newRow("no image: nothing sent, the user told")
            << false << true << QList<int>{}
            << QStringList{
                   "The firmware image for the tolVane100 is missing or damaged.\nNothing was sent to the "
                   "tolVane100."};
        QTest::newRow("mode 4 unanswered")
            << true << false << QList<int>{0x10, 0x10, 0x10} << QStringList{"tolVane100 did not respond - "};
    }
    void uploadWithoutImageOrUnit()
    {
        QFETCH(bool, hasImage);
        QFETCH(bool, acknowledge);
        QFETCH(QList<int>, flags);
        QFETCH(QStringList, messages);
        g_Catalogue.hasImage = hasImage;
        g_Catalogue.image.MemBlocks = {block(0x1000, 10, 10, 1, 'a')};
        unit().acknowledge = acknowledge;
        QProgressBar bar;
        QSignalSpy info(&fan(), &CFanBase::signalUserInfo);
        QVERIFY(!fan().uploadImage(CFlashImageCatalogue::SYS_TOLVANE100, CPartitionTable::PT_BOOTLOADER_1,
                                   &bar, false));
        QCOMPARE(flagsOf(unit().frames), flags);
        for (const QByteArray& r : unit().requests())
            QCOMPARE(r, bytes({4}));
        QCOMPARE(signalTexts(info), messages);
    }
};

QTEST_MAIN(TestUpdaterRequests)
#include "tst_updunits_requests.moc"
