#pragma once
// The uninstall sequence: rights, prompt, progress dialog, the library's phases, final message.

#include "platform/SfxText.h"

#include <string_view>

namespace sfx
{

class CSfxTarvek;

struct SSfxUninstallResult
{
    int exitCode = 0;
    // Every phase ran and succeeded: only then may the stub remove itself.
    bool completed = false;
};

SSfxUninstallResult SfxRunUninstall(CSfxTarvek& tarvek);

// Base 10 with leading blanks and a sign; reading stops at the first non-digit; no digits: 0.
int SfxParseExitCode(std::u16string_view text);

} // namespace sfx
