#pragma once
// What tests may script of the library, read from the environment:
//   TOLVANE_TARVEK_ISADMIN         value of %ISADMIN% (default "1" for the superuser, else "0")
//   TOLVANE_TARVEK_SILENT          value of %SILENT% (default "0")
//   TOLVANE_TARVEK_INIT_UNINSTALL  result of InitUninstall (default 1)
//   TOLVANE_TARVEK_FAIL_PHASE      phase (0 to 4) that fails with result 1
//   TOLVANE_TARVEK_EXITCODE        value the library gives "EXITCODE" in its last phase
//   TOLVANE_TARVEK_RAISE           "<phase>:<hex code>": that phase raises a system exception
//   TOLVANE_TARVEK_CRASH           "<phase>:<signal number>": that phase crashes with the signal;
//                                  signal 0 ends the process with status 1, as a sanitizer does
//                                  after its report
//   TOLVANE_TARVEK_STALL           phase that logs "stalled <pid>" and waits until the process that
//                                  loaded the library is gone, then goes on
//   TOLVANE_TARVEK_LOG             file that receives one line per library event

#include <cstdint>
#include <optional>
#include <string>

namespace tarvek
{

std::string ScriptIsAdmin();
std::string ScriptSilent();
int ScriptInitUninstall();
bool ScriptFailsPhase(int phase);
std::optional<std::string> ScriptExitCode();
std::optional<std::uint32_t> ScriptRaises(int phase);
std::optional<int> ScriptCrashes(int phase);
bool ScriptStallsPhase(int phase);

void LogEvent(const std::string& event);

} // namespace tarvek
