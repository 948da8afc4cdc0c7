#include "HostMount.h"

#include "HostIo.h"

#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace win
{

namespace
{

// mountinfo writes blanks, tabs, line breaks and backslashes of a path as "\ooo"
std::string Unescaped(const std::string& field)
{
    std::string text;
    for (size_t i = 0; i < field.size(); ++i)
    {
        const auto octal = [&](size_t at)
        { return at < field.size() && field[at] >= '0' && field[at] <= '7'; };
        if (field[i] == '\\' && octal(i + 1) && octal(i + 2) && octal(i + 3))
        {
            text += char(std::strtoul(field.substr(i + 1, 3).c_str(), nullptr, 8));
            i += 3;
        }
        else
            text += field[i];
    }
    return text;
}

bool Holds(const std::string& mountPoint, const std::string& path)
{
    return mountPoint == "/" || (path.compare(0, mountPoint.size(), mountPoint) == 0 &&
                                 (path.size() == mountPoint.size() || path[mountPoint.size()] == '/'));
}

bool MountIdFromMountInfo(const std::string& hostFolder, uint64_t& mountId)
{
    char resolved[PATH_MAX];
    const int fd = open("/proc/self/mountinfo", O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    std::string text;
    const bool read = ReadToEnd(fd, text);
    close(fd);
    return read && realpath(hostFolder.c_str(), resolved) && MountIdInMountInfo(text, resolved, mountId);
}

} // namespace

bool MountIdInMountInfo(const std::string& mountInfo, const std::string& canonicalPath, uint64_t& mountId)
{
    std::istringstream lines(mountInfo);
    size_t longest = 0;
    bool found = false;
    for (std::string line; std::getline(lines, line);)
    {
        std::istringstream fields(line);
        std::string id, parent, device, root, mountPoint;
        if (!(fields >> id >> parent >> device >> root >> mountPoint))
            continue;
        mountPoint = Unescaped(mountPoint);
        // a later mount on the same point lies over the earlier one
        if (Holds(mountPoint, canonicalPath) && (!found || mountPoint.size() >= longest))
        {
            longest = mountPoint.size();
            mountId = std::strtoull(id.c_str(), nullptr, 10);
            found = true;
        }
    }
    return found;
}

bool MountIdOf(const std::string& hostFolder, uint64_t& mountId)
{
#ifdef STATX_MNT_ID
    struct statx st;
    if (statx(AT_FDCWD, hostFolder.c_str(), 0, STATX_MNT_ID, &st) == 0 && (st.stx_mask & STATX_MNT_ID))
    {
        mountId = st.stx_mnt_id;
        return true;
    }
#endif
    return MountIdFromMountInfo(hostFolder, mountId);
}

} // namespace win
