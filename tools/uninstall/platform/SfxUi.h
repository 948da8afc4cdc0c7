#pragma once
// Stand-in for the common-controls start: with a display the stub gets a Qt application object
// (its boxes and the library's progress dialog are then real windows), else it stays a console
// program.

namespace sfx
{

void InitCommonControls(int& argc, char** argv);
bool HasGui();

} // namespace sfx
