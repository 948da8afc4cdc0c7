#include "TarvekScript.h"

#include <unistd.h>

#include <cstdlib>
#include <fstream>

namespace tarvek
{

namespace
{

std::optional<std::string> Env(const char* name)
{
    const char* value = std::getenv(name);
    if (!value)
        return std::nullopt;
    return std::string(value);
}

std::optional<long> EnvNumber(const char* name, int base = 10)
{
    const auto text = Env(name);
    if (!text || text->empty())
        return std::nullopt;
    char* end = nullptr;
    const long value = std::strtol(text->c_str(), &end, base);
    if (*end)
        return std::nullopt;
    return value;
}

// The text after the colon of a "<phase>:<value>" variable that names this phase.
std::optional<std::string> PhaseValue(const char* name, int phase)
{
    const auto text = Env(name);
    if (!text)
        return std::nullopt;
    const size_t colon = text->find(':');
    if (colon == std::string::npos || std::atoi(text->substr(0, colon).c_str()) != phase)
        return std::nullopt;
    return text->substr(colon + 1);
}

} // namespace

std::string ScriptIsAdmin()
{
    return Env("TOLVANE_TARVEK_ISADMIN").value_or(geteuid() == 0 ? "1" : "0");
}

std::string ScriptSilent()
{
    return Env("TOLVANE_TARVEK_SILENT").value_or("0");
}

int ScriptInitUninstall()
{
    return int(EnvNumber("TOLVANE_TARVEK_INIT_UNINSTALL").value_or(1));
}

bool ScriptFailsPhase(int phase)
{
    return EnvNumber("TOLVANE_TARVEK_FAIL_PHASE") == phase;
}

std::optional<std::string> ScriptExitCode()
{
    return Env("TOLVANE_TARVEK_EXITCODE");
}

std::optional<std::uint32_t> ScriptRaises(int phase)
{
    const auto value = PhaseValue("TOLVANE_TARVEK_RAISE", phase);
    if (!value)
        return std::nullopt;
    return std::uint32_t(std::strtoul(value->c_str(), nullptr, 16));
}

std::optional<int> ScriptCrashes(int phase)
{
    const auto value = PhaseValue("TOLVANE_TARVEK_CRASH", phase);
    if (!value)
        return std::nullopt;
    return std::atoi(value->c_str());
}

bool ScriptStallsPhase(int phase)
{
    return EnvNumber("TOLVANE_TARVEK_STALL") == phase;
}

void LogEvent(const std::string& event)
{
    const auto path = Env("TOLVANE_TARVEK_LOG");
    if (!path)
        return;
    std::ofstream log(*path, std::ios::app);
    log << event << '\n';
}

} // namespace tarvek
