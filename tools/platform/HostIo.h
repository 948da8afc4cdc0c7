// Whole reads and writes on host file descriptors: short transfers and interruptions by a
// signal are continued.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <sys/types.h>

namespace win
{

// Appends everything up to the end of the file; false (errno set) on a read error.
bool ReadToEnd(int fd, std::string& text);
// False (errno set) unless every byte was written.
bool WriteAll(int fd, const void* data, size_t size);
inline bool WriteAll(int fd, const std::string& text)
{
    return WriteAll(fd, text.data(), text.size());
}
// Writes everything at an offset; false (errno set) unless every byte was written.
bool WriteAllAt(int fd, int64_t offset, const void* data, size_t size);
// Puts one byte at an offset (a mark over a line); false (errno set) unless it was written.
inline bool WriteByteAt(int fd, int64_t offset, char byte)
{
    return WriteAllAt(fd, offset, &byte, 1);
}
// Makes what was written to the file, or a folder's renames and new names, durable (fsync);
// false (errno set) on failure.
bool SyncFile(int fd);
bool SyncFolder(const std::string& hostFolder);

// Puts the text in the place of the file at hostPath, which fd has open for reading and writing
// (and locked exclusively, which keeps other writers away), keeping what the user had. Where
// hostPath is a symbolic link, the file it leads to changes and the link stays. The text goes to a
// new file of a name of its own beside that file ("<name>.new-XXXXXX", created exclusively, never
// through a link), gets the old file's owner, group, mode (its 07777 bits; the umask does not cut
// them) and extended attributes (access control lists; none that a folder's default list would
// add), is made durable, renamed over the file, and the rename made durable; a failure before the
// rename leaves the file byte for byte as it was. Where a new file would lose what the old one has,
// the text is written in place instead, and a failure puts the old bytes back: a file with more
// than one link (every name keeps seeing it), a folder where no file can be made, an owner, group
// or attribute that cannot be given to a new file. A file that is not a regular file is refused
// (EISDIR), and so is a name that no longer leads to the file fd holds when its new text is to take
// its place (EBUSY): that file was never read. False (errno set) on any failure.
bool ReplaceFileWhole(const std::string& hostPath, int fd, const std::string& text);

// rename(2) that fails (EEXIST) rather than replace what has the target's name, even where it got
// that name after the caller looked for it. False (errno set) on failure.
bool RenameNoReplace(const std::string& source, const std::string& target);

// Test seam: runs in ReplaceFileWhole once the locked file's status is taken, before its name is
// resolved for the new file, with hostPath.
void SetBeforeReplaceHook(std::function<void(const std::string&)> hook);

// Test seam: the system calls behind ReadToEnd, WriteAll, WriteByteAt, SyncFile, SyncFolder and
// the cutting of a list. Tests put in their own to inject read and write errors or to see which
// writes were made durable and when.
struct SHostCalls
{
    ssize_t (*read)(int fd, void* buffer, size_t size);
    ssize_t (*write)(int fd, const void* data, size_t size);
    ssize_t (*pwrite)(int fd, const void* data, size_t size, off_t offset);
    int (*fsync)(int fd);
    int (*ftruncate)(int fd, off_t length);
};
SHostCalls& HostCalls();

} // namespace win
