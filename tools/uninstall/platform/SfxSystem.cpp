#include "SfxSystem.h"

#include <sys/random.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <random>
#include <vector>

namespace sfx
{

std::optional<WString> GetModuleFileName()
{
    std::vector<char> buffer(PATH_MAX + 1);
    const ssize_t n = readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
    if (n <= 0 || size_t(n) >= buffer.size() - 1)
        return std::nullopt;
    return FromUtf8(std::string_view(buffer.data(), size_t(n)));
}

std::optional<WString> GetTempPath()
{
    const char* dir = std::getenv("TMPDIR");
    std::string path = dir && *dir ? dir : "/tmp";
    if (path.front() != '/')
    {
        // The stub binds the library by absolute path only, and changes its current directory
        // before it asks again at the clean-up: the base is the directory current at the first call.
        static const std::optional<WString> base = GetCurrentDirectory();
        const auto baseText = base ? ToUtf8(*base) : std::nullopt;
        if (!baseText)
            return std::nullopt;
        path = *baseText + (*baseText == "/" ? "" : "/") + path;
    }
    if (path.back() != '/')
        path += '/';
    return FromUtf8(path);
}

std::optional<WString> GetCurrentDirectory()
{
    std::vector<char> buffer(PATH_MAX + 1);
    if (!getcwd(buffer.data(), buffer.size()))
        return std::nullopt;
    return FromUtf8(buffer.data());
}

bool SetCurrentDirectory(const WString& path)
{
    const auto host = ToUtf8(path);
    return host && chdir(host->c_str()) == 0;
}

std::uint32_t RandomSeed()
{
    std::uint32_t seed;
    if (getrandom(&seed, sizeof seed, 0) == sizeof seed)
        return seed;
    return std::random_device{}();
}

} // namespace sfx
