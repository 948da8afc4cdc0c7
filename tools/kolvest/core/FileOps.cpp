#include "FileOps.h"

#include "Path.h"
#include "WinError.h"
#include "WinFile.h"
#include "WinPath.h"

#include <fcntl.h>
#include <unistd.h>

bool IsDirectory(const String& path)
{
    if (path.isBlank())
        return false;
    // the current directory is remembered as a host handle, so it comes back even where the
    // drive table cannot name it
    const int current = open(".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    const bool entered = win::SetCurrentDirectory(path.c_str());
    const uint32_t error = win::GetLastError();
    if (current >= 0)
    {
        if (entered && fchdir(current) != 0)
            win::SetLastError(win::ERROR_ACCESS_DENIED);
        close(current);
    }
    return entered || error == win::ERROR_ACCESS_DENIED;
}

bool DeleteDirectoryNow(String path)
{
    if (path.length() <= 3)
        return false;
    path.stripTrailing('\\');
    return win::RemoveDirectory(path.c_str());
}

bool ClearFileAttributes(const String& path, uint32_t mask)
{
    const uint32_t attributes = win::GetFileAttributes(path.c_str());
    if (attributes == win::INVALID_FILE_ATTRIBUTES)
        return false;
    if (!(attributes & mask))
        return true;
    return win::SetFileAttributes(path.c_str(), attributes & ~mask);
}

bool SetReadOnlyAttribute(const String& path, bool on)
{
    const uint32_t attributes = win::GetFileAttributes(path.c_str());
    if (attributes == win::INVALID_FILE_ATTRIBUTES)
        return false;
    const bool isOn = attributes & win::FILE_ATTRIBUTE_READONLY;
    if (isOn == on)
        return true;
    return win::SetFileAttributes(path.c_str(), attributes ^ win::FILE_ATTRIBUTE_READONLY);
}

bool IsReadOnly(const String& path)
{
    const uint32_t attributes = win::GetFileAttributes(path.c_str());
    return attributes != win::INVALID_FILE_ATTRIBUTES && (attributes & win::FILE_ATTRIBUTE_READONLY);
}

bool CreateDirectoryTree(const String& path)
{
    if (path.isBlank())
        return win::Fail(win::ERROR_INVALID_PARAMETER);
    if (IsDirectory(path))
        return true;
    const String parent = DirectoryPart(path);
    if (parent == path)
        return true;
    if (parent.length() > 3 && !IsDirectory(parent) && !CreateDirectoryTree(parent))
        return false;
    win::CreateDirectory(path.c_str());
    return IsDirectory(path);
}
