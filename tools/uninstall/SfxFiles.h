#pragma once
// Path utilities and the temporary folder of the stub. Paths are host paths in UTF-16.

#include "platform/SfxText.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <utility>

namespace sfx
{

// True when something of that name exists; a link counts as itself, never as its target.
bool SfxFileExists(const WString& path);

// Creates every missing folder along the path ('/' or '\' separate); 0 or the errno of the
// failed creation.
int SfxCreateDirChain(const WString& path);

// Keeps the text up to its last '\', else its last '/', else behind its last ':', else nothing.
void SfxCutAtLastSeparator(WString& path);

// Deletes the folder tree (path ends with '/'); 0 or the first errno. Links are removed,
// never followed.
int SfxDeleteTree(const WString& path);

// "xr" + 8 upper-case hex digits of the seed, most significant first.
WString SfxTempFolderName(std::uint32_t seed);

// The stub's mark in a temporary folder it made, written at once: a file of this name.
constexpr char SFX_FOLDER_MARK_NAME[] = ".xr-stub-folder";

// The text of the mark that the open folder must hold: it names the folder's device, inode and,
// where the file system keeps one, its time of birth, so that a copy of a stub's folder (its mark
// copied along) or a later folder on a reused inode never holds its own mark. Nothing when the
// folder cannot be queried.
std::optional<std::string> SfxFolderMark(int folderFd);

// The stub's temporary folder. The stub holds a lock on it as long as it (or its library child)
// runs: a folder of that kind without the lock was left by a stub that was killed.
class CSfxTempFolder
{
public:
    CSfxTempFolder(WString path, int lockFd) : m_path(std::move(path)), m_lockFd(lockFd) {}
    CSfxTempFolder(CSfxTempFolder&& other) noexcept;
    CSfxTempFolder& operator=(CSfxTempFolder&& other) noexcept;
    ~CSfxTempFolder();

    const WString& path() const { return m_path; }

private:
    WString m_path;
    int m_lockFd;
};

// Creates a fresh owner-only folder in tempPath (ending in '/'), locks it and puts the mark in
// it; its path has a trailing '/'. Nothing after an error or 100 names taken.
std::optional<CSfxTempFolder> SfxCreateTempFolder(const WString& tempPath);

// Removes the temporary folders in tempPath that stubs of this user left behind when they were
// killed: named as SfxTempFolderName makes them, not locked, and proven the stub's on the locked
// descriptor (owner-only folders of this user with the mark). Their contents go through that
// descriptor; the folder goes by name only while the name still leads to it. A folder in use, a
// user's own folder of such a name, or anything else, is never touched.
void SfxRemoveAbandonedTempFolders(const WString& tempPath);

// Test seam: runs in SfxRemoveAbandonedTempFolders once a folder is emptied, before its name is
// checked and removed.
void SfxSetBeforeFolderRemovalHook(std::function<void()> hook);

} // namespace sfx
