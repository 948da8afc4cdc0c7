// Mounts of the host. A rename never crosses from one mount to another, not even between two
// mounts of one file system (a bind mount), whose files share a device number.
#pragma once

#include <cstdint>
#include <string>

namespace win
{

// The id of the mount that the host folder (links followed) lies on: statx's mount id where the
// system gives it, else the one /proc/self/mountinfo names. False where neither can tell.
bool MountIdOf(const std::string& hostFolder, uint64_t& mountId);

// The mount that a canonical host path lies on, after a /proc/self/mountinfo text: the last one
// mounted on the longest mount point above it. False where none is.
bool MountIdInMountInfo(const std::string& mountInfo, const std::string& canonicalPath, uint64_t& mountId);

} // namespace win
