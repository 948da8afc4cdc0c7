#include "SfxArchive.h"
#include "SfxFiles.h"
#include "platform/SfxSystem.h"

#include <archive.h>
#include <archive_entry.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <memory>
#include <vector>

namespace sfx
{

namespace
{

// The archive as a stream of its own: offset 0 is its signature.
struct SArchiveStream
{
    int fd;
    std::uint64_t base;
    std::int64_t size;
    std::int64_t position = 0;
    std::vector<char> buffer = std::vector<char>(65536);
};

la_ssize_t ReadCallback(archive*, void* data, const void** block)
{
    auto* stream = static_cast<SArchiveStream*>(data);
    const ssize_t n = pread(stream->fd, stream->buffer.data(), stream->buffer.size(),
                            off_t(stream->base + std::uint64_t(stream->position)));
    if (n < 0)
        return ARCHIVE_FATAL;
    stream->position += n;
    *block = stream->buffer.data();
    return n;
}

la_int64_t SeekCallback(archive*, void* data, la_int64_t offset, int whence)
{
    auto* stream = static_cast<SArchiveStream*>(data);
    const la_int64_t origin = whence == SEEK_SET ? 0 : whence == SEEK_CUR ? stream->position : stream->size;
    const la_int64_t target = origin + offset;
    if (target < 0)
        return ARCHIVE_FATAL;
    stream->position = target;
    return target;
}

la_int64_t SkipCallback(archive*, void* data, la_int64_t request)
{
    auto* stream = static_cast<SArchiveStream*>(data);
    const la_int64_t step = std::max<la_int64_t>(0, std::min(request, stream->size - stream->position));
    stream->position += step;
    return step;
}

struct SArchiveFree
{
    void operator()(archive* a) const { archive_read_free(a); }
};
using CArchive = std::unique_ptr<archive, SArchiveFree>;

CArchive OpenArchive(SArchiveStream& stream)
{
    stream.position = 0;
    CArchive a(archive_read_new());
    if (!a)
        return nullptr;
    archive_read_support_format_7zip(a.get());
    archive_read_set_read_callback(a.get(), ReadCallback);
    archive_read_set_seek_callback(a.get(), SeekCallback);
    archive_read_set_skip_callback(a.get(), SkipCallback);
    archive_read_set_callback_data(a.get(), &stream);
    if (archive_read_open1(a.get()) != ARCHIVE_OK)
        return nullptr;
    return a;
}

bool IsSeparator(char c)
{
    return c == '/' || c == '\\';
}

std::string HostName(const std::string& utf8Name)
{
    std::string name = utf8Name;
    for (char& c : name)
        if (c == '\\')
            c = '/';
    return name;
}

ESfxError CheckEntry(archive_entry* entry, const WString& folder)
{
    const char* name = archive_entry_pathname_utf8(entry);
    if (!name || !SfxIsSafeEntryName(name) || archive_entry_hardlink_utf8(entry) ||
        archive_entry_is_encrypted(entry))
        return SFX_ERR_CORRUPTED;
    const mode_t type = archive_entry_filetype(entry);
    if (type != AE_IFREG && type != AE_IFDIR)
        return SFX_ERR_CORRUPTED;
    const auto wide = FromUtf8(name);
    if (!wide)
        return SFX_ERR_CORRUPTED;
    if (folder.size() + wide->size() + 1 > MAX_PATH)
        return SFX_ERR_TEMP_RUNTIME;
    return SFX_OK;
}

ESfxError WriteEntryData(archive* a, const std::string& path)
{
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0)
        return SFX_ERR_TEMP_RUNTIME;
    std::vector<char> buffer(65536);
    ESfxError result = SFX_OK;
    for (;;)
    {
        const la_ssize_t n = archive_read_data(a, buffer.data(), buffer.size());
        if (n < 0)
        {
            result = SFX_ERR_CORRUPTED; // a decoder or CRC error
            break;
        }
        if (n == 0)
            break;
        la_ssize_t done = 0;
        while (done < n)
        {
            const ssize_t written = write(fd, buffer.data() + done, size_t(n - done));
            if (written <= 0)
                break;
            done += written;
        }
        if (done < n)
        {
            result = SFX_ERR_TEMP_RUNTIME;
            break;
        }
    }
    if (close(fd) != 0 && result == SFX_OK)
        result = SFX_ERR_TEMP_RUNTIME;
    return result;
}

ESfxError ExtractEntry(archive* a, archive_entry* entry, const WString& folder)
{
    const std::string name = HostName(archive_entry_pathname_utf8(entry));
    const std::string base = *ToUtf8(folder);
    for (size_t i = name.find('/'); i != std::string::npos; i = name.find('/', i + 1))
        if (SfxCreateDirChain(*FromUtf8(base + name.substr(0, i))) != 0)
            return SFX_ERR_TEMP_RUNTIME;
    const WString path = *FromUtf8(base + name);
    if (archive_entry_filetype(entry) == AE_IFDIR)
        return SfxCreateDirChain(path) == 0 ? SFX_OK : SFX_ERR_TEMP_RUNTIME;
    if (SfxFileExists(path))
        return SFX_ERR_TEMP_RUNTIME;
    return WriteEntryData(a, base + name);
}

// Runs `step` on every entry; stops at the first error.
template <typename Step> ESfxError ForEachEntry(SArchiveStream& stream, Step step)
{
    CArchive a = OpenArchive(stream);
    if (!a)
        return SFX_ERR_CORRUPTED;
    for (;;)
    {
        archive_entry* entry = nullptr;
        const int status = archive_read_next_header(a.get(), &entry);
        if (status == ARCHIVE_EOF)
            return SFX_OK;
        if (status != ARCHIVE_OK)
            return SFX_ERR_CORRUPTED;
        const ESfxError error = step(a.get(), entry);
        if (error != SFX_OK)
            return error;
    }
}

} // namespace

bool SfxIsSafeEntryName(const std::string& utf8Name)
{
    if (utf8Name.empty() || IsSeparator(utf8Name.front()))
        return false;
    if (utf8Name.size() >= 2 && utf8Name[1] == ':')
        return false;
    size_t start = 0;
    while (start <= utf8Name.size())
    {
        size_t end = start;
        while (end < utf8Name.size() && !IsSeparator(utf8Name[end]))
            ++end;
        if (utf8Name.compare(start, end - start, "..") == 0)
            return false;
        start = end + 1;
    }
    return true;
}

ESfxError SfxUnpackArchive(int fd, std::uint64_t archiveStart, const WString& folder)
{
    struct stat st;
    if (fstat(fd, &st) != 0 || std::uint64_t(st.st_size) < archiveStart)
        return SFX_ERR_CORRUPTED;
    SArchiveStream stream{fd, archiveStart, std::int64_t(std::uint64_t(st.st_size) - archiveStart)};
    if (!ToUtf8(folder))
        return SFX_ERR_TEMP_FOLDER;
    const ESfxError checked =
        ForEachEntry(stream, [&](archive*, archive_entry* entry) { return CheckEntry(entry, folder); });
    if (checked != SFX_OK)
        return checked;
    return ForEachEntry(stream,
                        [&](archive* a, archive_entry* entry) { return ExtractEntry(a, entry, folder); });
}

} // namespace sfx
