// The delete and move engine: at once, or at the next restart through the system's delayed move,
// or through the "[rename]" section of "wininit.ini" where that is missing or refused.
// Every operation reports by its result; the reason is left in the thread's last error.
#pragma once

#include "String.h"

#include <cstdint>
#include <functional>

enum EDeleteFlags : uint32_t
{
    DELETE_KEEP_READ_ONLY = 0x01,
    DELETE_AT_RESTART = 0x02,
    DELETE_SCHEDULE_ON_FAILURE = 0x10,
    DELETE_TO_RECYCLE_BIN = 0x80,
};

enum EMoveFlags : uint32_t
{
    MOVE_TARGET_MUST_EXIST = 0x01,
    MOVE_TARGET_MUST_NOT_EXIST = 0x02,
    MOVE_CREATE_DIRECTORIES = 0x04,
    MOVE_AT_RESTART = 0x08,
    MOVE_REFUSE_READ_ONLY = 0x40,
    MOVE_INTO_DIRECTORY = 0x80,
};

// Looks the system's delayed move up once, before anything else runs.
void ResolveMoveFileExA();

bool DeleteFileOrSchedule(const char* path, uint32_t flags);
// The source takes the target's place. A restart-time move succeeds with last error 170
// (ERROR_BUSY); one across host file systems is refused (ERROR_NOT_SAME_DEVICE) before anything
// is registered. The target is deleted at once only once the registration is on the disk, under
// the lock of the file that holds it, and only while it is still pending there and its source is
// still in place. An immediate move replaces the target in one rename, so a failed move never
// costs the target. A folder as the source is refused (ERROR_ACCESS_DENIED) before the target is
// touched.
bool MoveFileOrSchedule(const char* source, String target, uint32_t flags);
// Adds "target=source" at the end of the "[rename]" section of "wininit.ini" (creating either),
// so that the restart carries the lines out in the order they were added.
// Names holding CR, LF or "=" are refused with ERROR_INVALID_NAME: they would add lines.
// The file changes whole or not at all, durably, and keeps its mode.
// The lock of "wininit.ini" is waited for as long as other programs' registrations wait.
bool AddWininitRename(const char* target, const char* source);

// Test seam: runs between a restart-time move's registration and the deletion of its target.
void SetRegisteredMoveHook(std::function<void()> hook);
