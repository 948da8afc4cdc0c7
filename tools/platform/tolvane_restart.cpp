// tolvane-restart: carries out what was registered for "the next restart" of the stand-in Windows.
#include "Restart.h"

#include <cstdio>
#include <functional>
#ifdef TOLVANE_RESTART_STOP_HOOK
#include <csignal>
#include <cstdlib>
#endif

namespace
{

// Built into the tests' copy of the program only: with TOLVANE_RESTART_STOP_AFTER=N the run ends
// as a kill would end it, right after its N-th operation was carried out.
std::function<void()> StopHook()
{
#ifdef TOLVANE_RESTART_STOP_HOOK
    const char* value = std::getenv("TOLVANE_RESTART_STOP_AFTER");
    if (value && *value)
        return [stopAfter = std::atol(value), done = 0L]() mutable
        {
            if (++done == stopAfter)
                std::raise(SIGKILL);
        };
#endif
    return {};
}

} // namespace

int main(int argc, char**)
{
    if (argc > 1)
    {
        std::fprintf(stderr, "usage: tolvane-restart\n"
                             "Applies the pending delayed moves and deletes and the [rename] section of\n"
                             "wininit.ini in the Windows folder, then empties both.\n");
        return 2;
    }
    const int failures = win::ApplyRestartOperations(
        [](const std::string& line) { std::fprintf(stderr, "tolvane-restart: %s\n", line.c_str()); },
        StopHook());
    return failures == 0 ? 0 : 1;
}
