// Windows sharing on the host. A program that holds a file open without letting others delete or
// replace it holds a flock() lock on it: LOCK_EX for "no sharing", LOCK_SH when it shares.
// Renaming or deleting such a file fails with ERROR_SHARING_VIOLATION, as on Windows.
#pragma once

#include <string>

namespace win
{

// True when some open handle (of any process, or another handle of this one) holds a flock() lock
// on the host file or folder.
bool IsInUse(const std::string& hostPath);

} // namespace win
