// MoveFileEx stand-in, with "at the next restart" made real.
//
// A delayed move or delete (MOVEFILE_DELAY_UNTIL_REBOOT) is appended to the pending-operations
// list, a host file named by TOLVANE_PENDING_OPS (default "$XDG_STATE_HOME/tolvane/pending-operations",
// XDG_STATE_HOME defaulting to ~/.local/state). The restart tool `tolvane-restart` applies it.
// One line per operation, in registration order: "<flags>\t<full source>\t<full target>\n",
// Windows-form full paths; an empty target means delete. Windows names cannot hold tabs or line
// breaks, so the format needs no quoting. A last line without its line break is the rest of a
// write cut short and no operation. A registration is on the disk when MoveFileEx returns. The
// restart marks each line it has carried out by putting "#" over its first character, so an
// interrupted restart goes on where it stopped.
//
// Knobs (environment, value "1"):
//   TOLVANE_WIN_NO_DELAYED_MOVE      ResolveMoveFileEx finds no MoveFileEx (old system).
//   TOLVANE_WIN_DELAYED_MOVE_REFUSED a delayed call fails with ERROR_ACCESS_DENIED (no rights).
#pragma once

#include "MarkedList.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace win
{

enum EMoveFileFlags : uint32_t
{
    MOVEFILE_REPLACE_EXISTING = 0x1,
    MOVEFILE_COPY_ALLOWED = 0x2,
    MOVEFILE_DELAY_UNTIL_REBOOT = 0x4,
};

// existing and newName are Windows-form paths (relative ones are made full); newName may be null
// only with MOVEFILE_DELAY_UNTIL_REBOOT and then means: delete existing at the restart.
// Without the delay flag the move happens now, in one rename: an existing target is replaced only
// with MOVEFILE_REPLACE_EXISTING (else ERROR_ALREADY_EXISTS); a read-only or directory target is
// refused (ERROR_ACCESS_DENIED); a source or target in use gives ERROR_SHARING_VIOLATION.
// With the delay flag nothing is checked on disk; only the names must be valid. The list's lock
// is waited for at most REGISTRATION_LOCK_WAIT_MS (then ERROR_SHARING_VIOLATION).
bool MoveFileEx(const char* existing, const char* newName, uint32_t flags);

// MoveFileEx without the delay flag, on names already found on the host (HostPathOf), for a
// caller that decides on the same host paths as it acts on; newName is the target's Windows name.
bool MoveHostFileNow(const std::string& source, std::string target, const char* newName, uint32_t flags);

// Test seam: runs in MoveHostFileNow once the source and the target are looked at, before the
// move, with the target's host path.
void SetBeforeMoveHook(std::function<void(const std::string&)> hook);

using MoveFileExFn = bool (*)(const char* existing, const char* newName, uint32_t flags);

// The run-time lookup of MoveFileEx: null with ERROR_PROC_NOT_FOUND when the system lacks it.
MoveFileExFn ResolveMoveFileEx();

// Host path of the pending-operations list.
std::string PendingOperationsFile();

// MoveFileEx with MOVEFILE_DELAY_UNTIL_REBOOT that adds nothing when the list holds the operation
// on these paths (newName null: a delete) not yet carried out, as a program reads the system's
// pending renames before it adds one a second time. The test and the addition are made under one
// lock of the list, so two programs registering together add it once.
bool MoveFileExOnce(const char* existing, const char* newName, uint32_t flags);

// Runs action under the list's lock while the delayed operation on these paths (newName null: a
// delete) is still pending, so a restart cannot carry it out meanwhile; false when it is not
// pending (any more) or the list cannot be read.
bool WhileDelayedMovePending(const char* existing, const char* newName, const std::function<void()>& action);

// What the restart puts over the first character of a line it has carried out.
constexpr char PENDING_DONE_MARK = '#';

// The list as the restart works through it: locked against registrations from open() until the
// object goes, so nothing is added between reading and emptying it.
class CPendingList : public CMarkedList
{
public:
    CPendingList() : CMarkedList(PENDING_DONE_MARK) {}

    // Reads the operations not yet carried out (a missing file is an empty list). A list that
    // cannot be read is closed again, untouched; a read error is ERROR_READ_FAULT, a lock not
    // had within lockWaitMs ERROR_SHARING_VIOLATION, what is not a regular file is refused.
    bool open(unsigned lockWaitMs = LOCK_WAIT_FOREVER) override;
    // Empties the list once everything in it is done; durable only after makeDurable().
    bool clear();
};

} // namespace win
