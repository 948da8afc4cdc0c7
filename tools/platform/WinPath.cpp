#include "WinPath.h"

#include "WinError.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

namespace win
{

namespace
{

char UpperAscii(char c)
{
    return (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c;
}

bool IsSeparator(char c)
{
    return c == '\\' || c == '/';
}

bool IsDriveLetter(char c)
{
    c = UpperAscii(c);
    return c >= 'A' && c <= 'Z';
}

std::string CanonicalRoot(std::string root)
{
    char resolved[PATH_MAX];
    if (realpath(root.c_str(), resolved))
        root = resolved;
    while (!root.empty() && root.back() == '/')
        root.pop_back();
    return root;
}

bool ValidName(const std::string& name, bool allowWildcards)
{
    for (unsigned char c : name)
    {
        if (c < 32 || std::strchr("<>:\"|", c))
            return false;
        if (!allowWildcards && (c == '*' || c == '?'))
            return false;
    }
    return true;
}

std::vector<std::string> SplitNames(const std::string& text)
{
    std::vector<std::string> names;
    std::string name;
    for (char c : text)
    {
        if (IsSeparator(c))
        {
            if (!name.empty())
                names.push_back(name);
            name.clear();
        }
        else
        {
            name += c;
        }
    }
    if (!name.empty())
        names.push_back(name);
    return names;
}

// Splits a full path "X:\a\b" into its drive and names.
void SplitFull(const std::string& full, char& drive, std::vector<std::string>& names)
{
    drive = full[0];
    names = SplitNames(full.substr(2));
}

const SDrive* FindDrive(const std::vector<SDrive>& table, char letter)
{
    for (const SDrive& drive : table)
    {
        if (drive.letter == UpperAscii(letter))
            return &drive;
    }
    return nullptr;
}

thread_local CFolderListings* t_listings = nullptr;

// The entries of a host folder (all, or those whose name in upper case is onlyKey) by their names
// in upper case, each with the least of its spellings that are equal ignoring case.
CFolderListings::Listing ReadFolderListing(const std::string& dir, const std::string* onlyKey)
{
    CFolderListings::Listing listing;
    DIR* handle = opendir(dir.empty() ? "/" : dir.c_str());
    if (!handle)
        return listing;
    while (dirent* entry = readdir(handle))
    {
        std::string candidate = entry->d_name;
        std::string key = UpperName(candidate);
        if (onlyKey && key != *onlyKey)
            continue;
        std::string& least = listing[key];
        if (least.empty() || candidate < least)
            least = std::move(candidate);
    }
    closedir(handle);
    return listing;
}

// The entry of dir whose name equals name ignoring case; the exact spelling wins. exists tells
// whether it is there.
std::string MatchName(const std::string& dir, const std::string& name, bool& exists)
{
    struct stat st;
    exists = lstat((dir + "/" + name).c_str(), &st) == 0;
    if (exists)
        return name;
    std::string matched = name;
    if (t_listings)
        matched = t_listings->lookUp(dir, name);
    else
    {
        const std::string key = UpperName(name);
        const CFolderListings::Listing listing = ReadFolderListing(dir, &key);
        if (!listing.empty())
            matched = listing.begin()->second;
    }
    exists = matched != name && lstat((dir + "/" + matched).c_str(), &st) == 0;
    return matched;
}

} // namespace

CFolderListings::CFolderListings() : m_previous(t_listings)
{
    t_listings = this;
}

CFolderListings::~CFolderListings()
{
    t_listings = m_previous;
}

std::string CFolderListings::lookUp(const std::string& dir, const std::string& name)
{
    struct stat st;
    if (stat(dir.empty() ? "/" : dir.c_str(), &st) != 0)
        return name;
    const std::pair<uint64_t, uint64_t> identity(st.st_dev, st.st_ino);
    auto folder = m_folders.find(identity);
    if (folder == m_folders.end())
        folder = m_folders.emplace(identity, ReadFolderListing(dir, nullptr)).first;
    const auto entry = folder->second.find(UpperName(name));
    return entry == folder->second.end() ? name : entry->second;
}

std::vector<SDrive> DriveTable()
{
    std::vector<SDrive> table;
    const char* env = std::getenv("TOLVANE_DRIVES");
    if (!env || !*env)
    {
        table.push_back({'C', ""});
        return table;
    }
    std::string spec = env;
    size_t start = 0;
    while (start <= spec.size())
    {
        size_t end = spec.find(';', start);
        if (end == std::string::npos)
            end = spec.size();
        std::string entry = spec.substr(start, end - start);
        start = end + 1;
        size_t eq = entry.find('=');
        if (eq == std::string::npos || eq == 0 || !IsDriveLetter(entry[0]))
            continue;
        if (!(eq == 1 || (eq == 2 && entry[1] == ':')))
            continue;
        std::string root = entry.substr(eq + 1);
        if (root.empty() || root[0] != '/')
            continue;
        table.push_back({UpperAscii(entry[0]), CanonicalRoot(root)});
    }
    return table;
}

std::string UpperName(std::string name)
{
    for (char& c : name)
        c = UpperAscii(c);
    return name;
}

bool NamesEqual(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
    {
        if (UpperAscii(a[i]) != UpperAscii(b[i]))
            return false;
    }
    return true;
}

bool GetFullPathName(const std::string& path, std::string& full, bool allowWildcards)
{
    if (path.empty())
        return Fail(ERROR_PATH_NOT_FOUND);
    if (path.size() >= 2 && IsSeparator(path[0]) && IsSeparator(path[1]))
        return Fail(ERROR_BAD_NETPATH);

    char drive = 0;
    std::vector<std::string> names;
    std::string rest;
    if (path.size() >= 2 && path[1] == ':')
    {
        if (!IsDriveLetter(path[0]))
            return Fail(ERROR_INVALID_NAME);
        drive = UpperAscii(path[0]);
        rest = path.substr(2);
        if (rest.empty() || !IsSeparator(rest[0]))
        {
            // "C:name" is relative to the current directory when that is on C:, else to C:\.
            std::string current;
            if (GetCurrentDirectory(current) && UpperAscii(current[0]) == drive)
                SplitFull(current, drive, names);
        }
    }
    else
    {
        std::string current;
        if (!GetCurrentDirectory(current))
            return false;
        SplitFull(current, drive, names);
        if (IsSeparator(path[0]))
            names.clear();
        rest = path;
    }

    std::vector<std::string> parts = SplitNames(rest);
    for (size_t i = 0; i < parts.size(); ++i)
    {
        std::string name = parts[i];
        const bool last = i + 1 == parts.size();
        if (name == ".")
            continue;
        if (name == "..")
        {
            if (!names.empty())
                names.pop_back();
            continue;
        }
        if (last && !IsSeparator(rest.back()))
        {
            while (!name.empty() && (name.back() == '.' || name.back() == ' '))
                name.pop_back();
            if (name.empty())
                continue;
        }
        if (!ValidName(name, allowWildcards && last))
            return Fail(ERROR_INVALID_NAME);
        names.push_back(name);
    }

    full = std::string(1, drive) + ":\\";
    for (size_t i = 0; i < names.size(); ++i)
        full += (i ? "\\" : "") + names[i];
    if (!names.empty() && !rest.empty() && IsSeparator(rest.back()))
        full += '\\';
    return true;
}

bool HostPathOf(const std::string& winPath, std::string& hostPath)
{
    std::string full;
    if (!GetFullPathName(winPath, full))
        return false;
    char letter;
    std::vector<std::string> names;
    SplitFull(full, letter, names);
    const std::vector<SDrive> table = DriveTable();
    const SDrive* drive = FindDrive(table, letter);
    if (!drive)
        return Fail(ERROR_PATH_NOT_FOUND);
    std::string host = drive->hostRoot;
    bool exists = true;
    for (const std::string& name : names)
    {
        host += "/" + (exists ? MatchName(host, name, exists) : name);
    }
    hostPath = host.empty() ? "/" : host;
    return true;
}

bool WindowsPathOf(const std::string& hostPath, std::string& winPath)
{
    if (hostPath.empty() || hostPath[0] != '/')
        return Fail(ERROR_PATH_NOT_FOUND);
    const SDrive* best = nullptr;
    const std::vector<SDrive> table = DriveTable();
    for (const SDrive& drive : table)
    {
        const std::string& root = drive.hostRoot;
        const bool inside = hostPath.compare(0, root.size(), root) == 0 &&
                            (hostPath.size() == root.size() || hostPath[root.size()] == '/');
        if (inside && (!best || root.size() > best->hostRoot.size()))
            best = &drive;
    }
    if (!best)
        return Fail(ERROR_PATH_NOT_FOUND);
    std::string rest = hostPath.substr(best->hostRoot.size());
    winPath = std::string(1, best->letter) + ":\\";
    for (const std::string& name : SplitNames(rest))
        winPath += (winPath.back() == '\\' ? "" : "\\") + name;
    return true;
}

bool GetCurrentDirectory(std::string& winPath)
{
    char buffer[PATH_MAX];
    if (!getcwd(buffer, sizeof buffer))
        return FailFromErrno();
    return WindowsPathOf(buffer, winPath);
}

bool SetCurrentDirectory(const std::string& winPath)
{
    std::string host;
    if (!HostPathOf(winPath, host))
        return false;
    struct stat st;
    if (stat(host.c_str(), &st) == 0 && !S_ISDIR(st.st_mode))
        return Fail(ERROR_DIRECTORY);
    if (chdir(host.c_str()) != 0)
        return errno == ENOENT ? Fail(MissingPathError(host)) : FailFromErrno();
    return true;
}

uint32_t MissingPathError(const std::string& hostPath)
{
    std::string parent = hostPath.substr(0, hostPath.find_last_of('/'));
    struct stat st;
    if (parent.empty() || (stat(parent.c_str(), &st) == 0 && S_ISDIR(st.st_mode)))
        return ERROR_FILE_NOT_FOUND;
    return ERROR_PATH_NOT_FOUND;
}

bool GetShortPathName(const std::string& winPath, std::string& shortPath)
{
    std::string host;
    if (!HostPathOf(winPath, host))
        return false;
    struct stat st;
    if (lstat(host.c_str(), &st) != 0)
        return errno == ENOENT ? Fail(MissingPathError(host)) : FailFromErrno();
    shortPath = winPath;
    return true;
}

} // namespace win
