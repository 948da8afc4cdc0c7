// Folder and attribute operations of the core library. Failures leave the reason in the thread's
// last error.
#pragma once

#include "String.h"

#include <cstdint>

// False for a blank path; true for a folder, also for one that cannot be entered.
bool IsDirectory(const String& path);
// Removes an empty folder; never a drive root (three characters or fewer).
bool DeleteDirectoryNow(String path);
// Removes the attribute bits of mask (1 read-only, 2 hidden); true without a change when none is set.
bool ClearFileAttributes(const String& path, uint32_t mask);
bool SetReadOnlyAttribute(const String& path, bool on);
bool IsReadOnly(const String& path);
// Creates the folder and its missing parents; true when it is a folder afterwards.
bool CreateDirectoryTree(const String& path);
