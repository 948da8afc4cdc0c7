#pragma once
// The uninstallation the library performs, read from the uninstall list "uninst.lst":
//   file=<path>                 removed in phase 1
//   folder=<path>               removed in phase 3 when empty, the last listed first
//   report=<kind>,<flag>,<path> handed to the stub's callback as it stands, in phase 1
// Paths are host paths; %NAME% variables are replaced. What cannot be removed now (in use by
// another program, a folder not yet empty) is handed to the callback for the next restart.
// Phase 0 reads the list; phases 2 and 4 have nothing to remove on this host.

#include "../tarvek/tarvek.h"
#include "TarvekVars.h"

#include <string>
#include <vector>

namespace tarvek
{

struct SUninstallEntry
{
    std::string kind; // file, folder, report
    std::string path;
    int reportKind = 0;
    int reportFlag = 0;
};

// False for an unreadable list or a line it cannot take.
bool ReadUninstallList(const std::string& path, const CTarvekVars& vars,
                       std::vector<SUninstallEntry>& entries);

// 0 when the phase succeeded.
int RunUninstallPhase(int phase, const std::vector<SUninstallEntry>& entries, XRUninstallCallback callback);

} // namespace tarvek
