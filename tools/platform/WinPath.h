// Windows-form paths over the host file system.
//
// The drive table maps drive letters to host folders. It is read from TOLVANE_DRIVES on every call
// ("C=/tmp/x;D=/mnt/d", "C:=..." accepted too); without it C: is the host's root "/".
// A Windows path is resolved as Windows does: "/" and "\" both separate, runs of separators
// collapse, "." and ".." are resolved (".." never climbs above the drive root), trailing dots and
// blanks of the last name are dropped, a relative path is taken against the current directory and
// "\x" against the current drive. On the host, every existing name is then matched
// case-insensitively (the exact spelling wins); names that do not exist yet keep their spelling.
//
// Failures return false and leave a Windows code in the last error (WinError.h):
// ERROR_INVALID_NAME for names with control characters or any of <>:"|?*,
// ERROR_PATH_NOT_FOUND for a drive that is not in the table, ERROR_BAD_NETPATH for \\server paths.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

namespace win
{

struct SDrive
{
    char letter;          // upper case
    std::string hostRoot; // absolute host folder, no trailing "/" (the host root is "")
};

// The current drive table; C: = "/" unless TOLVANE_DRIVES says otherwise.
std::vector<SDrive> DriveTable();

// The full Windows form of a path ("C:\dir\name", drive letter upper case), as GetFullPathName
// gives it. With allowWildcards, "*" and "?" are accepted in the last name (search patterns).
bool GetFullPathName(const std::string& path, std::string& full, bool allowWildcards = false);

// The host path of a Windows path (full path resolution, drive table, case-insensitive match).
bool HostPathOf(const std::string& winPath, std::string& hostPath);

// The Windows form of an absolute host path through the drive table (the drive with the longest
// matching host folder wins); false with ERROR_PATH_NOT_FOUND when no drive holds it.
bool WindowsPathOf(const std::string& hostPath, std::string& winPath);

// The process's current directory in Windows form, and setting it (chdir on the host).
bool GetCurrentDirectory(std::string& winPath);
bool SetCurrentDirectory(const std::string& winPath);

// GetShortPathName stand-in: short names are the long names here. Fails with
// ERROR_FILE_NOT_FOUND / ERROR_PATH_NOT_FOUND when the path does not exist, as Windows does.
bool GetShortPathName(const std::string& winPath, std::string& shortPath);

// The code Windows gives for a missing host path: ERROR_FILE_NOT_FOUND when its folder exists,
// else ERROR_PATH_NOT_FOUND.
uint32_t MissingPathError(const std::string& hostPath);

// Case-insensitive comparison of ASCII letters, as Windows compares file names.
bool NamesEqual(const std::string& a, const std::string& b);
// The name with its ASCII letters in upper case: one form for all names NamesEqual holds equal.
std::string UpperName(std::string name);

// While one lives, the case-insensitive lookups of this thread for names that do not exist in the
// spelling given read each host folder (known by its device and inode, whatever path reaches it)
// only once, so a long run of operations in one folder does not read it again for every name. A
// name created, renamed or removed in such a folder afterwards is not seen until clear(): for runs
// of operations none of which goes through a name that another of them changed.
class CFolderListings
{
public:
    CFolderListings();
    ~CFolderListings();
    CFolderListings(const CFolderListings&) = delete;
    CFolderListings& operator=(const CFolderListings&) = delete;

    void clear() { m_folders.clear(); }
    // The entry of the host folder dir whose name equals name ignoring case, or name.
    std::string lookUp(const std::string& dir, const std::string& name);

    // a folder's entries by their names in upper case, each with its least spelling
    using Listing = std::unordered_map<std::string, std::string>;

private:
    CFolderListings* m_previous;
    std::map<std::pair<uint64_t, uint64_t>, Listing> m_folders; // by device and inode
};

} // namespace win
