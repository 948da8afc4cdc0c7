#pragma once
// The stub's main flow: unpack the package behind the own file into a fresh temporary folder,
// bind the installer library from there, uninstall, clean up. Returns the exit code.

namespace sfx
{

int SfxMain(void* instance);

} // namespace sfx
