#include "HostName.h"

#include "WinPath.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <sys/stat.h>

namespace win
{

namespace
{

std::string IdentityKey(const struct stat& st)
{
    return std::to_string(st.st_dev) + ":" + std::to_string(st.st_ino);
}

std::string ParentOf(const std::string& host)
{
    const size_t slash = host.find_last_of('/');
    return slash == 0 || slash == std::string::npos ? "/" : host.substr(0, slash);
}

bool IsFolder(const std::string& host, struct stat& st)
{
    return stat(host.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

} // namespace

const std::vector<std::string>& CHostNames::wayTo(const std::string& folder)
{
    auto way = m_ways.find(folder);
    if (way != m_ways.end())
        return way->second;
    std::vector<std::string> keys;
    char resolved[PATH_MAX];
    // the folders above it as they lie on the host, not as its path names them
    std::string path = realpath(folder.c_str(), resolved) ? resolved : folder;
    for (struct stat st;; path = ParentOf(path))
    {
        if (stat(path.c_str(), &st) == 0)
            keys.push_back(IdentityKey(st));
        if (path == "/")
            break;
    }
    return m_ways.emplace(folder, std::move(keys)).first->second;
}

bool CHostNames::resolve(const std::string& winPath, SHostName& name)
{
    if (!HostPathOf(winPath, name.host))
        return false;
    const std::string& host = name.host;
    struct stat own, folderStat;
    const bool isFolder = lstat(host.c_str(), &own) == 0 && S_ISDIR(own.st_mode);
    std::vector<std::string> below; // the names below the nearest existing folder, innermost first
    std::string folder = host;
    do
    {
        below.push_back(UpperName(folder.substr(folder.find_last_of('/') + 1)));
        folder = ParentOf(folder);
    } while (!IsFolder(folder, folderStat) && folder != "/");
    std::reverse(below.begin(), below.end());

    name.folder = folder;
    name.folderKey = IdentityKey(folderStat);
    name.way = wayTo(folder);
    name.names.clear();
    std::string key = name.folderKey;
    for (size_t i = 0; i < below.size(); ++i)
    {
        key += "\\" + below[i];
        (i + 1 < below.size() ? name.way : name.names).push_back(key);
    }
    if (isFolder)
        name.names.push_back(IdentityKey(own));
    return true;
}

} // namespace win
