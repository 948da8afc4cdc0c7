#include "SfxFiles.h"
#include "platform/SfxSystem.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace sfx
{

namespace
{

bool HostExists(const std::string& path)
{
    struct stat st;
    return lstat(path.c_str(), &st) == 0;
}

int MakeDir(const std::string& path)
{
    return mkdir(path.c_str(), 0700) == 0 ? 0 : errno;
}

// Empties and removes the folder `name` inside the open folder `parent`.
int DeleteTreeAt(int parent, const char* name)
{
    const int fd = openat(parent, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return errno;
    DIR* dir = fdopendir(fd);
    if (!dir)
    {
        const int error = errno;
        close(fd);
        return error;
    }
    int error = 0;
    errno = 0;
    while (const dirent* entry = readdir(dir))
    {
        if (std::strcmp(entry->d_name, ".") == 0 || std::strcmp(entry->d_name, "..") == 0)
            continue;
        struct stat st;
        if (fstatat(fd, entry->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0)
            error = errno;
        else if (S_ISDIR(st.st_mode))
            error = DeleteTreeAt(fd, entry->d_name);
        else if (unlinkat(fd, entry->d_name, 0) != 0)
            error = errno;
        if (error)
            break;
        errno = 0;
    }
    if (!error && errno)
        error = errno;
    closedir(dir);
    if (!error && unlinkat(parent, name, AT_REMOVEDIR) != 0)
        error = errno;
    return error;
}

} // namespace

bool SfxFileExists(const WString& path)
{
    const auto host = ToUtf8(path);
    return host && HostExists(*host);
}

int SfxCreateDirChain(const WString& path)
{
    if (path.size() >= MAX_PATH)
        return ENAMETOOLONG;
    WString chain = path;
    if (!chain.empty() && chain.back() == u'/')
        chain.pop_back();
    const auto host = ToUtf8(chain);
    if (!host)
        return EILSEQ;
    std::string prefix = *host;
    for (size_t i = 1; i < prefix.size(); ++i)
    {
        if (prefix[i] != '/' && prefix[i] != '\\')
            continue;
        const std::string head = prefix.substr(0, i);
        if (!HostExists(head))
            MakeDir(head); // a failure shows at the next level or at the end
        prefix[i] = '/';
    }
    if (!HostExists(prefix))
        return MakeDir(prefix);
    return 0;
}

void SfxCutAtLastSeparator(WString& path)
{
    size_t cut = path.rfind(u'\\');
    if (cut == WString::npos)
        cut = path.rfind(u'/');
    if (cut == WString::npos)
    {
        cut = path.rfind(u':');
        if (cut != WString::npos)
            ++cut;
    }
    path.resize(cut == WString::npos ? 0 : cut);
}

int SfxDeleteTree(const WString& path)
{
    const auto host = ToUtf8(path);
    if (!host)
        return EILSEQ;
    std::string folder = *host;
    while (folder.size() > 1 && folder.back() == '/')
        folder.pop_back();
    return DeleteTreeAt(AT_FDCWD, folder.c_str());
}

WString SfxTempFolderName(std::uint32_t seed)
{
    static const char16_t digits[] = u"0123456789ABCDEF";
    WString name = u"xr";
    for (int shift = 28; shift >= 0; shift -= 4)
        name += digits[(seed >> shift) & 0xF];
    return name;
}

std::optional<WString> SfxCreateTempFolder(const WString& tempPath)
{
    constexpr int tries = 100;
    for (int i = 0; i < tries; ++i)
    {
        const WString folder = tempPath + SfxTempFolderName(RandomSeed());
        if (folder.size() + 1 >= MAX_PATH)
            return std::nullopt;
        if (SfxFileExists(folder))
            continue;
        const auto host = ToUtf8(folder);
        if (!host)
            return std::nullopt;
        if (mkdir(host->c_str(), 0700) == 0)
            return folder + u'/';
        if (errno != EEXIST)
            return std::nullopt;
    }
    return std::nullopt;
}

} // namespace sfx
