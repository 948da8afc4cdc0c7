// Locating the package behind the stub: the end of the program image (PE and ELF rules),
// the 18-byte header and the 7z signature search.

#include "SfxOverlay.h"

#include <QFile>
#include <QtTest>

#include <cstring>

using namespace sfx;

namespace
{

void PutLe(std::string& bytes, size_t offset, std::uint64_t value, int width)
{
    if (bytes.size() < offset + width)
        bytes.resize(offset + width, '\0');
    for (int i = 0; i < width; ++i)
        bytes[offset + i] = char((value >> (8 * i)) & 0xFF);
}

struct SSection
{
    std::uint32_t rawPointer;
    std::uint32_t rawSize;
};

// MZ header, "PE\0\0" at lfanew, section count at lfanew + 6, section table at lfanew + 248.
std::string PeImage(std::uint32_t lfanew, const std::vector<SSection>& sections, size_t size = 4096)
{
    std::string image(size, '\0');
    image[0] = 'M';
    image[1] = 'Z';
    PutLe(image, 0x3C, lfanew, 4);
    if (lfanew + 8 <= image.size())
    {
        std::memcpy(&image[lfanew], "PE\0\0", 4);
        PutLe(image, lfanew + 6, sections.size(), 2);
    }
    for (size_t i = 0; i < sections.size(); ++i)
    {
        const size_t entry = lfanew + 248 + i * 40;
        if (entry + 40 > image.size())
            break;
        PutLe(image, entry + 16, sections[i].rawSize, 4);
        PutLe(image, entry + 20, sections[i].rawPointer, 4);
    }
    image.resize(size);
    return image;
}

struct SElfPart
{
    std::uint64_t offset;
    std::uint64_t size;
    std::uint32_t type; // sections only; 8 = no file bytes
};

// A little-endian ELF64 header with program headers at 64 and section headers at shoff.
std::string Elf64(const std::vector<SElfPart>& segments, const std::vector<SElfPart>& sections,
                  std::uint64_t shoff)
{
    std::string elf(64, '\0');
    std::memcpy(&elf[0],
                "\x7f"
                "ELF\x02\x01\x01",
                7);
    PutLe(elf, 32, 64, 8);    // e_phoff
    PutLe(elf, 40, shoff, 8); // e_shoff
    PutLe(elf, 52, 64, 2);    // e_ehsize
    PutLe(elf, 54, 56, 2);
    PutLe(elf, 56, segments.size(), 2);
    PutLe(elf, 58, 64, 2);
    PutLe(elf, 60, sections.size(), 2);
    for (size_t i = 0; i < segments.size(); ++i)
    {
        PutLe(elf, 64 + i * 56 + 8, segments[i].offset, 8);
        PutLe(elf, 64 + i * 56 + 32, segments[i].size, 8);
    }
    for (size_t i = 0; i < sections.size(); ++i)
    {
        PutLe(elf, shoff + i * 64 + 4, sections[i].type, 4);
        PutLe(elf, shoff + i * 64 + 24, sections[i].offset, 8);
        PutLe(elf, shoff + i * 64 + 32, sections[i].size, 8);
    }
    return elf;
}

// A 7z start header whose CRC covers the 20 bytes behind it.
std::string StartHeader(bool validCrc)
{
    std::string header("7z\xBC\xAF\x27\x1C\x00\x04", 8);
    std::string covered(20, '\0');
    PutLe(covered, 0, 0x1234, 8);
    PutLe(covered, 8, 0x56, 8);
    PutLe(covered, 16, 0xCAFEBABE, 4);
    std::uint32_t crc = Crc32(covered.data(), covered.size());
    if (!validCrc)
        crc ^= 1;
    std::string crcBytes;
    PutLe(crcBytes, 0, crc, 4);
    return header + crcBytes + covered;
}

} // namespace

class TestSfxOverlay : public QObject
{
    Q_OBJECT

private slots:
    void crcCheckValue() { QCOMPARE(Crc32("123456789", 9), 0xCBF43926u); }

    void peOverlayStart_data()
    {
        QTest::addColumn<QByteArray>("image");
        QTest::addColumn<qint64>("expected"); // -1: refused

        const auto bytes = [](const std::string& s) { return QByteArray(s.data(), int(s.size())); };
        QTest::newRow("largest pointer wins")
            << bytes(PeImage(0x80, {{0x400, 0x200}, {0x1000, 0x300}, {0x600, 0x2000}})) << qint64(0x1300);
        QTest::newRow("first of equal pointers")
            << bytes(PeImage(0x80, {{0x800, 0x100}, {0x800, 0x900}})) << qint64(0x900);
        QTest::newRow("no sections") << bytes(PeImage(0x80, {})) << qint64(0);
        QTest::newRow("lfanew at the limit") << bytes(PeImage(3848, {{0x400, 0x10}})) << qint64(-1);
        QTest::newRow("table past 4096 bytes")
            << bytes(PeImage(3800, {{0x400, 0x10}, {0x500, 0x10}})) << qint64(-1);
        std::string noPe = PeImage(0x80, {{0x400, 0x200}});
        noPe[0x82] = 'X';
        QTest::newRow("no PE signature") << bytes(noPe) << qint64(-1);
        std::string noMz = PeImage(0x80, {{0x400, 0x200}});
        noMz[0] = 'Z';
        QTest::newRow("no MZ") << bytes(noMz) << qint64(-1);
        QTest::newRow("short head") << bytes(PeImage(0x80, {{0x400, 0x200}}, 0x100)) << qint64(-1);
    }

    void peOverlayStart()
    {
        QFETCH(QByteArray, image);
        QFETCH(qint64, expected);
        const auto start =
            PeOverlayStart(reinterpret_cast<const unsigned char*>(image.constData()), image.size());
        QCOMPARE(start ? qint64(*start) : qint64(-1), expected);
    }

    void elfImageEnd_data()
    {
        QTest::addColumn<QByteArray>("image");
        QTest::addColumn<qint64>("expected");

        const auto bytes = [](const std::string& s) { return QByteArray(s.data(), int(s.size())); };
        // Section headers at 0x1000, 3 × 64 bytes: the table ends at 0x10C0.
        QTest::newRow("section table last")
            << bytes(Elf64({{0, 0x800, 0}}, {{0, 0, 0}, {0x100, 0x700, 1}, {0x800, 0x10, 1}}, 0x1000))
            << qint64(0x10C0);
        QTest::newRow("section behind the table")
            << bytes(Elf64({{0, 0x800, 0}}, {{0, 0, 0}, {0x2000, 0x345, 1}}, 0x1000)) << qint64(0x2345);
        QTest::newRow("segment furthest")
            << bytes(Elf64({{0, 0x800, 0}, {0x3000, 0x10, 0}}, {{0, 0, 0}}, 0x1000)) << qint64(0x3010);
        QTest::newRow("no-bits section ignored")
            << bytes(Elf64({{0, 0x800, 0}}, {{0, 0, 0}, {0x900000, 0x1000, 8}}, 0x1000)) << qint64(0x1080);
        std::string overflow = Elf64({{0, 0x800, 0}}, {{0, 0, 0}, {~0ull - 4, 0x100, 1}}, 0x1000);
        QTest::newRow("end beyond 64 bits") << bytes(overflow) << qint64(-1);
        std::string truncated = Elf64({{0, 0x800, 0}}, {{0, 0, 0}}, 0x1000);
        truncated.resize(0x1000);
        QTest::newRow("section table missing") << bytes(truncated) << qint64(-1);
        std::string badClass = Elf64({}, {{0, 0, 0}}, 0x100);
        badClass[4] = 3;
        QTest::newRow("unknown class") << bytes(badClass) << qint64(-1);
    }

    void elfImageEnd()
    {
        QFETCH(QByteArray, image);
        QFETCH(qint64, expected);
        const auto end = ElfImageEnd(CMemorySource(image.toStdString()));
        QCOMPARE(end ? qint64(*end) : qint64(-1), expected);
    }

    // Our own stub ends with its image: the header goes exactly at its file size.
    void builtStubEndsWithItsImage()
    {
        QFile stub(UNINSTALL_STUB);
        QVERIFY(stub.open(QIODevice::ReadOnly));
        const QByteArray bytes = stub.readAll();
        const auto start = OverlayStart(CMemorySource(bytes.toStdString()));
        QVERIFY(start);
        QCOMPARE(qint64(*start), qint64(bytes.size()));
    }

    void overlayHeader_data()
    {
        QTest::addColumn<QByteArray>("tail"); // behind a PE image that ends at 0x1000
        QTest::addColumn<bool>("valid");
        QTest::addColumn<qint64>("searchOffset");

        std::string header = "XR";
        PutLe(header, 2, 0x20, 8);
        PutLe(header, 10, 0x99999, 8);
        QTest::newRow("header") << QByteArray(header.data(), int(header.size())) << true << qint64(0x20);
        std::string zeroSize = header;
        PutLe(zeroSize, 10, 0, 8);
        QTest::newRow("B = 0") << QByteArray(zeroSize.data(), int(zeroSize.size())) << false << qint64(0);
        QTest::newRow("cut header") << QByteArray(header.data(), 17) << false << qint64(0);
        QTest::newRow("nothing appended") << QByteArray() << false << qint64(0);
    }

    void overlayHeader()
    {
        QFETCH(QByteArray, tail);
        QFETCH(bool, valid);
        QFETCH(qint64, searchOffset);
        const std::string file = PeImage(0x80, {{0x400, 0xC00}}) + tail.toStdString();
        const auto header = ReadOverlayHeader(CMemorySource(file));
        QCOMPARE(bool(header), valid);
        if (header)
        {
            QCOMPARE(qint64(header->overlayStart), qint64(0x1000));
            QCOMPARE(qint64(header->searchOffset), searchOffset);
        }
    }

    void overlayStartZeroIsRefused()
    {
        std::string file = PeImage(0x80, {}) + std::string(18, 'x');
        QVERIFY(!ReadOverlayHeader(CMemorySource(file)));
    }

    void findArchive_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<qint64>("from");
        QTest::addColumn<qint64>("expected");

        const auto bytes = [](const std::string& s) { return QByteArray(s.data(), int(s.size())); };
        const std::string good = StartHeader(true) + std::string(100, 'a');
        const std::string falseSignature = StartHeader(false);
        QTest::newRow("at the start") << bytes(good) << qint64(0) << qint64(0);
        QTest::newRow("behind junk") << bytes(std::string(1000, '7') + good) << qint64(0) << qint64(1000);
        QTest::newRow("false signature skipped") << bytes(falseSignature + good) << qint64(0) << qint64(32);
        QTest::newRow("search starts behind") << bytes(good + good) << qint64(1) << qint64(132);
        // Signature across the first window's end: found in the next window.
        QTest::newRow("across windows") << bytes(std::string(SFX_SEARCH_WINDOW - 10, 'j') + good) << qint64(0)
                                        << qint64(SFX_SEARCH_WINDOW - 10);
        QTest::newRow("far behind") << bytes(std::string(5 * SFX_SEARCH_WINDOW + 7, 'j') + good) << qint64(0)
                                    << qint64(5 * SFX_SEARCH_WINDOW + 7);
        QTest::newRow("none") << bytes(std::string(3 * SFX_SEARCH_WINDOW, '7')) << qint64(0) << qint64(-1);
        QTest::newRow("only a false signature")
            << bytes(falseSignature + std::string(64, 'x')) << qint64(0) << qint64(-1);
        QTest::newRow("empty") << QByteArray() << qint64(0) << qint64(-1);
        QTest::newRow("search start past the end") << bytes(good) << qint64(10000) << qint64(-1);
    }

    void findArchive()
    {
        QFETCH(QByteArray, data);
        QFETCH(qint64, from);
        QFETCH(qint64, expected);
        const auto found = FindArchive(CMemorySource(data.toStdString()), std::uint64_t(from));
        QCOMPARE(found ? qint64(*found) : qint64(-1), expected);
    }

    // A source that hands out a few bytes per read: windows of 32 bytes or fewer must end the
    // search instead of stepping back over the same bytes for ever.
    void shortReadsEndTheSearch()
    {
        class CTrickle : public CByteSource
        {
        public:
            explicit CTrickle(std::string bytes) : m_memory(std::move(bytes)) {}
            std::int64_t readAt(std::uint64_t offset, void* buffer, std::size_t size) const override
            {
                ++reads;
                return m_memory.readAt(offset, buffer, std::min<std::size_t>(size, 7));
            }
            mutable int reads = 0;

        private:
            CMemorySource m_memory;
        };
        const CTrickle source(std::string(200, 'j') + StartHeader(true) + std::string(40, 'a'));
        const auto found = FindArchive(source, 0);
        QVERIFY(found);
        QCOMPARE(qint64(*found), qint64(200));
        const CTrickle empty(std::string(20, 'j'));
        QVERIFY(!FindArchive(empty, 0));
        QVERIFY(empty.reads < 10);
    }
};

QTEST_APPLESS_MAIN(TestSfxOverlay)
#include "tst_sfxoverlay.moc"
