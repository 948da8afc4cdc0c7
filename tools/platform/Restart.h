// What the system does at the next restart: first the pending-operations list (DelayedMove.h)
// in registration order, then the "[rename]" sections of "wininit.ini" in the Windows folder
// (WinSystem.h) in file order. A "[rename]" line is target=source; the target "NUL" deletes the
// source. Moves replace an existing file only where the registration asked for it (wininit.ini
// moves always replace); a delete removes a file, a link or an empty folder.
// Afterwards the list is empty and "wininit.ini" has lost its "[rename]" sections (other sections
// stay). An operation that fails is reported and dropped, as the system drops it.
// Each operation is marked as done in its file once it is carried out and its change is on the
// disk, so a run that is interrupted at any point leaves the rest to the next run: the operations
// carried out since the marks were last written are tried again, and with their sources gone those
// attempts fail (and are reported) without touching anything. The marks are made durable before
// any operation that a replay after a power loss could turn against an earlier one's result. A
// list that cannot be read ends the run with nothing carried out and nothing changed, so the next
// run still finds everything in order.
#pragma once

#include <functional>
#include <string>

namespace win
{

using Report = std::function<void(const std::string&)>;

// Applies everything; report gets one line per failure. Returns the number of failures.
// afterOperation, where given, is called after each operation is carried out (a test seam).
int ApplyRestartOperations(const Report& report, const std::function<void()>& afterOperation = {});

} // namespace win
