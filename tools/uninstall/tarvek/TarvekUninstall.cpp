#include "TarvekUninstall.h"
#include "../platform/SfxText.h"
#include "TarvekIni.h"

#include <ShareLock.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <fstream>

namespace tarvek
{

namespace
{

bool Exists(const std::string& path)
{
    struct stat st;
    return lstat(path.c_str(), &st) == 0;
}

void Hand(XRUninstallCallback callback, int kind, const std::string& path, int flag)
{
    const sfx::WString wide = sfx::FromUtf8Lossy(path);
    callback(kind, wide.c_str(), flag);
}

void RemoveFile(const std::string& path, XRUninstallCallback callback)
{
    if (!Exists(path))
        return;
    if (win::IsInUse(path) || unlink(path.c_str()) != 0)
        Hand(callback, 0, path, 0);
}

void RemoveFolder(const std::string& path, XRUninstallCallback callback)
{
    if (!Exists(path))
        return;
    if (win::IsInUse(path) || rmdir(path.c_str()) != 0)
        Hand(callback, 0, path, 0);
}

} // namespace

bool ReadUninstallList(const std::string& path, const CTarvekVars& vars,
                       std::vector<SUninstallEntry>& entries)
{
    std::ifstream file(path);
    if (!file)
        return false;
    entries.clear();
    std::string line;
    while (std::getline(file, line))
    {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty() || line.front() == ';')
            continue;
        SUninstallEntry entry;
        std::string value;
        if (!SplitKeyValue(line, entry.kind, value))
            return false;
        if (entry.kind == "report")
        {
            int consumed = 0;
            if (std::sscanf(value.c_str(), "%d,%d,%n", &entry.reportKind, &entry.reportFlag, &consumed) !=
                    2 ||
                consumed == 0)
                return false;
            value = value.substr(size_t(consumed));
        }
        else if (entry.kind != "file" && entry.kind != "folder")
        {
            return false;
        }
        entry.path = vars.eval(value);
        if (entry.path.empty())
            return false;
        entries.push_back(entry);
    }
    return true;
}

int RunUninstallPhase(int phase, const std::vector<SUninstallEntry>& entries, XRUninstallCallback callback)
{
    if (phase == 1)
    {
        for (const SUninstallEntry& entry : entries)
        {
            if (entry.kind == "file")
                RemoveFile(entry.path, callback);
            else if (entry.kind == "report")
                Hand(callback, entry.reportKind, entry.path, entry.reportFlag);
        }
    }
    else if (phase == 3)
    {
        for (auto it = entries.rbegin(); it != entries.rend(); ++it)
            if (it->kind == "folder")
                RemoveFolder(it->path, callback);
    }
    return 0;
}

} // namespace tarvek
