// Whole reads and writes on host file descriptors: short transfers and interruptions by a
// signal are continued.
#pragma once

#include <cstddef>
#include <string>

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

} // namespace win
