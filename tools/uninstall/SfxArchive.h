#pragma once
// Unpacking the package's 7z archive into the temporary folder.

#include "platform/SfxText.h"

#include <cstdint>
#include <string>

namespace sfx
{

// The stub's error numbers; each selects string 1 + n of the string table, exit code -n.
enum ESfxError
{
    SFX_OK = 0,
    SFX_ERR_TEMP_FOLDER = 1,
    SFX_ERR_TEMP_RUNTIME = 2,
    SFX_ERR_CORRUPTED = 3,
};

// An entry name may only name something inside the folder: no empty name, no "..", no root,
// no drive letter.
bool SfxIsSafeEntryName(const std::string& utf8Name);

// Reads the archive that starts at `archiveStart` in the open file and writes its entries
// below `folder` (ending in '/'). Every entry is checked before the first byte is written:
// unsafe names, links, special files and encrypted entries refuse the whole archive.
ESfxError SfxUnpackArchive(int fd, std::uint64_t archiveStart, const WString& folder);

} // namespace sfx
