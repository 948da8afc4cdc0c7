#pragma once
// Deleting or renaming files at the next restart: the system's delayed move, else a line in the
// "[Rename]" section of the file that the library's "%WIN%" names. Paths are host paths; the
// registrations carry their Windows form (drive table of the Windows stand-in).

#include "platform/SfxText.h"

#include <optional>
#include <string>

namespace sfx
{

class CSfxTarvek;

// Longest short path and longest line the fallback writes (bytes, line break included).
constexpr size_t SFX_SHORT_PATH_MAX = 1024;
constexpr size_t SFX_RENAME_LINE_MAX = 1024;

enum ESfxRegistration
{
    SFX_REGISTER_ALWAYS,
    SFX_REGISTER_ONCE, // not when the same operation is already pending (the stub's own file)
};

// A null target deletes the source at the restart. False when neither way registered it.
bool SfxMoveAtReboot(CSfxTarvek& tarvek, const WString& source, const WString* target,
                     ESfxRegistration registration = SFX_REGISTER_ALWAYS);

// Fallback: adds "target=source\r\n" (short Windows paths; "NUL" without a target), under the
// file's exclusive lock for the whole read and write, waited for as long as other programs'
// registrations wait (REGISTRATION_LOCK_WAIT_MS); the new text takes the file's place in one
// step, durably, with the file's mode. A link to the file is followed and stays.
// False when a name has no exact narrow form or no short path, the line is too long, or the
// file cannot be locked, read or replaced; the file is then unchanged.
bool SfxAddRenameLine(CSfxTarvek& tarvek, const WString& source, const WString* target,
                      ESfxRegistration registration = SFX_REGISTER_ALWAYS);

// True when the restart would carry the line out: a line of any "[Rename]" section that is not
// marked as done, compared as the restart reads it (names without regard to case, without the
// spaces and line break around the line).
bool SfxHasRenameLine(const std::string& file, const std::string& line);

// The file's new text: the line goes directly before the section that follows "[Rename]\r\n"
// (header matched without regard to case), else at the end; without the section, the header
// and the line are appended. A last line without its line break gets one first.
std::string SfxInsertRenameLine(const std::string& file, const std::string& line);

} // namespace sfx
