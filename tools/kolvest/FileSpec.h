// Expansion of the file specifications typed by the user (patterns with "*" and "?", relative or
// absolute, several per line) into full paths of existing files and folders, with warnings.
#pragma once

#include "String.h"
#include "Vector.h"

#include <cstdint>

enum EExpandFlags : uint32_t
{
    EXPAND_DIRECTORIES = 0x1, // list folders that match a pattern too
    EXPAND_RECURSE = 0x2,
    EXPAND_NAMES_ONLY = 0x4,
    EXPAND_NO_LINE_NUMBERS = 0x100,
    EXPAND_NO_DUPLICATE_TEST = 0x200,
    EXPAND_WARN_BLANK = 0x400,
    EXPAND_CLEAR_WARNINGS = 0x800,
    EXPAND_CLEAR_RESULT = 0x1000,
    EXPAND_CLEAR_LINES = 0x2000,
    EXPAND_PASSED_ON = 0x4007, // the bits handed to SearchFiles
    EXPAND_NO_MATCH_QUIET = 0x8000,
};

enum ESearchFlags : uint32_t
{
    SEARCH_DIRECTORIES = 0x1,
    SEARCH_RECURSE = 0x2,
    SEARCH_NAMES_ONLY = 0x4,
    SEARCH_NO_EXTENSION = 0x8,
    SEARCH_KEEP_LIST = 0x10,
    SEARCH_DIRECTORIES_ONLY = 0x10000,
};

class ExpandCallback
{
public:
    virtual ~ExpandCallback() = default;
    // Once for every path added, with the directory of the line it came from.
    virtual void onPathAdded(const String& lineDirectory) = 0;
};

// Lines end with CR, LF, CR LF or LF CR; specifications within a line are separated by ";"; a line
// ending in " /s" recurses. Bare names after the first specification of a line are searched in the
// first one's folder. Links are listed but never entered. The sort bits (0x20, 0x40, 0x80) are not
// built: kolvest uses none.
void ExpandFileSpecList(const char* text, StringList& result, String defaultDirectory, String* warnings,
                        Vector<int>* lines, uint64_t* sizeTotal, uint32_t flags, ExpandCallback* callback);

// One pattern: its folder's matches in the system's order, then, with recursion, those of each
// subfolder, depth first. Returns the total size of what it listed. Names with control characters
// are skipped, each with a warning (when warnings are given) that shows them escaped.
int64_t SearchFiles(String pattern, StringList& list, uint32_t flags, String* warnings = nullptr);
