#pragma once
// The uninstall sequence: rights, prompt, progress dialog, the library's phases, the stub's own
// deletion at the restart, final message.

#include "platform/SfxText.h"

#include <string_view>

namespace sfx
{

class CSfxTarvek;

// Returns the exit code. Only when every phase ran and succeeded is the stub's own file (ownPath)
// scheduled for deletion at the restart; where that cannot be registered, the closing text names
// the file to delete by hand instead (on stderr when silent).
int SfxRunUninstall(CSfxTarvek& tarvek, const WString& ownPath);

// Base 10 with leading blanks and a sign; reading stops at the first non-digit; no digits: 0.
int SfxParseExitCode(std::u16string_view text);

} // namespace sfx
