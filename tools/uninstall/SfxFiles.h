#pragma once
// Path utilities and the temporary folder of the stub. Paths are host paths in UTF-16.

#include "platform/SfxText.h"

#include <cstdint>
#include <optional>

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

// Creates a fresh owner-only folder in tempPath (ending in '/'); returns its path with a
// trailing '/', or nothing after an error or 100 names taken.
std::optional<WString> SfxCreateTempFolder(const WString& tempPath);

} // namespace sfx
