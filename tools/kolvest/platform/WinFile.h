// File services of the Windows stand-in that only kolvest uses: handles, attributes, delete,
// folders, directory search and the recycle bin.
// Paths are Windows paths (WinPath.h); failures leave a Windows code in the last error.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace win
{

enum EFileAccess : uint32_t
{
    GENERIC_READ = 0x80000000u,
    GENERIC_WRITE = 0x40000000u,
};

enum EFileShare : uint32_t
{
    FILE_SHARE_READ = 0x1,
    FILE_SHARE_WRITE = 0x2,
};

enum ECreation : uint32_t
{
    CREATE_NEW = 1,
    CREATE_ALWAYS = 2,
    OPEN_EXISTING = 3,
    OPEN_ALWAYS = 4,
};

enum EFileAttributes : uint32_t
{
    FILE_ATTRIBUTE_READONLY = 0x1,
    FILE_ATTRIBUTE_HIDDEN = 0x2,
    FILE_ATTRIBUTE_DIRECTORY = 0x10,
    FILE_ATTRIBUTE_NORMAL = 0x80,
    FILE_ATTRIBUTE_REPARSE_POINT = 0x400, // a symbolic link
    INVALID_FILE_ATTRIBUTES = 0xFFFFFFFFu,
};

using HANDLE = int; // a host descriptor
constexpr HANDLE INVALID_HANDLE_VALUE = -1;

// Sharing: an open with access takes a flock() lock, exclusive without sharing and shared with
// any, so two handles conflict (ERROR_SHARING_VIOLATION) when either of them shares nothing.
// An open without access (a probe) never conflicts. Folders and other files that are not regular files
// (FIFOs, devices) cannot be opened (ERROR_ACCESS_DENIED). Write access to a read-only file is refused
// (ERROR_ACCESS_DENIED).
HANDLE CreateFile(const char* name, uint32_t access, uint32_t share, uint32_t creation, uint32_t attributes);
bool CloseHandle(HANDLE handle);
bool ReadFile(HANDLE handle, void* buffer, uint32_t size, uint32_t& done);
bool WriteFile(HANDLE handle, const void* buffer, uint32_t size, uint32_t& done);
// Puts the data in the place of the file that handle holds open under name, keeping its owner,
// group, mode and links (ReplaceFileWhole in HostIo.h): a failure leaves the file as it was. The handle keeps
// the lock on the file it holds; the caller holds it exclusively, since no other writer may come
// between its read and this replacement.
bool ReplaceFileContents(HANDLE handle, const char* name, const void* data, size_t size);
// whence: 0 begin, 1 current, 2 end; returns the new position or -1.
int64_t SetFilePointer(HANDLE handle, int64_t distance, int whence);
bool SetEndOfFile(HANDLE handle);

// Read-only is the missing write permission of the owner; hidden is not kept on the host.
// A link's attributes are its own: never read-only, and setting them never changes its target.
uint32_t GetFileAttributes(const char* name);
bool SetFileAttributes(const char* name, uint32_t attributes);

// True when both names reach one existing file: the same full path in any letter case, or one
// file under two names (a link to it, a hard link), as the system's file identity tells.
bool IsSameFile(const char* first, const char* second);

// A restart-time move is one rename, which cannot cross host file systems, nor two mounts of one
// (HostMount.h): false with ERROR_NOT_SAME_DEVICE when the source's folder and the folder the
// target goes into (its nearest existing folder, where folders are still to be made) lie on
// different ones, whatever their drive letters. True when they agree, or when either cannot be
// looked at (the registration reports its own reason then).
bool OnSameFileSystem(const char* source, const char* target);

bool DeleteFile(const char* name);      // a file or a link; refuses folders, read-only files, files in use
bool RemoveDirectory(const char* name); // an empty folder, or a link to a folder (the link goes)
bool CreateDirectory(const char* name);

// The recycle bin is the freedesktop trash of the user ($XDG_DATA_HOME/Trash with a .trashinfo).
bool MoveToRecycleBin(const char* name);

struct SFindData
{
    std::string name;
    uint32_t attributes = 0;
    uint64_t size = 0;
    int64_t lastWriteTime = 0; // Unix seconds
};

// Directory search: the entries of the pattern's folder whose names match its last part, in the
// order of names compared in upper case (as the system's own file system lists them). "." and
// ".." are not listed. Matching follows Windows: case-insensitive, "?" may match nothing before a
// point or at the end, "*.*" matches names without a point, "*." only names without a point.
// Fails with ERROR_FILE_NOT_FOUND when nothing matches, ERROR_PATH_NOT_FOUND without the folder.
bool FindFiles(const std::string& pattern, std::vector<SFindData>& found);

// The name test of the directory search.
bool WildcardMatch(const std::string& pattern, const std::string& name);

} // namespace win
