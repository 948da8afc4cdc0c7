// Whole reads and writes on host file descriptors: short transfers and interruptions by a
// signal are continued.
#pragma once

#include <cstddef>
#include <cstdint>
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
// Puts one byte at an offset (a mark over a line); false (errno set) unless it was written.
bool WriteByteAt(int fd, int64_t offset, char byte);
// Makes what was written to the file, or a folder's renames and new names, durable (fsync);
// false (errno set) on failure.
bool SyncFile(int fd);
bool SyncFolder(const std::string& hostFolder);

// Puts the text in the place of the file at hostPath in one step, with exactly the mode given
// (its 07777 bits; the umask does not cut them): the text goes to a new file "<hostPath>.restart"
// in the same folder (a stale one is removed first; it is created exclusively, never through a
// link), is made durable, renamed over the file, and the rename made durable. The caller holds the
// file's exclusive lock, which keeps other writers away from the new file's name. A failure before
// the rename leaves the file byte for byte as it was; false (errno set) on any failure.
bool ReplaceFileWhole(const std::string& hostPath, const std::string& text, mode_t mode);

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
