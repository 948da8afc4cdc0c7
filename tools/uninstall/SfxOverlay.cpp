#include "SfxOverlay.h"

#include <unistd.h>

#include <array>
#include <cstring>
#include <vector>

namespace sfx
{

namespace
{

std::uint64_t Le(const unsigned char* p, int bytes)
{
    std::uint64_t value = 0;
    for (int i = bytes - 1; i >= 0; --i)
        value = (value << 8) | p[i];
    return value;
}

std::uint64_t Be(const unsigned char* p, int bytes)
{
    std::uint64_t value = 0;
    for (int i = 0; i < bytes; ++i)
        value = (value << 8) | p[i];
    return value;
}

bool AddNoOverflow(std::uint64_t a, std::uint64_t b, std::uint64_t& sum)
{
    sum = a + b;
    return sum >= a;
}

bool ReadExact(const CByteSource& file, std::uint64_t offset, void* buffer, std::size_t size)
{
    return file.readAt(offset, buffer, size) == std::int64_t(size);
}

// Field reader of one ELF file: its class decides the widths, its data byte the order.
class CElfReader
{
public:
    CElfReader(const CByteSource& file, bool is64, bool bigEndian)
        : m_file(file), m_is64(is64), m_big(bigEndian)
    {
    }

    bool field(std::uint64_t offset, int bytes, std::uint64_t& value) const
    {
        unsigned char raw[8];
        if (!ReadExact(m_file, offset, raw, bytes))
            return false;
        value = m_big ? Be(raw, bytes) : Le(raw, bytes);
        return true;
    }
    // Address-sized field: 8 bytes in ELF64, 4 in ELF32.
    bool word(std::uint64_t offset, std::uint64_t& value) const
    {
        return field(offset, m_is64 ? 8 : 4, value);
    }
    bool is64() const { return m_is64; }

private:
    const CByteSource& m_file;
    bool m_is64;
    bool m_big;
};

// End of a table of `count` entries of `entrySize` bytes at `offset`, checked for overflow.
bool TableEnd(std::uint64_t offset, std::uint64_t count, std::uint64_t entrySize, std::uint64_t& end)
{
    if (entrySize != 0 && count > UINT64_MAX / entrySize)
        return false;
    return AddNoOverflow(offset, count * entrySize, end);
}

constexpr std::uint32_t SHT_NOBITS = 8;

} // namespace

std::int64_t CMemorySource::readAt(std::uint64_t offset, void* buffer, std::size_t size) const
{
    if (offset >= m_bytes.size())
        return 0;
    const std::size_t n = std::min<std::uint64_t>(size, m_bytes.size() - offset);
    std::memcpy(buffer, m_bytes.data() + offset, n);
    return std::int64_t(n);
}

std::int64_t CFileSource::readAt(std::uint64_t offset, void* buffer, std::size_t size) const
{
    std::size_t done = 0;
    while (done < size)
    {
        const ssize_t n = pread(m_fd, static_cast<char*>(buffer) + done, size - done, off_t(offset + done));
        if (n < 0)
            return -1;
        if (n == 0)
            break;
        done += std::size_t(n);
    }
    return std::int64_t(done);
}

std::optional<std::uint64_t> PeOverlayStart(const unsigned char* head, std::size_t size)
{
    constexpr std::uint64_t LFANEW_LIMIT = 3848;
    constexpr std::uint64_t SECTION_TABLE_OFFSET = 248; // PE signature, file header, PE32 optional header
    constexpr std::uint64_t SECTION_SIZE = 40;
    if (size < 0x40 || head[0] != 'M' || head[1] != 'Z')
        return std::nullopt;
    const std::uint64_t lfanew = Le(head + 0x3C, 4);
    if (lfanew >= LFANEW_LIMIT || lfanew + 8 > size || std::memcmp(head + lfanew, "PE\0\0", 4) != 0)
        return std::nullopt;
    const std::uint64_t sections = Le(head + lfanew + 6, 2);
    const std::uint64_t table = lfanew + SECTION_TABLE_OFFSET;
    if (table + sections * SECTION_SIZE > size)
        return std::nullopt;
    std::uint64_t lastPointer = 0;
    std::uint64_t overlay = 0;
    for (std::uint64_t i = 0; i < sections; ++i)
    {
        const unsigned char* section = head + table + i * SECTION_SIZE;
        const std::uint64_t rawSize = Le(section + 16, 4);
        const std::uint64_t rawPointer = Le(section + 20, 4);
        if (i == 0 || rawPointer > lastPointer)
        {
            lastPointer = rawPointer;
            overlay = rawPointer + rawSize;
        }
    }
    return overlay;
}

std::optional<std::uint64_t> ElfImageEnd(const CByteSource& file)
{
    unsigned char ident[16];
    if (!ReadExact(file, 0, ident, sizeof ident) || std::memcmp(ident,
                                                                "\x7f"
                                                                "ELF",
                                                                4) != 0)
        return std::nullopt;
    if ((ident[4] != 1 && ident[4] != 2) || (ident[5] != 1 && ident[5] != 2))
        return std::nullopt;
    const CElfReader elf(file, ident[4] == 2, ident[5] == 2);
    // Offsets of e_phoff, e_shoff, e_ehsize, e_phentsize, e_phnum, e_shentsize, e_shnum.
    const std::uint64_t at64[] = {32, 40, 52, 54, 56, 58, 60};
    const std::uint64_t at32[] = {28, 32, 40, 42, 44, 46, 48};
    const std::uint64_t* at = elf.is64() ? at64 : at32;
    std::uint64_t phoff, shoff, ehsize, phentsize, phnum, shentsize, shnum;
    if (!elf.word(at[0], phoff) || !elf.word(at[1], shoff) || !elf.field(at[2], 2, ehsize) ||
        !elf.field(at[3], 2, phentsize) || !elf.field(at[4], 2, phnum) || !elf.field(at[5], 2, shentsize) ||
        !elf.field(at[6], 2, shnum))
        return std::nullopt;
    // A count of 0 with a table present means more sections than the header can count.
    if (shnum == 0 && shoff != 0)
        return std::nullopt;

    std::uint64_t end = ehsize;
    std::uint64_t tableEnd;
    if (!TableEnd(phoff, phnum, phentsize, tableEnd))
        return std::nullopt;
    end = std::max(end, tableEnd);
    if (!TableEnd(shoff, shnum, shentsize, tableEnd))
        return std::nullopt;
    end = std::max(end, tableEnd);

    for (std::uint64_t i = 0; i < phnum; ++i)
    {
        const std::uint64_t entry = phoff + i * phentsize;
        std::uint64_t offset, fileSize, segmentEnd;
        if (!elf.word(entry + (elf.is64() ? 8 : 4), offset) ||
            !elf.word(entry + (elf.is64() ? 32 : 16), fileSize) ||
            !AddNoOverflow(offset, fileSize, segmentEnd))
            return std::nullopt;
        end = std::max(end, segmentEnd);
    }
    for (std::uint64_t i = 0; i < shnum; ++i)
    {
        const std::uint64_t entry = shoff + i * shentsize;
        std::uint64_t type, offset, size, sectionEnd;
        if (!elf.field(entry + 4, 4, type) || !elf.word(entry + (elf.is64() ? 24 : 16), offset) ||
            !elf.word(entry + (elf.is64() ? 32 : 20), size))
            return std::nullopt;
        if (type == SHT_NOBITS)
            continue;
        if (!AddNoOverflow(offset, size, sectionEnd))
            return std::nullopt;
        end = std::max(end, sectionEnd);
    }
    return end;
}

std::optional<std::uint64_t> OverlayStart(const CByteSource& file)
{
    std::vector<unsigned char> head(SFX_IMAGE_HEAD_SIZE);
    const std::int64_t n = file.readAt(0, head.data(), head.size());
    if (n < 4)
        return std::nullopt;
    if (head[0] == 'M' && head[1] == 'Z')
        return PeOverlayStart(head.data(), std::size_t(n));
    if (std::memcmp(head.data(),
                    "\x7f"
                    "ELF",
                    4) == 0)
        return ElfImageEnd(file);
    return std::nullopt;
}

std::optional<SSfxOverlayHeader> ReadOverlayHeader(const CByteSource& file)
{
    SSfxOverlayHeader header;
    const auto start = OverlayStart(file);
    if (!start || *start == 0)
        return std::nullopt;
    header.overlayStart = *start;
    unsigned char fields[16];
    if (!ReadExact(file, header.overlayStart + 2, fields, 8) ||
        !ReadExact(file, header.overlayStart + 10, fields + 8, 8))
        return std::nullopt;
    header.searchOffset = Le(fields, 8);
    header.sizeField = Le(fields + 8, 8);
    if (header.sizeField == 0)
        return std::nullopt;
    return header;
}

std::uint32_t Crc32(const void* data, std::size_t size)
{
    static const std::array<std::uint32_t, 256> table = []
    {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t i = 0; i < 256; ++i)
        {
            std::uint32_t c = i;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[i] = c;
        }
        return t;
    }();
    std::uint32_t crc = 0xFFFFFFFFu;
    const auto* p = static_cast<const unsigned char*>(data);
    for (std::size_t i = 0; i < size; ++i)
        crc = table[(crc ^ p[i]) & 0xFF] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFFu;
}

std::optional<std::uint64_t> FindArchive(const CByteSource& file, std::uint64_t from)
{
    static const unsigned char signature[6] = {'7', 'z', 0xBC, 0xAF, 0x27, 0x1C};
    constexpr std::size_t keep = SFX_7Z_START_HEADER_SIZE;
    std::vector<unsigned char> window(SFX_SEARCH_WINDOW);
    std::uint64_t position = from; // file offset of window[0]
    std::size_t filled = 0;
    for (;;)
    {
        bool end = false;
        while (filled < window.size() && !end)
        {
            const std::int64_t n =
                file.readAt(position + filled, window.data() + filled, window.size() - filled);
            if (n < 0)
                return std::nullopt;
            end = n == 0;
            filled += std::size_t(n);
        }
        // A window that holds no more than a start header cannot step on: the data has ended.
        if (filled <= keep)
            return std::nullopt;
        // Positions whose start header reaches past the window wait for the next one; at the
        // end of the data the last full start header is checked too.
        const std::size_t limit = filled - keep + (end ? 1 : 0);
        for (std::size_t i = 0; i < limit; ++i)
        {
            if (window[i] != '7' || std::memcmp(&window[i], signature, sizeof signature) != 0)
                continue;
            if (Crc32(&window[i + 12], 20) == std::uint32_t(Le(&window[i + 8], 4)))
                return position + i;
        }
        if (end)
            return std::nullopt;
        std::memmove(window.data(), window.data() + filled - keep, keep);
        position += filled - keep;
        filled = keep;
    }
}

} // namespace sfx
