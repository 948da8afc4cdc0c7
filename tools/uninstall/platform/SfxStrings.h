#pragma once
// The stub's string table (the same texts in every language block).

#include "SfxText.h"

namespace sfx
{

enum ESfxString
{
    IDS_PACKAGE_TITLE = 0,
    IDS_FATAL_ERROR = 1,
    IDS_ERR_TEMP_FOLDER = 2,
    IDS_ERR_TEMP_RUNTIME = 3,
    IDS_ERR_CORRUPTED = 4,
};

// Empty for an id the table does not hold.
WString LoadString(int id);

} // namespace sfx
