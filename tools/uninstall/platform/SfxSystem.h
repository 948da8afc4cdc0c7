#pragma once
// Stand-ins for the process services the stub asks Windows for: its own file, the temporary
// folder, the current directory and a seed for the temporary folder's name. Paths are host
// paths in UTF-16; folder paths end with '/'.

#include "SfxText.h"

#include <cstdint>
#include <optional>

namespace sfx
{

// Longest path the stub's buffers take, terminator included.
constexpr size_t MAX_PATH = 260;

std::optional<WString> GetModuleFileName();
// TMPDIR, else /tmp; a relative TMPDIR is taken against the directory current at the first call.
std::optional<WString> GetTempPath();
std::optional<WString> GetCurrentDirectory();
bool SetCurrentDirectory(const WString& path);
// From the system's random source: the temporary folder's name must not be guessable.
std::uint32_t RandomSeed();

} // namespace sfx
