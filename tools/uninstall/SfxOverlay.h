#pragma once
// Locating the package behind the stub's own program image:
//   program image | 18-byte header | (search offset) ... 7z archive
// Header: "XR", A = u64 LE offset of the archive search behind the header, B = u64 LE, not 0.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace sfx
{

class CByteSource
{
public:
    virtual ~CByteSource() = default;
    // Bytes read (fewer at the end of the data), -1 on a read error.
    virtual std::int64_t readAt(std::uint64_t offset, void* buffer, std::size_t size) const = 0;
};

class CMemorySource : public CByteSource
{
public:
    explicit CMemorySource(std::string bytes) : m_bytes(std::move(bytes)) {}
    std::int64_t readAt(std::uint64_t offset, void* buffer, std::size_t size) const override;

private:
    std::string m_bytes;
};

class CFileSource : public CByteSource
{
public:
    explicit CFileSource(int fd) : m_fd(fd) {}
    std::int64_t readAt(std::uint64_t offset, void* buffer, std::size_t size) const override;

private:
    int m_fd;
};

constexpr std::size_t SFX_HEADER_SIZE = 18;
constexpr std::size_t SFX_IMAGE_HEAD_SIZE = 4096;
constexpr std::size_t SFX_SEARCH_WINDOW = 32768;
// Signature, version, start-header CRC and the 20 bytes it covers.
constexpr std::size_t SFX_7Z_START_HEADER_SIZE = 32;

struct SSfxOverlayHeader
{
    std::uint64_t overlayStart = 0;
    std::uint64_t searchOffset = 0; // A
    std::uint64_t sizeField = 0;    // B
};

// PE rule on the image's first bytes: end of the raw data of the section that starts last.
std::optional<std::uint64_t> PeOverlayStart(const unsigned char* head, std::size_t size);
// ELF rule: the furthest end of the headers, the section-header table, sections and segments.
std::optional<std::uint64_t> ElfImageEnd(const CByteSource& file);
// Chooses the rule by the file's magic.
std::optional<std::uint64_t> OverlayStart(const CByteSource& file);

// Fails for an unknown image, an overlay start of 0, short reads and B = 0.
std::optional<SSfxOverlayHeader> ReadOverlayHeader(const CByteSource& file);

std::uint32_t Crc32(const void* data, std::size_t size);

// Offset of the first 7z signature at or behind `from` whose start-header CRC holds.
std::optional<std::uint64_t> FindArchive(const CByteSource& file, std::uint64_t from);

} // namespace sfx
