// tolvane-restart: carries out what was registered for "the next restart" of the stand-in Windows.
#include "Restart.h"

#include <cstdio>

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
        [](const std::string& line) { std::fprintf(stderr, "tolvane-restart: %s\n", line.c_str()); });
    return failures == 0 ? 0 : 1;
}
