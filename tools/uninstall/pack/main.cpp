// tolvane-pack-uninstall: builds an uninstaller package, the stub followed by the 18-byte header
// and a 7z archive.
//
//   tolvane-pack-uninstall STUB OUTPUT --archive ARCHIVE.7z [--gap FILE]
//   tolvane-pack-uninstall STUB OUTPUT [--gap FILE] [--level 0-9] [NAME=]FILE...
//
// With --archive the archive is appended as it is (any 7z, e.g. from 7zz with BCJ2); else the
// files are packed into a new solid LZMA2 archive (level 6 unless --level says otherwise) under
// their base names or the given names.
// --gap puts the file's bytes between the header and the archive (the stub's search skips them).

#include "../SfxOverlay.h"

#include <archive.h>
#include <archive_entry.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <fstream>
#include <iostream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

namespace
{

std::optional<std::string> ReadFile(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

struct SInput
{
    std::string name;
    std::string path;
};

la_ssize_t AppendCallback(archive*, void* data, const void* buffer, size_t size)
{
    static_cast<std::string*>(data)->append(static_cast<const char*>(buffer), size);
    return la_ssize_t(size);
}

bool Write7z(const std::vector<SInput>& inputs, const std::string& level, std::string& archiveBytes)
{
    archive* a = archive_write_new();
    archive_write_set_format_7zip(a);
    archive_write_set_format_option(a, "7zip", "compression", "lzma2");
    if (archive_write_set_format_option(a, "7zip", "compression-level", level.c_str()) != ARCHIVE_OK)
    {
        std::cerr << "compression level " << level << " not known\n";
        archive_write_free(a);
        return false;
    }
    archive_write_set_bytes_in_last_block(a, 1);
    bool ok = archive_write_open(a, &archiveBytes, nullptr, AppendCallback, nullptr) == ARCHIVE_OK;
    for (const SInput& input : inputs)
    {
        const auto data = ReadFile(input.path);
        if (!data)
        {
            std::cerr << "cannot read " << input.path << "\n";
            ok = false;
            break;
        }
        archive_entry* entry = archive_entry_new();
        archive_entry_set_pathname_utf8(entry, input.name.c_str());
        archive_entry_set_filetype(entry, AE_IFREG);
        archive_entry_set_perm(entry, 0644);
        archive_entry_set_size(entry, la_int64_t(data->size()));
        ok = ok && archive_write_header(a, entry) == ARCHIVE_OK &&
             archive_write_data(a, data->data(), data->size()) == la_ssize_t(data->size());
        archive_entry_free(entry);
    }
    ok = archive_write_close(a) == ARCHIVE_OK && ok;
    archive_write_free(a);
    return ok;
}

void PutLe64(std::string& out, std::uint64_t value)
{
    for (int i = 0; i < 8; ++i)
        out += char((value >> (8 * i)) & 0xFF);
}

int Usage()
{
    std::cerr << "usage: tolvane-pack-uninstall STUB OUTPUT --archive ARCHIVE.7z [--gap FILE]\n"
                 "       tolvane-pack-uninstall STUB OUTPUT [--gap FILE] [--level 0-9] [NAME=]FILE...\n";
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 4)
        return Usage();
    const std::string stubPath = argv[1];
    const std::string outputPath = argv[2];
    std::string archivePath, gapPath, level = "6";
    std::vector<SInput> inputs;
    for (int i = 3; i < argc; ++i)
    {
        const std::string arg = argv[i];
        if ((arg == "--archive" || arg == "--gap" || arg == "--level") && i + 1 < argc)
        {
            (arg == "--archive" ? archivePath : arg == "--gap" ? gapPath : level) = argv[++i];
            continue;
        }
        const size_t equals = arg.find('=');
        if (equals != std::string::npos)
            inputs.push_back({arg.substr(0, equals), arg.substr(equals + 1)});
        else
            inputs.push_back({arg.substr(arg.rfind('/') + 1), arg});
    }
    if (archivePath.empty() == inputs.empty())
        return Usage();

    const auto stub = ReadFile(stubPath);
    if (!stub)
    {
        std::cerr << "cannot read " << stubPath << "\n";
        return 1;
    }
    // The header must start where the stub looks for it: at the end of its program image.
    const auto imageEnd = sfx::OverlayStart(sfx::CMemorySource(*stub));
    if (!imageEnd || *imageEnd != stub->size())
    {
        std::cerr << stubPath << ": not a bare program image (unknown format or data behind the image)\n";
        return 1;
    }
    std::string archiveBytes;
    if (!archivePath.empty())
    {
        const auto bytes = ReadFile(archivePath);
        if (!bytes)
        {
            std::cerr << "cannot read " << archivePath << "\n";
            return 1;
        }
        archiveBytes = *bytes;
    }
    else if (!Write7z(inputs, level, archiveBytes))
    {
        std::cerr << "cannot build the archive\n";
        return 1;
    }
    std::string gap;
    if (!gapPath.empty())
    {
        const auto bytes = ReadFile(gapPath);
        if (!bytes)
        {
            std::cerr << "cannot read " << gapPath << "\n";
            return 1;
        }
        gap = *bytes;
    }

    std::string header = "XR";
    PutLe64(header, 0); // the search starts right behind the header
    PutLe64(header, stub->size() + sfx::SFX_HEADER_SIZE + gap.size() + archiveBytes.size());
    std::ofstream out(outputPath, std::ios::binary | std::ios::trunc);
    out << *stub << header << gap << archiveBytes;
    out.close();
    if (!out)
    {
        std::cerr << "cannot write " << outputPath << "\n";
        return 1;
    }
    chmod(outputPath.c_str(), 0755);
    return 0;
}
